// The numerical support routines of the projection library: packed angles, the meridional
// distance series, the latitude iterations, longitude wrapping, spheroids and unit factors.
#include "projections/kovGlobal.h"

#include "runtime/RtNumbers.h"

#include <cmath>
#include <limits>

namespace {

constexpr int Phi1zMaxSteps = 25;
constexpr double Phi1zTolerance = 1e-7;
constexpr int Phi2zMaxSteps = 16;
constexpr int Phi3zMaxSteps = 15;
constexpr int Phi4zMaxSteps = 15;
constexpr double LatitudeTolerance = 1e-10;
constexpr double QsfnzSphereLimit = 1e-7;
constexpr double SphereRadius = 6370997.0;

} // namespace

const std::array<Spheroid, SpheroidCount> SpheroidTable = {{
    {"Clarke 1866", 6378206.4, 6356583.8},
    {"Clarke 1880", 6378249.145, 6356514.86955},
    {"Bessel", 6377397.155, 6356078.96284},
    {"International 1967", 6378157.5, 6356772.2},
    {"International 1909", 6378388.0, 6356911.94613},
    {"WGS 72", 6378135.0, 6356750.519915},
    {"Everest", 6377276.3452, 6356075.4133},
    {"WGS 66", 6378145.0, 6356759.769356},
    {"GRS 1980", 6378137.0, 6356752.31414},
    {"Airy", 6377563.396, 6356256.91},
    {"Modified Everest", 6377304.063, 6356103.039},
    {"Modified Airy", 6377340.189, 6356034.448},
    {"WGS 84", 6378137.0, 6356752.314245},
    {"Southeast Asia", 6378155.0, 6356773.3205},
    {"Australian National", 6378160.0, 6356774.719},
    {"Krassovsky", 6378245.0, 6356863.0188},
    {"Hough", 6378270.0, 6356794.343479},
    {"Mercury 1960", 6378166.0, 6356784.283666},
    {"Modified Mercury 1968", 6378150.0, 6356768.337303},
    {"Sphere of radius 6370997 meters", SphereRadius, SphereRadius},
}};

// Row: input unit, column: output unit; 0.0 marks a pair with no factor.
const double UnitFactorTable[UnitCount][UnitCount] = {
    {1.0, 0.0, 0.0, 206264.8062470963, 57.29577951308231, 0.0},
    {0.0, 1.0, 0.3048006096012192, 0.0, 0.0, 1.000002000004},
    {0.0, 3.280833333333333, 1.0, 0.0, 0.0, 3.280839895013124},
    {4.84813681109536e-06, 0.0, 0.0, 1.0, 0.00027777777777778, 0.0},
    {0.0174532925199433, 0.0, 0.0, 3600.0, 1.0, 0.0},
    {0.0, 0.999998, 0.3048, 0.0, 0.0, 1.0},
};

int untfz(int inUnit, int outUnit, double& factor) {
    if (inUnit < 0 || inUnit > MAXUNIT || outUnit < 0 || outUnit > MAXUNIT) {
        ReportProjectionError(5, 5);
        return 5;
    }
    factor = UnitFactorTable[inUnit][outUnit];
    if (factor == 0.0) {
        ReportProjectionError(1101, 1101, inUnit, outUnit);
        return 1101;
    }
    return OK;
}

std::string UnitCodeName(int code) {
    static const char* const names[] = {"radians",
                                        "feet",
                                        "meters",
                                        "arc seconds",
                                        "arc degrees",
                                        "international feet",
                                        "state zone table units"};
    if (code < 0 || code > 6) return "unknown units";
    return names[code];
}

void SelectSpheroid(int code, const ProjectionParameterBlock& block, double& major, double& minor,
                    double& radius) {
    if (code >= 0) {
        int index = code;
        if (index >= SpheroidCount) {
            ReportProjectionError(0, 0);
            index = 0;
        }
        major = SpheroidTable[index].Major;
        minor = SpheroidTable[index].Minor;
        radius = SphereRadius;
        return;
    }
    const double a = std::fabs(block[0]);
    const double b = std::fabs(block[1]);
    if (a > 0.0) {
        major = radius = a;
        if (b > 1.0)
            minor = b;
        else if (b > 0.0)
            minor = std::sqrt(1.0 - b) * a;
        else
            minor = a;
    } else if (b > 0.0) {
        major = radius = SpheroidTable[0].Major;
        minor = SpheroidTable[0].Minor;
    } else {
        major = radius = minor = SphereRadius;
    }
}

