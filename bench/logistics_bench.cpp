// Speed of the logistics rules on the 1861 start point (built with the game data): hex control (run
// up to 28 times a turn), the supply-source codes of every city and the supply of every corps.
#include <benchmark/benchmark.h>

#include "bench/start_point_world.h"
#include "engine/forces/force_recount.h"
#include "engine/logistics/corps_supply.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"

namespace {

using kvt::bench::Computer1861World;
using kvt::bench::RestoreWorld;
using kvt::bench::TKeptWorld;

void BM_UpdateHexControl(benchmark::State& state) {
    const TKeptWorld& w = Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreWorld(w);
    for (auto _ : state) kvt::UpdateHexControl();
}
BENCHMARK(BM_UpdateHexControl)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The whole-map weighing a pass falls back to when everything may have changed (a load).
void BM_UpdateHexControlWholeMap(benchmark::State& state) {
    const TKeptWorld& w = Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreWorld(w);
    for (auto _ : state) kvt::UpdateHexControlFullRescan();
}
BENCHMARK(BM_UpdateHexControlWholeMap)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_UpdateSupplySources(benchmark::State& state) {
    const TKeptWorld& w = Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreWorld(w);
    for (auto _ : state) kvt::UpdateSupplySources();
}
BENCHMARK(BM_UpdateSupplySources)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The call after movement, which also charges losses: the record is put back before each run.
void BM_SupplyCorps(benchmark::State& state) {
    const TKeptWorld& w = Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    for (auto _ : state) {
        state.PauseTiming();
        RestoreWorld(w);
        state.ResumeTiming();
        kvt::SupplyCorps(kvt::kSupplyAfterMovement);
    }
}
BENCHMARK(BM_SupplyCorps)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The recount changes nothing on a record it has just counted, so every pass does the same work.
void BM_RecountForces(benchmark::State& state) {
    const TKeptWorld& w = Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreWorld(w);
    for (auto _ : state) kvt::RecountForces();
}
BENCHMARK(BM_RecountForces)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
