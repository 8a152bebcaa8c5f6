// The three start points as the game loads them: every state, city and slot that a rule names by its
// index holds what the rule expects and plays the part the rule gives it, the rules a load runs find
// nothing to change but what they draw, the fix-ups of a load find nothing to fix, the economy
// follows the country's people, and the computer players find the armies and corps their plans look for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_recount.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "engine/logistics/weather.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"
#include "tools/scenario_compiler/scenario_settle.h"

namespace kvt {
namespace {

constexpr int kAny = -1;

class StartPoint : public testing::EngineTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        frontend = std::make_unique<testing::ScriptedFrontend>();
        frontend->AllowAnyWaits(true);
        year = GetParam();
        ASSERT_TRUE(testing::LoadStartPoint(std::to_string(year))) << year << ".kvt is missing or refused";
    }
    const TGameRec& g() const { return *GameRec; }
    const TMapGrid& map() const { return *MapGrid; }
    // Index 0, 1, 2 for the start points of 1861, 1862, 1863.
    int Era() const { return year - 1861; }
    std::unique_ptr<testing::ScriptedFrontend> frontend;
    int year = 0;
};

INSTANTIATE_TEST_SUITE_P(Years, StartPoint, ::testing::Values(1861, 1862, 1863),
                         [](const auto& info) { return std::to_string(info.param); });

// Least number of steps between two hexes over the hexes `pass` admits; -1 when there is none.
template <typename Pass>
int Steps(int x1, int y1, int x2, int y2, Pass pass) {
    std::map<std::pair<int, int>, int> seen{{{x1, y1}, 0}};
    std::deque<std::pair<int, int>> queue{{x1, y1}};
    while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        if (x == x2 && y == y2) return seen[{x, y}];
        for (int d = 1; d <= 6; ++d) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, d);
            if (!OnMap(nx, ny) || seen.count({nx, ny}) || !pass(nx, ny)) continue;
            seen[{nx, ny}] = seen[{x, y}] + 1;
            queue.push_back({nx, ny});
        }
    }
    return -1;
}

TEST_P(StartPoint, StartsOnItsOwnStartDateAsAFaceToFaceGame) {
    EXPECT_EQ(g().Month, g().StartMonth) << "the setup dialog opens only on the start date";
    EXPECT_EQ(g().Year, g().StartYear);
    EXPECT_EQ(g().Year, year);
    EXPECT_TRUE(g().Day == 1 || g().Day == 11 || g().Day == 21);
    EXPECT_EQ(g().GameKind, 0);
    EXPECT_EQ(g().EndVariant, 0);
    const int end = g().EndYear * 12 + g().EndMonth;
    EXPECT_GT(end, 1865 * 12 + 1) << "losing the election must be able to bring the end forward to January 1865";
    EXPECT_LT(end, 1865 * 12 + 6) << "\"Continue\" must be able to extend the campaign to June 1865";
    if (year == 1861) {
        EXPECT_LT(g().Month, 8) << "Kentucky and Missouri may join only before August 1861";
    }
    for (int t = 1; t <= kTheatreCount; ++t) {
        EXPECT_EQ(g().TheatreFlag[t], 1) << "theatre " << t;
        EXPECT_LE(g().TheatreWeather[t], 11) << "theatre " << t;
    }
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 12; ++col) EXPECT_LE(g().WeatherTable[row][col], 11) << row << "," << col;
    for (int p = 1; p <= kPlanCount; ++p) {
        EXPECT_EQ(g().Plans[p].TargetCity, 0) << "plan slot " << p;
        EXPECT_EQ(g().Plans[p].TurnCounter, 0) << "plan slot " << p;
        EXPECT_EQ(g().Plans[p].PlanState, 0) << "plan slot " << p;
    }
    for (int c = 1; c <= kCityCount; ++c) EXPECT_EQ(g().Cities[c].PlanTag, 0) << "city " << c;
    for (int a = 1; a <= kArmyCount; ++a) EXPECT_EQ(g().Armies[a].PlanTag, 0) << "army " << a;
    for (int k = 1; k <= kCorpsCount; ++k) EXPECT_EQ(g().Corps[k].PlanTag, 0) << "corps " << k;
    for (int f = 1; f <= kFleetCount; ++f) EXPECT_EQ(g().Fleets[f].TransportTag, 0) << "fleet " << f;
}

TEST_P(StartPoint, WeaponPricesAreTheMonthlyMarkets) {
    const int prices[9][4] = {{}, {}, {3, 3, 2, 2}, {12, 12, 8, 6}, {20, 20, 12, 10}, {1, 1, 3, 3},
                              {42, 45, 40, 38}, {70, 70, 62, 60}, {110, 110, 90, 92}};
    for (int k = 2; k <= kWeaponKinds; ++k)
        for (int n = 1; n <= kNationCount; ++n)
            EXPECT_EQ(g().WeaponTable[k].Price[n], prices[k][n - 1]) << "kind " << k << " nation " << n;
    for (int n = 1; n <= kNationCount; ++n) EXPECT_GT(g().WeaponTable[1].Price[n], 0) << "muskets keep their own price";
    for (int k = 1; k <= kWeaponKinds; ++k) {
        EXPECT_GT(g().WeaponTable[k].FireFactor1, 0) << "kind " << k;
        EXPECT_GT(g().WeaponTable[k].FireFactor2, 0) << "kind " << k;
    }
}

