// Every projection of the dispatch table over a grid of parameters and points: each set-up and
// each point either succeeds with finite values in range or fails with its report in the log.
#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include "projections/kovSphere.h"
#include "projections/kovStatePlane.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Deg = PI / 180.0;
// 2^53 metres, past which doubles lie more than a metre apart.
constexpr double MetreLimit = 9007199254740992.0;

// A block that sets up each projection as its users fill it, on the Clarke 1866 axes or the
// sphere of the spheroid table.
ProjectionParameterBlock BaseBlock(int code) {
    ProjectionParameterBlock b = Block({{15, code}, {19, 0}, {6, 1000}, {7, -2000}});
    switch (code) {
    case 1:
        b[17] = -33;
        break;
    case 2:
        b[19] = 8;
        b[20] = 3800;
        break;
    case 3:
    case 4:
    case 8:
        b[2] = 29030000;
        b[3] = 45030000;
        b[4] = -96000000;
        b[5] = 23000000;
        b[8] = 1;
        break;
    case 9:
        b[2] = 0.9996;
        b[4] = 15000000;
        break;
    case 15:
        b[2] = 35786000;
        b[4] = 10000000;
        b[5] = 40000000;
        break;
    case 20:
        b[2] = 0.9996;
        b[5] = 40000000;
        b[8] = -75000000;
        b[9] = 40000000;
        b[10] = -80000000;
        b[11] = 45000000;
        break;
    case 22:
        b[2] = 5;
        b[3] = 33;
        b[12] = 1;
        break;
    case 30:
        b[2] = 2;
        b[3] = 3;
        b[4] = 10000000;
        b[5] = 30000000;
        break;
    default:
        b[4] = -60000000;
        b[5] = 30000000;
        break;
    }
    return b;
}

struct Variant {
    const char* Name;
    std::vector<std::pair<int, double>> Slots;
    // A code slot given a value no rounding reads.
    int UnreadableSlot = 0;
};

// Whether a projection's set-up reads a code slot: the spheroid and the code always, the zone
// only UTM's and State Plane's.
bool ReadsSlot(int code, int slot) {
    return slot == SlotCode || slot == SlotSpheroid || (slot == SlotUtmZone && code == 1) ||
           (slot == SlotStatePlaneZone && code == 2);
}

// Whether a set-up reads a real parameter it cannot use, and the status it refuses it with:
// no number or an infinity anywhere it reads, a length past what holds a metre, a scale factor
// that is not positive or scales the globe past it. Angles are refused as bad fields.
int RealRefusal(int code, const ProjectionParameterBlock& b) {
    const ProjectionModule& module = ProjectionModuleOf(code);
    const uint16_t angles = b[12] == 0 ? module.AnglesWhenP12Zero : module.AnglesWhenP12Set;
    const bool axes = b[SlotSpheroid] < 0 && code != 1 && code != 2;
    const bool origin = code != 1 && code != 2 && code != 24 && code != 26;
    for (int i = 0; i < 15; ++i) {
        const double v = b[static_cast<size_t>(i)];
        const bool length =
            (axes && i < 2) || (origin && (i == 6 || i == 7)) || (code == 15 && i == 2);
        const bool scale = (code == 9 || code == 20) && i == 2;
        const bool number = (code == 8 && i == 8) || ((code == 20 || code == 22) && i == 12) ||
                            (code == 22 && b[12] == 0 && i == 8) ||
                            (code == 30 && (i == 2 || i == 3));
        if (((angles >> i) & 1) && !(std::fabs(v) < 361e6)) return 1116;
        if ((length || scale || number) && !std::isfinite(v)) return InputDataError;
        if (length && !(std::fabs(v) < MetreLimit)) return InputDataError;
        if (scale && !(v > 0 && v * SpheroidTable[0].Major < MetreLimit)) return InputDataError;
    }
    return OK;
}

