// The latitude-longitude crop on the real scene: a box of longitudes and latitudes around the
// Olinda scene's centre cuts the pixel window its corners stand for, worked out here from the
// scene's corner table by interpolation, independently of the projection library.
#include "import/HeaderFixture.h"
#include "import/vLLCrop.h"
#include "runtime/RtNumbers.h"

#include <filesystem>

namespace {

using F = DIHField;
using Bytes = std::vector<uint8_t>;
constexpr int W = 349, H = 352;

// The scene's pixel corners (tests/data/projections/olinda-corners.txt): easting, northing,
// longitude, latitude of the upper left, lower left, upper right and lower right corners.
double Dms(int d, int m, double s) {
    return -(d + m / 60.0 + s / 3600.0);
}
const std::array<double, 4> Corners[4] = {
    {288776.250, 9120760.750, Dms(34, 54, 58.20), Dms(7, 56, 59.36)},
    {288776.250, 9110728.750, Dms(34, 54, 59.72), Dms(8, 2, 25.86)},
    {298722.750, 9120760.750, Dms(34, 49, 33.48), Dms(7, 57, 0.82)},
    {298722.750, 9110728.750, Dms(34, 49, 34.93), Dms(8, 2, 27.34)}};

class LLCropTest : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), Dir.File("olinda.bsq"));
        ASSERT_EQ(RawSplitScene(Dir.File("olinda.bsq"), {W, H, 6, 0}), 0);
        // UTM zone 25 south on GRS 1980, the typed degrees taken as they stand.
        P.SetItemIndex(F::ProjectionCBOut, 1);
        P.SetItemIndex(F::UnitCBOut, 2);
        P.SetItemIndex(F::UtmZoneCBOut, 24);
        P.SetItemIndex(F::SpheroidCBOut, 8);
        P.SetItemIndex(F::DatumCBOut, 23);
        P.SetChecked(F::UTMZoneNorthCBOut, false);
        P.SetChecked(F::IgnoreDatumCB, true);
        P.SetChecked(F::CoordinatesValidCBox, true);
        P.SetChecked(F::IsProjectedCB, true);
        const F lonLat[4][2] = {{F::ULLongitudeEdit, F::ULLatitudeEdit},
                                {F::LLLongitudeEdit, F::LLLatitudeEdit},
                                {F::URLongitudeEdit, F::URLatitudeEdit},
                                {F::LRLongitudeEdit, F::LRLatitudeEdit}};
        for (size_t i = 0; i < 4; ++i) {
            P[lonLat[i][0]] = FloatToStr(Corners[i][2]);
            P[lonLat[i][1]] = FloatToStr(Corners[i][3]);
        }
        P[F::ULCoXEdit] = FloatToStr(Corners[0][0]);
        P[F::ULCoYEdit] = FloatToStr(Corners[0][1]);
        P[F::LRCoXEdit] = FloatToStr(Corners[3][0]);
        P[F::LRCoYEdit] = FloatToStr(Corners[3][1]);
        P[F::PixelXSizeEdit] = P[F::PixelYSizeEdit] = "28.5";
        P.RIHSaveIt();
        P = THeaderPages();
    }
    // Longitude and latitude of the centre of pixel (column, row), 1-based, interpolated between
    // the four corners.
    std::pair<double, double> PixelCentre(int column, int row) const {
        const double u = (column - 0.5) / W, t = (row - 0.5) / H;
        auto mix = [&](int k) {
            return (1 - t) * ((1 - u) * Corners[0][k] + u * Corners[2][k]) +
                   t * ((1 - u) * Corners[1][k] + u * Corners[3][k]);
        };
        return {mix(2), mix(3)};
    }
    // The box whose corners are the centres of the window's corner pixels.
    void Box(TLLCropValues& v, int left, int right, int top, int bottom) const {
        const std::pair<int, int> at[4] = {
            {left, top}, {right, top}, {left, bottom}, {right, bottom}};
        for (size_t i = 0; i < 4; ++i) {
            const auto [lon, lat] = PixelCentre(at[i].first, at[i].second);
            v.Box[2 * i] = FloatToStr(lon);
            v.Box[2 * i + 1] = FloatToStr(lat);
        }
    }
};

