// The datum shift of one geographic point from the source block's datum to the target block's,
// through WGS 84, by the standard Molodensky transformation.
#pragma once

#include <array>
#include <string>

struct DatumRow {
    std::string Name;
    std::string Ellipsoid;
    double DX, DY, DZ; // meters, from the datum to WGS 84
};

struct EllipsoidShift {
    std::string Name;
    double DA, DF; // WGS 84 minus the ellipsoid: semi-major axis (meters), flattening
};

constexpr int DatumCount = 24;
constexpr int EllipsoidShiftCount = 14;
constexpr int DatumWgs84 = 23;
constexpr double Wgs84Major = 6378137.0;
constexpr double Wgs84Flattening = 0.003352810664747481;

extern std::array<DatumRow, DatumCount> DatumTable;
extern std::array<EllipsoidShift, EllipsoidShiftCount> EllipsoidShiftTable;

struct CurrentDatumState {
    DatumRow Datum;
    EllipsoidShift Ellipsoid;
};
extern CurrentDatumState CurrentDatum;

// Status 0, or 2002 after a failure was reported; the outputs are then left as they were.
int ConvertDatum(double lon, double lat, double& outLon, double& outLat);
bool ShiftToWgs84(double& lat, double& lon, double& h);
bool ShiftFromWgs84(double& lat, double& lon, double& h);
bool SelectDatum(int code);
bool FindEllipsoid(const std::string& name);