int CalcUtmZone(double lonDegrees) {
    // The formula puts the antimeridian itself in a zone 61 that does not exist. West of the
    // antimeridian it would give zone 0 and then negative numbers, which the hemisphere's sign
    // turns into real zones; zone 0 is refused like the zones past 60.
    if (lonDegrees == 180.0) return 60;
    if (!(lonDegrees >= -180.0)) return 0;
    return static_cast<int>(Trunc((lonDegrees + 180.0) / 6.0 + 1.0));
}

double GroundMiss(double radius, double lon1, double lat1, double lon2, double lat2) {
    const double east = AdjustLon(lon2 - lon1) * std::cos(0.5 * (lat1 + lat2));
    return radius * std::hypot(east, lat2 - lat1);
}

bool RoundedInteger(double value, int& rounded) {
    const double r = std::nearbyint(value);
    // Written as "not past" so that a NaN is refused too.
    if (!(std::fabs(r) <= std::numeric_limits<int>::max())) return false;
    rounded = static_cast<int>(r);
    return true;
}

double paksz(double packed, int& flag) {
    flag = 0;
    const double sign = packed < 0.0 ? -1.0 : 1.0;
    double v = std::fabs(packed);
    const double deg = std::trunc(v / 1000000.0);
    // Written as "not within" so that a NaN field is refused too.
    if (!(deg <= 360.0)) {
        ReportProjectionError(1116, 1116);
        flag = 1116;
        return ERROR;
    }
    v -= deg * 1000000.0;
    const double min = std::trunc(v / 1000.0);
    if (min > 60.0) {
        ReportProjectionError(1117, 1116);
        flag = 1116;
        return ERROR;
    }
    const double sec = v - min * 1000.0;
    if (sec > 60.0) {
        ReportProjectionError(1118, 1116);
        flag = 1116;
        return ERROR;
    }
    return sign * (deg * 3600.0 + min * 60.0 + sec) / 3600.0;
}

double Pakcz(double packed) {
    double v = std::fabs(packed);
    const double deg = std::trunc(v / 10000.0 + 0.001);
    v -= deg * 10000.0;
    const double min = std::trunc(v / 100.0 + 0.001);
    const double sec = v - min * 100.0;
    const double result = deg * 1000000.0 + min * 1000.0 + sec;
    return packed < 0.0 ? -result : result;
}

double Asinz(double x) {
    if (std::fabs(x) > 1.0) x = x > 1.0 ? 1.0 : -1.0;
    return std::asin(x);
}

double Msfnz(double eccent, double sinPhi, double cosPhi) {
    const double con = eccent * sinPhi;
    return cosPhi / std::sqrt(1.0 - con * con);
}

double Qsfnz(double eccent, double sinPhi, double cosPhi) {
    if (eccent > QsfnzSphereLimit) {
        const double con = eccent * sinPhi;
        return (1.0 - eccent * eccent) *
               (sinPhi / (1.0 - con * con) - (0.5 / eccent) * std::log((1.0 - con) / (1.0 + con)));
    }
    return 2.0 * sinPhi;
}

double Tsfnz(double eccent, double phi, double sinPhi) {
    const double con = eccent * sinPhi;
    return std::tan(0.5 * (HALF_PI - phi)) / std::pow((1.0 - con) / (1.0 + con), 0.5 * eccent);
}

int Sign(double x) {
    return x >= 0.0 ? 1 : -1;
}

double AdjustLon(double x) {
    if (std::isnan(x) || std::fabs(x) <= PI) return x;
    // The remainder is exact for any magnitude, where a count of turns would overflow.
    x = std::remainder(x, TWO_PI);
    if (x > PI) x -= TWO_PI;
    return x;
}

double E0fn(double x) {
    return 1.0 - 0.25 * x * (1.0 + x / 16.0 * (3.0 + 1.25 * x));
}

double E1fn(double x) {
    return 0.375 * x * (1.0 + 0.25 * x * (1.0 + 0.46875 * x));
}

double E2fn(double x) {
    return 0.05859375 * x * x * (1.0 + 0.75 * x);
}

double E3fn(double x) {
    return x * x * x * (35.0 / 3072.0);
}

double E4fn(double e) {
    const double con = 1.0 + e;
    const double com = 1.0 - e;
    return std::sqrt(std::pow(con, con) * std::pow(com, com));
}

void MultipleSines(double phi, double& s2, double& s4, double& s6) {
    s2 = std::sin(2.0 * phi);
    const double c2 = std::cos(2.0 * phi);
    s4 = 2.0 * s2 * c2;
    s6 = s2 * (3.0 - 4.0 * s2 * s2);
}

