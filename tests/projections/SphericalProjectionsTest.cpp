// Set-up reports, point failures and the fixed lobes of the spherical projections, through the
// library's entry points.
#include "ProjectionFixture.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double R = 6370997.0;
constexpr double Sqrt2 = 1.4142135623730951;
constexpr double Deg = PI / 180.0;
using Lines = std::vector<std::string>;

class SphericalProjections : public ProjectionTest {};

TEST_F(SphericalProjections, SetUpReportLines) {
    const std::string head = "PROJECTION PARAMETERS:", radius = "Radius of Sphere: 6370997";
    const std::string meridian = "Longitude of Central Meridian: degrees\\10.0000000000031";
    const std::string centreLon = "Longitude of Center: degrees\\10.0000000000031";
    const Lines falseOrigin = {"False Easting: meters\\7", "False Northing: meters\\-3"};
    const ProjectionParameterBlock centred =
        Block({{19, 19}, {4, 10000000}, {5, -90000000}, {6, 7}, {7, -3}});
    auto with = [](ProjectionParameterBlock b, std::initializer_list<std::pair<int, double>> s) {
        for (auto [i, v] : s)
            b[i] = v;
        return b;
    };
    struct Case {
        ProjectionParameterBlock block;
        Lines forward, inverse; // inverse empty: as the forward
    } cases[] = {
        {with(centred, {{15, 10}}),
         {head, "STEREOGRAPHIC", radius, meridian,
          "Latitude  of Origin: degrees\\-90.0000000000278", falseOrigin[0], falseOrigin[1]}},
        {with(centred, {{15, 11}}),
         {head, "LAMBERT AZIMUTHAL EQUAL-AREA", radius, centreLon,
          "Latitude of Center: degrees\\-90.0000000000278", falseOrigin[0], falseOrigin[1]}},
        {Block({{15, 15}, {19, 19}, {2, 35786000}, {4, -75000000}}),
         {head, "GENERAL VERTICAL NEAR-SIDE PERSPECTIVE", radius,
          "Height of Point Above Surface of Sphere:   35786000",
          "Longitude of Center: degrees\\-75.0000000000231", "Latitude of Center: degrees\\0",
          "False Easting: meters\\0", "False Northing: meters\\0"},
         {head, "GENERAL VERTICAL NEAR-SIDE PERSPECTIVE", radius,
          "Height of Point Above Surface of Sphere:    35786000",
          "Longitude of Center: degrees\\-75.0000000000231", "Latitude of Center: degrees\\0",
          "False Easting: meters\\0", "False Northing: meters\\0"}},
        {Block({{15, 17}, {19, -1}, {0, 1000}, {4, 10000000}, {5, 30000000}, {6, 7}, {7, -3}}),
         {head, "EQUIRECTANGULAR", "Radius of Sphere: 1000", meridian,
          "Latitude  of Origin: degrees\\30.0000000000093", falseOrigin[0], falseOrigin[1]}},
        {with(centred, {{15, 19}}),
         {head, "VAN DER GRINTEN", radius, centreLon, falseOrigin[0], falseOrigin[1]}},
        {with(centred, {{15, 24}}), {head, "GOODE S HOMOLOSINE EQUAL-AREA", radius}},
        {with(centred, {{15, 26}}), {head, "INTERRUPTED MOLLWEIDE EQUAL-AREA", radius}},
        {Block({{15, 30}, {19, 19}, {2, 1}, {3, 2}, {4, 10000000}, {8, 45000000}}),
         {"", head, "OBLATED EQUAL-AREA", radius, centreLon, "Latitude of Center: degrees\\0",
          "Parameter m:      1", "Parameter n:      2", "Theta:      45.0000000000139",
          "False Easting: meters\\0", "False Northing: meters\\0", ""}},
    };
    for (const Case& c : cases) {
        OutParm = c.block;
        ForwardInit();
        EXPECT_EQ(ProjectionInitError, 0) << c.forward[1];
        EXPECT_EQ(TakeLog(), c.forward);
        InParm = c.block;
        InverseInit();
        EXPECT_EQ(TakeLog(), c.inverse.empty() ? c.forward : c.inverse);
    }
}

