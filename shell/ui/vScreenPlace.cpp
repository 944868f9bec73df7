#include "shell/ui/vScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint PlaceOnScreen(QPoint corner, QSize size) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return corner;
    const QRect area = screen->availableGeometry();
    const int right = area.x() + area.width() - size.width();
    const int bottom = area.y() + area.height() - size.height();
    return {std::max(area.x(), std::min(corner.x(), right)),
            std::max(area.y(), std::min(corner.y(), bottom))};
}

void MoveToStoredPlace(QWidget& window, int32_t left, int32_t top) {
    window.move(PlaceOnScreen({left, top}, {0, 0}));
}

void KeepOnScreen(QWidget& window) {
    const QPoint place = PlaceOnScreen(window.pos(), window.frameSize());
    if (place != window.pos()) window.move(place);
}
