// A headless year of 1861 with the computer on both sides and the stock ledger on: after every
// turn each pool equals its start plus the changes noted for it, and the home front stays in range.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/headless_turns.h"
#include "engine/core/stocks.h"
#include "engine/core/text_table.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

constexpr int kTurns = 36;

std::map<std::size_t, int> StockWords() {
    std::map<std::size_t, int> words;
    const auto* base = reinterpret_cast<const std::uint8_t*>(GameRec);
    ForEachStockWord(*GameRec, [&](U16& w) { words[reinterpret_cast<const std::uint8_t*>(&w) - base] = w; });
    return words;
}

void ExpectPoolsMatchTheLedger(const std::map<std::size_t, int>& before) {
    std::map<std::size_t, long long> noted;
    for (const TStockEntry& e : StockLedger()) noted[e.offset] += e.change;
    int wrong = 0;
    for (const auto& [offset, value] : StockWords())
        if (value != before.at(offset) + noted[offset] && ++wrong <= 3)
            ADD_FAILURE() << "the word at byte " << offset << " went from " << before.at(offset) << " to " << value
                          << " with " << noted[offset] << " noted";
}

void ExpectHomeFrontInRange(const TGameRec& was) {
    const TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        const TNationRec& nation = g.Nations[n];
        for (U16 pool : nation.WeaponPool) EXPECT_LE(pool, kWeaponPoolCap) << "nation " << n;
        int sum = 0;
        for (U8 p : nation.RecruitPercent) {
            EXPECT_LE(p, 100) << "nation " << n;
            sum += p;
        }
        EXPECT_LE(sum, 100) << "nation " << n;
        EXPECT_LE(nation.AppealCounter, 9) << "nation " << n;
        // A signed word that wrapped jumps by most of its range in one turn.
        EXPECT_LT(std::abs(nation.Will - was.Nations[n].Will), 16384) << "nation " << n;
        EXPECT_LT(std::abs(nation.Attitude - was.Nations[n].Attitude), 16384) << "nation " << n;
        EXPECT_LT(std::abs(nation.AppealCounter - was.Nations[n].AppealCounter), 64) << "nation " << n;
    }
    for (const TStateRec& s : g.States) EXPECT_LE(s.Loyalty, 100) << s.Name.str();
    int garrison[kCityCount + 1] = {};
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g.Brigades[i];
        if (b.AttachKind == kAttachCorps)
            EXPECT_TRUE(b.AttachIndex >= 1 && b.AttachIndex <= kCorpsCount && CorpsInUse(g.Corps[b.AttachIndex]))
                << "brigade " << i << " serves corps " << int(b.AttachIndex);
        if (b.AttachKind != kAttachGarrison) continue;
        const bool inCity = b.AttachIndex >= 1 && b.AttachIndex <= kCityCount && !g.Cities[b.AttachIndex].Name.empty();
        EXPECT_TRUE(inCity) << "brigade " << i << " garrisons city " << int(b.AttachIndex);
        if (inCity) ++garrison[b.AttachIndex];
    }
    for (int c = 1; c <= kCityCount; ++c)
        EXPECT_EQ(g.Cities[c].Garrison, garrison[c]) << g.Cities[c].Name.str();
    for (const TCorpsRec& k : g.Corps) EXPECT_NE(k.Army, 100) << "an army candidate's mark outlived the upkeep";
}

class HomeFrontYear : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        folder = testing::TempFolder("home_front_year");
        inFolder.emplace(folder);
    }
    void TearDown() override {
        inFolder.reset();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        EngineTest::TearDown();
    }
    // Plays the year for the seed with every turn checked; the checksum after each turn.
    std::vector<std::uint64_t> PlayYear(std::uint64_t seed) {
        AutomaticFrontend automatic;
        InstallFrontend(&automatic);
        SetRandomSeed(seed);
        std::vector<std::uint64_t> sums;
        if (!testing::LoadStartPoint("1861") || !HandGameToComputer()) {
            ADD_FAILURE() << "the 1861 start point is missing";
            return sums;
        }
        ResetDraftTallies();
        SetStockLedger(true);
        auto saved = std::make_unique<TGameRec>();
        auto savedMap = std::make_unique<TMapGrid>();
        for (int turn = 1; turn <= kTurns && GameStatus == 0; ++turn) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " turn " << turn);
            const auto before = StockWords();
            const TGameRec was = *GameRec;
            ClearStockLedger();
            EXPECT_TRUE(PlayHeadlessTurn());
            ExpectPoolsMatchTheLedger(before);
            ExpectHomeFrontInRange(was);
            EXPECT_EQ(CheckedAccessFaults(), 0u);
            std::string why;
            EXPECT_TRUE(SaveGameFiles(folder + "/year") && ReadGameImages(folder + "/year.KVT", *saved, *savedMap, &why)) << why;
            EXPECT_EQ(std::memcmp(saved.get(), GameRec, sizeof(TGameRec)), 0) << "the record loads as it was saved";
            sums.push_back(GameChecksum());
        }
        SetStockLedger(false);
        InstallFrontend(nullptr);
        return sums;
    }
    std::string folder;
    std::optional<testing::CurrentFolder> inFolder;
};

TEST_F(HomeFrontYear, PoolsMoveOnlyByTheirNotedChangesAndStayInRange) {
    for (std::uint64_t seed : {1ULL, 1862ULL, 99ULL}) {
        const std::vector<std::uint64_t> sums = PlayYear(seed);
        EXPECT_EQ(sums.size(), static_cast<std::size_t>(kTurns));
        RecordProperty("will_lost_to_riots_" + std::to_string(seed),
                       std::to_string(WillLostToRiots(1)) + "/" + std::to_string(WillLostToRiots(2)));
        if (seed == 1) EXPECT_EQ(PlayYear(seed), sums) << "the same seed plays the same year";
    }
}

}  // namespace
}  // namespace kvt
