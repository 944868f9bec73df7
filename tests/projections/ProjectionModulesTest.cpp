// Set-up reports, set-up failures and point failures of the ellipsoidal projections, through
// the library's entry points.
#include "ProjectionFixture.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
using Lines = std::vector<std::string>;

class ProjectionModules : public ProjectionTest {};

TEST_F(ProjectionModules, SetUpReportLines) {
    const std::string clarke[] = {"Semi-Major Axis of Ellipsoid: meters\\6378206.4",
                                  "Semi-Minor Axis of Ellipsoid: meters\\6356583.8"};
    const std::string wgs[] = {"Semi-Major Axis of Ellipsoid: meters\\6378137",
                               "Semi-Minor Axis of Ellipsoid: meters\\6356752.314245"};
    struct Case {
        const char* name;
        ProjectionParameterBlock block;
        Lines lines;
    } cases[] = {
        {"utm south, spheroid from slot 19 whatever the datum",
         Block({{15, 1}, {17, -33}, {18, 13}, {19, 12}}),
         {"PROJECTION PARAMETERS:", "UNIVERSAL TRANSVERSE MERCATOR (UTM)", "Zone:     -33", wgs[0],
          wgs[1], "Scale Factor at C. Meridian:     0.9996",
          "Longitude of Central Meridian: degrees\\15.0000000000046"}},
        {"utm zone from a western southern point, negative spheroid is Clarke",
         Block({{15, 1}, {0, -74000000.0}, {1, -10000000.0}, {19, -1}}),
         {"PROJECTION PARAMETERS:", "UNIVERSAL TRANSVERSE MERCATOR (UTM)", "Zone:     -18",
          clarke[0], clarke[1], "Scale Factor at C. Meridian:     0.9996",
          "Longitude of Central Meridian: degrees\\-75.0000000000231"}},
        {"transverse mercator",
         Block({{15, 9}, {18, 23}, {2, 0.9999}, {4, -115045000}, {5, 36000000}, {6, 200000}}),
         {"PROJECTION PARAMETERS:", "TRANSVERSE MERCATOR (TM)", clarke[0], clarke[1],
          "Scale Factor at C. Meridian:    0.9999",
          "Longitude of Central Meridian: degrees\\-115.750000000036",
          "Latitude  of Origin: degrees\\36.0000000000111", "False Easting: meters\\200000",
          "False Northing: meters\\0"}},
        {"albers",
         Block({{15, 3}, {2, 29030000}, {3, 45030000}, {4, -96000000}, {7, -5}}),
         {"PROJECTION PARAMETERS:", "ALBERS CONICAL EQUAL-AREA", clarke[0], clarke[1],
          "1st Standard Parallel: degrees\\29.5000000000091",
          "2nd Standard Parallel: degrees\\45.500000000014",
          "Longitude of Central Meridian: degrees\\-96.0000000000296",
          "Latitude  of Origin: degrees\\0", "False Easting: meters\\0",
          "False Northing: meters\\-5"}},
        {"mercator",
         Block({{15, 5}, {19, 12}, {5, 30000000}}),
         {"PROJECTION PARAMETERS:", "MERCATOR", wgs[0], wgs[1],
          "Longitude of Central Meridian: degrees\\0",
          "Latitude  of Origin: degrees\\30.0000000000093", "False Easting: meters\\0",
          "False Northing: meters\\0"}},
        {"polar stereographic",
         Block({{15, 6}, {4, -45000000}, {5, -71000000}}),
         {"PROJECTION PARAMETERS:", "POLAR STEREOGRAPHIC", clarke[0], clarke[1],
          "Longitude of Center: degrees\\-45.0000000000139", "False Easting: meters\\0",
          "False Northing: meters\\0"}},
        {"equidistant conic, one parallel",
         Block({{15, 8}, {2, 30000000}, {3, 60000000}}),
         {"PROJECTION PARAMETERS:", "EQUIDISTANT CONIC", clarke[0], clarke[1],
          "Standard Parallel: degrees\\30.0000000000093",
          "Longitude of Central Meridian: degrees\\0", "Latitude  of Origin: degrees\\0",
          "False Easting: meters\\0", "False Northing: meters\\0"}},
    };
    for (const Case& c : cases) {
        OutParm = c.block;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, 0) << c.name;
        EXPECT_EQ(TakeLog(), c.lines) << c.name;
        InParm = c.block;
        InverseInit();
        EXPECT_EQ(TakeLog(), c.lines) << c.name << " (inverse set-up)";
    }
}

// A point on a zone's western edge belongs to that zone.
TEST_F(ProjectionModules, UtmZoneFromAPointOnAZoneEdge) {
    const std::pair<double, const char*> cases[] = {{-72000000.0, "Zone:     19"},
                                                    {-78000000.0, "Zone:     18"},
                                                    {-71059059.0, "Zone:     19"},
                                                    {180000000.0, "Zone:     60"}};
    for (const auto& [lon, zone] : cases) {
        OutParm = Block({{15, 1}, {0, lon}, {1, 10000000.0}, {19, 8}});
        ForwardInit();
        EXPECT_EQ(TakeLog().at(2), zone) << lon;
    }
}

