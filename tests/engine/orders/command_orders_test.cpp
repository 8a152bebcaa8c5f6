// Army, leader and selection orders as a person gives them: what each dialog shows, what each
// choice writes into the record, the questions asked and the draws taken.
#include <gtest/gtest.h>

#include "engine/forces/force_recount.h"
#include "engine/movement/selection.h"
#include "engine/orders/army_orders.h"
#include "engine/orders/leader_orders.h"
#include "engine/orders/selection_choice.h"
#include "engine/view/map_input.h"
#include "engine/world/notice.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::ScriptedFrontend;

class CommandOrders : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        SidePlayed = kUnion;
        GameRec->States[1].ShortName = "VA";
        GameRec->Nations[1].Will = 100;
        base = City("Base", 10, 10, kUnion);
        chief = Leader(1, 5, kLeaderActive, "Chief");
        army = AddArmy(1, base, chief);
    }
    int City(const std::string& name, int x, int y, int owner) {
        const int c = AddCity(name, x, y, owner);
        GameRec->Cities[c].State = 1;
        return c;
    }
    int Leader(int nation, int rank, int status, const std::string& name = "") {
        const int l = AddLeader(nation, 40, 0, 0, name);
        L(l).Rank = static_cast<U8>(rank);
        L(l).Status = static_cast<U8>(status);
        return l;
    }
    int ArmyCorps(int x, int y) {
        const int k = AddCorps(1, x, y);
        C(k).Army = static_cast<U8>(army);
        return k;
    }
    static TLeaderRec& L(int l) { return GameRec->Leaders[l]; }
    static std::vector<std::string> Texts(const std::vector<TOrderRow>& rows) {
        std::vector<std::string> texts;
        for (const TOrderRow& r : rows) texts.push_back(r.text);
        return texts;
    }
    int base = 0, chief = 0, army = 0;
};

using ArmyOrders = CommandOrders;
using LeaderOrders = CommandOrders;
using SelectionDialog = CommandOrders;

TEST_F(ArmyOrders, OpeningRecountsTheCorpsAndOffersBasesObjectivesAndFreeCommanders) {
    const int near = City("Near", 14, 10, kUnion);
    City("Far", 10, 23, kUnion);
    City("Hostile", 12, 10, kConfederacy);
    const int distant = City("Distant", 40, 10, kConfederacy);
    TArmyRec& a = GameRec->Armies[army];
    a.SupplyBase = static_cast<U8>(near), a.Objective = static_cast<U8>(distant);
    a.Stance = 3, a.March = 7, a.Condition = 12;
    const int k1 = ArmyCorps(10, 10), k2 = ArmyCorps(11, 10);
    AddCorps(1, 10, 10);
    C(k1).Strength = 100, C(k1).Artillery = 5, C(k2).Strength = 60, C(k2).Artillery = 3;
    Leader(1, 5, kLeaderAvailable, "Ready"), Leader(1, 5, kLeaderRemoved, "Relieved"), Leader(1, 5, kLeaderToBeRemoved, "Leaving");
    C(k2).Leader = static_cast<U8>(Leader(1, 5, kLeaderToBeRemoved, "StillLeads"));
    Leader(1, 3, kLeaderAvailable), Leader(2, 5, kLeaderAvailable), Leader(1, 5, kLeaderActive);

    TArmyOrdersView v = OpenArmyOrders(army);
    EXPECT_EQ(a.CorpsCount, 2);
    EXPECT_EQ(std::vector<std::string>({v.title, v.menAndGuns, v.corpsCount, v.capacity, v.nation, v.condition}),
              std::vector<std::string>({"T0Army1", "T489 8000/16", "T6142", "T6157", "Union", "T9912/T534"}))
        << "men and guns of its two corps; capacity is initiative 40 div 8 + 2";
    EXPECT_EQ(v.stance, 3);
    EXPECT_EQ(v.march, -1) << "a code outside the table checks nothing";
    EXPECT_EQ(Texts(v.supplyBases), (std::vector<std::string>{"Base,VA", "Near,VA"}));
    EXPECT_EQ(v.supplyBaseRow, 1);
    EXPECT_EQ(Texts(v.objectives), (std::vector<std::string>{"Base,VA", "Near,VA", "Far,VA", "Hostile,VA", "Distant,VA"}));
    EXPECT_EQ(v.objectiveRow, 4) << "the objective is listed however far it lies";
    EXPECT_EQ(Texts(v.commanders), (std::vector<std::string>{"Chief", "Ready", "Relieved", "Leaving"}))
        << "a man marked for removal who still leads a corps is not offered";
    EXPECT_EQ(v.commanderRow, 0);

    a.Leader = 0;
    v = OpenArmyOrders(army);
    EXPECT_EQ(v.capacity, "") << "no commander, no capacity shown";
    EXPECT_EQ(Texts(v.commanders).front(), "Ready") << "and no row for him";
    for (int bad : {0, 16, 2}) EXPECT_FALSE(ArmyOrdersAvailable(bad)) << "army " << bad;
}

