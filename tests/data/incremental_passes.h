// Seeded campaigns played step by step, the passes that recount only what changed since their last
// run held to the whole-map rescans they replace: the fixture the campaign comparisons share.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_tally.h"
#include "engine/players/game_setup.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt {

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

    void Keep();
    void PutBack() const;
};

// What a pass leaves that a player or a saved game could tell apart.
struct TPassResult {
    std::vector<std::uint8_t> record, map;
    std::vector<int> draws;
    std::uint64_t generator = 0;
    // The last route search's answer, which a caller may still read after the pass.
    std::vector<int> route;
    // The battle history a mail game carries to the other player.
    std::vector<std::string> history;
};

// Answers the files asked for by name; every other wait as nobody at the screen would.
class TFilesFrontend : public AutomaticFrontend {
public:
    std::string ChooseOpenFile() override { return open; }
    std::string ChooseSaveFile() override { return save; }
    TSetupChoices ShowGameSetup() override { return setup ? *setup : AutomaticFrontend::ShowGameSetup(); }

    std::string open, save;
    std::optional<TSetupChoices> setup;
};

class IncrementalPasses : public testing::EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reads a start point and brings it into play, the computer playing every side but
    // `personNation`'s (0: none), the turn's battles compared as they fall due.
    bool StartCampaign(const std::string& year, std::uint64_t seed, int personNation = 0);
    // Each fleet's route to its destination and whether a route reaches its home port, asked of the
    // waters kept from search to search and of a search made alone: the same route, answer and
    // draws. The waters are kept until a map is read or a city marked, so this is asked after those.
    bool SameFleetRoutes(const std::string& at);
    // Compares the turn's battles as they fall due, from now on.
    void WatchBattles();
    // Executes one turn and plays its movement, comparing after the pre-movement phase and after
    // every movement tick. Answers the ticks compared, or -1 at the first difference.
    int PlayTurnComparing(const std::string& at);
    // Plays the start point with the computer on both sides for `turns` turns. Answers the steps
    // compared.
    int PlayComparing(const std::string& year, std::uint64_t seed, int turns);

    // Runs every pass both ways from the world as it stands, then puts the world back. False at the
    // first difference, which is reported.
    bool SameAsRescans(const std::string& at);
    // Where two worlds differ first (record, map, generator); empty for the same world.
    static std::string WorldDifference(const TWorld& a, const TWorld& b);

    TFilesFrontend frontend;
    std::optional<testing::CurrentFolder> inFolder;
    std::string folder;
    // The place the campaign has reached, for the messages of checks made inside a turn.
    std::string where;
    // Battle phases compared in which a battle was fought, and whether any compared differently.
    int battlesCompared = 0;
    bool battlesSame = true;

private:
    TPassResult Run(const TWorld& from, void (*pass)());
    bool SameResults(const std::string& name, const std::string& at, const TPassResult& a, const TPassResult& b);
    // Both plays took as many ticks and left the same world.
    using TPlayed = std::pair<int, std::unique_ptr<TWorld>>;
    static bool SameWorlds(const TPlayed& held, const TPlayed& plain);
    bool SameCorpsPass(const std::string& at);
    bool SameFleetPass(const std::string& at);
    // The turn's battles closed by the recount of the corps as they were counted and by the plain
    // recount, from the world the movement left.
    void CompareBattles();
    bool SameBrigadeLists(const std::string& at);
    bool SameTallies(const std::string& at);

    int tallySteps = 0;
    TCityTallies cityTallies;
    TBrigadesByCorps brigadesByCorps;
};

}  // namespace kvt
