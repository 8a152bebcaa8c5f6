// Field battle setup: the factor table, the leaders, the place, the buttons and the intensity choice.
#include <gtest/gtest.h>

#include "engine/combat/battle_setup.h"
#include "engine/core/notice.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::ScriptedFrontend;

class BattleSetup : public BattleWorld {
protected:
    // Runs the setup; the dialog opens and is closed untouched. Its view as it opened.
    TCombatResolutionView SetUpUntouched() {
        ScriptedFrontend fe;
        fe.ExpectCombatResolution([](TCombatResolution&) {});
        SetUpFieldBattle();
        return fe.combatResolutions.at(0);
    }
};

TEST_F(BattleSetup, SumsEachSidesFactorsAndNamesThePlaceTheGroundAndTheWeather) {
    const int a = Force(1, 30, 6, 4), b = Force(1, 20), c = Force(2, 40);
    GameRec->Leaders[C(b).Leader].Rank = 5;  // outranks a's commander
    C(a).SupplyPriority = 2;                 // sets the supply sum to 4, b then adds 1
    const int chief = AddLeader(2, 30, 0, 0, "Chief");
    C(c).Army = static_cast<U8>(AddArmy(2, 1, chief));
    const int wild = Force(2, 10);
    C(wild).HexX = 30;
    C(wild).LeaderRating = 200;  // a rating that wrapped is taken back to 0
    DrawIn();
    const int town = AddCity("Town", kX + 3, kY, 1);
    GameRec->Cities[town].State = 1;
    GameRec->States[1].Name = "Maryland";
    GameRec->States[1].Theatre = 2;
    GameRec->TheatreWeather[2] = 5;
    Hex(kX, kY).SetTerrain(6);
    Hex(kX, kY).SetControlSide(2);
    Hex(kX, kY).SetState(1);
    GameRec->Nations[1].TheatreIdle[2] = GameRec->Nations[2].TheatreIdle[2] = 7;

    const TCombatResolutionView v = SetUpUntouched();
    EXPECT_EQ(v.place, "T5145T52Town, Maryland");
    EXPECT_EQ(v.terrain, "T520");
    EXPECT_EQ(v.weather, "T53T84");
    EXPECT_EQ(CombatWords.UnionLeader, C(b).Leader);
    EXPECT_EQ(CombatWords.ConfederateLeader, chief);
    EXPECT_EQ(v.confederateLeader, "Chief");
    struct Pair { int pair, unionValue, confedValue; };
    // Fire 2 x 2: x 8 for foot, x 12 for guns. Woods held by the Confederates (20) and mud (20).
    for (const Pair& p : {Pair{0, 56, 40}, {3, 20, 40}, {6, 6, 2}, {7, 32 + 48 + 32, 32}, {9, 4, 2}, {10, 5, 1}, {13, 2, 1}}) {
        EXPECT_EQ(BattleFactors[p.pair][1], p.unionValue) << "pair " << p.pair;
        EXPECT_EQ(BattleFactors[p.pair][2], p.confedValue) << "pair " << p.pair;
    }
    EXPECT_EQ(BattleBrigades[1], 3);
    EXPECT_EQ(PreBattleGuns[a], 12);
    EXPECT_EQ(PreBattleStrength[wild], 0) << "a corps elsewhere takes no part";
    EXPECT_EQ(C(wild).LeaderRating, 0);
    EXPECT_EQ(GameRec->Nations[1].TheatreIdle[2], 0);
    EXPECT_EQ(GameRec->Nations[2].TheatreIdle[2], 0);
    EXPECT_EQ(GameRec->BattleResult, 0);
}

