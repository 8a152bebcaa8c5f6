// Brigade rules: losses, recounts, drill, weapon prices and choice, raising, arming and releasing.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/forces/brigade_rules.h"
#include "engine/world/random.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::MovementWorld;

class BrigadeRules : public MovementWorld {};

// A corps' figures as the recount builds them: strength, artillery, guns, lines, quality, fatigue,
// brigade limit.
std::vector<int> Figures(const TCorpsRec& r) {
    return {r.Strength, r.Artillery, r.ArtilleryCount, r.LineCount, r.Quality, r.Fatigue, r.BrigadeLimit};
}

TEST_F(BrigadeRules, AttritionTakesFromTheStrongestBrigadeOfLowWeightInScanOrder) {
    // A brigade's weight is its quality, twice that for cavalry, three times for guns; 100 or more
    // is never picked.
    struct Case {
        const char* what;
        int type1, strength1, quality1, type2, strength2, quality2, losses;
        int expect1, expect2;
    };
    const Case cases[] = {
        {"the stronger infantry takes all", kBrigadeInfantry, 40, 2, kBrigadeCavalry, 30, 1, 3, 37, 30},
        {"scan order decides", kBrigadeInfantry, 30, 5, kBrigadeInfantry, 40, 10, 2, 28, 40},
        {"equal strength: the first scanned, though the second weighs less", kBrigadeInfantry, 30, 5, kBrigadeInfantry, 30, 3,
         1, 29, 30},
        {"quality 100 never picked", kBrigadeInfantry, 30, 100, kBrigadeInfantry, 20, 99, 2, 30, 18},
        {"cavalry quality counts double", kBrigadeCavalry, 50, 60, kBrigadeInfantry, 60, 90, 1, 50, 59},
        {"guns of quality 34 weigh 102: never picked", kBrigadeArtillery, 50, 34, kBrigadeInfantry, 10, 99, 2, 50, 8},
        {"guns of quality 33 weigh 99: picked", kBrigadeArtillery, 50, 33, kBrigadeInfantry, 10, 99, 2, 48, 10},
        {"stronger guns of quality 25 weigh 75, more than foot of 60", kBrigadeInfantry, 40, 60, kBrigadeArtillery, 50, 25,
         3, 37, 50},
        {"stronger guns weigh 75, more than horse of quality 30 (60)", kBrigadeCavalry, 40, 30, kBrigadeArtillery, 50, 25,
         3, 37, 50},
        {"stronger horse of quality 40 weighs 80, more than foot of 60", kBrigadeInfantry, 40, 60, kBrigadeCavalry, 50, 40,
         3, 37, 50},
        {"horse of quality 50 weighs 100: never picked", kBrigadeCavalry, 40, 50, kBrigadeInfantry, 10, 99, 2, 40, 8},
        {"horse of quality 49 weighs 98: picked", kBrigadeCavalry, 40, 49, kBrigadeInfantry, 10, 99, 2, 38, 10},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 5, 5);
        GameRec->Corps[k].Strength = 90;
        const int b1 = AddBrigade(k, c.type1, c.strength1, c.quality1, 0, 3);
        const int b2 = AddBrigade(k, c.type2, c.strength2, c.quality2, 0, 3);
        ApplyBrigadeLosses(1, k, c.losses);
        EXPECT_EQ(GameRec->Brigades[b1].Strength, c.expect1) << c.what;
        EXPECT_EQ(GameRec->Brigades[b2].Strength, c.expect2) << c.what;
        EXPECT_EQ(GameRec->Corps[k].Strength, 90 - c.losses) << c.what << ": guns come off the corps' strength too";
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

    // Artillery alone gives no mean quality; a Union corps of initiative 60 leads 7 brigades.
    EXPECT_EQ(Figures(GameRec->Corps[guns]), (std::vector<int>{0, 28, 2, 0, 0, 0, 7}));
    // Artillery adds to the quality sum, not to the divisor; fatigue is capped at 23; a
    // Confederate corps of initiative 60 leads 9.
    EXPECT_EQ(Figures(GameRec->Corps[line]), (std::vector<int>{130, 16, 1, 2, (3 + 6 + 9) / 2, (23 + 10 + 2) / 2, 9}));
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
    EXPECT_EQ(DrawRanges({26, 5, 25, 90, 7}, [&] { EXPECT_EQ(DrillCorpsBrigades(k), 1); }),
              (std::vector<int>{100, 8, 100, 100, 8}));
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

TEST_F(BrigadeRules, RaisingTakesTheLowestFreeOrdinalOfTheState) {
    GameRec->States[6].Controller = 2;
    GameRec->States[6].InfantryPool = 100;
    for (int ordinal : {1, 2, 4}) {
        const int k = AddCorps(2, 5, 5);
        GameRec->Brigades[AddBrigade(k, kBrigadeInfantry, 80, 2, 0, 6)].Ordinal = static_cast<U8>(ordinal);
    }
    RaiseBrigadeAtCity(kBrigadeInfantry, 6);
    EXPECT_EQ(GameRec->Brigades[4].Ordinal, 3);
    EXPECT_EQ(GameRec->Brigades[4].Quality, 1);
}

TEST_F(BrigadeRules, ReleasedCorpsJoinsItsSupplyCityGarrisonAndWithoutOneKeepsItsBrigades) {
    for (const bool supplied : {true, false}) {
        SetUp();
        const int city = AddCity("Depot", 8, 8, 1, 2);
        GameRec->Cities[city].Garrison = supplied ? 0 : 3;
        const int k = AddCorps(1, 8, 8);
        GameRec->Corps[k].SupplyCity = static_cast<U8>(supplied ? city : 0);
        GameRec->Corps[k].LineCount = 1;  // the artillery brigade is counted too
        const int a = AddBrigade(k, kBrigadeInfantry, 80);
        const int b = AddBrigade(k, kBrigadeArtillery, 16);
        ReleaseCorpsBrigades(k);
        for (int i : {a, b}) {
            EXPECT_EQ(GameRec->Brigades[i].AttachKind, supplied ? kAttachGarrison : kAttachCorps) << supplied;
            EXPECT_EQ(GameRec->Brigades[i].AttachIndex, supplied ? city : k) << supplied;
        }
        EXPECT_EQ(GameRec->Cities[city].Garrison, supplied ? 2 : 3) << supplied;
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        RecalcCorpsFromBrigades();
        if (supplied) EXPECT_EQ(GameRec->Cities[city].Garrison, 2) << "the recount agrees";
    }
}

TEST_F(BrigadeRules, AttritionTakesOnlyTheCorpsOwnBrigadesAndResetsStrayNations) {
    GameRec->Nations[3].Side = kConfederacy;
    const int k = AddCorps(1, 5, 5);
    const int other = AddCorps(1, 6, 6);
    GameRec->Corps[k].Strength = 80;
    const int french = AddBrigade(k, kBrigadeInfantry, 60, 1);
    GameRec->Brigades[french].Nation = 3;
    const int garrison = AddBrigade(k, kBrigadeInfantry, 60, 1);
    GameRec->Brigades[garrison].AttachKind = kAttachGarrison;
    const int waiting = AddBrigade(k, kBrigadeInfantry, 60, 1);
    GameRec->Brigades[waiting].AttachKind = kAttachWaiting;
    const int elsewhere = AddBrigade(other, kBrigadeInfantry, 60, 1);
    const int stray = AddBrigade(k, kBrigadeInfantry, 60, 1);
    GameRec->Brigades[stray].Nation = 7;
    const int strayGarrison = AddBrigade(other, kBrigadeInfantry, 60, 1);
    GameRec->Brigades[strayGarrison].Nation = 200;
    GameRec->Brigades[strayGarrison].AttachKind = kAttachGarrison;
    const int own = AddBrigade(k, kBrigadeInfantry, 20, 5);

    ApplyBrigadeLosses(1, k, 4);

    for (int b : {french, garrison, waiting, elsewhere, stray})
        EXPECT_EQ(GameRec->Brigades[b].Strength, 60) << "brigade " << b << " is not the corps' own";
    EXPECT_EQ(GameRec->Brigades[own].Strength, 16);
    EXPECT_EQ(GameRec->Brigades[french].Nation, 3);
    EXPECT_EQ(GameRec->Brigades[stray].Nation, 0);
    EXPECT_EQ(GameRec->Brigades[stray].AttachKind, kAttachCorps) << "only its nation is reset";
    EXPECT_EQ(GameRec->Brigades[strayGarrison].Nation, 0) << "every brigade is looked at, not only the corps'";
    EXPECT_EQ(GameRec->Foraging[1], 4u);
    EXPECT_EQ(GameRec->Foraging[3], 0u);
    EXPECT_EQ(GameRec->Corps[other].Strength, 100);

    // A corps without brigades of its own drops the loss, yet the scan still resets stray nations.
    const int empty = AddCorps(1, 7, 7);
    GameRec->Brigades[strayGarrison].Nation = 6;
    ApplyBrigadeLosses(1, empty, 1);
    EXPECT_EQ(GameRec->Brigades[strayGarrison].Nation, 0);
    EXPECT_EQ(GameRec->Corps[empty].Strength, 100);
    EXPECT_EQ(GameRec->Foraging[1], 4u);

    // No loss, no scan.
    GameRec->Brigades[strayGarrison].Nation = 9;
    ApplyBrigadeLosses(1, k, 0);
    EXPECT_EQ(GameRec->Brigades[strayGarrison].Nation, 9);
    EXPECT_EQ(GameRec->Brigades[own].Strength, 16);
}

TEST_F(BrigadeRules, AttritionFromTheCorpsListLeavesWhatTheLookOverEveryBrigadeLeaves) {
    struct Case {
        const char* what;
        int losses;
        int strayNation;  // set on a garrison brigade elsewhere; 0 for none
        int expectCorpsStrength;
    };
    const Case cases[] = {
        {"a few points off the own brigades only", 5, 0, 95},
        {"more than the own brigades hold: the rest is dropped", 400, 0, 100 - 61},
        {"no loss", 0, 0, 100},
        {"a stray nation elsewhere is still reset", 3, 9, 97},
        {"a stray nation with no loss stays", 0, 200, 100},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->Nations[3].Side = kConfederacy;
        const int k = AddCorps(1, 5, 5);
        const int other = AddCorps(1, 6, 6);
        AddBrigade(k, kBrigadeInfantry, 30, 4, 0, 3);
        const int ally = AddBrigade(k, kBrigadeInfantry, 70, 1);
        GameRec->Brigades[ally].Nation = 3;
        AddBrigade(other, kBrigadeInfantry, 80, 1);
        AddBrigade(k, kBrigadeArtillery, 16, 20, 0, 2);
        const int garrison = AddBrigade(other, kBrigadeCavalry, 50, 1);
        GameRec->Brigades[garrison].AttachKind = kAttachGarrison;
        GameRec->Brigades[garrison].Nation = static_cast<U8>(c.strayNation != 0 ? c.strayNation : 1);
        AddBrigade(k, kBrigadeCavalry, 15, 30, 0, 4);

        const std::vector<unsigned char> before(reinterpret_cast<unsigned char*>(GameRec),
                                                reinterpret_cast<unsigned char*>(GameRec) + sizeof(TGameRec));
        ApplyBrigadeLosses(1, k, c.losses);
        const std::vector<unsigned char> full(reinterpret_cast<unsigned char*>(GameRec),
                                              reinterpret_cast<unsigned char*>(GameRec) + sizeof(TGameRec));
        EXPECT_EQ(GameRec->Corps[k].Strength, c.expectCorpsStrength) << c.what;
        EXPECT_EQ(GameRec->Brigades[ally].Strength, 70) << c.what << ": an ally is not the corps' own";

        std::memcpy(GameRec, before.data(), sizeof(TGameRec));
        TAttachedBrigades list;
        ListAttachedBrigades(k, list);
        int attached = 0;
        ForEachAttachedBrigade(k, [&](const TBrigadeRec&) { ++attached; });
        EXPECT_EQ(list.count, attached) << c.what;
        EXPECT_EQ(list.strayNation, c.strayNation != 0) << c.what;
        ApplyCorpsAttrition(k, c.losses, list);
        EXPECT_EQ(std::memcmp(GameRec, full.data(), sizeof(TGameRec)), 0) << c.what;
        EXPECT_EQ(CheckedAccessFaults(), 0u) << c.what;
    }
}

TEST_F(BrigadeRules, EveryCorpsListGivesWhatTheCorpsOwnLookGivesAfterLosses) {
    for (const int strayNation : {0, 7}) {
        SetUp();
        const int a = AddCorps(1, 5, 5), b = AddCorps(2, 6, 6), c = AddCorps(1, 7, 7);
        const int spent = AddBrigade(a, kBrigadeInfantry, 2, 1);
        AddBrigade(b, kBrigadeCavalry, 40, 3);
        AddBrigade(a, kBrigadeArtillery, 16, 5);
        const int garrison = AddBrigade(c, kBrigadeInfantry, 30, 2);
        GameRec->Brigades[garrison].AttachKind = kAttachGarrison;
        AddBrigade(c, kBrigadeInfantry, 60, 2);
        AddBrigade(a, kBrigadeInfantry, 1, 9);
        if (strayNation != 0) GameRec->Brigades[garrison].Nation = static_cast<U8>(strayNation);

        TAttachedByCorps lists;
        ListEveryCorpsBrigades(lists);
        // The corps' losses free its spent brigade; the lists were made before.
        ApplyBrigadeLosses(1, a, 3);
        ASSERT_EQ(GameRec->Brigades[spent].AttachKind, kAttachFree);
        for (const int k : {a, b, c, 0, kCorpsCount + 1}) {
            TAttachedBrigades kept, looked;
            lists.Of(k, kept);
            ListAttachedBrigades(k, looked);
            EXPECT_EQ(std::vector<int>(kept.index.begin(), kept.index.begin() + kept.count),
                      std::vector<int>(looked.index.begin(), looked.index.begin() + looked.count))
                << "corps " << k << " stray " << strayNation;
            EXPECT_EQ(kept.strayNation, looked.strayNation) << "corps " << k << " stray " << strayNation;
        }
    }
}

TEST_F(BrigadeRules, BattleLossesAtTheEdges) {
    struct Case {
        const char* what;
        int type, strength, weapon, homeState, losses;
        std::vector<int> draws;
        int expectStrength;
        bool freedAtOnce;
        int expectTally;     // casualties and the side's battle losses
        int expectGunsLost;  // at the brigade's weapon kind
        int nation = 1;      // only Union guns are booked as lost: they are what may be captured
    };
    const Case cases[] = {
        {"a loss equal to the strength leaves 0", kBrigadeInfantry, 12, 1, 4, 12, {}, 0, false, 12, 0},
        {"guns losing all they have still draw for the guns", kBrigadeArtillery, 8, 7, 4, 8, {30}, 0, false, 8, 8},
        {"guns drawing below 50 lose as many guns as men", kBrigadeArtillery, 10, 7, 4, 4, {10}, 6, false, 4, 4},
        {"guns drawing 50 or more lose no guns", kBrigadeArtillery, 10, 7, 4, 2, {80}, 8, false, 2, 0},
        {"guns losing nothing still draw (below 50)", kBrigadeArtillery, 8, 7, 4, 0, {49}, 8, false, 0, 0},
        {"guns losing nothing still draw (50)", kBrigadeArtillery, 8, 6, 4, 0, {50}, 8, false, 0, 0},
        {"foot losing nothing draw nothing", kBrigadeInfantry, 8, 1, 4, 0, {}, 8, false, 0, 0},
        {"guns without a weapon kind draw but count no guns", kBrigadeArtillery, 8, 0, 4, 3, {10}, 5, false, 3, 0},
        {"a brigade from no state", kBrigadeInfantry, 20, 1, 0, 5, {}, 15, false, 5, 0},
        {"foot losing more than they have", kBrigadeInfantry, 3, 1, 4, 5, {}, 0, true, 3, 0},
        {"guns losing more than they have are freed without a draw", kBrigadeArtillery, 3, 7, 4, 5, {}, 0, true, 3, 0},
        {"Confederate guns draw but count no guns", kBrigadeArtillery, 10, 7, 4, 4, {10}, 6, false, 4, 0, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(c.nation, 5, 5);
        const int b = AddBrigade(k, c.type, c.strength, 2, 0, c.homeState);
        GameRec->Brigades[b].Weapon = static_cast<U8>(c.weapon);
        EXPECT_EQ(DrawRanges(c.draws, [&] { ApplyBrigadeLosses(3, b, c.losses); }), std::vector<int>(c.draws.size(), 100))
            << c.what;
        const TBrigadeRec& r = GameRec->Brigades[b];
        EXPECT_EQ(r.Strength, c.expectStrength) << c.what;
        EXPECT_EQ(r.AttachKind == kAttachFree, c.freedAtOnce) << c.what;
        EXPECT_EQ(GameRec->Casualties[c.nation], static_cast<std::uint32_t>(c.expectTally)) << c.what;
        EXPECT_EQ(GameRec->BattleSideLosses[c.nation], c.expectTally) << c.what;
        int stateCasualties = 0;
        for (const TStateRec& s : GameRec->States) stateCasualties += s.StateCasualties;
        EXPECT_EQ(stateCasualties, c.homeState != 0 ? c.expectTally : 0) << c.what;
        if (c.homeState != 0) {
            EXPECT_EQ(GameRec->States[c.homeState].StateCasualties, c.expectTally) << c.what;
        }
        int guns = 0;
        for (std::uint16_t g : GunsLost) guns += g;
        EXPECT_EQ(guns, c.expectGunsLost) << c.what;
        if (c.expectGunsLost != 0) {
            EXPECT_EQ(GunsLost[c.weapon], c.expectGunsLost) << c.what;
        }
        // A spent brigade keeps its slot until the recount frees it.
        RecalcCorpsFromBrigades();
        EXPECT_EQ(r.AttachKind == kAttachFree, c.expectStrength == 0 || c.homeState == 0) << c.what;
    }
}

TEST_F(BrigadeRules, BattleLossesStopEveryTallyAtItsTop) {
    // 12 lost from a brigade of 20, each tally starting `below` under the top of its width.
    const struct { int below; std::uint32_t casualties; int sideLosses, stateCasualties; } cases[] = {
        {12, 4294967295u, 65535, 65535},
        {5, 4294967295u, 65535, 65535},
        {40, 4294967267u, 65507, 65507},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.below);
        SetUp();
        const int b = AddBrigade(AddCorps(2, 5, 5), kBrigadeInfantry, 20, 2, 0, 3);
        GameRec->Casualties[2] = 4294967295u - static_cast<std::uint32_t>(c.below);
        GameRec->BattleSideLosses[2] = static_cast<std::uint16_t>(65535 - c.below);
        GameRec->States[3].StateCasualties = static_cast<std::uint16_t>(65535 - c.below);
        ApplyBrigadeLosses(3, b, 12);
        EXPECT_EQ(GameRec->Casualties[2], c.casualties);
        EXPECT_EQ(std::vector<int>({GameRec->BattleSideLosses[2], GameRec->States[3].StateCasualties, GameRec->Brigades[b].Strength}),
                  std::vector<int>({c.sideLosses, c.stateCasualties, 8}));
    }
}

TEST_F(BrigadeRules, AttritionStopsTheForagingAndStateTalliesAtTheirTop) {
    const int k = AddCorps(2, 5, 5);
    AddBrigade(k, kBrigadeInfantry, 20, 2, 0, 3);
    GameRec->Foraging[2] = 4294967295u - 1;
    GameRec->States[3].StateCasualties = 65535 - 1;
    ApplyBrigadeLosses(1, k, 3);
    EXPECT_EQ(GameRec->Foraging[2], 4294967295u);
    EXPECT_EQ(GameRec->States[3].StateCasualties, 65535);
}

TEST_F(BrigadeRules, BattleLossesOfABrigadeOutsideTheArrayDoNothing) {
    const int k = AddCorps(1, 5, 5);
    const int gun = AddBrigade(k, kBrigadeArtillery, 16, 2, 0, 3);
    GameRec->Brigades[gun].Weapon = 7;
    GameRec->Brigades[kBrigadeCount] = GameRec->Brigades[gun];
    EXPECT_TRUE(DrawRanges({}, [] { for (int index : {0, -1, kBrigadeCount + 1, 1000}) ApplyBrigadeLosses(3, index, 5); })
                    .empty())
        << "no guns-lost draw for a brigade that is not there";
    EXPECT_EQ(GameRec->Brigades[gun].Strength, 16);
    EXPECT_EQ(GameRec->Brigades[kBrigadeCount].Strength, 16);
    EXPECT_EQ(GameRec->Casualties[1], 0u);
    EXPECT_EQ(GameRec->BattleSideLosses[1], 0);
    EXPECT_EQ(GameRec->States[3].StateCasualties, 0);
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(BrigadeRules, RecountLeavesFreeAndSidelessCorpsAsTheyWere) {
    const int freed = AddCorps(1, 5, 5);
    const int sideless = AddCorps(1, 6, 6);
    std::vector<int> tired;
    for (int k : {freed, sideless}) {
        tired.push_back(AddBrigade(k, kBrigadeInfantry, 80, 4, 30));
        AddBrigade(k, kBrigadeArtillery, 16, 4, 30);
        TCorpsRec& r = GameRec->Corps[k];
        r.Strength = 333;
        r.Artillery = 44;
        r.ArtilleryCount = 5;
        r.LineCount = 6;
        r.Quality = 7;
        r.Fatigue = 88;
        r.BrigadeLimit = 9;
    }
    GameRec->Corps[freed].Unused = 1;
    GameRec->Corps[sideless].Side = 0;

    RecalcCorpsFromBrigades();

    for (int k : {freed, sideless}) {
        EXPECT_EQ(Figures(GameRec->Corps[k]), (std::vector<int>{333, 44, 5, 6, 7, 88, 9})) << "corps " << k;
    }
    for (int b : tired) {
        EXPECT_EQ(GameRec->Brigades[b].Fatigue, 30) << "a brigade no corps counts keeps its fatigue";
        EXPECT_EQ(GameRec->Brigades[b].AttachKind, kAttachCorps);
    }
}

TEST_F(BrigadeRules, RecountSumsOnlyTheCorpsOwnNationAndStopsTheQualitySumAt255) {
    GameRec->Nations[3].Side = kConfederacy;
    struct Case {
        const char* what;
        std::vector<int> lineQualities, gunQualities;
        int expectQuality;
    };
    const Case cases[] = {
        {"under the cap", {100, 100}, {50}, 125},
        {"exactly 255", {100, 100}, {55}, 127},
        {"line brigades alone pass it", {100, 100, 100}, {}, 85},
        {"guns push the sum past it", {100, 100}, {100}, 127},
        {"a single brigade of 255 and guns", {255}, {200}, 255},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->Nations[3].Side = kConfederacy;
        const int k = AddCorps(2, 5, 5);
        for (int q : c.lineQualities) AddBrigade(k, kBrigadeInfantry, 60, q, 10);
        for (int q : c.gunQualities) AddBrigade(k, kBrigadeArtillery, 16, q, 10);
        const int french = AddBrigade(k, kBrigadeInfantry, 70, 1, 40);
        GameRec->Brigades[french].Nation = 3;

        RecalcCorpsFromBrigades();

        const TCorpsRec& r = GameRec->Corps[k];
        const int lines = static_cast<int>(c.lineQualities.size()), guns = static_cast<int>(c.gunQualities.size());
        // The French brigade is not the corps' own: it counts nowhere.
        EXPECT_EQ(Figures(r), (std::vector<int>{60 * lines, 16 * guns, guns, lines, c.expectQuality, 10 * (lines + guns) / lines,
                                                r.BrigadeLimit})) << c.what;
        EXPECT_EQ(GameRec->Brigades[french].Fatigue, 40) << c.what << ": nobody counted it, nobody capped it";
        EXPECT_EQ(GameRec->Brigades[french].AttachKind, kAttachCorps) << c.what;
    }
}

TEST_F(BrigadeRules, RecountFreesBrigadesWithoutTypeOrHomeState) {
    const int k = AddCorps(1, 5, 5);
    const int city = AddCity("Depot", 9, 9, 1);
    const int untyped = AddBrigade(k, kBrigadeInfantry, 40, 6, 0, 2);
    TBrigadeRec& u = GameRec->Brigades[untyped];
    u.BrigadeType = 0;
    u.Weapon = 2;
    u.Ordinal = 3;
    const int homeless = AddBrigade(k, kBrigadeCavalry, 50, 4, 0, 0);
    const int homelessGarrison = AddBrigade(k, kBrigadeInfantry, 50, 4, 0, 0);
    GameRec->Brigades[homelessGarrison].AttachKind = kAttachGarrison;
    GameRec->Brigades[homelessGarrison].AttachIndex = static_cast<U8>(city);
    const int garrison = AddBrigade(k, kBrigadeInfantry, 50, 4, 0, 2);
    GameRec->Brigades[garrison].AttachKind = kAttachGarrison;
    GameRec->Brigades[garrison].AttachIndex = static_cast<U8>(city);
    AddBrigade(k, kBrigadeInfantry, 30, 4, 0, 2);

    RecalcCorpsFromBrigades();

    for (int b : {untyped, homeless, homelessGarrison}) {
        const TBrigadeRec& r = GameRec->Brigades[b];
        EXPECT_EQ((std::vector<int>{r.AttachKind, r.Nation, r.Strength, r.HomeState}), (std::vector<int>{kAttachFree, 0, 0, 0}))
            << "brigade " << b;
    }
    // A freed slot keeps its quality, weapon, ordinal and attachment.
    EXPECT_EQ((std::vector<int>{u.Quality, u.Weapon, u.Ordinal, u.AttachIndex}), (std::vector<int>{6, 2, 3, k}));
    const TCorpsRec& r = GameRec->Corps[k];
    EXPECT_EQ((std::vector<int>{r.Strength, r.LineCount, r.Quality}), (std::vector<int>{30, 1, 4}));
    EXPECT_EQ(GameRec->Cities[city].Garrison, 1);
}

TEST_F(BrigadeRules, GarrisonsAreRecountedOnlyInCitiesOfANation) {
    struct Case { const char* what; int nation, garrisonBefore, brigades, expected; };
    const Case cases[] = {
        {"a city of no nation keeps its count", 0, 7, 2, 7},
        {"a Union city is recounted down", 1, 7, 0, 0},
        {"a Confederate city is recounted up", 2, 0, 2, 2},
    };
    const int k = AddCorps(1, 5, 5);
    std::vector<int> cities;
    for (const Case& c : cases) {
        const int city = AddCity("City", 10 + cities_, 10, c.nation == 0 ? 1 : c.nation);
        GameRec->Cities[city].Nation = static_cast<U8>(c.nation);
        GameRec->Cities[city].Garrison = static_cast<std::uint16_t>(c.garrisonBefore);
        for (int i = 0; i < c.brigades; ++i) {
            const int b = AddBrigade(k, kBrigadeInfantry, 50);
            GameRec->Brigades[b].AttachKind = kAttachGarrison;
            GameRec->Brigades[b].AttachIndex = static_cast<U8>(city);
        }
        cities.push_back(city);
    }
    RecalcCorpsFromBrigades();
    for (std::size_t i = 0; i < cities.size(); ++i)
        EXPECT_EQ(GameRec->Cities[cities[i]].Garrison, cases[i].expected) << cases[i].what;
}

TEST_F(BrigadeRules, BrigadeLimitFollowsKindNationAndInitiative) {
    GameRec->Nations[3].Side = kConfederacy;
    GameRec->Nations[4].Side = kConfederacy;
    constexpr int kLeaderless = -1;
    struct Case { const char* what; int nation, kind, initiative, expected; };
    const Case cases[] = {
        {"Union division: 60 div 30 + 2", 1, 1, 60, 4},
        {"Union division: 29 div 30 + 2", 1, 1, 29, 2},
        {"Union cavalry division: 90 div 30 + 2", 1, 2, 90, 5},
        {"Union division: 255 div 30 + 2", 1, 1, 255, 10},
        {"Confederate division: 60 div 20 + 2", 2, 1, 60, 5},
        {"Confederate division: 200 div 20 + 2 capped", 2, 1, 200, 10},
        {"Union corps: 60 div 20 + 4", 1, 0, 60, 7},
        {"Union corps: 139 div 20 + 4", 1, 0, 139, 10},
        {"Union corps: 255 div 20 + 4 capped", 1, 0, 255, 10},
        {"Confederate corps: 60 div 11 + 4", 2, 0, 60, 9},
        {"Confederate corps: 66 div 11 + 4", 2, 0, 66, 10},
        {"Confederate corps: 77 div 11 + 4 capped", 2, 0, 77, 10},
        {"French corps counts as Union's rule", 3, 0, 60, 7},
        {"British division counts as Union's rule", 4, 1, 60, 4},
        {"leaderless corps", 1, 0, kLeaderless, 4},
        {"leaderless Confederate division", 2, 1, kLeaderless, 2},
    };
    std::vector<int> corps;
    for (const Case& c : cases) {
        const int leader = c.initiative == kLeaderless ? 0 : AddLeader(c.nation, c.initiative);
        const int k = AddCorps(c.nation, 5, 5, leader);
        GameRec->Corps[k].Kind = static_cast<U8>(c.kind);
        corps.push_back(k);
    }
    RecalcCorpsFromBrigades();
    for (std::size_t i = 0; i < corps.size(); ++i)
        EXPECT_EQ(GameRec->Corps[corps[i]].BrigadeLimit, cases[i].expected) << cases[i].what;
}

TEST_F(BrigadeRules, ArmedBrigadesMusterAtTheirStateCapitalOrWhereTheUnionHolds) {
    constexpr int kCapital = 12, kWestCity = 57, kRiverCity = 55, kStateCapital = 9;
    struct Case { const char* what; int theatre, owner57, owner55, stateCapital, expected; };
    const Case cases[] = {
        {"west, 57 Union-held", kWest, 1, 2, 0, kWestCity},
        {"west, 57 not Union-held", kWest, 2, 1, 0, kCapital},
        {"river, 55 Union-held", kMississippi, 2, 1, 0, kRiverCity},
        {"river, 55 not Union-held", kMississippi, 1, 2, 0, kCapital},
        {"seaboard", kSeaboard, 1, 1, 0, kCapital},
        {"a state capital comes first", kMississippi, 1, 1, kStateCapital, kStateCapital},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->Nations[1].Capital = kCapital;
        GameRec->Nations[1].WeaponPool[2] = 100;
        GameRec->Cities[kWestCity].Owner = static_cast<U8>(c.owner57);
        GameRec->Cities[kRiverCity].Owner = static_cast<U8>(c.owner55);
        GameRec->States[5].Theatre = static_cast<U8>(c.theatre);
        GameRec->States[5].CapitalCity = static_cast<U8>(c.stateCapital);
        TBrigadeRec& b = GameRec->Brigades[1];
        b = {1, 0, kBrigadeInfantry, 80, 0, 1, 5, 1, kAttachUnarmed, 0};
        ArmWaitingBrigades(1);
        EXPECT_EQ(b.AttachKind, kAttachWaiting) << c.what;
        EXPECT_EQ(b.Weapon, 2) << c.what;
        EXPECT_EQ(b.AttachIndex, c.expected) << c.what;
        EXPECT_EQ(GameRec->Nations[1].WeaponPool[2], 20) << c.what;
    }
    TBrigadeRec& guns = GameRec->Brigades[2];
    guns = {1, 0, kBrigadeArtillery, 16, 0, 1, 1, 0, kAttachUnarmed, 0};
    ArmWaitingBrigades(1);
    EXPECT_EQ(guns.AttachKind, kAttachUnarmed) << "no guns in the pool: it keeps waiting";
}

TEST_F(BrigadeRules, RaisingTakesItsTypesRecruitsOrRaisesAnEmptyBrigadeTheRecountFrees) {
    struct Case { const char* what; int type, pool, expectStrength, expectPool; };
    const Case cases[] = {
        {"infantry", kBrigadeInfantry, 100, 80, 20},
        {"guns from a short pool", kBrigadeArtillery, 10, 0, 10},
        {"plenty of cavalry", kBrigadeCavalry, 120, 50, 70},
        {"exactly enough cavalry", kBrigadeCavalry, 50, 50, 0},
        {"one short of cavalry", kBrigadeCavalry, 49, 0, 49},
    };
    for (const Case& c : cases) {
        SetUp();
        TStateRec& s = GameRec->States[8];
        s.Controller = 2;
        s.InfantryPool = s.CavalryPool = s.ArtilleryPool = 500;
        auto& pool = c.type == kBrigadeInfantry ? s.InfantryPool
                    : c.type == kBrigadeCavalry ? s.CavalryPool : s.ArtilleryPool;
        pool = static_cast<std::uint16_t>(c.pool);
        RaiseBrigadeAtCity(c.type, 8);
        const TBrigadeRec& b = GameRec->Brigades[1];
        EXPECT_EQ(b.Strength, c.expectStrength) << c.what;
        EXPECT_EQ(pool, c.expectPool) << c.what;
        EXPECT_EQ(s.InfantryPool + s.CavalryPool + s.ArtilleryPool, 1000 + c.expectPool) << c.what << ": other pools kept";
        EXPECT_EQ(b.BrigadeType, c.type) << c.what;
        EXPECT_EQ(b.Nation, 2) << c.what;
        EXPECT_EQ(b.AttachKind, kAttachUnarmed) << c.what;
        EXPECT_EQ(b.HomeState, 8) << c.what;
        EXPECT_EQ(b.Ordinal, 1) << c.what;
        RecalcCorpsFromBrigades();
        EXPECT_EQ(b.AttachKind == kAttachFree, c.expectStrength == 0) << c.what;
    }
}

TEST_F(BrigadeRules, RaisingFillsTheFirstFreeSlotAndNothingOnceTheArrayIsFull) {
    TStateRec& s = GameRec->States[8];
    s.Controller = 1;
    s.InfantryPool = 500;
    for (int i = 1; i <= kBrigadeCount; ++i)
        GameRec->Brigades[i] = {1, 3, kBrigadeInfantry, 40, 1, 2, 4, static_cast<U8>(i % 200), kAttachCorps, 0};
    ClearBrigade(250);
    RaiseBrigadeAtCity(kBrigadeInfantry, 8);
    EXPECT_EQ(GameRec->Brigades[250].AttachKind, kAttachUnarmed);
    EXPECT_EQ(GameRec->Brigades[250].HomeState, 8);
    EXPECT_EQ(GameRec->Brigades[250].Strength, 80);
    EXPECT_EQ(s.InfantryPool, 420);

    const auto before = GameRec->Brigades;
    RaiseBrigadeAtCity(kBrigadeInfantry, 8);
    EXPECT_EQ(std::memcmp(&before, &GameRec->Brigades, sizeof before), 0) << "a full array changes no brigade";
    EXPECT_EQ(s.InfantryPool, 420) << "and takes no recruits";
}

// What the plain look over every brigade finds in corps k.
std::vector<int> AttachedPlainly(int corps) {
    std::vector<int> found;
    ForEachAttachedBrigade(corps, [&](TBrigadeRec& b) { found.push_back(static_cast<int>(&b - GameRec->Brigades.begin()) + 1); });
    return found;
}

TEST_F(BrigadeRules, CorpsBrigadeListsFollowEveryChangeMadeBehindThem) {
    // One long-lived index read after each change, as the movement steps read theirs.
    struct Case {
        const char* what;
        void (*change)(int k, int j, int b1, int b2);
    };
    const Case cases[] = {
        {"nothing changed", [](int, int, int, int) {}},
        {"a brigade joins from the pool", [](int k, int, int, int) {
             TBrigadeRec& b = GameRec->Brigades[40];
             b.Nation = 1;
             b.AttachKind = kAttachCorps;
             b.AttachIndex = static_cast<U8>(k);
         }},
        {"a brigade goes to a garrison", [](int, int, int b1, int) { GameRec->Brigades[b1].AttachKind = kAttachGarrison; }},
        {"a brigade moves to the other corps", [](int, int j, int, int b2) { GameRec->Brigades[b2].AttachIndex = static_cast<U8>(j); }},
        {"a brigade is freed", [](int, int, int b1, int) { ClearBrigade(b1); }},
        {"an allied brigade stays listed", [](int, int, int, int b2) { GameRec->Brigades[b2].Nation = 3; }},
        {"a corps number past the last lists nowhere", [](int, int, int b1, int) { GameRec->Brigades[b1].AttachIndex = 200; }},
        {"the last slot joins", [](int k, int, int, int) {
             TBrigadeRec& b = GameRec->Brigades[kBrigadeCount];
             b.AttachKind = kAttachCorps;
             b.AttachIndex = static_cast<U8>(k);
         }},
    };
    TBrigadesByCorps index;
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 5, 5), j = AddCorps(1, 9, 9);
        const int b1 = AddBrigade(k, kBrigadeInfantry, 40);
        AddBrigade(j, kBrigadeCavalry, 30);
        const int b2 = AddBrigade(k, kBrigadeArtillery, 10);
        for (int corps : {k, j}) ASSERT_EQ(std::vector<int>(index.Of(corps).begin(), index.Of(corps).end()), AttachedPlainly(corps));
        c.change(k, j, b1, b2);
        for (int corps = 0; corps <= kCorpsCount + 1; ++corps) {
            const auto listed = index.Of(corps);
            EXPECT_EQ(std::vector<int>(listed.begin(), listed.end()), AttachedPlainly(corps)) << c.what << ", corps " << corps;
        }
    }
    // Fatigue written through the index keeps the lists; written past it, they are made again.
    SetUp();
    const int k = AddCorps(1, 5, 5);
    const int b = AddBrigade(k, kBrigadeInfantry, 40);
    ASSERT_EQ(index.Of(k).size(), 1u);
    index.SetFatigue(b, 7);
    EXPECT_EQ(GameRec->Brigades[b].Fatigue, 7);
    GameRec->Brigades[b].AttachKind = kAttachGarrison;
    EXPECT_TRUE(index.Of(k).empty()) << "a change after a fatigue written through the index is still seen";
}

}  // namespace
}  // namespace kvt
