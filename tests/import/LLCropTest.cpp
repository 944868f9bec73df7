// The latitude-longitude crop on the real scene: a box of longitudes and latitudes around the
// Olinda scene's centre cuts the pixel window its corners stand for, worked out here from the
// scene's corner table by interpolation, independently of the projection library.
#include "import/HeaderFixture.h"
#include "import/vLLCrop.h"
#include "runtime/RtNumbers.h"

#include <filesystem>

namespace {

using F = DIHField;
constexpr int W = 349, H = 352;

class LLCropTest : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        std::filesystem::copy_file(TestData("landsat7-olinda/olinda.bsq"), Dir.File("olinda.bsq"));
        ASSERT_EQ(RawSplitScene(Dir.File("olinda.bsq"), {W, H, 6, 0}), 0);
        TypeOlindaUtm25South(P);
        P.SetChecked(F::CoordinatesValidCBox, true);
        P.SetChecked(F::IsProjectedCB, true);
        P[F::ULCoXEdit] = FloatToStr(OlindaCorners[0].Easting);
        P[F::ULCoYEdit] = FloatToStr(OlindaCorners[0].Northing);
        P[F::LRCoXEdit] = FloatToStr(OlindaCorners[3].Easting);
        P[F::LRCoYEdit] = FloatToStr(OlindaCorners[3].Northing);
        P[F::PixelXSizeEdit] = P[F::PixelYSizeEdit] = "28.5";
        P.RIHSaveIt();
        P = THeaderPages();
    }
    // Longitude and latitude of the centre of pixel (column, row), 1-based, interpolated between
    // the four corners.
    std::pair<double, double> PixelCentre(int column, int row) const {
        const double u = (column - 0.5) / W, t = (row - 0.5) / H;
        const OlindaCorner* c = OlindaCorners;
        auto mix = [&](double OlindaCorner::*k) {
            return (1 - t) * ((1 - u) * c[0].*k + u * c[1].*k) +
                   t * ((1 - u) * c[2].*k + u * c[3].*k);
        };
        return {mix(&OlindaCorner::Longitude), mix(&OlindaCorner::Latitude)};
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
    TCropScene scene;
    ASSERT_TRUE(ChooseDIHForLLCrop(Dir.File("olinda.dih"), v, scene));
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
    EXPECT_NEAR(StrToFloat(v.DDLL[0]), OlindaCorners[0].Easting + 100.5 * 28.5, 1.0);
    EXPECT_NEAR(StrToFloat(v.DDLL[7]), OlindaCorners[0].Northing - 229.5 * 28.5, 1.0);

    EXPECT_EQ(
        FileBytes(Dir.File("centre.B40")),
        BandWindow(FileBytes(TestData("landsat7-olinda/olinda_b4.raw")), W, 101, 250, 121, 230));
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
        {"no new DIS name",
         [](TLLCropValues& v) { v.DIHSubsetDISEdit.clear(); },
         {NoHeaderNameMessage}},
    };
    for (const LLRefusal& r : refusals) {
        SCOPED_TRACE(r.Name);
        TLLCropValues v;
        TCropScene scene;
        ASSERT_TRUE(ChooseDIHForLLCrop(Dir.File("olinda.dih"), v, scene));
        if (r.Messages[0] != 27) v.DIHSubsetDISEdit = "cut.dis";
        r.Change(v);
        Rec.Clear();
        bool tooMany = false;
        const int refusal = LLCropScene(scene, v, tooMany);
        if (refusal) ShowMessageNumber(refusal);
        std::vector<int> shown;
        for (int m : {27, 39964, 39965, 39993, NoHeaderNameMessage})
            if (Rec.Shown(m)) shown.push_back(m);
        EXPECT_EQ(shown, r.Messages) << Rec.Summary();
        EXPECT_FALSE(FileExists(Dir.File("cut.dis")) || FileExists(Dir.File("cut.B10")) ||
                     FileExists(Dir.File(".dis")));
    }
    // A scene whose corners are not marked valid cannot be cropped by a box.
    HeaderPages.SetChecked(F::CoordinatesValidCBox, false);
    HeaderPages.RIHSaveIt();
    TLLCropValues v;
    TCropScene scene;
    EXPECT_TRUE(ChooseDIHForLLCrop(Dir.File("olinda.dih"), v, scene));
    EXPECT_TRUE(Rec.Shown(39966));
    EXPECT_FALSE(DISLoaded);
}

// A DIH the reader refuses, chosen after a good one, arms no crop: the box of the page would
// else cut the earlier scene's bands and rewrite its DIH.
TEST_F(LLCropTest, RefusedDIHClearsTheChoiceAndWritesNothing) {
    TLLCropValues v;
    TCropScene scene;
    ASSERT_TRUE(ChooseDIHForLLCrop(Dir.File("olinda.dih"), v, scene));
    ASSERT_TRUE(DISLoaded);
    std::vector<std::string> lines = FileLines(Dir.File("olinda.dih"));
    lines[0] = "DIH 1.0";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("other.dih"), JoinLinesCRLF(lines),
                                TReplaceLeave::Chosen(Dir.File("other.dih"))));
    const std::string dihBefore = FileText(Dir.File("olinda.dih"));
    TLLCropValues refused;
    EXPECT_FALSE(ChooseDIHForLLCrop(Dir.File("other.dih"), refused, scene));
    EXPECT_TRUE(Rec.Shown(39994));
    EXPECT_FALSE(DISLoaded);
    EXPECT_EQ(scene.DIHPath, Dir.File("olinda.dih"));
    Box(v, 101, 250, 121, 230);
    v.DIHSubsetDISEdit = "cut";
    bool tooMany = false;
    EXPECT_EQ(LLCropScene(scene, v, tooMany), 39993);
    EXPECT_FALSE(FileExists(Dir.File("cut.dis")) || FileExists(Dir.File("cut.B10")));
    EXPECT_EQ(FileText(Dir.File("olinda.dih")), dihBefore);
}

} // namespace
