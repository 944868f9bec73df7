// Lambert conformal conic: one or two standard parallels, the inverse latitude through the
// conformal iteration.
#include "projections/kovLamcc.h"

#include <cmath>

namespace {

// An origin nearer than this (three and a half arc minutes) to the pole the cone opens away
// from lies so far from the apex that a rounding of its latitude moves the whole map by metres;
// at the pole itself it lies at infinity.
constexpr double OppositePoleTolerance = 1e-3;

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, E, Ns, F0, Rh;
} L;

} // namespace

int LamccSetup(const ProjectionSetup& s) {
    double lat1 = s.P[2], lat2 = s.P[3];
    const double lat0 = s.P[5];
    const int tag = s.Forward ? 41 : 42;
    if (std::fabs(lat1 + lat2) < EPSLN) {
        ReportProjectionError(tag, 41);
        return 41;
    }
    const bool secant = SecantParallels(lat1, lat2);
    L.RMajor = s.Major;
    L.LonCenter = s.P[4];
    L.FalseEasting = s.FalseEasting;
    L.FalseNorthing = s.FalseNorthing;
    L.E = std::sqrt(EccentricitySquared(s));
    const double sin1 = std::sin(lat1);
    const double ms1 = Msfnz(L.E, sin1, std::cos(lat1)), ts1 = Tsfnz(L.E, lat1, sin1);
    const double sin2 = std::sin(lat2);
    const double ms2 = Msfnz(L.E, sin2, std::cos(lat2)), ts2 = Tsfnz(L.E, lat2, sin2);
    const double ts0 = Tsfnz(L.E, lat0, std::sin(lat0));
    L.Ns = secant ? std::log(ms1 / ms2) / std::log(ts1 / ts2) : sin1;
    L.F0 = ms1 / (L.Ns * std::pow(ts1, L.Ns));
    L.Rh = L.RMajor * L.F0 * std::pow(ts0, L.Ns);
    // Parallels this close to the equator make the cone a cylinder, just as parallels
    // opposite each other do: its apex is nowhere a map coordinate holds the metre.
    if (!(std::fabs(L.Ns) >= FlatConeLimit) || !std::isfinite(L.F0) || !std::isfinite(L.Rh)) {
        ReportProjectionError(tag, 41);
        return 41;
    }
    if (lat0 * L.Ns < 0 && std::fabs(lat0) > HALF_PI - OppositePoleTolerance) {
        ReportProjectionError(tag, InputDataError);
        return InputDataError;
    }
    ReportConicSetup(s);
    return OK;
}

int LamccForward(double lon, double lat, double& x, double& y) {
    double rh1 = 0.0;
    if (std::fabs(std::fabs(lat) - HALF_PI) > EPSLN) {
        rh1 = L.RMajor * L.F0 * std::pow(Tsfnz(L.E, lat, std::sin(lat)), L.Ns);
        if (lat * L.Ns < 0.0 && PastFarPoleRounding(rh1, L.Ns, HALF_PI - std::fabs(lat), 41))
            return PointCannotBeProjected;
    } else if (lat * L.Ns <= 0) {
        ReportProjectionError(41, 44);
        return 44;
    }
    const double theta = L.Ns * AdjustLon(lon - L.LonCenter);
    x = rh1 * std::sin(theta) + L.FalseEasting;
    y = L.Rh - rh1 * std::cos(theta) + L.FalseNorthing;
    return OK;
}

int LamccInverse(double x, double y, double& lon, double& lat) {
    double rh1, theta;
    ConePolar(x - L.FalseEasting, y - L.FalseNorthing, L.Rh, L.Ns, rh1, theta);
    if (OutsideCone(rh1, theta, L.Ns, 42)) return InputDataError;
    double phi = -HALF_PI;
    if (rh1 != 0 || L.Ns > 0) {
        int flag = 0;
        phi = phi2z(L.E, std::pow(rh1 / (L.RMajor * L.F0), 1.0 / L.Ns), flag);
        if (flag != 0) return flag;
    }
    lat = phi;
    lon = AdjustLon(theta / L.Ns + L.LonCenter);
    return OK;
}
