// TSplashScreen, the borderless window shown while the program starts: a picture, a panel with
// the caption of the splash table, and a timer that closes it.
#pragma once

#include <QPixmap>
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

class TSplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit TSplashScreen(QWidget* parent = nullptr);

    QLabel* Image = nullptr;
    QFrame* Panel = nullptr;
    QLabel* CaptionLabel = nullptr;
    QTimer* Timer = nullptr;

    // Sets the caption from the splash table by index and the time until the window closes.
    void SplashSet(int index, int interval);
    void TimerTimer();
    void SplashPanelClick();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The caption of a splash-table index; empty for an index without one.
QString SplashCaption(int index);

// The program's emblem: a landscape of coloured bands under a sky, drawn rather than shipped.
QPixmap SplashPicture(int width, int height);
