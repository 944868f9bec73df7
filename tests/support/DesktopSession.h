// For gui tests that need a real X11 desktop with a window manager (scripts/desktop-tests starts
// one): elsewhere they are skipped.
#pragma once

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

inline constexpr const char* DesktopOnly = "needs an X11 desktop: run by scripts/desktop-tests";

inline bool OnDesktop() {
    return QGuiApplication::platformName() == "xcb";
}

// Waits until the window manager has put its frame around the shown window.
inline bool WaitFramed(QWidget& window) {
    return QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 5000);
}
