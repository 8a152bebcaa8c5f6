// Fleet orders, embarking, merging and splitting, new fleets and the naval overview as a person
// gives them: what each dialog offers, what each choice writes into the record, and that no corps
// is ever left embarked on no fleet or aboard two.
#include <gtest/gtest.h>

#include "engine/orders/embark_corps.h"
#include "engine/orders/fleet_orders.h"
#include "engine/orders/merge_fleets.h"
#include "engine/orders/naval_overview.h"
#include "engine/orders/new_fleet.h"
#include "engine/world/globals.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class FleetWorld : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        SidePlayed = kUnion;
        GameRec->States[1].ShortName = "VA";
        GameRec->States[1].Theatre = 2;
        home = Port("Home", 10, 10, kUnion);
        for (int n : {1, 2}) GameRec->Nations[n].TheatreSupplies[2] = GameRec->Nations[n].TheatreCotton[2] = 1000;
    }
    void TearDown() override {
        ExpectCargoSound();
        MovementWorld::TearDown();
    }
    int Port(const std::string& name, int x, int y, int owner) {
        const int c = AddCity(name, x, y, owner);
        TCityRec& r = GameRec->Cities[c];
        r.State = 1, r.Theatre = 2, r.Port = 1, r.RiverLink = 1, r.OriginalOwner = static_cast<U8>(owner);
        return c;
    }
    // An active fleet; ships are intact ironclads, wooden, transports, then the damaged ones.
    int Fleet(int owner, int x, int y, std::array<int, 6> ships, int water = 1, int number = 0) {
        int f = 1;
        while (FleetInUse(F(f))) ++f;
        TFleetRec& r = F(f);
        r = TFleetRec{};
        r.Owner = static_cast<U8>(owner), r.Side = GameRec->Nations[owner].Side, r.HomePort = static_cast<U8>(home);
        r.HexX = static_cast<U8>(x), r.HexY = static_cast<U8>(y), r.WaterType = static_cast<U8>(water);
        r.FleetNumber = static_cast<U8>(number != 0 ? number : f);
        U8* counts[] = {&r.Ironclads, &r.Wooden, &r.Transports, &r.DamagedIronclads, &r.DamagedWooden, &r.DamagedTransports};
        for (int k = 0; k < 6; ++k) *counts[k] = static_cast<U8>(ships[static_cast<std::size_t>(k)]);
        return f;
    }
    // A corps of this artillery and strength, as its brigades recount.
    int Corps(int nation, int x, int y, int artillery, int strength) {
        const int k = AddCorps(nation, x, y);
        if (artillery != 0) AddBrigade(k, kBrigadeArtillery, artillery);
        if (strength != 0) AddBrigade(k, kBrigadeInfantry, strength);
        C(k).Artillery = static_cast<U8>(artillery);
        C(k).Strength = static_cast<std::uint16_t>(strength);
        return k;
    }
    int Aboard(int fleet, int corps) {
        F(fleet).Cargo = static_cast<U8>(corps);
        C(corps).OrderMode = kCorpsEmbarked;
        return corps;
    }
    static TFleetRec& F(int f) { return GameRec->Fleets[f]; }
    static std::vector<int> Indexes(const std::vector<TOrderRow>& rows) {
        std::vector<int> v;
        for (const TOrderRow& r : rows) v.push_back(r.index);
        return v;
    }
    static std::vector<int> Ships(int f) {
        const TFleetRec& r = F(f);
        return {r.Ironclads, r.Wooden, r.Transports, r.DamagedIronclads, r.DamagedWooden, r.DamagedTransports};
    }
    // No corps embarked unless a fleet in use carries it; no corps aboard two fleets; every cargo
    // an embarked corps in use.
    static void ExpectCargoSound() {
        for (int k = 1; k <= kCorpsCount; ++k) {
            int carriers = 0;
            for (const TFleetRec& f : GameRec->Fleets) carriers += FleetInUse(f) && f.Cargo == k;
            EXPECT_LE(carriers, 1) << "corps " << k;
            if (CorpsInUse(C(k)) && C(k).OrderMode == kCorpsEmbarked) EXPECT_EQ(carriers, 1) << "corps " << k;
        }
        for (const TFleetRec& f : GameRec->Fleets)
            if (FleetInUse(f) && f.Cargo != 0) EXPECT_TRUE(CorpsInUse(C(f.Cargo)) && C(f.Cargo).OrderMode == kCorpsEmbarked);
    }
    int home = 0;
};

