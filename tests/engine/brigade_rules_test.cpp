// Brigade rules: losses, recounts, drill, weapon prices and choice, raising, arming and releasing.
#include <gtest/gtest.h>

#include "engine/combat/brigade_rules.h"
#include "engine/core/random.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

using testing::MovementWorld;

class BrigadeRules : public MovementWorld {};

TEST_F(BrigadeRules, AttritionTakesFromTheStrongestLowQualityBrigadeInScanOrder) {
    struct Case {
        const char* what;
        int type1, strength1, quality1, type2, strength2, quality2, losses;
        int expect1, expect2;
    };
    const Case cases[] = {
        {"the stronger infantry takes all", kBrigadeInfantry, 40, 2, kBrigadeCavalry, 30, 1, 3, 37, 30},
        {"scan order decides", kBrigadeInfantry, 30, 5, kBrigadeInfantry, 40, 10, 2, 28, 40},
        {"quality 100 never picked", kBrigadeInfantry, 30, 100, kBrigadeInfantry, 20, 99, 2, 30, 18},
        {"cavalry quality counts double", kBrigadeCavalry, 50, 60, kBrigadeInfantry, 60, 90, 1, 50, 59},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 5, 5);
        GameRec->Corps[k].Strength = 70;
        const int b1 = AddBrigade(k, c.type1, c.strength1, c.quality1, 0, 3);
        const int b2 = AddBrigade(k, c.type2, c.strength2, c.quality2, 0, 3);
        ApplyBrigadeLosses(1, k, c.losses);
        EXPECT_EQ(GameRec->Brigades[b1].Strength, c.expect1) << c.what;
        EXPECT_EQ(GameRec->Brigades[b2].Strength, c.expect2) << c.what;
        EXPECT_EQ(GameRec->Corps[k].Strength, 70 - c.losses) << c.what;
        EXPECT_EQ(GameRec->Foraging[1], static_cast<std::uint32_t>(c.losses)) << c.what;
        EXPECT_EQ(GameRec->States[3].StateCasualties, c.losses) << c.what;
    }
}

