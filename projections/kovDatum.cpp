// Datum and ellipsoid tables and the Molodensky shift through WGS 84.
#include "projections/kovDatum.h"

#include "projections/kovGlobal.h"

#include <cmath>

// Datum shifts and ellipsoid differences: the three-parameter Molodensky values of the DoD World
// Geodetic System 1984 technical report (NIMA TR8350.2, third edition, appendices A and B).
// Where the report lists regional values the mean solution is taken; INDIAN has no mean there
// and carries the Bangladesh (Everest 1830) values, PULKOVO_1942 the Russia values.
std::array<DatumRow, DatumCount> DatumTable = {{
    {"ADINDAN", "CLARKE_1880", -166.0, -15.0, 204.0},
    {"ARC1950", "CLARKE_1880", -143.0, -90.0, -294.0},
    {"ARC1960", "CLARKE_1880", -160.0, -6.0, -302.0},
    {"AUSTRALIAN_GEODETIC_1966", "AUSTRALIAN_NATIONAL", -133.0, -48.0, 148.0},
    {"AUSTRALIAN_GEODETIC_1984", "AUSTRALIAN_NATIONAL", -134.0, -48.0, 149.0},
    {"CAMP_AREA_ASTRO", "INTERNATIONAL_1924", -104.0, -129.0, 239.0},
    {"CAPE", "CLARKE_1880", -136.0, -108.0, -292.0},
    {"EUROPEAN_DATUM_1950", "INTERNATIONAL_1924", -87.0, -98.0, -121.0},
    {"EUROPEAN_DATUM_1979", "INTERNATIONAL_1924", -86.0, -98.0, -119.0},
    {"GEODETIC_DATUM_1949", "INTERNATIONAL_1924", 84.0, -22.0, 209.0},
    {"HONG_KONG_1963", "INTERNATIONAL_1924", -156.0, -271.0, -189.0},
    {"HU_TZU_SHAN", "INTERNATIONAL_1924", -637.0, -549.0, -203.0},
    {"INDIAN", "EVEREST_1830", 282.0, 726.0, 254.0},
    {"NAD27", "CLARKE_1866", -8.0, 160.0, 176.0},
    {"NAD83", "GRS_1980", 0.0, 0.0, 0.0},
    {"OLD_HAWAIIAN_MEAN", "CLARKE_1866", 61.0, -285.0, -181.0},
    {"OMAN", "CLARKE_1880", -346.0, -1.0, 224.0},
    {"ORDNANCE_SURVEY_1936", "AIRY_1830", 375.0, -111.0, 431.0},
    {"PUERTO_RICO", "CLARKE_1866", 11.0, 72.0, -101.0},
    {"PULKOVO_1942", "KRASSOVSKY_1940", 28.0, -130.0, -95.0},
    {"PROVISIONAL_S_AMERICAN_1956", "INTERNATIONAL_1924", -288.0, 175.0, -376.0},
    {"TOKYO", "BESSEL_1841", -148.0, 507.0, 685.0},
    {"WGS_72", "WGS_72", 0.0, 0.0, 4.5},
    {"WGS_84", "WGS_84", 0.0, 0.0, 0.0},
}};

std::array<EllipsoidShift, EllipsoidShiftCount> EllipsoidShiftTable = {{
    {"AIRY_1830", 573.604, 0.11960023e-4},
    {"AUSTRALIAN_NATIONAL", -23.0, -0.00081204e-4},
    {"BESSEL_1841", 739.845, 0.10037483e-4},
    {"CLARKE_1866", -69.4, -0.37264639e-4},
    {"CLARKE_1880", -112.145, -0.54750714e-4},
    {"EVEREST_1830", 860.655, 0.28361368e-4},
    {"EVEREST_1956", 835.757, 0.28361368e-4},
    {"GRS_1980", 0.0, -0.00000016e-4},
    {"HOUGH_1960", -133.0, -0.14192702e-4},
    {"INTERNATIONAL_1924", -251.0, -0.14192702e-4},
    {"KRASSOVSKY_1940", -108.0, 0.00480795e-4},
    {"MODIFIED_AIRY", 796.811, 0.11960023e-4},
    {"WGS_72", 2.0, 0.0003121057e-4},
    {"WGS_84", 0.0, 0.0},
}};

CurrentDatumState CurrentDatum;