TEST_F(ArmyOrders, ClosingCopiesTheOrdersIntoEveryCorpsButOneCarriedAtSea) {
    const int depot = City("Depot", 12, 10, kUnion);
    const int target = City("Target", 16, 10, kConfederacy);
    const int railing = ArmyCorps(10, 10), inPort = ArmyCorps(10, 10), atSea = ArmyCorps(8, 10);
    C(railing).OrderMode = 5;
    C(inPort).OrderMode = C(atSea).OrderMode = 4;
    Hex(8, 10).SetTerrain(kTerrainWater);
    C(atSea).DestX = 7, C(atSea).Route[1] = 5;
    GameRec->Fleets[1].BuildCounter = GameRec->Fleets[2].BuildCounter = 0;
    GameRec->Fleets[1].Cargo = static_cast<U8>(inPort), GameRec->Fleets[2].Cargo = static_cast<U8>(atSea);
    // Both corps ashore search from the same hex: one route, its draws taken twice.
    const int search = LandSearchDraws(10, 10, 16, 10, 9, kUnion, kRuleAnyHex);
    ScriptRandomDraws(Repeat(search, 99));
    FindPath(10, 10, 16, 10, 9, kPathLand, kUnion, kRuleAnyHex);
    const Arr1<std::uint8_t, kPathMaxSteps> route = PathSteps;

    const TArmyOrderChoices choices{"Army of the Cumberland\xe9 and more", 3, 2, 1, 2, depot, target};
    EXPECT_EQ(DrawRanges(Repeat(2 * search, 99), [&] { CloseArmyOrders(army, choices); }), Repeat(2 * search, 100));
    const TArmyRec& a = GameRec->Armies[army];
    EXPECT_EQ(a.Name.str(), "Army of the Cumberland") << "22 plain characters kept";
    EXPECT_EQ(std::vector<int>({a.Stance, a.March, a.SupplyType, a.SupplyPriority, a.SupplyBase, a.Objective}),
              std::vector<int>({3, 2, 1, 2, depot, target}));
    for (int k : {railing, inPort}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(C(k).OrderMode, 1) << "Training is Defend in the corps";
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), P(16, 10));
        for (int e = 1; e <= 9; ++e) EXPECT_EQ(C(k).Route[e], route[e]) << "step " << e;
        EXPECT_EQ(EndOfRoute(C(k)), P(16, 10));
    }
    EXPECT_EQ(GameRec->Fleets[1].Cargo, 0) << "ashore, the fleet no longer holds it";
    EXPECT_EQ(std::vector<int>({C(atSea).OrderMode, C(atSea).DestX, C(atSea).Route[1], GameRec->Fleets[2].Cargo}),
              std::vector<int>({4, 7, 5, atSea})) << "at sea, its fleet's course stands";
    for (int k : {railing, inPort, atSea})
        EXPECT_EQ(std::vector<int>({C(k).March, C(k).SupplyType, C(k).SupplyPriority, C(k).SupplyCity}),
                  std::vector<int>({2, 1, 2, depot})) << "the supply base outranks the headquarters";

    // Nothing chosen but a Depot supply: the corps draw on headquarters and keep their routes.
    EXPECT_TRUE(DrawRanges({}, [&] { CloseArmyOrders(army, {"Renamed", -1, -1, 0, -1, 0, 0}); }).empty());
    EXPECT_EQ(std::vector<int>({C(railing).SupplyCity, C(railing).SupplyType, C(railing).OrderMode, C(railing).DestX}),
              std::vector<int>({base, 0, 1, 16}));
}

