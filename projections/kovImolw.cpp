// Interrupted Mollweide on the sphere: three northern and three southern Mollweide lobes, each
// placed at its own offset along the equator.
#include "projections/kovImolw.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 51;
constexpr double XScale = 2.0 * SQRT2 / PI;
constexpr double Deg = PI / 180.0;

struct Lobe {
    double Centre, West, East; // longitudes in radians; the lobe covers [West, East)
    double Offset;             // x of its central meridian, in radii
};

const Lobe NorthLobes[] = {{-140 * Deg, -PI, -100 * Deg, -2.19988776387},
                           {-10 * Deg, -100 * Deg, 80 * Deg, -0.15713484},
                           {130 * Deg, 80 * Deg, PI, 2.04275292359}};
const Lobe SouthLobes[] = {{-110 * Deg, -PI, -40 * Deg, -1.72848324304},
                           {20 * Deg, -40 * Deg, 80 * Deg, 0.31426968},
                           {140 * Deg, 80 * Deg, PI, 2.19988776387}};
constexpr int LobesPerRow = 3;

double R = 0;

const Lobe* Row(bool north) {
    return north ? NorthLobes : SouthLobes;
}

// The x in radii where a lobe's eastern edge meets the equator.
double EastEdgeX(const Lobe& lobe) {
    return lobe.Offset + XScale * (lobe.East - lobe.Centre);
}

} // namespace

int ImolwSetup(const ProjectionSetup& s) {
    R = s.Radius;
    ReportRadius(R);
    return OK;
}

int ImolwForward(double lon, double lat, double& x, double& y) {
    const Lobe* row = Row(lat >= 0);
    int i = 0;
    while (i + 1 < LobesPerRow && lon >= row[i].East)
        ++i;
    double theta;
    // A point whose angle does not settle is still placed, with the last estimate.
    if (!AuxiliaryAngle(lat, PI, MaxSteps, theta)) ReportProjectionError(241, 241);
    x = R * (row[i].Offset + XScale * AdjustLon(lon - row[i].Centre) * std::cos(theta));
    y = R * SQRT2 * std::sin(theta);
    return OK;
}

int ImolwInverse(double x, double y, double& lon, double& lat) {
    const double xx = x / R;
    const Lobe* row = Row(y >= 0);
    int i = 0;
    while (i + 1 < LobesPerRow && xx >= EastEdgeX(row[i]))
        ++i;
    const double arg = y / (SQRT2 * R);
    if (std::fabs(arg) > 1.0) return IN_BREAK;
    const double theta = std::asin(arg);
    const double cosTheta = std::cos(theta);
    lon = std::fabs(cosTheta) > EPSLN ? row[i].Centre + (xx - row[i].Offset) / (XScale * cosTheta)
                                      : row[i].Centre;
    lat = Asinz((2.0 * theta + std::sin(2.0 * theta)) / PI);
    const bool last = i + 1 == LobesPerRow;
    lon = OntoLobe(lon, lat, row[i].West, row[i].East, last, R);
    if (lon < row[i].West - EPSLN || lon > row[i].East + EPSLN || (!last && lon >= row[i].East))
        return IN_BREAK;
    return OK;
}
