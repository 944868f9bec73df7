// Orthographic on the sphere (code 14).
#pragma once

#include "projections/kovGCTP.h"

int OrthSetup(const ProjectionSetup& s);
int OrthForward(double lon, double lat, double& x, double& y);
int OrthInverse(double x, double y, double& lon, double& lat);
