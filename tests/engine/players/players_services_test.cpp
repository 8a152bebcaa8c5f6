// Free command slots for new corps and armies, and the two policy events on slavery.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/forces/command_slots.h"
#include "engine/players/policy_events.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class CommandSlots : public testing::TurnTest {};

TEST_F(CommandSlots, ANewCorpsTakesTheFirstFreeRecordAndTheLowestFreeOrdinalOfItsNation) {
    TGameRec& g = *GameRec;
    // Union corps 1 and 2 carry ordinals 1 and 3; Confederate corps 3 carries 2.
    g.Corps[2].Ordinal = 3;
    g.Corps[3].Ordinal = 2;
    g.Corps[5].Ordinal = 1;  // a free record's stale ordinal counts for nothing
    EXPECT_EQ(AllocateCorpsSlot(1), 5);
    EXPECT_TRUE(CorpsInUse(g.Corps[5]));
    EXPECT_EQ(g.Corps[5].Nation, 1);
    EXPECT_EQ(g.Corps[5].Side, 1);
    EXPECT_EQ(g.Corps[5].Ordinal, 2);
    EXPECT_EQ(AllocateCorpsSlot(1), 6);
    EXPECT_EQ(g.Corps[6].Ordinal, 4);
    g.Nations[3].Side = 2;
    EXPECT_EQ(AllocateCorpsSlot(3), 7);
    EXPECT_EQ(g.Corps[7].Side, 2) << "France fights on the Confederate side";
    EXPECT_EQ(g.Corps[7].Ordinal, 1);
}

TEST_F(CommandSlots, ANewCorpsTakesNoBrigadeLeftNamingItsWipedRecord) {
    TGameRec& g = *GameRec;
    // Brigades the upkeep left on wiped record 5, one of each nation, and a garrison brigade of city 5.
    g.Brigades[40].Nation = 1, g.Brigades[40].AttachKind = kAttachCorps, g.Brigades[40].AttachIndex = 5;
    g.Brigades[41].Nation = 2, g.Brigades[41].AttachKind = kAttachCorps, g.Brigades[41].AttachIndex = 5;
    g.Brigades[42].Nation = 1, g.Brigades[42].AttachKind = kAttachGarrison, g.Brigades[42].AttachIndex = 5;
    ASSERT_EQ(AllocateCorpsSlot(1), 5);
    for (int b : {40, 41})
        EXPECT_TRUE(g.Brigades[b].AttachKind == kAttachWaiting && g.Brigades[b].AttachIndex == 0) << b;
    EXPECT_TRUE(g.Brigades[42].AttachKind == kAttachGarrison && g.Brigades[42].AttachIndex == 5);
}

TEST_F(CommandSlots, NoFreeRecordMeansNoCorpsAndNothingChanged) {
    for (TCorpsRec& c : GameRec->Corps) c.Unused = 0;
    const TGameRec before = *GameRec;
    EXPECT_EQ(AllocateCorpsSlot(1), 0);
    EXPECT_EQ(AllocateCorpsSlot(0), 0);
    EXPECT_EQ(AllocateCorpsSlot(5), 0);
    EXPECT_EQ(std::memcmp(&before, GameRec, sizeof(TGameRec)), 0);
}

TEST_F(CommandSlots, ANewArmyTakesTheFirstRecordWithNeitherBaseNorNation) {
    TGameRec& g = *GameRec;
    auto use = [&](int a, int nation, int number, int base) {
        g.Armies[a].Nation = static_cast<U8>(nation);
        g.Armies[a].ArmyNumber = static_cast<U8>(number);
        g.Armies[a].BaseCity = static_cast<U8>(base);
    };
    use(1, 1, 1, 1);
    use(2, 1, 2, 0);  // being raised: not free, but its number is not taken yet
    use(3, 2, 3, 2);
    EXPECT_EQ(AllocateArmySlot(1), 4);
    EXPECT_EQ(g.Armies[4].Nation, 1);
    EXPECT_EQ(g.Armies[4].Side, 1);
    EXPECT_EQ(g.Armies[4].ArmyNumber, 2);
    for (int a = 5; a <= kArmyCount; ++a) use(a, 2, a, 1);
    EXPECT_EQ(AllocateArmySlot(2), 0);
}

