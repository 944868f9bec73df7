// Van der Grinten on the sphere (code 19).
#pragma once

#include "projections/kovGCTP.h"

int VandgSetup(const ProjectionSetup& s);
int VandgForward(double lon, double lat, double& x, double& y);
int VandgInverse(double x, double y, double& lon, double& lat);
