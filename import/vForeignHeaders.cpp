#include "import/vForeignHeaders.h"

#include "import/vBandFiles.h"
#include "import/vHdfLibrary.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

using F = DIHField;

// A foreign header as one string, walked forwards: to the next mark, over characters, over
// blanks and line breaks. A move or a field past the end fails the walk, and every later call
// then does nothing, so a reader checks once at its end.
class HeaderWalk {
  public:
    explicit HeaderWalk(std::string text) : Text(std::move(text)) {}

    void Mark(char mark, int count = 1) {
        for (int i = 0; i < count && !Failed; ++i) {
            const size_t at = Text.find(mark, Pos);
            if (at == std::string::npos)
                Failed = true;
            else
                Pos = at + 1;
        }
    }
    void Skip(size_t n) {
        if (Failed || n > Text.size() - Pos)
            Failed = true;
        else
            Pos += n;
    }
    void SkipBlanks() {
        while (!Failed && Pos < Text.size() && static_cast<unsigned char>(Text[Pos]) < '$')
            ++Pos;
    }
    // n characters from the 1-based position p of what is left, trimmed; a field that would
    // start past the end fails the walk.
    std::string Field(size_t p, size_t n) {
        if (Failed) return {};
        const size_t start = Pos + p - 1;
        if (start >= Text.size()) {
            Failed = true;
            return {};
        }
        return Trim(std::string_view(Text).substr(start, n));
    }
    // The next mark, then the field after it.
    std::string Next(char mark, size_t n) {
        Mark(mark);
        return Field(1, n);
    }
    // Everything up to the next mark, which is passed.
    std::string UpTo(char mark) {
        if (Failed) return {};
        const size_t at = Text.find(mark, Pos);
        if (at == std::string::npos) {
            Failed = true;
            return {};
        }
        std::string part = Text.substr(Pos, at - Pos);
        Pos = at + 1;
        return part;
    }

    bool Failed = false;

  private:
    std::string Text;
    size_t Pos = 0;
};

bool Damaged() {
    ShowMessageNumber(ForeignHeaderDamagedMessage);
    return false;
}

bool WholeNumber(const std::string& text, int64_t& value) {
    int code = 0;
    value = ValInt(text, code);
    return code == 0 && !text.empty();
}

void SetAll(THeaderPages& p, std::initializer_list<F> fields, const std::string& value) {
    for (F f : fields)
        p[f] = value;
}

const F ParameterFields[15] = {F::A1Edit, F::A2Edit, F::A3Edit, F::B1Edit, F::B2Edit,
                               F::B3Edit, F::C1Edit, F::C2Edit, F::C3Edit, F::D1Edit,
                               F::D2Edit, F::D3Edit, F::E1Edit, F::E2Edit, F::E3Edit};

