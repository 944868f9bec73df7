// Lambert azimuthal equal-area on the sphere (code 11).
#pragma once

#include "projections/kovGCTP.h"

int LamazSetup(const ProjectionSetup& s);
int LamazForward(double lon, double lat, double& x, double& y);
int LamazInverse(double x, double y, double& lon, double& lat);
