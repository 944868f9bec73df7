// Polyconic: every parallel a circle true to scale; the inverse solves for the latitude by
// Newton's method.
#include "projections/kovPoly.h"

#include <cmath>

namespace {

constexpr double EquatorTolerance = 1e-7;

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, Es, E, E0, E1, E2, E3, Ml0;
} P;

} // namespace

int PolySetup(const ProjectionSetup& s) {
    const double latOrigin = s.P[5];
    P.RMajor = s.Major;
    P.LonCenter = s.P[4];
    P.FalseEasting = s.FalseEasting;
    P.FalseNorthing = s.FalseNorthing;
    P.Es = EccentricitySquared(s);
    P.E = std::sqrt(P.Es);
    P.E0 = E0fn(P.Es);
    P.E1 = E1fn(P.Es);
    P.E2 = E2fn(P.Es);
    P.E3 = E3fn(P.Es);
    P.Ml0 = Mlfn(P.E0, P.E1, P.E2, P.E3, latOrigin);
    ReportAxes(s.Major, s.Minor);
    ReportCentralMeridian(P.LonCenter);
    ReportOrigin(latOrigin);
    ReportFalseOrigin(P.FalseEasting, P.FalseNorthing);
    return OK;
}

int PolyForward(double lon, double lat, double& x, double& y) {
    double con = AdjustLon(lon - P.LonCenter);
    if (std::fabs(lat) <= EquatorTolerance) {
        x = P.FalseEasting + P.RMajor * con;
        y = P.FalseNorthing - P.RMajor * P.Ml0;
        return OK;
    }
    const double sinPhi = std::sin(lat);
    const double ml = Mlfn(P.E0, P.E1, P.E2, P.E3, lat);
    const double ms = Msfnz(P.E, sinPhi, std::cos(lat));
    con *= sinPhi;
    x = P.FalseEasting + P.RMajor * ms * std::sin(con) / sinPhi;
    y = P.FalseNorthing + P.RMajor * (ml - P.Ml0 + ms * (1.0 - std::cos(con)) / sinPhi);
    return OK;
}

int PolyInverse(double x, double y, double& lon, double& lat) {
    x -= P.FalseEasting;
    y -= P.FalseNorthing;
    const double al = P.Ml0 + y / P.RMajor;
    if (std::fabs(al) <= EquatorTolerance) {
        lon = x / P.RMajor + P.LonCenter;
        lat = 0.0;
        return OK;
    }
    const double b = al * al + (x / P.RMajor) * (x / P.RMajor);
    double c = 0.0, phi = 0.0;
    const int status = static_cast<int>(phi4z(P.Es, P.E0, P.E1, P.E2, P.E3, al, b, c, phi));
    if (status != OK) return status;
    lat = phi;
    lon = AdjustLon(Asinz(x * c / P.RMajor) / std::sin(phi) + P.LonCenter);
    return OK;
}
