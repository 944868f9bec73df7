// Oblated equal-area on the sphere: the Lambert azimuthal equal-area about a centre, reshaped
// by the two shape parameters m and n into an oval turned by theta, equal-area throughout.
#include "projections/kovObleq.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;
double M = 2, N = 2, Theta = 0;

// A shape of zero squeezes the oval to a line, which every formula divides by.
bool FlatShape() {
    if (M != 0.0 && N != 0.0) return false;
    ReportProjectionError(UntaggedRoutine, InputDataError);
    return true;
}

} // namespace

int ObleqSetup(const ProjectionSetup& s) {
    C.Set(s);
    M = s.P[2];
    N = s.P[3];
    Theta = s.P[8];
    ReportRadius(C.Radius);
    ReportCenterLon(C.Lon);
    ReportCenterLat(C.Lat);
    ReportValue("Parameter m:      ", M);
    ReportValue("Parameter n:      ", N);
    ReportValue("Theta:      ", Theta * R2D);
    ReportFalseOrigin(C.FalseEasting, C.FalseNorthing);
    ReportBlank();
    return OK;
}

int ObleqForward(double lon, double lat, double& x, double& y) {
    if (FlatShape()) return InputDataError;
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    const double halfChord = std::sin(0.5 * std::acos(std::fmax(-1.0, std::fmin(1.0, g))));
    const double az = std::atan2(east, north) + Theta;
    const double bigM = Asinz(halfChord * std::sin(az));
    const double bigN = Asinz(halfChord * std::cos(az) * std::cos(bigM) / std::cos(2.0 * bigM / M));
    x = C.FalseEasting +
        M * C.Radius * std::sin(2.0 * bigM / M) * std::cos(bigN) / std::cos(2.0 * bigN / N);
    y = C.FalseNorthing + N * C.Radius * std::sin(2.0 * bigN / N);
    return OK;
}

int ObleqInverse(double x, double y, double& lon, double& lat) {
    if (FlatShape()) return InputDataError;
    const double xx = (x - C.FalseEasting) / C.Radius, yy = (y - C.FalseNorthing) / C.Radius;
    const double bigN = 0.5 * N * Asinz(yy / N);
    const double bigM = 0.5 * M * Asinz(xx * std::cos(2.0 * bigN / N) / (M * std::cos(bigN)));
    const double xp = 2.0 * std::sin(bigM);
    const double yp = 2.0 * std::sin(bigN) * std::cos(2.0 * bigM / M) / std::cos(bigM);
    const double chord = std::sqrt(xp * xp + yp * yp);
    const double z = 2.0 * Asinz(chord / 2.0);
    const double az = std::atan2(xp, yp) - Theta;
    // The point at distance z from the centre in the direction az.
    C.FromDistance(std::sin(az), std::cos(az), 1.0, z, lon, lat);
    return OK;
}