TEST_F(SphericalProjections, PointFailuresReportAndGiveNaN) {
    const ProjectionParameterBlock sphere = Block({{19, 19}});
    auto code = [&](int c) {
        ProjectionParameterBlock b = sphere;
        b[15] = c;
        return b;
    };
    ExpectFailures({
        {"stereographic antipode", code(10), true, PI, 0.0, 103,
         "ster-for|Point projects into infinity|"},
        {"lambert azimuthal antipode", code(11), true, PI, 0.0, 113,
         "lamaz-forward|Point projects to a circle of radius = 12741994|"},
        {"lambert azimuthal outside", code(11), false, 2.1 * R, 0.0, 115,
         "lamaz-inverse|Input data error|"},
        {"azimuthal equidistant antipode", code(12), true, PI, 0.0, 123,
         "azim-for|Point projects into a circle of radius = 20015077.3712426|"},
        {"azimuthal equidistant outside", code(12), false, 0.0, -3.2 * R, 125,
         "azim-inv|Input data error|"},
        {"gnomonic at 90 degrees", code(13), true, HALF_PI, 0.0, 133,
         "gnomfor-conv|Point projects into infinity|"},
        {"orthographic far side", code(14), true, 0.0, -HALF_PI - 0.1, 143,
         "orth-for|Point can not be projected|"},
        {"orthographic outside", code(14), false, 1.1 * R, 0.0, 145, "orth-inv|Input data error|"},
        {"perspective beyond the horizon", Block({{15, 15}, {19, 19}, {2, 35786000}}), true,
         82 * Deg, 0.0, 153, "gvnsp-for|Point cannot be projected|"},
        {"perspective outside the disc", Block({{15, 15}, {19, 19}, {2, 35786000}}), false, 0.0,
         0.9 * R, 155, "gvnsp-for|Input data error|"},
        {"sinusoidal beyond the pole", code(16), false, 0.0, 1.6 * R, 164,
         "sinusoidal-inverse|Input data error|"},
        {"equirectangular beyond the pole", code(17), false, 0.0, -1.6 * R, 174,
         "equi-inv|Input data error|"},
        {"robinson beyond the table", code(21), false, 0.0, 1.36 * R, 234,
         "robinv-conv|Too many iterations in inverse|"},
        {"mollweide unsettled", code(25), true, 0.0, NaN, 241,
         "Mollweide-forward|Iteration failed to converge|"},
        {"wagner iv unsettled gives no point", code(28), true, 0.0, NaN, 241,
         "Wagneriv-Forward|Iteration failed to converge|"},
        {"goode unsettled", code(24), true, 0.0, NaN, 251,
         "goode-forward|Iteration failed to converge|"},
        {"goode between southern lobes", code(24), false, -100 * Deg * R, -0.5 * R, IN_BREAK, ""},
        {"goode above its top", code(24), false, 0.0, 1.5 * R, IN_BREAK, ""},
        {"interrupted mollweide in a northern gap", code(26), false, -1.5714 * R, 0.5 * Sqrt2 * R,
         IN_BREAK, ""},
        // The pair is logged; the last estimate places no point, which is reported too.
        {"interrupted mollweide unsettled", code(26), true, 0.0, NaN, PointCannotBeProjected,
         "IntMoll-forward|Iteration failed to converge|IntMoll-forward|Point cannot be "
         "projected|"},
    });
}

// Points whose place follows from the published constants alone: lobe centres, where x is the
// lobe's offset, placed without any false origin, and the poles, where the Mollweide equation
// has a triple root that its iteration must still reach.
TEST_F(SphericalProjections, LobesSitAtTheirPublishedOffsets) {
    struct Case {
        int code;
        double lon, lat, x, y;
    } cases[] = {
        {24, -100, 10, -1.74532925199 * R, 10 * Deg * R},
        {24, 30, 40, 0.523598775598 * R, 40 * Deg * R},
        {24, -160, -20, -2.79252680319 * R, -20 * Deg * R},
        {24, -60, -40, -1.0471975512 * R, -40 * Deg * R},
        {24, 20, -10, 0.349065850399 * R, -10 * Deg * R},
        {24, 140, -30, 2.44346095279 * R, -30 * Deg * R},
        {26, -140, 0, -2.19988776387 * R, 0},
        {26, -10, 0, -0.15713484 * R, 0},
        {26, 130, 0, 2.04275292359 * R, 0},
        {26, -110, -90, -1.72848324304 * R, -Sqrt2 * R},
        {26, 20, -90, 0.31426968 * R, -Sqrt2 * R},
        {26, 140, -90, 2.19988776387 * R, -Sqrt2 * R},
        {25, 0, 90, 1000, Sqrt2 * R + 1000},
        {24, 20, -90, 0.349065850399 * R, -(Sqrt2 - 0.0528035274542) * R},
    };
    for (const Case& c : cases) {
        OutParm = Block({{15, c.code}, {19, 19}, {6, 1000}, {7, 1000}});
        ForwardInit();
        double x = 0, y = 0;
        ASSERT_EQ(ForwardTransform(c.lon * Deg, c.lat * Deg, x, y), OK);
        EXPECT_NEAR(x, c.x, 1e-3) << c.code << " " << c.lon;
        EXPECT_NEAR(y, c.y, 1e-3) << c.code << " " << c.lon;
        EXPECT_EQ(TakeLog().size(), c.code == 25 ? 6u : 3u) << "set-up lines only";
    }
}