TEST_P(StartPoint, CitiesNamedByTheRulesStandWhereTheRulesLookForThem) {
    struct Row {
        int city;
        const char* name;
        int state;
        int owner;  // -1: any
    };
    const Row rows[] = {
        {17, "Richmond", 22, kConfederacy},  {24, "Raleigh", 27, kConfederacy},  {58, "Atlanta", 29, kConfederacy},
        {62, "Montgomery", 30, kConfederacy}, {83, "Chattanooga", 21, -1},       {85, "Matamoros", 37, 0},
        {86, "Bermuda", 36, 0},               {55, "St. Louis", 19, kUnion},      {56, "Jefferson City", 19, -1},
        {57, "Louisville", 20, -1},           {11, "Washington", 34, kUnion},     {3, "Philadelphia", 10, kUnion},
    };
    for (const Row& r : rows) {
        const TCityRec& c = g().Cities[r.city];
        EXPECT_EQ(c.Name.str(), r.name) << "city " << r.city;
        EXPECT_EQ(c.State, r.state) << r.name;
        if (r.owner >= 0) {
            EXPECT_EQ(c.Owner, r.owner) << r.name;
        }
        EXPECT_EQ(map().Cell(c.HexX, c.HexY).State(), c.State) << r.name << "'s hex lies in another state";
    }
    EXPECT_EQ(g().Cities[3].OriginalOwner, kNationUnion) << "the Union's fallback capital";
    EXPECT_GE(g().Cities[3].Value, 5) << "a capital may move only to a city worth 5 or more";
    for (int i : {85, 86}) {
        const TCityRec& c = g().Cities[i];
        EXPECT_EQ(c.Nation, i == 85 ? kNationFrance : kNationBritain) << c.Name.str();
        EXPECT_EQ(c.OriginalOwner, c.Nation) << c.Name.str();
        EXPECT_NE(c.Port, 0) << c.Name.str() << " is a neutral port";
        EXPECT_GT(c.IroncladYards + c.WoodenYards, 0) << c.Name.str() << " builds its nation's ships";
    }
    for (int i : {38, 60}) EXPECT_EQ(g().Cities[i].RiverLink, 0) << g().Cities[i].Name.str() << " is no river port";
}

TEST_P(StartPoint, StatesWithRolesHoldThem) {
    struct Row {
        int state;
        const char* name;
    };
    const Row rows[] = {{19, "Missouri"}, {20, "Kentucky"}, {21, "Tennessee"}, {22, "Virginia"}, {23, "Texas"},
                        {36, "Britain"},  {37, "France"}};
    for (const Row& r : rows) EXPECT_EQ(g().States[r.state].Name.str(), r.name);
    const TStateRec& kentucky = g().States[20];
    const TStateRec& missouri = g().States[19];
    if (year == 1861) {
        EXPECT_EQ(kentucky.Controller, 0);
        EXPECT_EQ(kentucky.ControlSide, 0);
        EXPECT_EQ(kentucky.Owner, 0) << "the first corps entering neutral Kentucky throws it to the other side";
        EXPECT_EQ(missouri.Controller, 0) << "Missouri can join only while it has no nation";
        for (const TCityRec& c : g().Cities)
            if (c.State == 20) {
                EXPECT_EQ(c.Owner, 0) << c.Name.str();
                EXPECT_EQ(c.Nation, 0) << c.Name.str();
            }
    } else {
        EXPECT_EQ(kentucky.Controller, kNationUnion);
        EXPECT_EQ(missouri.Controller, kNationUnion);
    }
    for (const TCityRec& c : g().Cities)
        if (c.State == 19 || c.State == 20) {
            EXPECT_EQ(c.OriginalOwner, 0) << c.Name.str() << " belongs to no nation";
        }
    EXPECT_NE(kentucky.Flag, 0) << "with the flag clear every Kentucky brigade is freed when a fort falls";
    for (int s : {36, 37}) {
        EXPECT_EQ(g().States[s].Owner, 0);
        EXPECT_EQ(g().States[s].ControlSide, 0);
        EXPECT_EQ(g().States[s].CapitalCity, s == 36 ? 86 : 85);
        EXPECT_EQ(g().States[s].Controller, s == 36 ? kNationBritain : kNationFrance);
    }
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g().States[s];
        if (st.CapitalCity == 0) continue;
        EXPECT_EQ(g().Cities[st.CapitalCity].State, s) << st.Name.str() << "'s capital lies elsewhere";
        EXPECT_EQ(g().Cities[st.CapitalCity].Nation, st.Controller)
            << st.Name.str() << " would change hands at the first conquest pass";
    }
}

TEST_P(StartPoint, NationsHoldTheirCapitalsAndSides) {
    const int side[5] = {0, kUnion, kConfederacy, 0, 0};
    const int capital[5] = {0, 11, 17, 85, 86};
    for (int n = 1; n <= kNationCount; ++n) {
        const TNationRec& r = g().Nations[n];
        EXPECT_EQ(r.Side, side[n]) << "nation " << n;
        EXPECT_EQ(r.Capital, capital[n]) << "nation " << n;
        EXPECT_EQ(g().Cities[r.Capital].Nation, n) << "nation " << n << " does not hold its capital";
        int percent = 0;
        for (int k = 1; k <= 4; ++k) percent += r.RecruitPercent[k];
        EXPECT_LE(percent, 100) << "nation " << n;
    }
    EXPECT_EQ(g().Nations[kNationConfederacy].Policy, 0);
    EXPECT_GE(g().Nations[kNationUnion].Policy, 1) << "a Union policy of 0 never offers emancipation";
    if (year == 1861) {
        EXPECT_EQ(g().Nations[kNationUnion].AppealCounter, 0);
    }
    for (int n : {kNationFrance, kNationBritain}) {
        EXPECT_GE(g().Nations[n].Attitude, 1) << "attitudes move only within 1..99";
        EXPECT_LE(g().Nations[n].Attitude, 99);
    }
}

TEST_P(StartPoint, TheatresAreSeaboardWestOrMississippi) {
    for (int s = 1; s <= kStateCount; ++s) {
        EXPECT_GE(g().States[s].Theatre, 1) << g().States[s].Name.str();
        EXPECT_LE(g().States[s].Theatre, 3) << g().States[s].Name.str();
    }
    for (const TCityRec& c : g().Cities) EXPECT_EQ(c.Theatre, g().States[c.State].Theatre) << c.Name.str();
    EXPECT_EQ(g().States[37].Theatre, kWest) << "France raises corps only in the West";
}

