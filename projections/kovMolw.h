// Mollweide on the sphere (code 25).
#pragma once

#include "projections/kovGCTP.h"

int MolwSetup(const ProjectionSetup& s);
int MolwForward(double lon, double lat, double& x, double& y);
int MolwInverse(double x, double y, double& lon, double& lat);