// Each side of a lobe edge belongs to one lobe: on the equator the two meet (within the eight
// to eleven digits of the published offsets), away from it the interruption opens.
TEST_F(SphericalProjections, InterruptedMollweideEdges) {
    OutParm = Block({{15, 26}, {19, 19}});
    ForwardInit();
    const std::pair<double, double> edges[] = {{-100, 1}, {80, 1}, {-40, -1}, {80, -1}};
    for (const auto& [edge, side] : edges) {
        double xw, xe, y;
        ASSERT_EQ(ForwardTransform((edge - 1e-9) * Deg, side * 1e-9, xw, y), OK);
        ASSERT_EQ(ForwardTransform((edge + 1e-9) * Deg, side * 1e-9, xe, y), OK);
        EXPECT_NEAR(xw, xe, 0.01) << edge;
        ASSERT_EQ(ForwardTransform((edge - 1e-9) * Deg, side * 60 * Deg, xw, y), OK);
        ASSERT_EQ(ForwardTransform((edge + 1e-9) * Deg, side * 60 * Deg, xe, y), OK);
        EXPECT_GT(xe - xw, 0.2 * R) << edge;
    }
}

// Close to the central meridian, from 0.001 degrees to just above the meridian's own tolerance:
// the published equations evaluated exactly (60 digits) on the same radians.
TEST_F(SphericalProjections, VanDerGrintenNearItsCentralMeridian) {
    OutParm = Block({{15, 19}, {19, 19}});
    ForwardInit();
    const struct {
        double dlon, lat, x, y;
    } cases[] = {
        {1.7453292519943296e-05, 0.5, 108.22585485112278, 3270554.6414350421},
        {-1.7453292519943296e-06, 0.5, -10.822585485106269, 3270554.6414195051},
        {1.7453292519943295e-08, -1.2, 0.087221655207189372, -9293473.5293793464},
        {1.7453292519943295e-09, 1.0, 0.0096829376720364026, 7194079.3810408365},
        {1.7453292519943296e-06, 1.5690509975429023, 1.000894564129356, 19093034.183233654},
        {-1.7453292519943295e-08, -0.001, -0.11119486301828261, -6370.997645517088},
        {2e-10, 0.3, 0.0012623632262486728, 1929053.3606269908},
        {0.001, 1e-06, 6370.9969999993546, 6.3709970000008507},
    };
    for (const auto& c : cases) {
        double x = 0, y = 0;
        ASSERT_EQ(ForwardTransform(c.dlon, c.lat, x, y), OK);
        EXPECT_NEAR(x, c.x, 1e-9) << c.dlon << " " << c.lat;
        EXPECT_NEAR(y, c.y, 1e-6) << c.dlon << " " << c.lat;
    }
}

// Points that are not numbers, or far outside the globe, give no point or a NaN one and never
// reach undefined arithmetic.
TEST_F(SphericalProjections, WildInputsGiveNoPoint) {
    const std::pair<double, double> points[] = {
        {NaN, NaN}, {0.0, NaN}, {NaN, 0.5}, {1e300, -1e300}};
    for (int code = 10; code <= 30; ++code) {
        if (code == 20 || code == 22 || code == 23) continue;
        ResetRun();
        InParm = OutParm = Block({{15, code}, {19, 19}, {2, code == 30 ? 1.0 : 0.0}, {3, 2.0}});
        ForwardInit();
        InverseInit();
        for (const auto& [a, b] : points) {
            double x = 0, y = 0;
            if (ForwardTransform(a, b, x, y) == OK)
                EXPECT_FALSE(std::isinf(x) || std::isinf(y)) << code << " " << a << " " << b;
            if (InverseTransform(a, b, x, y) == OK)
                EXPECT_FALSE(std::isinf(x) || std::isinf(y)) << code << " " << a << " " << b;
        }
    }
}

} // namespace
