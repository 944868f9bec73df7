// Wagner IV on the sphere (code 28).
#pragma once

#include "projections/kovGCTP.h"

int WivSetup(const ProjectionSetup& s);
int WivForward(double lon, double lat, double& x, double& y);
int WivInverse(double x, double y, double& lon, double& lat);
