// Equirectangular on the sphere (code 17).
#pragma once

#include "projections/kovGCTP.h"

int EquiSetup(const ProjectionSetup& s);
int EquiForward(double lon, double lat, double& x, double& y);
int EquiInverse(double x, double y, double& lon, double& lat);