TEST_P(StartPoint, FreeSlotsReadAsFree) {
    int corps = 0, fleets = 0, brigades = 0;
    for (const TCorpsRec& k : g().Corps) corps += CorpsInUse(k);
    for (const TFleetRec& f : g().Fleets) {
        if (FleetInUse(f)) {
            ++fleets;
            continue;
        }
        EXPECT_EQ(f.BuildCounter, kFleetGone) << "a free fleet record must never read as a fleet being built";
        EXPECT_EQ(f.Ironclads + f.Wooden + f.Transports, 0);
    }
    for (const TBrigadeRec& b : g().Brigades) brigades += BrigadeInUse(b);
    for (const TArmyRec& a : g().Armies)
        if (!ArmyInUse(a)) {
            EXPECT_TRUE(ArmySlotFree(a)) << "an army without base but with a nation blocks its slot";
        }
    for (const TLeaderRec& l : g().Leaders)
        if (l.Name.empty()) {
            EXPECT_EQ(l.Nation, 0);
        }
    EXPECT_GT(corps, 10);
    EXPECT_GT(fleets, 5);
    EXPECT_GT(brigades, 100);
    EXPECT_LT(brigades, 400) << "new brigades need free slots";
}

TEST_P(StartPoint, EveryBrigadeHasAHomeStateAndAWeaponOfItsType) {
    std::set<std::pair<int, int>> ordinals;
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g().Brigades[i];
        if (!BrigadeInUse(b)) continue;
        EXPECT_GE(b.HomeState, 1) << "brigade " << i;
        EXPECT_LE(b.HomeState, kStateCount) << "brigade " << i;
        EXPECT_GT(b.Strength, 0) << "brigade " << i;
        switch (b.BrigadeType) {
            case kBrigadeInfantry:
                EXPECT_TRUE(b.Weapon >= 1 && b.Weapon <= 4) << "brigade " << i;
                EXPECT_LE(b.Strength, 80) << "brigade " << i;
                break;
            case kBrigadeCavalry:
                EXPECT_TRUE(b.Weapon >= 3 && b.Weapon <= 5) << "brigade " << i;
                EXPECT_LE(b.Strength, 50) << "brigade " << i;
                break;
            case kBrigadeArtillery:
                EXPECT_TRUE(b.Weapon >= 6 && b.Weapon <= 8) << "brigade " << i;
                EXPECT_LE(b.Strength, 16) << "brigade " << i;
                break;
            default: ADD_FAILURE() << "brigade " << i << " has type " << int(b.BrigadeType);
        }
        EXPECT_TRUE(ordinals.insert({b.HomeState, b.Ordinal}).second)
            << "brigade " << i << " repeats ordinal " << int(b.Ordinal) << " of its state";
        if (b.AttachKind == kAttachCorps) {
            EXPECT_TRUE(CorpsInUse(g().Corps[b.AttachIndex])) << "brigade " << i;
            EXPECT_EQ(b.Nation, g().Corps[b.AttachIndex].Nation) << "brigade " << i;
        } else {
            EXPECT_EQ(b.AttachKind, kAttachGarrison) << "brigade " << i;
            EXPECT_EQ(b.Nation, g().Cities[b.AttachIndex].Nation) << "brigade " << i;
        }
    }
}

TEST_P(StartPoint, EveryCorpsHasALeaderAHexOnLandAndBrigades) {
    std::map<int, int> commands;
    for (const TArmyRec& a : g().Armies)
        if (ArmyInUse(a)) ++commands[a.Leader];
    std::set<std::pair<int, int>> labels;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g().Corps[k];
        if (!CorpsInUse(c)) continue;
        ++commands[c.Leader];
        const TLeaderRec& l = g().Leaders[c.Leader];
        EXPECT_EQ(l.Status, kLeaderActive) << "corps " << k;
        EXPECT_EQ(l.Nation, c.Nation) << "corps " << k;
        EXPECT_TRUE(OnMap(c.HexX, c.HexY)) << "corps " << k;
        const int terrain = map().Cell(c.HexX, c.HexY).Terrain();
        EXPECT_TRUE(terrain != kTerrainWater && terrain != kTerrainImpassable) << "corps " << k;
        EXPECT_GT(c.LineCount, 0) << "corps " << k << " would be disbanded";
        EXPECT_LE(c.LineCount, c.BrigadeLimit) << "corps " << k << " holds more brigades than " << l.Name.str() << " may lead";
        // The brigade rule sets its own limit anew every turn; no corps may start over it.
        EXPECT_LE(c.LineCount, CorpsBrigadeLimit(c.Kind, c.Nation, l.Initiative)) << "corps " << k;
        EXPECT_GT(c.Ordinal, 0) << "corps " << k;
        EXPECT_LE(c.Ordinal, c.Nation == kNationUnion ? 33 : 40) << "corps " << k << " has no label";
        EXPECT_TRUE(labels.insert({c.Nation, c.Ordinal}).second) << "corps " << k;
        const TCityRec& supply = g().Cities[c.SupplyCity];
        EXPECT_EQ(supply.Owner, c.Side) << "corps " << k << " draws supply from " << supply.Name.str();
        for (const TCityRec& city : g().Cities)
            if (city.HexX == c.HexX && city.HexY == c.HexY) {
                EXPECT_EQ(city.Owner, c.Side) << "corps " << k << " would take " << city.Name.str() << " at once";
            }
    }
    for (auto [leader, n] : commands) EXPECT_EQ(n, 1) << g().Leaders[leader].Name.str() << " holds " << n << " commands";
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& r = g().Armies[a];
        if (!ArmyInUse(r)) continue;
        EXPECT_EQ(g().Leaders[r.Leader].Rank, 5) << r.Name.str();
        EXPECT_EQ(g().Cities[r.BaseCity].Owner, r.Side) << r.Name.str();
        EXPECT_TRUE(r.CorpsCount >= 2 || r.Condition >= 6) << r.Name.str() << " would be abandoned";
        bool pooled = false;
        for (const TArmyNameRec& n : g().ArmyNamePool[r.Side]) pooled = pooled || (n.Name.str() == r.Name.str() && n.Used == 2);
        EXPECT_TRUE(pooled) << r.Name.str() << " is not an army name in use";
    }
}

