// Speed of the home front on the 1861 start point (built with the game data): the end-of-turn
// upkeep of all four nations, and the monthly rules of a first turn of a month together.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "engine/combat/brigade_rules.h"
#include "engine/core/frontend.h"
#include "engine/core/globals.h"
#include "engine/core/random.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/logistics/upkeep.h"
#include "tests/support/engine_fixture.h"

namespace {

// The start point as loaded, both sides played by the computer, kept to restore before each run:
// every rule here changes the record it reads.
struct HomeFrontWorld {
    std::unique_ptr<kvt::TGameRec> record = std::make_unique<kvt::TGameRec>();
    bool loaded = false;
};

const HomeFrontWorld& TheWorld() {
    static HomeFrontWorld world = [] {
        HomeFrontWorld w;
        static kvt::AutomaticFrontend frontend;
        kvt::InstallFrontend(&frontend);
        kvt::ResetEngineGlobals();
        kvt::UseClockForRandomize(false);
        kvt::SetRandomSeed(1861);
        w.loaded = kvt::testing::LoadStartPoint("1861");
        for (kvt::TNationRec& n : kvt::GameRec->Nations) n.Human = 0;
        std::memcpy(static_cast<void*>(w.record.get()), kvt::GameRec, sizeof(kvt::TGameRec));
        return w;
    }();
    return world;
}

template <typename Rules>
void RunOnFreshRecord(benchmark::State& state, Rules rules) {
    const HomeFrontWorld& w = TheWorld();
    if (!w.loaded) return state.SkipWithError("1861.kvt has not been built");
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(static_cast<void*>(kvt::GameRec), w.record.get(), sizeof(kvt::TGameRec));
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

BENCHMARK_MAIN();
