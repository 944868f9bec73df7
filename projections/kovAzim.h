// Azimuthal equidistant on the sphere (code 12).
#pragma once

#include "projections/kovGCTP.h"

int AzimSetup(const ProjectionSetup& s);
int AzimForward(double lon, double lat, double& x, double& y);
int AzimInverse(double x, double y, double& lon, double& lat);