struct CornerFields {
    F Lon, Lat, X, Y;
};
#define VORN_CORNER(C)                                                                             \
    { F::C##LongitudeEdit, F::C##LatitudeEdit, F::C##CoXEdit, F::C##CoYEdit }
const CornerFields FSTCorners[5] = {VORN_CORNER(UL), VORN_CORNER(UR), VORN_CORNER(LR),
                                    VORN_CORNER(LL), VORN_CORNER(Cen)};
const CornerFields DDRCorners[4] = {VORN_CORNER(UL), VORN_CORNER(UR), VORN_CORNER(LL),
                                    VORN_CORNER(LR)};
#undef VORN_CORNER

enum class FSTMode { None, All, Pan, Thermal }; // "123457", "8", "LH"

bool ReadFST(THeaderPages& p, HeaderWalk& w) {
    p[F::RIHIDEdit] = DIHVersionLine;
    p[F::RIHProjectData] = w.Next('=', 21);
    w.Mark('=');
    p[F::RIHPath] = w.Field(1, 3);
    p[F::RIHStartRow] = w.Field(5, 3);
    p[F::RIHAcquiredEdit] = w.Next('=', 8);
    p[F::RIHImageTypeEdit] = w.Next('=', 10);
    p[F::RIHSensorType] = w.Next('=', 8);
    p[F::RIHSensorModeEdit] = w.Next('=', 7);
    p[F::RIHLookAngleEdit] = w.Next('=', 5);
    w.Mark('=', 19);
    p[F::ProductTypeEdit] = w.Next('=', 10);
    p[F::PreProcessingEdit] = w.Next('=', 10);
    p[F::ResamplingTechniqueEdit] = w.Next('=', 10);
    w.Mark('=');
    p[F::RIHVolumeEdit] = w.Field(1, 2);
    p[F::RIHinSetEdit] = w.Field(4, 2);
    const std::string pixels = w.Next('=', 6);
    SetAll(p, {F::RIHIW, F::RIHRC, F::RIHinLine}, pixels);
    p[F::RIHLC] = "1";
    const std::string lines = w.Next('=', 5);
    SetAll(p, {F::RIHIH, F::RIHinColumn}, lines);
    const std::string first = w.Next('=', 6);
    if (first.empty()) {
        p[F::RIHTR] = "1";
        p[F::RIHBR] = lines;
    } else {
        int64_t l = 0, s = 0;
        if (!w.Failed && (!WholeNumber(lines, l) || !WholeNumber(first, s))) return false;
        p[F::RIHTR] = first;
        p[F::RIHBR] = IntToStr(l + s);
    }
    const std::string block = w.Next('=', 3);
    p[F::RIHBlockEdit] = block.empty() ? "1" : block;
    p[F::RIHRecordSizeEdit] = w.Next('=', 10);
    SetAll(
        p,
        {F::PixelXSizeEdit, F::PixelYSizeEdit, F::RIHSwathHeightRezEdit, F::RIHSwathWidthRezEdit},
        w.Next('=', 5));
    p[F::RIHCurrentBitsEdit] = w.Next('=', 3);
    p[F::RIHAcquiredBitsEdit] = w.Next('=', 3);
    const std::string bands = w.Next('=', 7);
    p[F::RIHNBEdit] = IntToStr(static_cast<int64_t>(bands.size()));
    const FSTMode mode = bands == "123457" ? FSTMode::All
                         : bands == "8"    ? FSTMode::Pan
                         : bands == "LH"   ? FSTMode::Thermal
                                           : FSTMode::None;
    // Six band-file fields; which slots they fill depends on the bands present. The slots of
    // bands that are not present keep their names.
    std::array<std::string, 6> files;
    for (std::string& f : files)
        f = w.Next('=', 29);
    if (mode == FSTMode::All) {
        const F slots[6] = {F::RIHBFName1, F::RIHBFName2, F::RIHBFName3,
                            F::RIHBFName4, F::RIHBFName5, F::RIHBFName7};
        for (size_t i = 0; i < 6; ++i)
            p[slots[i]] = files[i];
    } else if (mode == FSTMode::Pan) {
        p[F::RIHBFName8] = files[0];
    } else if (mode == FSTMode::Thermal) {
        p[F::RIHBFName6L] = files[0];
        p[F::RIHBFName6H] = files[1];
    }
    p[F::RevEdit] = w.Next('V', 13);
    w.Mark('G');
    w.Skip(47);
    w.SkipBlanks();
    std::vector<std::pair<F, F>> pairs;
    if (mode == FSTMode::Pan) pairs = {{F::RIHGain8, F::RIHBias8}};
    if (mode == FSTMode::Thermal)
        pairs = {{F::RIHGain6L, F::RIHBias6L}, {F::RIHGain6H, F::RIHBias6H}};
    if (mode == FSTMode::All)
        pairs = {{F::RIHGain1, F::RIHBias1}, {F::RIHGain2, F::RIHBias2},
                 {F::RIHGain3, F::RIHBias3}, {F::RIHGain4, F::RIHBias4},
                 {F::RIHGain5, F::RIHBias5}, {F::RIHGain7, F::RIHBias7}};
    auto value = [&w](size_t width) {
        std::string v = w.Field(1, width);
        w.Skip(19);
        w.SkipBlanks();
        return v;
    };
    for (const auto& [gain, bias] : pairs) {
        p[gain] = value(19);
        p[bias] = value(19);
    }
    p[F::ProjectionEdit] = w.Next('=', 5);
    p[F::SpheroidEdit] = w.Next('=', 19);
    p[F::DatumEdit] = w.Next('=', 5);
    w.Mark('=');
    for (F f : ParameterFields)
        p[f] = value(18);
    p[F::UTMZoneEdit] = w.Next('=', 3);
    for (const CornerFields& c : FSTCorners) {
        w.Mark('=');
        p[c.Lon] = w.Field(1, 14);
        p[c.Lat] = w.Field(15, 13);
        p[c.X] = w.Field(28, 14);
        p[c.Y] = w.Field(40, 14);
    }
    p[F::CenCoPixXEdit] = w.Field(54, 7);
    p[F::CenCoPixYEdit] = w.Field(61, 7);
    p[F::RIHOffsetEdit] = w.Next('=', 7);
    p[F::RIHOrientationAngleEdit] = w.Next('=', 5);
    p[F::RIHSunElevationAngleEdit] = w.Next('=', 5);
    p[F::RIHSunAzimuthAngleEdit] = w.Next('=', 5);
    return !w.Failed;
}

void NameAfterFile(THeaderPages& p, const std::string& fileName) {
    p[F::RIHIDEdit] = DIHVersionLine;
    p[F::RIHRIHEdit] = ExtractFileName(fileName);
    p[F::RIHHeaderFileEdit] = ChangeFileExt(ExtractFileName(fileName), ".dih");
}

bool ReadDDR(THeaderPages& p, HeaderWalk& w) {
    w.Mark('[');
    p[F::RIHSceneTitle] = w.UpTo(']');
    p[F::RIHPath] = w.Field(1, 3);
    p[F::RIHStartRow] = w.Field(4, 3);
    w.Mark('!', 3);
    p[F::RIHAcquiredEdit] = w.Field(1, 6);
    const std::string columns = w.Next(':', 4);
    SetAll(p, {F::ColumnXEdit, F::RIHRC, F::RIHIW, F::RIHinLine}, columns);
    p[F::RIHLC] = "1";
    const std::string rows = w.Next(':', 4);
    SetAll(p, {F::RowsYEdit, F::RIHIH, F::RIHBR, F::RIHinColumn}, rows);
    p[F::RIHTR] = "1";
    p[F::RIHNBEdit] = w.Next(':', 2);
    w.Mark(':', 5);
    p[F::ImageLatLongorUTMEdit] = w.Next(':', 25);
    // The projection's validity is given twice; the second flag decides.
    p.SetChecked(F::ProjectionValidCBox, w.Next(':', 5) == "VALID");
    p[F::UTMZoneEdit] = w.Next(':', 4);
    w.Mark(':');
    p[F::DatumEdit] = w.Next(':', 4);
    w.Mark(':', 2);
    p.SetChecked(F::ProjectionValidCBox, w.Next(':', 5) == "VALID");
    for (size_t row = 0; row < 5; ++row) {
        w.Mark(':');
        for (size_t k = 0; k < 3; ++k)
            p[ParameterFields[row * 3 + k]] = w.Field(1 + 23 * k, 23);
    }
    w.Mark(':');
    p.SetChecked(F::CoordinatesValidCBox, w.Next(':', 5) == "VALID");
    for (const CornerFields& c : DDRCorners) {
        w.Mark(':');
        p[c.Lon] = w.Field(1, 23);
        p[c.Lat] = w.Field(24, 23);
    }
    p[F::LeftX1Edit] = p[F::ULLongitudeEdit];
    p[F::TopY1Edit] = p[F::ULLatitudeEdit];
    p[F::RightX2Edit] = p[F::LRLongitudeEdit];
    p[F::BottomY2Edit] = p[F::LRLatitudeEdit];
    w.Mark(':');
    p[F::PixelXSizeEdit] = w.Field(1, 23);
    p[F::PixelYSizeEdit] = w.Field(24, 23);
    w.Mark(':');
    p[F::DDDMSGridUnitEdit] = w.Next(':', 10);
    w.Mark(':', 7);
    p[F::RIHDataSource] = w.Next(':', 10);
    p[F::RIHSensorType] = w.Next(':', 10);
    return !w.Failed;
}

bool ReadIDX(THeaderPages& p, const std::vector<std::string>& lines) {
    if (lines.size() < 3) return Damaged();
    p[F::RIHSceneTitle] = lines[0];
    const std::string& bandCount = lines[2];
    int64_t n = 0;
    if (!WholeNumber(Trim(bandCount), n)) {
        ShowMessageNumber(39970);
        return false;
    }
    p[F::RIHNBEdit] = bandCount;
    // Bounds: left, right, top, bottom, read from the right end of the line.
    std::vector<std::string> words;
    size_t start = 0;
    const std::string& boundsLine = lines[1];
    while (start <= boundsLine.size()) {
        const size_t blank = boundsLine.find(' ', start);
        const size_t end = blank == std::string::npos ? boundsLine.size() : blank;
        words.push_back(boundsLine.substr(start, end - start));
        start = end + 1;
    }
    if (words.size() < 4) words.insert(words.begin(), 4 - words.size(), std::string());
    const F targets[4] = {F::RIHLC, F::RIHRC, F::RIHTR, F::RIHBR};
    std::array<int64_t, 4> bounds{};
    bool good = true;
    for (size_t k = 0; k < 4; ++k) {
        const std::string& word = words[words.size() - 4 + k];
        if (!WholeNumber(word, bounds[k]) || word.size() > 5 || bounds[k] < 0) {
            ShowMessageNumber(39971);
            good = false;
            continue;
        }
        p[targets[k]] = std::string(5 - word.size(), '0') + word;
    }
    if (!good) return false;
    // Bounds the wrong way round would save a negative width or height.
    if (bounds[1] < bounds[0] || bounds[3] < bounds[2]) {
        ShowMessageNumber(BandSizeMessage);
        return false;
    }
    const F slots[7][2] = {{F::RIHBName1, F::RIHBFName1}, {F::RIHBName2, F::RIHBFName2},
                           {F::RIHBName3, F::RIHBFName3}, {F::RIHBName4, F::RIHBFName4},
                           {F::RIHBName5, F::RIHBFName5}, {F::RIHBName6L, F::RIHBFName6L},
                           {F::RIHBName7, F::RIHBFName7}};
    size_t next = 3;
    for (int64_t slot = 1; slot <= 7 && slot <= n; ++slot) {
        if (next + 1 >= lines.size()) return Damaged();
        p[slots[slot - 1][0]] = lines[next++];
        p[slots[slot - 1][1]] = lines[next++];
    }
    const std::string width = IntToStr(bounds[1] - bounds[0] + 1);
    const std::string height = IntToStr(bounds[3] - bounds[2] + 1);
    SetAll(p, {F::RIHIW, F::RIHinLine}, width);
    SetAll(p, {F::RIHIH, F::RIHinColumn}, height);
    return true;
}

// One ASCII field of the radar record, trimmed.
std::string RecordField(const std::vector<uint8_t>& r, size_t offset, size_t length) {
    return Trim(std::string(reinterpret_cast<const char*>(r.data()) + offset, length));
}

struct RadarField {
    size_t Offset, Length;
    F Target;
};
const RadarField RadarFields[] = {
    {14, 2, F::RIHBlockEdit},
    {16, 24, F::RIHDataSource},
    {40, 12, F::RIHProjectRollFrameEdit},
    {52, 8, F::RIHProducedEdit},
    {60, 8, F::RIHAcquiredEdit},
    {68, 4, F::RIHRangeEdit},
    {72, 4, F::RIHDirectionEdit},
    {76, 8, F::TopY1Edit},
    {84, 8, F::LeftX1Edit},
    {92, 8, F::BottomY2Edit},
    {100, 8, F::RightX2Edit},
    {108, 8, F::RIHBName1},
    {108, 8, F::RIHBSR1},
    {116, 4, F::PolarityEdit},
    {120, 4, F::PixelYSizeEdit},
    {124, 4, F::PixelXSizeEdit},
    {128, 4, F::RIHCurrentBitsEdit},
    {132, 4, F::RIHSwathWidthEdit},
    {136, 12, F::RIHOffsetEdit},
    {148, 8, F::SensorAltitudeEdit},
    {156, 4, F::RIHOrientationAngleEdit},
    {160, 4, F::SignalEdit},
    {164, 4, F::RIHFlightlineEdit},
    {168, 20, F::RIHWeatherEdit},
    {188, 20, F::MapQuadrangleEdit},
    {208, 8, F::ULLatitudeEdit},
    {216, 8, F::ULLongitudeEdit},
    {224, 8, F::LRLatitudeEdit},
    {232, 8, F::LRLongitudeEdit},
    {240, 8, F::URLatitudeEdit},
    {248, 8, F::URLongitudeEdit},
    {256, 8, F::LLLatitudeEdit},
    {264, 8, F::LLLongitudeEdit},
};

// Whether the DIH reader takes the text as its strict real number.
bool ReadsAsReal(const std::string& text) {
    const std::string t = Trim(text);
    int code = 0;
    ValReal(t, code);
    return code == 0 && !t.empty();
}

// Foreign headers write the exponent of a real as D ("1.5000000000D+00"), which the DIH reader
// stops at; it is put into the page as the E it stands for.
bool TakeAsReal(std::string& text) {
    if (ReadsAsReal(text)) return true;
    const size_t d = text.find_first_of("Dd");
    if (d == std::string::npos) return false;
    std::string e = text;
    e[d] = 'E';
    if (!ReadsAsReal(e)) return false;
    text = std::move(e);
    return true;
}

// Every value the read changed must come back from the saved DIH as it went in: a real line the
// reader stops at, or a line break inside a value, would lose every line after it.
bool SavesWhole(const THeaderPages& before, THeaderPages& after) {
    for (size_t i = 0; i < DIHFieldCount; ++i) {
        const F f = static_cast<F>(i);
        std::string& value = after[f];
        if (value == before[f]) continue;
        if (value.find_first_of("\r\n") != std::string::npos) return false;
        if (DIHFields[i].Kind == DIHKind::Real && !TakeAsReal(value)) return false;
        // These lines read as 0 when they are no number, and a corner or parameter in D form
        // would be lost that way; what is no number either way is kept as it came.
        if (DIHFields[i].Kind == DIHKind::Real0) TakeAsReal(value);
        // Whole-number lines carry map coordinates with decimals too, which the scene's grid
        // reads as reals; one in D form goes in as its plain decimal, else the grid finds 0.
        if (DIHFields[i].Kind == DIHKind::Int0 && !ReadsAsReal(value)) {
            std::string e = value;
            if (TakeAsReal(e)) value = FloatToStr(StrToFloat(Trim(e)));
        }
    }
    return true;
}

// Reads into a copy of the page and keeps it only when the reader got through and the DIH it
// saves reads back whole.
template <typename Reader> bool OnCopy(THeaderPages& pages, Reader&& read) {
    THeaderPages work = pages;
    if (!read(work)) return false;
    if (!SavesWhole(pages, work)) return Damaged();
    pages = std::move(work);
    return true;
}

bool ReadText(const std::string& fileName, std::string& text) {
    if (ReadWholeFile(fileName, text)) return true;
    ShowMessageNumber(39998);
    return false;
}

bool ReadDIH(THeaderPages& pages, const std::string& fileName) {
    std::string text;
    if (!ReadText(fileName, text)) return false;
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || lines[0] != DIHVersionLine) {
        ShowMessageNumber(39994);
        return false;
    }
    pages.RIHOpenRIHHeader(fileName);
    return true;
}

} // namespace