// Each changes one thing of the base block: the axes, or one parameter to zero, a negative or
// huge value, an infinity, a pole, a latitude past it or a value just short of a limit.
std::vector<Variant> Variants() {
    std::vector<Variant> v = {
        {"base", {}},
        {"wgs 84", {{19, 12}}},
        {"sphere of the table", {{19, 19}}},
        {"axes given, a sphere", {{19, -1}, {0, 6378137}, {1, 0}}},
        {"axes given, eccentricity squared", {{19, -1}, {0, 6378137}, {1, 0.00669438}}},
        {"axes given, minor axis 0", {{19, -1}, {0, 6378137}, {1, 1}}},
        {"axes given, minor above major", {{19, -1}, {0, 6378137}, {1, 7000000}}},
        {"axes given, both 0", {{19, -1}, {0, 0}, {1, 0}}},
        {"axes given, minor of 2 metres", {{19, -1}, {0, -6378137}, {1, 2}}},
        {"axes given, huge", {{19, -1}, {0, 1e300}, {1, 9e299}}},
        {"axes given, tiny", {{19, -1}, {0, 1e-300}, {1, 0.5}}},
        {"spheroid past the table", {{19, 25}}},
        {"centre longitude 270", {{4, 270000000}}},
        {"albers parallels 0.00036 and 0 seconds", {{2, 0.00036}, {3, 0}}},
        {"origin at -89 59 59.99996", {{5, -89059059.99996}}},
        {"lambert case of 120 and 45 30", {{2, 120000000}, {3, 45030000}, {5, 23000000}}},
        {"hotine form b", {{12, 1}, {3, 30000000}, {4, -80000000}}},
        {"orbit form", {{12, 0}, {3, 99005000}, {4, 128052000}, {8, 98.88}}},
    };
    const double values[] = {0,         -1,        1e300,      -1e300,      90000000,
                             -90000000, 120000000, -359000000, 89059059.99, 0.00036,
                             45030000,  NaN,       Inf,        -Inf};
    for (int slot : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        for (double value : values)
            v.push_back({"one parameter", {{slot, value}}});
    for (double value : {NaN, Inf, -1e300}) {
        v.push_back({"axes given, major", {{19, -1}, {0, value}}});
        v.push_back({"axes given, minor", {{19, -1}, {0, 6378137}, {1, value}}});
    }
    for (int slot = SlotCode; slot <= SlotStatePlaneZone; ++slot)
        for (double value : {NaN, 1e300, -1e300})
            v.push_back({"one code slot", {{slot, value}}, slot});
    return v;
}

// Points on the globe, its poles and the antimeridian, the antipodes of the centres and of the
// origins above.
const std::pair<double, double> GlobePoints[] = {
    {0, 0},
    {PI, 0},
    {-PI, 0},
    {0, HALF_PI},
    {2.0, -HALF_PI},
    {-1.3, 0.7},
    {2.0, 0},
    {120 * Deg, -30 * Deg},
    {84 * Deg, -23 * Deg},
    {-170 * Deg, -40 * Deg},
    {PI, 60 * Deg},
    {-PI, -0.1},
};

// Map points: the origin, far and huge values, the off-map points.
const std::pair<double, double> MapPoints[] = {
    {0, 0},         {1000, -2000},   {2803969, -9348395}, {0, 2e7},    {0, 1e8},
    {1e300, 1e300}, {-1e300, 1e300}, {3e7, -3e7},         {-5e5, 4e6}, {Inf, 0},
};

class ProjectionSweep : public ProjectionTest {
  protected:
    void SetUp() override {
        ProjectionTest::SetUp();
        StatePlaneFileDirectory = TestData("projections/");
        LastStatePlaneZone = 0;
        LastStatePlaneSelector = -1;
    }
    void TearDown() override {
        StatePlaneFileDirectory.clear();
        ProjectionTest::TearDown();
    }

    // One transformation: a place, or a failure whose routine and message were logged.
    // A side whose set-up was refused places nothing.
    void ExpectPlacedOrReported(int code, bool forward, double a, double b,
                                const std::string& where, bool refused) {
        const size_t before = ProjectionLog.size();
        double outA = 7, outB = 7;
        const int status =
            forward ? ForwardTransform(a, b, outA, outB) : InverseTransform(a, b, outA, outB);
        const std::string at = where + (forward ? " forward (" : " inverse (") + std::to_string(a) +
                               ", " + std::to_string(b) + ")";
        if (status == OK) {
            ASSERT_FALSE(refused) << at << " placed after a refused set-up";
            ASSERT_TRUE(std::isfinite(outA) && std::isfinite(outB)) << at;
            if (!forward) {
                EXPECT_LE(std::fabs(outA), PI) << at;
                EXPECT_LE(std::fabs(outB), HALF_PI) << at;
            }
            return;
        }
        EXPECT_TRUE(std::isnan(outA) && std::isnan(outB)) << at;
        // A point in an interruption of the lobed maps is no error of the point's own.
        if (status == IN_BREAK && !forward && (code == 24 || code == 26)) return;
        ASSERT_GE(ProjectionLog.size(), before + 2) << at << " status " << status;
        EXPECT_FALSE(ProjectionLog.back().empty()) << at;
    }
};

TEST_F(ProjectionSweep, EveryProjectionPlacesOrReportsEveryPoint) {
    const std::vector<Variant> variants = Variants();
    for (int code = 1; code < ProjectionCodeCount; ++code)
        for (const Variant& variant : variants) {
            ProjectionParameterBlock block = BaseBlock(code);
            for (auto [slot, value] : variant.Slots)
                block[static_cast<size_t>(slot)] = value;
            std::string where = "code " + std::to_string(code) + " " + variant.Name;
            for (auto [slot, value] : variant.Slots)
                where += " [" + std::to_string(slot) + "]=" + std::to_string(value);
            for (bool forward : {true, false}) {
                ResetRun();
                (forward ? OutParm : InParm) = block;
                forward ? ForwardInit() : InverseInit();
                if (ProjectionInitError != OK) {
                    ASSERT_FALSE(ProjectionLog.empty() || ProjectionLog.back().empty())
                        << where << " set-up " << ProjectionInitError;
                }
                const int refusal = ReadsSlot(code, variant.UnreadableSlot)
                                        ? InputDataError
                                        : RealRefusal(code, block);
                const bool refused = refusal != OK;
                if (refused) {
                    EXPECT_EQ(ProjectionInitError, refusal) << where;
                    EXPECT_EQ(ProjectionLog.back(),
                              refusal == 1116 ? "Illegal DMS field" : "Input data error")
                        << where;
                }
                if (forward)
                    for (auto [lon, lat] : GlobePoints)
                        ExpectPlacedOrReported(code, true, lon, lat, where, refused);
                else
                    for (auto [x, y] : MapPoints)
                        ExpectPlacedOrReported(code, false, x, y, where, refused);
                if (HasFailure()) return;
            }
        }
}

// The distance in metres between two places on a sphere of the Earth's mean radius.
double Metres(double lon1, double lat1, double lon2, double lat2) {
    const double h = std::pow(std::sin((lat2 - lat1) / 2), 2) +
                     std::cos(lat1) * std::cos(lat2) * std::pow(std::sin((lon2 - lon1) / 2), 2);
    return 2 * 6371000.0 * std::asin(std::sqrt(std::min(1.0, h)));
}

// The transverse Mercator family against PROJ's exact projection on a 1 degree grid out to 90
// degrees from the central meridian, both ways. A place the series give is within a metre of
// the exact one, and any other point is refused with the routine's tag. Within 10 degrees of
// the meridian the series place every point within a metre, and their inverse within 8.
TEST_F(ProjectionSweep, TransverseMercatorPlacesOnlyWhatIsWithinAMetre) {
    const std::string ri = "+proj=tmerc +lat_0=41.083333333333333 +lon_0=-71.5 +k_0=0.99999375 "
                           "+x_0=100000 +y_0=0 +a=6378137 +rf=298.257222101 +approx";
    const struct {
        const char* Name;
        ProjectionParameterBlock Block;
        double Meridian; // degrees
        std::string Exact;
    } cases[] = {
        {"utm 33 north, grs 1980", Block({{15, 1}, {17, 33}, {19, 8}}), 15, ""},
        {"transverse mercator, clarke 1866", BaseBlock(9), 15, ""},
        {"transverse mercator, bessel, origin 40 north",
         Block({{15, 9}, {19, 2}, {2, 0.9999}, {4, -60000000}, {5, 40000000}, {6, 200000}}), -60,
         ""},
        {"state plane 3800", BaseBlock(2), -71.5, ri},
    };
    for (const auto& c : cases) {
        ResetRun();
        InParm = OutParm = c.Block;
        ForwardInit();
        InverseInit();
        ASSERT_EQ(ProjectionInitError, OK) << c.Name;
        // The oracle's definitions are of the series form.
        std::string exact = c.Exact.empty() ? oracle::ProjDefinition(c.Block, "") : c.Exact;
        exact.erase(exact.find("+approx"), 7);
        const oracle::Proj exactProj(exact);
        ASSERT_TRUE(exactProj.Valid()) << exact;
        for (int offset = -90; offset <= 90; ++offset)
            for (int lat = -90; lat <= 90; ++lat) {
                const double lon = (c.Meridian + offset) * Deg, phi = lat * Deg;
                const std::string at = std::string(c.Name) + " at " + std::to_string(offset) +
                                       " from the meridian, latitude " + std::to_string(lat);
                const PJ_COORD want = exactProj.Forward(lon, phi);
                const bool exists = std::fabs(want.xy.x) < 1e15 && std::fabs(want.xy.y) < 1e15;
                ClearProjectionLog();
                double x = 0, y = 0;
                const int status = ForwardTransform(lon, phi, x, y);
                if (status == OK) {
                    ASSERT_TRUE(exists) << at;
                    EXPECT_LE(std::hypot(x - want.xy.x, y - want.xy.y), 1.0) << at;
                } else {
                    EXPECT_EQ(Joined(ProjectionLog), "tm-for|Point cannot be projected|") << at;
                }
                if (std::abs(offset) <= 10) EXPECT_EQ(status, OK) << at;
                if (!exists) continue;
                ClearProjectionLog();
                double backLon = 0, backLat = 0;
                const int back = InverseTransform(want.xy.x, want.xy.y, backLon, backLat);
                if (back == OK)
                    EXPECT_LE(Metres(lon, phi, backLon, backLat), 1.0) << at << " inverse";
                else
                    EXPECT_EQ(ProjectionLog.at(0), "TM-INVERSE") << at << " inverse";
                if (std::abs(offset) <= 8) EXPECT_EQ(back, OK) << at << " inverse";
                if (HasFailure()) return;
            }
    }
}

// The Alaska polynomial holds near its centre only. At every 5 degrees of longitude from it, a
// place is one that its own inverse brings back to within a metre; any other is refused.
TEST_F(ProjectionSweep, AlaskaPlacesOnlyWhatComesBack) {
    for (double lat : {-8.0, 23.0, 60.0, -75.0, 0.0, 88.0})
        for (int offset = -180; offset <= 180; offset += 5) {
            ResetRun();
            InParm = OutParm = BaseBlock(23);
            ForwardInit();
            InverseInit();
            ASSERT_EQ(ProjectionInitError, OK);
            ClearProjectionLog();
            const double lon = AdjustLon((offset - 152) * Deg), phi = lat * Deg;
            const std::string at =
                std::to_string(offset) + " from the centre, latitude " + std::to_string(lat);
            double x = 0, y = 0, backLon = 0, backLat = 0;
            const int status = ForwardTransform(lon, phi, x, y);
            if (status != OK) {
                EXPECT_EQ(status, PointCannotBeProjected) << at;
                EXPECT_EQ(Joined(ProjectionLog), "|Point cannot be projected|") << at;
                continue;
            }
            ASSERT_EQ(InverseTransform(x, y, backLon, backLat), OK) << at;
            EXPECT_LE(Metres(lon, phi, backLon, backLat), 1.0) << at;
        }
}

// The reach of every projection: on a grid over the globe and bands along its edges, each
// projection forward and back against PROJ, or against its own inverse where PROJ has no such
// projection. A point placed is within a metre of the reference and one that comes back to it;
// a point refused is reported with a routine and a message, and is no point that PROJ places
// and brings back through its own inverse within a metre.
struct ReachRow {
    const char* Name;
    ProjectionParameterBlock Block;
    // The centre whose antipode and far meridian get bands of their own, in degrees.
    double CentreLon, CentreLat;
    // The reference is the projection's own inverse.
    bool OwnInverse = false;
    // Points a kilometre to a centimetre short of the centre's horizon, 90 degrees from it.
    bool Horizon = false;
};

// Hotine about 10 east 45 north on GRS 1980 with its central line at an azimuth.
ProjectionParameterBlock HotineB(double azimuth) {
    return Block({{15, 20},
                  {19, 8},
                  {2, 1},
                  {3, azimuth},
                  {4, 10000000},
                  {5, 45000000},
                  {6, 500000},
                  {12, 1}});
}

const ReachRow ReachRows[] = {
    {"albers conus, clarke 1866", BaseBlock(3), -96, 23},
    {"albers, sphere",
     Block({{15, 3}, {19, 19}, {2, 29030000}, {3, 45030000}, {4, -96000000}, {5, 23000000}}), -96,
     23},
    {"lambert conus, clarke 1866", BaseBlock(4), -96, 23},
    {"mercator, wgs 84, true at 30 north",
     Block({{15, 5}, {19, 12}, {4, 20000000}, {5, 30000000}, {6, 100}, {7, 200}}), 20, 0},
    {"polar stereographic north, wgs 84", Block({{15, 6}, {19, 12}, {4, -45000000}, {5, 70000000}}),
     -45, 90},
    {"polar stereographic south, grs 1980", Block({{15, 6}, {19, 8}, {5, -71000000}}), 0, -90},
    {"polyconic, clarke 1866, meridian 0", Block({{15, 7}, {19, 0}}), 0, 0},
    {"polyconic, clarke 1866, origin 30 north",
     Block({{15, 7}, {19, 0}, {4, -96000000}, {5, 30000000}, {6, 10000}, {7, -5000}}), -96, 30},
    {"equidistant conic, one parallel",
     Block({{15, 8}, {19, 8}, {2, -30000000}, {4, 140000000}, {5, -30000000}}), 140, -30},
    {"equidistant conic, two parallels", BaseBlock(8), -96, 23},
    {"stereographic", Block({{15, 10}, {19, 19}, {4, -100000000}, {5, 40000000}}), -100, 40},
    {"lambert azimuthal, 10 east 52 north",
     Block({{15, 11}, {19, 19}, {4, 10000000}, {5, 52000000}, {6, 4321000}, {7, 3210000}}), 10, 52},
    {"azimuthal equidistant, 10 east 52 north",
     Block({{15, 12}, {19, 19}, {4, 10000000}, {5, 52000000}}), 10, 52},
    {"gnomonic", Block({{15, 13}, {19, 19}, {4, 30000000}, {5, 45000000}}), 30, 45},
    {"orthographic", Block({{15, 14}, {19, 19}, {4, -40000000}, {5, -20000000}}), -40, -20},
    {"vertical perspective", BaseBlock(15), 10, 40},
    {"sinusoidal", BaseBlock(16), -60, 0},
    {"equirectangular", BaseBlock(17), -60, 30},
    {"miller", BaseBlock(18), -60, 0},
    {"van der grinten", BaseBlock(19), -60, 0},
    {"hotine form b",
     Block(
         {{15, 20}, {19, 0}, {2, 0.9996}, {3, 30000000}, {4, -100000000}, {5, 40000000}, {12, 1}}),
     -100, 40},
    {"hotine form a", BaseBlock(20), -77.5, 40},
    {"robinson", BaseBlock(21), -60, 0, true},
    // PROJ takes the eccentricity squared of this projection as 0.00676866: 1.5 m far off.
    {"alaska conformal", BaseBlock(23), -152, 64, true},
    {"goode", BaseBlock(24), 0, 0, true},
    {"mollweide", BaseBlock(25), -60, 0},
    {"interrupted mollweide", BaseBlock(26), 0, 0, true},
    {"hammer", BaseBlock(27), -60, 0},
    {"wagner iv", BaseBlock(28), -60, 0},
    {"wagner vii", BaseBlock(29), -60, 0},
    {"oblated equal-area, 77 west 38 north",
     Block({{15, 30}, {19, 19}, {2, 1}, {3, 2}, {4, -77000000}, {5, 38000000}, {8, 45000000}}), -77,
     38},
    // Central lines turned past a quarter turn, and on it.
    {"hotine form b, azimuth 135", HotineB(135000000), 10, 45},
    {"hotine form b, azimuth 269", HotineB(269000000), 10, 45},
    {"hotine form b, azimuth -179", HotineB(-179000000), 10, 45},
    {"lambert azimuthal, north polar", Block({{15, 11}, {19, 19}, {4, 30000000}, {5, 90000000}}),
     30, 90},
    {"stereographic, south polar", Block({{15, 10}, {19, 19}, {4, -60000000}, {5, -90000000}}), -60,
     -90},
    {"gnomonic, up to its horizon", Block({{15, 13}, {19, 19}, {4, 30000000}, {5, 45000000}}), 30,
     45, false, true},
    {"orthographic, up to its rim", Block({{15, 14}, {19, 19}, {4, -40000000}, {5, -20000000}}),
     -40, -20, false, true},
    // Shapes that fold the oval, and orbits far from any satellite's.
    // Near the antipode PROJ's places of this oval move by metres between points millimetres
    // apart: its own inverse is the reference.
    {"oblated equal-area, m 3 n 3", Block({{15, 30}, {19, 19}, {2, 3}, {3, 3}}), 0, 0, true},
    {"space oblique mercator, period 600 minutes",
     Block({{15, 22}, {19, 12}, {3, 99005000}, {4, 128052000}, {8, 600}}), 0, 0, true},
    {"space oblique mercator, period 1439 minutes",
     Block({{15, 22}, {19, 12}, {3, 45000000}, {4, -20000000}, {8, 1439}, {10, 1}}), 0, 0, true},
    {"space oblique mercator, 10 seconds short of the equator's plane",
     Block({{15, 22}, {19, 12}, {3, 179059050}, {4, 128052000}, {8, 98.88}}), 0, 0, true},
};

// The grid every `step` degrees, the bands along the poles and the antimeridian, and the
// points about the antipode of the centre and its far meridian, in degrees.
std::vector<std::pair<double, double>> ReachPoints(double centreLon, double centreLat, double step,
                                                   bool horizon) {
    std::vector<std::pair<double, double>> points;
    const double sinC = std::sin(centreLat * Deg), cosC = std::cos(centreLat * Deg);
    for (double off : {1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7})
        for (int dir = 0; horizon && dir < 24; ++dir) {
            const double a = dir * PI / 12 + 0.1, d = (90 - off) * Deg;
            const double lat = std::asin(sinC * std::cos(d) + cosC * std::sin(d) * std::cos(a));
            const double lon =
                std::atan2(std::sin(a) * std::sin(d) * cosC, std::cos(d) - sinC * std::sin(lat));
            points.emplace_back(centreLon + lon / Deg, lat / Deg);
        }
    for (double lat = -90; lat <= 90; lat += step)
        for (double lon = -180; lon <= 180; lon += step)
            points.emplace_back(lon, lat);
    for (double off : {0.0, 1e-9, 1e-6, 1e-4, 0.01, 0.5})
        for (double lon = -180; lon <= 180; lon += 7.5) {
            points.emplace_back(lon, 90 - off);
            points.emplace_back(lon, -90 + off);
        }
    const double farLon = centreLon > 0 ? centreLon - 180 : centreLon + 180;
    for (double off : {1e-9, 1e-6, 1e-4, 0.01, 0.5})
        for (double lat = -89.5; lat <= 89.5; lat += 2.5) {
            points.emplace_back(farLon + off, lat);
            points.emplace_back(farLon - off, lat);
            points.emplace_back(180 - off, lat);
            points.emplace_back(-180 + off, lat);
        }
    // The antipode, and points a few millimetres to a few hundred kilometres from it.
    const double antiLat = -centreLat;
    for (double off : {0.0, 5e-8, 6e-6, 1e-5, 2e-3, 0.009, 0.05, 1.0, 4.0})
        for (int dir = 0; dir < 16; ++dir) {
            const double a = dir * PI / 8;
            points.emplace_back(farLon + off * std::cos(a), antiLat + off * std::sin(a));
        }
    for (auto& [lon, lat] : points)
        lat = std::clamp(lat, -90.0, 90.0);
    return points;
}

// The stereographic, Lambert azimuthal, azimuthal equidistant and gnomonic place of a point on
// the sphere from vectors in extended precision: its distance from the centre and, against the
// centre's east and north, its direction. Near the antipode and the gnomonic's horizon these keep
// the digits of the point's offset from them, which the PROJ forms lose. False for the antipode
// itself and, on the stereographic, its neighbourhood, and beyond the gnomonic's horizon.
bool AzimuthalPlace(const ProjectionParameterBlock& b, double lon, double lat, double& x,
                    double& y) {
    const int code = static_cast<int>(b[SlotCode]);
    const double r = SpheroidTable[19].Major;
    // The centre in the radians the set-up takes: near the horizon a point's place moves by
    // R over cosz squared for each radian the centre moves.
    const long double lon0 = oracle::Degrees(b[4]) * 3600.0 * S2R,
                      lat0 = oracle::Degrees(b[5]) * 3600.0 * S2R;
    const long double lam = lon, phi = lat;
    const long double p[3] = {std::cos(phi) * std::cos(lam), std::cos(phi) * std::sin(lam),
                              std::sin(phi)};
    const long double c[3] = {std::cos(lat0) * std::cos(lon0), std::cos(lat0) * std::sin(lon0),
                              std::sin(lat0)};
    const long double e[3] = {-std::sin(lon0), std::cos(lon0), 0};
    const long double n[3] = {-std::sin(lat0) * std::cos(lon0), -std::sin(lat0) * std::sin(lon0),
                              std::cos(lat0)};
    const long double along = p[0] * c[0] + p[1] * c[1] + p[2] * c[2];
    const long double east = p[0] * e[0] + p[1] * e[1] + p[2] * e[2];
    const long double north = p[0] * n[0] + p[1] * n[1] + p[2] * n[2];
    const long double across = std::hypot(east, north);
    if (across == 0 && along < 0) return false;
    const long double z = std::atan2(across, along), farZ = std::atan2(across, -along);
    long double rho = 0;
    switch (code) {
    case 10:
        if (farZ < 1e-6) return false;
        rho = 2 * r / std::tan(farZ / 2);
        break;
    case 11:
        rho = 2 * r * std::cos(farZ / 2);
        break;
    case 13:
        if (along <= 0) return false;
        rho = r * across / along;
        break;
    default:
        rho = r * z;
        break;
    }
    const long double angle = std::atan2(east, north);
    x = static_cast<double>(b[6] + rho * std::sin(angle));
    y = static_cast<double>(b[7] + rho * std::cos(angle));
    return true;
}

// The Mollweide place of a point on the sphere, its auxiliary angle found by bisection: towards
// a pole on the distance u of twice the angle from a half turn, u - sin u = pi (1 - sin |lat|),
// whose left side is taken from its series; elsewhere on 2t + sin 2t = pi sin lat. PROJ's
// Newton steps stop short of the pole, up to 112 m off it.
void MollweidePlace(const ProjectionParameterBlock& b, double lon, double lat, double& x,
                    double& y) {
    const double r = SpheroidTable[19].Major;
    const double half = std::sin(PI / 4 - std::fabs(lat) / 2);
    const double c = 2 * PI * half * half;
    double twice = 0;
    if (c < 1e-3) {
        double lo = 0, hi = 0.5;
        for (int i = 0; i < 200; ++i) {
            const double u = (lo + hi) / 2, u2 = u * u;
            const double f = u * u2 / 6 * (1 - u2 / 20 * (1 - u2 / 42 * (1 - u2 / 72)));
            (f < c ? lo : hi) = u;
        }
        twice = PI - (lo + hi) / 2;
    } else {
        double lo = 0, hi = PI;
        for (int i = 0; i < 200; ++i) {
            const double t = (lo + hi) / 2;
            (t + std::sin(t) < PI * std::sin(std::fabs(lat)) ? lo : hi) = t;
        }
        twice = (lo + hi) / 2;
    }
    const double t = (lat < 0 ? -twice : twice) / 2;
    x = b[6] + 2 * SQRT2 / PI * r * AdjustLon(lon - oracle::Degrees(b[4]) * Deg) * std::cos(t);
    y = b[7] + SQRT2 * r * std::sin(t);
}

// What a row's walk found wrong: how many points of each kind of fault, and the first of each.
struct ReachFaults {
    std::map<std::string, std::pair<int, std::string>> Kinds;
    void Add(const std::string& kind, const std::string& at) {
        auto& [count, first] = Kinds[kind];
        if (count++ == 0) first = at;
    }
};

TEST_F(ProjectionSweep, EveryProjectionPlacesOnlyWhatIsWithinAMetre) {
    const auto exists = [](double x, double y) {
        return std::fabs(x) < 1e15 && std::fabs(y) < 1e15;
    };
    for (const ReachRow& row : ReachRows) {
        ResetRun();
        InParm = OutParm = row.Block;
        ForwardInit();
        InverseInit();
        ASSERT_EQ(ProjectionInitError, OK) << row.Name << " " << Joined(ProjectionLog);
        std::unique_ptr<oracle::Proj> proj;
        if (!row.OwnInverse) {
            const std::string def = oracle::ProjDefinition(row.Block, "");
            proj = std::make_unique<oracle::Proj>(def);
            ASSERT_TRUE(proj->Valid()) << def;
        }
        ReachFaults faults;
        // A refusal names its routine and message in the log.
        const auto reported = [&](const std::string& at) {
            if (ProjectionLog.size() < 2 || ProjectionLog.back().empty())
                faults.Add("refused without a report", at);
        };
        const int code = static_cast<int>(row.Block[SlotCode]);
        for (auto [lonDeg, latDeg] : ReachPoints(row.CentreLon, row.CentreLat, 1.0, row.Horizon)) {
            const double lon = AdjustLon(lonDeg * Deg), lat = latDeg * Deg;
            const std::string at = oracle::Num(lonDeg) + " " + oracle::Num(latDeg);
            // The reference map point, and whether the reference's inverse brings it back.
            // Where the reference is a closed form, PROJ's place counts only where it is within
            // a metre of it.
            double refX = 0, refY = 0;
            bool good = false;
            if (proj) {
                const PJ_COORD want = proj->Forward(lon, lat);
                refX = want.xy.x;
                refY = want.xy.y;
                // Without an inverse of its own PROJ's places are taken as they stand.
                if (exists(refX, refY)) {
                    const PJ_COORD back = proj->Inverse(refX, refY);
                    good =
                        !proj->HasInverse() || (exists(back.lp.lam, back.lp.phi) &&
                                                Metres(lon, lat, back.lp.lam, back.lp.phi) <= 1.0);
                    // A place that moves by half a metre between neighbouring latitudes or
                    // longitudes is no place anyone gives to a metre.
                    for (const PJ_COORD& next : {proj->Forward(lon, std::nextafter(lat, 0.0)),
                                                 proj->Forward(std::nextafter(lon, 0.0), lat)})
                        good = good && std::hypot(next.xy.x - refX, next.xy.y - refY) <= 0.5;
                }
                if ((code >= 10 && code <= 13) || code == 25) {
                    double exactX = 0, exactY = 0;
                    const bool exact =
                        code == 25 ? (MollweidePlace(row.Block, lon, lat, exactX, exactY), true)
                                   : AzimuthalPlace(row.Block, lon, lat, exactX, exactY);
                    good = good && exact && std::hypot(refX - exactX, refY - exactY) <= 1.0;
                    refX = exact ? exactX : Inf;
                    refY = exact ? exactY : Inf;
                }
            }
            ClearProjectionLog();
            double x = 0, y = 0;
            const int status = ForwardTransform(lon, lat, x, y);
            if (status == OK) {
                double ownLon = 0, ownLat = 0;
                const bool ownBack = InverseTransform(x, y, ownLon, ownLat) == OK &&
                                     Metres(lon, lat, ownLon, ownLat) <= 1.0;
                if (proj) {
                    const double miss = exists(refX, refY) ? std::hypot(x - refX, y - refY) : Inf;
                    if (!(miss <= 1.0)) faults.Add("forward more than a metre off", at);
                    if (!good && !ownBack)
                        faults.Add("forward placed where nothing comes back", at);
                } else if (!ownBack) {
                    faults.Add("forward placed where its inverse does not come back", at);
                }
            } else {
                reported(at);
                if (good) faults.Add("forward refused a point PROJ places", at);
            }
            if (!proj) {
                if (status != OK) continue;
                refX = x;
                refY = y;
            } else if (!exists(refX, refY)) {
                continue;
            }
            ClearProjectionLog();
            double backLon = 0, backLat = 0;
            const int back = InverseTransform(refX, refY, backLon, backLat);
            if (back == OK) {
                const double miss = Metres(lon, lat, backLon, backLat);
                if (good || !proj) {
                    if (!(miss <= 1.0)) faults.Add("inverse more than a metre off", at);
                }
            } else {
                if (!(back == IN_BREAK && (code == 24 || code == 26))) reported(at);
                if (good) faults.Add("inverse refused a point PROJ brings back", at);
            }
        }
        // Map points over and beyond the map: a place the inverse gives is one the forward puts
        // back within a metre, not a point wrapped or clamped from off the map.
        for (double mapX = -4.5e7; mapX <= 4.5e7; mapX += 7.3e5)
            for (double mapY = -2.5e7; mapY <= 2.5e7; mapY += 6.1e5) {
                ClearProjectionLog();
                double lon = 0, lat = 0, x = 0, y = 0;
                const std::string at = "map " + oracle::Num(mapX) + " " + oracle::Num(mapY);
                if (InverseTransform(mapX, mapY, lon, lat) != OK) {
                    if (code != 24 && code != 26) reported(at);
                } else if (ForwardTransform(lon, lat, x, y) != OK ||
                           !(std::hypot(x - mapX, y - mapY) <= 1.0)) {
                    faults.Add("inverse placed a map point its forward does not put back", at);
                }
            }
        for (const auto& [kind, found] : faults.Kinds)
            ADD_FAILURE() << row.Name << ": " << kind << ", " << found.first << " points, first at "
                          << found.second;
    }
}

// A central line at a quarter turn crosses the centre's meridian at right angles, and the map is
// the mirror image of itself about that meridian: a point's mirror lies at the mirror place, as
// far from the false easting on the other side, or a whole period of the line away from it
// where the map's seam runs down the meridian beyond the line's pole. PROJ is no reference
// here: its centre of a line at -90 degrees lies half a period off the false origin.
TEST_F(ProjectionSweep, HotineOnAQuarterTurnIsItsOwnMirrorImage) {
    const Spheroid& grs80 = SpheroidTable[8];
    const double es = 1 - std::pow(grs80.Minor / grs80.Major, 2), centre = 45 * Deg;
    const double b = std::sqrt(1 + es * std::pow(std::cos(centre), 4) / (1 - es));
    const double a = grs80.Major * b * std::sqrt(1 - es) / (1 - es * std::pow(std::sin(centre), 2));
    const double period = 2 * PI * a / b;
    for (double azimuth : {90000000.0, -90000000.0}) {
        ResetRun();
        OutParm = HotineB(azimuth);
        ForwardInit();
        ASSERT_EQ(ProjectionInitError, OK);
        for (double off : {0.0, 0.5, 3.0, 40.0, 85.0})
            for (double lat = -89; lat <= 89; lat += 0.5) {
                double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
                const std::string at = oracle::Num(azimuth) + " at " + oracle::Num(off) +
                                       " from the meridian, latitude " + oracle::Num(lat);
                ASSERT_EQ(ForwardTransform((10 + off) * Deg, lat * Deg, x1, y1), OK) << at;
                ASSERT_EQ(ForwardTransform((10 - off) * Deg, lat * Deg, x2, y2), OK) << at;
                const double across = std::fmod(std::fabs(x1 + x2 - 2 * 500000), period);
                EXPECT_LE(std::min(across, period - across), 1.0) << at;
                EXPECT_LE(std::fabs(y1 - y2), 1.0) << at;
            }
    }
}

// A set-up that is refused: its status and the last lines of its log.
struct SetUpRefusal {
    const char* name;
    ProjectionParameterBlock block;
    int status;
    std::string log;
};

class ProjectionRefusals : public ProjectionTest {
  protected:
    // Each set-up refuses with its tag and message, and each point of that side reports the
    // refusal again.
    void ExpectRefusedAtSetUp(const std::vector<SetUpRefusal>& cases) {
        for (const SetUpRefusal& c : cases) {
            ResetRun();
            OutParm = c.block;
            ForwardInit();
            EXPECT_EQ(ProjectionInitError, c.status) << c.name;
            const std::vector<std::string> log = TakeLog();
            const std::string joined = Joined(log);
            ASSERT_GE(joined.size(), c.log.size()) << c.name;
            EXPECT_EQ(joined.substr(joined.size() - c.log.size()), c.log) << c.name;
            double x = 0, y = 0;
            EXPECT_EQ(ForwardTransform(0.1, 0.2, x, y), c.status) << c.name;
            EXPECT_EQ(Joined(TakeLog()), c.log) << c.name;
        }
    }
};

// Values the set-up used to accept although its projection gives no point for them.
TEST_F(ProjectionRefusals, UnusableParametersAreRefusedAtSetUp) {
    const char* equalParallels = "Equal latitudes for St. Parallels|on opposite sides of equator|";
    ExpectRefusedAtSetUp({
        {"albers, minor axis 0",
         Block({{15, 3}, {19, -1}, {0, 6378137}, {1, 1}, {2, 29030000}, {3, 45030000}}), 23,
         "alber-forinit|Illegal spheroid # -1|"},
        {"transverse mercator, minor above major",
         Block({{15, 9}, {19, -1}, {0, 6378137}, {1, 7000000}, {2, 0.9996}}), 23,
         "|Illegal spheroid # -1|"},
        {"hotine form b, minor above major",
         Block({{15, 20}, {19, -2}, {0, 6378137}, {1, 6378138}, {2, 1}, {5, 40000000}, {12, 1}}),
         23, "omer-init|Illegal spheroid # -2|"},
        {"lambert, first parallel at 120 degrees",
         Block({{15, 4},
                {16, 2},
                {18, 23},
                {2, 120000000},
                {3, 45030000},
                {4, -96000000},
                {5, 23000000}}),
         InputDataError, "lamcc-for|Input data error|"},
        {"mercator, true scale past the pole", Block({{15, 5}, {5, -91000000}}), InputDataError,
         "|Input data error|"},
        {"albers, parallels 0.00036 seconds and 0", Block({{15, 3}, {2, 0.00036}}), 31,
         std::string("alber-forinit|") + equalParallels},
        {"lambert, parallels 0.00036 seconds and 0", Block({{15, 4}, {2, 0.00036}}), 41,
         "lamcc-for|Equal Latitudes for St. Parallels|on opposite sides of equator|"},
        {"hotine form a, origin a hair from the south pole",
         Block({{15, 20},
                {2, 0.9996},
                {5, -89059059.99996},
                {8, -75000000},
                {9, 40000000},
                {10, -80000000},
                {11, 45000000}}),
         202, "omer-init..omerforint..omerinvint|Input data error|"},
        {"transverse mercator sphere, zero scale", Block({{15, 9}, {19, 19}}), InputDataError,
         "|Input data error|"},
        {"alaska conformal, infinite major axis", Block({{15, 23}, {19, -1}, {0, Inf}}),
         InputDataError, "|Input data error|"},
        {"space oblique mercator, satellite number past counting",
         Block({{15, 22}, {2, 1e300}, {3, 33}, {12, 1}}), InputDataError, "|Input data error|"},
    });
}

// Points a routine used to return off the globe, as no number or in the wrong turn.
TEST_F(ProjectionRefusals, PointsWithoutAPlaceAreReported) {
    const auto sphere = [](int code) { return Block({{15, code}, {19, 19}}); };
    ExpectFailures({
        {"utm 33 north, latitude 563 degrees", Block({{15, 1}, {17, 33}}), false, 2803969, -9348395,
         PointCannotBeProjected, "TM-INVERSE|Point cannot be projected|"},
        {"miller above the pole", sphere(18), false, 0, 2e7, InputDataError, "|Input data error|"},
        {"hammer above the pole", sphere(27), false, 0, 2e7, InputDataError, "|Input data error|"},
        {"van der grinten, huge", sphere(19), false, 1e300, -1e300, InputDataError,
         "|Input data error|"},
        {"wagner iv, huge", sphere(28), false, -1e300, 1e300, InputDataError, "|Input data error|"},
        {"polar stereographic north, the south pole",
         Block({{15, 6}, {4, -100000000}, {5, 71000000}}), true, 0.0, -HALF_PI, 103,
         "ster-for|Point projects into infinity|"},
        {"polar stereographic south, the north pole",
         Block({{15, 6}, {4, -100000000}, {5, -71000000}}), true, 1.0, HALF_PI, 103,
         "ster-for|Point projects into infinity|"},
        {"polar stereographic true at the pole, the other pole", Block({{15, 6}, {5, 90000000}}),
         true, -2.0, -HALF_PI, 103, "ster-for|Point projects into infinity|"},
    });
}

// A centre longitude of 270 degrees: the centre comes back as -90 degrees, not 4.712 radians.
TEST_F(ProjectionRefusals, InverseLongitudesComeBackWithinHalfATurn) {
    for (int code : {10, 11, 12, 14, 16, 17, 18, 19, 25, 27, 28, 29}) {
        ResetRun();
        InParm = Block({{15, code}, {19, 19}, {4, 270000000}});
        InverseInit();
        double lon = 0, lat = 1;
        ASSERT_EQ(InverseTransform(0, 0, lon, lat), OK) << code;
        EXPECT_NEAR(lon, -HALF_PI, 1e-12) << code;
        EXPECT_NEAR(lat, 0, 1e-12) << code;
    }
}

// Van der Grinten back from points a few millimetres off its central meridian, the first the
// exact map point of (5e-10 rad, 10 degrees north).
TEST_F(ProjectionRefusals, VanDerGrintenInverseNearItsCentralMeridian) {
    InParm = OutParm = Block({{15, 19}, {19, 19}});
    InverseInit();
    ForwardInit();
    double lon = 0, lat = 0;
    ASSERT_EQ(InverseTransform(0.003175605552100196, 1115402.0331184086, lon, lat), OK);
    EXPECT_NEAR(lon, 5e-10, 1e-16);
    EXPECT_NEAR(lat, 10 * Deg, 1e-12);
    for (double dlon : {1e-9, -2e-8, 3e-7, -0.3})
        for (double phi : {10 * Deg, -60 * Deg, 80 * Deg}) {
            double x = 0, y = 0;
            ASSERT_EQ(ForwardTransform(dlon, phi, x, y), OK);
            ASSERT_EQ(InverseTransform(x, y, lon, lat), OK);
            EXPECT_NEAR(lon, dlon, 1e-9 * std::fabs(dlon)) << dlon << " " << phi;
            EXPECT_NEAR(lat, phi, 1e-11) << dlon << " " << phi;
        }
}

// Set-ups at the edges of what their formulas can draw: a pole, parallels that coincide, axes
// flatter than the table's, an orbit that is no orbit. Either refused at set-up, or drawn
// within a metre of PROJ.

TEST_F(ProjectionRefusals, SetUpsThatDrawNoMapAreRefused) {
    const auto lambert = [](double lat1, double lat2, double origin) {
        return Block({{15, 4}, {19, 12}, {2, lat1}, {3, lat2}, {5, origin}});
    };
    const auto orbit = [](double period) {
        return Block({{15, 22}, {3, 99005000}, {4, 128052000}, {8, period}});
    };
    const auto axes = [](int code, double es) {
        return Block({{15, code}, {19, -1}, {0, 6378137}, {1, es}, {2, 0.9996}, {8, 1}});
    };
    const std::string lamcc = "lamcc-for|Input data error|";
    const std::string untagged = "|Input data error|";
    const std::string spheroid = "|Illegal spheroid # -1|";
    ExpectRefusedAtSetUp({
        {"lambert, both parallels at the north pole", lambert(90000000, 90000000, 60000000),
         InputDataError, lamcc},
        {"lambert, both parallels at the south pole", lambert(-90000000, -90000000, -60000000),
         InputDataError, lamcc},
        {"lambert, parallels 89 and 90", lambert(89000000, 90000000, 60000000), InputDataError,
         lamcc},
        {"lambert, a parallel a tenth of a second from the pole",
         lambert(30000000, 89059059.9, 60000000), InputDataError, lamcc},
        {"lambert, origin at the pole the cone opens away from",
         lambert(30000000, 60000000, -90000000), InputDataError, lamcc},
        {"lambert, origin two minutes from that pole", lambert(30000000, 60000000, -89058000),
         InputDataError, lamcc},
        {"mercator, true scale at the north pole", Block({{15, 5}, {5, 90000000}}), InputDataError,
         untagged},
        {"mercator, true scale at the south pole", Block({{15, 5}, {19, 12}, {5, -90000000}}),
         InputDataError, untagged},
        {"equirectangular, true scale at the pole", Block({{15, 17}, {19, 19}, {5, 90000000}}),
         InputDataError, untagged},
        {"space oblique mercator, period 1e300", orbit(1e300), InputDataError, untagged},
        {"space oblique mercator, period -1e300", orbit(-1e300), InputDataError, untagged},
        {"space oblique mercator, period 0", orbit(0), InputDataError, untagged},
        {"space oblique mercator, period negative", orbit(-98.88), InputDataError, untagged},
        {"space oblique mercator, period of a day", orbit(1440), InputDataError, untagged},
        {"transverse mercator, eccentricity squared 0.05", axes(9, 0.05), IllegalSpheroid,
         spheroid},
        {"polyconic, eccentricity squared 0.03", axes(7, 0.03), IllegalSpheroid, spheroid},
        {"equidistant conic, eccentricity squared 0.5", axes(8, 0.5), IllegalSpheroid,
         "eqcon_for|Illegal spheroid # -1|"},
        // The series' miss turns the cone of these parallels 3.6 m off at the far pole.
        {"equidistant conic, eccentricity squared 0.0264, parallels 45 and 60",
         Block(
             {{15, 8}, {19, -1}, {0, 6378137}, {1, 0.0264}, {2, 45000000}, {3, 60000000}, {8, 1}}),
         IllegalSpheroid, "eqcon_for|Illegal spheroid # -1|"},
    });
}

// Set-ups that leave no point a place: a viewpoint that sees nothing, an oval of no shape or
// of a negative one, a globe drawn smaller than a metre, a false origin that holds no metre of
// the ground, a satellite or path the orbit table lacks, an orbit in the equator's plane or
// flown backwards.
TEST_F(ProjectionRefusals, SetUpsThatPlaceNothingAreRefused) {
    const auto perspective = [](double height) { return Block({{15, 15}, {19, 19}, {2, height}}); };
    const auto oval = [](double m, double n) {
        return Block({{15, 30}, {19, 19}, {2, m}, {3, n}});
    };
    const auto tm = [](double scale, double falseNorthing) {
        return Block({{15, 9}, {2, scale}, {4, 15000000}, {7, falseNorthing}});
    };
    const auto hotine = [](double scale) {
        return Block(
            {{15, 20}, {2, scale}, {3, 30000000}, {4, -100000000}, {5, 40000000}, {12, 1}});
    };
    const auto landsat = [](double satellite, double path) {
        return Block({{15, 22}, {2, satellite}, {3, path}, {12, 1}});
    };
    const auto orbit = [](double inclination) {
        return Block({{15, 22}, {3, inclination}, {4, 128052000}, {8, 98.88}});
    };
    const std::string untagged = "|Input data error|";
    const std::string spheroid = "|Illegal spheroid # -1|";
    ExpectRefusedAtSetUp({
        {"perspective from the surface", perspective(0), InputDataError, untagged},
        {"perspective from under the surface", perspective(-9556495.5), InputDataError, untagged},
        {"perspective from near the centre", perspective(-7000000), InputDataError, untagged},
        {"perspective a rounding above the surface", perspective(1e-300), InputDataError, untagged},
        {"oblated equal-area, m 0", oval(0, 3), InputDataError, untagged},
        {"oblated equal-area, n 0", oval(3, 0), InputDataError, untagged},
        {"oblated equal-area, m negative", oval(-3, 3), InputDataError, untagged},
        {"oblated equal-area, n negative", oval(2, -1), InputDataError, untagged},
        {"oblated equal-area, code 30.5 and nothing else", Block({{15, 30.5}, {19, 19}}),
         InputDataError, untagged},
        {"transverse mercator, scale 1e-300", tm(1e-300, 0), InputDataError, untagged},
        {"transverse mercator, scale 1e-9", tm(1e-9, 0), InputDataError, untagged},
        {"transverse mercator, false northing past a metre of the ground at scale 1e-6",
         tm(1e-6, 1e15), InputDataError, untagged},
        {"hotine, scale 1e-9", hotine(1e-9), InputDataError, "omer-init|Input data error|"},
        {"hotine, scale 1e-300", hotine(1e-300), InputDataError, "omer-init|Input data error|"},
        {"stereographic, sphere radius 1e-300", Block({{15, 10}, {19, -1}, {0, 1e-300}}),
         IllegalSpheroid, spheroid},
        {"mollweide, sphere radius of a millimetre", Block({{15, 25}, {19, -1}, {0, 1e-3}}),
         IllegalSpheroid, spheroid},
        {"landsat 5, path 0", landsat(5, 0), InputDataError, untagged},
        {"landsat 5, path -5", landsat(5, -5), InputDataError, untagged},
        {"landsat 5, path 1e9", landsat(5, 1e9), InputDataError, untagged},
        {"landsat 5, path 234", landsat(5, 234), InputDataError, untagged},
        {"landsat 0", landsat(0, 33), InputDataError, untagged},
        {"landsat 9", landsat(9, 33), InputDataError, untagged},
        {"space oblique mercator, inclination 0", orbit(0), InputDataError, untagged},
        {"space oblique mercator, inclination 180", orbit(180000000), InputDataError, untagged},
        {"space oblique mercator, inclination 270", orbit(270000000), InputDataError, untagged},
    });
}

// Set-ups near those refused above, drawn as PROJ draws them: over every longitude within the
// row's reach of the central meridian and every latitude of the row, at each degree, a point
// placed is within a metre of PROJ's, both ways, and none that PROJ places and brings back is
// refused.
TEST_F(ProjectionSweep, SetUpsNearTheirLimitsKeepToTheMetre) {
    // A nanoradian in packed seconds: 0.000206 seconds.
    const double apart = 1e-9 * 206264.80624709636;
    // The one parallel they are, halfway between them.
    const std::string mean = " +lat_1=45.00000002864789 +lat_2=45.00000002864789";
    const std::string wgs84 = " +a=6378137 +b=6356752.314245";
    const std::string flat = " +a=6378137 +es=0.025";
    const struct {
        const char* Name;
        ProjectionParameterBlock Block;
        std::string Exact;
        double Meridian, Reach, LatMin, LatMax; // degrees
    } rows[] = {
        {"transverse mercator, origin at the south pole",
         Block({{15, 9}, {19, 12}, {2, 0.9996}, {4, 30000000}, {5, -90000000}, {6, 1e6}, {7, 1e7}}),
         "+proj=tmerc +k_0=0.9996 +lon_0=30 +lat_0=-90 +x_0=1000000 +y_0=10000000" + wgs84, 30, 8,
         -90, 90},
        {"lambert, a parallel a second from the pole",
         Block({{15, 4}, {19, 12}, {2, 89000000}, {3, 89059059}, {5, 60000000}}),
         "+proj=lcc +lat_1=89 +lat_2=89.99972222222222 +lat_0=60" + wgs84, 0, 180, -60, 90},
        {"lambert, origin ten minutes from the pole the cone opens away from",
         Block({{15, 4}, {19, 12}, {2, 30000000}, {3, 60000000}, {5, -89050000}}),
         "+proj=lcc +lat_1=30 +lat_2=60 +lat_0=-89.83333333333333" + wgs84, 0, 180, -60, 90},
        {"albers, parallels a nanoradian apart",
         Block({{15, 3}, {19, 12}, {2, 45000000}, {3, 45000000 + apart}, {5, 20000000}}),
         "+proj=aea" + mean + " +lat_0=20" + wgs84, 0, 180, -60, 90},
        {"lambert, parallels a nanoradian apart",
         Block({{15, 4}, {19, 12}, {2, 45000000}, {3, 45000000 + apart}, {5, 20000000}}),
         "+proj=lcc" + mean + " +lat_0=20" + wgs84, 0, 180, -60, 90},
        {"equidistant conic, parallels a nanoradian apart",
         Block({{15, 8}, {19, 12}, {2, 45000000}, {3, 45000000 + apart}, {5, 20000000}, {8, 1}}),
         "+proj=eqdc" + mean + " +lat_0=20" + wgs84, 0, 180, -60, 90},
        {"lambert, parallels a microradian apart",
         Block({{15, 4}, {19, 12}, {2, 45000000}, {3, 45000000.206264806}, {5, 20000000}}),
         "+proj=lcc +lat_1=45 +lat_2=45.0000572957795 +lat_0=20" + wgs84, 0, 180, -60, 90},
        {"transverse mercator, eccentricity squared 0.025",
         Block({{15, 9}, {19, -1}, {0, 6378137}, {1, 0.025}, {2, 0.9996}, {4, 15000000}}),
         "+proj=tmerc +k_0=0.9996 +lon_0=15" + flat, 15, 8, -90, 90},
        {"polyconic, eccentricity squared 0.025",
         Block({{15, 7}, {19, -1}, {0, 6378137}, {1, 0.025}, {4, 15000000}, {5, -30000000}}),
         "+proj=poly +lon_0=15 +lat_0=-30" + flat, 15, 10, -80, 80},
        {"equidistant conic, eccentricity squared 0.025",
         Block({{15, 8},
                {19, -1},
                {0, 6378137},
                {1, 0.025},
                {2, -60000000},
                {3, 89000000},
                {5, -60000000},
                {8, 1}}),
         "+proj=eqdc +lat_1=-60 +lat_2=89 +lat_0=-60" + flat, 0, 180, -90, 90},
        // Axes a hair from a sphere, and flattened as far as the series go.
        {"transverse mercator, eccentricity squared 9.9e-6",
         Block({{15, 9}, {19, -1}, {0, 6378137}, {1, 6378105.43}, {2, 1}, {5, 30000000}}),
         "+proj=tmerc +lat_0=30 +a=6378137 +b=6378105.43", 0, 8, -90, 90},
        // Next to either pole every meridian runs near the central one's great circle.
        {"transverse mercator, origin at the south pole, about it",
         Block({{15, 9}, {19, 12}, {2, 0.9996}, {4, 30000000}, {5, -90000000}, {6, 1e6}, {7, 1e7}}),
         "+proj=tmerc +k_0=0.9996 +lon_0=30 +lat_0=-90 +x_0=1000000 +y_0=10000000" + wgs84, 30, 180,
         -90, -89},
    };
    for (const auto& row : rows) {
        ResetRun();
        InParm = OutParm = row.Block;
        ForwardInit();
        InverseInit();
        ASSERT_EQ(ProjectionInitError, OK) << row.Name << " " << Joined(ProjectionLog);
        const oracle::Proj exact(row.Exact);
        ASSERT_TRUE(exact.Valid()) << row.Exact;
        for (double lon = row.Meridian - row.Reach; lon <= row.Meridian + row.Reach; ++lon)
            for (double lat = row.LatMin; lat <= row.LatMax; ++lat) {
                const std::string at = std::string(row.Name) + " at " + std::to_string(lon) + ", " +
                                       std::to_string(lat);
                const double lam = AdjustLon(lon * Deg), phi = lat * Deg;
                const PJ_COORD want = exact.Forward(lam, phi);
                const PJ_COORD back = exact.Inverse(want.xy.x, want.xy.y);
                const bool exists = std::fabs(want.xy.x) < 1e15 && std::fabs(want.xy.y) < 1e15 &&
                                    Metres(lam, phi, back.lp.lam, back.lp.phi) <= 1.0;
                ClearProjectionLog();
                double x = 0, y = 0;
                if (ForwardTransform(lam, phi, x, y) == OK)
                    EXPECT_LE(std::hypot(x - want.xy.x, y - want.xy.y), 1.0) << at;
                else
                    EXPECT_FALSE(exists || ProjectionLog.at(0).empty()) << at;
                if (!exists) continue;
                ClearProjectionLog();
                double lonBack = 0, latBack = 0;
                EXPECT_EQ(InverseTransform(want.xy.x, want.xy.y, lonBack, latBack), OK)
                    << at << " inverse " << Joined(ProjectionLog);
                EXPECT_LE(Metres(lam, phi, lonBack, latBack), 1.0) << at << " inverse";
                if (HasFailure()) return;
            }
    }
}

} // namespace
