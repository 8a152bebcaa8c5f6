// The campaign comparisons: every pass run both ways from the worlds a seeded campaign reaches,
// the held corps and fleet passes played again let go, the turn's battles closed both ways.
#include "tests/data/incremental_passes.h"

#include <cstring>

#include "engine/combat/battle_dispatcher.h"
#include "engine/forces/force_recount.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/fleet_movement.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "engine/logistics/upkeep.h"
#include "engine/combat/naval_combat.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/movement/spotting.h"
#include "engine/players/army_operations.h"
#include "engine/players/independent_corps.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/record_queries.h"
#include "engine/world/text_table.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

void TWorld::Keep() {
    *record = *GameRec;
    *map = *MapGrid;
    random = GetRandomState();
}

void TWorld::PutBack() const {
    *GameRec = *record;
    *MapGrid = *map;
    SetRandomState(random);
}

namespace {

// The first byte at which two images differ, for the message.
std::string FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, bool record) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            return "byte " + std::to_string(i) + (record ? " (" + testing::RecordByte(i) + ")" : std::string()) + ": " +
                   std::to_string(a[i]) + " vs " + std::to_string(b[i]);
    return "sizes " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
}

struct TPass {
    const char* name;
    void (*incremental)();
    void (*rescan)();
};

// Every nation's army operations, each reading its armies' corps from a list or sweeping them all.
void ArmyOperationsOfAll() {
    for (int n = 1; n <= kNationCount; ++n) RunArmyOperations(n);
}
void ArmyOperationsOfAllFullRescan() {
    for (int n = 1; n <= kNationCount; ++n) RunArmyOperationsFullRescan(n);
}
// Every nation's corps outside armies, tallied from corps sorted once or measured each time.
void IndependentCorpsOfAll() {
    for (int n = 1; n <= kNationCount; ++n) PlanIndependentCorps(n);
}
void IndependentCorpsOfAllFullRescan() {
    for (int n = 1; n <= kNationCount; ++n) PlanIndependentCorpsFullRescan(n);
}

const TPass kPasses[] = {
    {"hex control", UpdateHexControl, UpdateHexControlFullRescan},
    {"spotting", UpdateSpotting, UpdateSpottingFullRescan},
    {"army headquarters", MoveArmyHeadquarters, MoveArmyHeadquartersFullRescan},
    {"supply sources", UpdateSupplySources, UpdateSupplySourcesFullRescan},
    {"upkeep", ComputerSideUpkeep, ComputerSideUpkeepFullRescan},
    {"command clean-up", CommandCleanUp, CommandCleanUpFullRescan},
    {"force recount", RecountForces, RecountForcesFullRescan},
    // Conquests and unrest find the corps and garrisons of a city from lists taken once per pass.
    {"conquests", ResolveConquests, ResolveConquestsFullRescan},
    {"city unrest", UpdateCityUnrest, UpdateCityUnrestFullRescan},
    {"army operations", ArmyOperationsOfAll, ArmyOperationsOfAllFullRescan},
    {"independent corps", IndependentCorpsOfAll, IndependentCorpsOfAllFullRescan},
};

struct TTally {
    int answer;
    std::array<std::uint16_t, 7> words;
    bool operator==(const TTally&) const = default;
};
TTally Words(int answer) {
    return {answer, {OwnTally, EnemyTally, EnemyReadinessTally, EnemyCorpsTally, HolderCorpsOnCity, NearestEnemyDist, NearestOwnDist}};
}
TTally Tally(int (*tally)(int, int, int, TallyVariant), int city, int nation, int range) {
    return Words(tally(city, nation, range, TallyVariant::Near));
}

}  // namespace

void IncrementalPasses::SetUp() {
    EngineTest::SetUp();
    ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
    folder = testing::TempFolder("incremental");
    inFolder.emplace(folder);
    InstallFrontend(&frontend);
}

void IncrementalPasses::TearDown() {
    SetTurnWatcher(nullptr);
    CheckInterceptionOnEveryStep(false);
    InstallFrontend(nullptr);
    inFolder.reset();
    EngineTest::TearDown();
}

TPassResult IncrementalPasses::Run(const TWorld& from, void (*pass)()) {
    from.PutBack();
    ResetPathSearch();
    TPassResult r;
    r.draws = testing::DrawRanges({}, pass);
    const auto* rec = reinterpret_cast<const std::uint8_t*>(GameRec);
    const auto* map = reinterpret_cast<const std::uint8_t*>(MapGrid);
    r.record.assign(rec, rec + sizeof(TGameRec));
    r.map.assign(map, map + sizeof(TMapGrid));
    r.generator = GetRandomState().state;
    r.route = {PathStepCount, PathEnd.X, PathEnd.Y, PathResult};
    r.route.insert(r.route.end(), PathSteps.begin(), PathSteps.end());
    return r;
}

