// Oblated equal-area on the sphere: the Lambert azimuthal equal-area about a centre, reshaped
// by the two shape parameters m and n into an oval turned by theta, equal-area throughout.
#include "projections/kovObleq.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

// An arcsine argument this far past one is rounding; farther, the point lies outside the oval
// and has no place on the map.
constexpr double ArcsineSlack = 1e-12;

AzimuthalCentre C;
double M = 2, N = 2, Theta = 0;

bool Folded(double doubledAngle) {
    return !(std::fabs(doubledAngle) <= HALF_PI * (1.0 + ArcsineSlack));
}

// The arcsine of a value within rounding of [-1, 1]; false past that.
bool ArcsineOf(double v, double& angle) {
    if (!(std::fabs(v) <= 1.0 + ArcsineSlack)) return false;
    angle = Asinz(v);
    return true;
}

int Refused() {
    ReportProjectionError(UntaggedRoutine, InputDataError);
    return InputDataError;
}

// The map point of a place; false where it has none, and, when its input is judged, where its
// rounding moves it by more than a metre.
bool Place(double lon, double lat, bool judged, double& x, double& y) {
    double east, north, onePlus;
    const double g = C.Cosz(lon, lat, east, north, onePlus);
    // Near the antipode the direction of a point from the centre, which its place follows, is
    // turned by the rounding of its offset from the antipode over that offset.
    if (judged && g < 0.0 &&
        2.0 * C.Radius * AntipodeRounding / AntipodeDistance(onePlus) > RoundTripTolerance) {
        return false;
    }
    const double halfChord =
        g < 0.0 ? std::sqrt(1.0 - 0.5 * onePlus) : std::sin(0.5 * std::acos(std::fmin(1.0, g)));
    const double az = std::atan2(east, north) + Theta;
    // Where either arcsine has no value the point lies beyond the oval; clamped, it was placed
    // on the oval's edge, thousands of kilometres from where its inverse puts it. Where either
    // doubled angle passes a right angle the map folds back over itself: the point is placed on
    // another's place, and the inverse gives that other.
    double bigM = 0.0, bigN = 0.0;
    if (!ArcsineOf(halfChord * std::sin(az), bigM) ||
        !ArcsineOf(halfChord * std::cos(az) * std::cos(bigM) / std::cos(2.0 * bigM / M), bigN) ||
        Folded(2.0 * bigM / M) || Folded(2.0 * bigN / N)) {
        return false;
    }
    x = C.FalseEasting +
        M * C.Radius * std::sin(2.0 * bigM / M) * std::cos(bigN) / std::cos(2.0 * bigN / N);
    y = C.FalseNorthing + N * C.Radius * std::sin(2.0 * bigN / N);
    return true;
}

// The place of a map point as the formulas give it; false where the point lies off the oval.
bool PlaceOfPoint(double x, double y, double& lon, double& lat) {
    const double xx = (x - C.FalseEasting) / C.Radius, yy = (y - C.FalseNorthing) / C.Radius;
    // A point off the oval has no arcsine; clamped, it came back somewhere on its edge.
    double n2 = 0.0, m2 = 0.0;
    if (!ArcsineOf(yy / N, n2) || !ArcsineOf(xx * std::cos(n2) / (M * std::cos(0.5 * N * n2)), m2))
        return false;
    const double bigN = 0.5 * N * n2;
    const double bigM = 0.5 * M * m2;
    const double xp = 2.0 * std::sin(bigM);
    const double yp = 2.0 * std::sin(bigN) * std::cos(2.0 * bigM / M) / std::cos(bigM);
    const double chord = std::sqrt(xp * xp + yp * yp);
    double halfZ = 0.0;
    if (!ArcsineOf(chord / 2.0, halfZ)) return false;
    const double z = 2.0 * halfZ;
    const double az = std::atan2(xp, yp) - Theta;
    // The point at distance z from the centre in the direction az.
    C.FromDistance(std::sin(az), std::cos(az), 1.0, z, lon, lat);
    return true;
}

// The same, where the forward puts the place found back within a metre of the point. Where the
// oval's shape folds the map the formulas still give a place for points past the fold, one the
// forward puts thousands of kilometres from the point. The place found is judged as it stands:
// the rounding of the inverse's own input is no part of it.
bool CheckedPlaceOfPoint(double x, double y, double& lon, double& lat) {
    double backX = 0.0, backY = 0.0;
    return PlaceOfPoint(x, y, lon, lat) && Place(lon, lat, false, backX, backY) &&
           std::hypot(backX - x, backY - y) <= RoundTripTolerance;
}

} // namespace

int ObleqSetup(const ProjectionSetup& s) {
    C.Set(s);
    M = s.P[2];
    N = s.P[3];
    Theta = s.P[8];
    // A shape of zero squeezes the oval to a line, which every formula divides by; a negative
    // one draws the oval of its magnitude under another name. Both scale the globe as a scale
    // factor does.
    if (!UsableScale(M, C.Radius) || !UsableScale(N, C.Radius)) return Refused();
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

// Within a hair of the antipode the oval's arcsines lie next to a right angle, where the
// inverse loses what the forward kept: a place is given only where its map point comes back to
// it within a metre.
int ObleqForward(double lon, double lat, double& x, double& y) {
    double backLon = 0.0, backLat = 0.0;
    if (Place(lon, lat, true, x, y) && CheckedPlaceOfPoint(x, y, backLon, backLat) &&
        GroundMiss(C.Radius, lon, lat, backLon, backLat) <= RoundTripTolerance)
        return OK;
    ReportProjectionError(UntaggedRoutine, PointCannotBeProjected);
    return PointCannotBeProjected;
}

int ObleqInverse(double x, double y, double& lon, double& lat) {
    return CheckedPlaceOfPoint(x, y, lon, lat) ? OK : Refused();
}