class PolicyEvents : public testing::TurnTest {
protected:
    void SetUp() override {
        TurnTest::SetUp();
        TGameRec& g = *GameRec;
        // State 1 Union-held and controlled with labour 250, state 3 with none, state 2 Confederate.
        g.States[1].ExtraOutput = 250;
        g.States[3].ExtraOutput = 0;
        g.States[2].ExtraOutput = 120;
    }
};

TEST_F(PolicyEvents, EmancipationRaisesUnionWillAndForeignGoodwillAndCostsLoyalty) {
    struct Case { int britain, france, britainAfter, franceAfter; };
    const Case cases[] = {{60, 60, 85, 75}, {99, 119, 124, 134}, {100, 120, 100, 120}, {-40, 500, -15, 500}};
    for (const Case& c : cases) {
        TGameRec& g = *GameRec;
        g.Nations[1].Will = 500;
        g.Nations[4].Attitude = static_cast<std::int16_t>(c.britain);
        g.Nations[3].Attitude = static_cast<std::int16_t>(c.france);
        g.States[1].Loyalty = 60;
        g.States[2].Loyalty = 60;
        g.States[3].Loyalty = 60;
        ScriptedFrontend fe;
        fe.ExpectNotice(11);
        UnionPolicyEvent();
        EXPECT_EQ(EventNotice.Line(1).str(), "text 202");
        EXPECT_EQ(EventNotice.Line(2).str(), "text 692");
        EXPECT_EQ(EventNotice.Line(3).str(), "text 203");
        EXPECT_EQ(g.Nations[1].Policy, 11);
        EXPECT_EQ(g.Nations[1].Will, 550);
        EXPECT_EQ(g.Nations[4].Attitude, c.britainAfter);
        EXPECT_EQ(g.Nations[3].Attitude, c.franceAfter);
        EXPECT_EQ(g.States[1].Loyalty, 58);
        EXPECT_EQ(g.States[2].Loyalty, 60) << "a Confederate state";
        EXPECT_EQ(g.States[3].Loyalty, 60) << "no labour base";
    }
    GameRec->States[1].Loyalty = 1;
    GameRec->States[1].ExtraOutput = 900;
    ScriptedFrontend fe;
    fe.ExpectNotice(11);
    UnionPolicyEvent();
    EXPECT_EQ(GameRec->States[1].Loyalty, 0) << "loyalty never falls below 0";
}

TEST_F(PolicyEvents, CombatRolesCostConfederateWillForeignGoodwillAndLoyalty) {
    struct Case { int will, britain, france, willAfter, britainAfter, franceAfter; };
    const Case cases[] = {{500, 60, 60, 450, 25, 35}, {50, 35, 25, 0, 1, 1}, {51, 36, 26, 1, 1, 1}, {-20, 0, -5, 0, 1, 1}};
    for (const Case& c : cases) {
        TGameRec& g = *GameRec;
        g.Nations[2].Will = static_cast<std::int16_t>(c.will);
        g.Nations[4].Attitude = static_cast<std::int16_t>(c.britain);
        g.Nations[3].Attitude = static_cast<std::int16_t>(c.france);
        g.States[2].Loyalty = 60;
        g.States[1].Loyalty = 60;
        ScriptedFrontend fe;
        fe.ExpectNotice(0);
        ConfederatePolicyEvent();
        EXPECT_EQ(EventNotice.Line(1).str(), "text 201");
        EXPECT_EQ(EventNotice.Line(2).str(), "text 203");
        EXPECT_EQ(g.Nations[2].Policy, 1);
        EXPECT_EQ(g.Nations[2].Will, c.willAfter) << c.will;
        EXPECT_EQ(g.Nations[4].Attitude, c.britainAfter) << c.britain;
        EXPECT_EQ(g.Nations[3].Attitude, c.franceAfter) << c.france;
        EXPECT_EQ(g.States[2].Loyalty, 58);
        EXPECT_EQ(g.States[1].Loyalty, 60) << "a Union state";
    }
}

}  // namespace
}  // namespace kvt
