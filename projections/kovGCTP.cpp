// Set-up and transformation entry points. Each side (source and target) remembers its code and
// whether its set-up failed, so that a failed set-up is never followed by a transformation with
// whatever values the failing module had left.
#include "projections/kovGCTP.h"

#include "projections/kovAlber.h"
#include "projections/kovAlcon.h"
#include "projections/kovAzim.h"
#include "projections/kovEqcon.h"
#include "projections/kovEqui.h"
#include "projections/kovGnom.h"
#include "projections/kovGood.h"
#include "projections/kovGvnsp.h"
#include "projections/kovHam.h"
#include "projections/kovImolw.h"
#include "projections/kovLamaz.h"
#include "projections/kovLamcc.h"
#include "projections/kovMer.h"
#include "projections/kovMill.h"
#include "projections/kovMolw.h"
#include "projections/kovObleq.h"
#include "projections/kovOmer.h"
#include "projections/kovOrth.h"
#include "projections/kovPoly.h"
#include "projections/kovPs.h"
#include "projections/kovRob.h"
#include "projections/kovSin.h"
#include "projections/kovSom.h"
#include "projections/kovStatePlane.h"
#include "projections/kovSter.h"
#include "projections/kovTm.h"
#include "projections/kovVandg.h"
#include "projections/kovWiv.h"
#include "projections/kovWvii.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr uint16_t A(int i) {
    return static_cast<uint16_t>(1u << i);
}
constexpr uint16_t CentreAngles = A(4) | A(5);
constexpr uint16_t ConicAngles = A(2) | A(3) | A(4) | A(5);
constexpr double UtmScaleFactor = 0.9996;

// Indexed by projection code.
const ProjectionModule Modules[ProjectionCodeCount] = {
    {nullptr, 0, 0, nullptr, nullptr, nullptr},
    {"UNIVERSAL TRANSVERSE MERCATOR (UTM)", 0, 0, UtmSetup, TmForward, TmInverse},
    {"STATE PLANE", 0, 0, StatePlaneSetup, StatePlaneForward, StatePlaneInverse},
    {"ALBERS CONICAL EQUAL-AREA", ConicAngles, ConicAngles, AlberSetup, AlberForward, AlberInverse},
    {"LAMBERT CONFORMAL CONIC", ConicAngles, ConicAngles, LamccSetup, LamccForward, LamccInverse},
    {"MERCATOR", CentreAngles, CentreAngles, MerSetup, MerForward, MerInverse},
    {"POLAR STEREOGRAPHIC", CentreAngles, CentreAngles, PsSetup, PsForward, PsInverse},
    {"POLYCONIC", CentreAngles, CentreAngles, PolySetup, PolyForward, PolyInverse},
    {"EQUIDISTANT CONIC", ConicAngles, ConicAngles, EqconSetup, EqconForward, EqconInverse},
    {"TRANSVERSE MERCATOR (TM)", CentreAngles, CentreAngles, TmSetup, TmForward, TmInverse},
    {"STEREOGRAPHIC", CentreAngles, CentreAngles, SterSetup, SterForward, SterInverse},
    {"LAMBERT AZIMUTHAL EQUAL-AREA", CentreAngles, CentreAngles, LamazSetup, LamazForward,
     LamazInverse},
    {"AZIMUTHAL EQUIDISTANT", CentreAngles, CentreAngles, AzimSetup, AzimForward, AzimInverse},
    {"GNOMONIC", CentreAngles, CentreAngles, GnomSetup, GnomForward, GnomInverse},
    {"ORTHOGRAPHIC", CentreAngles, CentreAngles, OrthSetup, OrthForward, OrthInverse},
    {"GENERAL VERTICAL NEAR-SIDE PERSPECTIVE", CentreAngles, CentreAngles, GvnspSetup, GvnspForward,
     GvnspInverse},
    {"SINUSOIDAL", A(4), A(4), SinSetup, SinForward, SinInverse},
    {"EQUIRECTANGULAR", CentreAngles, CentreAngles, EquiSetup, EquiForward, EquiInverse},
    {"MILLER CYLINDRICAL", A(4), A(4), MillSetup, MillForward, MillInverse},
    {"VAN DER GRINTEN", A(4), A(4), VandgSetup, VandgForward, VandgInverse},
    {"OBLIQUE MERCATOR (HOTINE)", A(5) | A(8) | A(9) | A(10) | A(11), A(3) | A(4) | A(5), OmerSetup,
     OmerForward, OmerInverse},
    {"ROBINSON", A(4), A(4), RobSetup, RobForward, RobInverse},
    {"SPACE OBLIQUE MERCATOR", A(3) | A(4), 0, SomSetup, SomForward, SomInverse},
    {"ALASKA CONFORMAL", 0, 0, AlconSetup, AlconForward, AlconInverse},
    {"GOODE S HOMOLOSINE EQUAL-AREA", 0, 0, GoodSetup, GoodForward, GoodInverse},
    {"MOLLWEIDE", A(4), A(4), MolwSetup, MolwForward, MolwInverse},
    {"INTERRUPTED MOLLWEIDE EQUAL-AREA", 0, 0, ImolwSetup, ImolwForward, ImolwInverse},
    {"HAMMER", A(4), A(4), HamSetup, HamForward, HamInverse},
    {"WAGNER IV", A(4), A(4), WivSetup, WivForward, WivInverse},
    {"WAGNER VII", A(4), A(4), WviiSetup, WviiForward, WviiInverse},
    {"OBLATED EQUAL-AREA", A(4) | A(5) | A(8), A(4) | A(5) | A(8), ObleqSetup, ObleqForward,
     ObleqInverse},
};

