// Battles from the dispatcher to the last volley: the draw-in, the setup and intensity choice, the
// resolution's draws and decision, leader casualties, assaults, and a person's battle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/field_battle.h"
#include "engine/forces/force_recount.h"
#include "engine/world/notice.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::DrawRanges;
using testing::ScriptedFrontend;

class BattleDispatcher : public BattleWorld {};
class BattleSetup : public BattleWorld {};
class FieldBattle : public BattleWorld {};
class LeaderCasualty : public BattleWorld {};
class FortAssault : public BattleWorld {};

TEST_F(BattleDispatcher, DrawsInTheHexAndFightsOnlyWhatTheForcesAllow) {
    enum Fought { kNothing, kField, kAssault };
    const struct { const char* what; int x, y, foot, guns, mode, enemyFoot, garrison, viewColumn, viewRow; Fought fought; } cases[] = {
        {"no enemy: drawn in, nothing fought", 10, 10, 30, 0, 1, 0, 0, 2, 6, kNothing},
        {"the view stops at column and row 1", 5, 3, 30, 0, 1, 0, 0, 1, 1, kNothing},
        {"guns alone fight no field battle", 10, 10, 0, 8, 1, 30, 0, 2, 6, kNothing},
        {"Withdraw alone never assaults", 10, 10, 30, 0, 0, 0, 5, 2, 6, kNothing},
        {"a garrison is stormed", 10, 10, 30, 0, 1, 0, 5, 2, 6, kAssault},
        {"foot on both sides fight", 10, 10, 30, 0, 1, 30, 0, 2, 6, kField},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = 3;  // a mail game keeps the codes the battles leave
        const int k = Force(1, c.foot, c.guns);
        Place(k, c.x, c.y);
        C(k).OrderMode = static_cast<U8>(c.mode);
        C(k).ContactCode = 2;
        // A disrupted companion in an army: cleared, its condition halved (7 -> 3), Advance -> Defend.
        const int buddy = AddCorps(1, c.x, c.y);
        C(buddy).OrderMode = static_cast<U8>(c.mode == 0 ? 0 : 3);
        C(buddy).Disruption = 1;
        C(buddy).Condition = 7;
        C(buddy).Army = static_cast<U8>(AddArmy(1, 1, AddLeader(1, 30)));
        const int embarked = AddCorps(1, c.x, c.y);
        C(embarked).OrderMode = 4;
        if (c.enemyFoot != 0) Place(Force(2, c.enemyFoot), c.x, c.y);
        if (c.garrison != 0) AddGarrison(AddCity("Fort", c.x, c.y, 2), 2, kBrigadeInfantry, c.garrison);
        ScriptedFrontend fe;
        if (c.fought == kField) fe.ExpectCombatResolution([](TCombatResolution&) {});
        if (c.fought == kAssault) fe.ExpectFortAssault();
        WithDraws({}, 99, [] { ResolveBattles(); });
        ASSERT_EQ(fe.battleMarkers.size(), 1u);
        const auto& m = fe.battleMarkers[0];
        EXPECT_EQ(std::vector<int>({m.column, m.row, m.viewColumn, m.viewRow}), std::vector<int>({c.x, c.y, c.viewColumn, c.viewRow}));
        EXPECT_EQ(C(k).Activity, 8);
        EXPECT_EQ(C(embarked).ContactCode, 0) << "an embarked corps takes no part";
        EXPECT_EQ(std::vector<int>({C(buddy).Disruption, C(buddy).OrderMode, GameRec->Leaders[GameRec->Armies[C(buddy).Army].Leader].Experience}),
                  std::vector<int>({0, c.mode == 0 ? 0 : 1, 1}));
        if (c.fought != kAssault) {
            EXPECT_EQ(C(buddy).Condition, 3);
            EXPECT_EQ(C(k).ContactCode + C(buddy).ContactCode, 10);
        }
    }
}

TEST_F(BattleDispatcher, ARepulsedAssaultIsNotReopenedAndAFaceToFaceTurnEndsWithNoContacts) {
    // Guns alone always fail to storm, and leave their corps in contact with the city.
    AddGarrison(AddCity("Fort", kX, kY, 2), 2, kBrigadeInfantry, 20);
    const int a = Force(1, 0, 6), b = Force(1, 0, 6), elsewhere = Force(2, 10);
    C(a).ContactCode = C(b).ContactCode = 4;
    Place(elsewhere, 30, 30);
    C(elsewhere).ContactCode = 100;
    GameRec->Nations[1].Human = 1;
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    fe.ExpectFortAssault();
    ResolveBattles();
    EXPECT_EQ(fe.notices.at(0).lines[1] + "|" + fe.notices[0].lines[2] + "|" + fe.notices[0].lines[3], "Union T454|T47Fort|T48");
    EXPECT_EQ(fe.fortAssaults.at(0).storm, "T125");
    EXPECT_EQ(C(a).ContactCode + C(b).ContactCode, 0);
    EXPECT_EQ(C(elsewhere).ContactCode, 100);
}

TEST_F(BattleDispatcher, EveryBattleOfATurnWeighsItsCorpsByTheBrigadesTheyHoldWhenItOpens) {
    // Reinforcements reached a Union corps of each of two battles after the corps were last counted.
    const int first = Force(1, 30), second = Place(Force(1, 40), 30, 30);
    Force(2, 30);
    Place(Force(2, 40), 30, 30);
    AddBrigade(first, kBrigadeInfantry, 10);
    AddBrigade(second, kBrigadeInfantry, 20);
    C(first).ContactCode = C(second).ContactCode = 2;
    ScriptedFrontend fe;
    std::vector<int> unionTroops;
    const auto opened = [&](TCombatResolution&) { unionTroops.push_back(BattleFactors[0][1]); };
    fe.ExpectCombatResolution(opened);
    fe.ExpectCombatResolution(opened);
    WithDraws({}, 99, [] { ResolveBattles(); });
    EXPECT_EQ(unionTroops, (std::vector<int>{40, 60}));
    EXPECT_EQ(std::vector<int>({C(first).Strength, C(second).Strength}), std::vector<int>({40, 60}));
}