bool RIHOpenFSTHeader(THeaderPages& pages, const std::string& fileName) {
    std::string text;
    if (!ReadText(fileName, text)) return false;
    std::string joined;
    for (const std::string& line : SplitLines(text))
        joined += line;
    return OnCopy(pages, [&joined](THeaderPages& p) {
        HeaderWalk w(joined);
        return ReadFST(p, w) || Damaged();
    });
}

bool RIHOpenDDRHeader(THeaderPages& pages, const std::string& fileName) {
    std::string text;
    if (!ReadText(fileName, text)) return false;
    const std::vector<std::string> lines = SplitLines(text);
    return OnCopy(pages, [&](THeaderPages& p) {
        NameAfterFile(p, fileName);
        HeaderWalk w(lines.empty() ? std::string() : lines[0]);
        return ReadDDR(p, w) || Damaged();
    });
}

bool RIHOpenIDXHeader(THeaderPages& pages, const std::string& fileName) {
    std::string text;
    if (!ReadText(fileName, text)) return false;
    const std::vector<std::string> lines = SplitLines(text);
    TSubsetBounds bounds;
    const bool read = OnCopy(pages, [&](THeaderPages& p) {
        NameAfterFile(p, fileName);
        if (!ReadIDX(p, lines)) return false;
        bounds.SubsetLeft = static_cast<int32_t>(StrToInt(p[F::RIHLC]));
        bounds.SubsetRight = static_cast<int32_t>(StrToInt(p[F::RIHRC]));
        bounds.SubsetTop = static_cast<int32_t>(StrToInt(p[F::RIHTR]));
        bounds.SubsetBottom = static_cast<int32_t>(StrToInt(p[F::RIHBR]));
        return true;
    });
    if (read) SubsetBounds = bounds;
    return read;
}