constexpr int CodeUtm = 1;
constexpr int CodeStatePlane = 2;
constexpr int CodeEquidistantConic = 8;
constexpr int CodeTm = 9;
constexpr int CodePerspective = 15;
constexpr int CodeHotine = 20;
constexpr int CodeSom = 22;
constexpr int CodeAlaska = 23;
constexpr int CodeGoode = 24;
constexpr int CodeInterruptedMollweide = 26;
constexpr int CodeOblatedEqualArea = 30;

constexpr int U = UntaggedRoutine;

// By code, the routine tags of the forward and inverse set-up (Hotine's those of its two-point
// form) and of the forward and inverse routine, for the failures the dispatch finds itself: a
// parameter the formulas cannot use, and a point a routine returned without a place.
struct RoutineTags {
    int SetupForward, SetupInverse, Forward, Inverse;
};
const RoutineTags Tags[ProjectionCodeCount] = {
    {U, U, U, U},       {11, 12, 93, 95}, {21, 21, U, U},   {31, 32, U, U},   {41, 42, 41, 42},
    {U, U, 53, U},      {U, U, U, U},     {U, U, U, U},     {81, 81, 81, 81}, {U, U, 93, 95},
    {U, U, 103, U},     {U, U, 113, 115}, {U, U, 123, 125}, {U, U, 133, U},   {U, U, 143, 145},
    {U, U, 153, 155},   {U, U, U, 164},   {U, U, U, 174},   {U, U, U, U},     {U, U, U, U},
    {202, 202, 205, U}, {U, U, U, 234},   {U, U, 214, 215}, {U, U, U, 235},   {U, U, 251, 252},
    {U, U, 242, U},     {U, U, 241, U},   {U, U, U, U},     {U, U, 243, U},   {U, U, U, U},
    {U, U, U, U},
};

// The parameters each projection reads as latitudes; Hotine's two-point form adds the points'.
uint16_t LatitudeParameters(int code, bool hotineTwoPoints) {
    switch (code) {
    case 3:
    case 4:
    case 8:
        return A(2) | A(3) | A(5);
    case 5:
    case 6:
    case 7:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 17:
    case 30:
        return A(5);
    case CodeHotine:
        return hotineTwoPoints ? A(5) | A(9) | A(11) : A(5);
    default:
        return 0;
    }
}

// The parameters no projection can take at a pole, or a rounding from it: Lambert's standard
// parallels (the cone is then a plane touching at the pole, and its constant is lost to the
// rounding of the angle long before), and the latitude of true scale of Mercator and the
// equirectangular (the map has no width).
uint16_t PoleFreeParameters(int code) {
    switch (code) {
    case 4:
        return A(2) | A(3);
    case 5:
    case 17:
        return A(5);
    default:
        return 0;
    }
}
// A fifth of an arc second, six metres on the ground.
constexpr double PoleTolerance = 1e-6;

// Polyconic, equidistant conic and TM measure along the meridian by a series in the
// eccentricity squared that leaves out its fourth power and beyond: about 0.08 e^8 of the major
// axis (a millimetre on the spheroids of the table, three metres at e^2 = 0.05). The formulas
// take differences of it at up to three latitudes (point, origin, parallel): past a quarter of
// a metre no point keeps to the metre.
bool UsesMeridianSeries(int code) {
    return code == 7 || code == 8 || code == 9;
}
bool MeridianSeriesHold(double es, double major) {
    constexpr double LeftOutTerms = 0.08;
    constexpr double SeriesMissLimit = 0.25;
    return LeftOutTerms * es * es * es * es * major <= SeriesMissLimit;
}

