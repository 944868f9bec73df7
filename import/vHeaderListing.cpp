#include "import/vHeaderListing.h"

#include "import/vHeaderChoices.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

using F = DIHField;

// Every DIH line outside the band blocks with its key; a line missing here has none.
const std::pair<DIHField, const char*> DIHKeys[] = {
    {F::RIHIDEdit, "RIH Version ID"},
    {F::RIHHeaderFileEdit, "RIH Filename"},
    {F::RIHRIHEdit, "Raster Image Header"},
    {F::RIHSceneTitle, "Scene Title"},
    {F::RIHLC, "Left Column"},
    {F::RIHRC, "Right Column"},
    {F::RIHIW, "Image Width"},
    {F::RIHinLine, "Line Size"},
    {F::RIHTR, "Top Row"},
    {F::RIHBR, "Bottom Row"},
    {F::RIHIH, "Image Height"},
    {F::RIHinColumn, "Column Size"},
    {F::RIHSensorType, "Sensor type"},
    {F::RIHSensorID, "Sensor ID"},
    {F::RIHRecordSizeEdit, "Record Size"},
    {F::RIHPath, "Path"},
    {F::RIHStartRow, "Row"},
    {F::RIHEndRow, "End Row"},
    {F::RIHBlockEdit, "Block"},
    {F::RIHAcquiredEdit, "Acquired Date"},
    {F::RIHProducedEdit, "Produced Date"},
    {F::RIHProductSizeEdit, "ProductSize"},
    {F::RIHProjectRollFrameEdit, "ProjectRollFrame"},
    {F::RIHVolumeEdit, "Volume"},
    {F::RIHinSetEdit, "inSet"},
    {F::RIHImageTypeEdit, "RIHImageType"},
    {F::RIHSensorModeEdit, "SensorMode"},
    {F::RIHDataSource, "Data Source"},
    {F::RIHProjectData, "ProjectData"},
    {F::RIHLookAngleEdit, "LookAngle"},
    {F::RIHDirectionEdit, "Direction"},
    {F::RIHSourceScale, "Source Scale"},
    {F::RIHOffsetEdit, "Offset"},
    {F::RIHRangeEdit, "Range"},
    {F::RIHScannedRez, "ScannedRez"},
    {F::SensorAltitudeEdit, "SensorAltitude"},
    {F::RIHOrientationAngleEdit, "OrientationAngle"},
    {F::RIHAcquiredBitsEdit, "AcquiredBits"},
    {F::RIHCurrentBitsEdit, "CurrentBits"},
    {F::RIHSwathWidthEdit, "SwathWidth"},
    {F::RIHSwathWidthRezEdit, "SwathWidthRez"},
    {F::RIHSwathHeightEdit, "SwathHeight"},
    {F::RIHSwathHeightRezEdit, "SwathHeightRez"},
    {F::RIHFlightlineEdit, "Flightline"},
    {F::RIHWeatherEdit, "Weather"},
    {F::PercentCloudsEdit, "Percent Clouds"},
    {F::RIHSunAzimuthAngleEdit, "SunAzimuthAngle"},
    {F::RIHSunElevationAngleEdit, "SunElevationAngle"},
    {F::RIHNBEdit, "Number of Bands"},
    {F::RevEdit, "Rev"},
    {F::SignalEdit, "Signal"},
    {F::PolarityEdit, "Polarity"},
    {F::ImageLatLongorUTMEdit, "Image Latlong UTM"},
    {F::ProjectionEdit, "Projection"},
    {F::UTMZoneEdit, "UTM ZONE for UTM projection"},
    {F::DatumEdit, "Datum"},
    {F::SpheroidEdit, "Spheroid"},
    {F::XShiftEdit, "XShift"},
    {F::YShiftEdit, "YShift"},
    {F::XUnitsCB, "X Units"},
    {F::YUnitsCB, "Y Units"},
    {F::ZUnitsCB, "Z Units"},
    {F::MUnitsCB, "M Units"},
    {F::ZUnitsEdit, "Z Units"},
    {F::XMinEdit, "X Min"},
    {F::XMaxEdit, "X Max"},
    {F::YMinEdit, "Y Min"},
    {F::YMaxEdit, "Y Max"},
    {F::ZMinEdit, "Z Min"},
    {F::ZMaxEdit, "Z Max"},
    {F::MMinEdit, "M Min"},
    {F::MMaxEdit, "M Max"},
    {F::ProjectionGridOriginEdit, "ProjectionGridOrigin"},
    {F::GridOriginXEdit, "Grid Origin"},
    {F::GridOriginYEdit, "Grid Origin"},
    {F::DDDMSGridUnitEdit, "Grid Unit"},
    {F::PixelXSizeEdit, "X Size"},
    {F::PixelYSizeEdit, "Y Size"},
    {F::ColumnXEdit, "ColumnsX"},
    {F::RowsYEdit, "RowsY"},
    {F::ImageCellOriginEdit, "ImageCellOrigin"},
    {F::CellOriginXEdit, "Cell X Origin"},
    {F::CellOriginYEdit, "Cell Y Origin"},
    {F::LeftX1Edit, "LeftX1"},
    {F::TopY1Edit, "TopY1"},
    {F::RightX2Edit, "RightX2"},
    {F::BottomY2Edit, "BottomY2"},
    {F::MapNameEdit, "Map Name"},
    {F::MapQuadrangleEdit, "Map Quadrangle"},
    {F::MapDateEdit, "Map Date"},
    {F::MapRevisionEdit, "Map Revision"},
    {F::CatNameEditBox, "Map Cat"},
    {F::MapScaleEdit, "Map Scale"},
    {F::SubQuadEdit, "Map SubQuad"},
    {F::ProductTypeEdit, "ProductType"},
    {F::PreProcessingEdit, "PreProcessing"},
    {F::ResamplingTechniqueEdit, "Resampling Technique"},
    {F::MetadataFileEdit, "Map Metadata"},
    {F::ProjectionValidCBox, "Projection Valid"},
    {F::NeverProjectedCB, "NeverProjected"},
    {F::IsProjectedCB, "Is Projected"},
    {F::ProjectionCBOut, "Map Projection"},
    {F::UnitCBOut, "Map Unit"},
    {F::UtmZoneCBOut, "Map UtmZone"},
    {F::DatumCBOut, "Map Datum"},
    {F::SpheroidCBOut, "Map Spheroid"},
    {F::StatePlaneZoneEditOut, "State Plane Zone"},
    {F::IgnoreDatumCB, "IgnoreDatum"},
    {F::IgnoreErrorsCB, "IgnoreErrors"},
    {F::UTMZoneNorthCBOut, "UTMZoneNorth"},
    {F::StdPr2Edit, "STDPR2Edit"},
    {F::CoordinatesValidCBox, "Coordinates Valid"},
    {F::RegistrationValidCBox, "Registration Valid"},
    {F::RegistrationPointsCountEdit, "Reg Points"},
    {F::CoLocatedDataCBox, "CoLocatedData"},
    {F::StereoCoverageCBox, "StereoCoverage"},
    {F::OverlappedCoverageCBox, "OverlappedCoverage"},
    {F::MapEdge1Edit, "MapEdge 1"},
    {F::MapEdge2Edit, "MapEdge 2"},
    {F::MapEdge3Edit, "MapEdge 3"},
    {F::MapEdge4Edit, "MapEdge 4"},
    {F::MapEdgeW1Edit, "MapEdge W1"},
    {F::MapEdgeW2Edit, "MapEdge W2"},
    {F::MapEdgeN1Edit, "MapEdge N1"},
    {F::MapEdgeN2Edit, "MapEdge N2"},
    {F::MapEdgeE1Edit, "MapEdge E1"},
    {F::MapEdgeE2Edit, "MapEdge E2"},
    {F::MapEdgeS1Edit, "MapEdge S1"},
    {F::MapEdgeS2Edit, "MapEdge S2"},
};

