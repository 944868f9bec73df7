// Space oblique Mercator: the ground track of a sun-synchronous orbit mapped nearly true to
// scale. The series coefficients are Simpson sums over a quarter orbit in 9-degree steps.
#include "projections/kovSom.h"

#include "runtime/RtNumbers.h"

#include <cmath>

namespace {

constexpr double LandsatRatio = 0.5201613;
constexpr double MinutesPerDay = 1440.0;
// Landsat 1 to 3 and Landsat 4 and 5: inclination, period in minutes, the ascending
// longitude of path 0 and the paths of the cycle, numbered from 1, over which the step per path
// goes round the globe once.
constexpr double EarlyInclination = 99.092, EarlyPeriod = 103.2669323;
constexpr double EarlyAscending = 128.87;
constexpr int EarlyPaths = 251;
constexpr double LateInclination = 98.2, LatePeriod = 98.8841202;
constexpr double LateAscending = 129.3;
constexpr int LatePaths = 233;
constexpr int FirstLateSatellite = 4, LastSatellite = 5;
constexpr int MaxSteps = 50;
constexpr int MaxPasses = 3;
constexpr double ForwardTolerance = 1e-10;
constexpr double InverseTolerance = 1e-10;
constexpr double CosineFloor = 1e-9;
constexpr double OrbitCountLimit = 2147483647.0;
constexpr double TrackTolerance = 1e-7;

struct {
    double A, Es, LonCenter, FalseEasting, FalseNorthing, P21, Sa, Ca, W, Q, T, U, Xj;
    double A2, A4, B, C1, C3;
    bool Start;
} O;

// The integrand terms at one transformed longitude, weighted, added to the sums.
void SomSeries(double dlamDegrees, double weight) {
    const double dlam = dlamDegrees * D2R;
    const double sd = std::sin(dlam);
    const double sdsq = sd * sd;
    const double s = O.P21 * O.Sa * std::cos(dlam) *
                     std::sqrt((1.0 + O.T * sdsq) / ((1.0 + O.W * sdsq) * (1.0 + O.Q * sdsq)));
    const double qd = 1.0 + O.Q * sdsq;
    const double h =
        std::sqrt(qd / (1.0 + O.W * sdsq)) * ((1.0 + O.W * sdsq) / (qd * qd) - O.P21 * O.Ca);
    const double sq = std::sqrt(O.Xj * O.Xj + s * s);
    const double fb = weight * (h * O.Xj - s * s) / sq;
    O.B += fb;
    O.A2 += fb * std::cos(2.0 * dlam);
    O.A4 += fb * std::cos(4.0 * dlam);
    const double fc = weight * s * (h + O.Xj) / sq;
    O.C1 += fc * std::cos(dlam);
    O.C3 += fc * std::cos(3.0 * dlam);
}

double TrackS(double tlam) {
    const double sd = std::sin(tlam);
    const double sdsq = sd * sd;
    return O.P21 * O.Sa * std::cos(tlam) *
           std::sqrt((1.0 + O.T * sdsq) / ((1.0 + O.W * sdsq) * (1.0 + O.Q * sdsq)));
}

} // namespace

