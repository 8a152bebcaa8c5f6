// The game-state record is the saved-game format: its fields must land on their bytes and stay there.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "engine/turn/engine_reset.h"
#include "engine/world/game_record.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

using testing::EngineTest;

const std::uint8_t* Bytes(const TGameRec& g) { return reinterpret_cast<const std::uint8_t*>(&g); }

// Offsets of bytes that differ between two records.
std::vector<std::size_t> ChangedBytes(const TGameRec& a, const TGameRec& b) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < kGameRecSize; ++i)
        if (Bytes(a)[i] != Bytes(b)[i]) out.push_back(i);
    return out;
}

class RecordLayout : public EngineTest {};

TEST_F(RecordLayout, FixedFieldsSitOnTheirSavedGameBytes) {
    TGameRec& g = *GameRec;
    struct Probe {
        const char* name;
        std::function<void()> write;
        std::size_t first, last;
    };
    const std::vector<Probe> probes = {
        {"corps 120 StepDone[9]", [&] { g.Corps[120].StepDone[9] = 0xAB; }, 14829, 14829},
        {"corps 1 HexX", [&] { g.Corps[1].HexX = 7; }, 6430, 6430},
        {"brigade 500 Fatigue", [&] { g.Brigades[500].Fatigue = 3; }, 38024, 38024},
        {"fleet 100 StartY", [&] { g.Fleets[100].StartY = 0x0102; }, 32207, 32208},
        {"nation 4 Attitude", [&] { g.Nations[4].Attitude = -2; }, 21889, 21890},
        {"nation 1 NavalManpower (odd offset)", [&] { g.Nations[1].NavalManpower = 0x1234; }, 21363, 21364},
        {"city 86 Damage", [&] { g.Cities[86].Damage = 0xFFFF; }, 926 + 64 * 85 + 62, 926 + 64 * 85 + 63},
        {"state 37 WeaponCapacity[8]", [&] { g.States[37].WeaponCapacity[8] = 0x0101; }, 21912 + 81 * 37 - 2, 21912 + 81 * 37 - 1},
        {"leader 210 Political", [&] { g.Leaders[210].Political = -10; }, 21339, 21339},
        {"army name pool side 2 entry 9 Score", [&] { g.ArmyNamePool[2][9].Score = 1; }, 32640, 32640},
        {"weapon 8 price for Britain", [&] { g.WeaponTable[8].Price[4] = 92; }, 32784, 32784},
        {"plan 24 last reserved byte", [&] { g.Plans[24].Reserved6[3] = 1; }, 33024, 33024},
        {"battle side losses of nation 4", [&] { g.BattleSideLosses[4] = 0x0203; }, 41352, 41353},
        {"casualties of the Confederacy", [&] { g.Casualties[2] = 0x01020304; }, 42, 45},
        {"Union battle losses", [&] { g.BattleLosses(1) = 0x0909; }, 41321, 41322},
        {"Confederate battle losses", [&] { g.BattleLosses(2) = 0x0909; }, 41325, 41326},
        {"weather table row 8 column 11", [&] { g.WeatherTable[8][11] = 5; }, 264, 264},
        {"weather scratch leaves the table alone", [&] { g.WeatherScratch = 11; }, 156, 156},
        {"theatre weather of the Mississippi", [&] { g.TheatreWeather[3] = 0x0104; }, 146, 147},
    };
    for (const Probe& p : probes) {
        ResetEngineGlobals();
        TGameRec before = g;
        p.write();
        auto changed = ChangedBytes(before, g);
        ASSERT_FALSE(changed.empty()) << p.name;
        EXPECT_EQ(changed.front(), p.first) << p.name;
        EXPECT_EQ(changed.back(), p.last) << p.name;
    }
}