bool Within(DIHField f, DIHField first, DIHField last) {
    return static_cast<int>(f) >= static_cast<int>(first) &&
           static_cast<int>(f) <= static_cast<int>(last);
}

// Lines keyed by the name of their control: the affine values, the projection parameters (all
// but the one the listing leaves out), the DLG values after them, and the corners with the
// co-files.
bool KeyedByControlName(DIHField f) {
    if (f == F::STDPAREdit) return false;
    return Within(f, F::A1Edit, F::E3Edit) || Within(f, F::ModeEdit, F::DLGPE3) ||
           Within(f, F::ULLongitudeEdit, F::CenCoPixYEdit) ||
           Within(f, F::RIHNCoFileEdit, F::RIHNWCoFileEdit);
}

// The twelve DLG values after the affine ones are listed as they stand, without a key.
bool ListedBare(DIHField f) {
    return Within(f, F::DLGPP1, F::DLGPPP8);
}

// A control's name as its key, without a trailing "Edit" ("ULCoXEdit" -> "ULCoX"), except for
// the projection parameters, whose keys keep it.
std::string ControlNameKey(DIHField f) {
    std::string name = RowOf(f).Name;
    const int i = static_cast<int>(f);
    const bool parameter = i >= static_cast<int>(F::ModeEdit) && i <= static_cast<int>(F::PathEdit);
    if (!parameter && name.ends_with("Edit")) name.resize(name.size() - 4);
    return name;
}