TEST_P(StartPoint, FleetsLieInTheirOwnPortsWithDistinctNumbers) {
    std::set<std::pair<int, int>> numbers;
    bool unionTransports = false;
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = g().Fleets[i];
        if (!FleetInUse(f)) continue;
        const TCityRec& port = g().Cities[f.HomePort];
        EXPECT_EQ(f.HexX, port.HexX) << "fleet " << i;
        EXPECT_EQ(f.HexY, port.HexY) << "fleet " << i;
        EXPECT_EQ(f.Mission, 0) << "fleet " << i;
        EXPECT_EQ(port.Owner, f.Side) << "fleet " << i;
        EXPECT_NE(f.WaterType == 2 ? port.RiverLink : port.Port, 0) << "fleet " << i;
        EXPECT_TRUE(f.FleetNumber >= 1 && f.FleetNumber <= 32) << "fleet " << i;
        EXPECT_TRUE(numbers.insert({f.Owner, f.FleetNumber}).second) << "fleet " << i;
        unionTransports = unionTransports || (f.Owner == kNationUnion && f.WaterType != 2 && f.Transports > 0);
    }
    EXPECT_TRUE(unionTransports) << "Union ports are supply sources only while it has transports at sea";
}

TEST_P(StartPoint, PortsReachTheSeaAndRiverPortsTheRivers) {
    const TCityRec* first = nullptr;
    for (const TCityRec& c : g().Cities) {
        if (c.Port) {
            if (!first) first = &c;
            auto sea = [&](int x, int y) {
                const int t = map().Cell(x, y).Terrain();
                return t == kTerrainWater || t == kTerrainCity;
            };
            EXPECT_GE(Steps(first->HexX, first->HexY, c.HexX, c.HexY, sea), 0)
                << "ocean fleets cannot sail from " << first->Name.str() << " to " << c.Name.str();
        }
        if (c.RiverLink) {
            EXPECT_TRUE(map().Cell(c.HexX, c.HexY).RiverNavigable()) << c.Name.str();
            int open = 0;
            for (int d = 1; d <= 6; ++d) {
                int x = c.HexX, y = c.HexY;
                StepHexAt(x, y, d);
                open += OnMap(x, y) && map().Cell(x, y).RiverNavigable();
            }
            EXPECT_GT(open, 0) << c.Name.str() << " is a river port on no river";
        }
        if (c.RailLink) {
            auto rail = [&](int x, int y) {
                return map().Cell(x, y).Rail() || map().Cell(x, y).Terrain() == kTerrainCity;
            };
            bool joined = false;
            for (const TCityRec& o : g().Cities)
                joined = joined || (&o != &c && o.RailLink && Steps(c.HexX, c.HexY, o.HexX, o.HexY, rail) >= 0);
            EXPECT_TRUE(joined) << c.Name.str() << " is on no railway to another city";
        }
    }
}

// The fix-ups every load applies, and the marks a game read through the Open dialog receives, must
// find the start point already as they leave it; otherwise a start point saved and loaded again
// would differ from the one the player began with.
TEST_P(StartPoint, TheFixUpsOfALoadFindNothingToFix) {
    auto rec = std::make_unique<TGameRec>();
    auto grid = std::make_unique<TMapGrid>();
    std::string why;
    ASSERT_TRUE(ReadGameImages(testing::GameFile(std::to_string(year) + ".kvt"), *rec, *grid, &why)) << why;
    EXPECT_EQ(rec->Cities[83].State, 21);
    for (const TCityRec& c : rec->Cities) EXPECT_LE(c.OriginalOwner, 4) << c.Name.str();

    std::memcpy(static_cast<void*>(GameRec), rec.get(), sizeof(TGameRec));
    std::memcpy(static_cast<void*>(MapGrid), grid.get(), sizeof(TMapGrid));
    ApplyLoadDataMarks();
    EXPECT_EQ(std::memcmp(GameRec, rec.get(), sizeof(TGameRec)), 0) << "the marks change the record";
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y)
            for (int b = 0; b < 3; ++b)
                EXPECT_EQ(MapGrid->Cell(x, y).b[b], grid->Cell(x, y).b[b]) << "hex " << x << "," << y << " byte " << b;
}

TEST_P(StartPoint, MarkedHexesLieOnTheirRiversAndRailways) {
    auto neighbour = [&](int city, int direction) {
        int x = g().Cities[city].HexX, y = g().Cities[city].HexY;
        StepHexAt(x, y, direction);
        return std::make_pair(x, y);
    };
    const std::pair<int, int> river[] = {{26, 19}, neighbour(50, 1), neighbour(67, 5), neighbour(55, 5)};
    for (auto [x, y] : river) {
        EXPECT_TRUE(map().Cell(x, y).RiverNavigable()) << "hex " << x << "," << y;
        auto navigable = [&](int hx, int hy) { return map().Cell(hx, hy).RiverNavigable(); };
        EXPECT_GE(Steps(x, y, g().Cities[55].HexX, g().Cities[55].HexY, navigable), 0)
            << "hex " << x << "," << y << " is cut off from the Mississippi at St. Louis";
    }
    EXPECT_FALSE(map().Cell(32, 26).Rail());
    for (auto [x, y] : {std::pair{32, 27}, std::pair{12, 38}, std::pair{13, 38}})
        EXPECT_TRUE(map().Cell(x, y).Rail()) << "hex " << x << "," << y;
    EXPECT_EQ(map().Cell(65, 15).b[1], map().Cell(65, 14).b[1]);
    EXPECT_EQ(g().WeaponTable[5].FireFactor1, 1);
    EXPECT_EQ(g().WeaponTable[5].FireFactor2, 2);
}

