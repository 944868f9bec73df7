// Transverse Mercator: the meridional-distance series on the ellipsoid, the closed forms on the
// sphere. UTM sets it up from the zone number.
#include "projections/kovTm.h"

#include <cmath>

namespace {

constexpr double SphereEsLimit = 0.00001;
constexpr double InfinityTolerance = 1e-10;
constexpr int MaxIter = 6;
// Within this longitude of the central meridian the series of an ellipsoid no flatter than the
// spheroid table's bring every point back to within 3 mm, at every latitude; the closed forms
// of the sphere, to within a micrometre.
constexpr double SeriesReach = 4.0 * D2R;
constexpr double SeriesEsLimit = 0.007;
constexpr double UtmScale = 0.9996;
constexpr double UtmFalseEasting = 500000.0;
constexpr double UtmSouthFalseNorthing = 10000000.0;

struct TmState {
    double RMajor, RMinor, ScaleFactor, LonCenter, LatOrigin, FalseEasting, FalseNorthing;
    double Es, Esp, E0, E1, E2, E3, Ml0;
    // How far from the central meridian a point is placed without the round trip.
    double Reach;
    bool Sphere;
} T;

void Set(double major, double minor, double scale, double lonCenter, double latOrigin, double fe,
         double fn) {
    T.RMajor = major;
    T.RMinor = minor;
    T.ScaleFactor = scale;
    T.LonCenter = lonCenter;
    T.LatOrigin = latOrigin;
    T.FalseEasting = fe;
    T.FalseNorthing = fn;
    const double ratio = minor / major;
    T.Es = 1.0 - ratio * ratio;
    T.E0 = E0fn(T.Es);
    T.E1 = E1fn(T.Es);
    T.E2 = E2fn(T.Es);
    T.E3 = E3fn(T.Es);
    T.Ml0 = major * Mlfn(T.E0, T.E1, T.E2, T.E3, latOrigin);
    T.Sphere = T.Es < SphereEsLimit;
    T.Esp = T.Sphere ? 1.0 : T.Es / (1.0 - T.Es);
    T.Reach = T.Es <= SeriesEsLimit ? SeriesReach : 0.0;
}

} // namespace

int TmSetup(const ProjectionSetup& s) {
    Set(s.Major, s.Minor, s.P[2], s.P[4], s.P[5], s.FalseEasting, s.FalseNorthing);
    ReportAxes(s.Major, s.Minor);
    ReportValue("Scale Factor at C. Meridian:    ", s.P[2]);
    ReportCentralMeridian(s.P[4]);
    ReportOrigin(s.P[5]);
    ReportFalseOrigin(s.FalseEasting, s.FalseNorthing);
    return OK;
}

int UtmSetup(const ProjectionSetup& s) {
    const int zone = s.Zone < 0 ? -s.Zone : s.Zone;
    if (zone < 1 || zone > 60) {
        ReportProjectionError(s.Forward ? 11 : 12, 11);
        return 11;
    }
    const double centralMeridian = (zone * 6 - 183) * D2R;
    Set(s.Major, s.Minor, UtmScale, centralMeridian, 0.0, UtmFalseEasting,
        s.Zone < 0 ? UtmSouthFalseNorthing : 0.0);
    ReportIntValue(s.Zone, "Zone:     ");
    ReportAxes(s.Major, s.Minor);
    ReportValue("Scale Factor at C. Meridian:     ", UtmScale);
    ReportCentralMeridian(centralMeridian);
    return OK;
}

