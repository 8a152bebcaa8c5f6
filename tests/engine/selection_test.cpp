// The selection list at a clicked hex: what the side being played may order, in a fixed order.
#include <gtest/gtest.h>

#include "engine/core/globals.h"
#include "engine/core/selection.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class Selection : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TGameRec& g = *GameRec;
        g.Nations[1].Side = 1;
        g.Nations[2].Side = 2;
        for (int i = 1; i <= kCorpsCount; ++i) g.Corps[i].Unused = 1;
        for (int i = 1; i <= kFleetCount; ++i) g.Fleets[i].BuildCounter = kFleetGone;
        SidePlayed = 1;
        ClickedHex = {20, 30};
    }
    void PlaceCorps(int i, int side, int x, int y, int visibility = 0) {
        TCorpsRec& c = GameRec->Corps[i];
        c.Unused = 0;
        c.Side = static_cast<U8>(side);
        c.HexX = static_cast<U8>(x);
        c.HexY = static_cast<U8>(y);
        c.Visibility = static_cast<U8>(visibility);
    }
};

TEST_F(Selection, CityArmyCorpsInThatOrderAndHiddenEnemyLeftOut) {
    TGameRec& g = *GameRec;
    g.Cities[4] = {};
    g.Cities[4].Owner = 1;
    g.Cities[4].HexX = 20;
    g.Cities[4].HexY = 30;
    g.Armies[2].BaseCity = 4;
    g.Armies[2].Side = 1;
    g.Armies[2].Nation = 1;
    PlaceCorps(9, 1, 20, 30);
    PlaceCorps(3, 1, 20, 30);
    PlaceCorps(5, 2, 20, 30, 0);  // enemy, not spotted
    CollectAllAtClickedHex();
    ASSERT_EQ(SelectionList.Count, 4);
    EXPECT_EQ(SelectionList.Entry(1).Kind, kSelectCity);
    EXPECT_EQ(SelectionList.Entry(1).Index, 4);
    EXPECT_EQ(SelectionList.Entry(2).Kind, kSelectArmy);
    EXPECT_EQ(SelectionList.Entry(2).Index, 2);
    EXPECT_EQ(SelectionList.Entry(3).Index, 3) << "corps in index order";
    EXPECT_EQ(SelectionList.Entry(4).Index, 9);
}

TEST_F(Selection, SpottedEnemyCorpsAloneGivesOneEntry) {
    PlaceCorps(5, 2, 20, 30, 1);
    CollectAllAtClickedHex();
    ASSERT_EQ(SelectionList.Count, 1);
    EXPECT_EQ(SelectionList.Entry(1).Kind, kSelectCorps);
    EXPECT_EQ(SelectionList.Entry(1).Index, 5);
}

TEST_F(Selection, ArmyWithoutBaseAndFleetUnderConstructionAreNotListed) {
    TGameRec& g = *GameRec;
    g.Armies[1].BaseCity = 0;
    g.Armies[1].Nation = 1;
    g.Armies[1].Side = 1;
    PlaceCorps(1, 1, 20, 30);
    g.Corps[1].Army = 1;
    g.Fleets[7] = {};
    g.Fleets[7].Side = 1;
    g.Fleets[7].BuildCounter = 3;
    g.Fleets[7].HexX = 20;
    g.Fleets[7].HexY = 30;
    g.Fleets[8] = g.Fleets[7];
    g.Fleets[8].BuildCounter = 0;
    CollectAllAtClickedHex();
    ASSERT_EQ(SelectionList.Count, 2);
    EXPECT_EQ(SelectionList.Entry(1).Kind, kSelectCorps);
    EXPECT_EQ(SelectionList.Entry(2).Kind, kSelectFleet);
    EXPECT_EQ(SelectionList.Entry(2).Index, 8);
}

TEST_F(Selection, ACrowdedHexKeepsItsFirstTwentyObjects) {
    for (int i = 1; i <= 30; ++i) PlaceCorps(i, 1, 20, 30);
    CollectAllAtClickedHex();
    EXPECT_EQ(SelectionList.Count, kSelectionCapacity);
    EXPECT_EQ(SelectionList.Entry(20).Index, 20);
    EXPECT_EQ(SelectionList.Entry(21).Index, 0) << "past the end reads as an entry to skip";
}

TEST_F(Selection, TheOtherSidesCitiesArmiesAndFleetsAreNeverListed) {
    TGameRec& g = *GameRec;
    g.Cities[8].Owner = 2;
    g.Cities[8].HexX = 20;
    g.Cities[8].HexY = 30;
    g.Armies[3].BaseCity = 8;
    g.Armies[3].Side = 2;
    g.Armies[3].Nation = 2;
    g.Fleets[2] = {};
    g.Fleets[2].Side = 2;
    g.Fleets[2].HexX = 20;
    g.Fleets[2].HexY = 30;
    CollectAllAtClickedHex();
    EXPECT_EQ(SelectionList.Count, 0);
    SidePlayed = 2;
    CollectAllAtClickedHex();
    EXPECT_EQ(SelectionList.Count, 3) << "the same hex seen by the Confederacy";
}

TEST_F(Selection, LeftButtonListsCorpsOnly) {
    TGameRec& g = *GameRec;
    g.Cities[4].Owner = 1;
    g.Cities[4].HexX = 20;
    g.Cities[4].HexY = 30;
    PlaceCorps(2, 1, 20, 30);
    SelectionList.Count = 0;
    SelectCorpsAtHex();
    ASSERT_EQ(SelectionList.Count, 1);
    EXPECT_EQ(SelectionList.Entry(1).Kind, kSelectCorps);
}

}  // namespace
}  // namespace kvt
