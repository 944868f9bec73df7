// Mercator on the ellipsoid (code 5).
#pragma once

#include "projections/kovGCTP.h"

int MerSetup(const ProjectionSetup& s);
int MerForward(double lon, double lat, double& x, double& y);
int MerInverse(double x, double y, double& lon, double& lat);
