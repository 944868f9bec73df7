// Image1: paints the displayed picture straight from its memory and reports mouse events in
// picture coordinates.
#pragma once

#include <QImage>
#include <QWidget>

class TImageView : public QWidget {
    Q_OBJECT
  public:
    explicit TImageView(QWidget* parent = nullptr);
    // The displayed picture wrapped without a copy; drawing on it changes the picture.
    static QImage PictureImage();
    // Follows the picture's size after a load or an operation.
    void PictureChanged();
    QSize sizeHint() const override;

  signals:
    void MouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseMove(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void MouseUp(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
