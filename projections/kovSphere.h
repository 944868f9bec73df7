// What the spherical projections share: the centre of an azimuthal projection with the
// direction and distance of a point from it, and the auxiliary angle of the Mollweide family.
#pragma once

#include "projections/kovGCTP.h"

#include <limits>

static_assert(std::numeric_limits<long double>::digits >= 64);

// An azimuthal projection's centre on the sphere with its false origin.
struct AzimuthalCentre {
    double Radius = 0, Lon = 0, Lat = 0, SinLat = 0, CosLat = 1;
    double FalseEasting = 0, FalseNorthing = 0;

    void Set(const ProjectionSetup& s);
    // The cosine of the angular distance of a point from the centre, and the point's east and
    // north components on the plane touching the centre (before the projection's own scale).
    double Cosz(double lon, double lat, double& east, double& north) const;
    // The same, with 1 + cosz: on the far side both it and the north component are taken
    // from the point's offset from the antipode, where the plain sums lose their digits.
    double Cosz(double lon, double lat, double& east, double& north, double& onePlusCosz) const;
    // Within NearAntipode of it the same sums again in extended precision, from the longitude
    // difference in that precision: in doubles its rounding turned a point's direction from the
    // antipode by up to 7e-16 of a radian over its offset.
    void NearAntipodeSums(double lon, double lat, double& east, double& north,
                          double& onePlusCosz) const;
    // x and y of a point from its scaled components.
    void Place(double k, double east, double north, double& x, double& y) const;
    // The point at angular distance z from the centre along the direction of (x, y), whose
    // length is rho (both without the false origin).
    void FromDistance(double x, double y, double rho, double z, double& lon, double& lat) const;
};

// 1 + cosz below which the far-side sums are taken in extended precision: some 1.4e-3 radians
// from the antipode, past every place the rounding of doubles could move by a metre.
constexpr double NearAntipode = 1e-6;
// The rounding, in radians, of a point's offset from the antipode of the centre as the extended
// sums give it: a few units in their last place of angles near pi. A place whose direction or
// distance this moves by more than a metre is not placed.
constexpr double AntipodeRounding = 2e-18;
// A unit in the last place of a half turn: an angle in doubles comes no nearer to another.
constexpr double HalfTurnRounding = 4.4e-16;
// The angular distance of a point from the antipode of the centre, from 1 + cosz.
double AntipodeDistance(double onePlusCosz);

// The lines of an azimuthal set-up: radius, centre (as a central meridian and origin, or as a
// centre longitude and latitude) and false origin.
void ReportAzimuthalSetup(const AzimuthalCentre& c, bool asCentre);

// A world projection's sphere, central meridian and false origin, and its report lines.
struct WorldSphere {
    double R = 0, LonCenter = 0, FalseEasting = 0, FalseNorthing = 0;

    // Takes the values and writes the radius, centre longitude and false origin lines.
    void Set(const ProjectionSetup& s);
};

constexpr double SQRT2 = 1.4142135623730951;
// A longitude an interrupted map's inverse gave a rounding outside its lobe, [west, east] or
// [west, east) when the lobe's eastern edge is the next lobe's: near a pole, where a lobe's
// meridians meet, the rounding of x is spread over many degrees. Within a metre on the ground
// of the lobe it is taken onto the lobe's edge; farther, it is left outside.
double OntoLobe(double lon, double lat, double west, double east, bool eastInside, double radius);

// The rounding a pole's northing comes back with on a world map, relative to the quarter turn.
constexpr double MapEdgeSlack = 1e-12;

// Newton's solution of 2t + sin 2t = p sin(lat) for the auxiliary angle t, at most `maxSteps`
// steps, each ended once a step is below EPSLN. False when it did not settle; t then holds the
// last estimate.
bool AuxiliaryAngle(double lat, double p, int maxSteps, double& t);
