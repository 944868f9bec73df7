#include "import/HeaderFixture.h"
#include "import/vHeaderChoices.h"
#include "import/vHeaderListing.h"
#include "runtime/RtErrors.h"

#include <filesystem>

namespace {

using F = DIHField;
using Lines = std::vector<std::string>;

class HeaderListing : public HeaderTest {};

TEST_F(HeaderListing, ListingsOfTheGoldenHeadersMatchTheirHandWrittenListings) {
    P.RIHOpenRIHHeader(GoldenHeader("points.dih"));
    EXPECT_EQ(LabelDIHLines(P), FileLines(GoldenHeader("points-listing.txt")));
    P.OpenDISHeader(GoldenHeader("lists.dis"));
    EXPECT_EQ(LabelDISLines(P), FileLines(GoldenHeader("lists-listing.txt")));
}

TEST_F(HeaderListing, ResetPageAndUnselectedBoxesListTheirFixedForms) {
    P.ClearRIH();
    Lines reset = LabelDIHLines(P);
    ASSERT_EQ(reset.size(), 296u); // one line per header line but one, and the title
    EXPECT_EQ(reset.front(), "RIH Version ID: NA");
    EXPECT_EQ(*std::find_if(reset.begin(), reset.end(),
                            [](const std::string& l) { return l.starts_with("X Units: "); }),
              "X Units: 1");
    EXPECT_EQ(reset.back(), "DIS subsets:");

    P.SetItemIndex(F::XUnitsCB, -1);
    P.SetItemIndex(F::ProjectionCBOut, -1);
    P.SetItemIndex(F::CatNameEditBox, -1);
    const Lines lines = LabelDIHLines(P);
    for (const char* expected : {"X Units: -1", "Map Projection: ", "Map Cat: "})
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
}

// Every combo box of the header offers exactly as many items as its line may select.
TEST_F(HeaderListing, EachListedComboBoxHoldsTheItemCountOfItsLine) {
    for (const DIHFieldRow& row : DIHFields) {
        if (row.Kind != DIHKind::Index && row.Kind != DIHKind::ZoneIndex) continue;
        const auto f = static_cast<F>(&row - DIHFields.data());
        EXPECT_EQ(ItemTexts(f).size(), static_cast<size_t>(row.Size)) << row.Name;
    }
}

TEST_F(HeaderListing, ListingIsNeverWrittenOverItsOwnHeader) {
    namespace fs = std::filesystem;
    const std::string header = Dir.File("scene.dih");
    WriteFileAtomic(header, "header", TReplaceLeave::Chosen(header));
    fs::create_directory(Dir.File("sub"));
    fs::create_symlink(header, Dir.File("link.dih"));
    const struct {
        std::string Chosen;
        bool Written;
    } cases[] = {
        {header, false},
        {Dir.File("sub/../scene.dih"), false},
        {Dir.Path() + "./scene.dih", false},
        {Dir.File("link.dih"), false},
        {Dir.File("scene.DIH"), true},
        {Dir.File("sub/scene.dih"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SaveHeaderListing(c.Chosen, header, {"A: 1", "B: 2"}), c.Written) << c.Chosen;
        EXPECT_EQ(FileText(header), "header") << c.Chosen;
        if (c.Written) EXPECT_EQ(FileText(c.Chosen), "A: 1\r\nB: 2\r\n");
    }
    EXPECT_THROW(SaveHeaderListing(Dir.File("none/x.txt"), header, {"A: 1"}), EInOutError);
}

TEST_F(HeaderListing, PresetsWriteTheirCellsAndKeepTheOtherSlots) {
    // Name and range of the nine slots after each press, in slot order 1 ... 5, 6L, 6H, 7, 8.
    using Slots = std::vector<std::pair<std::string, std::string>>;
    const Slots etm = {
        {"Band 1 Blue", "0.45 .. 0.52"},        {"Band 2 Green", "0.53 .. 0.61"},
        {"Band 3 Red", "0.63 .. 0.69"},         {"Band 4 Near IR", "0.78 .. 0.90"},
        {"Band 5 IR", "1.55 .. 1.75"},          {"Band 6 Thermal 60M", "10.4 .. 12.5"},
        {"Band 6 Thermal 60M", "10.4 .. 12.5"}, {"Band 7 Far IR", "2.09 .. 2.35"},
        {"Band 8 Panchromatic", "0.52 .. 0.90"}};
    const Slots tm = {{"Band 1 Blue", "0.45 .. 0.52"},
                      {"Band 2 Green", "0.52 .. 0.60"},
                      {"Band 3 Red", "0.63 .. 0.69"},
                      {"Band 4 Near IR", "0.76 .. 0.90"},
                      {"Band 5 IR", "1.55 .. 1.75"},
                      {"Band 6 Thermal", "10.4 .. 12.5"},
                      {"NA", "0"},
                      {"Band 7 Far IR", "2.08 .. 2.35"},
                      {"NA", "0"}};
    Slots mssAfterEtm = etm;
    mssAfterEtm[0] = {"Band 1 (4) Green", "0.5 .. 0.6"};
    mssAfterEtm[1] = {"Band 2 (5) Red", "0.6 .. 0.7"};
    mssAfterEtm[2] = {"Band 3 (6) Photo IR", "0.7 .. 0.8"};
    mssAfterEtm[3] = {"Band 4 (7) Near IR", "0.8 .. 1.1"};
    const struct {
        std::vector<BandPreset> Presses;
        Slots Expected;
    } cases[] = {{{BandPreset::ETMPlus}, etm},
                 {{BandPreset::TM}, tm},
                 {{BandPreset::ETMPlus, BandPreset::MSS}, mssAfterEtm}};
    for (const auto& c : cases) {
        P.ClearRIH();
        for (BandPreset p : c.Presses)
            ApplyBandPreset(P, p);
        Slots got;
        for (int k = 0; k < BandSlotCount; ++k)
            got.emplace_back(P[BandSlotField(k, 0)], P[BandSlotField(k, 1)]);
        EXPECT_EQ(got, c.Expected) << static_cast<int>(c.Presses.back());
        EXPECT_EQ(P[F::RIHBFName1], "NA"); // file names are no part of a preset
    }
}

TEST_F(HeaderListing, GrabberSlotsOneToNineNameTheBandFileLinesInSlotOrder) {
    const std::vector<std::pair<int64_t, std::optional<F>>> cases = {
        {0, std::nullopt},   {1, F::RIHBFName1},  {2, F::RIHBFName2}, {5, F::RIHBFName5},
        {6, F::RIHBFName6L}, {7, F::RIHBFName6H}, {8, F::RIHBFName7}, {9, F::RIHBFName8},
        {10, std::nullopt},  {-1, std::nullopt}};
    for (const auto& [slot, field] : cases)
        EXPECT_EQ(GrabberSlotField(slot), field) << slot;
}

} // namespace
