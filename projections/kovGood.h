// Goode's interrupted homolosine on the sphere (code 24).
#pragma once

#include "projections/kovGCTP.h"

int GoodSetup(const ProjectionSetup& s);
int GoodForward(double lon, double lat, double& x, double& y);
int GoodInverse(double x, double y, double& lon, double& lat);
