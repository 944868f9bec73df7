#include "import/vHeaderPages.h"

#include "import/vHeaderVersions.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <limits>

THeaderPages HeaderPages;

namespace {

constexpr const char* TrueText = "true";
constexpr const char* FalseText = "false";
constexpr const char* DIHCoFileFilter = "Adjacent image file|*.BN?;*.DDR;*.IDX;*.DIH";
constexpr const char* DISCoFileFilter = "Adjacent image file|*.BN?;*.DAT;*.DIS;*.DIH";
constexpr const char* DISOpenFilter = "DIS Header file (DIS)|*.DIS";
constexpr const char* DIHSaveFilter = "DIH Header file |*.DIH";

bool FitsInt32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// A whole number, 0 when the text is none or does not fit the record's 32 bits.
int32_t WholeOrZero(const std::string& text) {
    const int64_t v = StrToIntDef(text, 0);
    return FitsInt32(v) ? static_cast<int32_t>(v) : 0;
}

// A number with the point as separator, 0 unless the whole text is one.
double RealOrZero(const std::string& text) {
    int code = 0;
    const double v = ValReal(text, code);
    return code == 0 ? v : 0.0;
}

// A strict 32-bit whole number: a text that is none raises the conversion error.
int64_t StrictInt32(const std::string& text) {
    const int64_t v = StrToInt(text);
    if (!FitsInt32(v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

// Lines of a header file, each read once; a line past the end reads as empty.
class LineCursor {
  public:
    explicit LineCursor(std::vector<std::string> lines) : Lines(std::move(lines)) {}
    std::string Next() { return Pos < Lines.size() ? Lines[Pos++] : std::string(); }
    bool AtEnd() const { return Pos >= Lines.size(); }
    size_t Remaining() const { return Lines.size() - Pos; }
    size_t Pos = 0;
    std::vector<std::string> Lines;
};

std::string ChooseHeaderFile(const char* filter) {
    FileDialogRequest request;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    return HookChooseFile(request);
}

// A page that never held a file of its own has no folder to save in: the user names the file
// with the save dialog, which opens in the working folder and asks before replacing one. Empty
// when cancelled or when the chosen name does not end in `ext`.
std::string ChooseHeaderSave(const char* filter, const std::string& name, const char* ext) {
    const std::string chosen = ChooseSaveFile(filter, name);
    return LowerCase(ExtractFileExt(chosen)) == ext ? chosen : std::string();
}

// A co-file button: the chosen file's path goes into the box of its direction.
template <typename Field>
bool ChooseCoFile(THeaderPages& pages, const std::array<Field, 8>& boxes, int direction,
                  const char* filter) {
    if (direction < 0 || direction >= static_cast<int>(boxes.size())) return false;
    const std::string chosen = ChooseHeaderFile(filter);
    if (chosen.empty()) return false;
    pages[boxes[static_cast<size_t>(direction)]] = chosen;
    return true;
}

} // namespace

void THeaderPages::AssignScene(const THeaderPages& scene) {
    std::vector<std::string> log = std::move(DIPMemo);
    std::string refused = std::move(RefusedDIP);
    *this = scene;
    DIPMemo = std::move(log);
    RefusedDIP = std::move(refused);
}

THeaderPages::THeaderPages() {
    // Only the pages' own state: the record and the points are other units' globals, which
    // may not exist yet while this one is made, and start out empty anyway.
    ResetDIHControls();
    ClearDIS();
}

bool THeaderPages::Checked(DIHField f) const {
    return (*this)[f] == TrueText;
}

void THeaderPages::SetChecked(DIHField f, bool checked) {
    (*this)[f] = checked ? TrueText : FalseText;
}

int THeaderPages::ItemIndex(DIHField f) const {
    return static_cast<int>(StrToIntDef((*this)[f], -1));
}

void THeaderPages::SetItemIndex(DIHField f, int64_t index) {
    const int count = RowOf(f).Size;
    if (index < 0 || (count > 0 && index >= count) || !FitsInt32(index)) index = -1;
    (*this)[f] = IntToStr(index);
}

bool THeaderPages::Checked(DISField f) const {
    return (*this)[f] == TrueText;
}

void THeaderPages::SetChecked(DISField f, bool checked) {
    (*this)[f] = checked ? TrueText : FalseText;
}

void THeaderPages::ResetDIHControls() {
    for (size_t i = 0; i < DIH.size(); ++i)
        DIH[i] = DIHFields[i].Reset;
    RIHDISMemo.clear();
}

void THeaderPages::ClearRIH() {
    ResetDIHControls();
    // A reset page holds no file: its next save asks where to put it.
    DIHFolder.clear();
    DIHStamp = TFileStamp();
    // A reset header has no points: blocks left from the last read would be written after the
    // reset count and shift every later line of the saved file.
    RegistrationPoints.clear();
    DIHRecord.RegistrationPointCount = 0;
}

void THeaderPages::TakeDIHLine(int index, const std::string& line) {
    const DIHFieldRow& row = DIHFields[static_cast<size_t>(index)];
    const DIHField field = static_cast<DIHField>(index);
    const DIHRecordSlot slot = row.Slot ? row.Slot(DIHRecord) : DIHRecordSlot{};
    std::string& value = DIH[static_cast<size_t>(index)];
    switch (row.Kind) {
    case DIHKind::Text:
        value = line;
        if (slot.Text) *slot.Text = line.substr(0, static_cast<size_t>(row.Size));
        break;
    case DIHKind::ProjectionName: {
        value = line;
        const bool geographic = UpperCase(line) == "GEO";
        DIHRecord.Geographic = geographic ? 0 : 1;
        DIHRecord.UnitsCode = geographic ? 4 : 2;
        SetItemIndex(DIHField::XUnitsCB, DIHRecord.UnitsCode);
        SetItemIndex(DIHField::YUnitsCB, DIHRecord.UnitsCode);
        break;
    }
    case DIHKind::Index:
    case DIHKind::ZoneIndex:
        SetItemIndex(field, StrToIntDef(line, 0));
        *slot.Int = ItemIndex(field) + (row.Kind == DIHKind::ZoneIndex ? 1 : 0);
        break;
    case DIHKind::Flag:
        SetChecked(field, line == TrueText);
        *slot.Flag = line == TrueText;
        break;
    case DIHKind::Real:
        value = line;
        *slot.Real = StrToFloat(line);
        break;
    case DIHKind::Real0:
        value = line;
        *slot.Real = RealOrZero(line);
        break;
    case DIHKind::Int0:
    case DIHKind::PointCount:
        value = line;
        if (slot.Int) *slot.Int = WholeOrZero(line);
        break;
    case DIHKind::Char:
        value = line;
        *slot.Char = line.empty() ? '\0' : line[0];
        break;
    }
}

void THeaderPages::ReadRegistrationPoints(const std::vector<std::string>& lines, size_t& next) {
    int64_t count = StrToIntDef((*this)[DIHField::RegistrationPointsCountEdit], 0);
    const size_t remaining = next < lines.size() ? lines.size() - next : 0;
    // The count is trusted only as far as the file holds its blocks: a wrong one would read
    // point lines as the fixed lines after them, or allocate for points that are not there.
    if (count < 0 || static_cast<uint64_t>(count) > remaining / DIHLinesPerPoint) {
        ShowMessageNumber(39976);
        count = 0;
    }
    DIHRecord.RegistrationPointCount = static_cast<int32_t>(count);
    RegisteredDataRichEdit.clear();
    RegistrationPoints.assign(static_cast<size_t>(count), RegistrationPoint{});
    for (RegistrationPoint& p : RegistrationPoints) {
        const std::string& a = lines[next++];
        const std::string& b = lines[next++];
        const std::string& c = lines[next++];
        const std::string& d = lines[next++];
        p.CoordB = RealOrZero(a);
        p.CoordA = RealOrZero(b);
        p.X = WholeOrZero(c);
        p.Y = WholeOrZero(d);
        RegisteredDataRichEdit.push_back(a + b + c + d);
    }
}

bool THeaderPages::RIHOpenRIHHeader(const std::string& fileName) {
    std::string text;
    if (!ReadWholeFile(fileName, text)) return false;
    LineCursor in(SplitLines(text));
    if (in.Next() != DIHVersionLine) {
        ShowMessageNumber(39994);
        return false;
    }
    DIHFolder = ExtractFilePath(fileName);
    DIHStamp = StampFile(fileName);
    (*this)[DIHField::RIHIDEdit] = DIHVersionLine;
    DIHRecord.Version = DIHVersionLine;
    if (in.AtEnd()) return true;
    // A bad strict number raises out of here: the lines before it keep what they read.
    for (int i = 1; i < DIHHeadLineCount; ++i)
        TakeDIHLine(i, in.Next());
    ReadRegistrationPoints(in.Lines, in.Pos);
    for (int i = DIHHeadLineCount; i < DIHFieldCount; ++i)
        TakeDIHLine(i, in.Next());
    RIHDISMemo.clear();
    while (!in.AtEnd())
        RIHDISMemo.push_back(in.Next());
    return true;
}

std::vector<std::string> THeaderPages::DIHLines() const {
    std::vector<std::string> lines;
    lines.reserve(DIHFixedLineCount + DIHLinesPerPoint * RegistrationPoints.size() +
                  RIHDISMemo.size());
    lines.push_back(DIHVersionLine);
    for (int i = 1; i < DIHHeadLineCount - 1; ++i)
        lines.push_back(DIH[static_cast<size_t>(i)]);
    // The count line says how many blocks follow, whatever the box was typed to.
    lines.push_back(IntToStr(static_cast<int64_t>(RegistrationPoints.size())));
    for (const RegistrationPoint& p : RegistrationPoints) {
        lines.push_back(FloatToStr(p.CoordB));
        lines.push_back(FloatToStr(p.CoordA));
        lines.push_back(FloatToStr(p.X));
        lines.push_back(FloatToStr(p.Y));
    }
    for (int i = DIHHeadLineCount; i < DIHFieldCount; ++i)
        lines.push_back(DIH[static_cast<size_t>(i)]);
    lines.insert(lines.end(), RIHDISMemo.begin(), RIHDISMemo.end());
    return lines;
}

bool THeaderPages::RIHSaveIt() {
    std::string& name = (*this)[DIHField::RIHHeaderFileEdit];
    // Said as the DIS page says it: a Save that writes nothing without a word looks done.
    if (LowerCase(ExtractFileExt(name)) != ".dih") {
        ShowMessageNumber(39997);
        return false;
    }
    if (RefuseFolderInName(name)) return false;
    if (DIHFolder.empty()) {
        const std::string chosen = ChooseHeaderSave(DIHSaveFilter, name, ".dih");
        if (chosen.empty()) return false;
        DIHFolder = ExtractFilePath(chosen);
        name = ExtractFileName(chosen);
        return RIHSaveTo(chosen, TReplaceLeave::Chosen(chosen));
    }
    return RIHSaveTo(DIHFilePath());
}

std::string THeaderPages::DIHFilePath() const {
    return DIHFolder + (*this)[DIHField::RIHHeaderFileEdit];
}

bool THeaderPages::RIHSaveTo(const std::string& path) {
    return RIHSaveTo(path, TReplaceLeave::Own(DIHStamp));
}

bool THeaderPages::RIHSaveTo(const std::string& path, const TReplaceLeave& leave) {
    if (!WriteMadeFileOrSay(path, JoinLinesCRLF(DIHLines()), leave)) return false;
    DIHStamp = StampFile(path);
    return true;
}

bool THeaderPages::RIHChooseCoFile(int direction) {
    return ChooseCoFile(*this, DIHCoFileFields, direction, DIHCoFileFilter);
}

void THeaderPages::ClearDIS() {
    DIHRegMemo.clear();
    DISDividedMemo.clear();
    DISProcessMemo.clear();
    DISDIPMemo.clear();
    if (!DISFolder.empty()) ClearedDIS = DISFilePath();
    DISFileEdit.clear();
    DISFolder.clear();
    DISStamp = TFileStamp();
    for (size_t i = 0; i < DIS.size(); ++i)
        if (DISFields[i].Reset) DIS[i] = DISFields[i].Reset;
}

bool THeaderPages::OpenDISHeader(const std::string& fileName) {
    std::string text;
    if (!ReadWholeFile(fileName, text)) {
        ShowMessageNumber(39998);
        return false;
    }
    // Read onto copies: bounds that are no numbers stop the read, and the pages must then still
    // hold the DIS they held, not a mixture a later save would write out.
    LineCursor in(SplitLines(text));
    std::array<std::string, DISFieldCount> fields;
    auto field = [&fields](DISField f) -> std::string& { return fields[static_cast<size_t>(f)]; };
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string line = in.Next();
        if (DISFields[i].Kind == DISKind::Flag)
            fields[i] = line == TrueText ? TrueText : FalseText;
        else
            fields[i] = line;
        // An empty size is made from its bounds.
        const auto f = static_cast<DISField>(i);
        if (f == DISField::DISSubsetWidth && line.empty())
            fields[i] = IntToStr(StrictInt32(field(DISField::DISSubsetRight)) -
                                 StrictInt32(field(DISField::DISSubsetLeft)) + 1);
        if (f == DISField::DISSubsetHeight && line.empty())
            fields[i] = IntToStr(StrictInt32(field(DISField::DISSubsetBottom)) -
                                 StrictInt32(field(DISField::DISSubsetTop)) + 1);
    }
    std::vector<std::string> divided, process, dip;
    in.Next(); // the "Divided" keyword, whatever the line holds
    std::vector<std::string>* list = &divided;
    while (!in.AtEnd()) {
        std::string line = in.Next();
        if (list == &divided && line == DISProcessKeyword)
            list = &process;
        else if (list == &process && line == DISDIPKeyword)
            list = &dip;
        else
            list->push_back(std::move(line));
    }
    DIS = std::move(fields);
    DISStamp = StampFile(fileName);
    DISDividedMemo = std::move(divided);
    DISProcessMemo = std::move(process);
    DISDIPMemo = std::move(dip);
    return true;
}

std::vector<std::string> THeaderPages::DISLines() const {
    std::vector<std::string> lines(DIS.begin(), DIS.end());
    lines[0] = DISVersionLine;
    lines.push_back(DISDividedKeyword);
    lines.insert(lines.end(), DISDividedMemo.begin(), DISDividedMemo.end());
    lines.push_back(DISProcessKeyword);
    lines.insert(lines.end(), DISProcessMemo.begin(), DISProcessMemo.end());
    lines.push_back(DISDIPKeyword);
    lines.insert(lines.end(), DISDIPMemo.begin(), DISDIPMemo.end());
    return lines;
}

std::string THeaderPages::DISFilePath() const {
    // The name lives beside the DIS the page was read from or made as, not in whatever folder
    // the process happens to run in.
    return DISFolder + DISFileEdit;
}

std::string THeaderPages::DISProposedPath() const {
    if (!DISFolder.empty()) return DISFilePath();
    const std::string folder = ClearedDIS.empty() ? DIHFolder : ExtractFilePath(ClearedDIS);
    return folder + DISFileEdit;
}

void THeaderPages::NameDIS(const std::string& path) {
    DISFileEdit = ExtractFileName(path);
    DISFolder = ExtractFilePath(path);
}

bool THeaderPages::DISSaveIt() {
    if (LowerCase(ExtractFileExt(DISFileEdit)) != ".dis") {
        ShowMessageNumber(39997);
        return false;
    }
    if (RefuseFolderInName(DISFileEdit)) return false;
    TReplaceLeave leave = TReplaceLeave::Own(DISStamp);
    if (DISFolder.empty()) {
        const std::string chosen = ChooseHeaderSave(DISOpenFilter, DISFileEdit, ".dis");
        if (chosen.empty()) return false;
        NameDIS(chosen);
        leave = TReplaceLeave::Chosen(chosen);
    }
    const std::string path = DISFilePath();
    if (!WriteMadeFileOrSay(path, JoinLinesCRLF(DISLines()), leave)) return false;
    DISStamp = StampFile(path);
    return true;
}

bool THeaderPages::DISChooseCoFile(int direction) {
    return ChooseCoFile(*this, DISCoFileFields, direction, DISCoFileFilter);
}

bool THeaderPages::DISFileOpenClick() {
    const std::string chosen = ChooseHeaderFile(DISOpenFilter);
    if (chosen.empty() || LowerCase(ExtractFileExt(chosen)) != ".dis") return false;
    // Only a DIS that was read arms the page: Pre-process saves the pages over the file chosen.
    DISLoaded = false;
    if (!OpenDISHeader(chosen)) return false;
    DISLoaded = true;
    NameDIS(chosen);
    ImageDirectory = ExtractFilePath(chosen);
    return true;
}

bool THeaderPages::PreProcessDISBands() {
    if (!DISLoaded) {
        ShowMessageNumber(39993);
        return false;
    }
    // The launch works from the DIS as it is on disk: a run of the band window launched before
    // has added its record there since the page read it, and the page's copy saved over the file
    // dropped that record.
    const std::string path = DISFilePath();
    if (!DISFolder.empty() && FileExists(path) && !(StampFile(path) == DISStamp) &&
        !OpenDISHeader(path))
        return false;
    DISProcessMemo.push_back("Image Dis Pre Process:");
    DISProcessMemo.push_back(DISFileEdit);
    DISProcessMemo.push_back(DISFolder);
    // The band window takes the pages over only as the file now holds them: a DIS another window
    // changed since the page read it, kept by the user, or one that cannot be written, hands
    // nothing over, and the band window goes on with the DIS it holds.
    return DISSaveIt();
}