TEST_F(BattleDispatcher, TheTurnsLastRecountWeighsEveryCorpsByItsBrigades) {
    // Reinforcements reach a Union corps after the corps were last counted; whether a battle counts
    // them again or not, the recount that closes the turn leaves what a full recount leaves.
    for (const bool enemy : {false, true}) {
        SCOPED_TRACE(enemy ? "a battle fought" : "drawn in, nothing fought");
        SetUp();
        const int k = Force(1, 30), reinforced = Place(Force(1, 25), 30, 30);
        if (enemy) Force(2, 30);
        AddBrigade(reinforced, kBrigadeInfantry, 10);
        C(k).ContactCode = 2;
        ScriptedFrontend fe;
        if (enemy) fe.ExpectCombatResolution([](TCombatResolution&) {});
        WithDraws({}, 99, [] { ResolveBattles(); });
        EXPECT_EQ(C(reinforced).Strength, 35);
        const auto after = std::make_unique<TGameRec>(*GameRec);
        RecountForcesFullRescan();
        EXPECT_EQ(std::memcmp(after.get(), GameRec, sizeof(TGameRec)), 0);
    }
}

TEST_F(BattleDispatcher, EveryBattleDialogOpensUnderTheArrowThoughTheTurnShowsTheHourglass) {
    const struct { const char* what; int human; bool garrison; std::vector<std::string> waits; } cases[] = {
        {"a person's field battle", 1, false, {"combat resolution arrow", "intensity arrow", "battle results arrow"}},
        {"an assault", 0, true, {"fort assault arrow"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = Force(1, 20);
        C(k).ContactCode = 1;
        if (c.garrison) AddGarrison(AddCity("Fort", kX, kY, 2), 2, kBrigadeInfantry, 5);
        else Force(2, 20);
        GameRec->Nations[1].Human = static_cast<U8>(c.human);
        ScriptedFrontend fe;
        if (c.garrison) {
            fe.ExpectFortAssault();
        } else {
            fe.ExpectCombatResolution();
            fe.ExpectBattleIntensity(1);
            fe.ExpectBattleResults();
        }
        fe.cursor = CursorKind::Hourglass;  // as the turn's processing leaves it
        WithDraws({}, 99, [] { ResolveBattles(); });
        std::vector<std::string> waits;
        for (const auto& [what, cursor] : fe.waitCursors)
            waits.push_back(what + (cursor == CursorKind::Arrow ? " arrow" : " hourglass"));
        EXPECT_EQ(waits, c.waits);
    }
}

TEST_F(BattleDispatcher, AnEmbarkedCorpsOnTheHexIsLeftAsItIsByAFieldBattleAndByAnAssault) {
    for (const bool assault : {false, true}) {
        SCOPED_TRACE(assault ? "an assault" : "a field battle");
        SetUp();
        GameRec->GameKind = 3;
        const int k = Force(1, 30), aboard = Force(1, 20);
        C(k).ContactCode = 1;
        int brigade = 0;
        for (int b = 1; b <= kBrigadeCount; ++b)
            if (GameRec->Brigades[b].AttachKind == kAttachCorps && GameRec->Brigades[b].AttachIndex == aboard) brigade = b;
        GameRec->Brigades[brigade].Fatigue = 5;
        GameRec->Brigades[brigade].Quality = 3;
        C(aboard).OrderMode = 4;
        C(aboard).Condition = 7;
        RecalcCorpsFromBrigades();
        ScriptedFrontend fe;
        if (assault) {
            AddGarrison(AddCity("Port", kX, kY, 2), 2, kBrigadeInfantry, 5);
            fe.ExpectFortAssault();
        } else {
            Force(2, 30);
            fe.ExpectCombatResolution();
            fe.ExpectBattleResults();
        }
        WithDraws({}, 0, [] { ResolveBattles(); });
        const TCorpsRec& a = C(aboard);
        const TBrigadeRec& b = GameRec->Brigades[brigade];
        EXPECT_EQ(std::vector<int>({a.OrderMode, a.Condition, a.Fatigue, a.Disruption, a.Strength, a.Activity, b.Strength, b.Fatigue,
                                    b.Quality, GameRec->Leaders[a.Leader].Experience}),
                  std::vector<int>({4, 7, 5, 0, 20, 0, 20, 5, 3, 0}));
        EXPECT_EQ(C(k).Activity, 8) << "the corps beside it fought";
        // Only the corps drawn in are counted and shown.
        if (assault) EXPECT_EQ(fe.fortAssaults.at(0).lines[6], "1500T117");
        else EXPECT_TRUE(fe.battleResults.at(0).unionRows[1].shown && !fe.battleResults[0].unionRows[2].shown);
    }
}

TEST_F(BattleDispatcher, AMailGamesBattleNeverEndsTheGame) {
    for (const int kind : {2, 3}) {
        SCOPED_TRACE(kind);
        SetUp();
        GameRec->GameKind = static_cast<std::uint16_t>(kind);
        GameStatus = 0;
        const int k = Force(1, 30);
        Force(2, 30);
        C(k).ContactCode = 1;
        ScriptedFrontend fe;
        fe.ExpectCombatResolution();
        fe.ExpectBattleResults();
        WithDraws({}, 99, [] { ResolveBattles(); });
        EXPECT_EQ(GameStatus, 0);
    }
}

TEST_F(BattleSetup, SumsEachSidesFactorsAndNamesThePlaceTheGroundAndTheWeather) {
    const int a = Force(1, 30, 6, 4), b = Force(1, 20), c = Force(2, 40), wild = Force(2, 10);
    GameRec->Leaders[C(b).Leader].Rank = 5;  // outranks a's commander
    C(a).SupplyPriority = 2;                 // sets the supply sum to 4, b then adds 1
    const int chief = AddLeader(2, 30, 0, 0, "Chief");
    C(c).Army = static_cast<U8>(AddArmy(2, 1, chief));
    Place(wild, 30, 10);
    C(wild).LeaderRating = 200;  // a rating that wrapped is taken back to 0
    DrawIn();
    GameRec->Cities[AddCity("Town", kX + 3, kY, 1)].State = 1;
    GameRec->States[1].Name = "Maryland";
    GameRec->States[1].Theatre = 2;
    GameRec->TheatreWeather[2] = 5;
    Hex(kX, kY).SetTerrain(6);
    Hex(kX, kY).SetControlSide(2);
    Hex(kX, kY).SetState(1);
    GameRec->Nations[1].TheatreIdle[2] = 7;
    ScriptedFrontend fe;
    fe.ExpectCombatResolution([](TCombatResolution&) {});
    SetUpFieldBattle();
    const TCombatResolutionView& v = fe.combatResolutions.at(0);
    EXPECT_EQ(v.place + "|" + v.terrain + "|" + v.weather + "|" + v.confederateLeader, "T5145T52Town, Maryland|T520|T53T84|Chief");
    EXPECT_EQ(CombatWords.UnionLeader, C(b).Leader);
    // Fire 2 x 2: x 8 for foot, x 12 for guns. Woods held by the Confederates (20) and mud (20).
    const int pairs[][3] = {{0, 56, 40}, {3, 20, 40}, {6, 6, 2}, {7, 112, 32}, {9, 4, 2}, {10, 5, 1}, {13, 2, 1}};
    for (const auto& p : pairs)
        EXPECT_EQ(std::vector<int>({BattleFactors[p[0]][1], BattleFactors[p[0]][2]}), std::vector<int>({p[1], p[2]})) << p[0];
    EXPECT_EQ(PreBattleGuns[a], 12);
    EXPECT_EQ(PreBattleStrength[wild], 0) << "a corps elsewhere takes no part";
    EXPECT_EQ(C(wild).LeaderRating, 0);
    EXPECT_EQ(GameRec->Nations[1].TheatreIdle[2], 0);
}

TEST_F(BattleSetup, ThePersonsSidesChooseAndTheComputersGetAnIntensityByRule) {
    Force(1, 30);
    Force(2, 30);
    DrawIn();
    const struct { const char* what; int unionHuman, confedHuman, gameKind, sideToMove; bool setUnion, setConfed, execute; } cases[] = {
        {"computer against computer", 0, 0, 0, 1, false, false, true},
        {"a person against the computer", 1, 0, 0, 1, true, false, false},
        {"two persons at one screen", 1, 1, 0, 1, true, true, false},
        {"a mail game: only the side to move", 1, 1, 3, 1, true, false, false},
        {"a mail game whose mover is the computer is not deadlocked", 1, 0, 3, 2, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameRec->Nations[1].Human = static_cast<U8>(c.unionHuman);
        GameRec->Nations[2].Human = static_cast<U8>(c.confedHuman);
        GameRec->GameKind = static_cast<std::uint16_t>(c.gameKind);
        GameRec->SideToMove = static_cast<std::uint16_t>(c.sideToMove);
        ScriptedFrontend fe;
        fe.ExpectCombatResolution([](TCombatResolution&) {});
        SetUpFieldBattle();
        const TCombatResolutionView& v = fe.combatResolutions.at(0);
        EXPECT_EQ(std::vector<bool>({v.setUnionIntensity.enabled, v.setConfederateIntensity.enabled, v.execute.enabled}),
                  std::vector<bool>({c.setUnion, c.setConfed, c.execute}));
        EXPECT_EQ(CombatWords.UnionIntensity != 0, !c.setUnion) << "the computer's side has its intensity already";
    }
    // Union rating div 2, Confederate rounded up; +1 at twice the enemy, -1 (not below 1) at half.
    const int rules[][5] = {{1, 0, 1, 3, 1}, {1, 9, 9, 3, 5}, {2, 9, 9, 3, 5}, {2, 4, 1, 3, 1}, {1, 6, 3, 7, 2}, {2, 3, 2, 2, 2}};
    for (const auto& [side, rating, own, enemy, intensity] : rules) {
        GameRec->Leaders[1].Rating = static_cast<U8>(rating);
        CombatWords.UnionLeader = CombatWords.ConfederateLeader = 1;
        BattleBrigades[side] = static_cast<std::uint16_t>(own);
        BattleBrigades[3 - side] = static_cast<std::uint16_t>(enemy);
        EXPECT_EQ(RuleIntensity(side), intensity) << "side " << side << " rating " << rating;
    }
}

TEST_F(BattleSetup, TheIntensityDialogOffersByRatingAndShowsWhatTheScoutsSee) {
    const int u = Force(1, 30, 4), e = Force(2, 25, 2);
    const int scouts = AddBrigade(u, kBrigadeCavalry, 0), enemyScouts = AddBrigade(e, kBrigadeCavalry, 0);
    DrawIn();
    // Own cavalry less the enemy's: below 0 hides names and counts, below 20 the troops and guns.
    const struct { int own, enemy, inView; const char* row; } cases[] = {
        {0, 0, 0, "Leader2 2 ??? ???"}, {0, 10, 0, "??? ??? ??? ???"}, {30, 10, 0, "Leader2 2 1250 2"}, {0, 10, 1, "Leader2 2 1250 2"}};
    for (const auto& c : cases) {
        GameRec->Brigades[scouts].Strength = static_cast<U8>(c.own);
        GameRec->Brigades[enemyScouts].Strength = static_cast<U8>(c.enemy);
        GameRec->RatingsInView = static_cast<std::uint16_t>(c.inView);
        const TBattleIntensityView v = BattleIntensityView(1, C(u).Leader);
        const TIntensityRow& r = v.confederateRows[1];
        EXPECT_EQ(r.leader + " " + r.brigades + " " + r.troops + " " + r.artillery, c.row);
        EXPECT_TRUE(v.unionRows[1].shown && r.shown && !v.confederateRows[2].shown);
    }
    for (const auto& [rating, options] : {std::pair{2, 1}, {3, 2}, {8, 4}, {9, 5}}) {
        GameRec->Leaders[C(u).Leader].Rating = static_cast<U8>(rating);
        const TBattleIntensityView v = BattleIntensityView(1, C(u).Leader);
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(v.optionShown[k], k <= options) << "rating " << rating << " option " << k;
    }
    ScriptedFrontend fe;
    fe.ExpectBattleIntensity(5);
    fe.ExpectBattleIntensity(3);
    EXPECT_EQ(ShowBattleIntensity(1, 0), 1) << "an option not offered counts as Skirmish";
    EXPECT_EQ(ShowBattleIntensity(1, C(u).Leader), 3);
    EXPECT_EQ(EventNotice.Answer, 3);
    EXPECT_EQ(fe.intensityViews[0].leftHeading + fe.intensityViews[0].rightHeading, "T505T508");
}

TEST_F(BattleSetup, EachIntensityButtonChoosesOnceAndExecuteWaitsForThePair) {
    Force(1, 30, 0, 9);
    Force(2, 30, 0, 5);
    DrawIn();
    GameRec->Nations[1].Human = GameRec->Nations[2].Human = 1;
    for (const bool unionFirst : {true, false}) {
        SCOPED_TRACE(unionFirst ? "Union first" : "Confederacy first");
        ScriptedFrontend fe;
        std::vector<bool> executeAfter;
        fe.ExpectCombatResolution([&](TCombatResolution& d) {
            for (const bool onUnion : {unionFirst, !unionFirst, unionFirst}) {  // the third press finds its button hidden
                onUnion ? d.Button3Click() : d.Button4Click();
                executeAfter.push_back(d.view.execute.enabled);
            }
        });
        fe.ExpectBattleIntensity(unionFirst ? 4 : 3);
        fe.ExpectBattleIntensity(unionFirst ? 3 : 4);
        SetUpFieldBattle();
        EXPECT_EQ(executeAfter, (std::vector<bool>{false, true, true}));
        EXPECT_EQ(std::vector<int>({CombatWords.UnionIntensity, CombatWords.ConfederateIntensity}), std::vector<int>({4, 3}));
        // Each dialog offers what its own commander's rating allows (9: all five, 5: three).
        ASSERT_EQ(fe.intensityViews.size(), 2u);
        const TBattleIntensityView& first = fe.intensityViews[0];
        EXPECT_EQ(first.leftHeading, unionFirst ? "T505" : "T507");
        EXPECT_EQ(std::count(first.optionShown.begin(), first.optionShown.end(), true), unionFirst ? 5 : 3);
    }
}

TEST_F(FieldBattle, InitiativeAndTheDecisionOnLossesAndGround) {
    // No corps fights: the initiative draw is the only one, and the loss words decide.
    const struct {
        const char* what;
        int unionBrigades, confedBrigades, unionRating, confedRating, unionIntensity, confedIntensity;
        std::vector<int> draws, ranges;
        int side, holder, pu, pc, result;
    } cases[] = {
        {"even: the Union holds below its share", 2, 2, 3, 4, 2, 3, {29}, {70}, 1, 1, 10, 12, 2},
        {"even: the Confederacy takes it from there", 2, 2, 3, 4, 2, 3, {30}, {70}, 2, 1, 19, 12, 3},
        {"the attacker needs half again the holder's loss", 2, 2, 3, 4, 2, 3, {30}, {70}, 2, 1, 18, 12, 0},
        {"three to one for the Confederacy", 1, 4, 3, 4, 2, 3, {89}, {100}, 2, 2, 12, 10, 3},
        {"three to one for the Union, its draw missed", 4, 1, 3, 4, 2, 3, {80}, {100}, 2, 2, 10, 16, 2},
        {"a range below 0 is 0 and draws nothing", 2, 2, 0, 1, 1, 2, {}, {}, 2, 0, 10, 9, 3},
        {"a skirmish decides nothing", 2, 2, 3, 3, 1, 1, {0}, {40}, 1, 1, 10, 12, 1},
        {"fewer than 5 losses decide nothing", 2, 2, 3, 4, 2, 3, {29}, {70}, 1, 1, 1, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->Leaders[1].Rating = static_cast<U8>(c.unionRating);
        GameRec->Leaders[2].Rating = static_cast<U8>(c.confedRating);
        CombatWords = {1, 2, static_cast<std::uint16_t>(c.unionIntensity), static_cast<std::uint16_t>(c.confedIntensity), 0, 1, 0, 70};
        BattleBrigades = {0, static_cast<std::uint16_t>(c.unionBrigades), static_cast<std::uint16_t>(c.confedBrigades)};
        BattleTroops = {0, 100, 100};
        GameRec->BattleLosses(1) = static_cast<std::uint16_t>(c.pu);
        GameRec->BattleLosses(2) = static_cast<std::uint16_t>(c.pc);
        Hex(kX, kY).SetControlSide(c.holder);
        TCombatResolution dialog;
        dialog.view.execute.enabled = true;
        EXPECT_EQ(DrawRanges(c.draws, [&] { dialog.Button1Click(); }), c.ranges);
        EXPECT_EQ(InitiativeSide, c.side);
        EXPECT_EQ(CombatWords.BattleIntensity, c.side == 1 ? c.unionIntensity : c.confedIntensity);
        EXPECT_EQ(GameRec->BattleResult, c.result);
        EXPECT_FALSE(dialog.view.execute.enabled);
    }
}

TEST_F(FieldBattle, APairWithNoBoutsTriesItsGunsOnceThenEngagesRandomIPlusITimes) {
    const int u = Force(1, 10), e = Force(2, 10);
    C(u).OrderMode = 0;  // no bouts: tactics 0 div 20 + Withdraw
    DrawIn();
    SidePlayed = 1;
    // Initiative over 10 x (3 + 3) - 20 (the Union's rule intensity is 1): the Confederacy, at 2.
    // The duel: one pick, no guns found; Random(2) + 2 engagements, none fought; the leaders' rolls.
    std::vector<int> script = {39, 0, 1, 199, 199, 199, 599, 799};
    script.resize(200, 99);
    std::vector<int> ranges = DrawRanges(script, [] { SetUpFieldBattle(); });
    ScriptRandomDraws({});
    ranges.resize(8);
    EXPECT_EQ(ranges, (std::vector<int>{40, 2, 2, 200, 200, 200, 600, 800}));
    EXPECT_EQ(CombatWords.BattleIntensity, 2);
    EXPECT_EQ(C(u).Opponent, e);
    EXPECT_EQ(SidePlayed, 1) << "the battle leaves the side played alone";
    EXPECT_EQ(C(e).OrderMode, 0);
    EXPECT_EQ(RollFireHits(0, 65535), 1) << "every volley scores one hit, even of no shots";
}

TEST_F(FieldBattle, APickAmongTheListedBrigadesFindsWhatTheRollOfAllBrigadesFinds) {
    // Two corps' brigades interleaved, and a garrison brigade of the city numbered like the first.
    const int u = Force(1, 10), e = Force(2, 12);
    const int smallGuns = AddBrigade(u, kBrigadeArtillery, 4);
    AddBrigade(e, kBrigadeArtillery, 3);
    const int cleared = AddBrigade(u, kBrigadeInfantry, 7);
    const int spent = AddBrigade(u, kBrigadeInfantry, 2);
    const int horse = AddBrigade(u, kBrigadeCavalry, 5);
    const int bigGuns = AddBrigade(u, kBrigadeArtillery, 9);
    AddBrigade(e, kBrigadeCavalry, 6);
    AddGarrison(u, 1, kBrigadeInfantry, 8);
    TCorpsBrigades listed;
    listed.List();
    // Volleys after the listing clear one brigade, and leave another and the biggest guns serving
    // without a man.
    ClearBrigade(cleared);
    GameRec->Brigades[spent].Strength = 0;
    GameRec->Brigades[bigGuns].Strength = 0;
    for (const int corps : {u, e})
        for (const int mode : {1, 2})
            for (int n = 1; n <= 4; ++n)
                for (int draw = 0; draw <= n; ++draw) {
                    SCOPED_TRACE(::testing::Message() << "corps " << corps << " mode " << mode << " of " << n << " draw " << draw);
                    int rolled = -1, picked = -1;
                    const auto rollRanges = DrawRanges({draw}, [&] { rolled = PickEngagedBrigade(mode, corps, n); });
                    const auto listRanges = DrawRanges({draw}, [&] { picked = PickEngagedBrigade(listed, mode, corps, n); });
                    EXPECT_EQ(picked, rolled);
                    EXPECT_EQ(listRanges, rollRanges);
                }
    ScriptRandomDraws({});
    // What the volleys left: the smaller guns fire, the horse is the second brigade of the foot.
    EXPECT_EQ(PickEngagedBrigade(listed, 1, u, 3), smallGuns);
    ScriptRandomDraws({2});
    EXPECT_EQ(PickEngagedBrigade(listed, 2, u, 3), horse);
    ScriptRandomDraws({});
}

TEST_F(FieldBattle, AFoughtPairRaisesItsLeadersAndEveryCorpsIsBookedAWinOrALoss) {
    // One pair: the Confederates, at condition 0, break off and never fight a pair of their own.
    const struct { const char* what; int holder, pu, pc, chiefRating, result; } cases[] = {
        {"the holder wins on lower losses; a chief past 12 rises no more", 1, 10, 12, 13, 2},
        {"a broken enemy yields the ground it held; a chief at 12 rises", 2, 10, 12, 12, 2},
        {"under five losses the ground goes, but nobody wins", 2, 2, 2, 12, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int u = Force(1, 10), e = Force(2, 10), chief = AddLeader(1, 30);
        GameRec->Leaders[chief].Rating = static_cast<U8>(c.chiefRating);
        C(u).Army = static_cast<U8>(AddArmy(1, 1, chief));
        C(u).OrderMode = 0;  // no bouts
        C(e).Condition = 0;
        DrawIn();
        PreBattleStrength[u] = PreBattleStrength[e] = 10;
        GameRec->Nations[1].Will = GameRec->Nations[2].Will = 50;
        CombatWords = {1, 2, 2, 2, 0, 1, 0, 70};
        BattleBrigades = {0, 1, 1};
        BattleTroops = {0, 100, 100};
        GameRec->BattleLosses(1) = static_cast<std::uint16_t>(c.pu);
        GameRec->BattleLosses(2) = static_cast<std::uint16_t>(c.pc);
        Hex(kX, kY).SetControlSide(c.holder);
        ScriptedFrontend fe;
        fe.ExpectBattleResults();
        // Initiative (the Union), the duel finds no guns, two engagements not fought, the Union
        // leaders' roll made (political, rating), the Confederate one missed.
        std::vector<int> script = {0, 0, 0, 199, 199, 0, 0, 0, 799};
        script.resize(200, 99);
        std::vector<int> ranges = DrawRanges(script, [] { ResolveFieldBattle(); });
        ScriptRandomDraws({});
        ranges.resize(9);
        EXPECT_EQ(ranges, (std::vector<int>{60, 2, 2, 200, 200, 600, 50, 30, 800}));
        const bool won = c.result == 2;
        const TLeaderRec &l = GameRec->Leaders[C(u).Leader], &el = GameRec->Leaders[C(e).Leader], &ch = GameRec->Leaders[chief];
        EXPECT_EQ(std::vector<int>({GameRec->BattleResult, Hex(kX, kY).ControlSide()}), std::vector<int>({c.result, 1}));
        EXPECT_EQ(std::vector<int>({l.Rating, C(u).LeaderRating, ch.Rating}), std::vector<int>({4, 4, 13}));
        EXPECT_EQ(std::vector<int>({l.Political, ch.Political, el.Political}), std::vector<int>({won ? 3 : -2, won ? 1 : -1, -3}));
        EXPECT_EQ(std::vector<int>({GameRec->Nations[1].Will, GameRec->Nations[2].Will, static_cast<int>(GameRec->MilitaryPoints[1]),
                                    CombatWords.WinningCorpsCount}),
                  std::vector<int>({won ? 51 : 49, 49, won ? 3 : 0, won ? 1 : 0}));
    }
}

TEST_F(FieldBattle, LossesPastAByteStopItsCounterButStillSpendACorpsAsAnOpponent) {
    // The first Union corps fires 255 and 254 hits into the entrenched corps' two brigades: 509
    // lost from 300, while its Losses byte stops at 255. The second Union corps must then meet
    // the fresh corps, not the spent one (which a byte of 255 would still show as 45 strong).
    const int first = Force(1, 255), second = Force(1, 255), spent = Force(2, 150), fresh = Force(2, 50);
    AddBrigade(spent, kBrigadeInfantry, 150);
    RecalcCorpsFromBrigades();
    C(spent).Entrenchment = 2;
    GameRec->WeaponTable[3].FireFactor1 = GameRec->WeaponTable[3].FireFactor2 = 10;
    for (TBrigadeRec& b : GameRec->Brigades)
        if (b.AttachKind == kAttachCorps && (b.AttachIndex == first || b.AttachIndex == second)) b.Weapon = 3;
    DrawIn();
    CombatWords = {1, 3, 4, 4, 0, 1, 0, 70};
    BattleBrigades = {0, 2, 3};
    BattleTroops = {0, 100, 100};
    ScriptedFrontend fe;
    fe.ExpectBattleResults();
    // Every draw 625: the Union's shots all tell (below 1250 and 100 of 300), the Confederates'
    // miss; no loss shakes a corps (25 of 100).
    WithDraws({}, 625, [] { ResolveFieldBattle(); });
    EXPECT_EQ(std::vector<int>({C(spent).Losses, BattleCorpsLosses[spent]}), std::vector<int>({255, 509}));
    EXPECT_EQ(C(second).Opponent, fresh);
    EXPECT_EQ(fe.battleResults.at(0).confederateRows[1].casualties, "25450") << "the row shows the whole loss";
}

TEST_F(FieldBattle, GunsFireThreeTimesInTenAndAHitOnGunsSparesThemAboveFortyOne) {
    const int e = Force(2, 10, 10);
    Force(1, 1, 1);
    const int enemyFoot = 1, enemyGuns = 2, foot = 3, guns = 4;
    CombatWords.BattleIntensity = 2;
    const struct { const char* what; int firing, target; std::vector<int> draws, ranges; int strength; } cases[] = {
        {"guns hold their fire at 30", guns, enemyFoot, {30}, {100}, 10},
        {"guns fire below 30; a miss still hits once", guns, enemyFoot, {29, 1499, 99, 0, 0}, {100, 1500, 100, 5, 1}, 9},
        {"a hit on guns above 41 is spent", foot, enemyGuns, {1499, 42, 99}, {1500, 100, 100}, 10},
        {"a hit on guns at 41 tells", foot, enemyGuns, {1499, 41, 99, 99, 0}, {1500, 100, 100, 100, 1}, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameRec->Brigades[enemyFoot].Strength = GameRec->Brigades[enemyGuns].Strength = 10;
        EXPECT_EQ(DrawRanges(c.draws, [&] { EngageBrigades(c.firing, c.target, 0); }), c.ranges);
        EXPECT_EQ(GameRec->Brigades[c.target].Strength, c.strength);
    }
    EXPECT_EQ(BattleCorpsLosses[e] + GameRec->BattleLosses(2), 4);
}

TEST_F(FieldBattle, APersonChoosesTheIntensityAndASuccessorThenSeesTheResults) {
    const int u = Force(1, 20, 0, 6), e = Force(2, 20);
    C(u).ContactCode = C(e).ContactCode = 1;
    const int spare = AddLeader(1, 40, 0, 0, "Spare");
    GameRec->Leaders[spare].Status = kLeaderAvailable;
    GameRec->Leaders[spare].Rank = 3;
    GameRec->Nations[1].Human = 1;
    ScriptedFrontend fe;
    fe.ExpectCombatResolution();
    fe.ExpectBattleIntensity(3);
    fe.ExpectNotice(0);
    fe.ExpectLeaderSuccessor(0);
    fe.ExpectBattleResults();
    // Every draw 0: every shot tells, every loss shakes, and the first loss fells the commander.
    WithDraws({}, 0, [] { ResolveBattles(); });
    EXPECT_EQ(fe.log, (std::vector<std::string>{"battle marker 10 10", "combat resolution", "intensity 3", "notice 0",
                                                 "successor 0", "battle results"}));
    EXPECT_EQ(fe.notices[0].lines[1] + fe.notices[0].lines[2], "Leader1T55");
    EXPECT_EQ(fe.successorViews[0].lines[0].text, "SpareT581");
    EXPECT_EQ(GameRec->Leaders[1].Status, 201);
    EXPECT_EQ(fe.battleResults[0].unionRows[1].leader, "Spare") << "the successor leads the corps";
    EXPECT_EQ(fe.battleResults[0].intensity, "T671");
}

TEST_F(LeaderCasualty, ACorpsCommanderFallsByTheIntensityAndTheFallingChance) {
    // The computer's corps with nobody to spare keeps its fallen commander.
    const struct { const char* what; int intensity, chance, status; std::vector<int> draws, ranges; int statusAfter, chanceAfter, political; } cases[] = {
        {"a skirmish puts nobody at risk", 1, 70, 0, {}, {}, 0, 70, 0},
        {"at 5 a fall needs 500 and 1000 below the chance", 5, 70, 0, {99, 69, 70}, {100, 500, 1000}, 0, 70, 0},
        {"wounded for d turns, the chance falls", 5, 70, 0, {19, 69, 69, 9}, {100, 500, 1000, 25}, 210, 60, 1},
        {"d of 25 kills", 3, 70, 0, {99, 0, 0, 24}, {100, 900, 1200, 25}, 255, 60, 0},
        {"the chance stops at 10", 5, 10, 0, {99, 0, 0, 0}, {100, 500, 1000, 25}, 201, 10, 0},
        {"a killed commander left in command stays killed", 5, 70, 255, {99, 0, 0}, {100, 500, 1000}, 255, 70, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = Force(2, 10);
        TLeaderRec& l = GameRec->Leaders[C(k).Leader];
        l.Status = static_cast<U8>(c.status);
        CombatWords.BattleIntensity = static_cast<std::uint16_t>(c.intensity);
        CombatWords.LeaderLossChance = static_cast<std::uint16_t>(c.chance);
        EXPECT_EQ(DrawRanges(c.draws, [&] { CheckCorpsLeaderCasualty(k); }), c.ranges);
        EXPECT_EQ(std::vector<int>({l.Status, CombatWords.LeaderLossChance, l.Political, C(k).Leader}),
                  std::vector<int>({c.statusAfter, c.chanceAfter, c.political, 1}));
    }
}

TEST_F(LeaderCasualty, ACandidateLineShowsHisRankAndHisRatingsAsFarAsTheyAreKnown) {
    // Drill, tactics, initiative and rating; hidden ratings are masked below 6, 8, 4 and 10 experience.
    const struct { int rank, inView, experience, drill, tactics, initiative, rating; const char* shown; } cases[] = {
        {2, 0, 3, 40, 40, 50, 8, "Man-T580|T548|T552|T558|T563"},
        {3, 0, 9, 20, 21, 21, 8, "Man-T581|T545|T550|T554|T563"},
        {4, 0, 10, 40, 39, 20, 8, "Man-T582|T547|T550|T553|T562"},
        {3, 1, 0, 21, 40, 31, 3, "Man-T581|T546|T551|T555|T559"},
        {3, 1, 0, 39, 20, 49, 5, "Man-T581|T546|T549|T556|T560"},
        {3, 1, 0, 0, 0, 50, 7, "Man-T581|T545|T549|T557|T561"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        SetUp();
        const int k = Force(1, 10);
        TLeaderRec& man = GameRec->Leaders[AddLeader(1, c.initiative, c.tactics, c.drill, "Man-")];
        man.Status = kLeaderRemoved;
        man.Rank = static_cast<U8>(c.rank);
        man.Experience = static_cast<U8>(c.experience);
        man.Rating = static_cast<U8>(c.rating);
        GameRec->RatingsInView = static_cast<std::uint16_t>(c.inView);
        const TLeaderSuccessorView v = CorpsSuccessorView(k);
        ASSERT_EQ(v.lines.size(), 1u);
        const TSuccessorLine& l = v.lines[0];
        EXPECT_EQ(l.text + "|" + l.drill + "|" + l.tactics + "|" + l.initiative + "|" + l.rating, c.shown);
    }
}

TEST_F(LeaderCasualty, AnArmyCommanderFallsOnThreeDrawsAndASuccessorIsPromotedOrTheArmyLost) {
    enum Outcome { kKept, kAppointed, kPromoted, kDissolved };
    // The computer scores its three eligible men (a draw each): the rank-3 man rated 9 wins.
    const struct { const char* what; int human; std::vector<int> draws, ranges; int answer; Outcome outcome; } cases[] = {
        {"the third draw spares him", 0, {0, 0, 100}, {250, 250, 1500}, 0, kKept},
        {"the computer appoints its best man", 0, {0, 0, 99, 0, 0, 0, 0}, {250, 250, 1500, 25, 50, 50, 50}, 0, kAppointed},
        {"a person promotes a corps leader", 1, {0, 0, 99, 0}, {250, 250, 1500, 25}, 0, kPromoted},
        {"no choice dissolves the army", 1, {0, 0, 99, 0}, {250, 250, 1500, 25}, -1, kDissolved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->Nations[1].Human = static_cast<U8>(c.human);
        const int k = Force(1, 10), chief = AddLeader(1, 30), a = AddArmy(1, 1, chief);
        C(k).Army = static_cast<U8>(a);
        GameRec->Nations[1].ArmyTally = 3;
        TArmyNameRec& pooled = GameRec->ArmyNamePool[1][4];
        pooled.Name = GameRec->Armies[a].Name.str();
        pooled.Used = 2;
        // Rank 3 available, rank 5 not yet come to hand, rank 2 relieved: only the first is offered.
        const int man = AddLeader(1, 52, 0, 0, "Man");
        for (const auto& [l, rank, status] : {std::tuple{man, 3, 100}, {AddLeader(1, 52), 5, 50}, {AddLeader(1, 52), 2, 200}}) {
            GameRec->Leaders[l].Rank = static_cast<U8>(rank);
            GameRec->Leaders[l].Status = static_cast<U8>(status);
            GameRec->Leaders[l].Rating = 9;
        }
        CombatWords.BattleIntensity = 5;
        CombatWords.LeaderLossChance = 70;
        ScriptedFrontend fe;
        if (c.outcome != kKept) fe.ExpectNotice(0);
        if (c.human) fe.ExpectLeaderSuccessor(c.answer);
        EXPECT_EQ(DrawRanges(c.draws, [&] { CheckArmyLeaderCasualty(a); }), c.ranges);
        EXPECT_EQ(GameRec->Leaders[chief].Status, c.outcome == kKept ? 0 : 201);
        EXPECT_EQ(CombatWords.LeaderLossChance, 70) << "an army commander's fall does not lower the chance";
        const TLeaderRec& s = GameRec->Leaders[man];
        const int leader = c.outcome == kKept ? chief : c.outcome == kDissolved ? 0 : man;
        EXPECT_EQ(GameRec->Armies[a].Leader, leader);
        EXPECT_EQ(C(k).Army, c.outcome == kDissolved ? 0 : a);
        // A lost army is one fewer for the nation, and its name may be given again.
        const bool lost = c.outcome == kDissolved;
        EXPECT_EQ(std::vector<int>({GameRec->Nations[1].ArmyTally, pooled.Used, GameRec->Armies[a].Name.str().empty()}),
                  std::vector<int>({lost ? 2 : 3, lost ? 0 : 2, lost}));
        if (c.human) {
            EXPECT_EQ(fe.successorViews.at(0).lines.size(), 1u);
        }
        const std::vector<int> promoted = {0, 5, 7, 41, -10}, kept = {0, 3, 9, 52, 0};
        if (c.outcome == kPromoted || c.outcome == kAppointed) {
            EXPECT_EQ(std::vector<int>({s.Status, s.Rank, s.Rating, s.Initiative, s.Political}), c.outcome == kPromoted ? promoted : kept);
        }
    }
}

TEST_F(LeaderCasualty, AManTheComputerPicksButCannotAppointPaysForTheChoiceAndTheFallenManStays) {
    // The only man to hand leads a corps: picked for an army's rank he pays 10 prestige, 5 initiative
    // and 1 rating, yet neither post can be his (he is in command, and nobody could take his corps).
    const struct { const char* what; bool army; std::vector<int> draws, ranges; } cases[] = {
        {"a corps whose fallen commander held an army's rank", false, {99, 0, 0, 9, 0}, {100, 500, 1000, 25, 50}},
        {"an army", true, {0, 0, 99, 9, 0}, {250, 250, 1500, 25, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int other = Force(2, 10), man = C(other).Leader;
        const int k = c.army ? 0 : Force(2, 10);
        const int fallen = c.army ? AddLeader(2, 30) : C(k).Leader;
        const int a = c.army ? AddArmy(2, 1, fallen) : 0;
        GameRec->Leaders[fallen].Rank = 5;
        GameRec->Leaders[man].Political = 30;
        CombatWords.BattleIntensity = 5;
        CombatWords.LeaderLossChance = 70;
        ScriptedFrontend fe;  // no successor, so no notice
        EXPECT_EQ(DrawRanges(c.draws, [&] { c.army ? CheckArmyLeaderCasualty(a) : CheckCorpsLeaderCasualty(k); }), c.ranges);
        EXPECT_EQ(GameRec->Leaders[fallen].Status, 210);
        EXPECT_EQ(c.army ? GameRec->Armies[a].Leader : C(k).Leader, fallen);
        const TLeaderRec& m = GameRec->Leaders[man];
        EXPECT_EQ(std::vector<int>({C(other).Leader, m.Status, m.Political, m.Initiative, m.Rating}),
                  std::vector<int>({man, 0, 20, 25, 2}));
    }
}

TEST_F(FortAssault, BombardmentAndStormEndInAFallOrARepulse) {
    // Draws as listed, then every draw answers `filler`.
    const struct { const char* what; int attacker, owner, fort, garrisonFoot, garrisonGuns, foot, guns; std::vector<int> draws; int filler;
                   const char *bombardment, *storm; int result, fortAfter, footAfter, prisoners, control; } cases[] = {
        {"no works: Execute storms at once and destroys the garrison", 1, 2, 0, 5, 0, 30, 0, {}, 0, "", "T124", 2, 0, 24, 0, 1},
        {"guns alone are thrown back, even over a destroyed garrison", 1, 2, 0, 5, 0, 0, 6, {}, 0, "", "T125", 1, 0, 0, 0, 2},
        {"a garrison of guns alone falls and goes into captivity", 1, 2, 0, 0, 6, 30, 0, {}, 99, "", "T124", 2, 0, 30, 6, 1},
        {"both sides break at once: a garrison left standing holds", 1, 2, 0, 10, 0, 30, 0, {}, 99, "", "T125", 1, 0, 30, 0, 2},
        {"without guns the works cannot be breached", 1, 2, 2, 10, 0, 30, 0, {}, 99, "T123", "", 1, 2, 30, 0, 2},
        // Five draws would hit the works of 4; three do: the breach razes them, the storm meets the
        // one level left (hitting on 40), and the repulse puts that level back.
        {"at most three hits on the works per exchange", 1, 2, 4, 5, 0, 10, 10,
         {99, 99, 99, 99, 99, 0, 0, 0, 0, 0, 99, 99, 99, 99, 99, 99}, 40, "T121", "T125", 1, 1, 4, 0, 2},
        {"a Confederate corps storms an unowned city", 2, 0, 0, 5, 0, 30, 0, {}, 0, "", "T124", 3, 0, 24, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = 3;  // codes stay as the assault left them
        const int k = Force(c.attacker, c.foot, c.guns);
        C(k).ContactCode = 4;
        const int city = AddCity("Fort", kX, kY, c.owner), garrisonNation = c.owner != 0 ? c.owner : kNationFrance;
        GameRec->Cities[city].Fortifications = static_cast<U8>(c.fort);
        if (c.garrisonFoot != 0) AddGarrison(city, garrisonNation, kBrigadeInfantry, c.garrisonFoot);
        if (c.garrisonGuns != 0) AddGarrison(city, garrisonNation, kBrigadeArtillery, c.garrisonGuns);
        Hex(kX, kY).SetControlSide(c.owner != 0 ? c.owner : 1);
        ScriptedFrontend fe;
        fe.ExpectFortAssault();
        WithDraws(c.draws, c.filler, [] { ResolveBattles(); });
        const TFortAssaultView& v = fe.fortAssaults.at(0);
        EXPECT_EQ(v.caption + "|" + v.lines[1] + "|" + v.lines[2], "T126|T112Fort|" + std::to_string(c.fort) + "T113");
        EXPECT_EQ(v.lineShown[7], c.guns != 0);
        EXPECT_EQ(v.bombardmentShown ? v.bombardment : "", c.bombardment);
        EXPECT_EQ(v.stormShown ? v.storm : "", c.storm);
        EXPECT_TRUE(v.ok.visible && v.ok.enabled && !v.execute.visible);
        EXPECT_EQ(std::vector<int>({GameRec->BattleResult, GameRec->Cities[city].Fortifications, C(k).Strength,
                                    static_cast<int>(GameRec->Prisoners[garrisonNation]), Hex(kX, kY).ControlSide()}),
                  std::vector<int>({c.result, c.fortAfter, c.footAfter, c.prisoners, c.control}));
        const bool stormed = c.storm[0] != '\0', fell = c.result != 1;
        EXPECT_EQ(C(k).ContactCode, !stormed ? 5 : fell ? 0 : 1) << "a repulse leaves the attackers in contact";
    }
}

TEST_F(FortAssault, AStormSpreadsItsHitsOnePerBrigadeAPassInRecordOrder) {
    // Every draw 0: every shot hits. The garrison of 6 deals 7 hits on the 12 foot of two corps,
    // whose brigades lie between the garrison's, guns and a garrison elsewhere; the 13 hits on the
    // garrison destroy it brigade by brigade, so none is left to be taken prisoner.
    const int a = Force(1, 3), b = Force(1, 4);
    const int city = AddCity("Fort", kX, kY, 2), elsewhere = AddCity("Far", 40, 10, 2);
    AddGarrison(city, 2, kBrigadeInfantry, 2);
    const int guns = AddBrigade(a, kBrigadeArtillery, 5);
    AddGarrison(elsewhere, 2, kBrigadeInfantry, 3);
    const int aFoot = AddBrigade(a, kBrigadeInfantry, 5);
    AddGarrison(city, 2, kBrigadeInfantry, 4);
    RecalcCorpsFromBrigades();
    C(a).ContactCode = C(b).ContactCode = 4;
    ScriptedFrontend fe;
    fe.ExpectFortAssault();
    WithDraws({}, 0, [] { ResolveBattles(); });
    EXPECT_EQ(fe.fortAssaults.at(0).storm, "T124");
    // Passes of 3, 3 and 1: the first brigade of 3 is gone, the other foot keep 3 and 2.
    auto strength = [](int i) { return static_cast<int>(GameRec->Brigades[i].Strength); };
    EXPECT_EQ(std::vector<int>({strength(1), strength(2), strength(guns), strength(aFoot)}), std::vector<int>({0, 2, 5, 3}));
    EXPECT_EQ(GameRec->Prisoners[2], 0);
    EXPECT_EQ(GameRec->Cities[elsewhere].Garrison, 1);
}

TEST_F(FortAssault, AFallFreesTheBrigadesOfAnUnclaimedStateTwentyAndBothBreaksTellOnTheAttackers) {
    // Every draw 0: both sides break in the first exchange, and foot destroys the garrison.
    const struct { const char* what; int foot, guns, flag; bool freed; } cases[] = {
        {"a fall frees them while the state's flag is 0", 30, 0, 0, true},
        {"the flag set keeps them", 30, 0, 1, false},
        {"a repulse keeps them", 0, 6, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = Force(1, c.foot, c.guns), away = Place(Force(1, 10), 40, 10);
        C(k).ContactCode = 4;
        const int city = AddCity("Fort", kX, kY, 2);
        AddGarrison(city, 2, kBrigadeInfantry, 5);
        const int stateTwenty = AddBrigade(away, kBrigadeInfantry, 10, 2, 0, 20);
        GameRec->States[20].Flag = static_cast<U8>(c.flag);
        WithDraws({}, 0, [] { ResolveBattles(); });
        EXPECT_EQ(GameRec->Brigades[stateTwenty].AttachKind == kAttachFree, c.freed);
        EXPECT_EQ(static_cast<int>(C(k).Condition), 4) << "halved for the attackers' break, less 1 for the garrison's";
    }
}

}  // namespace
}  // namespace kvt
