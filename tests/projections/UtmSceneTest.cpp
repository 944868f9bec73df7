// The corners of a real scene: geographic coordinates to UTM zone 25 south on GRS 1980 through
// the client's calling order (units, set-up, transformation).
#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include <cmath>

namespace {

class UtmScene : public ProjectionTest {};

TEST_F(UtmScene, OlindaCornersLandWithinAMetre) {
    std::string text = FileText(TestData("projections/olinda-corners.txt"));
    InParm[SlotUnits] = 4; // arc degrees
    OutParm[SlotCode] = 1;
    OutParm[SlotUnits] = 2;
    OutParm[SlotUtmZone] = -25;
    OutParm[SlotSpheroid] = 8;
    OutParm[SlotDatum] = 23;
    double toRadians = 0, toOutput = 0;
    ASSERT_EQ(untfz(4, 0, toRadians), 0);
    ForwardInit();
    ASSERT_EQ(ProjectionInitError, 0);
    ASSERT_EQ(untfz(2, 2, toOutput), 0);
    int corners = 0;
    for (const std::string& line : SplitLines(text)) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> f = oracle::Split(line, '|');
        const std::vector<std::string> en = oracle::Words(f.at(1));
        const std::vector<std::string> ll = oracle::Words(f.at(2));
        const double lon = oracle::Degrees(StrToFloat(ll.at(0))) * toRadians;
        const double lat = oracle::Degrees(StrToFloat(ll.at(1))) * toRadians;
        double x = 0, y = 0;
        ASSERT_EQ(ForwardTransform(lon, lat, x, y), 0);
        EXPECT_NEAR(x * toOutput, StrToFloat(en.at(0)), 1.0) << f[0];
        EXPECT_NEAR(y * toOutput, StrToFloat(en.at(1)), 1.0) << f[0];
        ++corners;
    }
    EXPECT_EQ(corners, 4);
}

} // namespace
