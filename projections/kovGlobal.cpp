// The projection library's shared state, its message log with the error reporter and the
// parameter-report lines.
#include "projections/kovGlobal.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"

#include <utility>

ProjectionParameterBlock InParm{};
ProjectionParameterBlock OutParm{};
int InSys = 0;
int OutSys = 0;
int ProjectionInitError = 0;
bool DatumShiftEnabled = false;
bool ProjectionErrorCheck = false;
int ProjectionLogLeft = 0;
int ProjectionLogTop = 0;
std::string ProjectionLogDirectory;
std::string ProjectionLogName;
std::vector<std::string> ProjectionLog;
ProjectionError LastProjectionError;

namespace {

const std::pair<int, const char*> RoutineTags[] = {
    {-1, "User defined"},
    {0, "INFORMATIONAL"},
    {1, "phi1z-conv"},
    {2, "phi2z-conv"},
    {3, "PHI3Z-CONV"},
    {4, "phi4z-conv"},
    {5, "untfz-unit"},
    {7, "File Functions"},
    {11, "utm-forint"},
    {12, "utm-invint"},
    {21, "state-init"},
    {31, "alber-forinit"},
    {32, "alber-invinit"},
    {41, "lamcc-for"},
    {42, "lamcc-inv"},
    {53, "mer-forward"},
    {81, "eqcon_for"},
    {93, "tm-for"},
    {95, "TM-INVERSE"},
    {103, "ster-for"},
    {113, "lamaz-forward"},
    {115, "lamaz-inverse"},
    {123, "azim-for"},
    {125, "azim-inv"},
    {133, "gnomfor-conv"},
    {143, "orth-for"},
    {145, "orth-inv"},
    {153, "gvnsp-for"},
    {155, "gvnsp-for"},
    {164, "sinusoidal-inverse"},
    {174, "equi-inv"},
    {201, "omer-init"},
    {202, "omer-init..omerforint..omerinvint"},
    {205, "omer-for"},
    {214, "som-forward"},
    {215, "som-inverse"},
    {234, "robinv-conv"},
    {235, "alcon-inv"},
    {241, "IntMoll-forward"},
    {242, "Mollweide-forward"},
    {243, "Wagneriv-Forward"},
    {251, "goode-forward"},
    {252, "goode-inverse"},
    {1101, "untfz-code"},
    {1116, "paksz-deg"},
    {1117, "paksz-min"},
    {1118, "paksz-sec"},
    {2002, "Datum Conversion"},
};

// Messages whose text takes no argument; codes sharing a text are listed once each.
const std::pair<int, const char*> FixedMessages[] = {
    {-1, "Unsupported format"},
    {0, "Invalid spheroid selection\nReset to 0"},
    {2, "Convergence error"},
    {3, "Latitude failed to converge after 15 iterations"},
    {4, "Latitude failed to converge"},
    {5, "Illegal source or target unit code"},
    {6, "Output file name not specified"},
    {7, "Read Write file Error"},
    {11, "Illegal zone number"},
    {22, "Error opening State Plane parameter file"},
    {31, "Equal latitudes for St. Parallels\non opposite sides of equator"},
    {41, "Equal Latitudes for St. Parallels\non opposite sides of equator"},
    {44, "Point can not be projected"},
    {143, "Point can not be projected"},
    {53, "Transformation cannot be computed at the poles"},
    {81, "Standard Parallels on opposite sides of equator"},
    {93, "Point projects into infinity"},
    {103, "Point projects into infinity"},
    {133, "Point projects into infinity"},
    {205, "Point projects into infinity"},
    {95, "Latitude failed to converge"},
    {115, "Input data error"},
    {125, "Input data error"},
    {145, "Input data error"},
    {155, "Input data error"},
    {164, "Input data error"},
    {174, "Input data error"},
    {201, "Input data error"},
    {202, "Input data error"},
    {252, "Input data error"},
    {153, "Point cannot be projected"},
    {214, "50 iterations without convergence"},
    {234, "Too many iterations in inverse"},
    {235, "Too many iterations in inverse"},
    {236, "Too many iterations in inverse"},
    {241, "Iteration failed to converge"},
    {251, "Iteration failed to converge"},
    {1116, "Illegal DMS field"},
};

template <size_t N> std::string Lookup(const std::pair<int, const char*> (&table)[N], int key) {
    for (const auto& [k, text] : table)
        if (k == key) return text;
    return {};
}

std::string MessageFor(int code, int n, int n2, double r) {
    switch (code) {
    case 21:
        return "Illegal zone #" + IntToStr(n) + " for spheroid # " + IntToStr(n2);
    case 23:
        return "Illegal spheroid # " + IntToStr(n);
    case 113:
        return "Point projects to a circle of radius = " + FloatToStr(r);
    case 123:
        return "Point projects into a circle of radius = " + FloatToStr(r);
    case 1101:
        return "Incompatable unit codes\n" + UnitCodeName(n) + "  " + UnitCodeName(n2);
    case 2002:
        return "FATAL ERROR: " + IntToStr(n);
    default:
        return Lookup(FixedMessages, code);
    }
}

void LogChanged(bool show) {
    if (Hooks.ProjectionLogChanged) Hooks.ProjectionLogChanged(show);
}

void AppendLines(const std::string& text) {
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        ProjectionLog.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

std::string Degrees(double radians) {
    return FloatToStr(radians * R2D);
}

} // namespace

void InitProjectionLog(int x, int y, const std::string& dir, const std::string& name) {
    ProjectionLogLeft = x;
    ProjectionLogTop = y;
    ProjectionLogDirectory = dir;
    ProjectionLogName = name;
}

void ClearProjectionLog() {
    ProjectionLog.clear();
    LogChanged(false);
}

std::string ProjectionLogText() {
    return JoinLinesCRLF(ProjectionLog);
}

std::string ProjectionLogFileName() {
    return ChangeFileExt(ProjectionLogDirectory + ProjectionLogName, ".log");
}

namespace {
// The log file as this program last wrote it: one it did not write, or another program changed
// since, is replaced only when the user says so.
TFileStamp ProjectionLogStamp;
} // namespace

bool SaveProjectionLog() {
    const std::string path = ProjectionLogFileName();
    if (!WriteFileAtomic(path, ProjectionLogText(), TReplaceLeave::Own(ProjectionLogStamp))) {
        RaiseIfKept(path);
        return false;
    }
    ProjectionLogStamp = StampFile(path);
    return true;
}

void ReportProjectionError(int where, int code, int n, int n2, double r) {
    LastProjectionError = {where, code, n, n2, r};
    AppendLines(Lookup(RoutineTags, where));
    AppendLines(MessageFor(code, n, n2, r));
    LogChanged(true);
}

void ReportProjectionError(const ProjectionError& error) {
    ReportProjectionError(error.Where, error.Code, error.N, error.N2, error.R);
}

void AddProjectionMessage(const std::string& text) {
    AppendLines(text);
    LogChanged(false);
}

void ReportTitle(const std::string& title) {
    AddProjectionMessage("PROJECTION PARAMETERS:");
    AddProjectionMessage(title);
}

void ReportRadius(double r) {
    AddProjectionMessage("Radius of Sphere: " + FloatToStr(r));
}

void ReportAxes(double major, double minor) {
    AddProjectionMessage("Semi-Major Axis of Ellipsoid: meters\\" + FloatToStr(major));
    AddProjectionMessage("Semi-Minor Axis of Ellipsoid: meters\\" + FloatToStr(minor));
}

void ReportCenterLon(double a) {
    AddProjectionMessage("Longitude of Center: degrees\\" + Degrees(a));
}

void ReportCentralMeridian(double a) {
    AddProjectionMessage("Longitude of Central Meridian: degrees\\" + Degrees(a));
}

void ReportCenterLat(double a) {
    AddProjectionMessage("Latitude of Center: degrees\\" + Degrees(a));
}

void ReportOrigin(double a) {
    AddProjectionMessage("Latitude  of Origin: degrees\\" + Degrees(a));
}

void ReportStdParallels(double a1, double a2) {
    AddProjectionMessage("1st Standard Parallel: degrees\\" + Degrees(a1));
    AddProjectionMessage("2nd Standard Parallel: degrees\\" + Degrees(a2));
}

void ReportStdParallel(double a) {
    AddProjectionMessage("Standard Parallel: degrees\\" + Degrees(a));
}

void ReportFalseOrigin(double e, double n) {
    AddProjectionMessage("False Easting: meters\\" + FloatToStr(e));
    AddProjectionMessage("False Northing: meters\\" + FloatToStr(n));
}

void ReportValue(const std::string& label, double v) {
    AddProjectionMessage(label + FloatToStr(v));
}

void ReportIntValue(int i, const std::string& label) {
    AddProjectionMessage(label + IntToStr(i));
}

void ReportBlank() {
    AddProjectionMessage("");
}