// The six rules a load runs to bring derived state up to date find the start point as they leave
// it, whatever the draws: only the weather and the corps' condition, march and disruption are the
// load's own.
TEST_P(StartPoint, TheLoadsDerivedStateRulesLeaveItAsCompiled) {
    auto compiled = std::make_unique<TGameRec>();
    auto grid = std::make_unique<TMapGrid>();
    std::string why;
    ASSERT_TRUE(ReadGameImages(testing::GameFile(std::to_string(year) + ".kvt"), *compiled, *grid, &why)) << why;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        *GameRec = *compiled;
        *MapGrid = *grid;
        frontend->notices.clear();
        SetRandomSeed(seed);
        UpdateHexControl();
        UpdateWeather();
        ResolveConquests();
        RecountForces();
        UpdateCorpsCondition();
        UpdateSupplySources();
        EXPECT_TRUE(frontend->notices.empty()) << "the load announces news";
        TGameRec& g = *GameRec;
        g.TheatreWeather = compiled->TheatreWeather;
        g.WeatherScratch = compiled->WeatherScratch;
        for (int k = 1; k <= kCorpsCount; ++k) {
            g.Corps[k].Condition = compiled->Corps[k].Condition;
            g.Corps[k].March = compiled->Corps[k].March;
            g.Corps[k].Disruption = compiled->Corps[k].Disruption;
        }
        for (const scenario::DrawDependentMark& d : scenario::DrawDependentMarks())
            if (d.year == year) g.Cities[d.city].SupplySource = compiled->Cities[d.city].SupplySource;
        const auto* a = reinterpret_cast<const unsigned char*>(compiled.get());
        const auto* b = reinterpret_cast<const unsigned char*>(&g);
        for (std::size_t at = 0; at < sizeof(TGameRec); ++at)
            if (a[at] != b[at]) {
                ADD_FAILURE() << testing::RecordByte(at) << " changes from " << int(a[at]) << " to " << int(b[at]);
                break;
            }
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y)
                for (int i = 0; i < 3; ++i)
                    EXPECT_EQ(MapGrid->Cell(x, y).b[i], grid->Cell(x, y).b[i]) << "hex " << x << "," << y << " byte " << i;
    }
}

// Supply sources as a load marks them: a city that no nation holds joins nothing, and a capital of a
// held state supplies at least itself.
TEST_P(StartPoint, SupplySourcesAreMarkedAsALoadMarksThem) {
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g().Cities[c];
        if (city.Nation == 0) {
            const int expected = city.Owner == g().States[city.State].ControlSide ? 4 : 0;
            EXPECT_EQ(city.SupplySource, expected) << city.Name.str() << " is held by no nation";
        }
    }
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g().States[s];
        const TCityRec& cap = g().Cities[st.CapitalCity];
        if (st.CapitalCity == 0 || cap.Nation == 0) continue;
        EXPECT_GE(cap.SupplySource, 2) << cap.Name.str() << ", capital of " << st.Name.str();
        EXPECT_LE(cap.SupplySource, 3) << cap.Name.str();
    }
    if (year == 1861) {
        for (const TCityRec& c : g().Cities)
            if (c.State == 20) {
                EXPECT_EQ(c.SupplySource, 4) << c.Name.str() << ": neutral Kentucky supplies nobody";
            }
    }
}

// The computer raises new corps only below 31 and labels them with the lowest free number: each
// nation must start well below that, with a labelled number free.
TEST_P(StartPoint, EachNationHasRoomAndALabelForNewCorps) {
    for (int n : {kNationUnion, kNationConfederacy}) {
        std::set<int> used;
        for (const TCorpsRec& k : g().Corps)
            if (CorpsInUse(k) && k.Nation == n) used.insert(k.Ordinal);
        EXPECT_LE(used.size(), 25u) << "nation " << n << " leaves too little room for new corps";
        int next = 1;
        while (used.count(next)) ++next;
        EXPECT_LE(next, n == kNationUnion ? 33 : 40) << "nation " << n << "'s next corps would carry no label";
    }
}

// Leaders who rose later wait for their month: absent from no earlier start point, later risers
// waiting longer, each coming to hand on a countdown of at most 99 steps.
TEST_P(StartPoint, LeadersWhoRoseLaterWaitForTheirMonth) {
    std::map<std::string, int> status;
    int leaders = 0;
    for (const TLeaderRec& l : g().Leaders) {
        if (l.Nation == 0) continue;
        ++leaders;
        status[l.Name.str()] = l.Status;
        EXPECT_TRUE(l.Status == kLeaderActive || l.Status == kLeaderAvailable || (l.Status >= 1 && l.Status <= 99))
            << l.Name.str() << " starts with status " << int(l.Status);
    }
    const int least[3] = {205, 195, 160};
    EXPECT_GE(leaders, least[year - 1861]);
    struct Row {
        const char* name;
        bool waits[3];  // 1861, 1862, 1863
    };
    const Row rows[] = {
        {"G.A. Custer", {true, true, true}},      {"J. Kilpatrick", {true, true, false}},
        {"P.H. Sheridan", {true, true, false}},   {"J.B. McPherson", {true, true, false}},
        {"J. Buford", {true, true, false}},        {"J.A. Logan", {true, false, false}},
        {"J.B. Hood", {true, true, false}},        {"W.D. Pender", {true, true, false}},
        {"S.D. Lee", {true, true, false}},         {"J. Wheeler", {true, true, false}},
        {"W.H.T. Walker", {false, true, false}},   {"F.P. Blair", {false, true, false}},
        {"G. Weitzel", {true, true, false}},       {"J.E. Slaughter", {true, true, false}},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(status.count(r.name)) << r.name << " takes no part in " << year;
        const int s = status[r.name];
        EXPECT_EQ(s >= 1 && s <= 99, r.waits[year - 1861]) << r.name << " has status " << s;
    }
    if (year == 1861) {
        EXPECT_GT(status["G.A. Custer"], status["J.B. Hood"]) << "a man who rose in 1863 waits longer than one of 1862";
        EXPECT_GT(status["J.B. Hood"], status["J.A. Logan"]);
    }
}

