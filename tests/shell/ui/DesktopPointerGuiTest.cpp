// On a scaled X11 screen the real pointer, moved over every screen pixel of a picture's row and
// column, takes the picture pixel drawn under it. Run by scripts/desktop-tests at scales 1.25,
// 1.5, 1.75, 2 and 3, where the toolkit gives the pointer's place rounded to whole scaled units.
#include "shell/ui/AllSplash.h"
#include "shell/ui/vImageView.h"
#include "support/DesktopSession.h"
#include "support/GuiStartup.h"

#include <QProcess>
#include <QScreen>

#include <cmath>

namespace {

class DesktopPointer : public GuiStartup {
  protected:
    void SetUp() override {
        if (!OnDesktop()) GTEST_SKIP() << DesktopOnly;
        GuiStartup::SetUp();
    }
};

bool MovePointer(QPoint device) {
    return QProcess::execute("xdotool", {"mousemove", QString::number(device.x()),
                                         QString::number(device.y())}) == 0;
}

TEST_F(DesktopPointer, ThePixelTakenIsThePixelDrawnUnderThePointer) {
    constexpr int Side = 12;
    Form->FormCreate({});
    // The splash would take the pointer where it covers the picture, as it does at scale 3.
    if (Form->SplashScreen) Form->SplashScreen->close();
    DisplayedPicture.Resize(Side, Side);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            DisplayedPicture.At(x, y) =
                PackPixel(static_cast<uint8_t>(20 * x + 3), static_cast<uint8_t>(20 * y + 5), 77);
    Form->PictureChanged();
    Form->resize(400, 300);
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form));
    ASSERT_TRUE(WaitPlaced(*Form));
    QTest::qWait(300);

    std::vector<QPoint> taken;
    QObject::connect(Form->Image1, &TImageView::MouseMove,
                     [&taken](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) {
                         taken.emplace_back(x, y);
                     });
    const double scale = Form->devicePixelRatio();
    ASSERT_GT(scale, 1.0) << "run at a scaled screen";
    const QImage screen = Form->screen()->grabWindow(0).toImage();
    ASSERT_EQ(screen.width(), 1280) << "the grab is in screen pixels";
    const QPoint origin = Form->Image1->mapToGlobal(QPoint(0, 0));
    const QPoint first(static_cast<int>(std::floor(origin.x() * scale)),
                       static_cast<int>(std::floor(origin.y() * scale)));
    const int span = static_cast<int>(std::ceil(Side * scale));

    // Along the picture's row 5 and down its column 7, screen pixel by screen pixel.
    std::vector<QPoint> devices;
    for (int d = 0; d < span; ++d) {
        devices.push_back(first + QPoint(d, static_cast<int>(5.5 * scale)));
        devices.push_back(first + QPoint(static_cast<int>(7.5 * scale), d));
    }
    // Each place differs from the one before, and from where the pointer starts.
    // The pointer goes into the picture away from them first: entering a window may come
    // without a move.
    const QPoint inside =
        first + QPoint(static_cast<int>(2.5 * scale), static_cast<int>(2.5 * scale));
    for (const QPoint start : {inside, inside + QPoint(1, 1)})
        ASSERT_TRUE(MovePointer(start));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !taken.empty(); }, 3000));
    int checked = 0, missed = 0;
    for (const QPoint device : devices) {
        const QRgb shown = screen.pixel(device) & 0xFFFFFF;
        // A screen pixel outside the picture shows none of its colours.
        if ((shown & 0xFF) != 77 && (shown & 0xFF0000) >> 16 != 77) continue;
        SCOPED_TRACE(testing::Message() << "screen pixel " << device.x() << "," << device.y());
        taken.clear();
        ASSERT_TRUE(MovePointer(device));
        // The toolkit finds the widget under the pointer at its rounded place: on the half
        // screen pixel at the picture's left or top edge that is the widget around it.
        if (!QTest::qWaitFor([&] { return !taken.empty(); }, 1000)) {
            ++missed;
            continue;
        }
        const QPoint p = taken.back();
        ASSERT_TRUE(p.x() >= 0 && p.y() >= 0 && p.x() < Side && p.y() < Side)
            << p.x() << "," << p.y();
        EXPECT_EQ(DisplayedPicture.At(p.x(), p.y()) & 0xFFFFFF, shown)
            << "took " << p.x() << "," << p.y();
        ++checked;
    }
    EXPECT_LE(missed, 2);
    EXPECT_GE(checked, span);
}

} // namespace