TEST_F(RecordLayout, SignedFieldsReadTheirSign) {
    TGameRec& g = *GameRec;
    std::uint8_t* raw = reinterpret_cast<std::uint8_t*>(&g);
    raw[21340 + 27] = 0xFF;  // nation 1 Will
    raw[21340 + 28] = 0xFF;
    raw[21340 + 143 * 3 + 120] = 0xFF;  // nation 4 Attitude
    raw[21340 + 143 * 3 + 121] = 0xFF;
    raw[14830 + 30] = 0xF6;  // leader 1 Political
    raw[104] = 0xFE;         // StartMonth
    raw[105] = 0xFF;
    EXPECT_EQ(g.Nations[1].Will, -1);
    EXPECT_EQ(g.Nations[4].Attitude, -1);
    EXPECT_EQ(g.Leaders[1].Political, -10);
    EXPECT_EQ(g.StartMonth, -2);
}

// Writes every byte of one field through the record type, never through raw offsets.
#define FIELD(name) [](auto& r) { std::memset(static_cast<void*>(&r.name), 0xFF, sizeof r.name); }

template <typename Rec, typename Array>
void CheckEveryFieldStaysInItsElement(const char* what, Array& array, std::size_t first, std::size_t size,
                                      const std::vector<std::function<void(Rec&)>>& fields) {
    TGameRec& g = *GameRec;
    for (int i : {1, 2, static_cast<int>(Array::Count) / 2, static_cast<int>(Array::Count)}) {
        const std::size_t lo = first + size * static_cast<std::size_t>(i - 1), hi = lo + size;
        std::vector<bool> covered(size, false);
        for (auto& write : fields) {
            ResetEngineGlobals();
            TGameRec before = g;
            write(array[i]);
            for (std::size_t b : ChangedBytes(before, g)) {
                ASSERT_GE(b, lo) << what << " " << i;
                ASSERT_LT(b, hi) << what << " " << i;
                covered[b - lo] = true;
            }
        }
        for (std::size_t b = 0; b < size; ++b) EXPECT_TRUE(covered[b]) << what << " byte " << b << " has no field";
    }
}