bool IncrementalPasses::SameResults(const std::string& name, const std::string& at, const TPassResult& a, const TPassResult& b) {
    if (a.record != b.record) ADD_FAILURE() << name << ", " << at << ": record " << FirstDifference(a.record, b.record, true);
    if (a.map != b.map) ADD_FAILURE() << name << ", " << at << ": map " << FirstDifference(a.map, b.map, false);
    if (a.draws != b.draws || a.generator != b.generator) ADD_FAILURE() << name << ", " << at << ": draws";
    if (a.route != b.route) ADD_FAILURE() << name << ", " << at << ": the last route found";
    if (a.history != b.history) ADD_FAILURE() << name << ", " << at << ": the battle history";
    return a.record == b.record && a.map == b.map && a.draws == b.draws && a.generator == b.generator &&
           a.route == b.route && a.history == b.history;
}

bool IncrementalPasses::SameAsRescans(const std::string& at) {
    TWorld now;
    now.Keep();
    bool same = true;
    for (const TPass& pass : kPasses) same = SameResults(pass.name, at, Run(now, pass.incremental), Run(now, pass.rescan)) && same;
    now.PutBack();
    return same && SameTallies(at) && SameBrigadeLists(at);
}

bool IncrementalPasses::SameFleetRoutes(const std::string& at) {
    const TGameRec& g = *GameRec;
    const RandomState before = GetRandomState();
    int asked = 0;
    bool same = true;
    for (int i = 1; i <= kFleetCount && same; ++i) {
        const TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter != 0 || f.Owner == 0 || !OnMap(f.HexX, f.HexY)) continue;
        const int mode = FleetPathMode(f);
        const auto route = [&](bool kept) {
            SetRandomState(before);
            std::vector<int> r = testing::DrawRanges({}, [&] {
                if (kept) WaterRoutes().FindPath(f.HexX, f.HexY, f.DestX, f.DestY, 20, mode, f.Side, 0);
                else FindPath(f.HexX, f.HexY, f.DestX, f.DestY, 20, mode, f.Side, 0);
            });
            r.insert(r.end(), {PathStepCount, PathEnd.X, PathEnd.Y, PathResult});
            r.insert(r.end(), PathSteps.begin(), PathSteps.end());
            return r;
        };
        if (OnMap(f.DestX, f.DestY) && route(true) != route(false)) {
            ADD_FAILURE() << "fleet routes, " << at << ": fleet " << i << " to " << int{f.DestX} << "," << int{f.DestY};
            same = false;
        }
        const TCityRec& port = g.Cities[f.HomePort];
        if (Arr1<TCityRec, kCityCount>::InRange(f.HomePort) &&
            WaterRoutes().RouteExists(f.HexX, f.HexY, port.HexX, port.HexY, mode, f.Side) !=
                RouteExists(f.HexX, f.HexY, port.HexX, port.HexY, mode, f.Side)) {
            ADD_FAILURE() << "fleet routes, " << at << ": fleet " << i << " home to port " << int{f.HomePort};
            same = false;
        }
        ++asked;
    }
    SetRandomState(before);
    ResetPathSearch();
    return same && asked > 0;
}

void IncrementalPasses::CompareBattles() {
    TWorld now;
    now.Keep();
    const std::vector<std::string> history = BattleLog;
    const auto close = [&](void (*battles)()) {
        TPassResult r = Run(now, battles);
        r.history = BattleLog;
        BattleLog = history;
        return r;
    };
    const int foughtBefore = frontend.fieldBattles + frontend.assaults;
    const TPassResult counted = close(ResolveBattles);
    const bool fought = frontend.fieldBattles + frontend.assaults != foughtBefore;
    const std::string at = where.empty() ? "a turn played without the step comparisons" : where;
    battlesSame = SameResults("battles", at, counted, close(ResolveBattlesFullRescan)) && battlesSame;
    if (fought) ++battlesCompared;
    now.PutBack();
}

