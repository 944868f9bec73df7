// Hotine oblique Mercator, space oblique Mercator and Alaska conformal: their report lines,
// their failures, and which origin convention the Hotine coordinates follow.
#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
using Lines = std::vector<std::string>;

const std::string ClarkeAxes[] = {"Semi-Major Axis of Ellipsoid: meters\\6378206.4",
                                  "Semi-Minor Axis of Ellipsoid: meters\\6356583.8"};

class ObliqueProjections : public ProjectionTest {};

TEST_F(ObliqueProjections, SetUpReportLines) {
    struct Case {
        const char* name;
        ProjectionParameterBlock block;
        Lines forward, inverse;
    } cases[] = {
        {"hotine by azimuth",
         Block({{15, 20}, {2, 0.9996}, {3, 30000000}, {4, -100000000}, {5, 40000000}, {12, 1}}),
         {"PROJECTION PARAMETERS:", "OBLIQUE MERCATOR (HOTINE)", ClarkeAxes[0], ClarkeAxes[1],
          "Scale Factor at C. Meridian:    0.9996", "False Easting: meters\\0",
          "False Northing: meters\\0", "Azimuth of Central Line:    30.0000000000093",
          "Longitude of Center: degrees\\-100.000000000031",
          "Latitude of Center: degrees\\40.0000000000123"},
         {}},
        {"hotine by two points",
         // clang-format off
         Block({{15, 20}, {2, 1}, {5, 45000000}, {8, -90000000}, {9, 40000000}, {10, -80000000},
                {11, 50000000}}),
         // clang-format on
         {"PROJECTION PARAMETERS:", "OBLIQUE MERCATOR (HOTINE)", ClarkeAxes[0], ClarkeAxes[1],
          "Scale Factor at C. Meridian:    1", "False Easting: meters\\0",
          "False Northing: meters\\0", "Longitude of First Point:    -90.0000000000278",
          "Latitude of First Point:    40.0000000000123",
          "Longitude of Second Point:    -80.0000000000247",
          "Latitude of Second Point:    50.0000000000154"},
         {"PROJECTION PARAMETERS:", "OBLIQUE MERCATOR (HOTINE)", ClarkeAxes[0], ClarkeAxes[1],
          "Scale Factor at C. Meridian:    1", "False Easting: meters\\0",
          "False Northing: meters\\0", "Longitude of First Point:     -90.0000000000278",
          "Latitude of First Point:      40.0000000000123",
          "Longitude of Second Point:    -80.0000000000247",
          "Latitude of Second Point:     50.0000000000154"}},
        {"som for landsat 5, path 215",
         Block({{15, 22}, {2, 5}, {3, 215}, {12, 1}, {7, 10}}),
         {"PROJECTION PARAMETERS:", "SPACE OBLIQUE MERCATOR", ClarkeAxes[0], ClarkeAxes[1],
          "Path Number:    215", "Satellite Number:    5",
          "Inclination of Orbit:    98.2000000000302",
          "Longitude of Ascending Orbit:    -202.888841201779", "False Easting: meters\\0",
          "False Northing: meters\\10", "Landsat Ratio:    0.5201613"},
         {}},
        {"som for a given orbit",
         Block({{15, 22}, {3, 99005000}, {4, -120000000}, {8, 100.0}, {19, 19}}),
         {"PROJECTION PARAMETERS:", "SPACE OBLIQUE MERCATOR",
          "Semi-Major Axis of Ellipsoid: meters\\6370997",
          "Semi-Minor Axis of Ellipsoid: meters\\6370997",
          "Inclination of Orbit:    99.0833333333639",
          "Longitude of Ascending Orbit:    -120.000000000037", "False Easting: meters\\0",
          "False Northing: meters\\0", "Landsat Ratio:    0.5201613"},
         {}},
        {"alaska",
         Block({{15, 23}, {19, 12}, {6, 1}, {7, 2}}),
         {"PROJECTION PARAMETERS:", "ALASKA CONFORMAL",
          "Semi-Major Axis of Ellipsoid: meters\\6378137",
          "Semi-Minor Axis of Ellipsoid: meters\\6356752.314245",
          "Longitude of Center: degrees\\-152.000000000047",
          "Latitude of Center: degrees\\64.0000000000197", "False Easting: meters\\1",
          "False Northing: meters\\2"},
         {}},
    };
    for (const Case& c : cases) {
        OutParm = c.block;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, 0) << c.name;
        EXPECT_EQ(TakeLog(), c.forward) << c.name;
        InParm = c.block;
        InverseInit();
        EXPECT_EQ(TakeLog(), c.inverse.empty() ? c.forward : c.inverse) << c.name;
    }
}

