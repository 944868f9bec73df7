#include "runtime/RtFiles.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vResize.h"
#include "shell/ui/vRotate.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/PngFixtures.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <png.h>

#include <functional>

namespace {

class PreprocessViewer : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        Viewer = new TREIVForm(Form);
        Viewer->show();
        ImageDirectory = Dir.Path();
        Rec->Clear();
    }
    void TearDown() override {
        delete Viewer;
        GuiStartup::TearDown();
    }

    // A picture of `w` x `h` whose every pixel names its place.
    void Give(int w, int h) {
        Picture& p = Viewer->PreprocessPicture;
        p.Resize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                p.At(x, y) = PackPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                       static_cast<uint8_t>(x ^ y));
        Original = p;
        Viewer->PictureChanged();
    }
    PictureSize Size() const {
        return {Viewer->PreprocessPicture.Width, Viewer->PreprocessPicture.Height};
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Viewer->Image1, Qt::LeftButton, {}, from);
        QTest::mouseMove(Viewer->Image1, (from + to) / 2);
        QTest::mouseMove(Viewer->Image1, to);
        QTest::mouseRelease(Viewer->Image1, Qt::LeftButton, {}, to);
    }
    // Runs `act` on the modal dialog of type T that `open` shows; `act` must end it.
    template <typename T>
    void OnDialog(const std::function<void()>& open, const std::function<void(T*)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(dialog);
        });
        open();
        EXPECT_TRUE(seen);
    }

    TREIVForm* Viewer = nullptr;
    Picture Original;
};

} // namespace

TEST_F(PreprocessViewer, OpenReadsIntoTheViewerAloneAndNamesTheConversion) {
    DisplayedPicture.Resize(3, 3);
    const std::vector<uint32_t> mainBefore = DisplayedPicture.Pixels;
    const PngFixture fixture = MakePngFixture(PNG_COLOR_TYPE_PALETTE, 8, false, 20, 10);
    ASSERT_TRUE(MakeDirectories(Dir.File("sub/")));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("sub/pal.png"), WritePngFixture(fixture),
                                TReplaceLeave::Chosen(Dir.File("sub/pal.png"))));
    Rec->FileAnswers.push_back(Dir.File("sub/pal.png"));
    Viewer->F_Open->trigger();
    ASSERT_EQ(Rec->FileRequests.size(), 1u);
    EXPECT_EQ(Rec->FileRequests[0].Filter, "All (*.bmp;*.png)|*.bmp;*.png");
    EXPECT_EQ(Rec->FileRequests[0].InitialDir, Dir.Path());
    EXPECT_EQ(ImageDirectory, Dir.File("sub/"));
    EXPECT_EQ(Viewer->PreprocessFileName, "pal.png");
    EXPECT_EQ(Size(), (PictureSize{20, 10}));
    EXPECT_EQ(Viewer->Image1->size(), QSize(20, 10));
    EXPECT_TRUE(Rec->Shown(42)) << Rec->Summary();
    EXPECT_EQ(DisplayedPicture.Pixels, mainBefore);
    // Another kind of file loads nothing and keeps the picture.
    Viewer->LoadFromFile("notes.txt");
    EXPECT_EQ(Size(), (PictureSize{20, 10}));

    // A file that cannot be read leaves the picture and its name, so Save cannot write over it.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("bad.png"), std::string("\x89PNG broken"),
                                TReplaceLeave::Chosen(Dir.File("bad.png"))));
    Rec->FileAnswers.push_back(Dir.File("bad.png"));
    Viewer->F_Open->trigger();
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u);
    EXPECT_EQ(Viewer->PreprocessFileName, "pal.png");
    EXPECT_EQ(ImageDirectory, Dir.File("sub/"));
    Viewer->F_Save->trigger();
    EXPECT_EQ(FileSizeOf(Dir.File("bad.png")), 11);
}

TEST_F(PreprocessViewer, FixedCropsAreRefusedOnTooSmallPicturesWithTheirMessage) {
    const struct {
        QAction* TREIVForm::*Item;
        int Side;
        int Message;
    } cases[] = {{&TREIVForm::EFS_Crop256, 256, 39980},
                 {&TREIVForm::EFS_Crop512, 512, 39979},
                 {&TREIVForm::EFS_Crop1024, 1024, 39978}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Side);
        Give(c.Side, c.Side + 40);
        Rec->Clear();
        (Viewer->*c.Item)->trigger();
        EXPECT_TRUE(Rec->Shown(c.Message)) << Rec->Summary();
        EXPECT_EQ(Viewer->FixedCropSide, 0);

        Give(c.Side + 40, c.Side + 10);
        Rec->Clear();
        (Viewer->*c.Item)->trigger();
        EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
        // Pressed too near the right edge, the box jumps to the left edge.
        Drag(QPoint(39, 5), QPoint(39, 5));
        ASSERT_EQ(Size(), (PictureSize{c.Side, c.Side}));
        EXPECT_EQ(Viewer->PreprocessPicture.At(0, 0), Original.At(0, 5));
        EXPECT_EQ(Viewer->FixedCropSide, 0);
    }
}