TEST_F(ArmyOrders, ReplacingTheCommanderAsksAndCostsAsHisStandingSays) {
    // waits: c confirm OK, x confirm Cancel, w warning, y/n the notice answered Yes/No, i the cost's notice.
    struct Case { const char* what; int oldStatus, political; const char* waits; std::vector<int> draws;
                  int pick, will, willAfter; std::vector<int> loyalty; const char* costLine; };
    enum { kFresh, kOwn, kNobody };
    const Case cases[] = {
        {"marked for removal: no question, no cost", 249, 5, "", {}, kFresh, 100, 100, {5, 1, 5}, ""},
        {"no commander to relieve", 0, 5, "", {}, kNobody, 100, 100, {5, 1, 5}, ""},
        {"his own row", 0, 5, "", {}, kOwn, 100, 100, {5, 1, 5}, ""},
        {"cancelled", 0, 5, "x", {}, kFresh, 100, 100, {5, 1, 5}, ""},
        {"out of favour: relieved with a warning", 0, -3, "cw", {}, kFresh, 100, 100, {5, 1, 5}, ""},
        {"his friends keep him", 0, 0, "cn", {}, kFresh, 100, 100, {5, 1, 5}, ""},
        {"relieved at a cost", 0, 0, "cyi", {4, 3, 4, 5, 0, 9, 1}, kFresh, 100, 96, {4, 0, 5}, "4T573"},
        {"a heavy cost stops at the lowest will", 0, 60, "cyi", Repeat(7, 0), kFresh, -32700, -32768, {2, 0, 5}, "120T573"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (int s = 1; s <= 3; ++s) GameRec->States[s].Owner = static_cast<U8>(s == 3 ? kConfederacy : kUnion);
        GameRec->States[1].Loyalty = GameRec->States[3].Loyalty = 5, GameRec->States[2].Loyalty = 1;
        GameRec->Nations[1].Will = static_cast<std::int16_t>(c.will);
        L(chief).Status = static_cast<U8>(c.oldStatus), L(chief).Political = static_cast<I8>(c.political);
        if (c.pick == kNobody) GameRec->Armies[army].Leader = 0;
        const int fresh = Leader(1, 5, kLeaderAvailable, "Fresh");
        ScriptedFrontend fe;
        for (const char* w = c.waits; *w; ++w) {
            if (*w == 'c' || *w == 'x') fe.ExpectConfirmBox(*w == 'c');
            if (*w == 'w') fe.ExpectWarningBox();
            if (*w == 'y' || *w == 'n') fe.ExpectNotice(0, *w == 'y' ? 1 : 2);
            if (*w == 'i') fe.ExpectNotice(0);
        }
        EXPECT_EQ(DrawRanges(c.draws, [&] { ChangeArmyCommander(army, c.pick == kOwn ? chief : fresh); }),
                  Repeat(static_cast<int>(c.draws.size()), 10));
        const bool changed = c.pick != kOwn && std::string(c.waits).find_first_of("xn") == std::string::npos;
        EXPECT_EQ(GameRec->Armies[army].Leader, changed ? fresh : chief);
        EXPECT_EQ(L(fresh).Status, changed ? kLeaderActive : kLeaderAvailable);
        if (c.pick != kNobody) { EXPECT_EQ(L(chief).Status, changed && c.oldStatus == 0 ? kLeaderRemoved : c.oldStatus); }
        EXPECT_EQ(GameRec->Nations[1].Will, c.willAfter);
        EXPECT_EQ(std::vector<int>({GameRec->States[1].Loyalty, GameRec->States[2].Loyalty, GameRec->States[3].Loyalty}),
                  c.loyalty);
        if (c.political < 0) { EXPECT_EQ(fe.messages.back(), "ChiefT567"); }
        if (*c.costLine == 0) continue;
        ASSERT_EQ(fe.notices.size(), 2u);
        EXPECT_EQ(fe.notices[0].lines[1], "T568Chief");
        EXPECT_EQ(fe.notices[1].lines[1] + fe.notices[1].lines[2] + fe.notices[1].lines[3], std::string("ChiefT572") + c.costLine);
    }
}

TEST_F(LeaderOrders, TheListFollowsBothFiltersAClickShowsTheRatingsAndTempRemoveMarksTheLeaderChosen) {
    const int corps = Leader(1, 3, kLeaderActive), division = Leader(1, 1, 210), cavalry = Leader(1, 2, 249);
    const int ready = Leader(1, 5, kLeaderAvailable);
    Leader(2, 5, kLeaderActive);
    TLeaderOrders o;
    o.TempRemove();
    EXPECT_EQ(L(chief).Status, kLeaderActive) << "nobody chosen";
    EXPECT_EQ(o.Rows().at(0).index, chief) << "at opening: the side's active army commanders";
    struct Filter { int rank, status, leader; };
    for (const Filter& f : {Filter{3, 1, corps}, Filter{1, 4, division}, Filter{2, 5, cavalry}, Filter{5, 2, ready}}) {
        o.SetRankFilter(f.rank);
        o.SetStatusFilter(f.status);
        ASSERT_EQ(o.Rows().size(), 1u) << f.rank << "/" << f.status;
        EXPECT_EQ(o.Rows()[0].index, f.leader);
    }
    GameRec->RatingsInView = 0;
    TLeaderRec& r = L(ready);
    r.Drill = 25, r.Tactics = 0, r.Initiative = 45, r.Rating = 13, r.Political = -5, r.Experience = 5;
    std::optional<TLeaderDisplay> d = o.ChooseRow(0);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->drill, "T548") << "hidden below 6 experience";
    EXPECT_EQ(d->initiative, "T556") << "shown from 4 experience";
    EXPECT_FALSE(d->tactics || d->rating) << "values outside every band leave their labels";
    EXPECT_EQ(d->political, "T186") << "an army commander in disfavour keeps a little influence";
    EXPECT_EQ(d->status, "T191");
    EXPECT_FALSE(d->tempRemoveShown);
    o.SetStatusFilter(1);
    d = o.ChooseRow(0);
    EXPECT_EQ(d->status, "T189");
    EXPECT_TRUE(d->tempRemoveShown) << "only an active leader can be set aside";
    EXPECT_FALSE(o.ChooseRow(1)) << "no such row";
    o.TempRemove();
    EXPECT_EQ(L(chief).Status, kLeaderToBeRemoved);
    EXPECT_TRUE(o.Rows().empty());
}

