// On a scaled screen the pointer arrives in fractions of a pixel: every picture the mouse tools
// work on takes the pixel the pointer lies in, up to the last one.
#include "algebra/ui/vColorContortions.h"
#include "histogram/ui/vLinear.h"
#include "histogram/ui/vUHistogramDraw.h"
#include "import/ui/vBandSplitPages.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMarkControls.h"
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

// The histogram pictures, the colour curve and the colour grids pick by the same rule: a pointer
// just short of a boundary is still in what lies before it.
TEST_F(PointerPixel, GraphsAndGridsTakeWhatLiesUnderThePointer) {
    QWidget picture;
    picture.resize(40, 40);
    std::vector<QPoint> seen;
    new MouseWatcher(&picture, [&seen](int, QPoint at) { seen.push_back(at); });
    TLUTGraphImage curve;
    curve.MouseDown = curve.MouseMove =
        curve.MouseUp = [&seen](int x, int y) { seen.emplace_back(x, y); };
    for (const Reach& r : Reaches) {
        SCOPED_TRACE(testing::Message() << r.Scale << " " << r.Device);
        for (QWidget* widget : {&picture, static_cast<QWidget*>(&curve)}) {
            seen.clear();
            const std::vector<QEvent::Type> types =
                widget == &picture
                    ? std::vector<QEvent::Type>{QEvent::MouseMove, QEvent::MouseButtonRelease}
                    : std::vector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseMove,
                                                QEvent::MouseButtonRelease};
            for (QEvent::Type type : types)
                Send(widget, type, At(r));
            EXPECT_EQ(seen, std::vector<QPoint>(types.size(), QPoint(r.Pixel, r.Pixel)));
        }
    }

    // The right half of a cell's last pixel column is still that cell.
    TColorGrid marks("ColorGrid1");
    std::vector<int> picked;
    QObject::connect(&marks, &TColorGrid::CellClicked,
                     [&picked](int index, Qt::MouseButton) { picked.push_back(index); });
    Send(&marks, QEvent::MouseButtonPress, {TColorGrid::Cell - 0.4, 1.5});
    TClassColorGrid classes;
    std::vector<QPoint> cells;
    QObject::connect(&classes, &TClassColorGrid::CellClicked,
                     [&cells](int column, int row) { cells.emplace_back(column, row); });
    Send(&classes, QEvent::MouseButtonPress, {TClassColorGrid::CellSize + 0.6, 3.5});
    EXPECT_EQ(picked, std::vector<int>{0});
    EXPECT_EQ(cells, std::vector<QPoint>{QPoint(0, 0)});
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
