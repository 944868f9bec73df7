// Gnomonic on the sphere: great circles as straight lines, only the near hemisphere.
#include "projections/kovGnom.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

// Below this cosine of the distance from the centre the sums of double products have lost too
// many digits: the point's distance R / cosz moves by R times their rounding over cosz squared,
// 3.6 m at 89.999 degrees. There the cosine is summed again in extended precision.
constexpr double NearHorizon = 1e-3;
// The rounding of the extended sums, a few units in the last place of one; a place that it moves
// by more than a metre is not placed.
constexpr double HorizonRounding = 5.4e-19;

// The cosine of the distance from the centre from the extended sines and cosines, the longitude
// difference too taken in extended precision: its rounding in doubles alone moves a point near
// the horizon by as much as that of the sums.
double HorizonCosz(double lon, double lat) {
    const long double dlon = static_cast<long double>(lon) - C.Lon, phi = lat, centre = C.Lat;
    return static_cast<double>(std::sin(centre) * std::sin(phi) +
                               std::cos(centre) * std::cos(phi) * std::cos(dlon));
}

} // namespace

int GnomSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, true);
    return OK;
}

int GnomForward(double lon, double lat, double& x, double& y) {
    double east, north;
    double g = C.Cosz(lon, lat, east, north);
    if (std::fabs(g) < NearHorizon) g = HorizonCosz(lon, lat);
    // A point 90 degrees off lies at infinity; rounding leaves its cosine a few 1e-17 above 0,
    // which would place it some 1e23 m away.
    if (g <= EPSLN) {
        ReportProjectionError(133, 133);
        return 133;
    }
    if (C.Radius * HorizonRounding > RoundTripTolerance * g * g) {
        ReportProjectionError(133, PointCannotBeProjected);
        return PointCannotBeProjected;
    }
    C.Place(1.0 / g, east, north, x, y);
    return OK;
}

int GnomInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    C.FromDistance(x, y, rho, std::atan(rho / C.Radius), lon, lat);
    return OK;
}
