#include "import/vDisPicture.h"

#include "bandproc/vBandFiles.h"
#include "bandproc/vBandPicture.h"
#include "import/vBandImport.h"
#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <filesystem>

const char* const PicturePlaceholderName = "BandFileSaveAs";
std::string DISPictureFolder;
THeaderPages DISPicturePages;

namespace {

// The first refusal of the page, 0 when it may run.
int PictureRefusal(const TDisPicturePage& page, bool colour) {
    if (colour && page.BandHdrEdit.empty()) return 30;
    // An empty name would save the picture as a bare ".png".
    if (page.BandFileSaveAs.empty() || page.BandFileSaveAs == PicturePlaceholderName) return 28;
    if (colour) {
        const std::string* names[] = {&page.BandFileEdit1, &page.BandFileEdit2,
                                      &page.BandFileEdit3};
        for (int b = 0; b < 3; ++b)
            if (names[b]->empty()) return 31 + b;
    }
    if (!FileExists(SelectedBandFiles[0])) return 29;
    if (colour) {
        if (!FileExists(SelectedBandFiles[1])) return 34;
        if (!FileExists(SelectedBandFiles[2])) return 35;
    }
    return 0;
}

// The working folder, put back unless the new picture was made. The shown picture keeps its name
// until the engine has made the new one, which then takes its own: a picture made whose file
// could not be written is on show all the same, and under the old name a Save would write it
// over the old picture's file.
class TKeptWorkingFolder {
  public:
    ~TKeptWorkingFolder() {
        if (Made || Replaced()) return;
        ImageDirectory = Folder;
    }
    // The new picture took the old one's place (its pixels live in other memory).
    bool Replaced() const { return DisplayedPicture.Pixels.data() != Shown; }
    bool Made = false;

  private:
    TWorkingFolder Folder = ImageDirectory;
    const uint32_t* Shown = DisplayedPicture.Pixels.data();
};

// The picture and its log as the page last made them: making the same picture again replaces
// them without a question while nobody has changed them since.
TReplaceLeave PageMadeFiles;

// The page proposes the picture's name itself, so no dialog has asked about a file of that name:
// one is replaced only when the user says so, and a link under that name is never written
// through. A band is never the picture made from it. The picture's log and the page's DIS that
// lists it (changed since the page read it) are asked about in the same question, before anything
// is written.
bool MayWritePicture(TWriteRun& run, const TDisPicturePage& page, bool colour,
                     const THeaderPages& h) {
    const std::string path = DISPictureFolder + ChangeFileExt(page.BandFileSaveAs, ".png");
    const std::vector<std::string> bands(SelectedBandFiles.begin(),
                                         SelectedBandFiles.begin() + (colour ? 3 : 1));
    if (RefuseOutputOverInput({path, ChangeFileExt(path, ".dip")}, bands)) return false;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) throw EInOutError(EInOutError::AccessDenied);
    std::vector<std::string> targets = {path, ChangeFileExt(path, ".dip")};
    if (!h.DISFolder.empty()) targets.push_back(h.DISFilePath());
    return run.MayWrite(targets, TReplaceLeave::Own(h.DISStamp).And(PageMadeFiles));
}

} // namespace

bool ChooseDISForPicture(const std::string& disPath, TDisPicturePage& page) {
    THeaderPages& h = HeaderPages;
    // Without its scene the page would log and save the picture over the last scene's headers.
    DISLoaded = false;
    if (!h.OpenDISHeader(disPath)) return false;
    h.NameDIS(disPath);
    // The displayed picture keeps its name and folder until the new one is made.
    DISPictureFolder = ExtractFilePath(disPath);
    const std::string dih = DISPictureFolder + h[DISField::DISSubsetDIH];
    if (!FileExists(dih)) {
        ShowMessageNumber(39998);
        return false;
    }
    if (!h.RIHOpenRIHHeader(dih)) return false;
    DISLoaded = true;
    DISPicturePages.AssignScene(h);
    page.BandHdrEdit = ExtractFileName(disPath);
    page.BandFileSaveAs = ChangeFileExt(page.BandHdrEdit, ".png");
    page.BandFileEdit1.clear();
    page.BandFileEdit2.clear();
    page.BandFileEdit3.clear();
    page.STEdit2 = h[DIHField::RIHSceneTitle];
    page.SCEdit3 = h[DIHField::RIHSensorType];
    page.NBEdit4 = h[DIHField::RIHNBEdit];
    page.DISLEdit = h[DISField::DISSubsetLeft];
    page.DISREdit = h[DISField::DISSubsetRight];
    page.DISTEdit = h[DISField::DISSubsetTop];
    page.DISBEdit = h[DISField::DISSubsetBottom];
    SubsetBounds = {static_cast<int32_t>(BoundValue(page.DISLEdit)),
                    static_cast<int32_t>(BoundValue(page.DISREdit)),
                    static_cast<int32_t>(BoundValue(page.DISTEdit)),
                    static_cast<int32_t>(BoundValue(page.DISBEdit))};
    page.IMWEdit = IntToStr(SubsetBounds.Width());
    page.IMHEdit = IntToStr(SubsetBounds.Height());
    if (page.IMWEdit != h[DISField::DISSubsetWidth] || page.IMHEdit != h[DISField::DISSubsetHeight])
        ShowMessageNumber(39967);
    return true;
}

