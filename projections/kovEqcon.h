// Equidistant conic on the ellipsoid, one or two standard parallels (code 8).
#pragma once

#include "projections/kovGCTP.h"

int EqconSetup(const ProjectionSetup& s);
int EqconForward(double lon, double lat, double& x, double& y);
int EqconInverse(double x, double y, double& lon, double& lat);
