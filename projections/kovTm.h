// Transverse Mercator on the ellipsoid (series) or the sphere, and UTM as its zoned form
// (codes 9 and 1).
#pragma once

#include "projections/kovGCTP.h"

int TmSetup(const ProjectionSetup& s);
int UtmSetup(const ProjectionSetup& s);
int TmForward(double lon, double lat, double& x, double& y);
int TmInverse(double x, double y, double& lon, double& lat);
