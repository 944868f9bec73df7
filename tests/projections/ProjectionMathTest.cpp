#include "ProjectionFixture.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double ClarkeE = 0.08227185422300323; // Clarke 1866 eccentricity

TEST(ProjectionSeries, ValuesWorkedByHand) {
    struct Case {
        const char* name;
        double got, want;
    } cases[] = {
        {"E0fn(0.1)", E0fn(0.1), 0.97451171875},
        {"E1fn(0.1)", E1fn(0.1), 0.0384814453125},
        {"E2fn(0.1)", E2fn(0.1), 0.0006298828125},
        {"E3fn(0.1)", E3fn(0.1), 0.001 * 35.0 / 3072.0},
        {"E0fn(0)", E0fn(0.0), 1.0},
        {"E4fn(0)", E4fn(0.0), 1.0},
        {"E4fn(0.5)", E4fn(0.5), std::sqrt(3.0 * std::sqrt(3.0) / 4.0)},
        {"Mlfn", Mlfn(1.0, 0.5, 0.25, 0.125, HALF_PI / 2), HALF_PI / 2 - 0.375},
        {"Msfnz", Msfnz(0.5, 0.8, 0.6), 0.6 / std::sqrt(0.84)},
        {"Qsfnz", Qsfnz(0.5, 0.8, 0.6), 0.75 * (0.8 / 0.84 - std::log(3.0 / 7.0))},
        {"Qsfnz sphere", Qsfnz(1e-8, 0.8, 0.6), 1.6},
        {"Tsfnz sphere", Tsfnz(0.0, 0.0, 0.0), 1.0},
        {"Tsfnz", Tsfnz(0.5, PI / 6, 0.5), std::tan(PI / 6) / std::pow(0.6, 0.25)},
        {"Asinz above 1", Asinz(1.5), HALF_PI},
        {"Asinz below -1", Asinz(-2.0), -HALF_PI},
        {"Asinz inside", Asinz(0.5), PI / 6},
        {"Sign(0)", double(Sign(0.0)), 1.0},
        {"Sign(-0.1)", double(Sign(-0.1)), -1.0},
        {"Pakcz", Pakcz(455030.5), 45050030.5},
        {"Pakcz negative", Pakcz(-1203015.0), -120030015.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.got, c.want, 1e-15 * (1 + std::fabs(c.want))) << c.name;
}

TEST(ProjectionSeries, AdjustLonWrapsIntoOneTurn) {
    struct Case {
        double in, want;
    } cases[] = {
        {-4.0, -4.0 + TWO_PI},   {7.0, 7.0 - TWO_PI},      {PI, PI}, {-PI, -PI}, {0.5, 0.5},
        {3 * TWO_PI + 1.0, 1.0}, {-5 * TWO_PI - 1.0, -1.0}};
    for (const Case& c : cases)
        EXPECT_NEAR(AdjustLon(c.in), c.want, 1e-12) << c.in;
    EXPECT_DOUBLE_EQ(AdjustLon(7.0), 7.0 - TWO_PI);
    for (double huge : {1e300, -1e300, 1e19, 9.3e18}) {
        const double r = AdjustLon(huge);
        EXPECT_TRUE(r >= -PI && r <= PI) << huge << " gave " << r;
    }
    EXPECT_TRUE(std::isnan(AdjustLon(NaN)));
}

TEST(ProjectionSeries, UtmZoneOfLongitude) {
    struct Case {
        double lon;
        int zone;
    } cases[] = {{-74.0, 18}, {-72.0, 19}, {179.9, 60}, {180.0, 60},
                 {-180.0, 1}, {0.0, 31},   {-35.0, 25}, {-0.1, 30}};
    for (const Case& c : cases)
        EXPECT_EQ(CalcUtmZone(c.lon), c.zone) << c.lon;
}

class PackedAngles : public ProjectionTest {};

TEST_F(PackedAngles, GoodAndBadFields) {
    struct Case {
        double packed;
        double degrees;
        const char* tag; // nullptr: a good field
    } cases[] = {
        {45030000.0, 45.5, nullptr},
        {-120015030.0, -(120.0 + 15.0 / 60.0 + 30.0 / 3600.0), nullptr},
        {360060060.0, 361.01666666666665, nullptr},
        {45070000.0, ERROR, "paksz-min"},
        {361000000.0, ERROR, "paksz-deg"},
        {45000061.0, ERROR, "paksz-sec"},
        {-45000060.5, ERROR, "paksz-sec"},
        {NaN, ERROR, "paksz-deg"},
    };
    for (const Case& c : cases) {
        int flag = -7;
        EXPECT_NEAR(paksz(c.packed, flag), c.degrees, 1e-12) << c.packed;
        const std::vector<std::string> log = TakeLog();
        if (c.tag) {
            EXPECT_EQ(flag, 1116) << c.packed;
            EXPECT_EQ(log, (std::vector<std::string>{c.tag, "Illegal DMS field"})) << c.packed;
        } else {
            EXPECT_EQ(flag, 0) << c.packed;
            EXPECT_TRUE(log.empty()) << Joined(log);
        }
    }
}

class UnitFactors : public ProjectionTest {};

TEST_F(UnitFactors, AllThirtySixPairs) {
    const char* names[] = {"radians",     "feet",        "meters",
                           "arc seconds", "arc degrees", "international feet"};
    // The published conversion table, row = from, column = to; 0 = no factor.
    const double want[6][6] = {
        {1.0, 0, 0, 206264.8062470963, 57.29577951308231, 0},
        {0, 1.0, 0.3048006096012192, 0, 0, 1.000002000004},
        {0, 3.280833333333333, 1.0, 0, 0, 3.280839895013124},
        {4.84813681109536e-06, 0, 0, 1.0, 0.00027777777777778, 0},
        {0.0174532925199433, 0, 0, 3600.0, 1.0, 0},
        {0, 0.999998, 0.3048, 0, 0, 1.0},
    };
    for (int from = 0; from < 6; ++from)
        for (int to = 0; to < 6; ++to) {
            double factor = -1.0;
            const int status = untfz(from, to, factor);
            const std::vector<std::string> log = TakeLog();
            EXPECT_EQ(factor, want[from][to]) << from << "->" << to;
            if (want[from][to] != 0.0) {
                EXPECT_EQ(status, 0);
                EXPECT_TRUE(log.empty());
            } else {
                EXPECT_EQ(status, 1101) << from << "->" << to;
                EXPECT_EQ(log,
                          (std::vector<std::string>{"untfz-code", "Incompatable unit codes",
                                                    std::string(names[from]) + "  " + names[to]}));
            }
        }
}

TEST_F(UnitFactors, CodesOutsideTheTableAreRefused) {
    for (auto [from, to] : {std::pair{6, 2}, {2, 6}, {-1, 0}, {0, 99}}) {
        double factor = 42.0;
        EXPECT_EQ(untfz(from, to, factor), 5);
        EXPECT_EQ(factor, 42.0);
        EXPECT_EQ(TakeLog(),
                  (std::vector<std::string>{"untfz-unit", "Illegal source or target unit code"}));
    }
    EXPECT_EQ(UnitCodeName(6), "state zone table units");
    EXPECT_EQ(UnitCodeName(7), "unknown units");
    EXPECT_EQ(UnitCodeName(-1), "unknown units");
}

class Spheroids : public ProjectionTest {};

TEST_F(Spheroids, CodeOrBlockAxes) {
    const double clarkeA = 6378206.4, clarkeB = 6356583.8;
    struct Case {
        int code;
        double p0, p1;
        double major, minor, radius;
        bool reports;
    } cases[] = {
        {0, 0, 0, clarkeA, clarkeB, 6370997.0, false},
        {12, 0, 0, 6378137.0, 6356752.314245, 6370997.0, false},
        {19, 0, 0, 6370997.0, 6370997.0, 6370997.0, false},
        {20, 0, 0, clarkeA, clarkeB, 6370997.0, true},
        {25, 0, 0, clarkeA, clarkeB, 6370997.0, true},
        {-1, 6378137.0, 0.00669438, 6378137.0, std::sqrt(1 - 0.00669438) * 6378137.0, 6378137.0,
         false},
        {-1, -6378137.0, 6356752.3, 6378137.0, 6356752.3, 6378137.0, false},
        {-1, 6378137.0, 1.0, 6378137.0, 0.0, 6378137.0, false},
        {-1, 6400000.0, 0.0, 6400000.0, 6400000.0, 6400000.0, false},
        {-1, 0.0, 5.0, clarkeA, clarkeB, clarkeA, false},
        {-1, 0.0, 0.0, 6370997.0, 6370997.0, 6370997.0, false},
    };
    for (const Case& c : cases) {
        ProjectionParameterBlock block{};
        block[0] = c.p0;
        block[1] = c.p1;
        double major = 0, minor = 0, radius = 0;
        SelectSpheroid(c.code, block, major, minor, radius);
        EXPECT_EQ(major, c.major) << c.code << " " << c.p0 << " " << c.p1;
        EXPECT_EQ(minor, c.minor) << c.code << " " << c.p0 << " " << c.p1;
        EXPECT_EQ(radius, c.radius) << c.code << " " << c.p0 << " " << c.p1;
        const std::vector<std::string> log = TakeLog();
        if (c.reports)
            EXPECT_EQ(log, (std::vector<std::string>{"INFORMATIONAL", "Invalid spheroid selection",
                                                     "Reset to 0"}));
        else
            EXPECT_TRUE(log.empty()) << Joined(log);
    }
}

class LatitudeIterations : public ProjectionTest {};

// Each iteration inverts its series: from the series value of a latitude it finds the latitude.
TEST_F(LatitudeIterations, InvertTheirSeries) {
    const double es = ClarkeE * ClarkeE;
    const double e0 = E0fn(es), e1 = E1fn(es), e2 = E2fn(es), e3 = E3fn(es);
    for (double phi : {-1.4, -0.7, -0.1, 0.0, 0.3, 0.9, 1.5}) {
        int flag = -1;
        const double s = std::sin(phi), c = std::cos(phi);
        EXPECT_NEAR(phi1z(ClarkeE, Qsfnz(ClarkeE, s, c), flag), phi, 1e-9) << phi;
        EXPECT_NEAR(phi2z(ClarkeE, Tsfnz(ClarkeE, phi, s), flag), phi, 1e-12) << phi;
        EXPECT_EQ(flag, 0);
        EXPECT_NEAR(phi3z(Mlfn(e0, e1, e2, e3, phi), e0, e1, e2, e3, flag), phi, 1e-12) << phi;
        EXPECT_EQ(flag, 0);
    }
    EXPECT_TRUE(ProjectionLog.empty()) << Joined(ProjectionLog);
}

TEST_F(LatitudeIterations, Phi4zSolvesThePolyconicInverse) {
    // Sphere, origin on the equator: x = cot(phi) sin(E), y = phi + cot(phi)(1 - cos E),
    // E = lon sin(phi); then A = y and B = x^2 + A^2.
    for (auto [lon, phi] : {std::pair{0.3, 0.5}, {-0.8, 1.1}, {1.2, -0.4}}) {
        const double e = lon * std::sin(phi);
        const double x = std::sin(e) / std::tan(phi);
        const double y = phi + (1 - std::cos(e)) / std::tan(phi);
        double c = 0, got = 0;
        EXPECT_EQ(phi4z(0.0, 1.0, 0.0, 0.0, 0.0, y, x * x + y * y, c, got), 0.0);
        EXPECT_NEAR(got, phi, 1e-10);
        EXPECT_NEAR(c, std::tan(phi), 1e-9);
    }
}

TEST_F(LatitudeIterations, FailuresReportAndReturnTheirValue) {
    struct Case {
        double (*run)(int& flag);
        double result;
        int flag;
        std::vector<std::string> log;
    } cases[] = {
        // clang-format off
        {[](int& f) { return phi1z(ClarkeE, NaN, f); }, ERROR, 1,
         {"phi1z-conv", "Convergence error"}},
        {[](int& f) { return phi2z(ClarkeE, NaN, f); }, 2.0, 2,
         {"phi2z-conv", "Convergence error"}},
        {[](int& f) { return phi3z(NaN, 1.0, 0.0, 0.0, 0.0, f); }, 3.0, 3,
         {"PHI3Z-CONV", "Latitude failed to converge after 15 iterations"}},
        {[](int& f) {
             double c = 0, phi = 0;
             f = 4;
             return phi4z(0.0, 1.0, 0.0, 0.0, 0.0, NaN, 1.0, c, phi);
         }, 4.0, 4, {"phi4z-conv", "Latitude failed to converge"}},
        // clang-format on
    };
    for (const Case& c : cases) {
        int flag = 0;
        EXPECT_EQ(c.run(flag), c.result) << c.log[0];
        EXPECT_EQ(flag, c.flag) << c.log[0];
        EXPECT_EQ(TakeLog(), c.log);
    }
}

} // namespace
