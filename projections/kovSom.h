// Space oblique Mercator on the ellipsoid, for a Landsat satellite and path or for a given orbit
// (code 22).
#pragma once

#include "projections/kovGCTP.h"

int SomSetup(const ProjectionSetup& s);
int SomForward(double lon, double lat, double& x, double& y);
int SomInverse(double x, double y, double& lon, double& lat);
