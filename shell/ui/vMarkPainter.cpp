#include "shell/ui/vMarkPainter.h"

#include "runtime/RtNumbers.h"
#include "shell/vGlobalMessages.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

QColor ColorFromValue(uint32_t color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

uint32_t ValueFromColor(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

namespace {

// The rectangle from (left, top) up to but not including (right, bottom), whichever way round
// the corners were given.
QRect HalfOpen(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

void PaintBox(QPainter& painter, const QRect& r, const ObjectMarkRecord& mark) {
    if (r.width() < 1 || r.height() < 1) return;
    if (mark.Filled) painter.fillRect(r, ColorFromValue(mark.FillColor));
    const QColor line = ColorFromValue(mark.LineColor);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), line);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
}

void PaintEllipse(QPainter& painter, const QRect& r, const ObjectMarkRecord& mark) {
    if (r.width() < 1 || r.height() < 1) return;
    painter.setBrush(mark.Filled ? QBrush(ColorFromValue(mark.FillColor)) : QBrush(Qt::NoBrush));
    // A one-pixel outline covers its rectangle plus one pixel right and below.
    painter.drawEllipse(r.adjusted(0, 0, -1, -1));
}

} // namespace

void PaintObjectMark(QPainter& painter, const ObjectMarkRecord& mark) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ColorFromValue(mark.LineColor), 1));
    switch (mark.Kind) {
    case omPoint:
        PaintEllipse(painter,
                     HalfOpen(mark.Left - 2, mark.Top - 2, mark.Right + 2, mark.Bottom + 2), mark);
        break;
    case omLine:
        painter.drawLine(mark.Left, mark.Top, mark.Right, mark.Bottom);
        break;
    case omCircle:
        PaintEllipse(painter, HalfOpen(mark.Left, mark.Top, mark.Right, mark.Bottom), mark);
        break;
    case omBox:
        PaintBox(painter, HalfOpen(mark.Left, mark.Top, mark.Right, mark.Bottom), mark);
        break;
    default:
        break;
    }
    painter.restore();
}

void PaintObjectMarks(QPainter& painter, const MarkList<ObjectMarkRecord>& list) {
    const size_t count = std::min(list.InUse(), list.Items.size());
    for (size_t i = 0; i < count; ++i)
        PaintObjectMark(painter, list.Items[i]);
}

LabelLook DefaultLabelLook() {
    QFont font("Arial", 10);
    font.setStyleStrategy(QFont::NoAntialias);
    return {font, Qt::black};
}

bool MakeRotatedFont(const QFont& font, int dotsPerInch, QFont& rotated) {
    if (font.pointSizeF() <= 0 || dotsPerInch <= 0) return false;
    const int64_t height = Round(font.pointSizeF() * dotsPerInch / 72.0);
    if (height <= 0 || height > 10000) return false;
    rotated = QFont("Arial");
    rotated.setPixelSize(static_cast<int>(height));
    rotated.setWeight(QFont::Normal);
    rotated.setStyleStrategy(QFont::NoAntialias);
    // The face is made half as wide as it is high, whatever its own proportions.
    const int average = QFontMetrics(rotated).averageCharWidth();
    const int64_t width = std::llabs(height / 2);
    if (average > 0 && width > 0)
        rotated.setStretch(static_cast<int>(
            std::clamp<int64_t>(Round(100.0 * static_cast<double>(width) / average), 1, 4000)));
    return true;
}

void PaintTextLabel(QPainter& painter, const TextLabelRecord& label, const LabelLook& look) {
    QFont font = look.Font;
    font.setStyleStrategy(QFont::NoAntialias);
    bool rotate = false;
    if (label.Rotated) {
        QFont rotated;
        if (MakeRotatedFont(look.Font, painter.device()->logicalDpiY(), rotated)) {
            font = rotated;
            rotate = true;
        } else {
            ShowMessageNumber(26);
        }
    }
    const QString text = QString::fromLatin1(
        label.Text.data(), static_cast<qsizetype>(std::min(label.Text.size(), TextLabelMaxLength)));
    const QFontMetrics metrics(font, painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    painter.translate(label.X, label.Y);
    if (rotate) painter.rotate(-label.Angle);
    if (!label.Transparent)
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(text), metrics.height()),
                         ColorFromValue(label.BackColor));
    painter.setPen(look.TextColor);
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.restore();
}

void PaintTextLabels(QPainter& painter, const MarkList<TextLabelRecord>& list,
                     const LabelLook& look) {
    const size_t count = std::min(list.InUse(), list.Items.size());
    for (size_t i = 0; i < count; ++i)
        PaintTextLabel(painter, list.Items[i], look);
}
