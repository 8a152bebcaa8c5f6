// Corps and division orders: what the dialog offers, the commander change and its price, brigade
// transfers with the corps' break-up, and the orders written back.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/forces/brigade_rules.h"
#include "engine/orders/corps_orders.h"
#include "engine/world/notice.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::ScriptedFrontend;

// A Union corps standing in its own fortified rail city "Port" (state "Md"), with two brigades.
class CorpsOrders : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        SidePlayed = 1;
        GameRec->States[1].ShortName = "Md";
        city = AddCity("Port", 10, 10, 1);
        farCity = AddCity("Far", 40, 10, 1);
        for (int c : {city, farCity}) {
            GameRec->Cities[c].State = 1;
            GameRec->Cities[c].RailLink = 1;
        }
        GameRec->Cities[city].Fortifications = 3;
        GameRec->Nations[1].RailCapacity = 2;
        GameRec->Nations[1].Will = 800;
        leader = AddCommander(1, 3, 0);
        corps = AddCorps(1, 10, 10, leader);
        army = AddArmy(1, city, 0);
        C(corps).Army = static_cast<U8>(army);
        first = AddBrigade(corps, kBrigadeInfantry, 60);
        second = AddBrigade(corps, kBrigadeInfantry, 60);
        RecalcCorpsFromBrigades();
        SelectedCorps = static_cast<std::uint16_t>(corps);
    }
    int AddCommander(int nation, int rank, int status, int political = 1) {
        const int l = AddLeader(nation, 40);
        TLeaderRec& r = GameRec->Leaders[l];
        r.Rank = static_cast<U8>(rank);
        r.Status = static_cast<U8>(status);
        r.Political = static_cast<I8>(political);
        r.Rating = 7;
        return l;
    }
    int AddGarrison(int type, int nation = 1) {
        const int b = AddBrigade(corps, type, 40);
        GameRec->Brigades[b].Nation = static_cast<U8>(nation);
        GameRec->Brigades[b].AttachKind = kAttachGarrison;
        GameRec->Brigades[b].AttachIndex = static_cast<U8>(city);
        return b;
    }
    static int RowOf(const TOrderList& list, int record) {
        for (std::size_t r = 0; r < list.records.size(); ++r)
            if (list.records[r] == record) return static_cast<int>(r);
        return -1;
    }
    void GiveToCity(TCorpsOrders& o, int brigade) {
        FillTransferToList(o);
        TransferBrigade(o, RowOf(o.brigades, brigade));
    }
    int city = 0, farCity = 0, leader = 0, corps = 0, army = 0, first = 0, second = 0;
};

TEST_F(CorpsOrders, OpeningPresetsTheOrdersByModeAndRecovery) {
    // Rows of stance, march, supply type and priority as opened.
    struct Case { int mode, disruption; std::array<int, 4> rows; const char* caption; bool transfers; int entrenchment;
                  int modeAfterClose; };
    const Case cases[] = {
        {1, 0, {1, 1, 0, 1}, "", true, 3, 1},
        {3, 0, {1, 1, 0, 1}, "T238", true, 3, 1},  // shown and stored as Defend
        {4, 0, {0, 0, 2, 2}, "T564", true, 3, 4},  // embarked: the stance leaves the mode alone
        {2, 2, {0, 1, 0, 2}, "T565", false, 0, 0},  // rallying: no transfers, the city's works not taken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.disruption);
        C(corps).OrderMode = static_cast<U8>(c.mode);
        C(corps).Disruption = static_cast<U8>(c.disruption);
        C(corps).Entrenchment = 0;
        C(corps).March = 1;
        C(corps).SupplyPriority = 1;
        C(corps).SupplyType = 0;
        C(corps).DestX = 40;
        TCorpsOrders o;
        ASSERT_TRUE(OpenCorpsOrders(o));
        EXPECT_EQ(C(corps).Entrenchment, c.entrenchment);
        EXPECT_EQ((std::array<int, 4>{o.stance, o.march, o.supplyType, o.priority}), c.rows);
        EXPECT_EQ(o.stanceCaption, c.caption);
        EXPECT_EQ(o.transfersShown, c.transfers);
        EXPECT_EQ(o.transferFromCaption, c.transfers ? "Transfer Brigades from Port" : "");
        const std::vector<std::string> rail = c.mode == 4 ? std::vector<std::string>{"Far"}
                                                          : std::vector<std::string>{"T89", "Port,Md", "Far,Md"};
        EXPECT_EQ(o.railDestinations.rows, rail);
        EXPECT_EQ(o.railDestinations.enabled, c.mode != 4);
        EXPECT_EQ(o.figures[8], c.disruption ? "T543-2" : "T541");
        CloseCorpsOrders(o);
        EXPECT_EQ(C(corps).OrderMode, c.modeAfterClose);
        EXPECT_EQ(C(corps).SupplyPriority, c.rows[3]);
    }
}

