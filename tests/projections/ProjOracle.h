// PROJ as the accuracy oracle: the PROJ definition equivalent to a parameter block, and the
// comparison grids of tests/data/projections read into cases.
#pragma once

#include "projections/kovGCTP.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "support/TestFiles.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <proj.h>
#include <string>
#include <utility>
#include <vector>

namespace oracle {

inline std::string Num(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Packed DDDMMMSSS.SS to degrees, written apart from the library's own routine.
inline double Degrees(double packed) {
    const double v = std::fabs(packed);
    const double deg = std::floor(v / 1e6);
    const double min = std::floor((v - deg * 1e6) / 1e3);
    const double sec = v - deg * 1e6 - min * 1e3;
    const double d = deg + min / 60.0 + sec / 3600.0;
    return packed < 0 ? -d : d;
}

inline std::string Deg(const ProjectionParameterBlock& b, int i) {
    return Num(Degrees(b[i]));
}

// The PROJ projection of a spherical code with its centre; empty for a code PROJ lacks.
inline std::string SphereDefinition(const ProjectionParameterBlock& b, int code) {
    const std::string centre = " +lon_0=" + Deg(b, 4) + " +lat_0=" + Deg(b, 5);
    const std::string meridian = " +lon_0=" + Deg(b, 4);
    const std::pair<int, std::string> definitions[] = {
        {10, "stere +k_0=1" + centre},
        {11, "laea" + centre},
        {12, "aeqd" + centre},
        {13, "gnom" + centre},
        {14, "ortho" + centre},
        {15, "nsper +h=" + Num(b[2]) + centre},
        {16, "sinu" + meridian},
        {17, "eqc +lat_ts=" + Deg(b, 5) + meridian},
        {18, "mill" + meridian},
        {19, "vandg" + meridian},
        {21, "robin" + meridian},
        {24, "igh"},
        {25, "moll" + meridian},
        {27, "hammer" + meridian},
        {28, "wag4" + meridian},
        {29, "wag7" + meridian},
        {30, "oea +m=" + Num(b[2]) + " +n=" + Num(b[3]) + " +theta=" + Deg(b, 8) + centre},
    };
    for (const auto& [c, definition] : definitions)
        if (c == code) return "+proj=" + definition;
    return {};
}

// The PROJ definition of the projection a block describes.
inline std::string ProjDefinition(const ProjectionParameterBlock& b, const std::string& extra) {
    const int code = static_cast<int>(b[SlotCode]);
    const int spheroid = static_cast<int>(b[SlotSpheroid]);
    const Spheroid& sph = SpheroidTable[spheroid >= 0 && spheroid < SpheroidCount ? spheroid : 0];
    std::string def;
    const std::string origin = " +x_0=" + Num(b[6]) + " +y_0=" + Num(b[7]);
    switch (code) {
    case 1: {
        const int zone = static_cast<int>(b[SlotUtmZone]);
        def =
            "+proj=tmerc +approx +k_0=0.9996 +x_0=500000 +lon_0=" + Num(std::abs(zone) * 6 - 183) +
            " +y_0=" + (zone < 0 ? "10000000" : "0");
        break;
    }
    case 3:
    case 4:
        def = std::string(code == 3 ? "+proj=aea" : "+proj=lcc") + " +lat_1=" + Deg(b, 2) +
              " +lat_2=" + Deg(b, 3) + " +lon_0=" + Deg(b, 4) + " +lat_0=" + Deg(b, 5) + origin;
        break;
    case 5:
        def = "+proj=merc +lon_0=" + Deg(b, 4) + " +lat_ts=" + Deg(b, 5) + origin;
        break;
    case 6:
        def = std::string("+proj=stere +lat_0=") + (b[5] < 0 ? "-90" : "90") +
              " +lat_ts=" + Deg(b, 5) + " +lon_0=" + Deg(b, 4) + origin;
        break;
    case 7:
        def = "+proj=poly +lon_0=" + Deg(b, 4) + " +lat_0=" + Deg(b, 5) + origin;
        break;
    case 8:
        def = "+proj=eqdc +lat_1=" + Deg(b, 2) + " +lat_2=" + Deg(b, b[8] == 0 ? 2 : 3) +
              " +lon_0=" + Deg(b, 4) + " +lat_0=" + Deg(b, 5) + origin;
        break;
    case 9:
        def = "+proj=tmerc +approx +k_0=" + Num(b[2]) + " +lon_0=" + Deg(b, 4) +
              " +lat_0=" + Deg(b, 5) + origin;
        break;
    case 20:
        def = "+proj=omerc +k_0=" + Num(b[2]) + " +lat_0=" + Deg(b, 5) + origin;
        if (b[12] != 0)
            def += " +alpha=" + Deg(b, 3) + " +lonc=" + Deg(b, 4);
        else
            def += " +lon_1=" + Deg(b, 8) + " +lat_1=" + Deg(b, 9) + " +lon_2=" + Deg(b, 10) +
                   " +lat_2=" + Deg(b, 11);
        break;
    case 22:
        def = "+proj=lsat +lsat=" + Num(b[2]) + " +path=" + Num(b[3]) + origin;
        break;
    case 23:
        def = "+proj=alsk" + origin;
        break;
    default:
        def = SphereDefinition(b, code);
        if (def.empty()) return {};
        def += " +R=" + Num(spheroid >= 0 ? SpheroidTable[19].Major : std::fabs(b[0]));
        if (code != 24 && code != 26) def += origin;
        if (!extra.empty()) def += " " + extra;
        return def;
    }
    def += " +a=" + Num(sph.Major) + " +b=" + Num(sph.Minor);
    if (!extra.empty()) def += " " + extra;
    return def;
}

struct GridCase {
    std::string Name;
    ProjectionParameterBlock Block{};
    std::string Extra;
    double LonMin = 0, LonMax = 0, LatMin = 0, LatMax = 0;
    int Steps = 0;
    double Tolerance = 0;
};

inline std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t end = s.find(sep, start);
        out.push_back(Trim(s.substr(start, end - start)));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

inline std::vector<std::string> Words(const std::string& s) {
    std::vector<std::string> out;
    for (const std::string& w : Split(s, ' '))
        if (!w.empty()) out.push_back(w);
    return out;
}

inline std::vector<GridCase> ReadGrids(const std::string& file) {
    std::string text;
    if (!ReadWholeFile(TestData("projections/") + file, text)) return {};
    std::vector<GridCase> cases;
    for (const std::string& line : SplitLines(text)) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> f = Split(line, '|');
        if (f.size() != 5) continue;
        GridCase c;
        c.Name = f[0];
        for (const std::string& w : Words(f[1])) {
            const size_t eq = w.find('=');
            c.Block[StrToInt(w.substr(0, eq))] = StrToFloat(w.substr(eq + 1));
        }
        c.Extra = f[2];
        const std::vector<std::string> g = Words(f[3]);
        c.LonMin = StrToFloat(g.at(0));
        c.LonMax = StrToFloat(g.at(1));
        c.LatMin = StrToFloat(g.at(2));
        c.LatMax = StrToFloat(g.at(3));
        c.Steps = static_cast<int>(StrToInt(g.at(4)));
        c.Tolerance = StrToFloat(f[4]);
        cases.push_back(c);
    }
    return cases;
}

// The grid's points in radians, corners included.
inline std::vector<std::pair<double, double>> GridPoints(const GridCase& c) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < c.Steps; ++i)
        for (int j = 0; j < c.Steps; ++j) {
            const double u = c.Steps > 1 ? double(i) / (c.Steps - 1) : 0.0;
            const double v = c.Steps > 1 ? double(j) / (c.Steps - 1) : 0.0;
            points.emplace_back((c.LonMin + u * (c.LonMax - c.LonMin)) * D2R,
                                (c.LatMin + v * (c.LatMax - c.LatMin)) * D2R);
        }
    return points;
}