// Cities the plans, marks and setup read by index: their state and who holds them at each date.
TEST_P(StartPoint, CitiesNamedByThePlansPlayTheirParts) {
    struct Row {
        int city;
        const char* name;
        int state;
        int held[3];  // side holding it in 1861, 1862, 1863; kAny where the rule does not care
        const char* part;
    };
    const Row rows[] = {
        {2, "Baltimore", 32, {kUnion, kUnion, kUnion}, "a garrison point of the capital's defence"},
        {6, "Harrisburg", 10, {kUnion, kUnion, kUnion}, "a garrison point of the capital's defence"},
        {10, "Annapolis", 32, {kUnion, kUnion, kUnion}, "a garrison point of the capital's defence"},
        {12, "Alexandria", 34, {kUnion, kUnion, kUnion}, "the forward city of the army at Washington"},
        {14, "Frederick", 32, {kUnion, kUnion, kUnion}, "the post a corps of the capital's defence holds"},
        {13, "Manassas", 22, {kConfederacy, kConfederacy, kAny}, "the first city of the march on Richmond"},
        {15, "Fredericksburg", 22, {kConfederacy, kConfederacy, kAny}, "the second city of the march on Richmond"},
        {16, "Petersburg", 22, {kConfederacy, kConfederacy, kConfederacy}, "the march on Richmond's second target"},
        {23, "Fort Monroe", 22, {kUnion, kUnion, kUnion}, "the Union's bastion in Virginia"},
        {38, "Indianapolis", 8, {kUnion, kUnion, kUnion}, "a garrison point of the Ohio valley"},
        {40, "Cincinnati", 9, {kUnion, kUnion, kUnion}, "a city a corps defends in the Ohio valley"},
        {80, "Columbus", 9, {kUnion, kUnion, kUnion}, "a garrison point of the Ohio valley"},
        {81, "Evansville", 8, {kUnion, kUnion, kUnion}, "a city a corps defends in the Ohio valley"},
        {41, "Cairo", 6, {kUnion, kUnion, kUnion}, "a city of the Ohio valley list"},
        {42, "Bowling Green", 20, {0, kConfederacy, kUnion}, "the second target in Kentucky"},
        {43, "Frankfort", 20, {0, kUnion, kUnion}, "the objective in Kentucky"},
        {46, "Nashville", 21, {kConfederacy, kConfederacy, kUnion}, "Tennessee's key city"},
        {47, "Fort Donelson", 21, {kConfederacy, kConfederacy, kUnion}, "Tennessee's threat sensor"},
        {48, "Murfreesboro", 21, {kConfederacy, kConfederacy, kUnion}, "a Tennessee alarm city"},
        {50, "Memphis", 21, {kConfederacy, kConfederacy, kUnion}, "the first city down the Mississippi"},
        {51, "Little Rock", 24, {kConfederacy, kConfederacy, kConfederacy}, "a garrison point beyond the river"},
        {65, "New Orleans", 26, {kConfederacy, kConfederacy, kUnion}, "a field-defence city beyond the river"},
        {66, "Baton Rouge", 26, {kConfederacy, kConfederacy, kUnion}, "an objective down the Mississippi"},
        {67, "Vicksburg", 25, {kConfederacy, kConfederacy, kConfederacy}, "a garrison point on the river"},
        {68, "Jackson", 25, {kConfederacy, kConfederacy, kConfederacy}, "a field-defence city beyond the river"},
        {79, "Corinth", 25, {kConfederacy, kConfederacy, kUnion}, "the second objective down the Mississippi"},
        {76, "Springfield", 19, {0, kConfederacy, kUnion}, "a corps point of Missouri's defence"},
    };
    for (const Row& r : rows) {
        const TCityRec& c = g().Cities[r.city];
        SCOPED_TRACE(std::string(r.name) + ", " + r.part);
        EXPECT_EQ(c.Name.str(), r.name);
        EXPECT_EQ(c.State, r.state);
        EXPECT_EQ(map().Cell(c.HexX, c.HexY).State(), r.state) << "the map puts its hex in another state";
        EXPECT_EQ(c.Theatre, g().States[r.state].Theatre);
        if (r.held[Era()] != kAny) {
            EXPECT_EQ(c.Owner, r.held[Era()]);
        }
        if (c.Owner != 0) {
            EXPECT_EQ(c.Nation, c.Owner) << "a held city belongs to its holder's nation";
        }
    }
    // A bastion the Confederate plan takes only when it is worth four times the best of Virginia.
    int best = 0;
    for (int i = 1; i <= kCityCount; ++i)
        if (i != 23 && i != 17 && g().Cities[i].State == 22) best = std::max<int>(best, g().Cities[i].Value);
    EXPECT_LE(g().Cities[23].Value, 4 * best) << "Fort Monroe would draw every Confederate army in Virginia";
    EXPECT_EQ(g().Cities[23].OriginalOwner, kNationUnion);
}

// River and rail flags the marks of a load and the river plans rely on.
TEST_P(StartPoint, RiverCitiesLieOnTheNavigableRivers) {
    for (int i : {40, 41, 46, 47, 50, 55, 65, 66, 67}) {
        const TCityRec& c = g().Cities[i];
        EXPECT_NE(c.RiverLink, 0) << c.Name.str() << " is a river port";
        EXPECT_TRUE(map().Cell(c.HexX, c.HexY).RiverNavigable()) << c.Name.str();
    }
}

