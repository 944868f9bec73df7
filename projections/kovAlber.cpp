// Albers conical equal-area: the cone constant from the two standard parallels' authalic values,
// the inverse latitude through the authalic iteration.
#include "projections/kovAlber.h"

#include <cmath>

namespace {

// Within this of q at the pole, q falls with the square of the distance from the pole, where
// Newton's steps on it settle slowly; there the distance comes from the square root.
constexpr double PoleQsReach = 1e-8;

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, Es, E3, Ns0, C, Rh;
} A;

} // namespace

int AlberSetup(const ProjectionSetup& s) {
    double lat1 = s.P[2], lat2 = s.P[3];
    const double lat0 = s.P[5];
    if (std::fabs(lat1 + lat2) < EPSLN) {
        ReportProjectionError(s.Forward ? 31 : 32, 31);
        return 31;
    }
    const bool secant = SecantParallels(lat1, lat2);
    A.RMajor = s.Major;
    A.LonCenter = s.P[4];
    A.FalseEasting = s.FalseEasting;
    A.FalseNorthing = s.FalseNorthing;
    A.Es = EccentricitySquared(s);
    A.E3 = std::sqrt(A.Es);
    const double sin1 = std::sin(lat1), cos1 = std::cos(lat1);
    const double ms1 = Msfnz(A.E3, sin1, cos1), qs1 = Qsfnz(A.E3, sin1, cos1);
    const double sin2 = std::sin(lat2), cos2 = std::cos(lat2);
    const double ms2 = Msfnz(A.E3, sin2, cos2), qs2 = Qsfnz(A.E3, sin2, cos2);
    const double qs0 = Qsfnz(A.E3, std::sin(lat0), std::cos(lat0));
    A.Ns0 = secant ? (ms1 * ms1 - ms2 * ms2) / (qs2 - qs1) : sin1;
    A.C = ms1 * ms1 + A.Ns0 * qs1;
    A.Rh = A.RMajor * std::sqrt(A.C - A.Ns0 * qs0) / A.Ns0;
    // Parallels this close to the equator make the cone a cylinder, just as parallels
    // opposite each other do: its apex is nowhere a map coordinate holds the metre.
    if (!(std::fabs(A.Ns0) >= FlatConeLimit) || !std::isfinite(A.Rh)) {
        ReportProjectionError(s.Forward ? 31 : 32, 31);
        return 31;
    }
    ReportConicSetup(s);
    return OK;
}

int AlberForward(double lon, double lat, double& x, double& y) {
    const double qs = Qsfnz(A.E3, std::sin(lat), std::cos(lat));
    const double rh1 = A.RMajor * std::sqrt(A.C - A.Ns0 * qs) / A.Ns0;
    const double theta = A.Ns0 * AdjustLon(lon - A.LonCenter);
    x = rh1 * std::sin(theta) + A.FalseEasting;
    y = A.Rh - rh1 * std::cos(theta) + A.FalseNorthing;
    return OK;
}

int AlberInverse(double x, double y, double& lon, double& lat) {
    double rh1, theta;
    ConePolar(x - A.FalseEasting, y - A.FalseNorthing, A.Rh, A.Ns0, rh1, theta);
    if (OutsideCone(rh1, theta, A.Ns0, UntaggedRoutine)) return InputDataError;
    const double con = rh1 * A.Ns0 / A.RMajor;
    const double qs = (A.C - con * con) / A.Ns0;
    int flag = 0;
    double phi;
    if (A.E3 >= 1e-10) {
        const double polar =
            1.0 - 0.5 * (1.0 - A.Es) * std::log((1.0 - A.E3) / (1.0 + A.E3)) / A.E3;
        // Near the pole q_pole - q is 2 (1 - sin lat) / (1 - e^2) to within its square: the
        // published snap onto the pole within 1e-10 of q placed points up to 64 m off. Past
        // the pole by more than a metre's worth of q no latitude has the point's q, and the
        // iteration reports that.
        const double fromPole = std::fabs(polar) - std::fabs(qs);
        const double qPerMetre = 2.0 * std::fabs(rh1 * A.Ns0) / (A.RMajor * A.RMajor);
        if (fromPole > PoleQsReach || fromPole < -qPerMetre * RoundTripTolerance) {
            phi = phi1z(A.E3, qs, flag);
        } else {
            phi = HALF_PI - std::sqrt(std::fmax(0.0, fromPole) * (1.0 - A.Es));
            if (qs < 0) phi = -phi;
        }
    } else {
        // On the sphere q is twice the sine of the latitude, whose arcsine clamps a point past
        // a pole onto it.
        if (std::fabs(qs) - 2.0 >
            2.0 * std::fabs(rh1 * A.Ns0) / (A.RMajor * A.RMajor) * RoundTripTolerance) {
            ReportProjectionError(UntaggedRoutine, InputDataError);
            return InputDataError;
        }
        phi = phi1z(A.E3, qs, flag);
    }
    if (flag != 0) return flag;
    lat = phi;
    lon = AdjustLon(theta / A.Ns0 + A.LonCenter);
    return OK;
}