using EmbarkCorps = FleetWorld;
using FleetOrders = FleetWorld;
using MergeFleets = FleetWorld;
using NewFleet = FleetWorld;
using NavalOverview = FleetWorld;

TEST_F(EmbarkCorps, ListsTheOwnCorpsThatFitAndNoCorpsAboardAnotherFleet) {
    const int fleet = Fleet(1, 10, 10, {0, 0, 2, 0, 0, 1});
    const int fits = Corps(1, 10, 10, 4, 50), empty = Corps(1, 10, 10, 0, 0);
    Corps(1, 10, 10, 4, 51);
    Corps(2, 10, 10, 0, 1);
    Aboard(Fleet(1, 10, 10, {0, 0, 1, 0, 0, 0}), Corps(1, 10, 10, 0, 1));
    Corps(1, 11, 10, 0, 1);
    C(fits).Strength = 90;  // stale until the recount
    TEmbarkChoice choice(fleet);
    EXPECT_EQ(choice.CapacityText(), "700");
    EXPECT_EQ(Indexes(choice.Rows()), std::vector<int>({fits, empty})) << "700 fits, 710 does not";
    EXPECT_EQ(choice.Rows()[0].text, GameRec->Leaders[C(fits).Leader].Name.str() + ", T319700");

    F(fleet).Transports = F(fleet).DamagedTransports = 0;
    EXPECT_EQ(Indexes(TEmbarkChoice(fleet).Rows()), std::vector<int>({empty})) << "no transports: only a need of 0";
    F(fleet).HexX = 12;
    EXPECT_TRUE(TEmbarkChoice(fleet).Rows().empty() && TEmbarkChoice(fleet).CapacityText().empty()) << "outside a port";
}

TEST_F(EmbarkCorps, ACorpsReplacedAboardGetsItsOrdersBack) {
    const int fleet = Fleet(1, 10, 10, {0, 0, 9, 0, 0, 0});
    const int earlier = Aboard(fleet, Corps(1, 10, 10, 0, 10));  // boarded in an earlier opening
    const int first = Corps(1, 10, 10, 0, 10), second = Corps(1, 10, 10, 0, 10);
    C(first).OrderMode = 2, C(second).OrderMode = 0;
    TEmbarkChoice choice(fleet);
    ASSERT_EQ(Indexes(choice.Rows()), std::vector<int>({earlier, first, second}));
    choice.ChooseRow(1);
    EXPECT_EQ(std::vector<int>({F(fleet).Cargo, C(earlier).OrderMode, C(first).OrderMode}), std::vector<int>({first, 1, 4}))
        << "orders from before the earlier opening are not known: Defend";
    choice.ChooseRow(2);
    EXPECT_EQ(std::vector<int>({F(fleet).Cargo, C(first).OrderMode, C(second).OrderMode}), std::vector<int>({second, 2, 4}));
}

TEST_F(FleetOrders, AFleetUnderWayIsRecalledAndOffersOnlyMoveAbort) {
    const int target = Port("Target", 30, 10, kConfederacy);
    struct Case { int mission; bool recalledAtOpening; } cases[] = {{kMissionMove, true}, {kMissionPatrol, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mission);
        const int f = Fleet(1, 20, 10, {0, 2, 0, 0, 0, 0});
        F(f).Mission = static_cast<U8>(c.mission), F(f).TargetCity = static_cast<U8>(target);
        TFleetOrderSheet sheet(f);
        EXPECT_EQ(F(f).TargetCity, c.recalledAtOpening ? home : target);
        const TFleetOrderControls& ctl = sheet.Controls();
        EXPECT_EQ(std::vector<bool>(ctl.missions.begin(), ctl.missions.end()),
                  std::vector<bool>({false, false, true, false, false, false, false}));
        EXPECT_FALSE(ctl.suppliesSpin || ctl.cottonSpin);
        sheet.ChooseMission(kMissionMove);
        EXPECT_EQ(std::vector<int>({F(f).Mission, F(f).TargetCity}), std::vector<int>({kMissionMove, home}));
        sheet.Close({});
        EXPECT_EQ(F(f).Mission, kMissionMove) << "no objective chosen: the recall stands";
    }
}