TEST_F(BattleSetup, ThePersonsSidesChooseAndTheComputersGetAnIntensityByRule) {
    Force(1, 30);
    Force(2, 30);
    DrawIn();
    struct Case {
        const char* what;
        int unionHuman, confedHuman, gameKind, sideToMove;
        bool setUnion, setConfed, execute;
    };
    const Case cases[] = {
        {"computer against computer", 0, 0, 0, 1, false, false, true},
        {"a person against the computer", 1, 0, 0, 1, true, false, false},
        {"two persons at one screen", 1, 1, 0, 1, true, true, false},
        {"a mail game: only the side to move", 1, 1, 3, 1, true, false, false},
        {"a mail game whose mover is the computer is not deadlocked", 1, 0, 3, 2, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRec->Nations[1].Human = static_cast<U8>(c.unionHuman);
        GameRec->Nations[2].Human = static_cast<U8>(c.confedHuman);
        GameRec->GameKind = static_cast<std::uint16_t>(c.gameKind);
        GameRec->SideToMove = static_cast<std::uint16_t>(c.sideToMove);
        const TCombatResolutionView v = SetUpUntouched();
        EXPECT_EQ(v.setUnionIntensity.enabled, c.setUnion);
        EXPECT_EQ(v.setConfederateIntensity.enabled, c.setConfed);
        EXPECT_EQ(v.execute.enabled, c.execute);
        EXPECT_EQ(CombatWords.UnionIntensity != 0, !c.setUnion) << "the computer's side has its intensity already";
    }
    struct Rule { int side, rating, own, enemy, intensity; };
    // Union rating div 2, Confederate rounded up; +1 at twice the enemy, -1 (not below 1) at half.
    for (const Rule& r : {Rule{1, 0, 1, 3, 1}, {1, 9, 9, 3, 5}, {2, 9, 9, 3, 5}, {2, 4, 1, 3, 1}, {1, 6, 3, 7, 2}, {2, 3, 2, 2, 2}}) {
        GameRec->Leaders[1].Rating = static_cast<U8>(r.rating);
        CombatWords.UnionLeader = CombatWords.ConfederateLeader = 1;
        BattleBrigades[r.side] = static_cast<std::uint16_t>(r.own);
        BattleBrigades[3 - r.side] = static_cast<std::uint16_t>(r.enemy);
        EXPECT_EQ(RuleIntensity(r.side), r.intensity) << "side " << r.side << " rating " << r.rating;
    }
}

TEST_F(BattleSetup, TheIntensityDialogOffersByRatingAndShowsWhatTheScoutsSee) {
    const int u = Force(1, 30, 4), e = Force(2, 25, 2);
    const int unionScouts = AddBrigade(u, kBrigadeCavalry, 0), enemyScouts = AddBrigade(e, kBrigadeCavalry, 0);
    DrawIn();
    struct Case {
        const char* what;
        int unionCavalry, enemyCavalry, ratingsInView;
        const char *leader, *troops;  // the enemy row
    };
    const Case cases[] = {
        {"no cavalry: names but no numbers", 0, 0, 0, "Leader2", "???"},
        {"enemy cavalry hides everything", 0, 10, 0, "???", "???"},
        {"own cavalry reads the enemy", 30, 10, 0, "Leader2", "1250"},
        {"ratings in view show all", 0, 10, 1, "Leader2", "1250"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRec->Brigades[unionScouts].Strength = static_cast<U8>(c.unionCavalry);
        GameRec->Brigades[enemyScouts].Strength = static_cast<U8>(c.enemyCavalry);
        GameRec->RatingsInView = static_cast<std::uint16_t>(c.ratingsInView);
        const TBattleIntensityView v = BattleIntensityView(1, C(u).Leader);
        EXPECT_EQ(v.unionRows[1].troops, "1500");
        EXPECT_EQ(v.confederateRows[1].leader, c.leader);
        EXPECT_EQ(v.confederateRows[1].troops, c.troops);
        EXPECT_TRUE(v.confederateRows[1].shown);
        EXPECT_FALSE(v.confederateRows[2].shown);
    }
    struct Offer { int rating; int options; };
    for (const Offer& o : {Offer{2, 1}, {3, 2}, {8, 4}, {9, 5}}) {
        GameRec->Leaders[C(u).Leader].Rating = static_cast<U8>(o.rating);
        const TBattleIntensityView v = BattleIntensityView(1, C(u).Leader);
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(v.optionShown[k], k <= o.options) << "rating " << o.rating << " option " << k;
    }
    // An option the dialog did not offer counts as Skirmish.
    ScriptedFrontend fe;
    fe.ExpectBattleIntensity(5);
    fe.ExpectBattleIntensity(3);
    EXPECT_EQ(ShowBattleIntensity(1, 0), 1);
    EXPECT_EQ(ShowBattleIntensity(1, C(u).Leader), 3);
    EXPECT_EQ(EventNotice.Answer, 3);
    EXPECT_EQ(fe.intensityViews[0].leftHeading, "T505");
    EXPECT_EQ(fe.intensityViews[0].rightHeading, "T508");
}

}  // namespace
}  // namespace kvt
