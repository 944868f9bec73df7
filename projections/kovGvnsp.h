// General vertical near-side perspective on the sphere (code 15).
#pragma once

#include "projections/kovGCTP.h"

int GvnspSetup(const ProjectionSetup& s);
int GvnspForward(double lon, double lat, double& x, double& y);
int GvnspInverse(double x, double y, double& lon, double& lat);