TEST_F(FleetOrders, CottonRunAndCottonCapacityAndAmphibiousOnlyWhereTheyApply) {
    struct Case { int owner, water; bool cottonRun; int capacity; } cases[] = {
        {1, 1, false, 0}, {2, 0, true, 1200}, {2, 1, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner * 10 + c.water);
        const int f = Fleet(c.owner, 10, 10, {0, 0, 3, 0, 0, 2}, c.water);
        TFleetOrderSheet sheet(f);
        EXPECT_EQ(sheet.Controls().missions[kMissionCottonRun], c.cottonRun);
        EXPECT_EQ(sheet.View().cottonCapacity, std::to_string(c.capacity));
        EXPECT_EQ(sheet.View().cottonCapacityShown, c.water == 0);
        F(f).BuildCounter = kFleetGone;
    }
    const int f = Fleet(1, 10, 10, {0, 0, 1, 0, 0, 0});
    const int other = Fleet(1, 10, 10, {0, 0, 1, 0, 0, 0});
    Aboard(other, Corps(1, 10, 10, 0, 30));
    EXPECT_FALSE(TFleetOrderSheet(f).Controls().missions[kMissionAmphibious]) << "the only fitting corps is aboard another";
    const int fits = Corps(1, 10, 10, 0, 30);
    TFleetOrderSheet sheet(f);
    EXPECT_TRUE(sheet.Controls().missions[kMissionAmphibious]);
    EXPECT_TRUE(sheet.ChooseMission(kMissionAmphibious)) << "at home the embark dialog opens";
    TEmbarkChoice(f).ChooseRow(0);
    EXPECT_EQ(F(f).Cargo, fits);
    F(f).HexX = 20;
    EXPECT_FALSE(TFleetOrderSheet(f).ChooseMission(kMissionAmphibious)) << "away from home nobody boards";
}

TEST_F(FleetOrders, AMissionNeedingAnObjectiveTakesEffectOnlyWithOne) {
    Port("Enemy", 40, 12, kConfederacy);
    const int own = Port("Own", 30, 12, kUnion);
    const int f = Fleet(1, 10, 10, {0, 2, 0, 0, 0, 0});
    F(f).Mission = kMissionRefit;
    TFleetOrderSheet sheet(f);
    EXPECT_FALSE(sheet.Controls().homePortBox || sheet.Controls().objectiveBox) << "a mission button opens them";
    sheet.ChooseMission(kMissionPatrol);
    sheet.ObjectiveBoxClicked();
    sheet.Close({false, 0, true, 0});
    EXPECT_EQ(F(f).Mission, kMissionRefit);
    sheet.ChooseMission(kMissionAttackPort);
    sheet.ObjectiveBoxClicked();
    ASSERT_EQ(sheet.Objectives().size(), 1u) << "Attack Port lists enemy ports only";
    sheet.HomePortBoxClicked();
    EXPECT_EQ(Indexes(sheet.HomePorts()), std::vector<int>({home, own}));
    EXPECT_EQ(sheet.HomePortRow(), 0);
    sheet.Close({true, own, true, sheet.Objectives()[0].index});
    EXPECT_EQ(std::vector<int>({F(f).Mission, F(f).HomePort, F(f).TargetCity}), std::vector<int>({kMissionAttackPort, own, 2}));
}

TEST_F(FleetOrders, SuppliesAndCottonMoveInStepsWithinTheStocks) {
    SidePlayed = kConfederacy;
    const int f = Fleet(2, 10, 10, {0, 0, 1, 0, 0, 0}, 0);
    F(f).Cotton = 30, F(f).Supplies = 65533;
    U16& supplies = GameRec->Nations[2].TheatreSupplies[2];
    U16& cotton = GameRec->Nations[2].TheatreCotton[2];
    TFleetOrderSheet sheet(f);
    sheet.SuppliesUp();
    EXPECT_EQ(supplies, 1000) << "the fleet's word has no room for five more";
    sheet.SuppliesDown();
    EXPECT_EQ(std::vector<int>({F(f).Supplies, supplies}), std::vector<int>({65528, 1005}));
    sheet.ChooseMission(kMissionCottonRun);
    sheet.CottonDown();
    EXPECT_EQ(std::vector<int>({F(f).Cotton, cotton}), std::vector<int>({0, 1030})) << "below 50 all of it goes back";
    cotton = 20;
    sheet.CottonUp();
    EXPECT_EQ(std::vector<int>({F(f).Cotton, cotton}), std::vector<int>({20, 0}));
    supplies = 4;
    sheet.ChooseMission(kMissionPatrol);
    sheet.SuppliesUp();
    EXPECT_EQ(supplies, 4) << "five at a time, only while the stock holds more than four";

    F(f).HomePort = 0;
    TFleetOrderSheet noPort(f);
    EXPECT_FALSE(noPort.Controls().suppliesSpin) << "no home port, no theatre to draw on";
    F(f).HomePort = 200;
    EXPECT_EQ(TFleetOrderSheet(f).View().homePort, "T177");
    for (int bad : {0, 101}) EXPECT_FALSE(FleetOrdersAvailable(bad));
}

