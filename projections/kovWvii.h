// Wagner VII on the sphere (code 29).
#pragma once

#include "projections/kovGCTP.h"

int WviiSetup(const ProjectionSetup& s);
int WviiForward(double lon, double lat, double& x, double& y);
int WviiInverse(double x, double y, double& lon, double& lat);
