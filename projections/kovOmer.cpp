// Hotine oblique Mercator: the conformal sphere of the aposphere, the central line from an
// azimuth through the centre or from two points, coordinates rectified by the azimuth and
// counted from the centre.
#include "projections/kovOmer.h"

#include <cmath>

namespace {

constexpr double PoleUlRounding = 1e-15;

struct {
    double RMajor, FalseEasting, FalseNorthing, E, Bl, Al, El, U, LonOrigin;
    double SinGam, CosGam, SinAz, CosAz;
} H;

int InputError(int where) {
    ReportProjectionError(where, where);
    return where;
}

// An origin within a hair of a pole, short of the set-up's own tolerance, still rounds the
// central line's constants to 0 or past any number; no point has a place on such a line.
bool CentralLineUsable() {
    for (double v : {H.Al, H.El, H.LonOrigin, H.SinGam, H.CosGam, H.SinAz, H.CosAz, H.U})
        if (!std::isfinite(v)) return false;
    return H.El > 0.0 && H.Al != 0.0;
}

} // namespace

int OmerSetup(const ProjectionSetup& s) {
    const double scale = s.P[2], latOrigin = s.P[5];
    const bool formB = s.P[12] != 0.0;
    H.RMajor = s.Major;
    H.FalseEasting = s.FalseEasting;
    H.FalseNorthing = s.FalseNorthing;
    const double es = EccentricitySquared(s);
    H.E = std::sqrt(es);
    const double sinPo = std::sin(latOrigin), cosPo = std::cos(latOrigin);
    double con = 1.0 - es * sinPo * sinPo;
    const double com = std::sqrt(1.0 - es);
    H.Bl = std::sqrt(1.0 + es * std::pow(cosPo, 4.0) / (1.0 - es));
    H.Al = H.RMajor * H.Bl * scale * com / con;
    double ts = 1.0, d = 1.0, f = 1.0;
    if (std::fabs(latOrigin) >= EPSLN) {
        ts = Tsfnz(H.E, latOrigin, sinPo);
        con = std::sqrt(con);
        d = H.Bl * com / (cosPo * con);
        if (d * d - 1.0 > 0.0)
            f = latOrigin >= 0 ? d + std::sqrt(d * d - 1.0) : d - std::sqrt(d * d - 1.0);
        else
            f = d;
    }
    H.El = f * std::pow(ts, H.Bl);
    ReportAxes(s.Major, s.Minor);
    ReportValue("Scale Factor at C. Meridian:    ", scale);
    ReportFalseOrigin(H.FalseEasting, H.FalseNorthing);
    double gama, alpha;
    if (formB) {
        const double azimuth = s.P[3], lonCenter = s.P[4];
        ReportValue("Azimuth of Central Line:    ", azimuth * R2D);
        ReportCenterLon(lonCenter);
        ReportCenterLat(latOrigin);
        const double absLat = std::fabs(latOrigin);
        if (absLat <= EPSLN || std::fabs(absLat - HALF_PI) <= EPSLN) return InputError(201);
        const double g = 0.5 * (f - 1.0 / f);
        gama = Asinz(std::sin(azimuth) / d);
        // The arcsine of g tan(gama), from its sine and cosine: at an azimuth of 90 degrees its
        // argument rounds about one, where the arcsine takes 1e-16 for 1e-8 and turns the
        // natural origin, metres off along the centre's meridian.
        H.LonOrigin =
            lonCenter - std::atan2(g * std::sin(azimuth), d * std::fabs(std::cos(azimuth))) / H.Bl;
        alpha = azimuth;
    } else {
        const double lon1 = s.P[8], lat1 = s.P[9], lat2 = s.P[11];
        double lon2 = s.P[10];
        if (s.Forward) {
            ReportValue("Longitude of First Point:    ", lon1 * R2D);
            ReportValue("Latitude of First Point:    ", lat1 * R2D);
            ReportValue("Longitude of Second Point:    ", lon2 * R2D);
            ReportValue("Latitude of Second Point:    ", lat2 * R2D);
        } else {
            ReportValue("Longitude of First Point:     ", lon1 * R2D);
            ReportValue("Latitude of First Point:      ", lat1 * R2D);
            ReportValue("Longitude of Second Point:    ", lon2 * R2D);
            ReportValue("Latitude of Second Point:     ", lat2 * R2D);
        }
        const double absLat1 = std::fabs(lat1);
        if (std::fabs(lat1 - lat2) <= EPSLN || absLat1 <= EPSLN ||
            std::fabs(absLat1 - HALF_PI) <= EPSLN ||
            std::fabs(std::fabs(latOrigin) - HALF_PI) <= EPSLN)
            return InputError(202);
        const double h = std::pow(Tsfnz(H.E, lat1, std::sin(lat1)), H.Bl);
        const double l = std::pow(Tsfnz(H.E, lat2, std::sin(lat2)), H.Bl);
        const double f1 = H.El / h;
        const double g = 0.5 * (f1 - 1.0 / f1);
        const double j = (H.El * H.El - l * h) / (H.El * H.El + l * h);
        const double p = (l - h) / (l + h);
        double dlon = lon1 - lon2;
        if (dlon < -PI) lon2 -= TWO_PI;
        if (dlon > PI) lon2 += TWO_PI;
        dlon = lon1 - lon2;
        H.LonOrigin = 0.5 * (lon1 + lon2) - std::atan(j * std::tan(0.5 * H.Bl * dlon) / p) / H.Bl;
        dlon = AdjustLon(lon1 - H.LonOrigin);
        gama = std::atan(std::sin(H.Bl * dlon) / g);
        alpha = Asinz(d * std::sin(gama));
    }
    H.SinGam = std::sin(gama);
    H.CosGam = std::cos(gama);
    H.SinAz = std::sin(alpha);
    H.CosAz = std::cos(alpha);
    // The centre's distance along the central line from the natural origin, whichever way the
    // azimuth turns the line: past 90 degrees the cosine's sign turned it, and with it the whole
    // map, 10 000 to 20 000 km off the false origin.
    H.U = (latOrigin >= 0 ? 1.0 : -1.0) * (H.Al / H.Bl) *
          std::atan2(std::sqrt(d * d - 1.0), std::fabs(H.CosAz));
    if (!CentralLineUsable()) return InputError(formB ? 201 : 202);
    return OK;
}

