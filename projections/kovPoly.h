// Polyconic on the ellipsoid (code 7).
#pragma once

#include "projections/kovGCTP.h"

int PolySetup(const ProjectionSetup& s);
int PolyForward(double lon, double lat, double& x, double& y);
int PolyInverse(double x, double y, double& lon, double& lat);