std::string IncrementalPasses::WorldDifference(const TWorld& a, const TWorld& b) {
    const auto bytes = [](const auto& p) {
        const auto* at = reinterpret_cast<const std::uint8_t*>(p.get());
        return std::vector<std::uint8_t>(at, at + sizeof(*p));
    };
    if (std::memcmp(a.record.get(), b.record.get(), sizeof(TGameRec)) != 0)
        return "record " + FirstDifference(bytes(a.record), bytes(b.record), true);
    if (std::memcmp(a.map.get(), b.map.get(), sizeof(TMapGrid)) != 0) return "map " + FirstDifference(bytes(a.map), bytes(b.map), false);
    if (a.random.state != b.random.state) return "the generator";
    return {};
}

bool IncrementalPasses::SameWorlds(const TPlayed& held, const TPlayed& plain) {
    return held.first == plain.first && WorldDifference(*held.second, *plain.second).empty();
}

// A whole corps pass played as the game plays it, brigade lists and corps hexes held from its
// first step, and again with both let go after every step, so that each step looks at the
// records afresh: the same record, map and draws. The world is put back for the game to play on.
bool IncrementalPasses::SameCorpsPass(const std::string& at) {
    TWorld before;
    before.Keep();
    const std::uint16_t selected = SelectedCorps;
    const auto play = [&](bool letGo) {
        before.PutBack();
        SelectedCorps = selected;
        FleetPassDue = 0;
        ResetPathSearch();
        int ticks = 0;
        while (FleetPassDue == 0 && Timer1Enabled() && !MovementEnded) {
            MovementTick();
            ++ticks;
            if (letGo) {
                ReleaseCorpsBrigadeLists();
                ReleaseCorpsSpots();
            }
        }
        auto after = std::make_unique<TWorld>();
        after->Keep();
        return std::make_pair(ticks, std::move(after));
    };
    const auto held = play(false);
    const bool same = SameWorlds(held, play(true));
    if (!same) ADD_FAILURE() << "corps pass, " << at << ": held lists and hexes leave another world";
    before.PutBack();
    SelectedCorps = selected;
    FleetPassDue = 0;
    ResetPathSearch();
    return same && held.first > 0;
}

// A whole fleet pass played as the game plays it, the fleets at sea held from its first fleet and
// a step's second interception check left out where the pass's own weighed no enemy, and again
// with the fleets let go after every tick and every step checking anew, so that interceptions and
// engagements look over every fleet: the same record, map and draws. The world is put back for
// the game to play on.
bool IncrementalPasses::SameFleetPass(const std::string& at) {
    TWorld before;
    before.Keep();
    const int step = GameRec->MoveStep;
    const auto play = [&](bool plain) {
        before.PutBack();
        SelectedFleet = 1;
        FleetPassDue = 1;
        ResetPathSearch();
        CheckInterceptionOnEveryStep(plain);
        int ticks = 0;
        while (FleetPassDue == 1 && GameRec->MoveStep == step && Timer1Enabled() && !MovementEnded) {
            MovementTick();
            ++ticks;
            if (plain) ReleaseFleetsAtSea();
        }
        CheckInterceptionOnEveryStep(false);
        auto after = std::make_unique<TWorld>();
        after->Keep();
        return std::make_pair(ticks, std::move(after));
    };
    const auto held = play(false);
    const bool same = SameWorlds(held, play(true));
    if (!same) ADD_FAILURE() << "fleet pass, " << at << ": held fleets at sea or skipped interception checks leave another world";
    before.PutBack();
    SelectedFleet = 1;
    FleetPassDue = 1;
    ResetPathSearch();
    return same && held.first > 0;
}

// One index kept through the whole campaign, as the movement steps keep theirs, read against
// the plain look over every brigade.
bool IncrementalPasses::SameBrigadeLists(const std::string& at) {
    for (int corps = 1; corps <= kCorpsCount; ++corps) {
        std::vector<int> plain;
        ForEachAttachedBrigade(corps, [&](TBrigadeRec& b) { plain.push_back(static_cast<int>(&b - GameRec->Brigades.begin()) + 1); });
        const auto listed = brigadesByCorps.Of(corps);
        if (std::vector<int>(listed.begin(), listed.end()) == plain) continue;
        ADD_FAILURE() << "brigades of corps " << corps << ", " << at;
        return false;
    }
    return true;
}