double Mlfn(double e0, double e1, double e2, double e3, double phi, double sinPhi, double cosPhi) {
    const double s2 = 2.0 * sinPhi * cosPhi;
    const double c2 = cosPhi * cosPhi - sinPhi * sinPhi;
    return e0 * phi - e1 * s2 + e2 * (2.0 * s2 * c2) - e3 * (s2 * (3.0 - 4.0 * s2 * s2));
}

double Mlfn(double e0, double e1, double e2, double e3, double phi) {
    double s2, s4, s6;
    MultipleSines(phi, s2, s4, s6);
    return e0 * phi - e1 * s2 + e2 * s4 - e3 * s6;
}

double phi1z(double eccent, double qs, int& flag) {
    double phi = Asinz(0.5 * qs);
    if (eccent < EPSLN) return phi;
    const double eccnts = eccent * eccent;
    for (int i = 1; i <= Phi1zMaxSteps; ++i) {
        const double sinphi = std::sin(phi);
        const double cosphi = std::cos(phi);
        const double con = eccent * sinphi;
        const double com = 1.0 - con * con;
        const double dphi = 0.5 * com * com / cosphi *
                            (qs / (1.0 - eccnts) - sinphi / com +
                             0.5 / eccent * std::log((1.0 - con) / (1.0 + con)));
        phi += dphi;
        if (std::fabs(dphi) <= Phi1zTolerance) return phi;
    }
    ReportProjectionError(1, 2);
    flag = 1;
    return ERROR;
}

double phi2z(double eccent, double ts, int& flag) {
    flag = 0;
    const double eccnth = 0.5 * eccent;
    double phi = HALF_PI - 2.0 * std::atan(ts);
    for (int i = 0; i < Phi2zMaxSteps; ++i) {
        const double con = eccent * std::sin(phi);
        const double dphi =
            HALF_PI - 2.0 * std::atan(ts * std::pow((1.0 - con) / (1.0 + con), eccnth)) - phi;
        phi += dphi;
        if (std::fabs(dphi) <= LatitudeTolerance) return phi;
    }
    ReportProjectionError(2, 2);
    flag = 2;
    return 2.0;
}

double phi3z(double ml, double e0, double e1, double e2, double e3, int& flag) {
    double phi = ml;
    for (int i = 0; i < Phi3zMaxSteps; ++i) {
        double s2, s4, s6;
        MultipleSines(phi, s2, s4, s6);
        const double dphi = (ml + e1 * s2 - e2 * s4 + e3 * s6) / e0 - phi;
        phi += dphi;
        if (std::fabs(dphi) <= LatitudeTolerance) {
            flag = 0;
            return phi;
        }
    }
    ReportProjectionError(3, 3);
    flag = 3;
    return 3.0;
}

bool Phi4zSteps(double es, double e0, double e1, double e2, double e3, double a, double b,
                double& c, double& phi) {
    phi = a;
    for (int i = 0; i < Phi4zMaxSteps; ++i) {
        const double sinphi = std::sin(phi);
        const double tanphi = std::tan(phi);
        c = tanphi * std::sqrt(1.0 - es * sinphi * sinphi);
        const double sin2ph = std::sin(2.0 * phi);
        const double ml =
            e0 * phi - e1 * sin2ph + e2 * std::sin(4.0 * phi) - e3 * std::sin(6.0 * phi);
        const double mlp = e0 - 2.0 * e1 * std::cos(2.0 * phi) + 4.0 * e2 * std::cos(4.0 * phi) -
                           6.0 * e3 * std::cos(6.0 * phi);
        const double con1 = 2.0 * ml + c * (ml * ml + b) - 2.0 * a * (c * ml + 1.0);
        const double con2 = es * sin2ph * (ml * ml + b - 2.0 * a * ml) / (2.0 * c);
        const double con3 = 2.0 * (a - ml) * (c * mlp - 2.0 / sin2ph) - 2.0 * mlp;
        const double dphi = con1 / (con2 + con3);
        phi += dphi;
        if (std::fabs(dphi) <= LatitudeTolerance) return true;
    }
    return false;
}

double phi4z(double es, double e0, double e1, double e2, double e3, double a, double b, double& c,
             double& phi) {
    if (Phi4zSteps(es, e0, e1, e2, e3, a, b, c, phi)) return 0.0;
    ReportProjectionError(4, 4);
    return 4.0;
}
