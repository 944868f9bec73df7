// One million points through UTM zone 25 south, forward and inverse, beside PROJ's
// proj_trans_generic with the same series (tmerc +approx) on the same points.
#include "projections/kovGCTP.h"

#include <benchmark/benchmark.h>
#include <proj.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int PointCount = 1000000;

struct Points {
    std::vector<double> Lon, Lat, X, Y;
};

// Reproducible points over the zone (36 to 30 degrees west, 30 degrees south to the equator).
const Points& Geographic() {
    static const Points p = [] {
        Points q;
        uint32_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) / double(1u << 24);
        };
        for (int i = 0; i < PointCount; ++i) {
            q.Lon.push_back((-36.0 + 6.0 * next()) * D2R);
            q.Lat.push_back((-30.0 + 30.0 * next()) * D2R);
        }
        q.X.resize(PointCount);
        q.Y.resize(PointCount);
        return q;
    }();
    return p;
}

void SetUpUtm() {
    ProjectionParameterBlock b{};
    b[SlotCode] = 1;
    b[SlotUtmZone] = -25;
    b[SlotSpheroid] = 8;
    OutParm = b;
    InParm = b;
    ForwardInit();
    InverseInit();
    ClearProjectionLog();
}

void ReportPoints(benchmark::State& state) {
    state.counters["Mpoints/s"] =
        benchmark::Counter(PointCount / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_UtmForwardInverse(benchmark::State& state) {
    SetUpUtm();
    Points p = Geographic();
    for (auto _ : state) {
        for (int i = 0; i < PointCount; ++i)
            ForwardTransform(p.Lon[i], p.Lat[i], p.X[i], p.Y[i]);
        for (int i = 0; i < PointCount; ++i)
            InverseTransform(p.X[i], p.Y[i], p.Lon[i], p.Lat[i]);
        benchmark::DoNotOptimize(p.Lon.data());
    }
    ReportPoints(state);
}

void BM_UtmForwardInverse_Anchor(benchmark::State& state) {
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* op = proj_create(ctx, "+proj=tmerc +approx +lon_0=-33 +k_0=0.9996 +x_0=500000 "
                              "+y_0=10000000 +ellps=GRS80");
    Points p = Geographic();
    const size_t stride = sizeof(double);
    for (auto _ : state) {
        proj_trans_generic(op, PJ_FWD, p.Lon.data(), stride, PointCount, p.Lat.data(), stride,
                           PointCount, nullptr, 0, 0, nullptr, 0, 0);
        proj_trans_generic(op, PJ_INV, p.Lon.data(), stride, PointCount, p.Lat.data(), stride,
                           PointCount, nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(p.Lon.data());
    }
    ReportPoints(state);
    proj_destroy(op);
    proj_context_destroy(ctx);
}

} // namespace

BENCHMARK(BM_UtmForwardInverse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UtmForwardInverse_Anchor)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
