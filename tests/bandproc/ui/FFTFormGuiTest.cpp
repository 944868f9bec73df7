#include "bandproc/ui/vFFTFrm.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vMacroCodes.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class FFTWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        ImageDirectory = Dir.Path();
        FFT = static_cast<TFFTForm*>(Form->ToolForm(tfFFT));
        FFT->show();
        Rec->Clear();
    }
    void TearDown() override {
        MacroRecording = false;
        HeaderPages = THeaderPages();
        GuiStartup::TearDown();
    }

    // A square picture whose every channel spans 0..255, written as `name`.
    std::string SquarePicture(const std::string& name, int side) {
        Picture p;
        p.Resize(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                p.At(x, y) = PackPixel(static_cast<uint8_t>(x * 255 / (side - 1)),
                                       static_cast<uint8_t>((x * 7 + y * 13) % 256),
                                       static_cast<uint8_t>(y * 255 / (side - 1)));
        WritePictureFile(Dir.File(name), p, PictureKindOf(name),
                         TReplaceLeave::Chosen(Dir.File(name)));
        return Dir.File(name);
    }
    void Answer(const std::string& path) { Rec->FileAnswers.push_back(path); }
    // A 32 x 32 DIS and its band scene.B01, samples 20..219; returns the DIS's path.
    std::string SceneWithBand() {
        HeaderPages.RIHMakeDISDISHeaders(Dir.File("scene.png"), 32, 32);
        std::vector<uint8_t> samples(32 * 32);
        for (size_t k = 0; k < samples.size(); ++k)
            samples[k] = static_cast<uint8_t>(20 + (k * 37) % 200);
        EXPECT_TRUE(WriteFileAtomic(Dir.File("scene.B01"), samples,
                                    TReplaceLeave::Chosen(Dir.File("scene.B01"))));
        return HeaderPages.DISFilePath();
    }

    QPointer<TFFTForm> FFT;
};

} // namespace

// The run lets window messages in once per line; a close arriving then would free the spectrum
// under the loop, so the window stays open until the run has ended.
TEST_F(FFTWindow, WhileBusyTheWindowRefusesToClose) {
    Answer(SquarePicture("square.png", 64));
    FFT->PngBtn->click();
    ASSERT_TRUE(FFT->PictureLoaded);
    Hooks.ProcessMessages = [] { QCoreApplication::processEvents(); };
    bool visibleAfterClose = false;
    QTimer::singleShot(0, FFT, [&] {
        FFT->close();
        FFT->CloseBtn->click();
        visibleAfterClose = FFT->isVisible();
        FFT->PngBtn->click();
    });
    const size_t requests = Rec->FileRequests.size();
    FFT->ProcessFFTBtn->click();
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_EQ(Rec->FileRequests.size(), requests) << "no open while the run works";
    EXPECT_TRUE(FFT->windowTitle().startsWith("Hours 0Minutes 0."));
    EXPECT_NE(FormToFree, tfFFT);
    EXPECT_EQ(FFT->OutPicture.Pixels, FFT->InPicture.Pixels) << "low pass 53 keeps all of 64";

    FFT->CloseBtn->click();
    EXPECT_FALSE(FFT->isVisible());
    EXPECT_EQ(FormToFree, tfFFT);
    EXPECT_TRUE(FFT->Spectrum.Re.empty());
}

TEST_F(FFTWindow, PictureOpenRecordsItsOpenAndSavesTheResult) {
    MacroRecording = true;
    Answer(SquarePicture("square.png", 32));
    FFT->PngBtn->click();
    EXPECT_EQ(Rec->MacroLines,
              (std::vector<std::string>{MacroCommandLine(3), Dir.Path(), "square.png"}));
    EXPECT_EQ(FFT->BandEdit->text(), "square.png");
    FFT->ProcessFFTBtn->click();

    Answer(Dir.File("out.bmp"));
    Answer(Dir.File("out.PNG"));
    Answer(Dir.File("out.B07"));
    for (int i = 0; i < 3; ++i)
        FFT->SaveFFTBtn->click();
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("square.png"));
    EXPECT_EQ(Rec->FileRequests.back().Filter, "All (*.bmp;*.png)|*.bmp;*.png");
    for (const char* name : {"out.bmp", "out.PNG"})
        EXPECT_EQ(ReadPictureFile(Dir.File(name)).Image.Pixels, FFT->OutPicture.Pixels) << name;
    std::vector<uint8_t> band = FileBytes(Dir.File("out.B07"));
    ASSERT_EQ(band.size(), 32u * 32u);
    EXPECT_EQ(band[31], 255);
    EXPECT_EQ(band[5 * 32 + 0], 0);

    Answer(Dir.File("spectrum.bmp"));
    QTest::mouseRelease(FFT->FFTImage, Qt::LeftButton);
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("square.bmp"));
    EXPECT_EQ(ReadPictureFile(Dir.File("spectrum.bmp")).Image.Pixels, FFT->FFTPicture.Pixels);
}

