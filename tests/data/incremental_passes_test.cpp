// The passes that recount only what changed since their last run (hex control, spotting, army
// headquarters, the force tallies and recount, the upkeep, the command clean-up, the brigades each
// corps holds, conquests and city unrest, the corps pass's held brigade lists and corps hexes, the
// fleet pass's held fleets at sea, the armies' operations, the corps outside armies) or pass by searches that cannot succeed (supply
// sources) against the whole-map
// rescans they replace: seeded campaigns of
// every start point are played step by step, and after the pre-movement phase and every movement
// tick both are run from the same world and must leave the same record, map and random draws.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/combat/naval_combat.h"
#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_recount.h"
#include "engine/forces/force_tally.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "engine/logistics/upkeep.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/movement/spotting.h"
#include "engine/players/army_operations.h"
#include "engine/players/independent_corps.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/record_queries.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

// The sanitizer build runs many times slower: it plays the first turns only.
#ifdef KVT_SANITIZED_BUILD
constexpr int kTurnsPlayed = 2;
#else
constexpr int kTurnsPlayed = 8;
#endif

// The world a pass starts from and leaves: record, map and generator.
struct TWorld {
    std::unique_ptr<TGameRec> record = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    RandomState random{};

    void Keep() {
        *record = *GameRec;
        *map = *MapGrid;
        random = GetRandomState();
    }
    void PutBack() const {
        *GameRec = *record;
        *MapGrid = *map;
        SetRandomState(random);
    }
};

// What a pass leaves that a player or a saved game could tell apart.
struct TPassResult {
    std::vector<std::uint8_t> record, map;
    std::vector<int> draws;
    std::uint64_t generator = 0;
    // The last route search's answer, which a caller may still read after the pass.
    std::vector<int> route;
};

// The first byte at which two images differ, for the message.
std::string FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) return "byte " + std::to_string(i) + ": " + std::to_string(a[i]) + " vs " + std::to_string(b[i]);
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

