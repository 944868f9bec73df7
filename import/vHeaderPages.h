// The DIH, DIS and DIP headers as the import window's controls hold them: every DIH and DIS
// value as its control's text (check boxes "true" or "false", combo boxes their item index in
// decimal), the list boxes as lines, and the processing-history log. The readers fill it, the
// writers write it unchanged; other windows and engines read and change it, and the import
// window shows it.
#pragma once

#include "import/vHeaderFields.h"
#include "runtime/RtFiles.h"

#include <array>
#include <string>
#include <vector>

class THeaderPages {
  public:
    // The state the window's creation leaves: both pages reset, every list empty.
    THeaderPages();

    // "->DIH" page.
    std::string& operator[](DIHField f) { return DIH[static_cast<size_t>(f)]; }
    const std::string& operator[](DIHField f) const { return DIH[static_cast<size_t>(f)]; }
    bool Checked(DIHField f) const;
    void SetChecked(DIHField f, bool checked);
    // -1 when nothing is selected.
    int ItemIndex(DIHField f) const;
    // An index outside the box's list leaves nothing selected.
    void SetItemIndex(DIHField f, int64_t index);
    std::vector<std::string> RIHDISMemo;             // "DIS's": the subsets made from the scene
    std::vector<std::string> RegisteredDataRichEdit; // "Registration Data"
    std::vector<std::string> DIHRegMemo;             // "Register"

    // "DIS" page.
    std::string& operator[](DISField f) { return DIS[static_cast<size_t>(f)]; }
    const std::string& operator[](DISField f) const { return DIS[static_cast<size_t>(f)]; }
    bool Checked(DISField f) const;
    void SetChecked(DISField f, bool checked);
    std::string DISFileEdit; // a bare file name (in DISFolder) or a full path
    std::string DISSubsetNBands;
    std::string DISSubsetNBCreated;
    std::string DISSubsetDividedEdit;
    bool DISSubsetDividedCB = false;
    std::vector<std::string> DISDividedMemo;
    std::vector<std::string> DISProcessMemo;
    std::vector<std::string> DISDIPMemo;

    // "DIP" page: the displayed picture's processing-history log, line 0 its version line.
    std::vector<std::string> DIPMemo;

    // Takes the DIH and DIS pages of `scene`, keeping this one's picture log: a window that
    // holds its own scene puts it here for its runs without taking the shown picture's history.
    void AssignScene(const THeaderPages& scene);

    // The folders the DIH and the DIS on the pages were read from or made in: a header is written
    // back beside the file it came from, whatever folder another window has chosen since. Empty
    // while the page never held a file of its own.
    std::string DIHFolder;
    std::string DISFolder;
    // The DIH and the DIS as the pages read or last wrote them: a save replaces the file only
    // while it is still so, and asks otherwise (another window may have written it since).
    TFileStamp DIHStamp;
    TFileStamp DISStamp;

    // DIH file. The reader takes a full path and keeps its folder; the writer writes DIHFolder +
    // RIHHeaderFileEdit, and only when that name ends in ".dih" (else 39997) and holds no folder
    // (39953). A page without a folder asks where to save, and then holds the file chosen. The
    // writers are true when the file was written.
    void ClearRIH();
    // True when the file was read; false when it could not be opened or its version line was
    // refused (39994). A line that is no number raises the conversion error.
    bool RIHOpenRIHHeader(const std::string& fileName);
    bool RIHSaveIt();
    std::string DIHFilePath() const;
    // The DIH pages into the file `path`, whatever their own name line says: a DIH read from one
    // file and changed goes back into that file.
    bool RIHSaveTo(const std::string& path);
    bool RIHSaveTo(const std::string& path, const TReplaceLeave& leave);
    std::vector<std::string> DIHLines() const;
    // A co-file button of "Co Located" (0..7: N, NE, E, SE, S, SW, W, NW): the chosen file's
    // path goes into its box; false when the dialog was cancelled.
    bool RIHChooseCoFile(int direction);

    // DIS file, named by DISFileEdit. The reader is false when the file could not be read. A
    // page without a folder asks where to save, as the DIH's does.
    void ClearDIS();
    // The page names the DIS at `path`: its name in DISFileEdit, its folder in DISFolder.
    void NameDIS(const std::string& path);
    bool OpenDISHeader(const std::string& fileName);
    bool DISSaveIt();
    std::vector<std::string> DISLines() const;
    std::string DISFilePath() const;
    // The file a save dialog of the DIS page proposes: the page's own DIS; on a cleared page the
    // typed name (or only the folder) beside the DIS the page held last, else beside the DIH.
    std::string DISProposedPath() const;
    bool DISChooseCoFile(int direction);
    // Choosing a DIS with the open dialog; true when one was read.
    bool DISFileOpenClick();
    // The pre-processor launch: reads the DIS again when the file changed since the page read it,
    // logs the launch into its process list and saves it; true when the band-processing window is
    // to be shown, which is only once the DIS was saved.
    bool PreProcessDISBands();

    // Headers of a loaded picture and the log.
    void RIHMakeAllHeaders(const std::string& fileName, int width, int height);
    void RIHMakeDISDISHeaders(const std::string& fileName, int width, int height);
    // Fills both pages for a picture of the given size (steps shared by the make routines), as
    // headers of the folder `folder`; returns the DIH and DIS file names.
    std::pair<std::string, std::string>
    FillMadePages(const std::string& folder, const std::string& fileName, int width, int height);
    void RIHOpenDIPHeader(const std::string& fileName);
    // Writes the log, except over a DIP file the reader refused: that file stays as the user
    // left it and the log of the picture is kept in memory only.
    void DIPSaveIt();
    // Where the displayed picture's log is kept: its existing DIP file in any letter case, else
    // the name with ".dip".
    std::string DIPFilePath() const;

  private:
    void ResetDIHControls();
    void TakeDIHLine(int index, const std::string& line);
    void ReadRegistrationPoints(const std::vector<std::string>& lines, size_t& next);

    std::array<std::string, DIHFieldCount> DIH;
    std::array<std::string, DISFieldCount> DIS;
    // The DIP file RIHOpenDIPHeader last refused; empty when the last one was read.
    std::string RefusedDIP;
    // The DIS the page held when it was last cleared.
    std::string ClearedDIS;
};

extern THeaderPages HeaderPages;

// Connects the picture loader's header calls and the processing-history hooks to HeaderPages.
void InstallHeaderHooks();
