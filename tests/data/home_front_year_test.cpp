// A headless year of 1861 with the computer on both sides and the stock ledger on: after every
// turn each pool equals its start plus the changes noted for it, and the home front stays in range.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

std::map<std::size_t, long long> StockWords() {
    std::map<std::size_t, long long> words;
    const auto* base = reinterpret_cast<const std::uint8_t*>(GameRec);
    ForEachStockWord(*GameRec, [&](U16& w) { words[reinterpret_cast<const std::uint8_t*>(&w) - base] = w; });
    return words;
}

void ExpectHomeFrontSound(const std::map<std::size_t, long long>& before, const TGameRec& was) {
    std::map<std::size_t, long long> now = StockWords(), noted;
    for (const TStockEntry& e : StockLedger()) noted[e.offset] += e.change;
    for (const auto& [offset, value] : now)
        ASSERT_EQ(value, before.at(offset) + noted[offset]) << "the word at byte " << offset << " moved around the ledger";
    const TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        const TNationRec& nation = g.Nations[n];
        for (U16 pool : nation.WeaponPool) EXPECT_LE(pool, kWeaponPoolCap);
        int sum = 0;
        for (U8 p : nation.RecruitPercent) sum += p;
        EXPECT_LE(sum, 100) << "the shares, each 0..100";
        EXPECT_LE(nation.AppealCounter, 9);
        // A signed word that wrapped jumps by most of its range in one turn.
        EXPECT_LT(std::abs(nation.Will - was.Nations[n].Will) + std::abs(nation.Attitude - was.Nations[n].Attitude), 16384);
    }
    for (const TStateRec& s : g.States) EXPECT_LE(s.Loyalty, 100);
    int garrison[kCityCount + 1] = {};
    for (const TBrigadeRec& b : g.Brigades) {
        EXPECT_TRUE(b.AttachKind != kAttachCorps || (b.AttachIndex >= 1 && b.AttachIndex <= kCorpsCount && CorpsInUse(g.Corps[b.AttachIndex])));
        if (b.AttachKind != kAttachGarrison) continue;
        ASSERT_TRUE(b.AttachIndex >= 1 && b.AttachIndex <= kCityCount && !g.Cities[b.AttachIndex].Name.empty());
        ++garrison[b.AttachIndex];
    }
    for (int c = 1; c <= kCityCount; ++c) EXPECT_EQ(g.Cities[c].Garrison, garrison[c]) << g.Cities[c].Name.str();
    for (const TCorpsRec& k : g.Corps) EXPECT_NE(k.Army, 100) << "an army candidate's mark outlived the upkeep";
}

class HomeFrontYear : public testing::EngineTest {
protected:
    // Plays 36 turns of 1861 for the seed, every turn checked; the checksum after each turn.
    std::vector<std::uint64_t> PlayYear(std::uint64_t seed) {
        AutomaticFrontend automatic;
        InstallFrontend(&automatic);
        SetRandomSeed(seed);
        std::vector<std::uint64_t> sums;
        EXPECT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")) && testing::LoadStartPoint("1861") && HandGameToComputer());
        ResetDraftTallies();
        SetStockLedger(true);
        auto saved = std::make_unique<TGameRec>();
        auto savedMap = std::make_unique<TMapGrid>();
        for (int turn = 1; turn <= 36 && GameStatus == 0; ++turn) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " turn " << turn);
            const auto before = StockWords();
            const TGameRec was = *GameRec;
            ClearStockLedger();
            EXPECT_TRUE(PlayHeadlessTurn());
            ExpectHomeFrontSound(before, was);
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
    std::string folder = testing::TempFolder("home_front_year");
    testing::CurrentFolder inFolder{folder};  // the turn writes its autosave here
};

TEST_F(HomeFrontYear, PoolsMoveOnlyByTheirNotedChangesAndStayInRange) {
    for (std::uint64_t seed : {1ULL, 1862ULL, 99ULL}) {
        const std::vector<std::uint64_t> sums = PlayYear(seed);
        EXPECT_EQ(sums.size(), 36u);
        RecordProperty("will_lost_to_riots_" + std::to_string(seed),
                       std::to_string(WillLostToRiots(1)) + "/" + std::to_string(WillLostToRiots(2)));
        if (seed != 1) continue;
        EXPECT_EQ(PlayYear(seed), sums) << "the same seed plays the same year";
    }
}

}  // namespace
}  // namespace kvt