// A DIS, then a band of its subset: the band's range goes into the parameter boxes, and each
// "Do" starts again from the loaded samples.
TEST_F(FFTWindow, BandOfAnOpenedDISRunsRepeatably) {
    const std::string dis = SceneWithBand();
    EXPECT_FALSE(FFT->BandBtn->isEnabled());
    Answer(dis);
    FFT->OpenBtn->click();
    ASSERT_TRUE(FFT->DISOpened);
    EXPECT_EQ(FFT->DISNameEdit->text().toStdString(), ExtractFileName(dis));
    // A picture opened in between does not change the side the DIS's bands are read with.
    Answer(SquarePicture("other.png", 16));
    FFT->PngBtn->click();
    FFT->PictureLoaded = false;
    Answer(Dir.File("scene.B01"));
    FFT->BandBtn->click();
    ASSERT_TRUE(FFT->BandLoaded);
    EXPECT_EQ(FFT->InPicture.Width, 32);
    EXPECT_EQ(FFT->Edit1->text(), "20");
    EXPECT_EQ(FFT->Edit2->text(), "219");

    FFT->Edit1->setText("6");
    FFT->ProcessFFTBtn->click();
    const std::vector<uint32_t> first = FFT->OutPicture.Pixels;
    const std::vector<uint32_t> spectrum = FFT->FFTPicture.Pixels;
    FFT->ProcessFFTBtn->click();
    EXPECT_EQ(FFT->OutPicture.Pixels, first);
    EXPECT_EQ(FFT->FFTPicture.Pixels, spectrum);
    EXPECT_NE(first, FFT->InPicture.Pixels);
}

