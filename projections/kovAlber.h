// Albers conical equal-area on the ellipsoid (code 3).
#pragma once

#include "projections/kovGCTP.h"

int AlberSetup(const ProjectionSetup& s);
int AlberForward(double lon, double lat, double& x, double& y);
int AlberInverse(double x, double y, double& lon, double& lat);
