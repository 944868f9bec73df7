// The entry points of the projection library: set-up of the source and target systems from
// their parameter blocks and the point transformations, dispatched by projection code through
// one table of projection modules.
#pragma once

#include "projections/kovGlobal.h"

#include <array>
#include <cstdint>

// What a projection module's set-up receives: the block's values with every angle the
// projection reads already in radians, the axes or sphere radius and the false origin.
struct ProjectionSetup {
    bool Forward = true;
    int Code = 0;
    int Zone = 0;
    int Spheroid = 0;
    double Major = 0.0;
    double Minor = 0.0;
    double Radius = 0.0;
    double FalseEasting = 0.0;
    double FalseNorthing = 0.0;
    std::array<double, 15> P{};
};

// The eccentricity squared of the set-up's axes.
inline double EccentricitySquared(const ProjectionSetup& s) {
    const double ratio = s.Minor / s.Major;
    return 1.0 - ratio * ratio;
}

// Past 2^53 metres neighbouring doubles lie more than a metre apart: no point is placed to the
// metre there.
constexpr double MetreResolutionLimit = 9007199254740992.0;
// A length a set-up may take: finite and short of that limit (no number is refused too).
bool UsableLength(double metres);
// The formulas' tolerances are kept in map metres (a point within EPSLN of a centre is the
// centre): on a globe drawn smaller than this they span the globe, and points come back from
// anywhere as the centre or no place at all.
constexpr double SmallestGlobe = 1.0;
// A scale factor: positive, and the major axis it scales a usable length no shorter than the
// smallest globe.
bool UsableScale(double scale, double major);

// Standard parallels closer than this (two arc seconds) are one parallel, their mean: the
// secant formulas divide two differences that vanish together, and lose metres to rounding as
// they do, while the cone of the mean parallel differs from the secant one by the square of
// their distance, a millimetre at most.
constexpr double CoincidentParallels = 1e-5;
// The two standard parallels of a conic, made one where they coincide; true when they are two.
bool SecantParallels(double& lat1, double& lat2);
// A cone constant below this (a standard parallel within 0.02 arc seconds of the equator) puts
// the apex over 6e13 metres from the map, where coordinates hold a hundredth of a metre at best
// and the formulas lose metres: such a cone is the cylinder it nearly is, and is refused.
constexpr double FlatConeLimit = 1e-7;

// The lines every conic set-up writes: axes, parallels, meridian, origin, false origin.
void ReportConicSetup(const ProjectionSetup& s);

// A map point as radius and angle about a cone's apex, which lies `rh` above the origin; the
// sign of both follows the cone constant `ns`.
void ConePolar(double x, double y, double rh, double ns, double& rho, double& theta);

// Whether a map point lies more than a metre past a world map's edge: x from the central
// meridian, halfWidth the edge's distance from it on the point's row. Reported as the
// inverse's input data error: the inverse formulas would wrap such a point onto the other
// side of the map, or clamp it onto the edge, and return a place that is not the point's.
bool PastMapEdge(double x, double halfWidth, int tag);

// Whether a map point, as radius and angle about a cone's apex, lies more than a metre outside
// the cone's sector, the half turn either side of the central meridian. Reported as the
// inverse's input data error: the longitude would wrap such a point onto the sector's other
// side, a place that is not the point's.
bool OutsideCone(double rho, double theta, double ns, int tag);

// The rounding of a latitude's distance from a pole, in radians: two units in the last place
// of a quarter turn.
constexpr double PoleDistanceRounding = 4.4e-16;
// Whether a place toward the far pole of a conformal map cannot be given to a metre: its
// distance rho from the map's pole grows as the power of the inverse distance fromPole of
// the latitude from the far pole, so that the rounding of that distance moves it by rho times
// power times the rounding over the distance. Reported as the forward's point that cannot be
// projected.
bool PastFarPoleRounding(double rho, double power, double fromPole, int tag);

using ProjectionInit = int (*)(const ProjectionSetup& setup);
using ProjectionTransform = int (*)(double a, double b, double& outA, double& outB);

struct ProjectionModule {
    const char* Title;
    // Bit i set: parameter i is a packed angle. Two forms are told apart by parameter [12].
    uint16_t AnglesWhenP12Zero;
    uint16_t AnglesWhenP12Set;
    ProjectionInit Setup;
    ProjectionTransform Forward;
    ProjectionTransform Inverse;
};

constexpr int ProjectionCodeCount = 31;
// By projection code; a module not built has no routines.
const ProjectionModule& ProjectionModuleOf(int code);

void InverseInit();
void ForwardInit();
// Status 0, or the error code; on failure both outputs are NaN. A side whose set-up failed
// transforms nothing and returns the set-up's error.
int InverseTransform(double x, double y, double& lon, double& lat);
int ForwardTransform(double lon, double lat, double& x, double& y);
