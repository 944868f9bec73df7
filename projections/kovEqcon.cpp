// Equidistant conic: meridians true to scale; parameter [8] chooses one standard parallel (0)
// or two.
#include "projections/kovEqcon.h"

#include <cmath>

namespace {

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, E0, E1, E2, E3, Ns, G, Rh;
} Q;

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
    if (secant) {
        const double sin2 = std::sin(lat2);
        const double ms2 = Msfnz(e, sin2, std::cos(lat2));
        const double ml2 = Mlfn(Q.E0, Q.E1, Q.E2, Q.E3, lat2);
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
