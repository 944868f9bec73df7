// The band-processing window over the real Olinda scene: the scene split into its six band files
// by the import window (olinda.B1 .. olinda.B6 beside olinda.dih and olinda.dis in a temporary
// folder), then the window and its DIS choice driven through its buttons. Dialogs are answered
// from the recording hooks' queues.
#pragma once

#include "bandproc/ui/vDisProFrm.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "support/GuiStartup.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

constexpr int OlindaW = 349, OlindaH = 352;

class DisProcessGui : public GuiStartup {
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
    // The scene split by the import window, as a user makes its band files and headers.
    void SplitScene() {
        Bytes bsq = FileBytes(TestData("landsat7-olinda/olinda.bsq"));
        ASSERT_TRUE(WriteFileAtomic(Dir.File("olinda.bsq"), bsq,
                                    TReplaceLeave::Chosen(Dir.File("olinda.bsq"))));
        TPBands import;
        TBandSplitPages* pages = import.SplitPages;
        pages->VaguePixelsWideEdit->setText(QString::number(OlindaW));
        pages->VaguePixelsHighEdit->setText(QString::number(OlindaH));
        pages->VagueBandsEdit->setText("6");
        pages->VagueSkipEdit->setText("0");
        Rec->FileAnswers.push_back(Dir.File("olinda.bsq"));
        pages->VagueFileBtn->click();
        ASSERT_TRUE(FileExists(Dir.File("olinda.B6"))) << Rec->Summary();
        ASSERT_TRUE(FileExists(Dir.File("olinda.dis")));
    }
    void ChooseDIS(QPushButton* button, const std::string& path) {
        Rec->FileAnswers.push_back(path);
        button->click();
    }
    // Band n (1..6) of the split scene through a band button.
    void ChooseBand(QPushButton* button, int band) {
        Rec->FileAnswers.push_back(BandPath(band));
        button->click();
    }
    std::string BandPath(int band) const { return Dir.File("olinda.B" + std::to_string(band)); }
    Bytes Band(int band) const { return FileBytes(BandPath(band)); }
    // The process list from its last line equal to `title` on.
    static std::vector<std::string> LoggedFrom(const std::vector<std::string>& list,
                                               const std::string& title) {
        const auto it = std::find(list.rbegin(), list.rend(), title);
        if (it == list.rend()) return {};
        return {std::prev(it.base()), list.end()};
    }
    // The process list of the DIS as saved.
    std::vector<std::string> SavedDIS() const {
        std::string text;
        ReadWholeFile(Dir.File("olinda.dis"), text);
        const std::vector<std::string> lines = SplitLines(text);
        const auto from = std::find(lines.begin(), lines.end(), DISProcessKeyword);
        const auto to = std::find(from, lines.end(), DISDIPKeyword);
        return {from == lines.end() ? from : from + 1, to};
    }

    std::unique_ptr<TDisProcessForm> Window;
};
