// Mercator with a latitude of true scale; the poles lie at infinity.
#include "projections/kovMer.h"

#include <cmath>

namespace {

struct {
    double RMajor, LonCenter, FalseEasting, FalseNorthing, E, M1;
} M;

} // namespace

int MerSetup(const ProjectionSetup& s) {
    const double latTrueScale = s.P[5];
    M.RMajor = s.Major;
    M.LonCenter = s.P[4];
    M.FalseEasting = s.FalseEasting;
    M.FalseNorthing = s.FalseNorthing;
    const double es = EccentricitySquared(s);
    M.E = std::sqrt(es);
    const double sinTs = std::sin(latTrueScale);
    M.M1 = std::cos(latTrueScale) / std::sqrt(1.0 - es * sinTs * sinTs);
    ReportAxes(s.Major, s.Minor);
    ReportCentralMeridian(M.LonCenter);
    ReportOrigin(latTrueScale);
    ReportFalseOrigin(M.FalseEasting, M.FalseNorthing);
    return OK;
}

int MerForward(double lon, double lat, double& x, double& y) {
    if (std::fabs(std::fabs(lat) - HALF_PI) <= EPSLN) {
        ReportProjectionError(53, 53);
        return 53;
    }
    const double ts = Tsfnz(M.E, lat, std::sin(lat));
    x = M.FalseEasting + M.RMajor * M.M1 * AdjustLon(lon - M.LonCenter);
    y = M.FalseNorthing - M.RMajor * M.M1 * std::log(ts);
    return OK;
}

int MerInverse(double x, double y, double& lon, double& lat) {
    x -= M.FalseEasting;
    y -= M.FalseNorthing;
    if (PastMapEdge(x, PI * M.RMajor * M.M1, UntaggedRoutine)) return InputDataError;
    int flag = 0;
    const double phi = phi2z(M.E, std::exp(-y / (M.RMajor * M.M1)), flag);
    if (flag != 0) return flag;
    lat = phi;
    lon = AdjustLon(M.LonCenter + x / (M.RMajor * M.M1));
    return OK;
}
