// State Plane zones: records placed by the zone lists, zones against PROJ's definitions of the
// same zones, the kept record and every way a set-up can fail.
#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include "projections/kovStatePlane.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"
#include "support/TestFiles.h"

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <proj.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;
const std::string DataDir = TestData("projections/");

// Puts table value `index` of record `record` of a zone file image.
void PutTableValue(std::vector<uint8_t>& b, int record, int index, double v) {
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        b.at(record * StatePlaneRecordSize + 36 + 8 * index + i) = uint8_t(bits >> (8 * i));
}

class StatePlane : public ProjectionTest {
  protected:
    void SetUp() override {
        ProjectionTest::SetUp();
        StatePlaneFileDirectory = DataDir;
        LastStatePlaneZone = 0;
        LastStatePlaneSelector = -1;
    }
    void TearDown() override {
        StatePlaneFileDirectory.clear();
        ProjectionTest::TearDown();
    }
    static ProjectionParameterBlock Zone(int zone, int selector) {
        return Block({{15, 2}, {19, selector}, {20, zone}, {18, 13}});
    }
    // Sets up both sides; the status of the forward set-up.
    int SetUpBoth(int zone, int selector) {
        InParm = OutParm = Zone(zone, selector);
        ForwardInit();
        const int status = ProjectionInitError;
        InverseInit();
        return status;
    }
    // A copy of a zone file in a fresh folder, cut or patched by `change`.
    template <class F> std::string ChangedCopy(const char* name, F change) {
        const std::filesystem::path dir = Scratch / std::to_string(Scratches.size());
        std::filesystem::create_directories(dir);
        Scratches.push_back(dir);
        std::vector<uint8_t> bytes = FileBytes(DataDir + name);
        change(bytes);
        EXPECT_TRUE(WriteFileAtomic((dir / name).string(), bytes,
                                    TReplaceLeave::Chosen((dir / name).string())));
        return dir.string() + "/";
    }
    const std::filesystem::path Scratch =
        std::filesystem::temp_directory_path() / ("vorn-state-plane-" + std::to_string(getpid()));
    std::vector<std::filesystem::path> Scratches;
    ~StatePlane() override { std::filesystem::remove_all(Scratch); }
};

TEST_F(StatePlane, RecordsSitWhereTheZoneListsPutThem) {
    struct Case {
        const char* file;
        int zone, selector, record, id;
        const char* name;
    } cases[] = {
        {"nad27sp", 101, 0, 1, 1, "Alabama CS27 East zone"},
        {"nad27sp", 3800, 0, 95, 1, "Rhode Island CS27"},
        {"nad83sp", 3800, 8, 95, 1, "SPCS83 Rhode Island zone"},
        {"nad27sp", 5400, 0, 134, 3, "Guam SPCS"},
        {"nad83sp", 5400, 8, 134, 3, "Guam SPCS"},
        {"nad83sp", 2500, 8, 67, 2, "SPCS83 Montana zone"},
        {"nad83sp", 5001, 8, 123, 4, "SPCS83 Alaska zone 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatePlaneRecordNumber(c.zone, c.selector), c.record) << c.zone;
        std::vector<uint8_t> bytes = FileBytes(DataDir + c.file);
        ASSERT_EQ(bytes.size(), 135u * StatePlaneRecordSize);
        const uint8_t* r = bytes.data() + c.record * StatePlaneRecordSize;
        EXPECT_EQ(Trim(std::string(reinterpret_cast<const char*>(r), 32)), c.name);
        EXPECT_EQ(LeI32(r + 32), c.id) << c.name;
    }
    const std::pair<int, int> absent[] = {{407, 8}, {2500, 0}, {5200, 0}, {0, 0}, {101, 12}};
    for (const auto& [zone, selector] : absent)
        EXPECT_EQ(StatePlaneRecordNumber(zone, selector), 0) << zone << " " << selector;
}

TEST_F(StatePlane, ZonesAgreeWithProj) {
    struct Case {
        int zone, selector;
        const char* crs; // Guam: no EPSG system is polyconic, the ESRI one of the same origin is
        double lonMin, lonMax, latMin, latMax;
    } cases[] = {
        {101, 0, "EPSG:26729", -87.5, -85, 31, 35},
        {3800, 0, "EPSG:32030", -71.9, -71.1, 41.2, 42},
        {2111, 0, "EPSG:26811", -90, -83, 45, 47.5},
        {5001, 0, "EPSG:26731", -141, -130, 54.5, 60},
        {5010, 0, "EPSG:26740", -178, -165, 51, 54},
        {5400, 0, "ESRI:65061", 144.6, 145, 13.2, 13.7},
        {101, 8, "EPSG:26929", -87.5, -85, 31, 35},
        {5001, 8, "EPSG:26931", -141, -130, 54.5, 60},
        {2500, 8, "EPSG:32100", -116, -104, 44.5, 49},
        {3900, 8, "EPSG:32133", -83.3, -78.5, 32, 35.2},
        {5400, 8, "ESRI:65161", 144.6, 145, 13.2, 13.7},
    };
    constexpr int Steps = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.crs);
        ASSERT_EQ(SetUpBoth(c.zone, c.selector), 0) << Joined(TakeLog());
        const oracle::ZoneOracle oracle(c.crs);
        for (int i = 0; i < Steps; ++i)
            for (int j = 0; j < Steps; ++j) {
                const double lon = c.lonMin + (c.lonMax - c.lonMin) * i / (Steps - 1);
                const double lat = c.latMin + (c.latMax - c.latMin) * j / (Steps - 1);
                double x, y, wantX, wantY, lon2, lat2;
                ASSERT_EQ(ForwardTransform(lon * D2R, lat * D2R, x, y), 0);
                oracle.Forward(lon, lat, wantX, wantY);
                EXPECT_NEAR(x, wantX, 0.01) << lon << " " << lat;
                EXPECT_NEAR(y, wantY, 0.01) << lon << " " << lat;
                ASSERT_EQ(InverseTransform(x, y, lon2, lat2), 0);
                EXPECT_NEAR(lon2 * R2D, lon, 1e-8);
                EXPECT_NEAR(lat2 * R2D, lat, 1e-8);
            }
    }
}