TEST_F(PreprocessViewer, ResizeKeepsTheAspectAndRefusesSidesThatAreNoNumberOrBelowOne) {
    Give(640, 480);
    const struct {
        const char* Width;
        const char* Error;
    } refused[] = {{"abc", "'abc' is not a valid integer value"},
                   {"0", "'0' is not a valid size: a side is 1 to 32767 pixels"}};
    for (const auto& r : refused) {
        Rec->Clear();
        OnDialog<TResizeForm>([&] { Viewer->E_Resize->trigger(); },
                              [&](TResizeForm* dialog) {
                                  dialog->Width->setText(r.Width);
                                  dialog->OKButton->click();
                                  EXPECT_TRUE(dialog->isVisible());
                                  dialog->CancelButton->click();
                              });
        EXPECT_EQ(Rec->ErrorBoxes, std::vector<std::string>{r.Error});
        EXPECT_EQ(Size(), (PictureSize{640, 480}));
    }
    OnDialog<TResizeForm>([&] { Viewer->E_Resize->trigger(); },
                          [&](TResizeForm* dialog) {
                              EXPECT_EQ(dialog->Height->text(), "480");
                              EXPECT_EQ(dialog->Width->text(), "640");
                              dialog->Width->setText("100");
                              dialog->OKButton->click();
                          });
    EXPECT_EQ(Size(), (PictureSize{100, 75}));
}

TEST_F(PreprocessViewer, SaveWritesByTheNameAndExportsLeaveTheNameAlone) {
    Viewer->F_Save->trigger();
    EXPECT_TRUE(Rec->Shown(46));
    Give(12, 8);
    Viewer->PreprocessFolder = Dir.Path();
    Viewer->PreprocessFileName = "field.txt";
    // Another window has moved the working folder since: the viewer proposes and saves in its
    // own.
    TempDir other;
    ImageDirectory = other.Path();
    Viewer->F_Save->trigger();
    EXPECT_FALSE(FileExists(Dir.File("field.txt")));

    Rec->FileAnswers.push_back(Dir.File("turned.png"));
    Viewer->FS_PNG->trigger();
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("field.png"));
    EXPECT_EQ(Viewer->PreprocessFileName, "turned.png");
    EXPECT_EQ(ReadPictureFile(Dir.File("turned.png")).Image.Pixels, Original.Pixels);

    const struct {
        QAction* TREIVForm::*Item;
        const char* Name;
        const char* Magic;
        const char* Proposed;
    } exports[] = {{&TREIVForm::FS_BMP, "copy.bmp", "BM", "turned.bmp"},
                   {&TREIVForm::FS_JPG, "copy.JPG", "\xFF\xD8", "turned.jpg"}};
    for (const auto& e : exports) {
        Rec->FileAnswers.push_back(Dir.File(e.Name));
        (Viewer->*e.Item)->trigger();
        EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File(e.Proposed));
        std::string bytes = FileText(Dir.File(e.Name));
        EXPECT_EQ(bytes.substr(0, 2), e.Magic);
        EXPECT_EQ(Viewer->PreprocessFileName, "turned.png");
    }
    Rec->FileAnswers.push_back(Dir.File("copy.png"));
    Viewer->FS_BMP->trigger();
    EXPECT_FALSE(FileExists(Dir.File("copy.png")));
    EXPECT_TRUE(FolderBytes(other.Path()).empty());
}

