#include "ProjectionFixture.h"

#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <cmath>

namespace {

class ProjectionLogTest : public ProjectionTest {};

// Messages reached only through the reporter itself: tags of one place with texts of another,
// numbers in the texts, and places or codes the tables lack.
TEST_F(ProjectionLogTest, ReporterTagsAndMessages) {
    struct Case {
        int where, code, n, n2;
        double r;
        const char* lines; // each line followed by a bar
    } cases[] = {
        {-1, -1, 0, 0, 0, "User defined|Unsupported format|"},
        {0, 0, 0, 0, 0, "INFORMATIONAL|Invalid spheroid selection|Reset to 0|"},
        {21, 23, 31, 0, 0, "state-init|Illegal spheroid # 31|"},
        {42, 41, 0, 0, 0,
         "lamcc-inv|Equal Latitudes for St. Parallels|on opposite sides of equator|"},
        {113, 113, 0, 0, 2.5, "lamaz-forward|Point projects to a circle of radius = 2.5|"},
        {123, 123, 0, 0, 12742000.0, "azim-for|Point projects into a circle of radius = 12742000|"},
        {215, 214, 0, 0, 0, "som-inverse|50 iterations without convergence|"},
        {235, 236, 0, 0, 0, "alcon-inv|Too many iterations in inverse|"},
        {1118, 1116, 0, 0, 0, "paksz-sec|Illegal DMS field|"},
        {2002, 2002, 6, 1, 13.0, "Datum Conversion|FATAL ERROR: 6|"},
        {7, 6, 0, 0, 0, "File Functions|Output file name not specified|"},
        {999, 95, 0, 0, 0, "|Latitude failed to converge|"},
        {93, 999, 0, 0, 0, "tm-for||"},
    };
    for (const Case& c : cases) {
        ReportProjectionError(c.where, c.code, c.n, c.n2, c.r);
        EXPECT_EQ(Joined(TakeLog()), c.lines) << c.where << "/" << c.code;
    }
}

TEST_F(ProjectionLogTest, InitRemembersPlaceAndSaveWritesTheLogBesideThePicture) {
    TempDir dir;
    InitProjectionLog(100, 200, dir.Path(), "scene.png");
    EXPECT_EQ(ProjectionLogLeft, 100);
    EXPECT_EQ(ProjectionLogTop, 200);
    AddProjectionMessage("first");
    ReportProjectionError(0, 0);
    ASSERT_TRUE(SaveProjectionLog());
    std::string text = FileText(dir.File("scene.log"));
    EXPECT_EQ(text, "first\r\nINFORMATIONAL\r\nInvalid spheroid selection\r\nReset to 0\r\n");
    InitProjectionLog(0, 0, dir.File("missing-folder/"), "scene.png");
    EXPECT_FALSE(SaveProjectionLog());
}

} // namespace
