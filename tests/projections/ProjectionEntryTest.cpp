#include "ProjectionFixture.h"

#include <cmath>

namespace {

class ProjectionEntry : public ProjectionTest {};

// A code outside the table is refused, after a good UTM 33 set-up too: the side places nothing
// rather than going on as UTM 33, and each point says why.
TEST_F(ProjectionEntry, CodeOutsideTheTableIsRefused) {
    for (double code : {31.0, -1.0, 30.6, 1e9}) {
        ResetRun();
        OutParm = Block({{SlotCode, 1}, {SlotUtmZone, 33}});
        ForwardInit();
        ASSERT_EQ(ProjectionInitError, 0);
        ClearProjectionLog();
        OutParm[SlotCode] = code;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, ERROR) << code;
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{"User defined", "Unsupported format"}))
            << code;
        double x = 0, y = 0;
        EXPECT_EQ(ForwardTransform(15 * D2R, 45 * D2R, x, y), ERROR) << code;
        EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << code;
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{"User defined", "Unsupported format"}))
            << code;
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
