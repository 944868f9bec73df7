// Lambert conformal conic on the ellipsoid (code 4).
#pragma once

#include "projections/kovGCTP.h"

int LamccSetup(const ProjectionSetup& s);
int LamccForward(double lon, double lat, double& x, double& y);
int LamccInverse(double x, double y, double& lon, double& lat);