// Every record of both files at the centre of its zone's area of use, forward and back, against
// the system that defines the zone; the records left empty are refused. The systems and centres
// come from tools/StatePlaneZones.py, which wrote the files from the same definitions.
TEST_F(StatePlane, EveryRecordAgreesWithProjAtItsCentre) {
    std::string text;
    ASSERT_TRUE(ReadWholeFile(DataDir + "state-plane-checks.txt", text));
    std::map<std::pair<int, int>, std::vector<std::string>> checks;
    for (const std::string& line : SplitLines(text)) {
        const std::vector<std::string> w = oracle::Words(line);
        if (w.size() < 3 || w[0][0] == '#') continue;
        checks[{int(StrToInt(w[0])), int(StrToInt(w[1]))}] = w;
    }
    int compared = 0, refused = 0;
    for (const int selector : {StatePlaneNad27, StatePlaneNad83})
        for (const int zone : selector == 0 ? StatePlaneZonesNad27 : StatePlaneZonesNad83) {
            if (zone == 0) continue;
            SCOPED_TRACE(std::to_string(zone) + " on selector " + std::to_string(selector));
            const auto check = checks.find({zone, selector});
            ASSERT_NE(check, checks.end());
            const std::vector<std::string>& w = check->second;
            ResetRun();
            if (w[2] == "-") {
                EXPECT_EQ(SetUpBoth(zone, selector), 21);
                ++refused;
                continue;
            }
            ASSERT_EQ(w.size(), 5u);
            ASSERT_EQ(SetUpBoth(zone, selector), 0) << Joined(TakeLog());
            const double lon = StrToFloat(w[3]), lat = StrToFloat(w[4]);
            double x, y, wantX, wantY, lon2, lat2;
            oracle::ZoneOracle(w[2].c_str()).Forward(lon, lat, wantX, wantY);
            ASSERT_EQ(ForwardTransform(lon * D2R, lat * D2R, x, y), 0);
            EXPECT_NEAR(x, wantX, 0.01) << w[2];
            EXPECT_NEAR(y, wantY, 0.01) << w[2];
            ASSERT_EQ(InverseTransform(wantX, wantY, lon2, lat2), 0);
            // The point's distance from the centre on the ground, in metres.
            const double off =
                std::hypot((lon2 * R2D - lon) * std::cos(lat * D2R), lat2 * R2D - lat) * D2R *
                SpheroidTable[0].Major;
            EXPECT_LT(off, 0.01) << w[2];
            ++compared;
        }
    EXPECT_EQ(compared, 258);
    EXPECT_EQ(refused, 4); // NAD83 5300 and the three old Michigan zones, 2101 to 2103
}

// The record is read and its three lines written once per zone and datum; the zone
// projection's own lines follow every set-up.
TEST_F(StatePlane, KeptRecordIsReadOncePerZoneAndDatum) {
    const Lines head = {"PROJECTION PARAMETERS:", "STATE PLANE", "Zone:     101"};
    struct Step {
        int zone, selector;
        bool reads;
        const char* datum;
    } steps[] = {{101, 0, true, "Datum:     NAD27"},
                 {101, 0, false, nullptr},
                 {101, 8, true, "Datum:     NAD83"},
                 {101, 8, false, nullptr}};
    for (const Step& s : steps) {
        OutParm = Zone(s.zone, s.selector);
        ForwardInit();
        ASSERT_EQ(ProjectionInitError, 0);
        const Lines log = TakeLog();
        ASSERT_EQ(log.size(), s.reads ? 11u : 7u);
        if (s.reads) {
            EXPECT_EQ(Lines(log.begin(), log.begin() + 3), head);
            EXPECT_EQ(log[3], s.datum);
        }
        EXPECT_EQ(log[log.size() - 2].rfind("False Easting: meters\\", 0), 0u);
        double x, y;
        ASSERT_EQ(ForwardTransform(-85.8333333333333 * D2R, 30.5 * D2R, x, y), 0);
        // The datum's own false easting: 500000 US feet, or 200000 m.
        EXPECT_NEAR(x, s.selector == 0 ? 152400.30480061 : 200000.0, 1e-6);
    }
}