const char* const BandKeys[] = {
    "Band %s name: ", "Sensor range: ", "Band file name: ", "Band %s Gain: ",
    "Band %s Bias: ", "Band %s Min: ",  "Band %s Max: "};

std::string BandKey(int offset, const char* label) {
    std::string key = BandKeys[offset];
    const size_t at = key.find("%s");
    if (at != std::string::npos) key.replace(at, 2, label);
    return key;
}

// How the listing shows a line's value.
std::string DIHValueText(const THeaderPages& pages, DIHField f) {
    switch (RowOf(f).Kind) {
    case DIHKind::Flag:
        return pages.Checked(f) ? "true" : "false";
    case DIHKind::Index:
    case DIHKind::ZoneIndex:
        // The unit boxes list their index, the others the chosen item's text.
        if (f == F::XUnitsCB || f == F::YUnitsCB || f == F::ZUnitsCB || f == F::MUnitsCB)
            return IntToStr(pages.ItemIndex(f));
        if (ItemTexts(f).empty()) return pages.ItemIndex(f) < 0 ? "" : IntToStr(pages.ItemIndex(f));
        return SelectedItemText(pages, f);
    default:
        return pages[f];
    }
}

using D = DISField;

// In listing order, which puts each corner's longitude and latitude before its X and Y.
const std::pair<DISField, const char*> DISKeys[] = {
    {D::DISSubsetDIH, "DIS Subset DIH: "},
    {D::DISSubsetDIS, "DIS Subset DIS: "},
    {D::DISSubsetID, "DIS Subset ID: "},
    {D::DISSubsetLeft, "DIS Subset Left: "},
    {D::DISSubsetRight, "DIS Subset Right: "},
    {D::DISSubsetWidth, "DIS Subset Width: "},
    {D::DISSubsetTop, "DIS Subset Top: "},
    {D::DISSubsetBottom, "DIS Subset Bottom: "},
    {D::DISSubsetHeight, "DIS Subset Height: "},
    {D::DISRegistrationValidCB, "Registration Valid: "},
    {D::DISULLongitude, "ULReg Longitude: "},
    {D::DISULLatitude, "ULReg Latitude: "},
    {D::DISULRegX, "DISULReg X: "},
    {D::DISULRegY, "DISULReg Y: "},
    {D::DISURLongitude, "URReg Longitude: "},
    {D::DISURLatitude, "URReg Latitude: "},
    {D::DISURRegX, "URReg X: "},
    {D::DISURRegY, "URReg Y: "},
    {D::DISLLLongitude, "LLReg Longitude: "},
    {D::DISLLLatitude, "LLReg Latitude: "},
    {D::DISLLRegX, "LLReg X: "},
    {D::DISLLRegY, "LLReg Y: "},
    {D::DISLRLongitude, "LRReg Longitude: "},
    {D::DISLRLatitude, "LRReg Latitude: "},
    {D::DISLRRegX, "LRReg X: "},
    {D::DISLRRegY, "LRReg Y: "},
    {D::DISCoLocoCB, "CoLocatedData: "},
    {D::DISStereoCB, "StereoCoverage: "},
    {D::DISOverlappedCB, "OverlappedCoverage: "},
    {D::DISNCoFile, "N  CoFile: "},
    {D::DISNECoFile, "NE CoFile: "},
    {D::DISECoFile, "E  CoFile: "},
    {D::DISSECoFile, "SE CoFile: "},
    {D::DISSCoFile, "S  CoFile: "},
    {D::DISSWCoFile, "SW CoFile: "},
    {D::DISWCoFile, "W  CoFile: "},
    {D::DISNWCoFile, "NW CoFile: "},
};
static_assert(std::size(DISKeys) == DISFieldCount);