bool RIHOpenDATHeader(THeaderPages& pages, const std::string& fileName) {
    std::vector<uint8_t> record;
    if (!ReadWholeFile(fileName, record)) {
        ShowMessageNumber(39998);
        return false;
    }
    if (record.size() < 4 || RecordField(record, 0, 4) != "SLAR") {
        ShowMessageNumber(39969);
        return false;
    }
    if (record.size() < RadarRecordSize) return Damaged();
    int64_t records = 0;
    const std::string recordCount = RecordField(record, 8, 6);
    if (!WholeNumber(recordCount, records)) return Damaged();
    return OnCopy(pages, [&](THeaderPages& p) {
        p[F::RIHIDEdit] = DIHVersionLine;
        SetAll(p, {F::RIHImageTypeEdit, F::RIHSensorType}, "SLAR");
        p[F::RIHinLine] = RecordField(record, 4, 4);
        p[F::RIHLC] = "65";
        p[F::RIHIW] = "4096";
        p[F::RIHRC] = "4160";
        SetAll(p, {F::RIHinColumn, F::RIHBR}, recordCount);
        p[F::RIHTR] = "2";
        p[F::RIHIH] = IntToStr(records - 1);
        for (const RadarField& f : RadarFields)
            p[f.Target] = RecordField(record, f.Offset, f.Length);
        const std::string frame(reinterpret_cast<const char*>(record.data()) + 40, 12);
        p[F::RIHVolumeEdit] = Trim(frame.substr(4, 4));
        p[F::RIHinSetEdit] = Trim(frame.substr(8, 4));
        p[F::RIHNBEdit] = "1";
        p[F::RIHBFName1] = ExtractFileName(fileName);
        return true;
    });
}