TEST_F(FleetOrders, MergingMovesIntactShipsFirstAndAnEmptiedFleetPassesItsLoad) {
    const int f = Fleet(1, 10, 10, {1, 0, 1, 1, 0, 1}), partner = Fleet(1, 10, 10, {0, 1, 0, 0, 0, 0});
    SelectedFleet = static_cast<std::uint16_t>(f);
    TFleetOrderSheet sheet(f);
    EXPECT_TRUE(sheet.Controls().mergeBox);
    sheet.MergeBoxChecked();
    sheet.SetTransfer({partner, {1, 0, 1}});
    ScriptedFrontend fe;
    EXPECT_TRUE(sheet.Close({}));
    EXPECT_EQ(Ships(f), std::vector<int>({0, 0, 0, 1, 0, 1}));
    EXPECT_EQ(Ships(partner), std::vector<int>({1, 1, 1, 0, 0, 0}));

    const int corps = Aboard(f, Corps(1, 10, 10, 0, 1));
    F(f).Supplies = 100, F(f).Cotton = 50, F(partner).Supplies = 10;
    TFleetOrderSheet whole(f);
    EXPECT_FALSE(whole.Controls().splitBox) << "a carrying fleet is not split";
    whole.MergeBoxChecked();
    whole.SetTransfer({partner, {1, 0, 1}});
    whole.Close({});
    EXPECT_EQ(std::vector<int>({F(f).BuildCounter, F(f).FleetNumber, SelectedFleet}), std::vector<int>({kFleetGone, 0, 0}));
    EXPECT_EQ(std::vector<int>({F(partner).Cargo, F(partner).Supplies, F(partner).Cotton}), std::vector<int>({corps, 110, 50}));
    EXPECT_EQ(Ships(partner), std::vector<int>({1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(fe.repaints, 2);
}

TEST_F(FleetOrders, ASplitTakesTheLowestFreeNumberAndAClearedRecord) {
    const int f = Fleet(1, 10, 10, {1, 2, 1, 0, 1, 0}, 1, 1);
    F(f).Mission = kMissionPatrol, F(f).Supplies = 50;
    F(Fleet(1, 20, 10, {1, 0, 0, 0, 0, 0}, 1, 2)).BuildCounter = 5;
    Fleet(1, 20, 10, {1, 0, 0, 0, 0, 0}, 1, 4);
    Fleet(2, 30, 10, {1, 0, 0, 0, 0, 0}, 1, 3);  // the other side's number 3 is no bar
    TFleetRec& target = F(kFleetCount);
    target.FleetNumber = 3, target.TransportTag = 9, target.StartX = 7, target.Cargo = 2, target.PlannedStep[1] = 3;
    TFleetOrderSheet all(f);
    all.SplitBoxChecked();
    all.SetTransfer({0, {1, 3, 1}});  // every ship, the damaged wooden one too
    all.Close({});
    EXPECT_FALSE(FleetInUse(target)) << "a split into nothing moves none";
    EXPECT_EQ(Ships(f), std::vector<int>({1, 2, 1, 0, 1, 0}));

    TFleetOrderSheet sheet(f);
    sheet.SplitBoxChecked();
    sheet.SetTransfer({0, {0, 2, 0}});
    sheet.Close({});
    ASSERT_TRUE(FleetInUse(target));
    EXPECT_EQ(Ships(kFleetCount), std::vector<int>({0, 2, 0, 0, 0, 0}));
    EXPECT_EQ(Ships(f), std::vector<int>({1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(std::vector<int>({target.FleetNumber, target.TransportTag, target.StartX, target.Cargo, target.PlannedStep[1],
                                target.Supplies, target.Mission, target.HomePort, target.Owner, target.HexX}),
              std::vector<int>({3, 0, 0, 0, 0, 0, kMissionPatrol, home, 1, 10}));

    // Ships still building take no orders: none of them sails off at once as a fleet of its own.
    const int building = Fleet(1, 10, 10, {2, 0, 0, 0, 0, 0});
    F(building).BuildCounter = 5;
    const TFleetOrderControls stocks = TFleetOrderSheet(building).Controls();
    EXPECT_FALSE(FleetOrdersAvailable(building) || stocks.splitBox || stocks.mergeBox);
}

TEST_F(FleetOrders, ASplitOffFleetServesTheSidePlayedUnderItsLowestFreeNumber) {
    SidePlayed = kConfederacy;
    GameRec->Nations[kNationBritain].Side = kConfederacy;  // at war beside the Confederacy
    struct Case { const char* split; int owner; } cases[] = {{"its own fleet", kConfederacy}, {"an ally's fleet", kNationBritain}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.split);
        Fleet(kConfederacy, 20, 10, {1, 0, 0, 0, 0, 0}, 1, 1);
        F(Fleet(kConfederacy, 10, 10, {1, 0, 0, 0, 0, 0}, 1, 2)).BuildCounter = 5;
        for (int n : {1, 2, 3}) Fleet(kNationBritain, 30, 10, {1, 0, 0, 0, 0, 0}, 1, n);
        const int f = Fleet(c.owner, 10, 10, {0, 3, 0, 0, 0, 0}, 1, 4);
        TFleetOrderSheet sheet(f);
        ASSERT_TRUE(sheet.Controls().splitBox);
        sheet.SplitBoxChecked();
        sheet.SetTransfer({0, {0, 1, 0}});
        sheet.Close({});
        const TFleetRec& split = F(kFleetCount);
        ASSERT_TRUE(FleetInUse(split));
        EXPECT_EQ(std::vector<int>({split.Owner, split.Side, split.FleetNumber, split.Wooden, F(f).Wooden, F(f).Owner}),
                  std::vector<int>({kConfederacy, kConfederacy, 3, 1, 2, c.owner}))
            << "1 and 2 (building) are the Confederacy's; Britain's own numbers are no bar";
        for (TFleetRec& r : GameRec->Fleets) r.BuildCounter = kFleetGone;
    }
}

TEST_F(FleetOrders, TheMergeBoxOpensOnlyForAPartnerStillFreeAfterTheBoarding) {
    struct Case { const char* embark; bool boards; bool mergeBox; } cases[] = {
        {"closed with nobody aboard", false, true}, {"took the corps aboard", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.embark);
        const int f = Fleet(1, 10, 10, {0, 0, 2, 0, 0, 0});
        F(f).Mission = kMissionAmphibious;
        const int partner = Fleet(1, 10, 10, {0, 0, 2, 0, 0, 0});
        const int carried = Aboard(partner, Corps(1, 10, 10, 0, 10));
        const int corps = Corps(1, 10, 10, 0, 10);
        TFleetOrderSheet sheet(f);
        ASSERT_TRUE(sheet.EmbarkAtOpening());
        if (c.boards) TEmbarkChoice(f).ChooseRow(0);
        ASSERT_EQ(F(f).Cargo, c.boards ? corps : 0);
        sheet.EmbarkClosed();
        EXPECT_EQ(sheet.Controls().mergeBox, c.mergeBox);
        EXPECT_EQ(TFleetTransferChoice(f, TTransferMode::Merge).Partners().size(), c.mergeBox ? 1u : 0u)
            << "the box opens the merge dialog: it must list a partner to choose";
        EXPECT_FALSE(sheet.Controls().missions[kMissionCottonRun]) << "the rest of the opening ran after the boarding";
        for (TFleetRec& r : GameRec->Fleets) r.BuildCounter = kFleetGone;
        C(corps).Unused = C(carried).Unused = 1;
    }
}

TEST_F(MergeFleets, PartnersOnTheSameHexAndWaterAndCountsUpToTheClassTotals) {
    const int f = Fleet(1, 10, 10, {2, 1, 0, 1, 0, 0});
    const int partner = Fleet(1, 10, 10, {0, 1, 0, 0, 0, 0}, 1, 7);
    Fleet(1, 10, 10, {0, 1, 0, 0, 0, 0}, 2);
    Fleet(1, 11, 10, {0, 1, 0, 0, 0, 0});
    Fleet(2, 10, 10, {0, 1, 0, 0, 0, 0});
    F(Fleet(1, 10, 10, {0, 1, 0, 0, 0, 0})).BuildCounter = 3;
    const int carrying = Fleet(1, 10, 10, {0, 1, 0, 0, 0, 0});
    Aboard(carrying, Corps(1, 10, 10, 0, 1));
    TFleetTransferChoice merge(f, TTransferMode::Merge);
    EXPECT_EQ(Indexes(merge.Partners()), std::vector<int>({partner, carrying}));
    EXPECT_EQ(merge.Partners()[0].text, "T1, 7");
    EXPECT_EQ(std::vector<int>({merge.Count(0), merge.Count(1), merge.Count(2)}), std::vector<int>({3, 1, 0}));
    EXPECT_FALSE(merge.CountsEnabled()) << "nothing moves before a partner is chosen";
    EXPECT_EQ(merge.SetCount(kClassIronclads, 0), 3);
    EXPECT_TRUE(merge.ChoosePartner(0));
    EXPECT_FALSE(merge.ChoosePartner(1)) << "the first partner is final";
    EXPECT_EQ(std::vector<int>({merge.SetCount(kClassIronclads, 100), merge.SetCount(kClassWooden, 0)}), std::vector<int>({3, 0}));

    Aboard(f, Corps(1, 10, 10, 0, 1));
    TFleetTransferChoice whole(f, TTransferMode::Merge);
    EXPECT_EQ(Indexes(whole.Partners()), std::vector<int>({partner})) << "two corps cannot share one fleet";
    whole.ChoosePartner(0);
    EXPECT_EQ(whole.SetCount(kClassWooden, 0), 1) << "a carrying fleet merges whole";
    TFleetTransferChoice split(partner, TTransferMode::Split);
    EXPECT_TRUE(split.Partners().empty() && split.CountsEnabled());
}

TEST_F(NewFleet, KindsCostsCountersAndWaters) {
    struct Case { int side, water, shipClass, waterType, counter, men, supplies; } cases[] = {
        {1, kBuildForOcean, 0, 1, 24, 2, 200}, {1, kBuildForOcean, 1, 1, 12, 4, 10}, {1, kBuildForOcean, 2, 1, 8, 3, 10},
        {1, kBuildForRivers, 0, 2, 24, 2, 200}, {1, kBuildForRivers, 1, 2, 10, 4, 10}, {1, kBuildForRivers, 2, 2, 6, 3, 10},
        {2, kBuildForOcean, 2, 0, 8, 3, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side * 100 + c.water * 10 + c.shipClass);
        SidePlayed = static_cast<std::uint16_t>(c.side);
        const int port = Port("Yard", 10 + c.side, 10, c.side);
        GameRec->Cities[port].IroncladYards = GameRec->Cities[port].WoodenYards = 5;
        TNationRec& n = GameRec->Nations[c.side];
        n.NavalManpower = 20, n.TheatreSupplies[2] = 1000;
        TNewFleetOrder order;
        order.ChooseWater(c.water);
        order.ChooseClass(c.shipClass);
        order.ChooseClass(c.shipClass);
        ASSERT_EQ(Indexes(order.Ports()), std::vector<int>({port}));
        EXPECT_EQ(order.ChoosePort(0), 5);
        const int f = order.Build(3);
        ASSERT_NE(f, 0);
        const TFleetRec& r = F(f);
        std::vector<int> ships(6, 0);
        ships[static_cast<std::size_t>(c.shipClass)] = 3;
        EXPECT_EQ(Ships(f), ships) << "a second click on the class builds the same kind";
        EXPECT_EQ(std::vector<int>({r.WaterType, r.BuildCounter, r.Mission, r.HomePort, r.Owner, n.NavalManpower, n.TheatreSupplies[2]}),
                  std::vector<int>({c.waterType, c.counter, 1, port, c.side, 20 - 3 * c.men, 1000 - 3 * c.supplies}));
        F(f).BuildCounter = kFleetGone;
        GameRec->Cities[port].Nation = 0;
    }
}

TEST_F(NewFleet, YardsCountShipsBuildingAndTheNewFleetTakesTheLowestFreeNumber) {
    TCityRec& yard = GameRec->Cities[home];
    yard.IroncladYards = 2;
    const int taken = Port("Taken", 12, 10, kUnion);
    GameRec->Cities[taken].OriginalOwner = kConfederacy, GameRec->Cities[taken].IroncladYards = 4;
    F(Fleet(1, 10, 10, {2, 0, 0, 0, 0, 0}, 1, 1)).BuildCounter = 5;
    F(Fleet(1, 10, 10, {9, 0, 0, 0, 0, 0}, 1, 3)).BuildCounter = kFleetGone;
    GameRec->Nations[1].NavalManpower = 100;
    TNewFleetOrder order;
    order.ChooseWater(kBuildForOcean);
    order.ChooseClass(0);
    EXPECT_EQ(Indexes(order.Ports()), std::vector<int>({home})) << "a yard of the other side's making is not ours";
    EXPECT_EQ(order.ChoosePort(0), 0) << "the yard is full with ships building";
    EXPECT_EQ(order.Build(1), 0);
    yard.IroncladYards = 3;
    order.ChoosePort(0);
    F(kFleetCount).FleetNumber = 2, F(kFleetCount).TransportTag = 9;
    const int f = order.Build(4);
    ASSERT_EQ(f, kFleetCount);
    EXPECT_EQ(std::vector<int>({F(f).Ironclads, F(f).FleetNumber, F(f).TransportTag}), std::vector<int>({1, 2, 0}))
        << "lowered to the yard's room; 1 is taken by a fleet building, the slot's stale 2 is not";
}

TEST_F(NewFleet, AnOrderBeyondTheMeansIsRefusedWithEveryReason) {
    GameRec->Cities[home].WoodenYards = 9;
    TNationRec& n = GameRec->Nations[1];
    n.NavalManpower = 7, n.TheatreSupplies[2] = 19;
    TNewFleetOrder order;
    order.ChooseWater(kBuildForOcean);
    order.ChooseClass(1);
    order.ChoosePort(0);
    ScriptedFrontend fe;
    fe.ExpectInformationBox();
    fe.ExpectInformationBox();
    EXPECT_EQ(order.Build(2), 0);
    EXPECT_EQ(fe.messages, std::vector<std::string>({"T525", "Insufficient supplies available"}));
    EXPECT_EQ(std::vector<int>({n.NavalManpower, n.TheatreSupplies[2]}), std::vector<int>({7, 19}));
    for (TFleetRec& f : GameRec->Fleets) f.BuildCounter = 0;
    fe.ExpectInformationBox();
    EXPECT_EQ(TNewFleetOrder(order).Build(1), 0);
    EXPECT_EQ(fe.messages.back(), "Cannot build fleet, data full.");
    for (TFleetRec& f : GameRec->Fleets) f.BuildCounter = kFleetGone;
}

TEST_F(NavalOverview, OneLinePerFleetInUseAndOrdersOnlyForFleetsAfloat) {
    const int afloat = Fleet(1, 15, 12, {1, 2, 0, 0, 0, 2}, 1, 5);
    F(afloat).Mission = kMissionPatrol;
    const int building = Fleet(1, 10, 10, {3, 0, 0, 0, 0, 0}, 2, 2);
    F(building).BuildCounter = 7;
    const int portless = Fleet(1, 20, 20, {0, 0, 2, 0, 0, 0}, 0, 3);
    F(portless).HomePort = 0;
    Fleet(2, 10, 10, {1, 0, 0, 0, 0, 0});
    const int gone = Fleet(1, 10, 10, {1, 0, 0, 0, 0, 0});
    F(gone).BuildCounter = kFleetGone;
    const std::vector<TOrderRow> rows = NavalOverviewRows();
    EXPECT_EQ(Indexes(rows), std::vector<int>({afloat, building, portless}));
    EXPECT_EQ(rows[0].text, "T15, Home, T176, 5, T310");
    EXPECT_EQ(rows[1].text, "T12, Home, T168, 3, T591:7");
    EXPECT_EQ(rows[2].text, "T13, , T175, 2, T306");
    ScriptedFrontend fe;
    EXPECT_FALSE(PickOverviewFleet(building));
    EXPECT_EQ(std::vector<int>({SelectedFleet, ViewColumn, ViewRow, fe.repaints}), std::vector<int>({building, 10, 10, 1}));
    EXPECT_TRUE(PickOverviewFleet(afloat));
    EXPECT_FALSE(PickOverviewFleet(gone));
    EXPECT_EQ(SelectedFleet, afloat);
}

}  // namespace
}  // namespace kvt
