// Polar stereographic on the ellipsoid (code 6).
#pragma once

#include "projections/kovGCTP.h"

int PsSetup(const ProjectionSetup& s);
int PsForward(double lon, double lat, double& x, double& y);
int PsInverse(double x, double y, double& lon, double& lat);
