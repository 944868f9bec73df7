// Image1: paints the displayed picture straight from its memory and reports mouse events in
// picture coordinates. The temporary marks of the mouse modes (rubber bands, the pixel box, a
// mark being dragged) live on this view only: they are painted over the picture at every
// repaint and never written into its pixels, so no save, export, copy for processing or engine
// can see them.
#pragma once

#include "shell/vPicture.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

class TImageView : public QWidget {
    Q_OBJECT
  public:
    explicit TImageView(QWidget* parent = nullptr);
    // The displayed picture wrapped without a copy; drawing on it changes the picture for good.
    static QImage PictureImage();
    // Follows the picture's size after a load or an operation.
    void PictureChanged();
    QSize sizeHint() const override;

    // Draws a tool's temporary marks from the tool's own state (its mode flags and corners):
    // nothing when the tool shows none. The painter works in picture pixels with inverting ink
    // (a hairline pen, no brush) over a copy of the picture, so shapes look as an inverting pen
    // on the picture would.
    using MarkPainter = std::function<void(QPainter& painter)>;
    // Adds a tool's painter for as long as `owner` lives. After changing the state the painter
    // reads, the tool calls update(); there is nothing to erase: a mark the state no longer
    // holds is simply not painted again.
    void AddMarkPainter(QObject* owner, MarkPainter painter);
    // The picture as the view shows it now, temporary marks included (what the user sees).
    QImage ShownImage() const;

  signals:
    void MouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MouseMove(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void MouseUp(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    struct MarkLayer {
        QObject* Owner;
        MarkPainter Paint;
    };
    // The picture's part `area` with the marks painted over it.
    QImage MarkedPart(const QRect& area) const;
    std::vector<MarkLayer> MarkLayers;
};

// Any picture wrapped without a copy, as the toolkit paints and writes it (empty: a null image).
QImage WrapPicture(const Picture& picture);
// A toolkit image of any format as a picture.
Picture PictureFromImage(const QImage& image);