void AppendList(std::vector<std::string>& out, const char* title,
                const std::vector<std::string>& list) {
    out.push_back(title);
    out.insert(out.end(), list.begin(), list.end());
}

} // namespace

std::string DIHListingKey(DIHField f) {
    const int i = static_cast<int>(f);
    const int firstBand = static_cast<int>(F::RIHBName1);
    if (i >= firstBand && i < firstBand + 7 * BandSlotCount)
        return BandKey((i - firstBand) % 7,
                       BandSlotLabels[static_cast<size_t>((i - firstBand) / 7)]);
    for (const auto& [field, key] : DIHKeys)
        if (field == f) return std::string(key) + ": ";
    if (KeyedByControlName(f)) return ControlNameKey(f) + ": ";
    return {};
}

std::string DISListingKey(DISField f) {
    for (const auto& [field, key] : DISKeys)
        if (field == f) return key;
    return {};
}

std::vector<std::string> LabelDIHLines(const THeaderPages& pages) {
    std::vector<std::string> out;
    for (int i = 0; i < DIHFieldCount; ++i) {
        const auto f = static_cast<DIHField>(i);
        const std::string key = DIHListingKey(f);
        if (!key.empty() || ListedBare(f)) out.push_back(key + DIHValueText(pages, f));
        if (f != F::RegistrationPointsCountEdit) continue;
        const size_t count =
            std::min(RegistrationPoints.size(),
                     static_cast<size_t>(std::max(0, DIHRecord.RegistrationPointCount)));
        for (size_t p = 0; p < count; ++p) {
            const RegistrationPoint& point = RegistrationPoints[p];
            out.push_back("Reg Point #: " + IntToStr(static_cast<int64_t>(p)));
            for (double v : {point.CoordB, point.CoordA, double(point.X), double(point.Y)})
                out.push_back("Reg Points: " + FloatToStr(v));
        }
    }
    AppendList(out, "DIS subsets:", pages.RIHDISMemo);
    return out;
}

std::vector<std::string> LabelDISLines(const THeaderPages& pages) {
    std::vector<std::string> out;
    for (const auto& [field, key] : DISKeys)
        out.push_back(key + (RowOf(field).Kind == DISKind::Flag
                                 ? std::string(pages.Checked(field) ? "true" : "false")
                                 : pages[field]));
    AppendList(out, "Divided Image Files:", pages.DISDividedMemo);
    AppendList(out, "Processed Files:", pages.DISProcessMemo);
    AppendList(out, "DIP Images:", pages.DISDIPMemo);
    return out;
}

bool SaveHeaderListing(const std::string& chosen, const std::string& headerPath,
                       const std::vector<std::string>& lines) {
    // Whole paths, with links and "." and ".." resolved: the same bare name in another folder
    // is another file, and a header reached through another spelling is still the header.
    std::error_code ec;
    const auto a = std::filesystem::weakly_canonical(chosen, ec);
    const auto b = std::filesystem::weakly_canonical(headerPath, ec);
    if (chosen.empty()) return false;
    if (a == b) {
        HookShowMessage(MsgKind::Information,
                        chosen +
                            " is the header itself.\nIts listing is saved under another name only.",
                        MessageX, MessageY);
        return false;
    }
    WriteFileOrRaise(chosen, JoinLinesCRLF(lines), TReplaceLeave::Chosen(chosen));
    return true;
}
