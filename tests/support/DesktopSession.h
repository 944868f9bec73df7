// For gui tests that need a real X11 desktop with a window manager (scripts/desktop-tests starts
// one): elsewhere they are skipped.
#pragma once

#include "shell/ui/vScreenPlace.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

inline constexpr const char* DesktopOnly = "needs an X11 desktop: run by scripts/desktop-tests";

inline bool OnDesktop() {
    return QGuiApplication::platformName() == "xcb";
}

// Waits until the shown window is where it opens: framed by the window manager and placed.
// Placing ends by itself, however the window manager behaves; on a loaded machine late.
inline bool WaitPlaced(QWidget& window) {
    return QTest::qWaitFor([&] { return !Placing(window); }, 30000) &&
           FrameGeometry(window).size() != window.size();
}