TEST_F(PreprocessViewer, FreeCropByMouseDragKeepsTheBoxAboveItsSmallestSize) {
    const struct {
        const char* Name;
        bool Armed;
        QPoint Press;
        std::vector<QPoint> Moves;
        PictureSize Size;
        QPoint Corner;
    } cases[] = {
        {"a box", true, {10, 20}, {{60, 50}}, {50, 30}, {10, 20}},
        {"the smallest box", true, {10, 20}, {{43, 44}}, {33, 24}, {10, 20}},
        {"one column too narrow", true, {10, 20}, {{42, 50}}, {100, 80}, {0, 0}},
        {"one row too short", true, {10, 20}, {{60, 43}}, {100, 80}, {0, 0}},
        {"the pointer back above and left of the start",
         true,
         {10, 20},
         {{60, 50}, {5, 10}},
         {50, 30},
         {10, 20}},
        {"the pointer on the right edge",
         true,
         {10, 20},
         {{60, 50}, {100, 79}},
         {50, 59},
         {10, 20}},
        {"not armed", false, {10, 20}, {{60, 50}}, {100, 80}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Give(100, 80);
        if (c.Armed) Viewer->E_Crop->trigger();
        QTest::mousePress(Viewer->Image1, Qt::LeftButton, {}, c.Press);
        for (const QPoint& to : c.Moves)
            QTest::mouseMove(Viewer->Image1, to);
        QTest::mouseRelease(Viewer->Image1, Qt::LeftButton, {}, c.Moves.back());
        EXPECT_FALSE(Viewer->FreeCropArmed);
        EXPECT_FALSE(FreeCropDragging);
        ASSERT_EQ(Size(), c.Size);
        EXPECT_EQ(Viewer->PreprocessPicture.At(0, 0), Original.At(c.Corner.x(), c.Corner.y()));
        EXPECT_EQ(Viewer->Image1->size(), QSize(c.Size.Width, c.Size.Height));
    }
}

TEST_F(PreprocessViewer, RotateCentresOnShowTimesEachTurnAndKeepsItOnRequest) {
    const struct {
        int W, H;
        int I, J;
    } centres[] = {{101, 61, 50, 30}, {900, 500, 360, 250}};
    for (const auto& c : centres) {
        SCOPED_TRACE(c.W);
        Give(c.W, c.H);
        OnDialog<TRotateForm>([&] { Viewer->IZ_Rotate->trigger(); },
                              [&](TRotateForm* dialog) {
                                  EXPECT_EQ(dialog->SpinEditI->value(), c.I);
                                  EXPECT_EQ(dialog->SpinEditJ->value(), c.J);
                                  EXPECT_EQ(dialog->SpinEditThetaDegrees->value(), 45);
                                  EXPECT_FALSE(dialog->Busy);
                                  EXPECT_EQ(dialog->Rotated.Width, c.W);
                                  // 45 degrees: the corners come from outside, pure blue.
                                  EXPECT_EQ(dialog->Rotated.At(0, 0), PackPixel(0, 0, 255));
                                  dialog->reject();
                              });
        EXPECT_EQ(Viewer->PreprocessPicture.Pixels, Original.Pixels);
    }

    // A quarter turn clockwise of a 40 x 40 picture about (20, 20): the result's column x and
    // row y come from the source's column y and row 39 - x, nothing from outside.
    Give(40, 40);
    OnDialog<TRotateForm>([&] { Viewer->IZ_Rotate->trigger(); },
                          [&](TRotateForm* dialog) {
                              dialog->SpinEditThetaDegrees->setValue(90);
                              EXPECT_TRUE(QRegularExpression("^Rotation Time = \\d+ ms$")
                                              .match(dialog->windowTitle())
                                              .hasMatch())
                                  << dialog->windowTitle().toStdString();
                              EXPECT_EQ(Viewer->PreprocessPicture.Pixels, Original.Pixels);
                              dialog->ButtonSaveRotated->click();
                              EXPECT_FALSE(dialog->KeepRotated);
                              dialog->reject();
                          });
    ASSERT_EQ(Size(), (PictureSize{40, 40}));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(Viewer->PreprocessPicture.At(x, y), Original.At(y, 39 - x)) << x << "," << y;
}

// A typed size is held to the picture loader's limit before any pixel is had; refused, the
// picture on show stays and the message names the size.
TEST_F(PreprocessViewer, SizesTypedOrPastedAreHeldToThePictureMemoryLimit) {
    const uint64_t machine = PictureMemoryLimit;
    const struct {
        const char* Name;
        int64_t W, H; // the picture the command would make
        std::function<void()> Run;
    } commands[] = {
        {"resize", 100, 75,
         [&] {
             OnDialog<TResizeForm>([&] { Viewer->E_Resize->trigger(); },
                                   [](TResizeForm* dialog) {
                                       dialog->Width->setText("100");
                                       dialog->OKButton->click();
                                   });
         }},
        {"rotate", 64, 48,
         [&] {
             // Refused, the dialog never opens; let in, it is closed at once.
             QTimer::singleShot(0, [] {
                 if (auto* d = qobject_cast<TRotateForm*>(QApplication::activeModalWidget()))
                     d->reject();
             });
             Viewer->IZ_Rotate->trigger();
         }},
        {"paste", 70, 30,
         [&] {
             QImage image(70, 30, QImage::Format_RGB32);
             image.fill(Qt::red);
             QApplication::clipboard()->setImage(image);
             Viewer->E_Paste->trigger();
         }},
    };
    for (const auto& c : commands) {
        for (const bool over : {true, false}) {
            SCOPED_TRACE(std::string(c.Name) + (over ? " one byte over" : " at the limit"));
            Give(64, 48);
            Rec->Clear();
            PictureMemoryLimit = PictureMemoryNeed(c.W, c.H) - (over ? 1 : 0);
            const std::string sizeLine = PictureMemoryText(c.W, c.H);
            c.Run();
            PictureMemoryLimit = machine;
            if (over) {
                ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
                EXPECT_EQ(Rec->Messages[0].Text, MessageText(39956) + "\r\n" + sizeLine);
                EXPECT_EQ(Viewer->PreprocessPicture.Pixels, Original.Pixels);
            } else {
                EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
                EXPECT_EQ(Size(), (PictureSize{static_cast<int>(c.W), static_cast<int>(c.H)}));
            }
        }
    }
}
