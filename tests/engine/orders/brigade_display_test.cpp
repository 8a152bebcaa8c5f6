// The brigade display: its rows, reinforcement from the home state's recruits paid in weapons, and
// re-arming from the national pool.
#include <gtest/gtest.h>

#include "engine/orders/brigade_display.h"
#include "engine/world/stocks.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class BrigadeDisplay : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        SidePlayed = 1;
        GameRec->States[1].ShortName = "Md";
        corps = AddCorps(1, 5, 5);
        SelectedCorps = static_cast<std::uint16_t>(corps);
    }
    int Brigade(int type, int strength, int weapon, int ordinal = 1, int quality = 2) {
        const int b = AddBrigade(corps, type, strength, quality);
        GameRec->Brigades[b].Weapon = static_cast<U8>(weapon);
        GameRec->Brigades[b].Ordinal = static_cast<U8>(ordinal);
        return b;
    }
    static U16& Pool(int kind) { return GameRec->Nations[1].WeaponPool[kind]; }
    int corps = 0;
};

TEST_F(BrigadeDisplay, RowsOfferReinforcementOnlyWhereThePlayedNationCanPayForIt) {
    Pool(1) = 100;
    Pool(5) = 10;
    GameRec->States[1].InfantryPool = 7;
    struct Case { int type, strength, weapon, ordinal, nation; const char* name; bool offered; };
    const Case cases[] = {
        {kBrigadeInfantry, 70, 1, 12, 1, "12th Md", true},
        {kBrigadeInfantry, 80, 1, 22, 1, "22nd Md", false},     // full
        {kBrigadeArtillery, 10, 8, 42, 1, "42nd Md", false},    // Whitworths are never filled
        {kBrigadeInfantry, 40, 1, 3, 3, "3rd Md", false},       // an ally's brigade
        {kBrigadeCavalry, 30, 5, 31, 1, "31st Md", false},      // 10 shotguns for 20 short
    };
    for (const Case& c : cases) GameRec->Brigades[Brigade(c.type, c.strength, c.weapon, c.ordinal)].Nation = static_cast<U8>(c.nation);
    for (int i = 0; i < 6; ++i) Brigade(kBrigadeInfantry, 50, 1);
    TBrigadeDisplay d;
    ASSERT_TRUE(OpenBrigadeDisplay(d));
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(cases[r].name);
        EXPECT_EQ(d.rows[r].name, cases[r].name);
        EXPECT_EQ(d.rows[r].reinforceOffered, cases[r].offered);
    }
    EXPECT_EQ(d.rows[0].strength, "3500");
    EXPECT_EQ(d.rows[0].reinforcements, "350");
    EXPECT_EQ(d.rows[0].type, "Inf");
    EXPECT_EQ(d.rows[0].weapon, "Muskets");
    EXPECT_EQ(d.rows[2].strength, "20") << "guns";
    EXPECT_EQ(d.rows[9].brigade, 10) << "the eleventh brigade is not listed";
    // Cut off from supply, nothing is offered.
    C(corps).SupplyDistance = 2;
    ASSERT_TRUE(OpenBrigadeDisplay(d));
    EXPECT_FALSE(d.rows[0].reinforceOffered);
    SelectedCorps = 0;
    EXPECT_FALSE(OpenBrigadeDisplay(d));
}