TEST_F(RecordLayout, EveryFieldOfEveryRecordStaysInsideItsElement) {
    TGameRec& g = *GameRec;
    CheckEveryFieldStaysInItsElement<TCorpsRec>("corps", g.Corps, 6430, 70, {
        FIELD(HexX), FIELD(HexY), FIELD(Opponent), FIELD(OwnNearby), FIELD(SizeClass), FIELD(OrderMode), FIELD(DestX),
        FIELD(DestY), FIELD(Entrenchment), FIELD(Side), FIELD(Ordinal), FIELD(Region), FIELD(HomeState),
        FIELD(LeaderInitiative), FIELD(Disruption), FIELD(March), FIELD(FatigueLimit), FIELD(Fatigue), FIELD(Army),
        FIELD(Unused), FIELD(SupplyType), FIELD(SupplyPriority), FIELD(SupplyDistance), FIELD(SupplyCity),
        FIELD(Visibility), FIELD(LeaderRating), FIELD(Leader), FIELD(Quality), FIELD(Condition), FIELD(Kind),
        FIELD(ContactCode), FIELD(StepDirection), FIELD(Artillery), FIELD(ArtilleryCount), FIELD(LineCount),
        FIELD(BrigadeLimit), FIELD(Nation), FIELD(Losses), FIELD(PlanTag), FIELD(MarchAllowance), FIELD(Strength),
        FIELD(Activity), FIELD(SupplyLoss), FIELD(RouteIndex), FIELD(Route), FIELD(StartX), FIELD(StartY),
        FIELD(StepsTaken), FIELD(StepDone)});
    CheckEveryFieldStaysInItsElement<TArmyRec>("army", g.Armies, 266, 44, {
        FIELD(Name), FIELD(BaseCity), FIELD(Side), FIELD(ArmyNumber), FIELD(Leader), FIELD(SupplyBase),
        FIELD(Stance), FIELD(March), FIELD(Losses), FIELD(CorpsCount), FIELD(Readiness), FIELD(SupplyPriority),
        FIELD(SupplyType), FIELD(FreeCorps), FIELD(Condition), FIELD(Theatre), FIELD(Objective), FIELD(Nation),
        FIELD(PlanTag), FIELD(ArmyValue)});
    CheckEveryFieldStaysInItsElement<TCityRec>("city", g.Cities, 926, 64, {
        FIELD(Name), FIELD(HexX), FIELD(HexY), FIELD(Owner), FIELD(OriginalOwner), FIELD(Status), FIELD(PlanTag),
        FIELD(Value), FIELD(State), FIELD(Theatre), FIELD(Fortifications), FIELD(CoastalGuns),
        FIELD(FortifiedThisTurn), FIELD(RailLink), FIELD(Port), FIELD(RiverLink), FIELD(IroncladYards),
        FIELD(WoodenYards), FIELD(Nation), FIELD(SupplySource), FIELD(Production), FIELD(Output),
        FIELD(ExtraOutput), FIELD(Garrison), FIELD(ScoreValue), FIELD(EnemyTally), FIELD(Damage)});
    CheckEveryFieldStaysInItsElement<TLeaderRec>("leader", g.Leaders, 14830, 31, {
        FIELD(Name), FIELD(Status), FIELD(Initiative), FIELD(Rating), FIELD(Rank), FIELD(Tactics), FIELD(Drill),
        FIELD(Nation), FIELD(Experience), FIELD(Political)});
    CheckEveryFieldStaysInItsElement<TNationRec>("nation", g.Nations, 21340, 143, {
        FIELD(Name), FIELD(Human), FIELD(Side), FIELD(Recovery), FIELD(PlanChoice), FIELD(CorpsTally),
        FIELD(ArmyTally), FIELD(Capital), FIELD(CapitalThreat), FIELD(Policy), FIELD(RailCapacity),
        FIELD(RailUsed), FIELD(OrdersGiven), FIELD(SeaControl), FIELD(NavalManpower), FIELD(Reserved25),
        FIELD(Will), FIELD(ShipTotals), FIELD(RecruitPercent), FIELD(TheatreIdle), FIELD(FocusCity),
        FIELD(CorpsInTheatre), FIELD(ArmiesInTheatre), FIELD(TheatrePosture), FIELD(TheatrePressure),
        FIELD(TheatreDemand), FIELD(TheatreValueBase), FIELD(TheatreValue), FIELD(TheatreStrength),
        FIELD(TheatreBalance), FIELD(TheatreReadiness), FIELD(TheatreSupplies), FIELD(TheatreCotton),
        FIELD(TheatreLoad), FIELD(Attitude), FIELD(AppealCounter), FIELD(MonthlyRecruits), FIELD(Bounty),
        FIELD(WeaponPool)});
    CheckEveryFieldStaysInItsElement<TStateRec>("state", g.States, 21912, 81, {
        FIELD(Name), FIELD(ShortName), FIELD(Owner), FIELD(PoliticalValue), FIELD(CapitalCity), FIELD(Loyalty),
        FIELD(OccupationCount), FIELD(ControlSide), FIELD(Flag), FIELD(ForeignHeld), FIELD(Theatre),
        FIELD(Controller), FIELD(StateCasualties), FIELD(OwnStrength), FIELD(EnemyStrength), FIELD(Recruits),
        FIELD(BaseOutput), FIELD(CottonOutput), FIELD(MonthlyIncome), FIELD(OutputSeed), FIELD(CityOutput),
        FIELD(ExtraOutput), FIELD(Priority), FIELD(EventCooldown), FIELD(Reserved55), FIELD(InfantryPool),
        FIELD(CavalryPool), FIELD(ArtilleryPool), FIELD(NewRecruits), FIELD(WeaponCapacity)});
    CheckEveryFieldStaysInItsElement<TFleetRec>("fleet", g.Fleets, 24909, 73, {
        FIELD(HexX), FIELD(HexY), FIELD(FleetNumber), FIELD(Side), FIELD(BuildCounter), FIELD(Mission),
        FIELD(HomePort), FIELD(TargetCity), FIELD(Cargo), FIELD(WaterType), FIELD(Ironclads), FIELD(Wooden),
        FIELD(Transports), FIELD(DamagedIronclads), FIELD(DamagedWooden), FIELD(DamagedTransports), FIELD(DestX),
        FIELD(DestY), FIELD(Spotted), FIELD(Owner), FIELD(StepsAllowed), FIELD(PathIndex), FIELD(Engaged),
        FIELD(PlannedStep), FIELD(StepDone), FIELD(TransportTag), FIELD(Supplies), FIELD(Cotton), FIELD(StartX),
        FIELD(StartY)});
    CheckEveryFieldStaysInItsElement<TArmyNameRec>("army name", g.ArmyNamePool[2], 32425, 24, {
        FIELD(Name), FIELD(RegionKey), FIELD(MatchKey1), FIELD(MatchKey2), FIELD(Used), FIELD(Score)});
    CheckEveryFieldStaysInItsElement<TWeaponRec>("weapon", g.WeaponTable, 32641, 18, {
        FIELD(Reserved0), FIELD(FireFactor1), FIELD(FireFactor2), FIELD(Price)});
    CheckEveryFieldStaysInItsElement<TPlanRec>("plan", g.Plans, 32785, 10, {
        FIELD(TargetCity), FIELD(TurnCounter), FIELD(PlanState), FIELD(PlanStep), FIELD(Reserved6)});
    CheckEveryFieldStaysInItsElement<TBrigadeRec>("brigade", g.Brigades, 33025, 10, {
        FIELD(Nation), FIELD(AttachIndex), FIELD(BrigadeType), FIELD(Strength), FIELD(Weapon), FIELD(Quality),
        FIELD(HomeState), FIELD(Ordinal), FIELD(AttachKind), FIELD(Fatigue)});
}

