// Raising forces as a person does it: arming waiting brigades, forming corps and armies, the
// manpower settings and a city's guns and fortifications, each checked in the record it leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/orders/city_orders.h"
#include "engine/orders/manpower.h"
#include "engine/orders/new_army.h"
#include "engine/orders/new_brigades.h"
#include "engine/orders/new_corps.h"
#include "engine/world/globals.h"
#include "engine/world/stocks.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

bool Same(const TGameRec& before) { return std::memcmp(&before, GameRec, sizeof(TGameRec)) == 0; }
bool Has(const std::vector<int>& list, int v) { return std::find(list.begin(), list.end(), v) != list.end(); }

// Puts a brigade of the nation into a free slot from 20 on; answers its index.
int AddBrigade(int nation, int type, int kind, int city, int strength = 0) {
    static const int strengths[] = {0, 16, 80, 50};
    for (int i = 20; i <= kBrigadeCount; ++i) {
        TBrigadeRec& b = GameRec->Brigades[i];
        if (b.AttachKind != kAttachFree) continue;
        b = TBrigadeRec{static_cast<U8>(nation), static_cast<U8>(city), static_cast<U8>(type),
                        static_cast<U8>(strength ? strength : strengths[type]), 0, 2, static_cast<U8>(nation == 1 ? 1 : 2),
                        static_cast<U8>(i), static_cast<U8>(kind), 0};
        return i;
    }
    return 0;
}

class NewBrigades : public testing::TurnTest {};

TEST_F(NewBrigades, FreeKindsAreIssuedWithoutChargeAndOthersOnlyFromAFullPool) {
    TGameRec& g = *GameRec;
    auto& pool = g.Nations[1].WeaponPool;
    const int b = AddBrigade(1, kBrigadeInfantry, kAttachUnarmed, 0);
    pool[1] = 50;
    pool[2] = 80;
    pool[3] = 79;
    TWeaponAvailability w = WeaponAvailability(b);
    EXPECT_EQ(w.counts[1], "(Free)");
    EXPECT_EQ(w.counts[2], "4000");
    EXPECT_EQ(w.size, "4000");
    EXPECT_TRUE(w.offered[1] && w.offered[2]);
    EXPECT_FALSE(w.offered[3]) << "79 Sharps cannot arm 80 men";
    EXPECT_FALSE(ArmAndPostBrigade(b, 1, 3));

    SetStockLedger(true);
    ClearStockLedger();
    ASSERT_TRUE(ArmAndPostBrigade(b, 1, 1));
    EXPECT_EQ(pool[1], 50) << "Muskets are issued free when the pool is short";
    EXPECT_EQ(g.Brigades[b].Weapon, 1);
    EXPECT_EQ(g.Brigades[b].AttachKind, kAttachGarrison);
    EXPECT_EQ(g.Brigades[b].AttachIndex, 1);
    EXPECT_EQ(g.Cities[1].Garrison, 1) << "the posted brigade counts in the garrison at once";
    EXPECT_TRUE(WaitingBrigades().empty());

    const int second = AddBrigade(1, kBrigadeInfantry, kAttachUnarmed, 0);
    ASSERT_TRUE(ArmAndPostBrigade(second, 3, 2));
    EXPECT_EQ(pool[2], 0) << "exactly 80 Springfields arm the brigade";
    ASSERT_EQ(StockLedger().size(), 1u);
    EXPECT_EQ(StockLedger()[0].rule, StockRule::Dialog);
    SetStockLedger(false);

    const int guns = AddBrigade(1, kBrigadeArtillery, kAttachUnarmed, 0);
    pool[6] = 10;
    EXPECT_EQ(WeaponAvailability(guns).size, "32") << "a battery is told in guns";
    EXPECT_EQ(WeaponAvailability(guns).counts[6], "20");
}

