#include "shell/ui/vMarkControls.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vPointer.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

TColorGrid::TColorGrid(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(sizeHint());
}

QSize TColorGrid::sizeHint() const {
    return {4 * Cell + 1, 4 * Cell + 1};
}

void TColorGrid::SetForegroundIndex(int index) {
    ForegroundIndex = index;
    update();
}

void TColorGrid::SetBackgroundIndex(int index) {
    BackgroundIndex = index;
    update();
}

void TColorGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < 16; ++i) {
        const QRect cell((i % 4) * Cell, (i / 4) * Cell, Cell, Cell);
        painter.fillRect(cell, ColorFromValue(MarkPalette[static_cast<size_t>(i)]));
        painter.setPen(Qt::gray);
        painter.drawRect(cell);
    }
    auto frame = [&](int index, const QColor& color) {
        if (index < 0 || index > 15) return;
        painter.setPen(QPen(color, 2));
        painter.drawRect(QRect((index % 4) * Cell + 2, (index / 4) * Cell + 2, Cell - 4, Cell - 4));
    };
    frame(BackgroundIndex, Qt::white);
    frame(ForegroundIndex, Qt::black);
}

void TColorGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    const int column = p.x() / Cell, row = p.y() / Cell;
    if (column < 0 || column > 3 || row < 0 || row > 3) return;
    emit CellClicked(row * 4 + column, event->button());
}

QLabel* MakeColorPanel(const QString& name, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    panel->setFrameShape(QFrame::Panel);
    panel->setMinimumSize(40, 20);
    SetPanelColor(panel, 0);
    return panel;
}

void SetPanelColor(QLabel* panel, uint32_t color) {
    panel->setProperty("colorValue", color);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ColorFromValue(color));
    panel->setPalette(palette);
}

uint32_t PanelColor(const QLabel* panel) {
    return panel->property("colorValue").toUInt();
}

int32_t EditInteger(const QLineEdit* edit) {
    const std::string text = edit->text().toLatin1().toStdString();
    const int64_t v = StrToInt(text);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<int32_t>(v);
}

void SetEditInteger(QLineEdit* edit, int64_t value) {
    edit->setText(QString::fromLatin1(IntToStr(value).c_str()));
}

FileDialogRequest ListFileRequest(bool save, const std::string& filter, const std::string& ext) {
    FileDialogRequest request;
    request.Save = save;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    request.FileName = ShownPictureFile(ext);
    return request;
}

bool TakeUndoCopy() {
    OperationScope scope;
    if (!scope.Acquired()) return false;
    CopyImageForProcessing();
    const bool copied = ImageBuffersLocked;
    UnlockImageBuffers();
    return copied;
}

bool RestoreUndoCopy() {
    OperationScope scope;
    if (!scope.Acquired()) return false;
    UndoImage();
    return true;
}

void DrawOnPicture(const std::function<void(QPainter&)>& draw) {
    QImage picture = TImageView::PictureImage();
    if (picture.isNull()) return;
    QPainter painter(&picture);
    draw(painter);
    painter.end();
    HookPictureChanged();
}

FontChoice ChoiceOfFont(const QFont& font) {
    FontChoice choice;
    choice.Name = font.family().toStdString();
    choice.Size = font.pointSize();
    choice.Style = font.styleName().toStdString();
    choice.Weight = font.weight();
    choice.Italic = font.italic();
    choice.Stretch = font.stretch();
    choice.Underline = font.underline();
    choice.Strikeout = font.strikeOut();
    return choice;
}

QFont FontOfChoice(const FontChoice& choice) {
    QFont font(QString::fromStdString(choice.Name), choice.Size);
    font.setStyleName(QString::fromStdString(choice.Style));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(choice.Weight, 1, 1000)));
    font.setItalic(choice.Italic);
    font.setStretch(std::clamp(choice.Stretch, 0, 4000));
    font.setUnderline(choice.Underline);
    font.setStrikeOut(choice.Strikeout);
    return font;
}

bool ChooseFontFor(QFont& font, uint32_t& color) {
    FontChoice choice = ChoiceOfFont(font);
    choice.Color = color;
    if (!Hooks.ChooseFont || !Hooks.ChooseFont(choice)) return false;
    font = FontOfChoice(choice);
    color = choice.Color;
    return true;
}