TEST_F(BrigadeDisplay, ReinforcementTakesRecruitsAndWeaponsAndMixesQuality) {
    struct Case { const char* what; int nation, type, strength, quality, weapon, recruits, weapons;
                  int strengthAfter, qualityAfter, recruitsAfter, weaponsAfter; };
    const Case cases[] = {
        {"a short pool gives all it has", 1, kBrigadeInfantry, 70, 2, 1, 4, 100, 74, 1, 0, 96},
        {"Confederate veterans lift the mean", 2, kBrigadeInfantry, 40, 5, 1, 100, 100, 80, 4, 60, 60},
        {"Union recruits average down", 1, kBrigadeInfantry, 40, 5, 1, 100, 100, 80, 3, 60, 60},
        {"guns", 1, kBrigadeArtillery, 10, 4, 6, 10, 20, 16, 2, 4, 14},
        {"too few weapons: nothing", 1, kBrigadeInfantry, 40, 5, 1, 100, 39, 40, 5, 100, 39},
        {"nobody left and no recruits", 1, kBrigadeInfantry, 0, 5, 1, 0, 100, 0, 5, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        SidePlayed = static_cast<std::uint16_t>(c.nation);
        GameRec->Corps[corps].Nation = static_cast<U8>(c.nation);
        const int b = Brigade(c.type, c.strength, c.weapon, 1, c.quality);
        const int sameState = Brigade(c.type, 10, c.weapon);
        U16* recruits = c.type == kBrigadeArtillery ? &GameRec->States[1].ArtilleryPool : &GameRec->States[1].InfantryPool;
        *recruits = static_cast<std::uint16_t>(c.recruits);
        U16& weapons = GameRec->Nations[c.nation].WeaponPool[c.weapon];
        weapons = static_cast<std::uint16_t>(c.weapons);
        const bool tooFew = c.weapons < (c.type == kBrigadeArtillery ? 16 : 80) - c.strength;
        ScriptedFrontend frontend;
        if (tooFew) frontend.ExpectNotice(0);
        SetStockLedger(true);
        TBrigadeDisplay d;
        ASSERT_TRUE(OpenBrigadeDisplay(d));
        ReinforceDisplayRow(d, 0);
        SetStockLedger(false);
        const TBrigadeRec& r = GameRec->Brigades[b];
        EXPECT_EQ(r.Strength, c.strengthAfter);
        EXPECT_EQ(r.Quality, c.qualityAfter);
        EXPECT_EQ(*recruits, c.recruitsAfter);
        EXPECT_EQ(weapons, c.weaponsAfter);
        EXPECT_FALSE(d.rows[0].reinforceOffered) << "each check box serves once";
        EXPECT_EQ(d.rows[1].reinforcements, std::to_string(c.recruitsAfter * (c.type == kBrigadeArtillery ? 2 : 50)));
        for (const TStockEntry& e : StockLedger()) EXPECT_EQ(e.rule, StockRule::Dialog);
        if (tooFew) {
            EXPECT_EQ(frontend.notices.back().lines[1], "Not enough weapons on hand");
        }
        EXPECT_EQ(GameRec->Brigades[sameState].Strength, 10);
    }
}

TEST_F(BrigadeDisplay, ReArmingReturnsTheOldWeaponsToThePoolUpToItsCap) {
    struct Case { const char* what; int type, strength, weapon; int pool1, pool2; int choose;
                  std::vector<int> offered; int weaponAfter, pool1After, pool2After; };
    const Case cases[] = {
        {"Muskets for Springfields", kBrigadeInfantry, 60, 1, 100, 60, 2, {1, 2, 3}, 2, 160, 0},
        {"59 Springfields cannot arm 60", kBrigadeInfantry, 60, 1, 100, 59, 2, {1, 3}, 1, 100, 59},
        {"the same kind changes nothing", kBrigadeInfantry, 60, 1, 100, 100, 1, {1, 2, 3}, 1, 100, 100},
        {"a full pool stays full", kBrigadeInfantry, 60, 1, 65500, 60, 2, {1, 2, 3}, 2, 65535, 0},
        {"cavalry: Spencers and Shotguns", kBrigadeCavalry, 30, 5, 100, 100, 3, {4, 5}, 5, 100, 100},
        {"artillery: the three guns", kBrigadeArtillery, 10, 6, 100, 100, 7, {6, 7, 8}, 7, 110, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int k = 1; k <= 8; ++k) Pool(k) = 1000;
        Pool(c.weapon) = static_cast<std::uint16_t>(c.pool1);
        Pool(c.choose) = static_cast<std::uint16_t>(c.pool2);
        const int b = Brigade(c.type, c.strength, c.weapon);
        const TWeaponChoice w = OpenWeaponChoice(b);
        std::vector<int> offered;
        for (int k = 1; k <= 8; ++k)
            if (w.offered[k]) offered.push_back(k);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(w.counts[1], std::to_string(Pool(1) * 50));
        EXPECT_EQ(w.counts[8], "2000") << "guns";
        ApplyWeaponChoice(b, c.choose);
        EXPECT_EQ(GameRec->Brigades[b].Weapon, c.weaponAfter);
        EXPECT_EQ(Pool(c.weapon), c.pool1After);
        EXPECT_EQ(Pool(c.choose), c.choose == c.weapon ? c.pool1After : c.pool2After);
    }
}

}  // namespace
}  // namespace kvt