int SomSetup(const ProjectionSetup& s) {
    O.A = s.Major;
    O.Es = EccentricitySquared(s);
    O.FalseEasting = s.FalseEasting;
    O.FalseNorthing = s.FalseNorthing;
    const bool landsat = s.P[12] != 0.0;
    // Satellite, path and start flag are read as whole numbers; past the range of one they
    // cannot be rounded. The orbit form's period is a time shorter than the day: the iteration
    // on the track's longitude steps by the ratio of the two and from a ratio of one on no
    // longer settles, and a period of no length, or less, describes no orbit.
    bool unusable = !landsat && !(s.P[8] > 0.0 && s.P[8] < MinutesPerDay);
    for (int i : {2, 3, 10})
        unusable = unusable || !(std::fabs(s.P[i]) < OrbitCountLimit);
    const int satellite = unusable ? 0 : static_cast<int>(Round(s.P[2]));
    const int path = unusable ? 0 : static_cast<int>(Round(s.P[3]));
    const bool early = satellite < FirstLateSatellite;
    const int paths = early ? EarlyPaths : LatePaths;
    // A satellite or path the orbit table does not know has no ground track to follow. An
    // inclination past a half turn, or short of none, names an orbit flown the other way round,
    // whose every point came back mirrored; one within a hair of the equator's plane leaves the
    // track no direction across it, and the inverse loses which side of the equator it flies.
    if (landsat)
        unusable =
            unusable || satellite < 1 || satellite > LastSatellite || path < 1 || path > paths;
    else
        unusable = unusable || !(s.P[3] > 0.0 && s.P[3] < PI && std::sin(s.P[3]) >= TrackTolerance);
    if (unusable) {
        ReportProjectionError(UntaggedRoutine, InputDataError);
        return InputDataError;
    }
    double alf;
    if (landsat) {
        alf = (early ? EarlyInclination : LateInclination) * D2R;
        O.P21 = (early ? EarlyPeriod : LatePeriod) / MinutesPerDay;
        O.LonCenter = ((early ? EarlyAscending : LateAscending) - path * (360.0 / paths)) * D2R;
        O.Start = false;
    } else {
        alf = s.P[3];
        O.LonCenter = s.P[4];
        O.P21 = s.P[8] / MinutesPerDay;
        O.Start = Round(s.P[10]) != 0;
    }
    ReportAxes(s.Major, s.Minor);
    if (landsat) {
        ReportIntValue(path, "Path Number:    ");
        ReportIntValue(satellite, "Satellite Number:    ");
    }
    ReportValue("Inclination of Orbit:    ", alf * R2D);
    ReportValue("Longitude of Ascending Orbit:    ", O.LonCenter * R2D);
    ReportFalseOrigin(O.FalseEasting, O.FalseNorthing);
    ReportValue("Landsat Ratio:    ", LandsatRatio);

    O.Ca = std::cos(alf);
    if (std::fabs(O.Ca) < CosineFloor) O.Ca = CosineFloor;
    O.Sa = std::sin(alf);
    const double e2c = O.Es * O.Ca * O.Ca;
    const double e2s = O.Es * O.Sa * O.Sa;
    const double oneEs = 1.0 - O.Es;
    O.W = (1.0 - e2c) / oneEs;
    O.W = O.W * O.W - 1.0;
    O.Q = e2s / oneEs;
    O.T = (e2s * (2.0 - O.Es)) / (oneEs * oneEs);
    O.U = e2c / oneEs;
    O.Xj = oneEs * oneEs * oneEs;
    O.A2 = O.A4 = O.B = O.C1 = O.C3 = 0.0;
    SomSeries(0.0, 1.0);
    for (int i = 9; i <= 81; i += 18)
        SomSeries(i, 4.0);
    for (int i = 18; i <= 72; i += 18)
        SomSeries(i, 2.0);
    SomSeries(90.0, 1.0);
    O.A2 /= 30.0;
    O.A4 /= 60.0;
    O.B /= 30.0;
    O.C1 /= 15.0;
    O.C3 /= 45.0;
    return OK;
}

