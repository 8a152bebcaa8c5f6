// Speed of the logistics rules on the 1861 start point (built with the game data): hex control (run
// up to 28 times a turn), the supply-source codes of every city and the supply of every corps.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "engine/core/frontend.h"
#include "engine/core/globals.h"
#include "engine/core/random.h"
#include "engine/logistics/corps_supply.h"
#include "engine/logistics/force_recount.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "tests/support/engine_fixture.h"

namespace {

// The start point as loaded, both sides played by the computer, kept to restore between runs.
struct SupplyWorld {
    std::unique_ptr<kvt::TGameRec> record = std::make_unique<kvt::TGameRec>();
    std::unique_ptr<kvt::TMapGrid> map = std::make_unique<kvt::TMapGrid>();
    bool loaded = false;
};

const SupplyWorld& TheSupplyWorld() {
    static SupplyWorld world = [] {
        SupplyWorld w;
        static kvt::AutomaticFrontend frontend;
        kvt::InstallFrontend(&frontend);
        kvt::ResetEngineGlobals();
        kvt::UseClockForRandomize(false);
        kvt::SetRandomSeed(1861);
        w.loaded = kvt::testing::LoadStartPoint("1861");
        for (kvt::TNationRec& n : kvt::GameRec->Nations) n.Human = 0;
        std::memcpy(static_cast<void*>(w.record.get()), kvt::GameRec, sizeof(kvt::TGameRec));
        std::memcpy(static_cast<void*>(w.map.get()), kvt::MapGrid, sizeof(kvt::TMapGrid));
        return w;
    }();
    return world;
}

void RestoreSupplyWorld(const SupplyWorld& w) {
    std::memcpy(static_cast<void*>(kvt::GameRec), w.record.get(), sizeof(kvt::TGameRec));
    std::memcpy(static_cast<void*>(kvt::MapGrid), w.map.get(), sizeof(kvt::TMapGrid));
}

void BM_UpdateHexControl(benchmark::State& state) {
    const SupplyWorld& w = TheSupplyWorld();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreSupplyWorld(w);
    for (auto _ : state) kvt::UpdateHexControl();
}
BENCHMARK(BM_UpdateHexControl)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_UpdateSupplySources(benchmark::State& state) {
    const SupplyWorld& w = TheSupplyWorld();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreSupplyWorld(w);
    for (auto _ : state) kvt::UpdateSupplySources();
}
BENCHMARK(BM_UpdateSupplySources)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The call after movement, which also charges losses: the record is put back before each run.
void BM_SupplyCorps(benchmark::State& state) {
    const SupplyWorld& w = TheSupplyWorld();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    for (auto _ : state) {
        state.PauseTiming();
        RestoreSupplyWorld(w);
        state.ResumeTiming();
        kvt::SupplyCorps(kvt::kSupplyAfterMovement);
    }
}
BENCHMARK(BM_SupplyCorps)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The recount changes nothing on a record it has just counted, so every pass does the same work.
void BM_RecountForces(benchmark::State& state) {
    const SupplyWorld& w = TheSupplyWorld();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    RestoreSupplyWorld(w);
    for (auto _ : state) kvt::RecountForces();
}
BENCHMARK(BM_RecountForces)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
