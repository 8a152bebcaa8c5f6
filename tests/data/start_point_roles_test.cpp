// The three start points against the rules that name states and cities by index: each city and state
// a rule reads plays the part the rule gives it, the economy follows the country's people, and the
// computer players find the armies and corps their plans look for.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

constexpr int kAny = -1;

class StartPointRoles : public testing::EngineTest, public ::testing::WithParamInterface<int> {
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

INSTANTIATE_TEST_SUITE_P(Years, StartPointRoles, ::testing::Values(1861, 1862, 1863),
                         [](const auto& info) { return std::to_string(info.param); });

// Cities the plans, marks and setup read by index: their state and who holds them at each date.
TEST_P(StartPointRoles, CitiesNamedByThePlansPlayTheirParts) {
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
TEST_P(StartPointRoles, RiverCitiesLieOnTheNavigableRivers) {
    for (int i : {40, 41, 46, 47, 50, 55, 65, 66, 67}) {
        const TCityRec& c = g().Cities[i];
        EXPECT_NE(c.RiverLink, 0) << c.Name.str() << " is a river port";
        EXPECT_TRUE(map().Cell(c.HexX, c.HexY).RiverNavigable()) << c.Name.str();
    }
    for (int i : {38, 60}) EXPECT_EQ(g().Cities[i].RiverLink, 0) << g().Cities[i].Name.str();
    int x = g().Cities[50].HexX, y = g().Cities[50].HexY;
    StepHexAt(x, y, 1);
    EXPECT_TRUE(map().Cell(x, y).RiverNavigable()) << "the river runs on north of Memphis";
    x = g().Cities[67].HexX, y = g().Cities[67].HexY;
    StepHexAt(x, y, 5);
    EXPECT_TRUE(map().Cell(x, y).RiverNavigable()) << "the river runs on south-west of Vicksburg";
}

// The Mississippi between the Missouri shore and Cairo, Columbus and New Madrid is a heavy obstacle.
TEST_P(StartPointRoles, CrossingTheMississippiAtCairoAndColumbusCostsARiverCrossing) {
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

TEST_P(StartPointRoles, StatesNamedByThePlansPlayTheirParts) {
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
TEST_P(StartPointRoles, TheVotingStatesCarryTheirElectoralVotes) {
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
TEST_P(StartPointRoles, DraftStatesHaveCapitalsAndTheOthersAnOutputSeed) {
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
TEST_P(StartPointRoles, OutputFollowsThePeopleOfEachState) {
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
TEST_P(StartPointRoles, TheComputerPlayersFindWhatTheirPlansLookFor) {
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
TEST_P(StartPointRoles, MissouriStartsNeutralWithTheUnionNearerItsCapital) {
    const TStateRec& missouri = g().States[19];
    if (year != 1861) {
        EXPECT_EQ(missouri.Controller, kNationUnion) << "Missouri is the Union's from 1862";
        EXPECT_EQ(g().Cities[56].Owner, kUnion);
        return;
    }
    EXPECT_EQ(missouri.Controller, 0);
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
