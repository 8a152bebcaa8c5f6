// The battle dispatcher: who is drawn in, which battle a hex gets, the view, and the codes left.
#include <gtest/gtest.h>

#include "engine/combat/battle_dispatcher.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::ScriptedFrontend;

class BattleDispatcher : public BattleWorld {};

TEST_F(BattleDispatcher, DrawsInTheHexAndFightsOnlyWhatTheForcesAllow) {
    // Mail games keep the codes the battles leave, so the draw-in can be read after the call.
    struct Case {
        const char* what;
        int x, y;
        int unionFoot, unionGuns, unionMode;  // the corps opening the battle
        int confedFoot;                       // a Confederate corps beside it (0: none)
        int garrison;                         // a garrisoned Confederate city on the hex (0: none)
        int viewColumn, viewRow;
        bool fieldBattle, assault;
    };
    const Case cases[] = {
        {"no enemy: drawn in, nothing fought", 10, 10, 30, 0, 1, 0, 0, 2, 6, false, false},
        {"the view stops at column and row 1", 5, 3, 30, 0, 1, 0, 0, 1, 1, false, false},
        {"guns alone fight no field battle", 10, 10, 0, 8, 1, 30, 0, 2, 6, false, false},
        {"Withdraw alone never assaults", 10, 10, 30, 0, 0, 0, 5, 2, 6, false, false},
        {"a garrison is stormed", 10, 10, 30, 0, 1, 0, 5, 2, 6, false, true},
        {"foot on both sides fight", 10, 10, 30, 0, 1, 30, 0, 2, 6, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = 3;
        GameRec->BattleScratch2 = 4;
        const int k = Force(1, c.unionFoot, c.unionGuns);
        C(k).HexX = static_cast<U8>(c.x);
        C(k).HexY = static_cast<U8>(c.y);
        C(k).OrderMode = static_cast<U8>(c.unionMode);
        C(k).ContactCode = 2;
        C(k).Region = 2;
        // A disrupted companion: its counter is cleared and its condition halved (7 -> 3).
        const int friendCorps = AddCorps(1, c.x, c.y);
        C(friendCorps).OrderMode = 3;
        C(friendCorps).Disruption = 1;
        C(friendCorps).Condition = 7;
        C(friendCorps).Army = static_cast<U8>(AddArmy(1, 1, AddLeader(1, 30)));
        if (c.unionMode == 0) C(friendCorps).OrderMode = 0;
        const int embarked = AddCorps(1, c.x, c.y);
        C(embarked).OrderMode = 4;
        if (c.confedFoot != 0) {
            const int e = Force(2, c.confedFoot);
            C(e).HexX = static_cast<U8>(c.x);
            C(e).HexY = static_cast<U8>(c.y);
        }
        if (c.garrison != 0) {
            const int city = AddCity("Fort", c.x, c.y, 2);
            const int b = ++brigades_;
            GameRec->Brigades[b] = {2, static_cast<U8>(city), kBrigadeInfantry, static_cast<U8>(c.garrison), 1, 1, 1, 1,
                                    kAttachGarrison, 0};
            GameRec->Cities[city].Garrison = 1;
        }
        ScriptedFrontend fe;
        if (c.fieldBattle) {
            fe.ExpectCombatResolution([](TCombatResolution&) {});
        }
        if (c.assault) fe.ExpectFortAssault();
        WithDraws(99, [] { ResolveBattles(); });

        ASSERT_EQ(fe.battleMarkers.size(), 1u);
        EXPECT_EQ(fe.battleMarkers[0].column, c.x);
        EXPECT_EQ(fe.battleMarkers[0].row, c.y);
        EXPECT_EQ(fe.battleMarkers[0].viewColumn, c.viewColumn);
        EXPECT_EQ(fe.battleMarkers[0].viewRow, c.viewRow);
        EXPECT_GE(fe.repaints, 1);
        if (!c.assault) {
            EXPECT_EQ(C(k).ContactCode, 5);
            EXPECT_EQ(C(friendCorps).ContactCode, 5);
        }
        EXPECT_EQ(C(k).Activity, 8);
        EXPECT_EQ(C(embarked).ContactCode, 0) << "an embarked corps takes no part";
        EXPECT_EQ(C(friendCorps).Disruption, 0);
        if (!c.assault) EXPECT_EQ(C(friendCorps).Condition, 3);
        EXPECT_EQ(C(friendCorps).OrderMode, c.unionMode == 0 ? 0 : 1) << "Advance and plans turn to Defend";
        EXPECT_EQ(GameRec->Leaders[C(k).Leader].Experience, 1);
        EXPECT_EQ(GameRec->Leaders[GameRec->Armies[C(friendCorps).Army].Leader].Experience, 1);
        EXPECT_EQ(GameRec->BattleScratch2, 2 + (c.confedFoot != 0 ? -1 : 0));
    }
}

TEST_F(BattleDispatcher, ARepulsedAssaultIsNotReopenedAndAFaceToFaceTurnEndsWithNoContacts) {
    // Two corps of guns alone storm a garrison: with no foot the storm is always thrown back,
    // and both are left in contact with the city.
    const int city = AddCity("Fort", kX, kY, 2);
    GameRec->Brigades[++brigades_] = {2, static_cast<U8>(city), kBrigadeInfantry, 20, 1, 1, 1, 1, kAttachGarrison, 0};
    GameRec->Cities[city].Garrison = 1;
    const int a = Force(1, 0, 6), b = Force(1, 0, 6);
    C(a).ContactCode = 4;
    C(b).ContactCode = 4;
    const int elsewhere = Force(2, 10);
    C(elsewhere).HexX = C(elsewhere).HexY = 30;
    C(elsewhere).ContactCode = 100;
    GameRec->Nations[1].Human = 1;
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    fe.ExpectFortAssault();
    ResolveBattles();
    ASSERT_EQ(fe.notices.size(), 1u);
    EXPECT_EQ(fe.notices[0].lines[1], "Union T454");
    EXPECT_EQ(fe.notices[0].lines[2], "T47Fort");
    EXPECT_EQ(fe.notices[0].lines[3], "T48");
    EXPECT_EQ(fe.fortAssaults.size(), 1u);
    EXPECT_EQ(fe.fortAssaults[0].storm, "T125");
    EXPECT_EQ(C(a).ContactCode, 0);
    EXPECT_EQ(C(b).ContactCode, 0);
    EXPECT_EQ(C(elsewhere).ContactCode, 100);
}

}  // namespace
}  // namespace kvt
