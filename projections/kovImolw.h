// Interrupted Mollweide on the sphere (code 26).
#pragma once

#include "projections/kovGCTP.h"

int ImolwSetup(const ProjectionSetup& s);
int ImolwForward(double lon, double lat, double& x, double& y);
int ImolwInverse(double x, double y, double& lon, double& lat);