TEST_F(CorpsOrders, GradedTextsAndHiddenRatingsFollowTheirBands) {
    struct Case { int value; const char* fatigue; const char* quality; const char* condition; };
    // Label text, value, then the band's text up to 100.
    const Case cases[] = {{1, "T97" "1 / T537", "T98" "1 / T56", "T99" "1 / T532"},
                          {9, "T97" "9 / T540", "T98" "9 / T59", "T99" "9 / T533"},
                          {100, "T97" "100 / T540", "T98" "100 / T59", "T99" "100 / T536"},
                          {101, "T97" "101", "T98" "101", "T99" "101"}};
    for (const Case& c : cases) {
        C(corps).Fatigue = C(corps).Quality = C(corps).Condition = static_cast<U8>(c.value);
        EXPECT_EQ(CorpsFatigueText(), c.fatigue);
        EXPECT_EQ(CorpsQualityText(), c.quality);
        EXPECT_EQ(CorpsConditionText(), c.condition);
    }
    // Experience 5 shows tactics and initiative at opening; after a change every rating needs more.
    GameRec->Leaders[leader].Experience = 5;
    using Texts = std::array<std::string, 4>;
    EXPECT_EQ(CommanderRatingTexts(leader, false), (Texts{"T563", "T556", "T549", "T548"}));
    EXPECT_EQ(CommanderRatingTexts(leader, true), (Texts{"T563", "T558", "T552", "T548"}));
    GameRec->RatingsInView = 1;
    EXPECT_EQ(CommanderRatingTexts(leader, true), (Texts{"T561", "T556", "T549", "T545"}));
}

TEST_F(CorpsOrders, TheCommanderListOffersFreeMenOfTheRankWhoHoldNoCommand) {
    const int available = AddCommander(1, 3, kLeaderAvailable);
    const int removed = AddCommander(1, 3, kLeaderRemoved);
    const int marked = AddCommander(1, 3, kLeaderToBeRemoved);
    const int markedInCommand = AddCommander(1, 3, kLeaderToBeRemoved);
    AddCorps(1, 20, 20, markedInCommand);
    AddCommander(1, 1, kLeaderAvailable);  // a divisional leader
    AddCommander(2, 3, kLeaderAvailable);  // the enemy's
    AddCommander(1, 3, kLeaderActive);
    TCorpsOrders o;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_EQ(o.commanders.records, (std::vector<int>{leader, available, removed, marked}));
    EXPECT_EQ(o.commanders.selected, 0);
    {
        ScriptedFrontend frontend;  // choosing the man in command asks nothing
        ChangeCommander(o, 0);
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderActive);
    }

    // Without a commander: no row, name or ratings, and the man chosen is put in without a word.
    C(corps).Leader = 0;
    ScriptedFrontend frontend;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_EQ(o.commanders.records.front(), available);
    EXPECT_TRUE(o.commanderName.empty());
    EXPECT_FALSE(o.ratingsShown);
    EXPECT_TRUE(DrawRanges({}, [&] { ChangeCommander(o, 0); }).empty());
    EXPECT_EQ(C(corps).Leader, available);
    EXPECT_EQ(GameRec->Leaders[available].Status, kLeaderActive);
    EXPECT_TRUE(o.ratingsShown);
    EXPECT_TRUE(frontend.log.empty());
}

