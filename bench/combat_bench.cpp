// Speed of the land battles with no dialog to wait on: a field battle of six corps a side at
// intensity 5 (setup, volleys, casualties, results, analysis and the recount after), reported with
// battles per second, and the storm of a fortified city.
#include <benchmark/benchmark.h>

#include "bench/start_point_world.h"
#include "engine/combat/battle_dispatcher.h"
#include "engine/forces/brigade_rules.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"

namespace {

using namespace kvt;

constexpr int kX = 20, kY = 20;

// Clear ground held by nobody; corps of six 80-man brigades and a battery each, led by rated men.
void BuildWorld(int unionCorps, int confederateCorps) {
    ResetEngineGlobals();
    SetRandomSeed(1862);
    TGameRec& g = *GameRec;
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) MapGrid->Cell(x, y).SetTerrain(1);
    for (TCorpsRec& c : g.Corps) c.Unused = 1;
    for (TFleetRec& f : g.Fleets) f.BuildCounter = kFleetGone;
    for (int n = 1; n <= 2; ++n) g.Nations[n].Side = static_cast<U8>(n);
    for (TWeaponRec& w : g.WeaponTable) w.FireFactor1 = w.FireFactor2 = 3;
    int corps = 0, brigade = 0;
    for (int side = 1; side <= 2; ++side)
        for (int i = 0; i < (side == 1 ? unionCorps : confederateCorps); ++i) {
            const int k = ++corps;
            TLeaderRec& l = g.Leaders[k];
            l.Nation = static_cast<U8>(side);
            l.Rating = 10;
            l.Rank = 3;
            l.Tactics = 40;
            l.Initiative = 60;
            TCorpsRec& c = g.Corps[k];
            c = TCorpsRec{};
            c.HexX = kX;
            c.HexY = kY;
            c.Side = c.Nation = static_cast<U8>(side);
            c.Leader = static_cast<U8>(k);
            c.LeaderRating = 10;
            c.Condition = 10;
            c.OrderMode = 2;
            c.SupplyPriority = 1;
            c.Region = 1;
            c.ContactCode = 1;
            for (int b = 0; b < 7; ++b)
                g.Brigades[++brigade] = {static_cast<U8>(side), static_cast<U8>(k), static_cast<U8>(b == 0 ? kBrigadeArtillery : kBrigadeInfantry),
                                         static_cast<U8>(b == 0 ? 16 : 80), static_cast<U8>(b == 0 ? 7 : 2), 3, 1, static_cast<U8>(b + 1),
                                         kAttachCorps, 0};
        }
    RecalcCorpsFromBrigades();
}

void RunBattles(benchmark::State& state, int unionCorps, int confederateCorps, bool fortress) {
    AutomaticFrontend frontend;
    InstallFrontend(&frontend);
    BuildWorld(unionCorps, confederateCorps);
    if (fortress) {
        TCityRec& city = GameRec->Cities[1];
        city.Name = "Fort";
        city.HexX = kX;
        city.HexY = kY;
        city.Owner = city.Nation = 2;
        city.Fortifications = 3;
        city.CoastalGuns = 2;
        MapGrid->Cell(kX, kY).SetTerrain(4);
        for (int b = 0; b < 6; ++b)
            GameRec->Brigades[400 + b] = {2, 1, static_cast<U8>(b == 0 ? kBrigadeArtillery : kBrigadeInfantry), 60, 1, 3, 1, 1,
                                          kAttachGarrison, 0};
        RecalcCorpsFromBrigades();
    }
    bench::TKeptWorld start;
    bench::KeepWorld(start);
    for (auto _ : state) {
        state.PauseTiming();
        bench::RestoreWorld(start);
        state.ResumeTiming();
        ResolveBattles();
    }
    state.counters["battles/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (frontend.fieldBattles + frontend.assaults == 0) state.SkipWithError("no battle was fought");
    InstallFrontend(nullptr);
}

void BM_FieldBattle6x6Intensity5(benchmark::State& state) { RunBattles(state, 6, 6, false); }
BENCHMARK(BM_FieldBattle6x6Intensity5)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_AssaultOnAFortress(benchmark::State& state) { RunBattles(state, 4, 0, true); }
BENCHMARK(BM_AssaultOnAFortress)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