class IncrementalPasses : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        inFolder.emplace(testing::TempFolder("incremental"));
        InstallFrontend(&frontend);
    }
    void TearDown() override {
        InstallFrontend(nullptr);
        inFolder.reset();
        EngineTest::TearDown();
    }

    TPassResult Run(const TWorld& from, void (*pass)()) {
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

    // Runs every pass both ways from the world as it stands, then puts the world back. False at the
    // first difference, which is reported.
    bool SameAsRescans(const std::string& where) {
        TWorld now;
        now.Keep();
        bool same = true;
        for (const TPass& pass : kPasses) {
            const TPassResult a = Run(now, pass.incremental);
            const TPassResult b = Run(now, pass.rescan);
            if (a.record != b.record) ADD_FAILURE() << pass.name << ", " << where << ": record " << FirstDifference(a.record, b.record);
            if (a.map != b.map) ADD_FAILURE() << pass.name << ", " << where << ": map " << FirstDifference(a.map, b.map);
            if (a.draws != b.draws || a.generator != b.generator) ADD_FAILURE() << pass.name << ", " << where << ": draws";
            if (a.route != b.route) ADD_FAILURE() << pass.name << ", " << where << ": the last route found";
            same = same && a.record == b.record && a.map == b.map && a.draws == b.draws && a.generator == b.generator &&
                   a.route == b.route;
        }
        now.PutBack();
        return same && SameTallies(where) && SameBrigadeLists(where);
    }

    // A pass played twice from one world, its ticks counted and the world it left kept.
    using TPlayed = std::pair<int, std::unique_ptr<TWorld>>;
    // Both plays took as many ticks and left the same record, map and generator.
    static bool SameWorlds(const TPlayed& held, const TPlayed& plain) {
        const auto bytes = [](const auto& p) { return std::string(reinterpret_cast<const char*>(p.get()), sizeof(*p)); };
        return held.first == plain.first && bytes(held.second->record) == bytes(plain.second->record) &&
               bytes(held.second->map) == bytes(plain.second->map) &&
               held.second->random.state == plain.second->random.state;
    }

    // A whole corps pass played as the game plays it, brigade lists and corps hexes held from its
    // first step, and again with both let go after every step, so that each step looks at the
    // records afresh: the same record, map and draws. The world is put back for the game to play on.
    bool SameCorpsPass(const std::string& where) {
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
        if (!same) ADD_FAILURE() << "corps pass, " << where << ": held lists and hexes leave another world";
        before.PutBack();
        SelectedCorps = selected;
        FleetPassDue = 0;
        ResetPathSearch();
        return same && held.first > 0;
    }

    // A whole fleet pass played as the game plays it, the fleets at sea held from its first fleet,
    // and again with them let go after every tick, so that interceptions and engagements look over
    // every fleet: the same record, map and draws. The world is put back for the game to play on.
    bool SameFleetPass(const std::string& where) {
        TWorld before;
        before.Keep();
        const int step = GameRec->MoveStep;
        const auto play = [&](bool letGo) {
            before.PutBack();
            SelectedFleet = 1;
            FleetPassDue = 1;
            ResetPathSearch();
            int ticks = 0;
            while (FleetPassDue == 1 && GameRec->MoveStep == step && Timer1Enabled() && !MovementEnded) {
                MovementTick();
                ++ticks;
                if (letGo) ReleaseFleetsAtSea();
            }
            auto after = std::make_unique<TWorld>();
            after->Keep();
            return std::make_pair(ticks, std::move(after));
        };
        const auto held = play(false);
        const bool same = SameWorlds(held, play(true));
        if (!same) ADD_FAILURE() << "fleet pass, " << where << ": held fleets at sea leave another world";
        before.PutBack();
        SelectedFleet = 1;
        FleetPassDue = 1;
        ResetPathSearch();
        return same && held.first > 0;
    }

    // One index kept through the whole campaign, as the movement steps keep theirs, read against
    // the plain look over every brigade.
    bool SameBrigadeLists(const std::string& where) {
        for (int corps = 1; corps <= kCorpsCount; ++corps) {
            std::vector<int> plain;
            ForEachAttachedBrigade(corps, [&](TBrigadeRec& b) { plain.push_back(static_cast<int>(&b - GameRec->Brigades.begin()) + 1); });
            const auto listed = brigadesByCorps.Of(corps);
            if (std::vector<int>(listed.begin(), listed.end()) == plain) continue;
            ADD_FAILURE() << "brigades of corps " << corps << ", " << where;
            return false;
        }
        return true;
    }

    struct TTally {
        int answer;
        std::array<std::uint16_t, 7> words;
        bool operator==(const TTally&) const = default;
    };
    static TTally Words(int answer) {
        return {answer, {OwnTally, EnemyTally, EnemyReadinessTally, EnemyCorpsTally, HolderCorpsOnCity, NearestEnemyDist, NearestOwnDist}};
    }
    static TTally Tally(int (*tally)(int, int, int, TallyVariant), int city, int nation, int range) {
        return Words(tally(city, nation, range, TallyVariant::Near));
    }

    // The plain tally read three ways around every city (and the numbers beside the cities), for
    // both sides, at a range that changes from step to step: swept, from corps sorted once, and
    // rescanned; the armies' tally from the sorted corps, kept and rescanned, its answer too; the city
    // scores' tally by side, read again only as the corps change. The words left by the call before
    // must not leak into the next.
    bool SameTallies(const std::string& where) {
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
                ADD_FAILURE() << "tally" << (a == b ? " from sorted corps" : "") << ", " << where << ": city " << city
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
                ADD_FAILURE() << "city scores' tally, " << where << ": city " << city << ", nation " << nation;
                return false;
            }
        for (int city = 0; city <= kCityCount + 1; ++city)
            for (int nation : {kNationUnion, kNationConfederacy, kNationFrance})
                for (int around : {range, range / 3, 0, range}) {
                    const TTally s = Words(sorted.TallyAround(city, nation, around));
                    const TTally k = Words(kept.TallyAround(city, nation, around));
                    const TTally b = Words(TallyForcesNearCityFullRescan(city, nation, around, TallyVariant::AroundCity));
                    if (s == b && k == b) continue;
                    ADD_FAILURE() << "army tally " << (s == b ? "kept" : "from sorted corps") << ", " << where << ": city " << city << ", nation "
                                  << nation << ", range " << around;
                    return false;
                }
        return true;
    }

    // Plays the start point with the computer on both sides for `turns` turns, comparing after the
    // pre-movement phase and after every movement tick. Answers the steps compared.
    int PlayComparing(const std::string& year, std::uint64_t seed, int turns) {
        ResetEngineGlobals();
        UseClockForRandomize(false);
        SetRandomSeed(seed);
        const std::string start = testing::GameFile(year + ".kvt");
        std::string why;
        if (!ReadGameImages(start, *GameRec, *MapGrid, &why) || !HandGameToComputer()) {
            ADD_FAILURE() << year << " cannot be played: " << why;
            return 0;
        }
        BringGameIntoPlay(start);
        int steps = 0;
        for (int turn = 1; turn <= turns && GameStatus == 0; ++turn) {
            const std::string at = year + " seed " + std::to_string(seed) + " turn " + std::to_string(turn);
            ExecuteTurn();
            if (!Timer1Enabled()) {
                ADD_FAILURE() << at << ": the turn did not start";
                return steps;
            }
            if (!SameAsRescans(at + " before movement")) return steps;
            for (int tick = 1; Timer1Enabled(); ++tick, ++steps) {
                if (FleetPassDue == 0 && SelectedCorps == 1 && !SameCorpsPass(at + " tick " + std::to_string(tick)))
                    return steps;
                // The last fleet pass ends the movement and the turn with it: not played twice.
                if (FleetPassDue == 1 && SelectedFleet == 1 && GameRec->MoveStep < 19 &&
                    !SameFleetPass(at + " tick " + std::to_string(tick)))
                    return steps;
                MovementTick();
                if (!SameAsRescans(at + " tick " + std::to_string(tick))) return steps;
            }
        }
        return steps;
    }

    AutomaticFrontend frontend;
    std::optional<testing::CurrentFolder> inFolder;
    int tallySteps = 0;
    TCityTallies cityTallies;
    TBrigadesByCorps brigadesByCorps;
};

TEST_F(IncrementalPasses, EveryStepOfSeededCampaignsLeavesWhatTheFullRescansLeave) {
    struct Case {
        const char* year;
        std::uint64_t seed;
        int turns;
    };
    const Case cases[] = {{"1861", 1, kTurnsPlayed}, {"1861", 7, kTurnsPlayed}, {"1862", 3, kTurnsPlayed},
                          {"1863", 5, kTurnsPlayed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " seed " + std::to_string(c.seed));
        EXPECT_GT(PlayComparing(c.year, c.seed, c.turns), 100 * c.turns) << "the turns were not played";
    }
}

}  // namespace
}  // namespace kvt
