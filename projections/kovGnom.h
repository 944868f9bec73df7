// Gnomonic on the sphere (code 13).
#pragma once

#include "projections/kovGCTP.h"

int GnomSetup(const ProjectionSetup& s);
int GnomForward(double lon, double lat, double& x, double& y);
int GnomInverse(double x, double y, double& lon, double& lat);