// The Mississippi between the Missouri shore and Cairo, Columbus and New Madrid is a heavy obstacle.
TEST_P(StartPoint, CrossingTheMississippiAtCairoAndColumbusCostsARiverCrossing) {
    struct Row {
        int x, y, direction;
        const char* what;
    };
    const Row rows[] = {{28, 24, 3, "Bird's Point to Cairo"},
                        {28, 25, 2, "the Missouri shore to Cairo"},
                        {28, 25, 3, "the Missouri shore to Columbus"},
                        {28, 26, 2, "New Madrid to Columbus"}};
    for (const Row& r : rows) EXPECT_EQ(HexsideValue(map(), r.x, r.y, r.direction), 2) << r.what;
}

TEST_P(StartPoint, StatesNamedByThePlansPlayTheirParts) {
    struct Row {
        int state;
        const char* name;
        int theatre;
        int owner;  // side owning it at every date
        const char* part;
    };
    const Row rows[] = {
        {6, "Illinois", kMississippi, kUnion, "a Union state bordering Kentucky"},
        {8, "Indiana", kWest, kUnion, "a Union state bordering Kentucky"},
        {9, "Ohio", kWest, kUnion, "a Union state bordering Kentucky"},
        {10, "Pennsylvania", kSeaboard, kUnion, "part of the Washington region"},
        {32, "Maryland", kSeaboard, kUnion, "part of the Washington region"},
        {34, "Washington D.C.", kSeaboard, kUnion, "the Washington region's centre"},
        {24, "Arkansas", kMississippi, kConfederacy, "the state that takes Missouri's recruits"},
        {25, "Mississippi", kMississippi, kConfederacy, "a state of the river defence"},
        {26, "Louisiana", kMississippi, kConfederacy, "a state of the river defence"},
    };
    for (const Row& r : rows) {
        const TStateRec& s = g().States[r.state];
        SCOPED_TRACE(std::string(r.name) + ", " + r.part);
        EXPECT_EQ(s.Name.str(), r.name);
        EXPECT_EQ(s.Theatre, r.theatre);
        EXPECT_EQ(s.Owner, r.owner);
    }
    // The states that watch Kentucky touch it on the map.
    for (int st : {6, 8, 9}) {
        bool borders = false;
        for (int x = 1; x <= kMapColumns && !borders; ++x)
            for (int y = 1; y <= kMapRows && !borders; ++y) {
                if (map().Cell(x, y).State() != st) continue;
                for (int d = 1; d <= 6; ++d) {
                    int nx = x, ny = y;
                    StepHexAt(nx, ny, d);
                    borders = borders || (OnMap(nx, ny) && map().Cell(nx, ny).State() == 20);
                }
            }
        EXPECT_TRUE(borders) << g().States[st].Name.str() << " does not border Kentucky";
    }
    EXPECT_EQ(g().Cities[11].State, 34) << "Washington lies in the district";
}

// Elections are held in the voting states only; each weighs with its electoral votes.
TEST_P(StartPoint, TheVotingStatesCarryTheirElectoralVotes) {
    for (int s = 1; s <= kStateCount; ++s) {
        const bool votes = s <= 20 || s == 32 || s == 33;
        const TStateRec& st = g().States[s];
        if (votes) {
            EXPECT_GE(st.PoliticalValue, 3) << st.Name.str() << " votes in the election";
            EXPECT_LE(st.PoliticalValue, 35) << st.Name.str();
        }
    }
    EXPECT_GT(g().States[11].PoliticalValue, g().States[10].PoliticalValue) << "New York outweighs Pennsylvania";
    EXPECT_GT(g().States[10].PoliticalValue, g().States[9].PoliticalValue) << "Pennsylvania outweighs Ohio";
}

// States drafted city by city need a capital; the rest earn and draft from an output seed.
TEST_P(StartPoint, DraftStatesHaveCapitalsAndTheOthersAnOutputSeed) {
    const std::vector<int> withCapital = {6, 8, 9, 10, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
                                          32, 33, 34, 35, 36, 37};
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g().States[s];
        const bool capital = std::find(withCapital.begin(), withCapital.end(), s) != withCapital.end();
        if (capital) {
            EXPECT_NE(st.CapitalCity, 0) << st.Name.str() << " drafts through its cities";
            if (st.CapitalCity) {
                EXPECT_EQ(g().Cities[st.CapitalCity].State, s) << st.Name.str();
            }
        } else {
            EXPECT_EQ(st.CapitalCity, 0) << st.Name.str() << " lies off the map";
            EXPECT_GE(st.OutputSeed, 100) << st.Name.str() << " would earn nothing";
            EXPECT_EQ(st.CityOutput, st.OutputSeed) << st.Name.str();
        }
    }
    for (int s : {1, 2, 3})
        for (int k = 1; k <= kWeaponKinds; ++k)
            EXPECT_EQ(g().States[s].WeaponCapacity[k], 0) << g().States[s].Name.str() << " delivers weapons nobody can cut";
}

// A state's output (its seed, or the sum of its cities) follows its free people of 1860 and their
// industry: no big state earns and drafts less than a small one. Figures in thousands.
TEST_P(StartPoint, OutputFollowsThePeopleOfEachState) {
    struct Row {
        int state;
        int people;  // free inhabitants in 1860, thousands
    };
    const Row unionRows[] = {{1, 52},   {2, 380},  {3, 172},  {4, 675},  {5, 776},  {6, 1712}, {7, 749},  {8, 1350},
                             {9, 2340}, {10, 2906}, {11, 3881}, {12, 326}, {13, 315}, {14, 628}, {15, 1231}, {16, 175},
                             {17, 460}, {18, 672},  {32, 603},  {33, 110}, {34, 75},  {35, 377}};
    const Row confederateRows[] = {{21, 834}, {22, 747}, {23, 421}, {24, 324}, {25, 355}, {26, 376},
                                   {27, 662}, {28, 302}, {29, 596}, {30, 529}, {31, 78}};
    auto output = [&](int s) {
        const TStateRec& st = g().States[s];
        if (st.CapitalCity == 0) return static_cast<double>(st.OutputSeed);
        double sum = 0;
        for (const TCityRec& c : g().Cities)
            if (c.State == s) sum += c.Output;
        return sum;
    };
    auto check = [&](const auto& rows, const char* side) {
        std::vector<double> rates;
        for (const Row& r : rows) rates.push_back(output(r.state) / r.people);
        std::vector<double> sorted = rates;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted[sorted.size() / 2];
        for (std::size_t i = 0; i < rates.size(); ++i) {
            const TStateRec& st = g().States[rows[i].state];
            EXPECT_GT(rates[i], 0.6 * median) << side << ": " << st.Name.str() << " earns and drafts too little";
            EXPECT_LT(rates[i], 1.4 * median) << side << ": " << st.Name.str() << " earns and drafts too much";
        }
    };
    check(unionRows, "Union");
    check(confederateRows, "Confederacy");
}