TEST_F(StatePlane, SetUpFailures) {
    const auto illegal = [](int zone, int selector) {
        return Lines{"state-init", "Illegal zone #" + std::to_string(zone) + " for spheroid # " +
                                       std::to_string(selector)};
    };
    // A central meridian of 61 degrees 70 minutes.
    const auto badAngle = [](std::vector<uint8_t>& b) { PutTableValue(b, 1, 2, 617000.0); };
    // Parallels 51.5 S and 51.5 N: the zone's Lambert set-up fails and its status is passed on.
    const auto opposite = [](std::vector<uint8_t>& b) {
        PutTableValue(b, 3, 4, -513000.0);
        PutTableValue(b, 3, 5, 513000.0);
    };
    const auto cut = [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); };
    // A transverse Mercator zone's scale of no number, a false easting of 10^300.
    const auto noScale = [](std::vector<uint8_t>& b) {
        PutTableValue(b, 1, 3, std::numeric_limits<double>::quiet_NaN());
    };
    const auto farEasting = [](std::vector<uint8_t>& b) { PutTableValue(b, 1, 7, 1e300); };
    struct Case {
        const char* name;
        int zone, selector;
        std::string dir; // empty: the test data
        int status;
        Lines log;
    } cases[] = {
        // clang-format off
        {"zone not on NAD83", 407, 8, "", 21, illegal(407, 8)},
        {"selector of another spheroid", 101, 12, "", 21, illegal(101, 12)},
        {"negative zone", -101, 0, "", 21, illegal(-101, 0)},
        {"zone without parameters", 5300, 8, "", 21, illegal(5300, 8)},
        {"no zone file", 101, 0, DataDir + "none/", 22,
         {"state-init", "Error opening State Plane parameter file"}},
        {"record cut short", 5400, 0, ChangedCopy("nad27sp", cut), 7,
         {"File Functions", "Read Write file Error"}},
        {"bad packed angle", 101, 0, ChangedCopy("nad27sp", badAngle), 1116,
         {"paksz-min", "Illegal DMS field"}},
        {"scale of no number", 101, 0, ChangedCopy("nad27sp", noScale), 115,
         {"state-init", "Input data error"}},
        {"false easting of 10^300", 101, 0, ChangedCopy("nad27sp", farEasting), 115,
         {"state-init", "Input data error"}},
        {"zone projection fails", 5010, 0, ChangedCopy("nad27sp", opposite), 41,
         {"lamcc-for", "Equal Latitudes for St. Parallels", "on opposite sides of equator"}},
        // clang-format on
    };
    for (const Case& c : cases) {
        ResetRun();
        LastStatePlaneZone = 0;
        StatePlaneFileDirectory = c.dir.empty() ? DataDir : c.dir;
        const bool readFails = c.status == 21 || c.status == 22 || c.status == 7;
        for (bool forward : {true, false}) {
            (forward ? OutParm : InParm) = Zone(c.zone, c.selector);
            forward ? ForwardInit() : InverseInit();
            EXPECT_EQ(ProjectionInitError, c.status) << c.name;
            const Lines log = TakeLog();
            Lines want = c.log;
            if (!forward && want[0] == "lamcc-for") want[0] = "lamcc-inv";
            ASSERT_GE(log.size(), want.size()) << c.name;
            EXPECT_EQ(Lines(log.end() - want.size(), log.end()), want) << c.name;
            if (readFails) {
                EXPECT_EQ(log.size(), want.size()) << c.name;
                EXPECT_EQ(LastStatePlaneZone, 0) << c.name << ": nothing is kept from a failure";
            }
        }
    }
}

// A failed read keeps nothing: the same zone is read again once its file is there.
TEST_F(StatePlane, FailedReadIsNotKept) {
    StatePlaneFileDirectory = DataDir + "none/";
    OutParm = Zone(3800, 0);
    ForwardInit();
    EXPECT_EQ(ProjectionInitError, 22);
    TakeLog();
    StatePlaneFileDirectory = DataDir;
    ProjectionInitError = 0;
    ForwardInit();
    EXPECT_EQ(ProjectionInitError, 0);
    const Lines log = TakeLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[2], "Zone:     3800");
}

TEST_F(StatePlane, UnitsByStateNumber) {
    // Montana and South Carolina count in international feet; states past 54 have no entry.
    const std::pair<int, int> cases[] = {{101, 1},  {202, 5},   {2500, 5},   {3900, 5},
                                         {5400, 2}, {13400, 0}, {13500, 21}, {-49, 21}};
    for (const auto& [zone, want] : cases) {
        int units = 0;
        const int status = StatePlaneUnits(zone, units);
        if (want == 21) {
            EXPECT_EQ(status, 21) << zone;
            EXPECT_EQ(TakeLog(), (Lines{"state-init", "Illegal zone #" + std::to_string(zone) +
                                                          " for spheroid # 8"}));
        } else {
            EXPECT_EQ(status, OK) << zone;
            EXPECT_EQ(units, want) << zone;
        }
    }
}

} // namespace