// The projections whose formulas take the spheroid's two axes; UTM and State Plane have their
// axes from the table or the zone file, the others only the sphere radius.
bool UsesAxes(int code) {
    return (code >= 3 && code <= 9) || code == CodeHotine || code == CodeSom || code == CodeAlaska;
}

bool HasFalseOrigin(int code) {
    return code != CodeUtm && code != CodeStatePlane && code != CodeGoode &&
           code != CodeInterruptedMollweide;
}

// The parameters a set-up reads as plain numbers, apart from its angles, by what they hold.
struct RealParameters {
    uint16_t Lengths = 0;
    uint16_t Scales = 0;
    uint16_t Numbers = 0;
};

RealParameters RealParametersOf(int code, bool p12Zero, bool axesGiven) {
    RealParameters r;
    if (axesGiven && code != CodeUtm && code != CodeStatePlane) r.Lengths |= A(0) | A(1);
    if (HasFalseOrigin(code)) r.Lengths |= A(6) | A(7);
    switch (code) {
    case CodeEquidistantConic:
        r.Numbers |= A(8);
        break;
    case CodeTm:
        r.Scales |= A(2);
        break;
    case CodePerspective:
        r.Lengths |= A(2);
        break;
    case CodeHotine:
        r.Scales |= A(2);
        r.Numbers |= A(12);
        break;
    case CodeSom:
        r.Numbers |= A(12) | (p12Zero ? A(8) : 0);
        break;
    case CodeOblatedEqualArea:
        r.Numbers |= A(2) | A(3);
        break;
    default:
        break;
    }
    return r;
}

// A real parameter no formula can use: no number, an infinity, a length past what the map holds
// to the metre, a scale factor that is not positive or scales the globe past it. Such values
// placed points at 10^300, or inverted every point to one place.
bool UnusableReal(const ProjectionParameterBlock& block, const RealParameters& reads,
                  double major) {
    for (int i = 0; i < 15; ++i) {
        const double v = block[i];
        if (((reads.Lengths & A(i)) && !UsableLength(v)) ||
            ((reads.Scales & A(i)) && !UsableScale(v, major)) ||
            ((reads.Numbers & A(i)) && !std::isfinite(v)))
            return true;
        // The false origin is in map metres, a scale factor's share of the ground's: it must
        // hold a metre of the ground.
        for (int origin : {6, 7})
            if ((reads.Scales & A(i)) && (reads.Lengths & A(origin)) &&
                !UsableLength(block[origin] / v))
                return true;
    }
    return false;
}

// One side's remembered code, its set-up status and, after a failed set-up, what that set-up
// reported: each transformation by the side reports it again, so that no point it turns away
// goes unexplained.
struct Side {
    int* Sys;
    int Status = OK;
    ProjectionError Error;
};
Side InverseSide{&InSys, OK, {}};
Side ForwardSide{&OutSys, OK, {}};

// A packed angle to degrees or radians; a bad field ends the set-up with its flag.
bool PackedToDegrees(double packed, double& degrees) {
    int flag = 0;
    degrees = paksz(packed, flag);
    if (flag == 0) return true;
    ProjectionInitError = flag;
    return false;
}

bool PackedToRadians(double packed, double& radians) {
    if (!PackedToDegrees(packed, radians)) return false;
    radians = radians * 3600.0 * S2R;
    return true;
}

// What the set-up accepts but the projection's formulas cannot use: axes that are no
// ellipsoid (a minor axis of 0 or longer than the major), given axes that draw a globe smaller
// than the smallest one, and a latitude past a pole. The formulas would give no number for
// every point, or points off the globe.
int UnusableParameter(const ProjectionSetup& s, int tag, bool hotineTwoPoints) {
    const bool axesGiven = s.Spheroid < 0 && s.Code != CodeUtm && s.Code != CodeStatePlane;
    if ((UsesAxes(s.Code) && !(std::isfinite(s.Major) && s.Minor > 0.0 && s.Minor <= s.Major)) ||
        (axesGiven && !(s.Major >= SmallestGlobe))) {
        ReportProjectionError(tag, IllegalSpheroid, s.Spheroid);
        return IllegalSpheroid;
    }
    if (UsesMeridianSeries(s.Code) && !MeridianSeriesHold(EccentricitySquared(s), s.Major)) {
        ReportProjectionError(tag, IllegalSpheroid, s.Spheroid);
        return IllegalSpheroid;
    }
    const uint16_t latitudes = LatitudeParameters(s.Code, hotineTwoPoints);
    const uint16_t poleFree = PoleFreeParameters(s.Code);
    for (int i = 0; i < 15; ++i) {
        const double lat = std::fabs(s.P[i]);
        if (((latitudes & A(i)) && lat > HALF_PI + EPSLN) ||
            ((poleFree & A(i)) && lat > HALF_PI - PoleTolerance)) {
            ReportProjectionError(tag, InputDataError);
            return InputDataError;
        }
    }
    return OK;
}