namespace {

// Below this cosine of the latitude the point is on a pole, where every longitude is the same
// point and the longitude increment has no meaning.
constexpr double PoleCosine = 1e-12;

void ReportDatumFailure(int step) {
    ReportProjectionError(2002, 2002, step, 1, InParm[SlotDatum]);
}

void Molodensky(double a, double f, double da, double df, double dx, double dy, double dz,
                double& lat, double& lon, double& h) {
    const double e2 = 2.0 * f - f * f;
    const double sinLat = std::sin(lat), cosLat = std::cos(lat);
    const double sinLon = std::sin(lon), cosLon = std::cos(lon);
    const double w2 = 1.0 - e2 * sinLat * sinLat;
    const double rn = a / std::sqrt(w2);
    const double rm = a * (1.0 - e2) / std::pow(w2, 1.5);
    const double dLat = (-dx * sinLat * cosLon - dy * sinLat * sinLon + dz * cosLat +
                         da * rn * e2 * sinLat * cosLat / a +
                         df * (rm / (1.0 - f) + rn * (1.0 - f)) * sinLat * cosLat) /
                        (rm + h);
    const double dLon =
        std::fabs(cosLat) < PoleCosine ? 0.0 : (-dx * sinLon + dy * cosLon) / ((rn + h) * cosLat);
    const double dH = dx * cosLat * cosLon + dy * cosLat * sinLon + dz * sinLat - da * a / rn +
                      df * (1.0 - f) * rn * sinLat * sinLat;
    lat += dLat;
    lon += dLon;
    h += dH;
    // Near a pole a shift of metres is a turn of many degrees, and it may carry the point over
    // the pole to the far meridian; the point is kept on the globe's own ranges.
    if (std::fabs(lat) > HALF_PI) {
        lat = (lat > 0 ? PI : -PI) - lat;
        lon += PI;
    }
    lon = AdjustLon(lon);
}

// A datum slot that no rounding reads names no datum: its step fails as one past the table.
int DatumCodeOf(const ProjectionParameterBlock& block) {
    int code = -1;
    return RoundedInteger(block[SlotDatum], code) ? code : -1;
}

} // namespace

bool SelectDatum(int code) {
    if (code < 0 || code >= DatumCount) return false;
    CurrentDatum.Datum = DatumTable[code];
    return true;
}

bool FindEllipsoid(const std::string& name) {
    bool found = false;
    for (const EllipsoidShift& row : EllipsoidShiftTable)
        if (row.Name == name) {
            CurrentDatum.Ellipsoid = row;
            found = true;
        }
    return found;
}

bool ShiftToWgs84(double& lat, double& lon, double& h) {
    if (!SelectDatum(DatumCodeOf(InParm))) {
        ReportDatumFailure(5);
        return false;
    }
    if (!FindEllipsoid(CurrentDatum.Datum.Ellipsoid)) {
        ReportDatumFailure(6);
        return false;
    }
    const DatumRow& d = CurrentDatum.Datum;
    const EllipsoidShift& e = CurrentDatum.Ellipsoid;
    Molodensky(Wgs84Major - e.DA, Wgs84Flattening - e.DF, e.DA, e.DF, d.DX, d.DY, d.DZ, lat, lon,
               h);
    return true;
}

bool ShiftFromWgs84(double& lat, double& lon, double& h) {
    if (!SelectDatum(DatumCodeOf(OutParm))) {
        ReportDatumFailure(3);
        return false;
    }
    if (!FindEllipsoid(CurrentDatum.Datum.Ellipsoid)) {
        ReportDatumFailure(4);
        return false;
    }
    const DatumRow& d = CurrentDatum.Datum;
    const EllipsoidShift& e = CurrentDatum.Ellipsoid;
    Molodensky(Wgs84Major, Wgs84Flattening, -e.DA, -e.DF, -d.DX, -d.DY, -d.DZ, lat, lon, h);
    return true;
}

int ConvertDatum(double lon, double lat, double& outLon, double& outLat) {
    double h = 0.0;
    if (DatumCodeOf(InParm) != DatumWgs84 && !ShiftToWgs84(lat, lon, h)) {
        ReportDatumFailure(1);
        return 2002;
    }
    if (DatumCodeOf(OutParm) != DatumWgs84 && !ShiftFromWgs84(lat, lon, h)) {
        ReportDatumFailure(2);
        return 2002;
    }
    outLon = lon;
    outLat = lat;
    return OK;
}
