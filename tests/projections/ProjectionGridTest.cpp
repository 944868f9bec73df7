// Each projection against PROJ on the grids of tests/data/projections, forward, and back again
// through the inverse.
#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double RoundTripRadians = 1e-9;

class ProjectionGrids : public ProjectionTest {
  protected:
    void Compare(const oracle::GridCase& c) {
        SCOPED_TRACE(c.Name);
        OutParm = c.Block;
        InParm = c.Block;
        ForwardInit();
        InverseInit();
        ASSERT_EQ(ProjectionInitError, 0) << Joined(ProjectionLog);
        const std::string def = oracle::ProjDefinition(c.Block, c.Extra);
        // A projection PROJ lacks is checked by its round trip alone.
        std::unique_ptr<oracle::Proj> proj;
        if (!def.empty()) {
            proj = std::make_unique<oracle::Proj>(def);
            ASSERT_TRUE(proj->Valid()) << def;
        }
        double worst = 0, worstTrip = 0;
        for (const auto& [lon, lat] : oracle::GridPoints(c)) {
            double x = 0, y = 0, lon2 = 0, lat2 = 0;
            ASSERT_EQ(ForwardTransform(lon, lat, x, y), 0) << lon * R2D << " " << lat * R2D;
            if (proj) {
                const PJ_COORD want = proj->Forward(lon, lat);
                worst = std::max({worst, std::fabs(x - want.xy.x), std::fabs(y - want.xy.y)});
            }
            ASSERT_EQ(InverseTransform(x, y, lon2, lat2), 0) << x << " " << y;
            worstTrip = std::max({worstTrip, std::fabs(lat2 - lat),
                                  std::fabs(AdjustLon(lon2 - lon)) * std::cos(lat)});
        }
        EXPECT_LE(worst, c.Tolerance) << def;
        EXPECT_LE(worstTrip, RoundTripRadians) << def;
        EXPECT_NE(std::find(ProjectionLog.begin(), ProjectionLog.end(), "PROJECTION PARAMETERS:"),
                  ProjectionLog.end());
    }
};

TEST_F(ProjectionGrids, AgreeWithProjForwardAndRoundTrip) {
    const std::vector<oracle::GridCase> cases = oracle::ReadGrids("oracle-grids.txt");
    ASSERT_GE(cases.size(), 45u);
    for (const oracle::GridCase& c : cases) {
        ResetRun();
        Compare(c);
    }
}

} // namespace