// The workbench's saves refuse a name that is one of the files it read: they used to write the
// result over the band, the picture or the DIS it came from.
TEST_F(FFTWindow, SavesNeverReplaceWhatTheWorkbenchRead) {
    const std::string dis = SceneWithBand();
    const std::string picture = SquarePicture("square.bmp", 32);
    Answer(dis);
    FFT->OpenBtn->click();
    Answer(Dir.File("scene.B01"));
    FFT->BandBtn->click();
    // A low pass, so that every result differs from what it was made from.
    FFT->Edit1->setText("6");
    FFT->ProcessFFTBtn->click();
    const struct {
        const char* Name;
        std::string Read;
        std::function<void()> Load;
        std::function<void()> Save;
    } cases[] = {
        {"band over its band", Dir.File("scene.B01"), [] {}, [this] { FFT->SaveFFTBtn->click(); }},
        {"band over its DIS", dis, [] {}, [this] { FFT->SaveFFTBtn->click(); }},
        {"picture over its picture", picture,
         [&] {
             Answer(picture);
             FFT->PngBtn->click();
             FFT->ProcessFFTBtn->click();
         },
         [this] { FFT->SaveFFTBtn->click(); }},
        {"spectrum over its picture", picture, [] {},
         [this] { QTest::mouseRelease(FFT->FFTImage, Qt::LeftButton); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Load();
        const std::vector<uint8_t> before = FileBytes(c.Read);
        Rec->Clear();
        Answer(c.Read);
        c.Save();
        EXPECT_TRUE(Rec->Shown(27)) << Rec->Summary();
        EXPECT_EQ(FileBytes(c.Read), before);
    }
}

// A DIS that cannot be read leaves the one opened before in place: its side, its name and the
// folder. The window used to take the new name and folder and keep the old side.
TEST_F(FFTWindow, DISThatFailsToReadKeepsThePreviousOne) {
    HeaderPages.RIHMakeDISDISHeaders(Dir.File("scene.png"), 32, 32);
    Answer(HeaderPages.DISFilePath());
    FFT->OpenBtn->click();
    ASSERT_TRUE(FFT->DISOpened);
    const std::string folder = Dir.Path();
    const std::string fileEdit = HeaderPages.DISFileEdit;
    TempDir other;
    for (const std::string& bad : {other.File("gone.dis"), other.File("folder.DIS")}) {
        SCOPED_TRACE(bad);
        MakeDirectories(other.File("folder.DIS"));
        Rec->Clear();
        Answer(bad);
        FFT->OpenBtn->click();
        EXPECT_TRUE(Rec->Shown(39998));
        EXPECT_EQ(FFT->DISNameEdit->text(), "scene.dis");
        EXPECT_EQ(ImageDirectory, folder);
        EXPECT_EQ(HeaderPages.DISFileEdit, fileEdit);
        EXPECT_EQ(FFT->N, 32);
        EXPECT_TRUE(FFT->DISOpened);
        EXPECT_TRUE(FFT->BandBtn->isEnabled());
    }
}

// A DIS refused for its shape leaves the one opened before in place, and a band whose length is
// not the square of that side is refused before it is read: read N bytes a row, a wider band
// would show as a sheared picture.
TEST_F(FFTWindow, RefusedDISAndBandOfAnotherSizeKeepThePreviousOnes) {
    TempDir other;
    // A side of 0 used to be taken, and the next band divided its length by it.
    const struct {
        const char* Name;
        int W, H;
        int Message;
    } refused[] = {{"wide.png", 40, 32, 39959}, {"zero.png", 0, 0, 36}, {"one.png", 1, 1, 36}};
    std::vector<std::string> refusedDIS;
    for (const auto& r : refused) {
        HeaderPages.RIHMakeDISDISHeaders(other.File(r.Name), r.W, r.H);
        refusedDIS.push_back(HeaderPages.DISFilePath());
    }
    HeaderPages.RIHMakeDISDISHeaders(Dir.File("scene.png"), 32, 32);
    Answer(HeaderPages.DISFilePath());
    FFT->OpenBtn->click();
    ASSERT_TRUE(FFT->DISOpened);

    for (size_t k = 0; k < std::size(refused); ++k) {
        SCOPED_TRACE(refused[k].Name);
        Rec->Clear();
        Answer(refusedDIS[k]);
        FFT->OpenBtn->click();
        EXPECT_TRUE(Rec->Shown(refused[k].Message)) << Rec->Summary();
        EXPECT_EQ(FFT->DISNameEdit->text(), "scene.dis");
        EXPECT_EQ(ImageDirectory, Dir.Path());
        EXPECT_EQ(FFT->N, 32);
        EXPECT_TRUE(FFT->BandBtn->isEnabled());
    }
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.B01"), std::vector<uint8_t>(32 * 32, 7),
                                TReplaceLeave::Chosen(Dir.File("scene.B01"))));
    Answer(Dir.File("scene.B01"));
    FFT->BandBtn->click();
    EXPECT_TRUE(FFT->BandLoaded);
    EXPECT_EQ(FFT->InPicture.Width, 32);
    FFT->BandLoaded = false;
    FFT->InPicture = Picture();
    FFT->BandEdit->clear();

    for (size_t length : {size_t{40} * 32, size_t{32} * 32 + 1}) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(WriteFileAtomic(Dir.File("wide.B01"), std::vector<uint8_t>(length, 9),
                                    TReplaceLeave::Chosen(Dir.File("wide.B01"))));
        Rec->Clear();
        Answer(Dir.File("wide.B01"));
        FFT->BandBtn->click();
        EXPECT_TRUE(Rec->Shown(36)) << Rec->Summary();
        EXPECT_FALSE(FFT->BandLoaded);
        EXPECT_TRUE(FFT->InPicture.Empty());
        EXPECT_EQ(FFT->BandEdit->text(), "");
    }
}

// A picture refused for its shape leaves the band box naming what Do and Save work on.
TEST_F(FFTWindow, RefusedPictureLeavesTheBandBoxAsItWas) {
    // Do with nothing loaded says so, and times no run.
    const QString empty = FFT->windowTitle();
    FFT->ProcessFFTBtn->click();
    EXPECT_TRUE(Rec->Shown(10)) << Rec->Summary();
    EXPECT_EQ(FFT->windowTitle(), empty);
    Answer(SquarePicture("square.png", 32));
    FFT->PngBtn->click();
    ASSERT_TRUE(FFT->PictureLoaded);
    Picture wide;
    wide.Resize(40, 32);
    WritePictureFile(Dir.File("wide.png"), wide, PictureKindOf("wide.png"),
                     TReplaceLeave::Chosen(Dir.File("wide.png")));
    Answer(Dir.File("wide.png"));
    FFT->PngBtn->click();
    EXPECT_TRUE(Rec->Shown(39959)) << Rec->Summary();
    EXPECT_EQ(FFT->BandEdit->text(), "square.png");
    EXPECT_EQ(FFT->InPicture.Width, 32);

    // A side that is no power of 2 is refused by Do, whose caption then says no run ended.
    const QString caption = FFT->windowTitle();
    for (const int side : {6, 2}) {
        Answer(SquarePicture(side == 6 ? "six.png" : "two.png", side));
        FFT->PngBtn->click();
        Rec->Clear();
        FFT->ProcessFFTBtn->click();
        EXPECT_TRUE(Rec->Shown(39960)) << Rec->Summary();
        EXPECT_EQ(FFT->windowTitle(), caption) << side;
    }
}