bool RIHOpenHDFHeader(THeaderPages&, const std::string& fileName) {
    // An import only reads: a file that is not there is not made, and nothing is written.
    if (!FileExists(fileName)) {
        ShowMessageNumber(39998);
        return false;
    }
    const int32_t id = SDstart(fileName, DFACC_READ);
    if (id == -1) {
        ShowMessageNumber(NotHDFMessage);
        return false;
    }
    SDend(id);
    return true;
}

HeaderImport ImportHeaderFile(THeaderPages& pages, const std::string& fileName) {
    HeaderImport result;
    const std::string ext = LowerCase(ExtractFileExt(fileName));
    bool read = false;
    // The DIH the user chose not to use instead: the No was leave to write the import over it.
    std::string overwritten;
    if (ext == ".dih") {
        read = ReadDIH(pages, fileName);
    } else {
        const std::string dih = FindFileCaseInsensitive(
            ExtractFilePath(fileName), ChangeFileExt(ExtractFileName(fileName), ".dih"));
        MsgButton answer = MsgButton::No;
        if (!dih.empty())
            answer = HookShowMessage(MsgKind::Confirmation, MessageText(10001), MessageX, MessageY);
        if (answer == MsgButton::Cancel || answer == MsgButton::None) return result;
        if (answer == MsgButton::No) overwritten = dih;
        if (answer == MsgButton::Yes) {
            read = ReadDIH(pages, dih);
        } else if (ext == ".idx") {
            result.ShowViewer = true;
            read = RIHOpenIDXHeader(pages, fileName);
        } else if (ext == ".ddr") {
            result.ShowViewer = true;
            read = RIHOpenDDRHeader(pages, fileName);
        } else if (ext == ".dat") {
            read = RIHOpenDATHeader(pages, fileName);
        } else if (ext == ".fst") {
            read = RIHOpenFSTHeader(pages, fileName);
        } else if (ext == ".hdf") {
            read = RIHOpenHDFHeader(pages, fileName);
        } else if (ext == ".txt") {
            pages.ClearRIH();
            result.ShowViewer = true;
            read = true;
        } else {
            ShowMessageNumber(39968);
        }
    }
    if (!read) return result;
    pages[F::RIHHeaderFileEdit] = ChangeFileExt(ExtractFileName(fileName), ".dih");
    ImageDirectory = pages.DIHFolder = ExtractFilePath(fileName);
    if (!overwritten.empty()) pages.DIHStamp = StampFile(overwritten);
    pages.RIHSaveIt();
    result.Saved = true;
    return result;
}
