// State Plane zones (code 2): a zone number and a datum selector pick a record of the zone
// parameter file of that datum, which sets up the transverse Mercator, Lambert conformal
// conic, polyconic or Hotine projection of the zone.
#pragma once

#include "projections/kovGCTP.h"

#include <array>
#include <string>

constexpr int StatePlaneZoneCount = 134;
constexpr int StatePlaneRecordSize = 108;
constexpr int StatePlaneNad27 = 0;
constexpr int StatePlaneNad83 = 8;

// The zone numbers of each datum's file: the record number of a zone is its position from 1.
extern const std::array<int, StatePlaneZoneCount> StatePlaneZonesNad27;
extern const std::array<int, StatePlaneZoneCount> StatePlaneZonesNad83;
// Units code of a NAD83 zone by state number (zone / 100, rounded) - 1.
extern const std::array<int, StatePlaneZoneCount> StatePlaneUnitTable;

// The folder of "nad27sp" and "nad83sp" with its trailing "/"; empty: the program's folder.
extern std::string StatePlaneFileDirectory;
// The zone whose record is kept (0 before any), the datum selector it was read for, and the
// projection id of that record.
extern int LastStatePlaneZone;
extern int LastStatePlaneSelector;
extern int StatePlaneProjectionId;

struct StatePlaneZoneRecord {
    std::string Name;
    int ProjectionId = 0;
    std::array<double, 9> Table{};
};

// The record number of a zone in its datum's file, or 0 when the datum has no such zone.
int StatePlaneRecordNumber(int zone, int selector);
// The units code of a NAD83 zone; status 21 (logged) for a zone outside the table.
int StatePlaneUnits(int zone, int& units);

int StatePlaneForwardInit(int zone, int selector);
int StatePlaneInverseInit(int zone, int selector);
int StatePlaneForward(double lon, double lat, double& x, double& y);
int StatePlaneInverse(double x, double y, double& lon, double& lat);
// The set-up the dispatch table calls: zone [20] and the selector from the spheroid slot.
int StatePlaneSetup(const ProjectionSetup& s);
