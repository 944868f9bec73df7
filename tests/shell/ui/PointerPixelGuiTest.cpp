// On a scaled screen the pointer arrives in fractions of a pixel: every picture the mouse tools
// work on takes the pixel the pointer lies in, up to the last one.
#include "histogram/ui/vLinear.h"
#include "import/ui/vBandSplitPages.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vREIV.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>

#include <cmath>

namespace {

// Device pixel d of a screen at `scale` reaches the program as position d / scale.
struct Reach {
    double Scale;
    int Device;
    int Pixel;
};
const Reach Reaches[] = {
    {1.5, 0, 0}, {1.5, 1, 0}, {1.5, 2, 1}, {1.5, 4, 2},  {1.5, 14, 9},
    {2.0, 0, 0}, {2.0, 1, 0}, {2.0, 2, 1}, {2.0, 19, 9},
};
constexpr int Width = 10; // the pictures are 10 wide: 9 is the last pixel

QPointF At(const Reach& r, int row = 0) {
    return {r.Device / r.Scale, row + r.Device / r.Scale};
}

void Send(QWidget* widget, QEvent::Type type, QPointF position) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class PointerPixel : public GuiStartup {};

TEST_F(PointerPixel, FractionsRoundDownToThePixelTheyLieIn) {
    for (const Reach& r : Reaches) {
        SCOPED_TRACE(testing::Message() << r.Scale << " " << r.Device);
        EXPECT_EQ(PixelUnder(At(r)), QPoint(r.Pixel, r.Pixel));
        EXPECT_EQ(PixelUnder(-At(r) - QPointF(0.25, 0.25)), QPoint(-r.Pixel - 1, -r.Pixel - 1));
    }
    EXPECT_EQ(PixelUnder({1e12, -1e12}),
              QPoint(std::numeric_limits<int>::max(), std::numeric_limits<int>::min()));
}

TEST_F(PointerPixel, EveryMouseToolTakesThePixelUnderThePointer) {
    DisplayedPicture.Resize(Width, Width);
    Form->PictureChanged();
    TREIVForm viewer(Form);
    viewer.PreprocessPicture.Resize(Width, Width);
    viewer.PictureChanged();
    TCropPreviewLabel crop;

    std::vector<QPoint> seen;
    auto note = [&seen](int x, int y) { seen.emplace_back(x, y); };
    using B = Qt::MouseButton;
    using Bs = Qt::MouseButtons;
    using M = Qt::KeyboardModifiers;
    QObject::connect(Form->Image1, &TImageView::MouseDown, [&](int x, int y, B, M) { note(x, y); });
    QObject::connect(Form->Image1, &TImageView::MouseMove,
                     [&](int x, int y, Bs, M) { note(x, y); });
    QObject::connect(Form->Image1, &TImageView::MouseUp, [&](int x, int y, B, M) { note(x, y); });
    QObject::connect(viewer.Image1, &TPreviewImage::MouseDown,
                     [&](int x, int y, B) { note(x, y); });
    QObject::connect(viewer.Image1, &TPreviewImage::MouseMove, note);
    QObject::connect(viewer.Image1, &TPreviewImage::MouseUp, [&](int x, int y, B) { note(x, y); });
    QObject::connect(&crop, &TCropPreviewLabel::Moved, note);
    QObject::connect(&crop, &TCropPreviewLabel::Pressed, [&](B, int x, int y) { note(x, y); });
    const std::vector<std::pair<QWidget*, std::vector<QEvent::Type>>> widgets = {
        {Form->Image1, {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}},
        {viewer.Image1, {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}},
        {&crop, {QEvent::MouseButtonPress, QEvent::MouseMove}},
    };
    for (const Reach& r : Reaches) {
        SCOPED_TRACE(testing::Message() << r.Scale << " " << r.Device);
        for (const auto& [widget, types] : widgets) {
            SCOPED_TRACE(widget->metaObject()->className());
            seen.clear();
            for (QEvent::Type type : types)
                Send(widget, type, At(r, 1));
            EXPECT_EQ(seen, std::vector<QPoint>(types.size(), QPoint(r.Pixel, r.Pixel + 1)));
        }
    }
}

// The wand starts from the pixel under the pointer: on the right half of the last pixel it must
// still start there, not refuse a place outside the preview.
TEST_F(PointerPixel, TheWandStartsOnTheLastPixel) {
    TLinearForm linear(Form);
    DisplayedPicture.Resize(Width, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < Width; ++x)
            DisplayedPicture.At(x, y) = x < 5 ? PackPixel(50, 60, 70) : PackPixel(200, 10, 10);
    linear.MagicWand2->click();
    linear.WandTrackBar->setValue(1);
    const Picture before = linear.Preview;
    for (const double scale : {1.5, 2.0}) {
        SCOPED_TRACE(scale);
        linear.Preview = before;
        const double last = std::floor(Width * scale - 1) / scale;
        Send(linear.PreviewImage, QEvent::MouseButtonRelease, {last, last * 5 / Width});
        EXPECT_NE(linear.Preview.Pixels, before.Pixels);
    }
    WandActive = false;
}

} // namespace
