// The band window's histogram and principal-components pages over the real Olinda scene: the
// scene split by the import window into olinda.B1 .. olinda.B6 with its DIH and DIS in a
// temporary folder, the DIS chosen through a page's button. Dialogs are answered from the
// recording hooks' queues.
#pragma once

#include "bandproc/ui/vDisProFrm.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "support/GuiStartup.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

constexpr int OlindaW = 349, OlindaH = 352;

class BandPagesGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        DISLoaded = false;
        SubsetBounds = TSubsetBounds();
        SelectedBandFiles.fill("");
        ImageDirectory = Dir.Path();
        Window = std::make_unique<TDisProcessForm>();
    }
    void TearDown() override {
        Window.reset();
        SelectedBandFiles.fill("");
        SubsetBounds = TSubsetBounds();
        DISLoaded = false;
        GuiStartup::TearDown();
    }
    // Splits the scene and chooses its DIS with `disButton`.
    void OpenScene(QPushButton* disButton) {
        Bytes bsq;
        ASSERT_TRUE(ReadWholeFile(TestData("landsat7-olinda/olinda.bsq"), bsq));
        ASSERT_TRUE(WriteFileAtomic(Dir.File("olinda.bsq"), bsq));
        TPBands import;
        TBandSplitPages* pages = import.SplitPages;
        pages->VaguePixelsWideEdit->setText(QString::number(OlindaW));
        pages->VaguePixelsHighEdit->setText(QString::number(OlindaH));
        pages->VagueBandsEdit->setText("6");
        pages->VagueSkipEdit->setText("0");
        Rec->FileAnswers.push_back(Dir.File("olinda.bsq"));
        pages->VagueFileBtn->click();
        ASSERT_TRUE(FileExists(Dir.File("olinda.dis"))) << Rec->Summary();
        Rec->FileAnswers.push_back(Dir.File("olinda.dis"));
        disButton->click();
        ASSERT_TRUE(DISLoaded) << Rec->Summary();
    }
    std::string BandPath(int band) const { return Dir.File("olinda.B" + std::to_string(band)); }
    static Bytes FileBytes(const std::string& path) {
        Bytes b;
        ReadWholeFile(path, b);
        return b;
    }
    std::vector<std::string> SavedDIS() const {
        std::string text;
        ReadWholeFile(Dir.File("olinda.dis"), text);
        return SplitLines(text);
    }

    std::unique_ptr<TDisProcessForm> Window;
};
