// The headers every loaded picture gets, and its processing-history log (the DIP file).
#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <filesystem>

std::pair<std::string, std::string> THeaderPages::FillMadePages(const std::string& folder,
                                                                const std::string& fileName,
                                                                int width, int height) {
    ClearRIH();
    ClearDIS();
    DIHFolder = DISFolder = folder;
    const std::string dih = ChangeFileExt(ExtractFileName(fileName), ".dih");
    const std::string dis = ChangeFileExt(ExtractFileName(fileName), ".dis");
    const std::string w = IntToStr(width);
    const std::string h = IntToStr(height);
    auto& p = *this;
    p[DIHField::RIHIDEdit] = DIHVersionLine;
    for (DIHField f : {DIHField::RIHHeaderFileEdit, DIHField::RIHRIHEdit, DIHField::RIHSceneTitle})
        p[f] = ExtractFileName(dih);
    p[DIHField::RIHLC] = "1";
    for (DIHField f : {DIHField::RIHRC, DIHField::RIHIW, DIHField::RIHinLine})
        p[f] = w;
    p[DIHField::RIHTR] = "1";
    for (DIHField f : {DIHField::RIHBR, DIHField::RIHIH, DIHField::RIHinColumn})
        p[f] = h;
    p[DIHField::RIHNBEdit] = "3";

    p[DISField::DISSubsetID] = DISVersionLine;
    p[DISField::DISSubsetDIH] = dih;
    p[DISField::DISSubsetDIS] = dis;
    DISFileEdit = dis;
    p[DISField::DISSubsetLeft] = "1";
    p[DISField::DISSubsetRight] = w;
    p[DISField::DISSubsetWidth] = w;
    p[DISField::DISSubsetTop] = "1";
    p[DISField::DISSubsetBottom] = h;
    p[DISField::DISSubsetHeight] = h;
    return {dih, dis};
}

void THeaderPages::RIHMakeAllHeaders(const std::string& fileName, int width, int height) {
    RefusedDIP.clear();
    // The headers of the picture just loaded lie beside it.
    const auto [dih, dis] = FillMadePages(CurrentImageFolder, fileName, width, height);
    DIPMemo = {DIPVersionLine, dih, dis, ChangeFileExt(fileName, ".dip"),
               CurrentImageFolder + ChangeFileExt(fileName, ".png")};
    DISDIPMemo = DIPMemo;
    for (const char* band : {"Red:Red", "Green:Green", "Blue:Blue"})
        DIPMemo.push_back(band);
    DIPMemo.push_back(NowDateTimeText());
    // A picture in a folder that cannot be written still opens: its headers stay in the pages.
    if (CompanionFilesKeptInMemory()) return;
    // A picture without a log may still lie beside the headers of the scene it was made from
    // (an import, a crop); default headers written over them would lose that scene's whole
    // description. The pages describe the picture either way.
    if (FindFileCaseInsensitive(DIHFolder, ExtractFileName(dih)).empty()) RIHSaveIt();
    if (FindFileCaseInsensitive(ExtractFilePath(DISFilePath()), ExtractFileName(dis)).empty())
        DISSaveIt();
    DIPSaveIt();
}

// The log belongs to the displayed picture, not to the scene a split describes: it is left as
// it stands, so the picture's next logged step still writes its whole history.
void THeaderPages::RIHMakeDISDISHeaders(const std::string& fileName, int width, int height) {
    FillMadePages(ExtractFilePath(fileName), fileName, width, height);
    RIHSaveIt();
    DISSaveIt();
}

void THeaderPages::RIHOpenDIPHeader(const std::string& fileName) {
    DIPMemo.clear();
    std::string text;
    // The loader found the log beside the picture it loaded.
    const std::string path = CurrentImageFolder + fileName;
    RefusedDIP = path;
    if (!ReadWholeFile(path, text)) {
        ShowMessageNumber(39998);
        return;
    }
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || lines.front() != DIPVersionLine) {
        ShowMessageNumber(39996);
        return;
    }
    RefusedDIP.clear();
    StampShownFile(path);
    DIPMemo = std::move(lines);
}

std::string THeaderPages::DIPFilePath() const {
    // The loader opens the log in any letter case; writing a second file beside it in another
    // case would leave the next load reading the old one.
    const std::string existing =
        FindFileCaseInsensitive(CurrentImageFolder, ChangeFileExt(CurrentImageName, ".DIP"));
    return existing.empty() ? ShownPictureFile(".dip") : existing;
}

void THeaderPages::DIPSaveIt() {
    // The log of a picture whose folder cannot be written is kept in memory; the load said so.
    if (CurrentImageName.empty() || CompanionFilesKeptInMemory()) return;
    // One version line heads every saved log, also one begun after a refused file.
    if (DIPMemo.empty() || DIPMemo.front() != DIPVersionLine)
        DIPMemo.insert(DIPMemo.begin(), DIPVersionLine);
    const std::string path = DIPFilePath();
    // A file the reader refused may be a history in a form this reader does not know; the new
    // log would replace it whole.
    std::error_code ec;
    if (!RefusedDIP.empty() && std::filesystem::equivalent(path, RefusedDIP, ec)) return;
    // The picture's own log as it read or last wrote it: one another window has logged into
    // since is replaced only when the user says so.
    if (WriteMadeFileOrSay(path, JoinLinesCRLF(DIPMemo), ShownPictureLeave())) StampShownFile(path);
}

void InstallHeaderHooks() {
    auto shown = [] {
        if (Hooks.HeaderPagesChanged) Hooks.HeaderPagesChanged();
    };
    Hooks.RIHOpenDIPHeader = [shown](const std::string& name) {
        HeaderPages.RIHOpenDIPHeader(name);
        shown();
    };
    Hooks.RIHMakeAllHeaders = [shown](const std::string& name, int width, int height) {
        HeaderPages.RIHMakeAllHeaders(name, width, height);
        shown();
    };
    Hooks.AppendHistoryLine = [](const std::string& line) { HeaderPages.DIPMemo.push_back(line); };
    Hooks.SaveHistoryLog = [shown] {
        HeaderPages.DIPSaveIt();
        shown();
    };
}