TEST_F(BrigadeRules, AttritionFreesSpentBrigadesAndDropsWhatNobodyCanTake) {
    const int k = AddCorps(1, 5, 5);
    GameRec->Corps[k].Strength = 2;
    const int b = AddBrigade(k, kBrigadeInfantry, 2, 1);
    ApplyBrigadeLosses(1, k, 5);
    EXPECT_EQ(GameRec->Brigades[b].AttachKind, kAttachFree);
    EXPECT_EQ(GameRec->Corps[k].Strength, 0);
    EXPECT_EQ(GameRec->Foraging[1], 2u) << "the three points nobody could take are dropped";
    ApplyBrigadeLosses(1, 0, 5);
    ApplyBrigadeLosses(1, 121, 5);
    ApplyBrigadeLosses(2, k, 5);
    EXPECT_EQ(GameRec->Foraging[1], 2u);
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(BrigadeRules, BattleLossesOfOneBrigade) {
    const int k = AddCorps(2, 5, 5);
    const int gun = AddBrigade(k, kBrigadeArtillery, 10, 2, 0, 4);
    GameRec->Brigades[gun].Weapon = 7;
    const int foot = AddBrigade(k, kBrigadeInfantry, 3, 2, 0, 4);
    ScriptRandomDraws({10, 80});
    ApplyBrigadeLosses(3, gun, 4);  // draw 10: guns lost
    ApplyBrigadeLosses(3, gun, 2);  // draw 80: none
    ApplyBrigadeLosses(3, foot, 5);  // more than it has: all of it, freed, no draw
    EXPECT_EQ(GameRec->Brigades[gun].Strength, 4);
    EXPECT_EQ(GunsLost[7], 4);
    EXPECT_EQ(GameRec->Brigades[foot].AttachKind, kAttachFree);
    EXPECT_EQ(GameRec->Casualties[2], 9u);
    EXPECT_EQ(GameRec->BattleSideLosses[2], 9);
    EXPECT_EQ(GameRec->States[4].StateCasualties, 9);
}

TEST_F(BrigadeRules, RecountBuildsCorpsFiguresFromBrigades) {
    const int unionLeader = AddLeader(1, 60), confLeader = AddLeader(2, 60);
    const int guns = AddCorps(1, 5, 5, unionLeader);
    AddBrigade(guns, kBrigadeArtillery, 16, 4, 6);
    AddBrigade(guns, kBrigadeArtillery, 12, 4, 6);
    const int line = AddCorps(2, 6, 6, confLeader);
    AddBrigade(line, kBrigadeInfantry, 80, 3, 30);  // fatigue capped at 23
    AddBrigade(line, kBrigadeCavalry, 50, 6, 10);
    AddBrigade(line, kBrigadeArtillery, 16, 9, 2);
    const int dead = AddBrigade(line, kBrigadeInfantry, 0, 3);
    const int division = AddCorps(2, 7, 7, confLeader);
    GameRec->Corps[division].Kind = 1;
    const int city = AddCity("Fort", 9, 9, 1);
    for (int i = 0; i < 3; ++i) {
        const int b = AddBrigade(guns, kBrigadeInfantry, 50);
        GameRec->Brigades[b].AttachKind = kAttachGarrison;
        GameRec->Brigades[b].AttachIndex = static_cast<U8>(city);
    }

    RecalcCorpsFromBrigades();

    const TCorpsRec& g = GameRec->Corps[guns];
    EXPECT_EQ(g.Artillery, 28);
    EXPECT_EQ(g.ArtilleryCount, 2);
    EXPECT_EQ(g.LineCount, 0);
    EXPECT_EQ(g.Strength, 0);
    EXPECT_EQ(g.Quality, 0) << "artillery alone gives no mean";
    EXPECT_EQ(g.Fatigue, 0);
    EXPECT_EQ(g.BrigadeLimit, 7) << "a Union corps of initiative 60";
    const TCorpsRec& l = GameRec->Corps[line];
    EXPECT_EQ(l.Strength, 130);
    EXPECT_EQ(l.Artillery, 16);
    EXPECT_EQ(l.LineCount, 2);
    EXPECT_EQ(l.Quality, (3 + 6 + 9) / 2) << "artillery adds to the sum, not to the divisor";
    EXPECT_EQ(l.Fatigue, (23 + 10 + 2) / 2);
    EXPECT_EQ(l.BrigadeLimit, 9) << "a Confederate corps of initiative 60";
    EXPECT_EQ(GameRec->Corps[division].BrigadeLimit, 5) << "a Confederate division: 60 div 20 + 2";
    EXPECT_EQ(GameRec->Brigades[dead].AttachKind, kAttachFree);
    EXPECT_EQ(GameRec->Cities[city].Garrison, 3);
}

TEST_F(BrigadeRules, DrillRaisesLowQualityBrigadesByTheDraws) {
    const int k = AddCorps(1, 5, 5);
    const int a = AddBrigade(k, kBrigadeInfantry, 80, 2);
    const int b = AddBrigade(k, kBrigadeInfantry, 80, 2);
    const int c = AddBrigade(k, kBrigadeInfantry, 80, 7);
    // a: 26 > 25, then 5 > 2 gains; b: 25 is not above 25, no second draw; c: 7 never exceeds 7.
    ScriptRandomDraws({26, 5, 25, 90, 7});
    SetRandomDrawLogging(true);
    EXPECT_EQ(DrillCorpsBrigades(k), 1);
    EXPECT_EQ(RandomDrawLog(), (std::vector<int>{100, 8, 100, 100, 8}));
    EXPECT_EQ(GameRec->Brigades[a].Quality, 3);
    EXPECT_EQ(GameRec->Brigades[b].Quality, 2);
    EXPECT_EQ(GameRec->Brigades[c].Quality, 7);
}

TEST_F(BrigadeRules, MonthlyPricesAndWeaponChoice) {
    GameRec->WeaponTable[1].Price[1] = 77;
    InitBrigadeTypeTable();
    EXPECT_EQ(GameRec->WeaponTable[1].Price[1], 77) << "muskets keep their price";
    EXPECT_EQ(GameRec->WeaponTable[2].Price[4], 2);
    EXPECT_EQ(GameRec->WeaponTable[6].Price[2], 45);
    EXPECT_EQ(GameRec->WeaponTable[8].Price[4], 92);

    TNationRec& n = GameRec->Nations[1];
    n.WeaponPool[1] = 80;
    n.WeaponPool[2] = 81;
    n.WeaponPool[5] = 100;
    n.WeaponPool[8] = 20;
    struct Case { int type, strength, expected; };
    const Case cases[] = {{kBrigadeInfantry, 80, 2}, {kBrigadeInfantry, 79, 1}, {kBrigadeCavalry, 50, 5},
                          {kBrigadeArtillery, 16, 8}, {kBrigadeArtillery, 20, 0}, {0, 1, 0}};
    for (const Case& c : cases) EXPECT_EQ(PickBrigadeWeapon(1, c.type, c.strength), c.expected) << c.type << "/" << c.strength;
}

TEST_F(BrigadeRules, RaisingTakesTheLowestFreeOrdinalAndTheRecruits) {
    GameRec->States[6].Controller = 2;
    GameRec->States[6].InfantryPool = 100;
    GameRec->States[6].ArtilleryPool = 10;
    for (int ordinal : {1, 2, 4}) {
        const int k = AddCorps(2, 5, 5);
        GameRec->Brigades[AddBrigade(k, kBrigadeInfantry, 80, 2, 0, 6)].Ordinal = static_cast<U8>(ordinal);
    }
    RaiseBrigadeAtCity(kBrigadeInfantry, 6);
    const TBrigadeRec& raised = GameRec->Brigades[4];
    EXPECT_EQ(raised.AttachKind, kAttachUnarmed);
    EXPECT_EQ(raised.Ordinal, 3);
    EXPECT_EQ(raised.Strength, 80);
    EXPECT_EQ(raised.Nation, 2);
    EXPECT_EQ(raised.Quality, 1);
    EXPECT_EQ(GameRec->States[6].InfantryPool, 20);

    RaiseBrigadeAtCity(kBrigadeArtillery, 6);
    EXPECT_EQ(GameRec->Brigades[5].Strength, 0) << "a short pool raises nothing";
    EXPECT_EQ(GameRec->Brigades[5].Ordinal, 5);
    EXPECT_EQ(GameRec->States[6].ArtilleryPool, 10);
    RecalcCorpsFromBrigades();
    EXPECT_EQ(GameRec->Brigades[5].AttachKind, kAttachFree) << "the next recount frees it";
}

TEST_F(BrigadeRules, ArmedBrigadesMusterAtTheirStateCapitalOrAFallback) {
    const int capital = AddCity("Capital", 10, 10, 1);
    const int west = 57;
    GameRec->Cities[west].Owner = 1;
    GameRec->Nations[1].Capital = static_cast<U8>(capital);
    GameRec->Nations[1].WeaponPool[1] = 1000;
    GameRec->States[1].CapitalCity = 9;
    GameRec->States[2].Theatre = kWest;
    GameRec->States[3].Theatre = kMississippi;  // city 55 is not Union: the national capital stays
    struct Case { int state, expectedCity; };
    const Case cases[] = {{1, 9}, {2, west}, {3, capital}};
    for (const Case& c : cases) {
        TBrigadeRec& b = GameRec->Brigades[++brigades_];
        b.Nation = 1;
        b.AttachKind = kAttachUnarmed;
        b.BrigadeType = kBrigadeInfantry;
        b.Strength = 80;
        b.HomeState = static_cast<U8>(c.state);
    }
    TBrigadeRec& unarmed = GameRec->Brigades[++brigades_];
    unarmed = {1, 0, kBrigadeArtillery, 16, 0, 1, 1, 0, kAttachUnarmed, 0};
    ArmWaitingBrigades(1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GameRec->Brigades[i + 1].AttachKind, kAttachWaiting);
        EXPECT_EQ(GameRec->Brigades[i + 1].Weapon, 1);
        EXPECT_EQ(GameRec->Brigades[i + 1].AttachIndex, cases[i].expectedCity) << "state " << cases[i].state;
    }
    EXPECT_EQ(unarmed.AttachKind, kAttachUnarmed) << "no guns in the pool: it keeps waiting";
    EXPECT_EQ(GameRec->Nations[1].WeaponPool[1], 1000 - 240);
}

TEST_F(BrigadeRules, ReleasedCorpsJoinsItsSupplyCityGarrison) {
    const int city = AddCity("Depot", 8, 8, 1, 2);
    const int k = AddCorps(1, 8, 8);
    GameRec->Corps[k].SupplyCity = static_cast<U8>(city);
    GameRec->Corps[k].LineCount = 2;
    const int a = AddBrigade(k, kBrigadeInfantry, 80);
    const int b = AddBrigade(k, kBrigadeArtillery, 16);
    ReleaseCorpsBrigades(k);
    EXPECT_EQ(GameRec->Cities[city].Garrison, 2);
    for (int i : {a, b}) {
        EXPECT_EQ(GameRec->Brigades[i].AttachKind, kAttachGarrison);
        EXPECT_EQ(GameRec->Brigades[i].AttachIndex, city);
    }
    RecalcCorpsFromBrigades();
    EXPECT_EQ(GameRec->Cities[city].Garrison, 2);
}

}  // namespace
}  // namespace kvt