void ChooseBandForPicture(int slot, const std::string& bandPath, TDisPicturePage& page) {
    SelectedBandFiles[static_cast<size_t>(slot)] = bandPath;
    std::string* edits[] = {&page.BandFileEdit1, &page.BandFileEdit2, &page.BandFileEdit3};
    *edits[slot] = ExtractFileName(bandPath);
}

bool MakeDISPicture(const TDisPicturePage& page) {
    if (!DISLoaded) {
        ShowMessageNumber(39993);
        return false;
    }
    const bool colour =
        !(page.BandFileEdit2.empty() && page.BandFileEdit3.empty() && !page.BandFileEdit1.empty());
    if (const int refusal = PictureRefusal(page, colour)) {
        ShowMessageNumber(refusal);
        return false;
    }
    // The picture lies beside its DIS: a folder part would write it where no record names it.
    if (RefuseFolderInName(page.BandFileSaveAs)) return false;
    // The page's own DIS and DIH, as it read them: since then the main window may have opened
    // another picture and put that one's headers on the import window's pages, and the record
    // went into that picture's DIS, naming its DIH. Changed on disk since, the DIS is asked about.
    THeaderPages scene = DISPicturePages;
    TWriteRun run;
    if (!MayWritePicture(run, page, colour, scene)) return false;
    HookBusyCursor(true);
    // The engine names the picture, and shows the name in the caption, once it is made.
    TKeptWorkingFolder kept;
    ImageDirectory = DISPictureFolder;
    const std::string name = ChangeFileExt(page.BandFileSaveAs, ".png");
    const std::string dip = ChangeFileExt(name, ".dip");
    THeaderPages& h = HeaderPages;
    std::vector<std::string> log = {DIPVersionLine,
                                    scene[DIHField::RIHRIHEdit],
                                    page.BandHdrEdit,
                                    dip,
                                    DISPictureFolder + name,
                                    "Red:" + page.BandFileEdit1,
                                    "Green: " + page.BandFileEdit2,
                                    "Blue: " + page.BandFileEdit3,
                                    NowDateTimeText()};
    try {
        kept.Made = colour ? SaveRGBBandsImage(DISPictureFolder, name)
                           : SaveGreyBandImage(DISPictureFolder, name);
    } catch (...) {
        // Made but not written: the picture on show is the new one and its log is the one in
        // memory; the DIS lists only pictures that were written.
        if (kept.Replaced()) h.DIPMemo = std::move(log);
        throw;
    }
    // The DIS lists the picture, and its log begins, only once it is made: a refused build would
    // list a picture that is not there and put its log in place of the shown picture's.
    if (kept.Made) {
        if (!scene.DISFolder.empty()) {
            scene.DISDIPMemo.push_back(dip);
            scene.DISSaveIt();
            DISPicturePages.AssignScene(scene);
            // The import window's pages take the DIS as now written while they show it.
            if (h.DISFilePath() == scene.DISFilePath()) h.AssignScene(scene);
        }
        h.DIPMemo = std::move(log);
        h.DIPSaveIt();
        // The new picture is the shown one: its leave holds just the files it has written.
        PageMadeFiles = ShownPictureLeave();
    }
    HookBusyCursor(false);
    return kept.Made;
}
