// Polar stereographic: the pole from the sign of the latitude of true scale; scale 1 at the
// pole when that latitude is the pole itself.
#include "projections/kovPs.h"

#include <cmath>

namespace {

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, E, E4, Fac, Mcs, Tcs;
    bool TrueScaleOffPole;
} S;

} // namespace

int PsSetup(const ProjectionSetup& s) {
    const double latTrueScale = s.P[5];
    S.RMajor = s.Major;
    S.LonCenter = s.P[4];
    S.FalseEasting = s.FalseEasting;
    S.FalseNorthing = s.FalseNorthing;
    S.E = std::sqrt(EccentricitySquared(s));
    S.E4 = E4fn(S.E);
    S.Fac = latTrueScale < 0 ? -1.0 : 1.0;
    S.TrueScaleOffPole = std::fabs(std::fabs(latTrueScale) - HALF_PI) > EPSLN;
    if (S.TrueScaleOffPole) {
        const double con1 = S.Fac * latTrueScale;
        const double sinPhi = std::sin(con1);
        S.Mcs = Msfnz(S.E, sinPhi, std::cos(con1));
        S.Tcs = Tsfnz(S.E, con1, sinPhi);
    }
    ReportAxes(s.Major, s.Minor);
    ReportCenterLon(S.LonCenter);
    ReportFalseOrigin(S.FalseEasting, S.FalseNorthing);
    return OK;
}

int PsForward(double lon, double lat, double& x, double& y) {
    const double con1 = S.Fac * AdjustLon(lon - S.LonCenter);
    const double con2 = S.Fac * lat;
    // The pole opposite the projection's own, as the stereographic refuses its antipode.
    if (1.0 + std::sin(con2) <= EPSLN) {
        ReportProjectionError(103, 103);
        return 103;
    }
    const double ts = Tsfnz(S.E, con2, std::sin(con2));
    const double rh =
        S.TrueScaleOffPole ? S.RMajor * S.Mcs * ts / S.Tcs : 2.0 * S.RMajor * ts / S.E4;
    if (con2 < 0.0 && PastFarPoleRounding(rh, 1.0, HALF_PI + con2, 103))
        return PointCannotBeProjected;
    x = S.Fac * rh * std::sin(con1) + S.FalseEasting;
    y = -S.Fac * rh * std::cos(con1) + S.FalseNorthing;
    return OK;
}

int PsInverse(double x, double y, double& lon, double& lat) {
    x = (x - S.FalseEasting) * S.Fac;
    y = (y - S.FalseNorthing) * S.Fac;
    const double rh = std::sqrt(x * x + y * y);
    const double ts =
        S.TrueScaleOffPole ? rh * S.Tcs / (S.RMajor * S.Mcs) : rh * S.E4 / (S.RMajor * 2.0);
    int flag = 0;
    const double phi = phi2z(S.E, ts, flag);
    if (flag != 0) return flag;
    lat = S.Fac * phi;
    lon = rh == 0 ? S.Fac * S.LonCenter : AdjustLon(S.Fac * std::atan2(x, -y) + S.LonCenter);
    return OK;
}
