// Speed of the naval rules: everything the naval war adds before movement on the 1861 start point
// (fleet consolidation, disbanding, transport orders and the route planning of every fleet), and
// one engagement of two fleets of ten ships each with no dialog to wait on.
#include <benchmark/benchmark.h>

#include "bench/start_point_world.h"
#include "engine/combat/naval_combat.h"
#include "engine/logistics/fleet_consolidation.h"
#include "engine/logistics/fleet_transport.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/naval_turn.h"
#include "engine/turn/automatic_frontend.h"

namespace {

// Loads the 1861 start point for the computer on both sides; false when it has not been built.
bool Load1861(benchmark::State& state) {
    if (kvt::bench::LoadHeadless1861()) return true;
    state.SkipWithError("1861.kvt has not been built");
    return false;
}

void BM_NavalPreMovement1861(benchmark::State& state) {
    kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    if (Load1861(state)) {
        kvt::bench::TKeptWorld start;
        kvt::bench::KeepWorld(start);
        for (auto _ : state) {
            state.PauseTiming();
            kvt::bench::RestoreWorld(start);
            state.ResumeTiming();
            kvt::ConsolidateComputerFleets();
            kvt::DisbandEmptyFleets();
            kvt::FleetTransportStep();
            kvt::NavalTurnStep();
        }
    }
    kvt::InstallFrontend(nullptr);
}
BENCHMARK(BM_NavalPreMovement1861)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_Engagement2x10Ships(benchmark::State& state) {
    kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    if (Load1861(state)) {
        kvt::TFleetRec& unionFleet = kvt::GameRec->Fleets[1];
        kvt::TFleetRec& confederateFleet = kvt::GameRec->Fleets[6];
        for (kvt::TFleetRec* f : {&unionFleet, &confederateFleet}) {
            f->HexX = f->DestX = 72;
            f->HexY = f->DestY = 30;
            f->Ironclads = 3;
            f->Wooden = 4;
            f->Transports = 3;
            f->DamagedIronclads = f->DamagedWooden = f->DamagedTransports = 0;
            f->Mission = 4;
            f->Cargo = 0;
        }
        const kvt::TFleetRec unionStart = unionFleet, confederateStart = confederateFleet;
        for (auto _ : state) {
            unionFleet = unionStart;
            confederateFleet = confederateStart;
            kvt::ResolveFleetCombat(1);
        }
        if (frontend.fleetCombats == 0) state.SkipWithError("the two fleets never fought");
    }
    kvt::InstallFrontend(nullptr);
}
BENCHMARK(BM_Engagement2x10Ships)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