namespace {

// The map point of a place, or the status of a track iteration that did not settle.
int TrackPoint(double lon, double lat, double& x, double& y) {
    const double radlt = std::fmax(-HALF_PI, std::fmin(HALF_PI, lat));
    const double radln = lon - O.LonCenter;
    const double tanLat = std::tan(radlt);
    const double rlm = PI * LandsatRatio;
    const double rlm2 = rlm + TWO_PI;
    // The quadrant of the transformed longitude to start from: the descending half of the
    // orbit for the southern hemisphere; in the north the ascending half, or that of the next
    // orbit when the track is followed from its start.
    double tlamp = radlt < 0 ? 1.5 * PI : (O.Start ? 2.5 * PI : HALF_PI);
    double tlam = 0.0, xlamt = 0.0;
    for (int pass = 0;;) {
        double sav = tlamp;
        const double cl = std::cos(radln + O.P21 * tlamp);
        const double fac =
            cl < 0 ? tlamp + std::sin(tlamp) * HALF_PI : tlamp - std::sin(tlamp) * HALF_PI;
        for (int step = 0;; ++step) {
            xlamt = radln + O.P21 * sav;
            double c = std::cos(xlamt);
            if (std::fabs(c) < TrackTolerance) xlamt -= TrackTolerance;
            c = std::cos(xlamt);
            const double xlam = ((1.0 - O.Es) * tanLat * O.Sa + std::sin(xlamt) * O.Ca) / c;
            tlam = std::atan(xlam) + fac;
            if (std::fabs(std::fabs(sav) - std::fabs(tlam)) < ForwardTolerance) break;
            sav = tlam;
            if (step + 1 > MaxSteps) return 214;
        }
        if (++pass >= MaxPasses || (tlam > rlm && tlam < rlm2)) break;
        if (tlam <= rlm)
            tlamp = 2.5 * PI;
        else
            tlamp = HALF_PI;
    }
    const double sp = std::sin(radlt);
    const double tphi =
        Asinz(((1.0 - O.Es) * O.Ca * sp - O.Sa * std::cos(radlt) * std::sin(xlamt)) /
              std::sqrt(1.0 - O.Es * sp * sp));
    const double tanlg = std::log(std::tan(PI / 4.0 + tphi / 2.0));
    const double sd = std::sin(tlam);
    const double s = TrackS(tlam);
    const double d = std::sqrt(O.Xj * O.Xj + s * s);
    x = O.A * (O.B * tlam + O.A2 * std::sin(2.0 * tlam) + O.A4 * std::sin(4.0 * tlam) -
               tanlg * s / d) +
        O.FalseEasting;
    y = O.A * (O.C1 * sd + O.C3 * std::sin(3.0 * tlam) + tanlg * O.Xj / d) + O.FalseNorthing;
    return OK;
}

// The place of a map point, or the status of a track iteration that did not settle.
int PlaceOfPoint(double x, double y, double& lon, double& lat) {
    x = (x - O.FalseEasting) / O.A;
    y = (y - O.FalseNorthing) / O.A;
    double tlon = x / O.B;
    double s = 0.0;
    for (int step = 0;; ++step) {
        const double sav = tlon;
        s = TrackS(tlon);
        tlon = (x + y * s / O.Xj - O.A2 * std::sin(2.0 * tlon) - O.A4 * std::sin(4.0 * tlon) -
                (s / O.Xj) * (O.C1 * std::sin(tlon) + O.C3 * std::sin(3.0 * tlon))) /
               O.B;
        if (std::fabs(tlon - sav) < InverseTolerance) break;
        if (step + 1 > MaxSteps) return 214;
    }
    const double st = std::sin(tlon);
    const double defac = std::exp(std::sqrt(1.0 + s * s / O.Xj / O.Xj) *
                                  (y - O.C1 * st - O.C3 * std::sin(3.0 * tlon)));
    const double tlat = 2.0 * (std::atan(defac) - PI / 4.0);
    const double dd = st * st;
    if (std::fabs(std::cos(tlon)) < TrackTolerance) tlon -= TrackTolerance;
    const double bigk = std::sin(tlat);
    const double bigk2 = bigk * bigk;
    double xlamt = std::atan(
        ((1.0 - bigk2 / (1.0 - O.Es)) * std::tan(tlon) * O.Ca -
         bigk * O.Sa * std::sqrt((1.0 + O.Q * dd) * (1.0 - bigk2) - bigk2 * O.U) / std::cos(tlon)) /
        (1.0 - bigk2 * (1.0 + O.U)));
    const double sl = xlamt >= 0 ? 1.0 : -1.0;
    const double scl = std::cos(tlon) >= 0 ? 1.0 : -1.0;
    xlamt -= HALF_PI * (1.0 - scl) * sl;
    const double dlon = xlamt - O.P21 * tlon;
    lat = std::atan((std::tan(tlon) * std::cos(xlamt) - O.Ca * std::sin(xlamt)) /
                    ((1.0 - O.Es) * O.Sa));
    lon = AdjustLon(dlon + O.LonCenter);
    return OK;
}

// The place of a map point that the forward gives back within a metre, or the status of its
// failure.
int CheckedPlace(double x, double y, double& lon, double& lat) {
    if (PlaceOfPoint(x, y, lon, lat) != OK) return 214;
    double backX = 0.0, backY = 0.0;
    if (TrackPoint(lon, lat, backX, backY) != OK ||
        !(std::hypot(backX - x, backY - y) <= RoundTripTolerance))
        return InputDataError;
    return OK;
}

} // namespace

// Away from the orbits of real satellites the series and the track iterations still give
// numbers, but for many points not the place their inverse gives back: the iteration settled on
// another turn of the track, or the series no longer describe it, and the map breaks at the
// equator, where the iteration starts from another turn. Only a place and a map point that give
// each other back within a metre are placed.
int SomForward(double lon, double lat, double& x, double& y) {
    if (TrackPoint(lon, lat, x, y) != OK) {
        ReportProjectionError(214, 214);
        return 214;
    }
    double backLon = 0.0, backLat = 0.0;
    if (CheckedPlace(x, y, backLon, backLat) != OK ||
        !(GroundMiss(O.A, lon, lat, backLon, backLat) <= RoundTripTolerance)) {
        ReportProjectionError(214, PointCannotBeProjected);
        return PointCannotBeProjected;
    }
    return OK;
}

int SomInverse(double x, double y, double& lon, double& lat) {
    const int status = CheckedPlace(x, y, lon, lat);
    if (status != OK) ReportProjectionError(215, status);
    return status;
}
