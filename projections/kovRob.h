// Robinson on the sphere (code 21).
#pragma once

#include "projections/kovGCTP.h"

int RobSetup(const ProjectionSetup& s);
int RobForward(double lon, double lat, double& x, double& y);
int RobInverse(double x, double y, double& lon, double& lat);
