// Hotine oblique Mercator on the ellipsoid, by azimuth (form B) or by two points on the central
// line (form A) (code 20).
#pragma once

#include "projections/kovGCTP.h"

int OmerSetup(const ProjectionSetup& s);
int OmerForward(double lon, double lat, double& x, double& y);
int OmerInverse(double x, double y, double& lon, double& lat);
