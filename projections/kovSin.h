// Sinusoidal on the sphere (code 16).
#pragma once

#include "projections/kovGCTP.h"

int SinSetup(const ProjectionSetup& s);
int SinForward(double lon, double lat, double& x, double& y);
int SinInverse(double x, double y, double& lon, double& lat);