// The plain tally read three ways around every city (and the numbers beside the cities), for
// both sides, at a range that changes from step to step: swept, from corps sorted once, and
// rescanned; the armies' tally from the sorted corps, kept and rescanned, its answer too; the city
// scores' tally by side, read again only as the corps change. The words left by the call before
// must not leak into the next.
bool IncrementalPasses::SameTallies(const std::string& at) {
    const int range = 1 + (++tallySteps % 5) * 3;
    const TTallyCorps sorted;
    TAroundTallies kept;
    for (int city = 0; city <= kCityCount + 1; ++city)
        for (int nation : {kNationUnion, kNationConfederacy, kNationFrance}) {
            const TTally a = Tally(TallyForcesNearCity, city, nation, range);
            sorted.TallyNear(city, nation, range);
            const TTally s = Words(0);
            const TTally b = Tally(TallyForcesNearCityFullRescan, city, nation, range);
            if (a == b && s == b) continue;
            ADD_FAILURE() << "tally" << (a == b ? " from sorted corps" : "") << ", " << at << ": city " << city
                          << ", nation " << nation << ", range " << range;
            return false;
        }
    // The city scores' shared tally, kept from step to step at ranges of the cities' own.
    std::array<int, kTallyCityMax + 1> ranges{};
    for (int city = 1; city <= kCityCount; ++city) ranges[static_cast<std::size_t>(city)] = 3 * (city % 5) + 1;
    cityTallies.Read(ranges);
    for (int city = 1; city <= kCityCount; ++city)
        for (int nation : {kNationUnion, kNationConfederacy, kNationFrance}) {
            cityTallies.TallyNear(city, nation);
            const TTally s = Words(0);
            const TTally b = Tally(TallyForcesNearCityFullRescan, city, nation, 3 * (city % 5) + 1);
            if (s == b) continue;
            ADD_FAILURE() << "city scores' tally, " << at << ": city " << city << ", nation " << nation;
            return false;
        }
    for (int city = 0; city <= kCityCount + 1; ++city)
        for (int nation : {kNationUnion, kNationConfederacy, kNationFrance})
            for (int around : {range, range / 3, 0, range}) {
                const TTally s = Words(sorted.TallyAround(city, nation, around));
                const TTally k = Words(kept.TallyAround(city, nation, around));
                const TTally b = Words(TallyForcesNearCityFullRescan(city, nation, around, TallyVariant::AroundCity));
                if (s == b && k == b) continue;
                ADD_FAILURE() << "army tally " << (s == b ? "kept" : "from sorted corps") << ", " << at << ": city " << city
                              << ", nation " << nation << ", range " << around;
                return false;
            }
    return true;
}

bool IncrementalPasses::StartCampaign(const std::string& year, std::uint64_t seed, int personNation) {
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(seed);
    const std::string start = testing::GameFile(year + ".kvt");
    std::string why;
    if (!ReadGameImages(start, *GameRec, *MapGrid, &why) || !HandGameToComputer()) {
        ADD_FAILURE() << year << " cannot be played: " << why;
        return false;
    }
    if (personNation != 0) GameRec->Nations[personNation].Human = 1;
    BringGameIntoPlay(start);
    WatchBattles();
    return true;
}

void IncrementalPasses::WatchBattles() {
    SetTurnWatcher([this](TurnCheckpoint point, int) {
        if (point == TurnCheckpoint::BattlesDue) CompareBattles();
    });
}

int IncrementalPasses::PlayTurnComparing(const std::string& at) {
    ExecuteTurn();
    if (!Timer1Enabled()) {
        ADD_FAILURE() << at << ": the turn did not start";
        return -1;
    }
    if (!SameAsRescans(at + " before movement") || !SameFleetRoutes(at + " before movement")) return -1;
    int ticks = 0;
    for (int tick = 1; Timer1Enabled(); ++tick, ++ticks) {
        where = at + " tick " + std::to_string(tick);
        if (FleetPassDue == 0 && SelectedCorps == 1 && !SameCorpsPass(where)) return -1;
        // The last fleet pass ends the movement and the turn with it: not played twice.
        if (FleetPassDue == 1 && SelectedFleet == 1 && GameRec->MoveStep < 19 && !SameFleetPass(where)) return -1;
        MovementTick();
        if (!battlesSame || !SameAsRescans(where)) return -1;
    }
    where.clear();
    return ticks;
}

int IncrementalPasses::PlayComparing(const std::string& year, std::uint64_t seed, int turns) {
    if (!StartCampaign(year, seed)) return 0;
    int steps = 0;
    for (int turn = 1; turn <= turns && GameStatus == 0; ++turn) {
        const int ticks = PlayTurnComparing(year + " seed " + std::to_string(seed) + " turn " + std::to_string(turn));
        if (ticks < 0) return steps;
        steps += ticks;
    }
    return steps;
}

}  // namespace kvt
