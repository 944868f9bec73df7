// Shared state of the projection library: the two parameter blocks, the set-up status, the
// message log with its error reporter and parameter-report lines, and the numerical support
// routines, spheroids and units every projection module uses.
#pragma once

#include <array>
#include <string>
#include <vector>

using ProjectionParameterBlock = std::array<double, 23>;

// Slots of a parameter block beyond the 15 projection parameters.
enum ProjectionSlot {
    SlotCode = 15,
    SlotUnits = 16,
    SlotUtmZone = 17,
    SlotDatum = 18,
    SlotSpheroid = 19,
    SlotStatePlaneZone = 20,
};

constexpr double HALF_PI = 1.5707963267948966;
constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 6.283185307179586;
constexpr double EPSLN = 1e-10;
constexpr double R2D = 57.2957795131;
constexpr double D2R = 0.01745329251994328;
constexpr double S2R = 4.848136811095359e-06;
constexpr int OK = 0;
constexpr int ERROR = -1;
constexpr int IN_BREAK = -2;
constexpr int MAXUNIT = 5;
constexpr int ProjectionHelpTopic = 123;
// "Input data error" from a routine the tag table has no line for: the log shows an empty tag
// line above the message.
constexpr int InputDataError = 115;
constexpr int UntaggedRoutine = -3;
// "Point cannot be projected", likewise for a routine without a tag of its own.
constexpr int PointCannotBeProjected = 153;
// "Illegal spheroid # N".
constexpr int IllegalSpheroid = 23;

extern ProjectionParameterBlock InParm;
extern ProjectionParameterBlock OutParm;
extern int InSys;
extern int OutSys;
extern int ProjectionInitError;
extern bool DatumShiftEnabled;
extern bool ProjectionErrorCheck;
extern int ProjectionLogLeft;
extern int ProjectionLogTop;
extern std::string ProjectionLogDirectory;
extern std::string ProjectionLogName;
// The lines of the message window's log; a message with a line break is two lines.
extern std::vector<std::string> ProjectionLog;

void InitProjectionLog(int x, int y, const std::string& dir, const std::string& name);
void ClearProjectionLog();
// The log as plain text, each line ended by CR LF, and its file: the log name with ".log".
std::string ProjectionLogText();
std::string ProjectionLogFileName();
bool SaveProjectionLog();

void ReportProjectionError(int where, int code, int n = 0, int n2 = 0, double r = 0.0);
// The arguments of the reporter's last call, so that a failure can be reported again where it
// stops later work.
struct ProjectionError {
    int Where = UntaggedRoutine;
    int Code = InputDataError;
    int N = 0;
    int N2 = 0;
    double R = 0.0;
};
extern ProjectionError LastProjectionError;
void ReportProjectionError(const ProjectionError& error);
void AddProjectionMessage(const std::string& text);
void ReportTitle(const std::string& title);
void ReportRadius(double r);
void ReportAxes(double major, double minor);
void ReportCenterLon(double a);
void ReportCentralMeridian(double a);
void ReportCenterLat(double a);
void ReportOrigin(double a);
void ReportStdParallels(double a1, double a2);
void ReportStdParallel(double a);
void ReportFalseOrigin(double e, double n);
void ReportValue(const std::string& label, double v);
void ReportIntValue(int i, const std::string& label);
void ReportBlank();

// A forward result whose own inverse brings it back farther than this, in metres, is refused.
constexpr double RoundTripTolerance = 1.0;
// The distance in metres between two places a small turn apart, on the sphere of the radius;
// no number when either is none.
double GroundMiss(double radius, double lon1, double lat1, double lon2, double lat2);

// Spheroids and units.
struct Spheroid {
    const char* Name;
    double Major;
    double Minor;
};
constexpr int SpheroidCount = 20;
extern const std::array<Spheroid, SpheroidCount> SpheroidTable;
constexpr int UnitCount = 6;
extern const double UnitFactorTable[UnitCount][UnitCount];

int untfz(int inUnit, int outUnit, double& factor);
std::string UnitCodeName(int code);
void SelectSpheroid(int code, const ProjectionParameterBlock& block, double& major, double& minor,
                    double& radius);
int CalcUtmZone(double lonDegrees);
// A code or count a block holds as a double, rounded to the nearest integer (halves to even);
// false for no number or one past the integers, which no rounding reads.
bool RoundedInteger(double value, int& rounded);

// Packed DDDMMMSSS.SS to degrees; flag 1116 and ERROR on a bad field.
double paksz(double packed, int& flag);
// Packed DDDMMSS.SS to DDDMMMSSS.SS.
double Pakcz(double packed);

double Asinz(double x);
double Msfnz(double eccent, double sinPhi, double cosPhi);
double Qsfnz(double eccent, double sinPhi, double cosPhi);
double Tsfnz(double eccent, double phi, double sinPhi);
int Sign(double x);
double AdjustLon(double x);
double E0fn(double x);
double E1fn(double x);
double E2fn(double x);
double E3fn(double x);
double E4fn(double e);
double Mlfn(double e0, double e1, double e2, double e3, double phi);
// The same series where the sine and cosine of phi are at hand.
double Mlfn(double e0, double e1, double e2, double e3, double phi, double sinPhi, double cosPhi);
// sin 2phi, sin 4phi and sin 6phi of the meridional series, from one sine and one cosine.
void MultipleSines(double phi, double& s2, double& s4, double& s6);

double phi1z(double eccent, double qs, int& flag);
double phi2z(double eccent, double ts, int& flag);
double phi3z(double ml, double e0, double e1, double e2, double e3, int& flag);
// Newton's steps of phi4z without its report: false when they did not settle.
bool Phi4zSteps(double es, double e0, double e1, double e2, double e3, double a, double b,
                double& c, double& phi);
double phi4z(double es, double e0, double e1, double e2, double e3, double a, double b, double& c,
             double& phi);
