#include "ProjectionFixture.h"

#include <cmath>

namespace {

class ProjectionEntry : public ProjectionTest {};

TEST_F(ProjectionEntry, CodeOutsideTheTableSetsUpNothing) {
    for (double code : {31.0, -1.0, 30.6}) {
        OutParm[SlotCode] = code;
        ForwardInit();
        EXPECT_EQ(OutSys, 0) << code;
        EXPECT_EQ(ProjectionInitError, 0) << code;
        EXPECT_TRUE(ProjectionLog.empty()) << code;
        double x = 0, y = 0;
        EXPECT_EQ(ForwardTransform(1.0, 2.0, x, y), 0);
        EXPECT_EQ(x, 1.0);
    }
}

// A bad packed angle ends the set-up: the code stays, the error stays even after a later good
// set-up of the other side, and the failed side transforms nothing and says why each time.
TEST_F(ProjectionEntry, FailedSetUpIsKeptAndStopsTransformations) {
    struct Case {
        int slot;
        double packed;
        const char* tag;
    } cases[] = {{2, 91070000.0, "paksz-min"},
                 {3, 400000000.0, "paksz-deg"},
                 {4, 10000075.0, "paksz-sec"},
                 {5, 10061000.0, "paksz-min"}};
    for (const Case& c : cases) {
        ResetRun();
        InParm[SlotCode] = 3;
        InParm[c.slot] = c.packed;
        InverseInit();
        EXPECT_EQ(ProjectionInitError, 1116);
        EXPECT_EQ(InSys, 0) << "the remembered code stays";
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{c.tag, "Illegal DMS field"}));
        OutParm[SlotCode] = 0;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, 1116);
        double lon = 0, lat = 0;
        EXPECT_EQ(InverseTransform(1.0, 2.0, lon, lat), 1116);
        EXPECT_TRUE(std::isnan(lon) && std::isnan(lat));
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{c.tag, "Illegal DMS field"}));
        // A good set-up of that side lets it transform again.
        InParm[SlotCode] = 0;
        InverseInit();
        EXPECT_EQ(InverseTransform(1.0, 2.0, lon, lat), 0);
        EXPECT_EQ(lon, 1.0);
    }
}

} // namespace