class Proj {
  public:
    explicit Proj(const std::string& def)
        : Ctx(proj_context_create()), Op(proj_create(Ctx, def.c_str())) {}
    ~Proj() {
        if (Op) proj_destroy(Op);
        proj_context_destroy(Ctx);
    }
    Proj(const Proj&) = delete;
    Proj& operator=(const Proj&) = delete;
    bool Valid() const { return Op != nullptr; }
    bool HasInverse() const { return proj_pj_info(Op).has_inverse != 0; }
    PJ_COORD Forward(double lon, double lat) const {
        return proj_trans(Op, PJ_FWD, proj_coord(lon, lat, 0, 0));
    }
    PJ_COORD Inverse(double x, double y) const {
        return proj_trans(Op, PJ_INV, proj_coord(x, y, 0, 0));
    }

  private:
    PJ_CONTEXT* Ctx;
    PJ* Op;
};

// The projected system of a zone as PROJ defines it, from its own geographic system: in metres,
// or in the system's own unit.
class ZoneOracle {
  public:
    explicit ZoneOracle(const char* crsCode) : Ctx(proj_context_create()) {
        PJ* crs = proj_create(Ctx, crsCode);
        PJ* geographic = proj_crs_get_geodetic_crs(Ctx, crs);
        PJ* op = proj_create_crs_to_crs_from_pj(Ctx, geographic, crs, nullptr, nullptr);
        Op = proj_normalize_for_visualization(Ctx, op);
        PJ* cs = proj_crs_get_coordinate_system(Ctx, crs);
        proj_cs_get_axis_info(Ctx, cs, 0, nullptr, nullptr, nullptr, &Metres, nullptr, nullptr,
                              nullptr);
        for (PJ* p : {crs, geographic, op, cs})
            proj_destroy(p);
    }
    ~ZoneOracle() {
        proj_destroy(Op);
        proj_context_destroy(Ctx);
    }
    ZoneOracle(const ZoneOracle&) = delete;
    ZoneOracle& operator=(const ZoneOracle&) = delete;
    void Forward(double lonDeg, double latDeg, double& x, double& y) const {
        ForwardInOwnUnit(lonDeg, latDeg, x, y);
        x *= Metres;
        y *= Metres;
    }
    void ForwardInOwnUnit(double lonDeg, double latDeg, double& x, double& y) const {
        const PJ_COORD c = proj_trans(Op, PJ_FWD, proj_coord(lonDeg, latDeg, 0, 0));
        x = c.xy.x;
        y = c.xy.y;
    }

  private:
    PJ_CONTEXT* Ctx;
    PJ* Op = nullptr;
    double Metres = 1.0;
};

} // namespace oracle