TEST_F(CorpsOrders, ReplacingTheCommanderAsksAndChargesByHisStanding) {
    struct Case { const char* what; int rank, status, political; int confirm, answer;  // -1: not asked
                  int oldStatus, will; bool installed; };
    const Case cases[] = {
        {"army rank leading a corps", 5, 0, 1, -1, -1, 100, 800, true},
        {"marked for removal", 3, 249, 1, -1, -1, 249, 800, true},
        {"cancelled", 3, 0, 1, 0, -1, 0, 800, false},
        {"out of favour: no price", 3, 0, -2, 1, -1, 200, 800, true},
        {"the notice answered No", 3, 0, 1, 1, 2, 0, 800, false},
        {"relieved at a price", 3, 0, 1, 1, 1, 200, 795, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int successor = AddCommander(1, 3, kLeaderAvailable);
        GameRec->Leaders[successor].Initiative = 55;
        TLeaderRec& old = GameRec->Leaders[leader];
        old.Rank = static_cast<U8>(c.rank);
        old.Status = static_cast<U8>(c.status);
        old.Political = static_cast<I8>(c.political);
        for (int s : {1, 2, 3}) {
            GameRec->States[s].Owner = static_cast<U8>(s == 3 ? 2 : 1);
            GameRec->States[s].Loyalty = 50;
        }
        ScriptedFrontend frontend;
        if (c.confirm >= 0) frontend.ExpectConfirmBox(c.confirm == 1);
        if (c.confirm == 1 && c.political < 0) frontend.ExpectWarningBox();
        if (c.answer >= 0) frontend.ExpectNotice(0, c.answer);
        if (c.answer == 1) frontend.ExpectNotice(0);
        TCorpsOrders o;
        ASSERT_TRUE(OpenCorpsOrders(o));
        // Cost 4 + 1; chance 0 + 2 x 1; three rolls for each state the side owns.
        const std::vector<int> ranges = DrawRanges({4, 0, 1, 5, 0, 9, 2, 1}, [&] { ChangeCommander(o, RowOf(o.commanders, successor)); });
        EXPECT_EQ(ranges, c.answer == 1 ? std::vector<int>(8, 10) : std::vector<int>{});
        if (c.answer != 1) ScriptRandomDraws({});
        EXPECT_EQ(old.Status, c.oldStatus);
        EXPECT_EQ(GameRec->Nations[1].Will, c.will);
        EXPECT_EQ(C(corps).Leader, c.installed ? successor : leader);
        EXPECT_EQ(C(corps).LeaderInitiative, c.installed ? 55 : 0) << "the corps takes the new man's ratings";
        EXPECT_EQ(GameRec->Leaders[successor].Status, c.installed ? kLeaderActive : kLeaderAvailable);
        // Only the side's own states lose loyalty.
        const std::array<int, 3> loyalty = {GameRec->States[1].Loyalty, GameRec->States[2].Loyalty, GameRec->States[3].Loyalty};
        EXPECT_EQ(loyalty, (c.answer == 1 ? std::array<int, 3>{48, 49, 50} : std::array<int, 3>{50, 50, 50}));
    }
}

TEST_F(CorpsOrders, AReliefCostAnnouncedInOneOpeningIsChargedWhenTheLastBrigadeLeavesInTheNext) {
    const int allied = AddBrigade(corps, kBrigadeInfantry, 30);
    GameRec->Brigades[allied].Nation = 3;
    GameRec->Leaders[leader].Political = 2;
    GameRec->Armies[army].CorpsCount = 7;
    ScriptedFrontend frontend;
    frontend.ExpectNotice(0);
    TCorpsOrders o;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_EQ(DrawRanges({3}, [&] { GiveToCity(o, first); }), std::vector<int>{10});
    EXPECT_EQ(frontend.notices.back().lines[3], "5T576");
    EXPECT_FALSE(o.brigadeListShown);
    CloseCorpsOrders(o);
    EXPECT_EQ(GameRec->Armies[army].CorpsCount, 1);

    frontend.ExpectNotice(0);
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_TRUE(DrawRanges({}, [&] { GiveToCity(o, second); }).empty()) << "the cost announced is the one charged";
    EXPECT_EQ(frontend.notices.back().lines[3], "5T573");
    EXPECT_EQ(GameRec->Nations[1].Will, 795);
    EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderRemoved);
    EXPECT_FALSE(CorpsInUse(C(corps)));
    EXPECT_EQ(C(corps).Leader, 0);
    for (const TBrigadeRec& b : GameRec->Brigades) EXPECT_FALSE(b.AttachKind == kAttachCorps && b.AttachIndex == corps);
    EXPECT_EQ(GameRec->Brigades[allied].AttachKind, kAttachGarrison) << "the ally's brigade stays with the city";
    EXPECT_EQ(GameRec->Armies[army].CorpsCount, 0);
    EXPECT_FALSE(o.transfersShown || o.commanders.enabled || o.brigadesViewable);
    CloseCorpsOrders(o);
    EXPECT_EQ(SelectedCorps, 0);
    EXPECT_EQ(C(corps).OrderMode, 0) << "nothing written back into the free slot";
    EXPECT_EQ(PendingReliefCost.cost, 0);

    // A cost announced for another corps is not this one's: a fresh draw is charged and told.
    SetUp();
    frontend.ExpectNotice(0);
    frontend.ExpectNotice(0);
    ASSERT_TRUE(OpenCorpsOrders(o));
    ScriptRandomDraws({5, 2});
    GiveToCity(o, first);
    PendingReliefCost = {9, corps + 1, leader};
    GiveToCity(o, second);
    EXPECT_EQ(GameRec->Nations[1].Will, 797);
}

