// Hammer on the sphere (code 27).
#pragma once

#include "projections/kovGCTP.h"

int HamSetup(const ProjectionSetup& s);
int HamForward(double lon, double lat, double& x, double& y);
int HamInverse(double x, double y, double& lon, double& lat);