TEST_F(ObliqueProjections, HotineSetUpFailures) {
    const Lines formB{"omer-init", "Input data error"};
    const Lines formA{"omer-init..omerforint..omerinvint", "Input data error"};
    struct Case {
        const char* name;
        ProjectionParameterBlock block;
        int status;
        Lines log;
    } cases[] = {
        {"origin on the equator", Block({{15, 20}, {2, 1}, {3, 30000000}, {12, 1}}), 201, formB},
        {"origin at a pole", Block({{15, 20}, {2, 1}, {3, 30000000}, {5, 90000000}, {12, 1}}), 201,
         formB},
        {"two points on one parallel",
         Block({{15, 20}, {2, 1}, {5, 45000000}, {9, 40000000}, {10, 10000000}, {11, 40000000}}),
         202, formA},
        {"first point on the equator",
         Block({{15, 20}, {2, 1}, {5, 45000000}, {10, 10000000}, {11, 40000000}}), 202, formA},
        {"first point at a pole",
         Block({{15, 20}, {2, 1}, {5, 45000000}, {9, -90000000}, {11, 40000000}}), 202, formA},
        {"origin at a pole, two points",
         Block({{15, 20}, {2, 1}, {5, -90000000}, {9, 40000000}, {11, 50000000}}), 202, formA},
    };
    for (const Case& c : cases) {
        ResetRun();
        OutParm = c.block;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, c.status) << c.name;
        const Lines log = TakeLog();
        ASSERT_GE(log.size(), 2u) << c.name;
        EXPECT_EQ(Lines(log.end() - 2, log.end()), c.log) << c.name;
    }
}

TEST_F(ObliqueProjections, PointFailures) {
    ExpectFailures({
        {"hotine: the pole of the central line",
         Block({{15, 20}, {19, 19}, {2, 1}, {5, 45000000}, {12, 1}}), true, HALF_PI, 0.0, 205,
         "omer-for|Point projects into infinity|"},
        {"som forward", Block({{15, 22}, {2, 5}, {3, 215}, {12, 1}}), true, NaN, 0.1, 214,
         "som-forward|50 iterations without convergence|"},
        {"som inverse", Block({{15, 22}, {2, 5}, {3, 215}, {12, 1}}), false, NaN, 0.0, 214,
         "som-inverse|50 iterations without convergence|"},
        {"alaska inverse: both phases fail", Block({{15, 23}}), false, NaN, 0.0, 236,
         "alcon-inv|Too many iterations in inverse|alcon-inv|Too many iterations in inverse|"},
        {"alaska inverse: a point so far out that the polynomial's root is not found in time",
         Block({{15, 23}}), false, 6.4e12, 0.0, 235, "alcon-inv|Too many iterations in inverse|"},
    });
}

// PROJ counts Hotine coordinates either from the centre of the line (its default) or from the
// natural origin where the line meets the aposphere's equator; these are counted from the
// centre, so the centre itself lands on the false origin.
TEST_F(ObliqueProjections, HotineCountsFromTheCentreOfTheLine) {
    const ProjectionParameterBlock b = Block(
        {{15, 20}, {2, 0.9996}, {3, 30000000}, {4, -100000000}, {5, 40000000}, {12, 1}, {6, 7}});
    OutParm = b;
    ForwardInit();
    const double lon = -100 * D2R, lat = 40 * D2R;
    double x = 0, y = 0;
    ASSERT_EQ(ForwardTransform(lon, lat, x, y), 0);
    EXPECT_NEAR(x, 7.0, 1e-6);
    EXPECT_NEAR(y, 0.0, 1e-6);
    const oracle::Proj centre(oracle::ProjDefinition(b, ""));
    const oracle::Proj natural(oracle::ProjDefinition(b, "+no_uoff"));
    ASSERT_TRUE(centre.Valid() && natural.Valid());
    const PJ_COORD c = centre.Forward(lon, lat), n = natural.Forward(lon, lat);
    EXPECT_LT(std::hypot(x - c.xy.x, y - c.xy.y), 0.01);
    EXPECT_GT(std::hypot(x - n.xy.x, y - n.xy.y), 1000.0);
}

// The orbit form given Landsat 5's orbit through the ascending longitude of path 233, the last
// of its cycle (a whole turn west of path 0's), is the Landsat form for that path.
TEST_F(ObliqueProjections, OrbitFormWithLandsatValuesIsTheLandsatForm) {
    const ProjectionParameterBlock orbit =
        Block({{15, 22}, {19, 12}, {3, 98012000}, {4, 129018000}, {8, 98.8841202}});
    const ProjectionParameterBlock landsat = Block({{15, 22}, {19, 12}, {2, 5}, {3, 233}, {12, 1}});
    OutParm = orbit;
    InParm = orbit;
    ForwardInit();
    InverseInit();
    for (double lon : {100.0, 115.0, 130.0})
        for (double lat : {-60.0, -10.0, 0.0, 25.0, 70.0}) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0, lon2 = 0, lat2 = 0;
            ASSERT_EQ(ForwardTransform(lon * D2R, lat * D2R, x1, y1), 0);
            ASSERT_EQ(InverseTransform(x1, y1, lon2, lat2), 0);
            EXPECT_NEAR(lat2, lat * D2R, 1e-9) << lon << " " << lat;
            EXPECT_NEAR(AdjustLon(lon2 - lon * D2R), 0.0, 1e-9) << lon << " " << lat;
            OutParm = landsat;
            ForwardInit();
            ASSERT_EQ(ForwardTransform(lon * D2R, lat * D2R, x2, y2), 0);
            EXPECT_NEAR(x1, x2, 1e-6) << lon << " " << lat;
            EXPECT_NEAR(y1, y2, 1e-6) << lon << " " << lat;
            OutParm = orbit;
            ForwardInit();
        }
}

} // namespace