void Refuse(Side& side, int status) {
    ProjectionInitError = status;
    side.Status = status;
    side.Error = LastProjectionError;
}

// A slot that no rounding or formula reads. Refused like any unusable parameter: left as it was,
// the side would go on with its previous set-up, or copy its points unchanged as a geographic
// one.
void RefuseUnreadable(Side& side, int tag) {
    ReportProjectionError(tag, InputDataError);
    Refuse(side, InputDataError);
}

void SetUp(const ProjectionParameterBlock& block, bool forward, Side& side) {
    int code = 0;
    if (!RoundedInteger(block[SlotCode], code)) {
        RefuseUnreadable(side, UntaggedRoutine);
        return;
    }
    // A code outside the table names no projection. Left as it was, the side would go on
    // placing points by the projection set up before, and say nothing.
    if (code < 0 || code >= ProjectionCodeCount) {
        ReportProjectionError(-1, -1);
        Refuse(side, ERROR);
        return;
    }
    if (code == 0) {
        *side.Sys = 0;
        side.Status = 0;
        return;
    }
    const ProjectionModule& module = Modules[code];
    const bool p12Zero = block[12] == 0.0;
    const int tag = code == CodeHotine && !p12Zero ? 201
                    : forward                      ? Tags[code].SetupForward
                                                   : Tags[code].SetupInverse;
    ProjectionSetup s;
    s.Forward = forward;
    s.Code = code;
    // Only UTM and State Plane read a zone.
    const bool zoned = code == CodeUtm || code == CodeStatePlane;
    if (!RoundedInteger(block[SlotSpheroid], s.Spheroid) ||
        (zoned &&
         !RoundedInteger(block[code == CodeUtm ? SlotUtmZone : SlotStatePlaneZone], s.Zone))) {
        RefuseUnreadable(side, tag);
        return;
    }
    SelectSpheroid(s.Spheroid, block, s.Major, s.Minor, s.Radius);
    if (UnusableReal(block, RealParametersOf(code, p12Zero, s.Spheroid < 0), s.Major)) {
        RefuseUnreadable(side, tag);
        return;
    }
    if (HasFalseOrigin(code)) {
        s.FalseEasting = block[6];
        s.FalseNorthing = block[7];
    }
    const uint16_t angles = p12Zero ? module.AnglesWhenP12Zero : module.AnglesWhenP12Set;
    for (int i = 0; i < 15; ++i) {
        s.P[i] = block[i];
        if ((angles & A(i)) && !PackedToRadians(block[i], s.P[i])) {
            Refuse(side, ProjectionInitError);
            return;
        }
    }
    if (code == CodeUtm) {
        if (s.Spheroid < 0) {
            s.Major = SpheroidTable[0].Major;
            s.Minor = SpheroidTable[0].Minor;
        }
        if (s.Zone == 0) {
            // The zone comes from the degrees themselves: through radians and back, a point on
            // a zone's western edge (72 degrees west) lands in the zone before it.
            double lon = 0.0, lat = 0.0;
            if (!PackedToDegrees(block[0], lon) || !PackedToDegrees(block[1], lat)) {
                Refuse(side, ProjectionInitError);
                return;
            }
            s.Zone = CalcUtmZone(lon);
            if (lat < 0.0) s.Zone = -s.Zone;
        }
        s.P[2] = UtmScaleFactor;
    }
    if (code == CodeOblatedEqualArea) ReportBlank();
    // State Plane writes its title only when it reads a zone record.
    if (code != CodeStatePlane) ReportTitle(module.Title);
    const bool hotineTwoPoints = code == CodeHotine && p12Zero;
    // What a module that fails without a report of its own leaves for its points to report.
    LastProjectionError = {tag, InputDataError};
    int result = UnusableParameter(s, tag, hotineTwoPoints);
    if (result == OK && module.Setup) result = module.Setup(s);
    *side.Sys = code;
    side.Status = OK;
    if (result != OK) Refuse(side, result);
}

