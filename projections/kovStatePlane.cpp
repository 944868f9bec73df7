// State Plane zones: the zone lists, the zone records read from the datum's parameter file and
// kept for the next set-up of the same zone, and the hand-over to the zone's projection.
#include "projections/kovStatePlane.h"

#include "projections/kovLamcc.h"
#include "projections/kovOmer.h"
#include "projections/kovPoly.h"
#include "projections/kovTm.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"

#include <cmath>
#include <cstdio>
#include <vector>

const std::array<int, StatePlaneZoneCount> StatePlaneZonesNad27 = {
    101,  102,  5010, 5300, 201,  202,  203,  301,  302,  401,  402,  403,  404,  405,  406,
    407,  501,  502,  503,  600,  700,  901,  902,  903,  1001, 1002, 5101, 5102, 5103, 5104,
    5105, 1101, 1102, 1103, 1201, 1202, 1301, 1302, 1401, 1402, 1501, 1502, 1601, 1602, 1701,
    1702, 1703, 1801, 1802, 1900, 2001, 2002, 2101, 2102, 2103, 2111, 2112, 2113, 2201, 2202,
    2203, 2301, 2302, 2401, 2402, 2403, 2501, 2502, 2503, 2601, 2602, 2701, 2702, 2703, 2800,
    2900, 3001, 3002, 3003, 3101, 3102, 3103, 3104, 3200, 3301, 3302, 3401, 3402, 3501, 3502,
    3601, 3602, 3701, 3702, 3800, 3901, 3902, 4001, 4002, 4100, 4201, 4202, 4203, 4204, 4205,
    4301, 4302, 4303, 4400, 4501, 4502, 4601, 4602, 4701, 4702, 4801, 4802, 4803, 4901, 4902,
    4903, 4904, 5001, 5002, 5003, 5004, 5005, 5006, 5007, 5008, 5009, 5201, 5202, 5400};

namespace {

// NAD83 merged some NAD27 zones: position from 1 and the zone it holds instead.
constexpr std::pair<int, int> Nad83Changes[] = {{16, 0},     {67, 2500}, {68, 0},    {69, 0},
                                                {70, 2600},  {71, 0},    {96, 3900}, {97, 0},
                                                {132, 5200}, {133, 0}};

std::array<int, StatePlaneZoneCount> MakeNad83List() {
    std::array<int, StatePlaneZoneCount> list = StatePlaneZonesNad27;
    for (const auto& [position, zone] : Nad83Changes)
        list[position - 1] = zone;
    return list;
}

} // namespace

const std::array<int, StatePlaneZoneCount> StatePlaneZonesNad83 = MakeNad83List();

const std::array<int, StatePlaneZoneCount> StatePlaneUnitTable = {
    1, 5, 1, 1, 5, 1, 1, 1, 1, 2, 1, 1, 1, 2, 1, 1, 2, 2, 1, 1, 5, 2, 1, 2, 5, 1, 2,
    2, 2, 1, 1, 1, 5, 2, 1, 5, 2, 2, 5, 2, 1, 1, 5, 2, 2, 1, 2, 1, 2, 2, 1, 2, 2, 2};

std::string StatePlaneFileDirectory;
int LastStatePlaneZone = 0;
int LastStatePlaneSelector = -1;
int StatePlaneProjectionId = 0;