TEST_F(NewBrigades, EachTypeIsOfferedOnlyItsOwnWeapons) {
    for (int k = 1; k <= kWeaponKinds; ++k) GameRec->Nations[1].WeaponPool[k] = 1000;
    struct Case { int type; std::vector<int> kinds; };
    const Case cases[] = {{kBrigadeArtillery, {6, 7, 8}}, {kBrigadeInfantry, {1, 2, 3}}, {kBrigadeCavalry, {4, 5}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const int b = AddBrigade(1, c.type, kAttachUnarmed, 0);
        const TWeaponAvailability w = WeaponAvailability(b);
        for (int k = 1; k <= kWeaponKinds; ++k) EXPECT_EQ(w.offered[k], Has(c.kinds, k)) << "kind " << k;
        const TGameRec before = *GameRec;
        EXPECT_FALSE(ArmAndPostBrigade(b, 1, c.type == kBrigadeInfantry ? 4 : 3)) << "Spencers or Sharps";
        EXPECT_TRUE(Same(before));
    }
}

TEST_F(NewBrigades, AnEnemyCorpsOrABadIndexHidesACity) {
    TGameRec& g = *GameRec;
    const int b = AddBrigade(1, kBrigadeInfantry, kAttachUnarmed, 0);
    EXPECT_EQ(DeploymentCities(b), (std::vector<int>{1, 3, 5}));
    g.Corps[3].HexX = g.Cities[1].HexX;  // a Confederate corps in Washington
    g.Corps[3].HexY = g.Cities[1].HexY;
    g.Corps[2].HexX = g.Cities[3].HexX;  // a Union corps in Baltimore
    g.Corps[2].HexY = g.Cities[3].HexY;
    EXPECT_EQ(DeploymentCities(b), (std::vector<int>{3, 5}));
    const TGameRec before = *GameRec;
    EXPECT_FALSE(ArmAndPostBrigade(b, 1, 1));
    EXPECT_FALSE(ArmAndPostBrigade(b, 2, 1)) << "a Confederate city";
    EXPECT_FALSE(ArmAndPostBrigade(1, 3, 1)) << "a brigade serving in a corps";
    EXPECT_FALSE(ArmAndPostBrigade(501, 3, 1));
    EXPECT_TRUE(DeploymentCities(0).empty());
    EXPECT_TRUE(Same(before));
}

class NewCorps : public testing::TurnTest {
protected:
    void SetUp() override {
        TurnTest::SetUp();
        SidePlayed = 2;
        infantry.clear();
        artillery.clear();
        TLeaderRec& lee = GameRec->Leaders[9];
        lee.Initiative = 60;
        lee.Status = kLeaderRemoved;
        // Richmond holds twelve infantry, two batteries and a cavalry brigade.
        for (int i = 0; i < 12; ++i) infantry.push_back(AddBrigade(2, kBrigadeInfantry, kAttachGarrison, 2));
        for (int i = 0; i < 2; ++i) artillery.push_back(AddBrigade(2, kBrigadeArtillery, kAttachGarrison, 2));
        cavalry = AddBrigade(2, kBrigadeCavalry, kAttachGarrison, 2);
    }
    // Opens the dialog, picks formation, leader and Richmond; answers the brigades listed.
    std::vector<int> Open(int kind = kFormationCorps, int leader = 9) {
        EXPECT_TRUE(BeginCorpsRaising(r));
        EXPECT_TRUE(ChooseFormation(r, kind));
        EXPECT_TRUE(ChooseCorpsLeader(r, leader));
        return ChooseRaisingCity(r, 2);
    }
    int Attached(int corps) {
        int n = 0;
        for (const TBrigadeRec& b : GameRec->Brigades) n += b.AttachKind == kAttachCorps && b.AttachIndex == corps;
        return n;
    }
    TCorpsRaising r;
    std::vector<int> infantry, artillery;
    int cavalry = 0;
};

TEST_F(NewCorps, TheLeadersInitiativeSetsTheLimits) {
    const TBrigadeMaxima corps = FormationMaxima(kFormationCorps, 60);
    EXPECT_EQ(corps.line, 9);
    EXPECT_EQ(corps.artillery, 2);
    EXPECT_EQ(corps.cavalry, 0);
    EXPECT_EQ(FormationMaxima(kFormationInfantryDivision, 59).line, 3);
    EXPECT_EQ(FormationMaxima(kFormationCavalryDivision, 70).cavalry, 4);
    const std::vector<int> listed = Open();
    EXPECT_EQ(listed.size(), 15u) << "a corps lists cavalry too";
    EXPECT_EQ(ShownBrigadeLimit(r), 10);
    EXPECT_EQ(GameRec->Corps[r.corps].BrigadeLimit, 9);
}

TEST_F(NewCorps, SelectedBrigadesAreTakenUpToEachMaximumAndTenInAll) {
    struct Case { const char* name; int infantry, artillery; bool cavalry; int taken, line; };
    const Case cases[] = {
        {"twelve infantry", 12, 0, false, 9, 9},
        {"nine infantry, two batteries", 9, 2, false, 10, 9},
        {"cavalry is never taken into a corps", 3, 0, true, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::vector<int> chosen(infantry.begin(), infantry.begin() + c.infantry);
        chosen.insert(chosen.end(), artillery.begin(), artillery.begin() + c.artillery);
        if (c.cavalry) chosen.push_back(cavalry);
        Open();
        const int corps = r.corps;
        ASSERT_TRUE(FinishCorpsRaising(r, chosen));
        EXPECT_EQ(Attached(corps), c.taken);
        EXPECT_EQ(GameRec->Corps[corps].LineCount, c.line);
        EXPECT_EQ(GameRec->Leaders[9].Status, kLeaderActive);
        EXPECT_EQ(GameRec->Brigades[cavalry].AttachKind, kAttachGarrison);
    }
}

TEST_F(NewCorps, TheBrigadeListSpellsTheSeventhWeaponWithOneT) {
    GameRec->States[2].ShortName = "Va.";
    TBrigadeRec& battery = GameRec->Brigades[artillery.front()];
    battery.Ordinal = 21;
    struct Case { int weapon; const char* row; };
    const Case cases[] = {{6, "21st Va. Arty Smoothbores"}, {7, "21st Va. Arty Parrots"}, {8, "21st Va. Arty Whitworths"},
                          {0, "21st Va. Arty "}};
    for (const Case& c : cases) {
        battery.Weapon = static_cast<U8>(c.weapon);
        EXPECT_EQ(RaisingBrigadeText(artillery.front()), c.row);
    }
    EXPECT_EQ(RaisingBrigadeText(0), "") << "no brigade, no row";
}

TEST_F(NewCorps, AReusedRecordStartsClearedWithTheNewCorpsTable) {
    TCorpsRec& stale = GameRec->Corps[5];
    stale.PlanTag = 7;
    stale.Opponent = 4;
    stale.Losses = 9;
    stale.Army = 3;
    stale.Route[1] = 2;
    Open();
    ASSERT_EQ(r.corps, 5);
    ASSERT_TRUE(FinishCorpsRaising(r, infantry));
    const TCorpsRec& k = GameRec->Corps[5];
    EXPECT_EQ(k.PlanTag, 0);
    EXPECT_EQ(k.Opponent, 0);
    EXPECT_EQ(k.Losses, 0);
    EXPECT_EQ(k.Army, 0);
    EXPECT_EQ(k.Route[1], 0) << "the new corps marches on no route of the corps that held the record";
    EXPECT_EQ(k.Ordinal, 1) << "the Confederacy's first free ordinal";
    EXPECT_EQ(k.SizeClass, 2);
    EXPECT_EQ(k.FatigueLimit, 5);
    EXPECT_EQ(k.SupplyCity, 2);
    EXPECT_EQ(k.LeaderInitiative, 60);
    EXPECT_EQ(k.Condition, 10);
}

TEST_F(NewCorps, NothingFormedGivesTheRecordAndTheLeaderBack) {
    const TCorpsRec before = GameRec->Corps[5];
    Open();
    ASSERT_FALSE(FinishCorpsRaising(r, artillery)) << "batteries alone form nothing";
    EXPECT_EQ(std::memcmp(&before, &GameRec->Corps[5], sizeof before), 0);
    EXPECT_EQ(GameRec->Leaders[9].Status, kLeaderAvailable);
    EXPECT_EQ(GameRec->Brigades[artillery[0]].AttachKind, kAttachGarrison);

    for (TCorpsRec& c : GameRec->Corps) c.Unused = 0;
    ScriptedFrontend fe;
    fe.ExpectInformationBox();
    EXPECT_FALSE(BeginCorpsRaising(r));
    EXPECT_EQ(fe.messages.at(0), "Maximum # of corps already in use.");
}

TEST_F(NewCorps, LeadersInCommandAreNotOfferedAndOneMarkedForRemovalBecomesActive) {
    TGameRec& g = *GameRec;
    g.Leaders[10].Status = kLeaderToBeRemoved;
    g.Leaders[7].Status = kLeaderToBeRemoved;  // heads corps 3
    g.Leaders[11].Rank = 2;                     // a cavalry man: no corps
    ASSERT_TRUE(BeginCorpsRaising(r));
    ASSERT_TRUE(ChooseFormation(r, kFormationCorps));
    EXPECT_EQ(FormationLeaders(r), (std::vector<int>{9, 10, 12}));
    EXPECT_FALSE(ChooseCorpsLeader(r, 7));
    EXPECT_FALSE(ChooseCorpsLeader(r, 3)) << "a Union leader";
    ASSERT_TRUE(ChooseCorpsLeader(r, 10));
    EXPECT_TRUE(ChooseRaisingCity(r, 1).empty()) << "a Union city lists nothing";
    EXPECT_EQ(r.city, 0);
    ChooseRaisingCity(r, 2);
    ASSERT_TRUE(FinishCorpsRaising(r, infantry));
    EXPECT_EQ(g.Leaders[10].Status, kLeaderActive);
}

TEST_F(NewCorps, ACityOfWaitingBrigadesIsListedAndItsTypesChooseTheFormations) {
    for (TBrigadeRec& b : GameRec->Brigades)
        if (b.Nation == 2 && b.AttachKind == kAttachGarrison) b.AttachKind = kAttachFree;
    const int waiting = AddBrigade(2, kBrigadeCavalry, kAttachWaiting, 4);
    EXPECT_EQ(RaisingCities(), std::vector<int>{4});
    const TFormationsOffered offered = FormationsOffered();
    EXPECT_FALSE(offered.corps || offered.infantryDivision);
    EXPECT_TRUE(offered.cavalryDivision);
    GameRec->Leaders[9].Rank = 2;
    ASSERT_TRUE(BeginCorpsRaising(r));
    EXPECT_FALSE(ChooseFormation(r, kFormationCorps));
    ASSERT_TRUE(ChooseFormation(r, kFormationCavalryDivision));
    ASSERT_TRUE(ChooseCorpsLeader(r, 9));
    EXPECT_EQ(ChooseRaisingCity(r, 4), std::vector<int>{waiting});
    ASSERT_TRUE(FinishCorpsRaising(r, {waiting}));
    EXPECT_EQ(GameRec->Corps[5].Kind, kFormationCavalryDivision);
}

class NewArmy : public testing::TurnTest {};

TEST_F(NewArmy, SeniorFreeLeadersAreOfferedAndTheChosenOneCommands) {
    TGameRec& g = *GameRec;
    for (int l : {3, 4, 5, 6}) g.Leaders[l].Rank = 5;
    g.Leaders[4].Rank = 4;
    g.Leaders[5].Status = kLeaderRemoved;
    g.Leaders[1].Rank = 5;  // heads corps 1
    g.Leaders[2].Rank = 5;
    g.Leaders[2].Status = kLeaderToBeRemoved;  // and heads corps 2
    EXPECT_EQ(ArmyLeaders(), (std::vector<int>{3, 5, 6}));
    EXPECT_EQ(ArmyNameForCity(3), "Maryland");
    EXPECT_EQ(ArmyElementText(1), "1st text 660Leader 1");
    EXPECT_EQ(ArmyElements(), (std::vector<int>{1, 2}));

    const TGameRec before = *GameRec;
    EXPECT_EQ(RaiseArmy(3, 0, "Maryland", {1}), 0) << "a city but no leader";
    EXPECT_EQ(RaiseArmy(3, 4, "Maryland", {1}), 0) << "rank 4";
    EXPECT_EQ(RaiseArmy(2, 5, "Virginia", {1}), 0) << "a Confederate city";
    EXPECT_TRUE(Same(before));

    TArmyRec& stale = g.Armies[1];
    stale.PlanTag = 12;
    stale.SupplyType = 2;
    stale.March = 2;
    const int a = RaiseArmy(3, 5, "Army of the Potomac and the Shenandoah", {1, 2, 3});
    ASSERT_EQ(a, 1);
    const TArmyRec& army = g.Armies[a];
    EXPECT_EQ(army.Name.str(), "Army of the Potomac an");
    EXPECT_EQ(army.BaseCity, 3);
    EXPECT_EQ(army.Objective, 3);
    EXPECT_EQ(army.PlanTag, 0);
    EXPECT_EQ(army.SupplyType, 0);
    EXPECT_EQ(army.March, 1);
    EXPECT_EQ(army.ArmyValue, 50);
    EXPECT_EQ(army.Readiness, 5);
    EXPECT_EQ(army.FreeCorps, 1);
    EXPECT_EQ(army.Condition, 12);
    EXPECT_EQ(army.CorpsCount, 2) << "the Confederate corps 3 is not the Union's to give";
    EXPECT_EQ(g.Corps[2].Army, a);
    EXPECT_EQ(g.Corps[3].Army, 0);
    EXPECT_EQ(g.Leaders[5].Status, kLeaderActive);
    EXPECT_TRUE(ArmyLeaders() == (std::vector<int>{3, 6})) << "he commands now";
}

// Marked for removal or not, the chosen man commands: the clean-up would otherwise disband his army.
TEST_F(NewArmy, EveryFreeMarkOfTheChosenLeaderEndsActive) {
    for (const U8 mark : {kLeaderAvailable, kLeaderRemoved, kLeaderToBeRemoved}) {
        SCOPED_TRACE(static_cast<int>(mark));
        SetUp();
        TLeaderRec& leader = GameRec->Leaders[3];
        leader.Rank = 5;
        leader.Status = mark;
        ASSERT_EQ(RaiseArmy(3, 3, "the Patapsco", {}), 1);
        EXPECT_EQ(leader.Status, kLeaderActive);
        EXPECT_EQ(GameRec->Armies[1].Leader, 3);
    }
}

TEST_F(NewArmy, TypedNamesAreStoredInOneByteACharacter) {
    EXPECT_EQ(StoredArmyName("Arm\xC3\xA9" "e du Nord"), "Arm\xE9" "e du Nord");
    EXPECT_EQ(StoredArmyName("Army \xE2\x80\x94 West"), "Army ? West");
    EXPECT_EQ(StoredArmyName(std::string(30, '\xE2')).size(), 22u);
}

class Manpower : public testing::TurnTest {};

TEST_F(Manpower, SharesStayWithinOneHundredInAll) {
    auto& pct = GameRec->Nations[1].RecruitPercent;
    pct[1] = 40, pct[2] = 30, pct[3] = 20, pct[4] = 10;
    for (int s = 1; s <= 4; ++s) EXPECT_FALSE(RaiseRecruitShare(s));
    ASSERT_TRUE(LowerRecruitShare(kShareInfantry));
    EXPECT_TRUE(RaiseRecruitShare(kShareNavy));
    EXPECT_FALSE(RaiseRecruitShare(kShareCavalry));
    EXPECT_EQ(pct[1], 39);
    EXPECT_EQ(pct[4], 11);
    pct[2] = 0;
    EXPECT_FALSE(LowerRecruitShare(kShareCavalry));
    EXPECT_EQ(pct[2], 0);
    EXPECT_FALSE(RaiseRecruitShare(5));
}

TEST_F(Manpower, TheMonthsRecruitsReadAsFiftiesOfMenWithNoneReadingDoubleNought) {
    SidePlayed = 1;
    struct Case { int recruits; const char* shown; };
    for (const Case& c : {Case{0, "00"}, Case{1, "50"}, Case{40, "2000"}, Case{65535, "3276750"}}) {
        GameRec->Nations[1].MonthlyRecruits = static_cast<std::uint16_t>(c.recruits);
        EXPECT_EQ(ManpowerSettings().recruitsPerMonth, c.shown) << c.recruits;
    }
}

TEST_F(Manpower, TheAppealNeedsAYearOfWarACounterBelowZeroAndHeavyLosses) {
    struct Case { int side, year, counter; unsigned casualties; bool checked, offered; };
    const Case cases[] = {
        {1, 1861, -1, 5000, false, false}, {1, 1862, -1, 701, false, true}, {1, 1862, -1, 700, false, false},
        {1, 1862, 0, 900, false, false},   {2, 1863, -3, 501, false, true}, {2, 1863, 4, 900, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.side << " " << c.year << " " << c.counter);
        SidePlayed = static_cast<std::uint16_t>(c.side);
        GameRec->Year = static_cast<std::uint16_t>(c.year);
        GameRec->Nations[c.side].AppealCounter = static_cast<I8>(c.counter);
        GameRec->Casualties[c.side] = c.casualties;
        const TManpowerSettings s = ManpowerSettings();
        EXPECT_EQ(s.appealChecked, c.checked);
        EXPECT_EQ(s.appealOffered, c.offered);
        ApplyManpowerSettings(25, true, kStanceNone);
        EXPECT_EQ(GameRec->Nations[c.side].AppealCounter, c.offered ? 9 : c.counter);
        EXPECT_EQ(GameRec->Nations[c.side].Bounty, 20);
    }
}

TEST_F(Manpower, EachSideMovesItsStanceOneWayAndOnlyWhenItsWillAllows) {
    struct Case {
        int side, unionWill, confederateWill, policy;
        std::array<bool, 4> offered;
        int choose, policyAfter, notice, willAfter;
    };
    const Case cases[] = {
        {1, 500, 520, 5, {false, true, false, false}, kStanceEmancipation, 11, 11, 550},
        {1, 500, 525, 5, {}, kStanceEmancipation, 5, -1, 500},
        {1, 900, 100, 0, {}, kStanceEmancipation, 0, -1, 900},  // bondage never offers emancipation
        {1, -32768, -32760, 3, {false, true, false, false}, kStanceNone, 3, -1, -32768},  // no 16-bit wrap
        {2, 600, 500, 0, {false, false, true, false}, kStanceCombatRoles, 1, 0, 450},
        {2, 600, 500, 10, {false, true, false, false}, kStanceEmancipation, 11, -1, 500},
        {2, 600, 500, 4, {}, kStanceEmancipation, 4, -1, 500},
        {2, 500, 500, 0, {}, kStanceCombatRoles, 0, -1, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "side " << c.side << " policy " << c.policy << " will " << c.unionWill);
        SetUp();
        SidePlayed = static_cast<std::uint16_t>(c.side);
        GameRec->Nations[1].Will = static_cast<std::int16_t>(c.unionWill);
        GameRec->Nations[2].Will = static_cast<std::int16_t>(c.confederateWill);
        GameRec->Nations[c.side].Policy = static_cast<U8>(c.policy);
        EXPECT_EQ(ManpowerSettings().stanceOffered, c.offered);
        ScriptedFrontend fe;
        if (c.notice >= 0) fe.ExpectNotice(c.notice);
        ApplyManpowerSettings(5, false, c.choose);
        EXPECT_EQ(GameRec->Nations[c.side].Policy, c.policyAfter);
        EXPECT_EQ(fe.notices.size(), c.notice >= 0 ? 1u : 0u);
        EXPECT_EQ(GameRec->Nations[c.side].Will, c.willAfter) << "the event's effect";
    }
}

class CityOrders : public testing::TurnTest {
protected:
    void SetUp() override {
        TurnTest::SetUp();
        TCityRec& baltimore = GameRec->Cities[3];
        baltimore.Port = 1;
        baltimore.Theatre = 2;
        supplies() = 1000;
    }
    U16& supplies() { return GameRec->Nations[1].TheatreSupplies[2]; }
};

TEST_F(CityOrders, GunsAndFortificationsArePaidFromTheTheatreAndRefunded) {
    TCityRec& c = GameRec->Cities[3];
    supplies() = 100;
    EXPECT_FALSE(BuyCoastalGun(3)) << "the supplies must exceed 100";
    supplies() = 101;
    ASSERT_TRUE(BuyCoastalGun(3));
    EXPECT_EQ(supplies(), 1);
    EXPECT_EQ(c.CoastalGuns, 1);
    ASSERT_TRUE(SellCoastalGun(3));
    EXPECT_EQ(supplies(), 51);
    EXPECT_FALSE(SellCoastalGun(3));

    GameRec->Year = 1863;
    supplies() = 101;
    EXPECT_FALSE(BuildFortification(3));
    supplies() = 65500;
    c.Fortifications = 2;
    ASSERT_TRUE(SellFortification(3));
    EXPECT_EQ(supplies(), 65535) << "a refund saturates";
    ASSERT_TRUE(BuildFortification(3));
    EXPECT_EQ(supplies(), 65535 - 101);
    EXPECT_EQ(c.Fortifications, 2);
    EXPECT_FALSE(BuildFortification(3)) << "one a turn";
    EXPECT_FALSE(SellFortification(3));

    // A fortification sold returns the whole of the year's price.
    struct Price { int year, cost; };
    for (const Price& p : {Price{1861, 175}, {1862, 138}, {1863, 101}, {1864, 64}, {1865, 27}, {1866, 27}, {1870, 27}}) {
        SCOPED_TRACE(p.year);
        GameRec->Year = static_cast<std::uint16_t>(p.year);
        EXPECT_EQ(FortificationCost(), p.cost);
        c.FortifiedThisTurn = 0;
        c.Fortifications = 4;
        supplies() = 1000;
        ASSERT_TRUE(SellFortification(3));
        EXPECT_EQ(supplies(), 1000 + p.cost);
        EXPECT_EQ(c.Fortifications, 3);
    }
}

TEST_F(CityOrders, TheButtonsShowOnlyWhereTheWorksCanBeBought) {
    struct Case { const char* name; int port, river, forts, theatre, source; bool guns, works; };
    const Case cases[] = {
        {"port", 1, 0, 0, 2, 1, true, true},        {"river", 0, 1, 0, 2, 3, true, true},
        {"inland", 0, 0, 0, 2, 1, false, true},     {"fortified to 9", 1, 0, 9, 2, 1, true, false},
        {"no theatre", 1, 1, 0, 4, 1, false, false}, {"no supply source", 1, 0, 0, 2, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCityRec& city = GameRec->Cities[3];
        city.Port = static_cast<U8>(c.port);
        city.RiverLink = static_cast<U8>(c.river);
        city.Fortifications = static_cast<U8>(c.forts);
        city.Theatre = static_cast<U8>(c.theatre);
        city.SupplySource = static_cast<U8>(c.source);
        TCityOrdersView v;
        ASSERT_TRUE(CityOrdersView(3, v));
        EXPECT_EQ(v.gunButton, c.guns);
        EXPECT_EQ(v.fortificationButton, c.works);
        EXPECT_EQ(BuyCoastalGun(3), c.guns);
        EXPECT_EQ(BuildFortification(3), c.works);
        city.FortifiedThisTurn = 0;
    }
    const TGameRec before = *GameRec;
    TCityOrdersView v;
    for (int city : {0, 2, 87}) {
        EXPECT_FALSE(CityOrdersView(city, v)) << city;
        EXPECT_FALSE(BuyCoastalGun(city) || SellFortification(city));
    }
    EXPECT_TRUE(Same(before));
}

}  // namespace
}  // namespace kvt
