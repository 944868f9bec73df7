// Oblated equal-area on the sphere (code 30).
#pragma once

#include "projections/kovGCTP.h"

int ObleqSetup(const ProjectionSetup& s);
int ObleqForward(double lon, double lat, double& x, double& y);
int ObleqInverse(double x, double y, double& lon, double& lat);