TEST_F(LeaderOrders, PromotionRaisesTheGradeAtACostAndMakesHisDivisionsCorps) {
    // after: rank, political weight, rating, initiative (from 10 and 60), national will (from 100)
    struct Case { const char* what; int rank, status, political; std::vector<int> after; bool notice; };
    const Case cases[] = {
        {"active corps commander to army command", 3, kLeaderActive, 5, {5, -5, 8, 48, 100}, true},
        {"active divisional leader to corps", 1, kLeaderActive, 0, {3, -10, 8, 48, 100}, false},
        {"resting corps commander to army", 3, kLeaderAvailable, 0, {5, -10, 8, 48, 100}, false},
        {"below -10 costs two thirds and will", 2, kLeaderRemoved, -1, {3, -11, 6, 40, 98}, false},
        {"political weight stops at its lowest", 1, kLeaderActive, -125, {3, -128, 6, 40, 98}, false},
        {"an army commander rises no further", 5, kLeaderActive, 0, {5, 0, 10, 60, 100}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        L(chief).Nation = 2;  // out of the lists
        const int l = Leader(1, c.rank, c.status);
        L(l).Political = static_cast<I8>(c.political), L(l).Rating = 10, L(l).Initiative = 60, L(l).Experience = 9;
        for (int ordinal : {1, 2}) C(AddCorps(1, 20, 20)).Ordinal = static_cast<U8>(ordinal);
        C(AddCorps(2, 30, 30)).Ordinal = 3;
        const int led = AddCorps(1, 10, 10, l);
        C(led).Kind = 1, C(led).Ordinal = 7;
        AddBrigade(led, kBrigadeInfantry, 80);
        ScriptedFrontend fe;
        if (c.notice) fe.ExpectNotice(0);
        TLeaderOrders o;
        o.SetRankFilter(c.rank);
        o.SetStatusFilter(c.status == kLeaderActive ? 1 : c.status == kLeaderAvailable ? 2 : 3);
        o.ChooseRow(0);
        o.Promote();
        EXPECT_EQ(std::vector<int>({L(l).Rank, L(l).Political, L(l).Rating, L(l).Initiative, GameRec->Nations[1].Will}),
                  c.after);
        EXPECT_EQ(o.PenaltyShown(), c.after[4] < 100);
        if (c.notice) { EXPECT_EQ(fe.notices.at(0).lines[1] + fe.notices[0].lines[2] + fe.notices[0].lines[3], "T620T621T622"); }
        const bool promoted = c.rank != 5;
        EXPECT_EQ(std::vector<int>({L(l).Experience, C(led).Kind, C(led).Ordinal}),
                  promoted ? std::vector<int>({0, 0, 3}) : std::vector<int>({9, 1, 7}))
            << "a promoted leader's division becomes the lowest-numbered free corps of his side";
        if (!promoted) continue;
        const int limit = C(led).BrigadeLimit;
        RecountForces();
        EXPECT_EQ(C(led).BrigadeLimit, limit) << "the load's recount keeps the limit the promotion wrote";
    }
}

TEST_F(SelectionDialog, RowsNameTheObjectsAndEachRowActsOnItsOwn) {
    const int own = AddCorps(1, 10, 10, chief), enemy = AddCorps(2, 10, 10, Leader(2, 3, 0, "Rebel"));
    C(enemy).LineCount = 4, C(enemy).ArtilleryCount = 2, C(enemy).Entrenchment = 1;
    GameRec->Fleets[1].BuildCounter = 0, GameRec->Fleets[1].FleetNumber = 7;
    const std::pair<int, int> entries[] = {{base, kSelectCity}, {5, kSelectArmy}, {army, kSelectArmy}, {130, kSelectCorps},
                                           {own, kSelectCorps}, {enemy, kSelectCorps}, {1, kSelectFleet}};
    for (auto [index, kind] : entries) SelectionList.Append(static_cast<std::uint16_t>(index), static_cast<std::uint16_t>(kind));
    TSelectionChoice choice;
    EXPECT_EQ(Texts(choice.Rows()), (std::vector<std::string>{"Base", "Army1", "Chief", "Rebel", "T17"}))
        << "a free army slot and a corps out of range are no rows";
    struct Row { int row; TSelectionAct act; int entry; const std::uint16_t* selected; int index; };
    const Row rows[] = {{0, TSelectionAct::CityOrders, 1, &SelectedCity, base},
                        {1, TSelectionAct::ArmyOrders, 3, &SelectedArmy, army},
                        {2, TSelectionAct::CorpsChoice, 5, &SelectedCorps, own},
                        {3, TSelectionAct::EnemyCorpsDescribed, 6, &SelectedCorps, enemy},
                        {4, TSelectionAct::FleetOrders, 7, &SelectedFleet, 1}};
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    for (const Row& r : rows) {
        RouteEnabled = true;
        EXPECT_EQ(choice.ChooseRow(r.row), r.act) << r.row;
        EXPECT_EQ(SelectionList.Count, r.entry);
        EXPECT_EQ(*r.selected, r.index);
        EXPECT_FALSE(RouteEnabled);
    }
    ASSERT_EQ(fe.notices.size(), 1u);
    EXPECT_EQ(fe.notices[0].lines[1] + "|" + fe.notices[0].lines[2] + "|" + fe.notices[0].lines[3] + "|" +
                  fe.notices[0].lines[4], "Rebel|T904|T922|T951");
    EXPECT_EQ(choice.ChooseRow(5), TSelectionAct::Nothing);
    EXPECT_FALSE(choice.ChooseCorpsItem(1));
    EXPECT_TRUE(RouteDrawing) << "Set Objective starts the route";
    EXPECT_TRUE(choice.ChooseCorpsItem(0)) << "Orders opens the corps orders";
    choice.Close();
    EXPECT_EQ(SelectionList.Count, 7) << "the last row chosen stays chosen";
    choice.ChooseRow(2);
    C(own).Unused = 1;  // its orders gave away its last brigade
    choice.Close();
    EXPECT_EQ(SelectionList.Count, 0) << "a corps gone under its orders is no choice";

    // Exit without a row chosen: the count stays on the last entry, the fleet, for the map click.
    SelectionList.Count = 7;
    TSelectionChoice untouched;
    untouched.Close();
    EXPECT_EQ(SelectionList.Count, 7);
}

}  // namespace
}  // namespace kvt