// The computer players' plans look for these at the start. Where the date forbids one it is not
// asked for: in June 1861 Cairo held a brigade, no army; in February 1862 Buell's headquarters were
// at Louisville and the Confederate armies of the West stood at Bowling Green and Columbus, Kentucky.
TEST_P(StartPoint, TheComputerPlayersFindWhatTheirPlansLookFor) {
    auto army = [&](int nation, auto&& where) {
        for (const TArmyRec& a : g().Armies)
            if (ArmyInUse(a) && a.Nation == nation && where(a)) return true;
        return false;
    };
    auto corpsIn = [&](int nation, int lo, int hi) {
        int n = 0;
        for (const TCorpsRec& k : g().Corps) n += CorpsInUse(k) && k.Nation == nation && k.HomeState >= lo && k.HomeState <= hi;
        return n;
    };
    const TCityRec& memphis = g().Cities[50];
    struct Row {
        const char* expectation;
        bool wanted[3];  // 1861, 1862, 1863
        bool met;
    };
    const Row rows[] = {
        {"a Union army based at Washington", {true, true, true},
         army(kNationUnion, [](const TArmyRec& a) { return a.BaseCity == 11; })},
        {"a Union army based in Indiana or Ohio", {true, false, true},
         army(kNationUnion, [&](const TArmyRec& a) { return g().Cities[a.BaseCity].State == 8 || g().Cities[a.BaseCity].State == 9; })},
        {"a Union army in the West", {true, true, true},
         army(kNationUnion, [](const TArmyRec& a) { return a.Theatre == kWest; })},
        {"a Union army within 11 hexes of Memphis", {false, true, true},
         army(kNationUnion, [&](const TArmyRec& a) {
             const TCityRec& b = g().Cities[a.BaseCity];
             return a.Theatre >= kWest && HexDistance(b.HexX, b.HexY, memphis.HexX, memphis.HexY) < 12;
         })},
        {"a Confederate army based in a Tennessee city it holds", {true, false, true},
         army(kNationConfederacy, [&](const TArmyRec& a) {
             return g().Cities[a.BaseCity].State == 21 && g().Cities[a.BaseCity].Owner == kConfederacy;
         })},
        {"a Confederate army of the Seaboard based in Virginia", {true, true, true},
         army(kNationConfederacy, [&](const TArmyRec& a) { return a.Theatre == kSeaboard && g().Cities[a.BaseCity].State == 22; })},
        {"two Confederate corps in Tennessee", {true, true, true}, corpsIn(kNationConfederacy, 21, 21) >= 2},
        {"two Confederate corps in Arkansas, Mississippi or Louisiana", {true, true, true},
         corpsIn(kNationConfederacy, 24, 26) >= 2},
    };
    for (const Row& r : rows)
        if (r.wanted[Era()]) {
            EXPECT_TRUE(r.met) << "the plans expect " << r.expectation;
        }
    bool port = false, transports = false;
    for (const TCityRec& c : g().Cities) port = port || (c.Port && c.OriginalOwner == kNationConfederacy && c.Owner == kConfederacy);
    for (const TFleetRec& f : g().Fleets)
        transports = transports || (FleetInUse(f) && f.Owner == kNationUnion && f.WaterType == 1 && f.Transports > 1);
    EXPECT_TRUE(port) << "the port plan needs a Confederate port in Confederate hands";
    EXPECT_TRUE(transports) << "landings need a Union ocean fleet with more than one transport";
}

// Missouri in June 1861: its capital is neutral, the Union holds St. Louis, and Lyon's troops stand
// nearer Jefferson City than any Confederate corps, as Lyon took it first; otherwise one Confederate
// march would carry the state before the players chose whether it joins.
TEST_P(StartPoint, MissouriStartsNeutralWithTheUnionNearerItsCapital) {
    const TStateRec& missouri = g().States[19];
    if (year != 1861) {
        EXPECT_EQ(g().Cities[56].Owner, kUnion) << "Missouri is the Union's from 1862";
        return;
    }
    EXPECT_EQ(missouri.Owner, kUnion);
    EXPECT_EQ(missouri.ControlSide, kUnion);
    struct Row {
        int city;
        int owner;
        int nation;
    };
    const Row rows[] = {{55, kUnion, kNationUnion}, {56, 0, 0}, {54, 0, 0}, {76, 0, 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(g().Cities[r.city].Owner, r.owner) << g().Cities[r.city].Name.str();
        EXPECT_EQ(g().Cities[r.city].Nation, r.nation) << g().Cities[r.city].Name.str();
        EXPECT_EQ(g().Cities[r.city].OriginalOwner, 0) << g().Cities[r.city].Name.str();
    }
    const TCityRec& capital = g().Cities[56];
    int nearest[3] = {1000, 1000, 1000};
    for (const TCorpsRec& k : g().Corps)
        if (CorpsInUse(k) && k.Side <= 2)
            nearest[k.Side] = std::min(nearest[k.Side], HexDistance(k.HexX, k.HexY, capital.HexX, capital.HexY));
    EXPECT_LT(nearest[kUnion] + 2, nearest[kConfederacy]) << "a Confederate corps would take Jefferson City first";
}

}  // namespace
}  // namespace kvt