namespace {

// The series and closed forms at a longitude from the central meridian, without the check of
// their result.
int Forward(double dlon, double lat, double& x, double& y) {
    const double sinPhi = std::sin(lat), cosPhi = std::cos(lat);
    if (T.Sphere) {
        const double b = cosPhi * std::sin(dlon);
        if (std::fabs(std::fabs(b) - 1.0) < InfinityTolerance) {
            ReportProjectionError(93, 93);
            return 93;
        }
        x = 0.5 * T.RMajor * T.ScaleFactor * std::log((1.0 + b) / (1.0 - b)) + T.FalseEasting;
        // The angle whose cosine is cos(lat) cos(dlon) / sqrt(1 - b^2), taken from its sine and
        // cosine: the quotient rounds past one on the equator, where its arccosine is no number
        // or, just below one, a tenth of a metre off.
        double con = std::atan2(std::fabs(sinPhi), cosPhi * std::cos(dlon));
        if (lat < 0) con = -con;
        y = T.RMajor * T.ScaleFactor * (con - T.LatOrigin) + T.FalseNorthing;
        return OK;
    }
    const double al = cosPhi * dlon;
    const double als = al * al;
    const double c = T.Esp * cosPhi * cosPhi;
    const double tq = sinPhi / cosPhi;
    const double t = tq * tq;
    const double n = T.RMajor / std::sqrt(1.0 - T.Es * sinPhi * sinPhi);
    const double ml = T.RMajor * Mlfn(T.E0, T.E1, T.E2, T.E3, lat, sinPhi, cosPhi);
    x = T.ScaleFactor * n * al *
            (1.0 +
             als / 6.0 *
                 (1.0 - t + c + als / 20.0 * (5.0 - 18.0 * t + t * t + 72.0 * c - 58.0 * T.Esp))) +
        T.FalseEasting;
    y = T.ScaleFactor *
            (ml - T.Ml0 +
             n * tq *
                 (als * (0.5 + als / 24.0 *
                                   (5.0 - t + 9.0 * c + 4.0 * c * c +
                                    als / 30.0 *
                                        (61.0 - 58.0 * t + t * t + 600.0 * c - 330.0 * T.Esp))))) +
        T.FalseNorthing;
    return OK;
}

// Status 0 or 95, without a report: the forward's round trip asks it too.
int Inverse(double x, double y, double& lon, double& lat) {
    // A zero scale puts the whole map on the origin, from which no point comes back.
    if (T.ScaleFactor == 0.0) return 95;
    x -= T.FalseEasting;
    y -= T.FalseNorthing;
    if (T.Sphere) {
        const double f = std::exp(x / (T.RMajor * T.ScaleFactor));
        const double g = 0.5 * (f - 1.0 / f);
        const double temp = T.LatOrigin + y / (T.RMajor * T.ScaleFactor);
        const double h = std::cos(temp);
        const double con = std::sqrt((1.0 - h * h) / (1.0 + g * g));
        lat = Asinz(con);
        if (temp < 0) lat = -lat;
        lon = (g == 0 && h == 0) ? T.LonCenter : AdjustLon(std::atan2(g, h) + T.LonCenter);
        return OK;
    }
    const double con = (T.Ml0 + y / T.ScaleFactor) / T.RMajor;
    double phi = con;
    for (int i = 0;; ++i) {
        double s2, s4, s6;
        MultipleSines(phi, s2, s4, s6);
        const double dphi = (con + T.E1 * s2 - T.E2 * s4 + T.E3 * s6) / T.E0 - phi;
        phi += dphi;
        if (std::fabs(dphi) <= EPSLN) break;
        if (i >= MaxIter) return 95;
    }
    if (std::fabs(phi) < HALF_PI) {
        const double sinPhi = std::sin(phi), cosPhi = std::cos(phi), tanPhi = sinPhi / cosPhi;
        const double c = T.Esp * cosPhi * cosPhi;
        const double cs = c * c;
        const double t = tanPhi * tanPhi;
        const double ts = t * t;
        const double w = 1.0 - T.Es * sinPhi * sinPhi;
        const double n = T.RMajor / std::sqrt(w);
        const double r = n * (1.0 - T.Es) / w;
        const double d = x / (n * T.ScaleFactor);
        const double ds = d * d;
        lat = phi - (n * tanPhi * ds / r) *
                        (0.5 - ds / 24.0 *
                                   (5.0 + 3.0 * t + 10.0 * c - 4.0 * cs - 9.0 * T.Esp -
                                    ds / 30.0 *
                                        (61.0 + 90.0 * t + 298.0 * c + 45.0 * ts - 252.0 * T.Esp -
                                         3.0 * cs)));
        lon = AdjustLon(
            T.LonCenter +
            (d *
             (1.0 -
              ds / 6.0 *
                  (1.0 + 2.0 * t + c -
                   ds / 20.0 * (5.0 - 2.0 * c + 28.0 * t - 3.0 * cs + 8.0 * T.Esp + 24.0 * ts))) /
             cosPhi));
    } else {
        lat = HALF_PI * Sign(y);
        lon = T.LonCenter;
    }
    return OK;
}

} // namespace

int TmForward(double lon, double lat, double& x, double& y) {
    const double dlon = AdjustLon(lon - T.LonCenter);
    double east = 0.0, north = 0.0;
    const int status = Forward(dlon, lat, east, north);
    if (status != OK) return status;
    // The series hold near the central meridian only; farther off they place a point anywhere,
    // and where a point is still placed right its own inverse brings it back.
    if (std::fabs(dlon) > T.Reach) {
        double backLon = 0.0, backLat = 0.0;
        if (Inverse(east, north, backLon, backLat) != OK ||
            !(GroundMiss(T.RMajor, lon, lat, backLon, backLat) <= RoundTripTolerance)) {
            ReportProjectionError(93, PointCannotBeProjected);
            return PointCannotBeProjected;
        }
    }
    x = east;
    y = north;
    return OK;
}

int TmInverse(double x, double y, double& lon, double& lat) {
    const int status = Inverse(x, y, lon, lat);
    if (status != OK) ReportProjectionError(95, 95);
    return status;
}
