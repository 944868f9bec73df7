// Equidistant conic: meridians true to scale; parameter [8] chooses one standard parallel (0)
// or two.
#include "projections/kovEqcon.h"

#include <cmath>

namespace {

// The most the series may put a point off before the set-up refuses the ellipsoid: the rest of
// the metre is for the terms beyond those it reckons with.
constexpr double SeriesMissLimit = 0.8;

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, E0, E1, E2, E3, Ns, G, Rh;
} Q;

// What the meridian series leave out, the terms of the eighth power of the eccentricity, as a
// part of the major axis at a latitude.
double LeftOutMeridianTerms(double es, double lat) {
    const double e8 = es * es * es * es;
    return -e8 * (175.0 / 16384 * lat + 105.0 / 4096 * std::sin(2 * lat) -
                  525.0 / 16384 * std::sin(4 * lat) + 175.0 / 12288 * std::sin(6 * lat) -
                  315.0 / 131072 * std::sin(8 * lat));
}

constexpr double BoundStep = 7.5 * D2R;

// How far, in metres, the series put any point of this cone off: they shift its apex and the
// origin's radius, and the two parallels' distances give the cone constant, whose error turns
// a point on the far meridian by half a turn times it. On a flattened ellipsoid a pair of
// parallels may turn the far pole metres off where another pair keeps it to the centimetre.
double SeriesMiss(double es, double lat1, double lat2, bool secant, double ml1, double ml2,
                  double ms1, double lat0) {
    const double d1 = LeftOutMeridianTerms(es, lat1);
    const double dns = secant ? -Q.Ns * (LeftOutMeridianTerms(es, lat2) - d1) / (ml2 - ml1) : 0.0;
    const double dg = d1 - ms1 * dns / (Q.Ns * Q.Ns);
    const double originShift = std::fabs(dg - LeftOutMeridianTerms(es, lat0));
    double worst = 0.0;
    for (double lat = -HALF_PI; lat <= HALF_PI + EPSLN; lat += BoundStep) {
        const double rh = Q.G - Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat);
        worst = std::fmax(worst, std::fabs(dg - LeftOutMeridianTerms(es, lat)) + originShift +
                                     std::fabs(rh * PI * dns));
    }
    return Q.RMajor * worst;
}

} // namespace

int EqconSetup(const ProjectionSetup& s) {
    double lat1 = s.P[2], lat2 = s.P[3];
    const double lat0 = s.P[5];
    const bool twoParallels = s.P[8] != 0.0;
    if (twoParallels && std::fabs(lat1 + lat2) < EPSLN) {
        ReportProjectionError(81, 81);
        return 81;
    }
    const bool secant = twoParallels && SecantParallels(lat1, lat2);
    const double es = EccentricitySquared(s);
    const double e = std::sqrt(es);
    Q.RMajor = s.Major;
    Q.LonCenter = s.P[4];
    Q.FalseEasting = s.FalseEasting;
    Q.FalseNorthing = s.FalseNorthing;
    Q.E0 = E0fn(es);
    Q.E1 = E1fn(es);
    Q.E2 = E2fn(es);
    Q.E3 = E3fn(es);
    const double sin1 = std::sin(lat1);
    const double ms1 = Msfnz(e, sin1, std::cos(lat1));
    const double ml1 = Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat1);
    Q.Ns = sin1;
    double ml2 = ml1;
    if (secant) {
        const double sin2 = std::sin(lat2);
        const double ms2 = Msfnz(e, sin2, std::cos(lat2));
        ml2 = Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat2);
        Q.Ns = (ms1 - ms2) / (ml2 - ml1);
    }
    // One standard parallel on the equator, or as good as on it, makes the cone a cylinder:
    // its apex is infinitely far, or too far for a map coordinate to hold the metre.
    if (!(std::fabs(Q.Ns) >= FlatConeLimit)) {
        ReportProjectionError(81, 81);
        return 81;
    }
    Q.G = ml1 + ms1 / Q.Ns;
    Q.Rh = Q.RMajor * (Q.G - Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat0));
    if (!(SeriesMiss(es, lat1, lat2, secant, ml1, ml2, ms1, lat0) <= SeriesMissLimit)) {
        ReportProjectionError(81, IllegalSpheroid, s.Spheroid);
        return IllegalSpheroid;
    }
    ReportAxes(s.Major, s.Minor);
    if (twoParallels)
        ReportStdParallels(s.P[2], s.P[3]);
    else
        ReportStdParallel(s.P[2]);
    ReportCentralMeridian(Q.LonCenter);
    ReportOrigin(lat0);
    ReportFalseOrigin(Q.FalseEasting, Q.FalseNorthing);
    return OK;
}

int EqconForward(double lon, double lat, double& x, double& y) {
    const double rh1 = Q.RMajor * (Q.G - Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat));
    const double theta = Q.Ns * AdjustLon(lon - Q.LonCenter);
    x = Q.FalseEasting + rh1 * std::sin(theta);
    y = Q.FalseNorthing + Q.Rh - rh1 * std::cos(theta);
    return OK;
}

int EqconInverse(double x, double y, double& lon, double& lat) {
    double rh1, theta;
    ConePolar(x - Q.FalseEasting, y - Q.FalseNorthing, Q.Rh, Q.Ns, rh1, theta);
    if (OutsideCone(rh1, theta, Q.Ns, 81)) return InputDataError;
    // A pole's own point comes back a rounding past it, where the meridian distance has no
    // latitude: within a metre it is the pole.
    double ml = Q.G - rh1 / Q.RMajor;
    const double pole = Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, HALF_PI);
    if (std::fabs(ml) > pole && (std::fabs(ml) - pole) * Q.RMajor <= RoundTripTolerance)
        ml = std::copysign(pole, ml);
    int flag = 0;
    const double phi = phi3z(ml, Q.E0, Q.E1, Q.E2, Q.E3, flag);
    if (flag != 0) return flag;
    lat = phi;
    lon = AdjustLon(Q.LonCenter + theta / Q.Ns);
    return OK;
}