int OmerForward(double lon, double lat, double& x, double& y) {
    const double dlon = AdjustLon(lon - H.LonOrigin);
    const double vl = std::sin(H.Bl * dlon);
    double ul, us;
    if (std::fabs(std::fabs(lat) - HALF_PI) > EPSLN) {
        // On the aposphere a longitude spans B half turns: past one, the map laps over its
        // own points near the far meridian, and the inverse gives those others.
        if (std::fabs(H.Bl * dlon) > PI) {
            ReportProjectionError(205, PointCannotBeProjected);
            return PointCannotBeProjected;
        }
        const double q = H.El / std::pow(Tsfnz(H.E, lat, std::sin(lat)), H.Bl);
        const double s = 0.5 * (q - 1.0 / q);
        const double t = 0.5 * (q + 1.0 / q);
        ul = (s * H.SinGam - vl * H.CosGam) / t;
        // The distance along the central line is periodic; it is taken within a half period
        // of the natural origin. The published arctangent with a half period added behind the
        // globe's edge put every point of one far quarter a whole period, 40 000 km, away, and
        // near that edge took A B dlon for A dlon, kilometres off.
        us = H.Al * std::atan2(s * H.CosGam + vl * H.SinGam, std::cos(H.Bl * dlon)) / H.Bl;
    } else {
        ul = lat >= 0 ? H.SinGam : -H.SinGam;
        us = H.Al * lat / H.Bl;
    }
    if (std::fabs(std::fabs(ul) - 1.0) <= EPSLN) {
        ReportProjectionError(205, 205);
        return 205;
    }
    const double vs = 0.5 * H.Al * std::log((1.0 - ul) / (1.0 + ul)) / H.Bl;
    us -= H.U;
    x = H.FalseEasting + vs * H.CosAz + us * H.SinAz;
    y = H.FalseNorthing + us * H.CosAz - vs * H.SinAz;
    return OK;
}

int OmerInverse(double x, double y, double& lon, double& lat) {
    x -= H.FalseEasting;
    y -= H.FalseNorthing;
    const double vs = x * H.CosAz - y * H.SinAz;
    const double us = y * H.CosAz + x * H.SinAz + H.U;
    // The forward gives u within a half period of the natural origin; a point past that lies
    // off the map and would come back from the period's other end.
    if (PastMapEdge(us, PI * H.Al / H.Bl, UntaggedRoutine)) return InputDataError;
    const double q = std::exp(-H.Bl * vs / H.Al);
    const double s = 0.5 * (q - 1.0 / q);
    const double t = 0.5 * (q + 1.0 / q);
    const double vl = std::sin(H.Bl * us / H.Al);
    const double ul = (vl * H.CosGam + s * H.SinGam) / t;
    // 1 - |ul| falls with the square of the distance from a pole: the published snap onto the
    // pole within 1e-10 of it put points up to 64 m off. Only a rounding from it is the pole.
    if (std::fabs(std::fabs(ul) - 1.0) <= PoleUlRounding) {
        lon = H.LonOrigin;
        lat = ul >= 0 ? HALF_PI : -HALF_PI;
        return OK;
    }
    const double ts = std::pow(H.El / std::sqrt((1.0 + ul) / (1.0 - ul)), 1.0 / H.Bl);
    int flag = 0;
    const double phi = phi2z(H.E, ts, flag);
    if (flag != 0) return flag;
    lat = phi;
    const double con = std::cos(H.Bl * us / H.Al);
    lon = AdjustLon(H.LonOrigin - std::atan2(s * H.CosGam - vl * H.SinGam, con) / H.Bl);
    return OK;
}
