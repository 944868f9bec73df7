// Miller cylindrical on the sphere (code 18).
#pragma once

#include "projections/kovGCTP.h"

int MillSetup(const ProjectionSetup& s);
int MillForward(double lon, double lat, double& x, double& y);
int MillInverse(double x, double y, double& lon, double& lat);