TEST_F(LLCropTest, BoxAroundTheCentreCutsItsPixelWindow) {
    TLLCropValues v;
    const TCropScene scene = ChooseDIHForLLCrop(Dir.File("olinda.dih"), v);
    ASSERT_TRUE(DISLoaded) << Rec.Summary();
    EXPECT_EQ(v.DIHSubsetWEdit + " " + v.DIHSubsetHEdit, "349 352");
    EXPECT_EQ(v.Box[0], P[F::ULLongitudeEdit]);
    Box(v, 101, 250, 121, 230);
    v.DIHSubsetDISEdit = "centre";
    bool tooMany = true;
    ASSERT_EQ(LLCropScene(scene, v, tooMany), 0) << Rec.Summary();
    EXPECT_EQ(
        (std::array<int64_t, 4>{v.Bounds.Left, v.Bounds.Right, v.Bounds.Top, v.Bounds.Bottom}),
        (std::array<int64_t, 4>{101, 250, 121, 230}));
    // The map corners are the window's pixel centres in the scene's grid.
    EXPECT_NEAR(StrToFloat(v.DDLL[0]), Corners[0][0] + 100.5 * 28.5, 1.0);
    EXPECT_NEAR(StrToFloat(v.DDLL[7]), Corners[0][1] - 229.5 * 28.5, 1.0);

    Bytes band4, cut;
    ASSERT_TRUE(ReadWholeFile(TestData("landsat7-olinda/olinda_b4.raw"), band4));
    ASSERT_TRUE(ReadWholeFile(Dir.File("centre.B40"), cut));
    Bytes expected;
    for (int r = 121; r <= 230; ++r)
        expected.insert(expected.end(), band4.begin() + (r - 1) * W + 100,
                        band4.begin() + (r - 1) * W + 250);
    EXPECT_EQ(cut, expected);
    // The new DIS keeps the box as its registration.
    const std::vector<std::string> dis = FileLines(Dir.File("centre.dis"));
    EXPECT_EQ(dis[9], "true");
    EXPECT_EQ(std::vector<std::string>(dis.begin() + 10, dis.begin() + 14),
              (std::vector<std::string>{v.DDLL[0], v.DDLL[1], v.Box[0], v.Box[1]}));
}

struct LLRefusal {
    const char* Name;
    std::function<void(TLLCropValues&)> Change;
    std::vector<int> Messages;
};

TEST_F(LLCropTest, RefusalsWriteNothing) {
    const LLRefusal refusals[] = {
        {"the DIH's own name proposed", [](TLLCropValues&) {}, {27}},
        {"not projected",
         [](TLLCropValues&) { HeaderPages.SetChecked(F::IsProjectedCB, false); },
         {39964, 39965}},
        {"box beside the scene",
         [](TLLCropValues& v) {
             v.Box[0] = v.Box[4] = "-35.5";
             v.Box[2] = v.Box[6] = "-35.4";
         },
         {39965}},
        {"page turned", [](TLLCropValues&) { DISLoaded = false; }, {39993}},
    };
    for (const LLRefusal& r : refusals) {
        SCOPED_TRACE(r.Name);
        TLLCropValues v;
        const TCropScene scene = ChooseDIHForLLCrop(Dir.File("olinda.dih"), v);
        if (r.Messages[0] != 27) v.DIHSubsetDISEdit = "cut.dis";
        r.Change(v);
        Rec.Clear();
        bool tooMany = false;
        const int refusal = LLCropScene(scene, v, tooMany);
        if (refusal) ShowMessageNumber(refusal);
        std::vector<int> shown;
        for (int m : {27, 39964, 39965, 39993})
            if (Rec.Shown(m)) shown.push_back(m);
        EXPECT_EQ(shown, r.Messages) << Rec.Summary();
        EXPECT_FALSE(FileExists(Dir.File("cut.dis")) || FileExists(Dir.File("cut.B10")));
    }
    // A scene whose corners are not marked valid cannot be cropped by a box.
    HeaderPages.SetChecked(F::CoordinatesValidCBox, false);
    HeaderPages.RIHSaveIt();
    TLLCropValues v;
    ChooseDIHForLLCrop(Dir.File("olinda.dih"), v);
    EXPECT_TRUE(Rec.Shown(39966));
    EXPECT_FALSE(DISLoaded);
}

} // namespace
