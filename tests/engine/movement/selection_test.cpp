// The selection list at a clicked hex: what the side being played may order, in a fixed order.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/movement/selection.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

using Listed = std::vector<std::pair<int, int>>;  // kind and index of each entry

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
    // Every object below stands on the clicked hex.
    static void PlaceCorps(int i, int side, int visibility = 0) {
        TCorpsRec& c = GameRec->Corps[i];
        c.Unused = 0;
        c.Side = static_cast<U8>(side);
        c.HexX = 20;
        c.HexY = 30;
        c.Visibility = static_cast<U8>(visibility);
    }
    static void PlaceCity(int i, int owner) {
        GameRec->Cities[i].Owner = static_cast<U8>(owner);
        GameRec->Cities[i].HexX = 20;
        GameRec->Cities[i].HexY = 30;
    }
    // An army of `side` with its headquarters in `city` (0: none).
    static void PlaceArmy(int a, int side, int city) {
        GameRec->Armies[a].BaseCity = static_cast<U8>(city);
        GameRec->Armies[a].Side = static_cast<U8>(side);
        GameRec->Armies[a].Nation = static_cast<U8>(side);
    }
    static void PlaceFleet(int f, int side, int buildCounter = 0) {
        GameRec->Fleets[f] = {};
        GameRec->Fleets[f].Side = static_cast<U8>(side);
        GameRec->Fleets[f].BuildCounter = static_cast<U8>(buildCounter);
        GameRec->Fleets[f].HexX = 20;
        GameRec->Fleets[f].HexY = 30;
    }
    static Listed Collected() {
        CollectAllAtClickedHex();
        Listed out;
        for (int k = 1; k <= SelectionList.Count; ++k) out.push_back({SelectionList.Entry(k).Kind, SelectionList.Entry(k).Index});
        return out;
    }
};

TEST_F(Selection, CityArmyCorpsInThatOrderAndHiddenEnemyLeftOut) {
    PlaceCity(4, 1);
    PlaceArmy(2, 1, 4);
    PlaceCorps(9, 1);
    PlaceCorps(3, 1);
    PlaceCorps(5, 2, 0);  // enemy, not spotted
    EXPECT_EQ(Collected(), (Listed{{kSelectCity, 4}, {kSelectArmy, 2}, {kSelectCorps, 3}, {kSelectCorps, 9}}));
    // A spotted enemy corps alone gives one entry.
    PlaceCity(4, 2);
    PlaceArmy(2, 1, 0);
    for (int c : {3, 9}) GameRec->Corps[c].Unused = 1;
    GameRec->Corps[5].Visibility = 1;
    EXPECT_EQ(Collected(), (Listed{{kSelectCorps, 5}}));
}

TEST_F(Selection, ArmyWithoutBaseAndFleetUnderConstructionAreNotListed) {
    PlaceArmy(1, 1, 0);
    PlaceCorps(1, 1);
    GameRec->Corps[1].Army = 1;
    PlaceFleet(7, 1, 3);
    PlaceFleet(8, 1);
    EXPECT_EQ(Collected(), (Listed{{kSelectCorps, 1}, {kSelectFleet, 8}}));
}

TEST_F(Selection, ACrowdedHexKeepsItsFirstTwentyObjects) {
    for (int i = 1; i <= 30; ++i) PlaceCorps(i, 1);
    CollectAllAtClickedHex();
    EXPECT_EQ(SelectionList.Count, kSelectionCapacity);
    EXPECT_EQ(SelectionList.Entry(20).Index, 20);
    EXPECT_EQ(SelectionList.Entry(21).Index, 0) << "past the end reads as an entry to skip";
}

TEST_F(Selection, TheOtherSidesCitiesArmiesAndFleetsAreNeverListed) {
    PlaceCity(8, 2);
    PlaceArmy(3, 2, 8);
    PlaceFleet(2, 2);
    EXPECT_TRUE(Collected().empty());
    SidePlayed = 2;
    EXPECT_EQ(Collected().size(), 3u) << "the same hex seen by the Confederacy";
}

TEST_F(Selection, LeftButtonListsCorpsOnly) {
    PlaceCity(4, 1);
    PlaceCorps(2, 1);
    SelectionList.Count = 0;
    SelectCorpsAtHex();
    ASSERT_EQ(SelectionList.Count, 1);
    EXPECT_EQ(SelectionList.Entry(1).Kind, kSelectCorps);
}

}  // namespace
}  // namespace kvt