TEST_F(ProjectionModules, SetUpFailures) {
    struct Case {
        ProjectionParameterBlock block;
        int status;
        Lines forward, inverse;
    } cases[] = {
        {Block({{15, 1}, {17, -61}}),
         11,
         {"utm-forint", "Illegal zone number"},
         {"utm-invint", "Illegal zone number"}},
        {Block({{15, 3}, {2, 30000000}, {3, -30000000}}),
         31,
         {"alber-forinit", "Equal latitudes for St. Parallels", "on opposite sides of equator"},
         {"alber-invinit", "Equal latitudes for St. Parallels", "on opposite sides of equator"}},
        {Block({{15, 4}, {2, 30000000}, {3, -30000000}}),
         41,
         {"lamcc-for", "Equal Latitudes for St. Parallels", "on opposite sides of equator"},
         {"lamcc-inv", "Equal Latitudes for St. Parallels", "on opposite sides of equator"}},
        // A zone worked out from a longitude off the map is no zone, west as east.
        {Block({{15, 1}, {0, -192000000.0}, {1, -10000000.0}}),
         11,
         {"utm-forint", "Illegal zone number"},
         {"utm-invint", "Illegal zone number"}},
        {Block({{15, 1}, {0, 186000000.0}, {1, 10000000.0}}),
         11,
         {"utm-forint", "Illegal zone number"},
         {"utm-invint", "Illegal zone number"}},
        {Block({{15, 8}, {2, 30000000}, {3, -30000000}, {8, 1}}),
         81,
         {"eqcon_for", "Standard Parallels on opposite sides of equator"},
         {"eqcon_for", "Standard Parallels on opposite sides of equator"}},
        // One standard parallel on the equator: a cylinder, with no place for any point.
        {Block({{15, 8}}),
         81,
         {"eqcon_for", "Standard Parallels on opposite sides of equator"},
         {"eqcon_for", "Standard Parallels on opposite sides of equator"}},
    };
    for (const Case& c : cases) {
        for (bool forward : {true, false}) {
            ResetRun();
            (forward ? OutParm : InParm) = c.block;
            forward ? ForwardInit() : InverseInit();
            EXPECT_EQ(ProjectionInitError, c.status);
            Lines log = TakeLog();
            ASSERT_GE(log.size(), 2u);
            log.erase(log.begin(), log.begin() + 2); // the title
            EXPECT_EQ(log, forward ? c.forward : c.inverse);
            double a = 0, b = 0;
            EXPECT_EQ(forward ? ForwardTransform(0.1, 0.1, a, b) : InverseTransform(0, 0, a, b),
                      c.status);
            EXPECT_TRUE(std::isnan(a) && std::isnan(b));
        }
    }
}

TEST_F(ProjectionModules, PointFailuresReportAndGiveNaN) {
    ExpectFailures({
        {"mercator north pole", Block({{15, 5}}), true, 0.3, HALF_PI, 53,
         "mer-forward|Transformation cannot be computed at the poles|"},
        {"mercator south pole", Block({{15, 5}}), true, 0.3, -HALF_PI, 53,
         "mer-forward|Transformation cannot be computed at the poles|"},
        {"lambert far pole", Block({{15, 4}, {2, 30000000}, {3, 60000000}}), true, 0.1, -HALF_PI,
         44, "lamcc-for|Point can not be projected|"},
        {"tm sphere 90 degrees off", Block({{15, 9}, {19, 19}, {2, 1.0}}), true, HALF_PI, 0.0, 93,
         "tm-for|Point projects into infinity|"},
        {"tm inverse", Block({{15, 9}, {2, 1.0}}), false, 0.0, NaN, 95,
         "TM-INVERSE|Latitude failed to converge|"},
        {"mercator inverse", Block({{15, 5}}), false, 0.0, NaN, 2, "phi2z-conv|Convergence error|"},
        {"albers inverse far outside", Block({{15, 3}, {2, 20000000}, {3, 60000000}}), false, 0.0,
         -3e7, 1, "phi1z-conv|Convergence error|"},
        {"polyconic inverse", Block({{15, 7}}), false, 0.0, NaN, 4,
         "phi4z-conv|Latitude failed to converge|"},
        {"equidistant conic inverse", Block({{15, 8}, {2, 40000000}}), false, NaN, 0.0, 3,
         "PHI3Z-CONV|Latitude failed to converge after 15 iterations|"},
    });
}

// On the sphere the equator maps onto the x axis: across a zone and beyond it every point has
// its place, however the cosine quotient rounds.
TEST_F(ProjectionModules, SphericalUtmEquatorLiesOnTheAxis) {
    OutParm = Block({{15, 1}, {17, 33}, {19, 19}});
    ForwardInit();
    ASSERT_EQ(ProjectionInitError, 0);
    for (int i = 0; i <= 2156; ++i) {
        const double lonDeg = 4.0 + i * 0.01;
        double x = 0, y = 1;
        ASSERT_EQ(ForwardTransform(lonDeg * D2R, 0.0, x, y), OK) << lonDeg;
        EXPECT_TRUE(std::isfinite(x)) << lonDeg;
        EXPECT_EQ(y, 0.0) << lonDeg;
    }
}

} // namespace