#undef FIELD

TEST_F(RecordLayout, IndexZeroReadsZeroAndWritesNowhere) {
    TGameRec& g = *GameRec;
    std::memset(static_cast<void*>(&g), 0x5A, sizeof g);
    TGameRec before = g;
    g.Leaders[0].Rating = 9;
    g.Corps[0].Strength = 500;
    g.Cities[0].Name = "Nowhere";
    g.Corps[1].Route[0] = 3;
    EXPECT_TRUE(ChangedBytes(before, g).empty());
    EXPECT_EQ(g.Leaders[0].Rating, 0);
    EXPECT_EQ(g.Corps[0].Strength, 0);
    EXPECT_TRUE(g.Cities[0].Name.empty());
    EXPECT_EQ(CheckedAccessFaults(), 0u) << "index 0 means none, not a fault";
}

TEST_F(RecordLayout, IndexPastTheEndIsCountedAndHarmless) {
    TGameRec& g = *GameRec;
    TGameRec before = g;
    g.Leaders[211].Rating = 9;
    g.Brigades[501].Strength = 1;
    g.Corps[-1].HexX = 3;
    EXPECT_TRUE(ChangedBytes(before, g).empty());
    EXPECT_EQ(g.Corps[121].HexX, 0);
    EXPECT_EQ(CheckedAccessFaults(), 4u);
    ResetCheckedAccessFaults();
}

TEST_F(RecordLayout, NamesAreCutToTheirCapacityAndKeepTheirNeighbours) {
    TGameRec& g = *GameRec;
    g.Cities[1].HexX = 33;
    g.Cities[1].Name = "A very long city name indeed";
    EXPECT_EQ(g.Cities[1].Name.str(), "A very long city");
    EXPECT_EQ(g.Cities[1].HexX, 33);
    g.States[5].ShortName = "Penn.";
    EXPECT_EQ(g.States[5].ShortName.str(), "Penn");
    g.Nations[2].Name = "Confederacy";
    EXPECT_EQ(g.Nations[2].Name.str(), "Confedera");
}

TEST_F(RecordLayout, WordArithmeticWrapsAtItsWidth) {
    TGameRec& g = *GameRec;
    g.Corps[3].Strength = 65535;
    g.Corps[3].Strength += 2;
    EXPECT_EQ(g.Corps[3].Strength, 1);
    g.Nations[1].Will = -5;
    g.Nations[1].Will -= 10;
    EXPECT_EQ(g.Nations[1].Will, -15);
    g.Casualties[1] += 70000;
    EXPECT_EQ(g.Casualties[1], 70000u);
}

}  // namespace
}  // namespace kvt
