// Alaska conformal: the modified-stereographic projection of Alaska (code 23).
#pragma once

#include "projections/kovGCTP.h"

int AlconSetup(const ProjectionSetup& s);
int AlconForward(double lon, double lat, double& x, double& y);
int AlconInverse(double x, double y, double& lon, double& lat);
