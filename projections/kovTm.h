// Transverse Mercator on the ellipsoid (series) or the sphere, and UTM as its zoned form
// (codes 9 and 1).
#pragma once

#include "projections/kovGCTP.h"

// "Illegal zone number", and the tags of the UTM set-ups that report it.
constexpr int IllegalZone = 11;
constexpr int UtmForwardSetupTag = 11;
constexpr int UtmInverseSetupTag = 12;

int TmSetup(const ProjectionSetup& s);
int UtmSetup(const ProjectionSetup& s);
int TmForward(double lon, double lat, double& x, double& y);
int TmInverse(double x, double y, double& lon, double& lat);