TEST_F(CorpsOrders, TheWholeGarrisonIsListedAndBrigadesJoinOnlyWithinTheLimitShown) {
    // Line brigades up to the commander's limit (initiative div 12 + 4 for a corps, div 35 + 2 for a
    // division), artillery up to ten brigades in all; the "from" button is off only when nothing
    // fits. The corps holds two line brigades; the city holds a line brigade, a battery and an
    // ally's line brigade, clicked in that order.
    struct Case { const char* what; int kind, initiative, extraLine, extraArtillery; bool fromEnabled; const char* limit;
                  std::array<bool, 3> joined; };
    const Case cases[] = {
        {"a division's line is full: only the guns join", 1, 30, 0, 0, true, "T1002", {false, true, false}},
        {"ten brigades: the button is off and none joins", 1, 0, 0, 8, false, "T1002", {false, false, false}},
        {"a corps under initiative 40 takes a seventh line brigade, not an eighth", 0, 40, 4, 0, true, "T1007",
         {true, true, false}},
        {"room to spare: the ally's brigade joins too", 0, 40, 0, 0, true, "T1007", {true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        C(corps).Kind = static_cast<U8>(c.kind);
        GameRec->Leaders[leader].Initiative = static_cast<U8>(c.initiative);
        for (int i = 0; i < c.extraLine; ++i) AddBrigade(corps, kBrigadeInfantry, 10);
        for (int i = 0; i < c.extraArtillery; ++i) AddBrigade(corps, kBrigadeArtillery, 10);
        RecalcCorpsFromBrigades();
        const std::array<int, 3> garrison = {AddGarrison(kBrigadeInfantry), AddGarrison(kBrigadeArtillery),
                                             AddGarrison(kBrigadeInfantry, 3)};
        TCorpsOrders o;
        ASSERT_TRUE(OpenCorpsOrders(o));
        EXPECT_EQ(o.transferFromEnabled, c.fromEnabled);
        EXPECT_EQ(o.figures[12], c.limit);
        FillTransferFromList(o);
        EXPECT_EQ(o.brigades.records, std::vector<int>(garrison.begin(), garrison.end()));
        std::array<bool, 3> joined{};
        for (std::size_t k = 0; k < garrison.size(); ++k) {
            FillTransferFromList(o);
            TransferBrigade(o, RowOf(o.brigades, garrison[k]));
            joined[k] = GameRec->Brigades[garrison[k]].AttachKind == kAttachCorps;
        }
        EXPECT_EQ(joined, c.joined);
        EXPECT_EQ(o.figures[2] + o.figures[4], "T90" + std::to_string(C(corps).LineCount) + "T92" +
                                                   std::to_string(C(corps).ArtilleryCount));
        EXPECT_EQ(o.figures[12], c.limit) << "the limit shown stays the one kept to";
    }

    // An empty garrison leaves the button on: there is simply nothing to list.
    SetUp();
    TCorpsOrders o;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_TRUE(o.transferFromEnabled);
    FillTransferFromList(o);
    EXPECT_TRUE(o.brigades.rows.empty());
}

TEST_F(CorpsOrders, TheBrigadeLimitShownIsTheCommandersWhateverTheLastRecalculationStored) {
    // The recalculation stores its own limit by nation (a Union corps initiative div 20 + 4, a
    // Confederate one div 11 + 4, divisions div 30 or div 20, + 2); the one shown and kept to is
    // the commander's, the same for every nation.
    struct Case { const char* what; int nation, kind, initiative, stored; const char* shown; };
    const Case cases[] = {
        {"a Union corps, as Banks' in 1861", 1, 0, 24, 5, "T1006"},
        {"a Confederate corps", 2, 0, 22, 6, "T1005"},
        {"a Union division", 1, 1, 60, 4, "T1003"},
        {"a Confederate division", 2, 1, 40, 4, "T1003"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        // The nation alone changes the stored rule; the corps stays on its side in its side's city.
        C(corps).Nation = static_cast<U8>(c.nation);
        for (int b : {first, second}) GameRec->Brigades[b].Nation = static_cast<U8>(c.nation);
        AddBrigade(corps, kBrigadeInfantry, 60);  // so that giving one away costs no relief
        C(corps).Kind = static_cast<U8>(c.kind);
        GameRec->Leaders[leader].Initiative = static_cast<U8>(c.initiative);
        RecalcCorpsFromBrigades();
        ASSERT_EQ(C(corps).BrigadeLimit, c.stored);
        TCorpsOrders o;
        ASSERT_TRUE(OpenCorpsOrders(o));
        EXPECT_EQ(o.figures[12], c.shown);
        GiveToCity(o, first);
        FillTransferFromList(o);
        TransferBrigade(o, RowOf(o.brigades, first));
        ASSERT_EQ(GameRec->Brigades[first].AttachKind, kAttachCorps);
        EXPECT_EQ(o.figures[12], c.shown) << "a transfer's recalculation does not change what is shown";
        EXPECT_EQ(C(corps).BrigadeLimit, c.stored) << "while the record keeps the recalculation's own";
    }

    // A new commander brings his own limit, at once.
    SetUp();
    GameRec->Leaders[leader].Rank = 5;  // an army commander leading a corps goes without a question
    const int successor = AddCommander(1, 3, kLeaderAvailable);
    GameRec->Leaders[successor].Initiative = 60;
    TCorpsOrders o;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_EQ(o.figures[12], "T1007");
    ChangeCommander(o, RowOf(o.commanders, successor));
    ASSERT_EQ(C(corps).Leader, successor);
    EXPECT_EQ(o.figures[12], "T1009");
}

TEST_F(CorpsOrders, ClosingWritesTheOrdersBackOnce) {
    const int other = AddArmy(1, farCity, 0);
    GameRec->Armies[army].CorpsCount = 3;
    GameRec->Armies[other].CorpsCount = 4;
    for (int pass = 0; pass < 2; ++pass) {
        TCorpsOrders o;
        ASSERT_TRUE(OpenCorpsOrders(o));
        o.stance = 2;
        o.march = 2;
        o.supplyType = 1;
        o.supplyCities.selected = RowOf(o.supplyCities, city);
        o.armies.selected = RowOf(o.armies, other);
        o.railDestinations.selected = 2;  // "Far"
        CloseCorpsOrders(o);
    }
    // The second opening found the rail move and offered only its destination.
    const TCorpsRec& k = C(corps);
    EXPECT_EQ((std::array<int, 6>{k.OrderMode, k.DestX, k.Route[1], k.March, k.SupplyType, k.SupplyCity}),
              (std::array<int, 6>{5, 40, 0, 2, 1, city}));
    EXPECT_EQ(GameRec->Nations[1].RailUsed, 1);
    EXPECT_EQ(GameRec->Armies[army].CorpsCount + 10 * GameRec->Armies[other].CorpsCount, 10) << "counted from the corps";

    // At capacity the list is off and a row left chosen orders nothing.
    C(corps).OrderMode = 1;
    GameRec->Nations[1].RailUsed = 2;
    TCorpsOrders o;
    ASSERT_TRUE(OpenCorpsOrders(o));
    EXPECT_FALSE(o.railDestinations.enabled);
    o.railDestinations.selected = 1;
    CloseCorpsOrders(o);
    EXPECT_EQ(GameRec->Nations[1].RailUsed, 2);
    EXPECT_EQ(C(corps).OrderMode, 1);
}

TEST_F(CorpsOrders, ASelectionNamingNoCorpsInUseOpensNothing) {
    C(2).Unused = 1;
    for (int selection : {0, 2, 121, 65535}) {
        SelectedCorps = static_cast<std::uint16_t>(selection);
        const TGameRec before = *GameRec;
        TCorpsOrders o;
        EXPECT_FALSE(OpenCorpsOrders(o)) << selection;
        CloseCorpsOrders(o);
        EXPECT_EQ(std::memcmp(&before, GameRec, sizeof(TGameRec)), 0) << selection;
    }
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

}  // namespace
}  // namespace kvt