namespace {

constexpr int NameSize = 32;
constexpr int IdOffset = 32;
constexpr int TableOffset = 36;
constexpr int StatePlaneTag = 21;
constexpr int IllegalZone = 21;
constexpr int MissingFile = 22;
constexpr int ReadError = 7;
constexpr int BadAngle = 1116;

enum ZoneProjection { ZoneTm = 1, ZoneLamcc = 2, ZonePoly = 3, ZoneOmer = 4 };

StatePlaneZoneRecord Kept;

// The projection of the kept record, by its id; none for another id.
const ProjectionModule* ZoneModule() {
    static const int codes[] = {0, 9, 4, 7, 20};
    if (StatePlaneProjectionId < ZoneTm || StatePlaneProjectionId > ZoneOmer) return nullptr;
    return &ProjectionModuleOf(codes[StatePlaneProjectionId]);
}

int IllegalZoneError(int zone, int selector) {
    ReportProjectionError(StatePlaneTag, IllegalZone, zone, selector);
    return IllegalZone;
}

// Reads record `number` of the datum's file into `record`; the kept record is untouched on
// any failure.
int ReadZoneRecord(int selector, int number, StatePlaneZoneRecord& record) {
    const std::string dir =
        StatePlaneFileDirectory.empty() ? ExecutableDirectory() : StatePlaneFileDirectory;
    const std::string path = dir + (selector == StatePlaneNad27 ? "nad27sp" : "nad83sp");
    if (!FileExists(path)) {
        ReportProjectionError(StatePlaneTag, MissingFile);
        return MissingFile;
    }
    // Only the one record is read, wherever the file ends.
    RecordBytes r(StatePlaneRecordSize);
    std::FILE* f = OpenFileToRead(path);
    const bool read = f && std::fseek(f, long(number) * StatePlaneRecordSize, SEEK_SET) == 0 &&
                      std::fread(r.Data(), 1, r.Size(), f) == r.Size();
    if (f) std::fclose(f);
    if (!read) {
        ReportProjectionError(7, ReadError);
        return ReadError;
    }
    record.Name.assign(reinterpret_cast<const char*>(r.Data()), NameSize);
    record.ProjectionId = r.GetI32(IdOffset);
    for (int i = 0; i < 9; ++i)
        record.Table[i] = r.GetF64(TableOffset + 8 * i);
    return OK;
}

bool PackedToRadians(double packed, double& radians) {
    int flag = 0;
    radians = paksz(Pakcz(packed), flag);
    if (flag != 0) return false;
    radians *= D2R;
    return true;
}

int SetUpZone(int zone, int selector, bool forward) {
    const int number = StatePlaneRecordNumber(zone, selector);
    if (number == 0) return IllegalZoneError(zone, selector);
    if (zone != LastStatePlaneZone || selector != LastStatePlaneSelector) {
        StatePlaneZoneRecord record;
        const int status = ReadZoneRecord(selector, number, record);
        if (status != OK) return status;
        if (record.ProjectionId < ZoneTm || record.ProjectionId > ZoneOmer)
            return IllegalZoneError(zone, selector);
        Kept = record;
        LastStatePlaneZone = zone;
        LastStatePlaneSelector = selector;
        StatePlaneProjectionId = record.ProjectionId;
        ReportTitle("STATE PLANE");
        ReportIntValue(zone, "Zone:     ");
        ReportIntValue(selector == StatePlaneNad27 ? 27 : 83, "Datum:     NAD");
    }
    const std::array<double, 9>& t = Kept.Table;
    ProjectionSetup s;
    s.Forward = forward;
    s.Major = t[0];
    s.Minor = std::sqrt(1.0 - t[1]) * t[0];
    // The angles of each kind of record, and where the zone projection's set-up reads them.
    struct Angle {
        int From, To;
    };
    static const std::vector<Angle> angles[] = {{},
                                                {{2, 4}, {6, 5}},
                                                {{2, 4}, {5, 2}, {4, 3}, {6, 5}},
                                                {{2, 4}, {3, 5}},
                                                {{2, 4}, {5, 3}, {6, 5}}};
    const int id = Kept.ProjectionId;
    for (const Angle& a : angles[id])
        if (!PackedToRadians(t[a.From], s.P[a.To])) return BadAngle;
    const bool scaled = id == ZoneTm || id == ZoneOmer;
    if (scaled) s.P[2] = t[3];
    if (id == ZoneOmer) s.P[12] = 1.0;
    s.FalseEasting = t[id == ZonePoly ? 4 : 7];
    s.FalseNorthing = t[id == ZonePoly ? 5 : 8];
    // The record's numbers are parameters like a block's: the zone projection places no point
    // with an axis, a false origin or a scale it cannot use.
    if (!UsableLength(s.Major) || !UsableLength(s.Minor) || !UsableLength(s.FalseEasting) ||
        !UsableLength(s.FalseNorthing) || (scaled && !UsableScale(s.P[2], s.Major))) {
        ReportProjectionError(StatePlaneTag, InputDataError);
        return InputDataError;
    }
    switch (id) {
    case ZoneTm:
        return TmSetup(s);
    case ZoneLamcc:
        return LamccSetup(s);
    case ZonePoly:
        return PolySetup(s);
    default:
        return OmerSetup(s);
    }
}

} // namespace

int StatePlaneRecordNumber(int zone, int selector) {
    if (zone < 1 || (selector != StatePlaneNad27 && selector != StatePlaneNad83)) return 0;
    const auto& list = selector == StatePlaneNad27 ? StatePlaneZonesNad27 : StatePlaneZonesNad83;
    for (int i = 0; i < StatePlaneZoneCount; ++i)
        if (list[i] == zone) return i + 1;
    return 0;
}

int StatePlaneUnits(int zone, int& units) {
    const int index = static_cast<int>(Round(zone / 100.0)) - 1;
    if (index < 0 || index >= StatePlaneZoneCount) return IllegalZoneError(zone, StatePlaneNad83);
    units = StatePlaneUnitTable[index];
    return OK;
}

int StatePlaneForwardInit(int zone, int selector) {
    return SetUpZone(zone, selector, true);
}

int StatePlaneInverseInit(int zone, int selector) {
    return SetUpZone(zone, selector, false);
}

int StatePlaneForward(double lon, double lat, double& x, double& y) {
    const ProjectionModule* m = ZoneModule();
    return m ? m->Forward(lon, lat, x, y) : OK;
}

int StatePlaneInverse(double x, double y, double& lon, double& lat) {
    const ProjectionModule* m = ZoneModule();
    return m ? m->Inverse(x, y, lon, lat) : OK;
}

int StatePlaneSetup(const ProjectionSetup& s) {
    return s.Forward ? StatePlaneForwardInit(s.Zone, s.Spheroid)
                     : StatePlaneInverseInit(s.Zone, s.Spheroid);
}
