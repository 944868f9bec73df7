// Goode's homolosine on the sphere, interrupted over the oceans: two northern and four southern
// lobes, each sinusoidal near the equator and Mollweide beyond the latitude where both scales
// agree, the Mollweide part moved to meet the sinusoidal one.
#include "projections/kovGood.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 51;
constexpr double SplitLatitude = 0.710987989993; // 40 deg 44' 11.8"
constexpr double MollweideShift = 0.0528035274542;
constexpr double MollweideXScale = 2.0 * SQRT2 / PI;

struct Lobe {
    double Centre, West, East; // radians; the lobe covers [West, East)
};

// Northern lobes, then southern; the last lobe of each row also takes its eastern edge.
constexpr double Deg = PI / 180.0;
const Lobe NorthLobes[] = {{-1.74532925199, -PI, -40 * Deg}, {0.523598775598, -40 * Deg, PI}};
const Lobe SouthLobes[] = {{-2.79252680319, -PI, -100 * Deg},
                           {-1.0471975512, -100 * Deg, -20 * Deg},
                           {0.349065850399, -20 * Deg, 80 * Deg},
                           {2.44346095279, 80 * Deg, PI}};

double R = 0;

template <size_t N> const Lobe& LobeOfLongitude(const Lobe (&lobes)[N], double lon) {
    for (size_t i = 0; i + 1 < N; ++i)
        if (lon < lobes[i].East) return lobes[i];
    return lobes[N - 1];
}

bool InsideLobe(const Lobe& lobe, double lon, bool lastOfRow) {
    return lon >= lobe.West - EPSLN && (lon < lobe.East || (lastOfRow && lon <= lobe.East + EPSLN));
}

} // namespace

int GoodSetup(const ProjectionSetup& s) {
    R = s.Radius;
    ReportRadius(R);
    return OK;
}

int GoodForward(double lon, double lat, double& x, double& y) {
    const bool north = lat >= 0;
    const Lobe& lobe = north ? LobeOfLongitude(NorthLobes, lon) : LobeOfLongitude(SouthLobes, lon);
    const double dlon = AdjustLon(lon - lobe.Centre);
    if (std::fabs(lat) < SplitLatitude) {
        x = R * (lobe.Centre + dlon * std::cos(lat));
        y = R * lat;
        return OK;
    }
    double theta;
    if (!AuxiliaryAngle(lat, PI, MaxSteps, theta)) {
        ReportProjectionError(251, 251);
        return 251;
    }
    x = R * (lobe.Centre + MollweideXScale * dlon * std::cos(theta));
    y = R * (SQRT2 * std::sin(theta) - MollweideShift * (north ? 1.0 : -1.0));
    return OK;
}

int GoodInverse(double x, double y, double& lon, double& lat) {
    const double xx = x / R, yy = y / R;
    const bool north = yy >= 0;
    // On the equator x in radii is the longitude, and the lobes meet there at their edges.
    const Lobe& lobe = north ? LobeOfLongitude(NorthLobes, xx) : LobeOfLongitude(SouthLobes, xx);
    const bool last = &lobe == (north ? &NorthLobes[1] : &SouthLobes[3]);
    if (std::fabs(yy) < SplitLatitude) {
        lat = yy;
        lon = lobe.Centre + (xx - lobe.Centre) / std::cos(lat);
    } else {
        const double arg = (yy + MollweideShift * (north ? 1.0 : -1.0)) / SQRT2;
        if (std::fabs(arg) > 1.0) return IN_BREAK;
        const double theta = std::asin(arg);
        const double cosTheta = std::cos(theta);
        lon = std::fabs(cosTheta) > EPSLN
                  ? lobe.Centre + (xx - lobe.Centre) / (MollweideXScale * cosTheta)
                  : lobe.Centre;
        lat = Asinz((2.0 * theta + std::sin(2.0 * theta)) / PI);
    }
    lon = OntoLobe(lon, lat, lobe.West, lobe.East, last, R);
    if (!InsideLobe(lobe, lon, last)) return IN_BREAK;
    return OK;
}
