#include "shell/ui/vClassColorGrid.h"

#include "shell/ui/vImageView.h"
#include "shell/ui/vPointer.h"
#include "shell/vLandCoverClasses.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// A cell and the grid line after it.
constexpr int Pitch = TClassColorGrid::CellSize + 1;

} // namespace

QColor ColorValueToQColor(uint32_t color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

TClassColorGrid::TClassColorGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

QSize TClassColorGrid::sizeHint() const {
    return {LandCoverClassCount * Pitch + 1, ClassGridRows * Pitch + 1};
}

bool TClassColorGrid::CellAt(QPoint p, int& column, int& row) {
    if (p.x() < 1 || p.y() < 1) return false;
    const int x = p.x() - 1, y = p.y() - 1;
    if (x % Pitch == CellSize || y % Pitch == CellSize) return false;
    column = x / Pitch;
    row = y / Pitch;
    return column < LandCoverClassCount && row < ClassGridRows;
}

QPoint TClassColorGrid::CellCentre(int column, int row) {
    return {1 + column * Pitch + CellSize / 2, 1 + row * Pitch + CellSize / 2};
}

void TClassColorGrid::SetSelected(int column, int row) {
    Column = column;
    Row = row;
    update();
}

void TClassColorGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    for (int c = 0; c < LandCoverClassCount; ++c)
        for (int r = 0; r < ClassGridRows; ++r)
            painter.fillRect(1 + c * Pitch, 1 + r * Pitch, CellSize, CellSize,
                             ColorValueToQColor(*ClassCellColor(c, r)));
    QPen pen(palette().color(QPalette::Highlight), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(2 + Column * Pitch, 2 + Row * Pitch, CellSize - 2, CellSize - 2);
}

void TClassColorGrid::mousePressEvent(QMouseEvent* event) {
    int column = 0, row = 0;
    if (event->button() == Qt::LeftButton && CellAt(PixelUnder(*this, *event), column, row))
        emit CellClicked(column, row);
}

TColorPanel::TColorPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setMinimumSize(40, 24);
}

void TColorPanel::SetColor(uint32_t color) {
    Value = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorValueToQColor(color));
    setPalette(p);
}

void TColorPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked();
}