// An inverse latitude this little past a pole (0.6 m on the Earth) is the pole: a meridian
// series that holds to the metre may bring the pole back as far beyond it.
constexpr double PoleOvershoot = 1e-7;

// A routine's result that is no place: a value that is no number, or a latitude past a pole.
// A longitude comes back within the half turns either side of Greenwich and a latitude just
// past a pole comes back on it.
int Unplaced(int sys, bool forward, double& a, double& b) {
    if (std::isfinite(a) && std::isfinite(b)) {
        if (forward) return OK;
        if (std::fabs(b) <= HALF_PI + PoleOvershoot) {
            a = AdjustLon(a);
            b = std::clamp(b, -HALF_PI, HALF_PI);
            return OK;
        }
    }
    const RoutineTags& tags = Tags[sys];
    const int code = forward ? PointCannotBeProjected : InputDataError;
    ReportProjectionError(forward ? tags.Forward : tags.Inverse, code);
    return code;
}

int Transform(const Side& side, bool forward, double a, double b, double& outA, double& outB) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    if (side.Status != OK) {
        ReportProjectionError(side.Error);
        outA = outB = NaN;
        return side.Status;
    }
    const int sys = *side.Sys;
    if (sys == 0) {
        outA = a;
        outB = b;
        return OK;
    }
    const ProjectionModule& module = ProjectionModuleOf(sys);
    const ProjectionTransform routine = forward ? module.Forward : module.Inverse;
    if (!routine) {
        ReportProjectionError(-1, -1);
        outA = outB = NaN;
        return ERROR;
    }
    int result = routine(a, b, outA, outB);
    if (result == OK) result = Unplaced(sys, forward, outA, outB);
    if (result != OK) outA = outB = NaN;
    return result;
}

} // namespace

bool UsableLength(double metres) {
    return std::fabs(metres) < MetreResolutionLimit;
}

bool UsableScale(double scale, double major) {
    return scale > 0.0 && scale * major >= SmallestGlobe && UsableLength(scale * major);
}

bool SecantParallels(double& lat1, double& lat2) {
    if (std::fabs(lat1 - lat2) >= CoincidentParallels) return true;
    lat1 = lat2 = 0.5 * (lat1 + lat2);
    return false;
}

void ReportConicSetup(const ProjectionSetup& s) {
    ReportAxes(s.Major, s.Minor);
    ReportStdParallels(s.P[2], s.P[3]);
    ReportCentralMeridian(s.P[4]);
    ReportOrigin(s.P[5]);
    ReportFalseOrigin(s.FalseEasting, s.FalseNorthing);
}

void ConePolar(double x, double y, double rh, double ns, double& rho, double& theta) {
    const double sign = ns >= 0 ? 1.0 : -1.0;
    y = rh - y;
    rho = sign * std::sqrt(x * x + y * y);
    theta = rho != 0 ? std::atan2(sign * x, sign * y) : 0.0;
}

bool PastMapEdge(double x, double halfWidth, int tag) {
    if (std::fabs(x) <= halfWidth + RoundTripTolerance) return false;
    ReportProjectionError(tag, InputDataError);
    return true;
}

bool OutsideCone(double rho, double theta, double ns, int tag) {
    const double excess = std::fabs(theta) - PI * std::fabs(ns);
    if (!(excess > 0.0)) return false;
    const double distance = std::fabs(rho) * (excess < HALF_PI ? std::sin(excess) : 1.0);
    if (distance <= RoundTripTolerance) return false;
    ReportProjectionError(tag, InputDataError);
    return true;
}

bool PastFarPoleRounding(double rho, double power, double fromPole, int tag) {
    if (std::fabs(rho * power) * PoleDistanceRounding <= RoundTripTolerance * fromPole)
        return false;
    ReportProjectionError(tag, PointCannotBeProjected);
    return true;
}

const ProjectionModule& ProjectionModuleOf(int code) {
    static const ProjectionModule none{nullptr, 0, 0, nullptr, nullptr, nullptr};
    return code >= 0 && code < ProjectionCodeCount ? Modules[code] : none;
}

void InverseInit() {
    SetUp(InParm, false, InverseSide);
}

void ForwardInit() {
    SetUp(OutParm, true, ForwardSide);
}

int InverseTransform(double x, double y, double& lon, double& lat) {
    return Transform(InverseSide, false, x, y, lon, lat);
}

int ForwardTransform(double lon, double lat, double& x, double& y) {
    return Transform(ForwardSide, true, lon, lat, x, y);
}
