// Polyconic: every parallel a circle true to scale; the inverse solves for the latitude by
// Newton's method, or, where that does not settle on the point's own parallel, by bisection
// between the parallels where the circle equation changes sign.
#include "projections/kovPoly.h"

#include <cmath>

namespace {

// Below this latitude the sine quotients are taken at their limit on the equator.
constexpr double EquatorTolerance = 1e-100;
// The latitude steps the bisection starts from, and its steps.
constexpr int LatitudeBands = 90;
constexpr int BisectionSteps = 100;
// A longitude this far past a half turn from the meridian is rounding.
constexpr double HalfTurnSlack = 1e-12;

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, Es, E, E0, E1, E2, E3, Ml0;
} P;

// The place of a point relative to the origin, in units of the major axis.
void Place(double dlon, double lat, double& x, double& y) {
    if (std::fabs(lat) <= EquatorTolerance) {
        x = dlon;
        y = -P.Ml0;
        return;
    }
    const double sinPhi = std::sin(lat);
    const double ml = Mlfn(P.E0, P.E1, P.E2, P.E3, lat);
    const double ms = Msfnz(P.E, sinPhi, std::cos(lat));
    const double con = dlon * sinPhi;
    const double halfSine = std::sin(0.5 * con);
    // 1 - cos(con) as twice the half angle's sine squared: near the equator the difference
    // kept none of its digits.
    x = ms * std::sin(con) / sinPhi;
    y = ml - P.Ml0 + ms * 2.0 * halfSine * halfSine / sinPhi;
}

// The circle equation of the parallel at lat through the point (x, al) in units of the major
// axis, al measured from the equator, b = x^2 + al^2: zero on the point's parallel, and the
// point's longitude from the meridian on that parallel.
double CircleEquation(double lat, double al, double b, double x, double& dlon) {
    const double sinPhi = std::sin(lat);
    const double c = std::tan(lat) * std::sqrt(1.0 - P.Es * sinPhi * sinPhi);
    const double ml = Mlfn(P.E0, P.E1, P.E2, P.E3, lat);
    dlon = std::atan2(x * c, 1.0 - (al - ml) * c) / sinPhi;
    return 2.0 * (al - ml) - c * (b - 2.0 * al * ml + ml * ml);
}

bool OnMap(double dlon) {
    return std::fabs(dlon) <= PI * (1.0 + HalfTurnSlack);
}

// The latitude in (0, half pi] of the parallel whose arc through the point lies within a half
// turn of the meridian, for al > 0.
bool Parallel(double x, double al, double b, double& lat, double& dlon) {
    double c = 0.0, phi = 0.0;
    if (Phi4zSteps(P.Es, P.E0, P.E1, P.E2, P.E3, al, b, c, phi) && phi > 0.0 && phi <= HALF_PI) {
        CircleEquation(phi, al, b, x, dlon);
        if (OnMap(dlon)) {
            lat = phi;
            return true;
        }
    }
    // The equation is positive just above the equator and falls to minus infinity at the pole.
    double low = 0.0, fLow = 2.0 * al;
    for (int band = 1; band <= LatitudeBands; ++band) {
        double high = HALF_PI * band / LatitudeBands, unused = 0.0;
        if (band == LatitudeBands) high = std::nextafter(HALF_PI, 0.0);
        const double fHigh = CircleEquation(high, al, b, x, unused);
        if ((fLow > 0.0) != (fHigh > 0.0)) {
            double lo = low, hi = high;
            for (int i = 0; i < BisectionSteps && lo < hi; ++i) {
                const double mid = 0.5 * (lo + hi);
                if (mid <= lo || mid >= hi) break;
                double midLon = 0.0;
                if ((CircleEquation(mid, al, b, x, midLon) > 0.0) == (fLow > 0.0))
                    lo = mid;
                else
                    hi = mid;
            }
            lat = 0.5 * (lo + hi);
            CircleEquation(lat, al, b, x, dlon);
            if (OnMap(dlon)) return true;
        }
        low = high;
        fLow = fHigh;
    }
    return false;
}

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
    double east = 0.0, north = 0.0;
    Place(AdjustLon(lon - P.LonCenter), lat, east, north);
    x = P.FalseEasting + P.RMajor * east;
    y = P.FalseNorthing + P.RMajor * north;
    return OK;
}

int PolyInverse(double x, double y, double& lon, double& lat) {
    const double east = (x - P.FalseEasting) / P.RMajor;
    const double al = P.Ml0 + (y - P.FalseNorthing) / P.RMajor;
    if (!std::isfinite(east) || !std::isfinite(al)) {
        ReportProjectionError(4, 4);
        return 4;
    }
    // Only the equator maps onto the line through the origin's foot; north of it al is
    // positive, south negative, and the map is the mirror image of the north.
    // Each pole is one point, where the circle equation has no sign change left to find.
    const double pole = Mlfn(P.E0, P.E1, P.E2, P.E3, HALF_PI);
    double phi = 0.0, dlon = east;
    if (P.RMajor * std::hypot(east, std::fabs(al) - pole) <= RoundTripTolerance) {
        phi = HALF_PI;
        dlon = 0.0;
    } else if (al != 0.0 && !Parallel(east, std::fabs(al), east * east + al * al, phi, dlon)) {
        ReportProjectionError(4, 4);
        return 4;
    }
    if (al < 0.0) phi = -phi;
    // The solution is the point's only where the forward puts it back within a metre: off the
    // map, or where the parallels crowd, it is not.
    double backX = 0.0, backY = 0.0;
    Place(dlon, phi, backX, backY);
    if (!OnMap(dlon) ||
        !(P.RMajor * std::hypot(backX - east, backY + P.Ml0 - al) <= RoundTripTolerance)) {
        ReportProjectionError(UntaggedRoutine, PointCannotBeProjected);
        return PointCannotBeProjected;
    }
    lat = phi;
    lon = AdjustLon(dlon + P.LonCenter);
    return OK;
}
