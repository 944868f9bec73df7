#include "import/vHeaderChoices.h"

#include "projections/kovDatum.h"
#include "projections/kovGCTP.h"
#include "runtime/RtNumbers.h"

namespace {

constexpr int BandBlockLines = 7;
// The map's own axes come in plain units; a target system may also count in the units of its
// State Plane zone (code 6).
constexpr int UnitItemCount = 6;
constexpr int TargetUnitItemCount = 7;
constexpr int UtmZoneCount = 60;

std::vector<std::string> UnitNames(int count) {
    std::vector<std::string> names;
    for (int code = 0; code < count; ++code)
        names.push_back(UnitCodeName(code));
    return names;
}

std::vector<std::string> ProjectionNames() {
    // Code 0 has no module of its own; the others carry the title their set-up reports.
    std::vector<std::string> names{"GEOGRAPHIC"};
    for (int code = 1; code < ProjectionCodeCount; ++code)
        names.push_back(ProjectionModuleOf(code).Title);
    return names;
}

std::vector<std::string> SpheroidNames() {
    std::vector<std::string> names;
    for (const Spheroid& s : SpheroidTable)
        names.push_back(s.Name);
    return names;
}

std::vector<std::string> DatumNames() {
    std::vector<std::string> names;
    for (const DatumRow& d : DatumTable)
        names.push_back(d.Name);
    return names;
}

std::vector<std::string> ZoneNumbers() {
    std::vector<std::string> names;
    for (int zone = 1; zone <= UtmZoneCount; ++zone)
        names.push_back(IntToStr(zone));
    return names;
}

struct PresetCell {
    int Slot; // 0 to 8: 1, 2, 3, 4, 5, 6L, 6H, 7, 8
    const char* Name;
    const char* Range;
};

const std::vector<PresetCell> ETMPlusCells = {
    {0, "Band 1 Blue", "0.45 .. 0.52"},         {1, "Band 2 Green", "0.53 .. 0.61"},
    {2, "Band 3 Red", "0.63 .. 0.69"},          {3, "Band 4 Near IR", "0.78 .. 0.90"},
    {4, "Band 5 IR", "1.55 .. 1.75"},           {5, "Band 6 Thermal 60M", "10.4 .. 12.5"},
    {6, "Band 6 Thermal 60M", "10.4 .. 12.5"},  {7, "Band 7 Far IR", "2.09 .. 2.35"},
    {8, "Band 8 Panchromatic", "0.52 .. 0.90"},
};
const std::vector<PresetCell> TMCells = {
    {0, "Band 1 Blue", "0.45 .. 0.52"},   {1, "Band 2 Green", "0.52 .. 0.60"},
    {2, "Band 3 Red", "0.63 .. 0.69"},    {3, "Band 4 Near IR", "0.76 .. 0.90"},
    {4, "Band 5 IR", "1.55 .. 1.75"},     {5, "Band 6 Thermal", "10.4 .. 12.5"},
    {7, "Band 7 Far IR", "2.08 .. 2.35"},
};
const std::vector<PresetCell> MSSCells = {
    {0, "Band 1 (4) Green", "0.5 .. 0.6"},
    {1, "Band 2 (5) Red", "0.6 .. 0.7"},
    {2, "Band 3 (6) Photo IR", "0.7 .. 0.8"},
    {3, "Band 4 (7) Near IR", "0.8 .. 1.1"},
};

} // namespace

const std::array<const char*, ImageTypeCount> ImageTypes = {
    "Vertical", "Lo Oblique", "Hi Oblique", "PanoramicV",  "Horizontal", "PanoramicH",
    "Pan180",   "Pan90",      "Spot",       "ETM+",        "TM",         "MSS",
    "SAR",      "SIR C",      "SLAR",       "AVHRR Global"};

const std::vector<std::string>& ItemTexts(DIHField f) {
    static const std::vector<std::string> none;
    static const std::vector<std::string> units = UnitNames(UnitItemCount);
    static const std::vector<std::string> targetUnits = UnitNames(TargetUnitItemCount);
    static const std::vector<std::string> projections = ProjectionNames();
    static const std::vector<std::string> spheroids = SpheroidNames();
    static const std::vector<std::string> datums = DatumNames();
    static const std::vector<std::string> zones = ZoneNumbers();
    switch (f) {
    case DIHField::XUnitsCB:
    case DIHField::YUnitsCB:
    case DIHField::ZUnitsCB:
    case DIHField::MUnitsCB:
        return units;
    case DIHField::UnitCBOut:
        return targetUnits;
    case DIHField::ProjectionCBOut:
        return projections;
    case DIHField::UtmZoneCBOut:
        return zones;
    case DIHField::DatumCBOut:
        return datums;
    case DIHField::SpheroidCBOut:
        return spheroids;
    default:
        return none;
    }
}

std::string SelectedItemText(const THeaderPages& pages, DIHField f) {
    const std::vector<std::string>& items = ItemTexts(f);
    const int index = pages.ItemIndex(f);
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return {};
    return items[static_cast<size_t>(index)];
}

DIHField BandSlotField(int k, int offset) {
    return static_cast<DIHField>(static_cast<int>(DIHField::RIHBName1) + BandBlockLines * k +
                                 offset);
}

void ApplyBandPreset(THeaderPages& pages, BandPreset preset) {
    const std::vector<PresetCell>& cells = preset == BandPreset::ETMPlus ? ETMPlusCells
                                           : preset == BandPreset::TM    ? TMCells
                                                                         : MSSCells;
    for (const PresetCell& c : cells) {
        pages[BandSlotField(c.Slot, 0)] = c.Name;
        pages[BandSlotField(c.Slot, 1)] = c.Range;
    }
}

std::optional<DIHField> GrabberSlotField(int64_t slot) {
    if (slot < 1 || slot > BandSlotCount) return std::nullopt;
    return BandSlotField(static_cast<int>(slot) - 1, 2);
}
