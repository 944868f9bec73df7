// Van der Grinten on the sphere: the world in a circle, meridians and parallels as arcs.
#include "projections/kovVandg.h"

#include "projections/kovSphere.h"

#include <algorithm>
#include <cmath>

namespace {

WorldSphere V;

double SignOf(double v) {
    return v < 0 ? -1.0 : 1.0;
}

} // namespace

int VandgSetup(const ProjectionSetup& s) {
    V.Set(s);
    return OK;
}

int VandgForward(double lon, double lat, double& x, double& y) {
    const double dlon = AdjustLon(lon - V.LonCenter);
    const double theta = Asinz(std::fabs(2.0 * lat / PI));
    if (std::fabs(lat) <= EPSLN) {
        x = V.FalseEasting + V.R * dlon;
        y = V.FalseNorthing;
        return OK;
    }
    if (std::fabs(dlon) <= EPSLN || std::fabs(std::fabs(lat) - HALF_PI) <= EPSLN) {
        x = V.FalseEasting;
        y = V.FalseNorthing + SignOf(lat) * PI * V.R * std::tan(0.5 * theta);
        return OK;
    }
    // x and y in the published forms, rearranged so that no two large terms cancel: near the
    // central meridian A grows without bound while x shrinks, and y from x by the published
    // 1 - (x / pi R)^2 - 2A |x| / pi R would keep only its rounding. With K = P^2 - G and
    // N = P^2 - G^2 (neither negative) and D = sqrt(A^2 K^2 + (P^2 + A^2) N) + A K, x is
    // pi R N / D and that radicand is (2AG(G - 1) D + N (A^2 + G^2)) / D^2, a sum of positives.
    const double a = 0.5 * std::fabs(PI / dlon - dlon / PI);
    const double asq = a * a;
    const double sinth = std::sin(theta), costh = std::cos(theta);
    const double g = costh / (sinth + costh - 1.0);
    const double p = g * (2.0 / sinth - 1.0);
    const double psq = p * p;
    const double k = psq - g;
    const double n = psq - g * g;
    const double d = std::sqrt(asq * k * k + (psq + asq) * n) + a * k;
    x = V.FalseEasting + SignOf(dlon) * PI * V.R * n / d;
    y = V.FalseNorthing +
        SignOf(lat) * PI * V.R * std::sqrt(2.0 * a * g * (g - 1.0) * d + n * (asq + g * g)) / d;
    return OK;
}

int VandgInverse(double x, double y, double& lon, double& lat) {
    const double xx = (x - V.FalseEasting) / (PI * V.R);
    const double yy = (y - V.FalseNorthing) / (PI * V.R);
    const double xys = xx * xx + yy * yy;
    // The map is the circle of pi radii; past it the cubic gives places that are not the
    // point's.
    if ((std::sqrt(xys) - 1.0) * PI * V.R > RoundTripTolerance) {
        ReportProjectionError(UntaggedRoutine, InputDataError);
        return InputDataError;
    }
    const double c1 = -std::fabs(yy) * (1.0 + xys);
    const double c2 = c1 - 2.0 * yy * yy + xx * xx;
    const double c3 = -2.0 * c1 + 1.0 + 2.0 * yy * yy + xys * xys;
    const double d =
        yy * yy / c3 + (2.0 * c2 * c2 * c2 / (c3 * c3 * c3) - 9.0 * c1 * c2 / (c3 * c3)) / 27.0;
    const double a1 = (c1 - c2 * c2 / (3.0 * c3)) / c3;
    const double m1 = 2.0 * std::sqrt(-a1 / 3.0);
    double phi = 0.0;
    // On the equator the cubic's angle sits at the end of the arccosine, where rounding would
    // cost seven digits.
    if (std::fabs(yy) > EPSLN && m1 != 0.0) {
        const double con = std::clamp(3.0 * d / (a1 * m1), -1.0, 1.0);
        const double th1 = std::acos(con) / 3.0;
        phi = PI * (-m1 * std::cos(th1 + PI / 3.0) - c2 / (3.0 * c3));
    }
    lat = yy < 0 ? -phi : phi;
    // The published (xys - 1 + root) / 2xx, multiplied through by its conjugate: near the
    // central meridian its numerator is the difference of two numbers close to 1. The
    // denominator is 0 only with xx (or xx squared) 0, where the point is on the meridian.
    const double den = 1.0 - xys + std::sqrt(1.0 + 2.0 * (xx * xx - yy * yy) + xys * xys);
    lon = xx != 0.0 && den > 0.0 ? AdjustLon(V.LonCenter + 2.0 * PI * xx / den) : V.LonCenter;
    return OK;
}
