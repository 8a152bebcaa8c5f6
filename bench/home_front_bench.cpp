// Speed of the home front on the 1861 start point (built with the game data): the end-of-turn
// upkeep of all four nations, and the monthly rules of a first turn of a month together.
#include <benchmark/benchmark.h>

#include "bench/start_point_world.h"
#include "engine/forces/brigade_rules.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/logistics/upkeep.h"
#include "engine/world/random.h"

namespace {

// Every rule here changes the record it reads: the start point is put back before each run.
template <typename Rules>
void RunOnFreshRecord(benchmark::State& state, Rules rules) {
    const kvt::bench::TKeptWorld& w = kvt::bench::Computer1861World();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    for (auto _ : state) {
        state.PauseTiming();
        kvt::bench::RestoreWorld(w);
        kvt::SetRandomSeed(1861);
        state.ResumeTiming();
        rules();
    }
}

void BM_ComputerSideUpkeep(benchmark::State& state) { RunOnFreshRecord(state, [] { kvt::ComputerSideUpkeep(); }); }
BENCHMARK(BM_ComputerSideUpkeep)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// In the pre-movement phase's order: economy, draft, weapon prices, procurement.
void BM_MonthlyRules(benchmark::State& state) {
    RunOnFreshRecord(state, [] {
        kvt::UpdateStateEconomy();
        kvt::UpdateNationalWill();
        kvt::InitBrigadeTypeTable();
        kvt::ComputerProcurement();
    });
}
BENCHMARK(BM_MonthlyRules)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
