// Stereographic on the sphere (code 10).
#pragma once

#include "projections/kovGCTP.h"

int SterSetup(const ProjectionSetup& s);
int SterForward(double lon, double lat, double& x, double& y);
int SterInverse(double x, double y, double& lon, double& lat);
