// Supply sources, the computer nations' pools and the supply of corps on small worlds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/logistics/corps_supply.h"
#include "engine/logistics/supply_sources.h"
#include "engine/players/computer_players.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using Ints = std::vector<int>;

class SupplySources : public testing::MovementWorld {
protected:
    int Add(const char* name, int x, int y, int side, int state) {
        const int c = AddCity(name, x, y, side);
        City(c).State = static_cast<U8>(state);
        return c;
    }
    TCityRec& City(int c) { return GameRec->Cities[c]; }
    void Fleet(int f, int nation, int transports) {
        GameRec->Fleets[f] = TFleetRec{};
        GameRec->Fleets[f].Owner = static_cast<U8>(nation);
        GameRec->Fleets[f].Transports = static_cast<U8>(transports);
    }
};

TEST_F(SupplySources, CapitalsReachTheirCitiesWhoseLinksChainAndCitiesWithoutRoutesSupplyNobody) {
    TGameRec& g = *GameRec;
    FillMap(1, kUnion, 1);
    for (int s = 1; s <= 3; ++s) g.States[s].ControlSide = kUnion;
    const int capital = Add("Capital", 10, 10, 1, 1), joined = Add("Joined", 14, 10, 1, 1);
    const int linked = Add("Linked", 20, 10, 1, 2), chained = Add("Chained", 26, 10, 1, 2);
    const int isolated = Add("Isolated", 60, 40, 1, 1), lone = Add("Lone", 40, 40, 1, 3);
    const int port = Add("Port", 5, 50, 1, 0), british = Add("British", 70, 5, 2, 0), rebel = Add("Rebel", 70, 50, 2, 0);
    City(british).Nation = kNationBritain;
    for (int c : {port, british, rebel}) City(c).Port = 1;
    g.States[1].CapitalCity = static_cast<U8>(capital);
    g.States[3].CapitalCity = static_cast<U8>(lone);
    Fleet(1, kNationUnion, 2);
    Fleet(2, kNationConfederacy, 5);
    Fleet(3, kNationBritain, 0);
    UpdateSupplySources();
    Ints codes;
    for (int c : {capital, joined, linked, chained, isolated, lone, port, british, rebel}) codes.push_back(City(c).SupplySource);
    EXPECT_EQ(codes, (Ints{3, 2, 2, 2, 4, 2, 1, 0, 0})) << "a lone capital reaches itself";
    EXPECT_FALSE(IsSupplySourceOf(City(isolated), kUnion)) << "code 4 supplies no corps";
    g.Fleets[3].Transports = 1;
    UpdateSupplySources();
    EXPECT_EQ(City(british).SupplySource, 1) << "British transports afloat feed British ports";

    // River and rail routes run below 25 hexes, the sea anywhere the nation rules it; a city reaches itself.
    for (int x = 10; x <= 40; ++x) Hex(x, 30).SetRiverNavigable(true);
    for (int x = 10; x <= 30; ++x) Hex(x, 45).SetRail(true);
    const int r1 = Add("R1", 10, 30, 1, 0), r2 = Add("R2", 34, 30, 1, 0), r3 = Add("R3", 35, 30, 1, 0);
    const int q1 = Add("Q1", 10, 45, 1, 0), q2 = Add("Q2", 30, 45, 1, 0);
    City(r1).RiverLink = City(r2).RiverLink = City(r3).RiverLink = City(r1).Port = City(r3).Port = 1;
    City(q1).RailLink = City(q2).RailLink = 1;
    const Ints routes = {CityRouteKind(r1, r2), CityRouteKind(r1, r3), CityRouteKind(q2, q1), CityRouteKind(r1, r1)};
    EXPECT_EQ(routes, (Ints{kRouteRiver, kRouteNone, kRouteRail, kRouteRiver}));
    g.Nations[1].SeaControl = 2;
    EXPECT_EQ(CityRouteKind(r1, r3), kRouteSea);
}

TEST_F(SupplySources, EachCapitalServesTheCitiesOfItsOwnStateWhereverTheyStandInTheCityList) {
    // The states' cities interleaved in the list, capitals among them. Cities of no nation are fed
    // only by their own state's capital: a stray of another state beside a capital stays unfed.
    TGameRec& g = *GameRec;
    FillMap(1, kUnion, 0);
    for (int s = 1; s <= 3; ++s) g.States[s].ControlSide = kUnion;
    struct Case { const char* name; int x, y, state, nation, code; };
    const Case cases[] = {
        {"second capital", 40, 10, 2, kNationUnion, 3}, {"first's neighbour", 12, 10, 1, 0, 2},
        {"first capital", 10, 10, 1, kNationUnion, 3},  {"stray of the second", 11, 12, 2, 0, 4},
        {"lone capital", 40, 40, 3, kNationUnion, 2},   {"second's neighbour", 43, 10, 2, 0, 2},
        {"first's last", 10, 14, 1, 0, 2},
    };
    std::vector<int> cities;
    for (const Case& c : cases) {
        cities.push_back(Add(c.name, c.x, c.y, kUnion, c.state));
        City(cities.back()).Nation = static_cast<U8>(c.nation);
    }
    g.States[1].CapitalCity = static_cast<U8>(cities[2]);
    g.States[2].CapitalCity = static_cast<U8>(cities[0]);
    g.States[3].CapitalCity = static_cast<U8>(cities[4]);
    for (int sweep = 0; sweep < 2; ++sweep) {
        UpdateSupplySources();
        for (std::size_t k = 0; k < cities.size(); ++k)
            EXPECT_EQ(City(cities[k]).SupplySource, cases[k].code) << cases[k].name << ", sweep " << sweep;
    }
}

TEST_F(SupplySources, ACityFarFromItsCapitalIsCutOffAndJoinedAgainAsItsLineIsCutAndMended) {
    // A city 20 hexes from its capital, beyond any road, reached by rail or by river; each sweep
    // must see the line as the map stands then, whatever the sweep before it saw.
    TGameRec& g = *GameRec;
    FillMap(1, kUnion, 1);
    g.States[1].ControlSide = kUnion;
    const int capital = Add("Capital", 10, 10, 1, 1), far = Add("Far", 30, 10, 1, 1);
    g.States[1].CapitalCity = static_cast<U8>(capital);
    struct Line {
        const char* what;
        void (*lay)(MapCell&);
        void (*cut)(MapCell&);
    };
    const Line lines[] = {
        {"rail taken by the enemy", [](MapCell& c) { c.SetRail(true); }, [](MapCell& c) { c.SetControlSide(kConfederacy); }},
        {"rail torn up", [](MapCell& c) { c.SetRail(true); }, [](MapCell& c) { c.SetRail(false); }},
        {"river run dry", [](MapCell& c) { c.SetRiverNavigable(true); }, [](MapCell& c) { c.SetRiverNavigable(false); }},
    };
    City(capital).RailLink = City(far).RailLink = City(capital).RiverLink = City(far).RiverLink = 1;
    for (const Line& line : lines) {
        FillMap(1, kUnion, 1);
        for (int x = 10; x <= 30; ++x) line.lay(Hex(x, 10));
        Ints codes;
        for (int pass = 0; pass < 2; ++pass) {
            UpdateSupplySources();
            codes.push_back(City(far).SupplySource);
            const MapCell joined = Hex(20, 10);
            line.cut(Hex(20, 10));
            UpdateSupplySources();
            codes.push_back(City(far).SupplySource);
            Hex(20, 10) = joined;
        }
        EXPECT_EQ(codes, (Ints{2, 4, 2, 4})) << line.what;
    }
}

TEST_F(SupplySources, TheComputerPlayersShareAComputerNationsPoolsAndAShortTheatreMayGetTwiceItsDeficit) {
    // Needs: 40 and 20 of two corps, 30 of a fleet of three ships based in the third theatre.
    const std::pair<Ints, Ints> cases[] = {{{0, 5, 10}, {40, 20, 30}}, {{30, 40, 50}, {50, 30, 40}}};
    for (const auto& [pools, after] : cases) {
        SetUp();
        TGameRec& g = *GameRec;
        g.Nations[kNationConfederacy].Human = 1;
        for (int t = 1; t <= 3; ++t)
            for (int n : {1, 2}) g.Nations[n].TheatreSupplies[t] = static_cast<std::uint16_t>(pools[t - 1]);
        for (int t : {1, 2}) {
            const int k = AddCorps(kNationUnion, 10 * t, 10);
            C(k).Region = static_cast<U8>(t);
            C(k).LineCount = static_cast<U8>(t == 1 ? 10 : 5);
            for (int b = 0; b < C(k).LineCount; ++b) AddBrigade(k, kBrigadeInfantry, 20);
        }
        const int home = Add("Home", 50, 50, 1, 0);
        City(home).Theatre = 3;
        Fleet(1, kNationUnion, 3);
        g.Fleets[1].HomePort = static_cast<U8>(home);
        SidePlayed = 1;
        RunComputerPlayers();
        EXPECT_EQ(SidePlayed, 1) << "the side played is given back";
        const auto& n1 = g.Nations[1];
        const auto& n2 = g.Nations[2];
        EXPECT_EQ((Ints{n1.TheatreSupplies[1], n1.TheatreSupplies[2], n1.TheatreSupplies[3], n1.TheatreLoad[1]}),
                  (Ints{after[0], after[1], after[2], 40}));
        EXPECT_EQ((Ints{n2.TheatreSupplies[1], n2.TheatreSupplies[2], n2.TheatreSupplies[3]}), pools) << "a person's own";
    }
}

class CorpsSupply : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(1, kUnion, 1);
        GameRec->Nations[1].Human = 1;
        depot = AddCity("Depot", 20, 20, kUnion, 2);
        corps = AddCorps(kNationUnion, 20, 24);
        C(corps).SupplyCity = static_cast<U8>(depot);
        C(corps).LineCount = 6;
        C(corps).ArtilleryCount = 2;
        for (int i = 0; i < 4; ++i) AddBrigade(corps, kBrigadeInfantry, 25, 3);
        GameRec->Nations[1].TheatreSupplies[1] = 200;
        TFleetRec& f = GameRec->Fleets[1] = TFleetRec{};
        f.Mission = 2;
        f.Ironclads = f.Transports = 1;
        f.Wooden = 2;
        f.Supplies = 10;
    }
    int depot = 0, corps = 0;
};

TEST_F(CorpsSupply, DepotsFeedCorpsThatReachThemAndTheRestForage) {
    struct Case {
        const char* what;
        std::function<void(TCorpsRec&)> build;
        int when, type, priority, state, pool, strength, loss;
        const char* message;
    };
    auto weather = [](int w) { GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(w); };
    auto pool = [](int p) { GameRec->Nations[1].TheatreSupplies[1] = static_cast<std::uint16_t>(p); };
    const Case cases[] = {
        {"high priority on its city's hex draws (6 + 2) x 3 x 4", [](TCorpsRec& k) { k.HexY = 20; k.SupplyPriority = 2; },
         1, 0, 2, 0, 104, 100, 0, nullptr},
        {"encamped two hexes off: a depot corps at standard priority and half the need",
         [](TCorpsRec& k) { k.HexY = 22; k.SupplyType = 1; k.SupplyPriority = 2; }, 0, 0, 1, 0, 152, 100, 0, nullptr},
        // Charged at the depot level (as a forager by then: 6 % of 100), then foraging (10 % of 94).
        {"a short pool: charged twice", [&](TCorpsRec&) { pool(10); }, 1, 2, 0, 9, 10, 85, 9, nullptr},
        {"before movement nobody starves", [&](TCorpsRec&) { pool(10); }, 0, 2, 0, 0, 10, 100, 0, nullptr},
        {"weather 5 cuts a road of 4 hexes", [&](TCorpsRec& k) { weather(5); k.SupplyPriority = 1; },
         0, 2, 0, 0, 200, 100, 0, "Leader1T725"},
        {"weather 8 too", [&](TCorpsRec& k) { weather(8); k.SupplyPriority = 1; }, 0, 2, 0, 0, 200, 100, 0, "Leader1T725"},
        {"roads run only over own hexes", [&](TCorpsRec& k) { for (int x = 1; x <= 76; ++x) Hex(x, 22).SetControlSide(2);
             k.SupplyPriority = 1; }, 0, 2, 0, 0, 200, 100, 0, "Leader1T725"},
        {"weather 6 reaches 6 hexes", [&](TCorpsRec& k) { weather(6); k.SupplyPriority = 1; }, 0, 0, 1, 0, 136, 100, 0,
         nullptr},
        {"a supply city in enemy hands", [&](TCorpsRec& k) { GameRec->Cities[depot].Owner = 2; k.SupplyPriority = 1; },
         0, 2, 0, 0, 200, 100, 0, "Leader1T722"},
        {"a city no route joins feeds nobody",
         [&](TCorpsRec& k) { GameRec->Cities[depot].SupplySource = 4; k.SupplyPriority = 1; }, 0, 2, 0, 0, 200, 100, 0,
         nullptr},
        {"forced march on the land: (10 + 5 + 6 / 2) % of 100", [](TCorpsRec& k) { k.SupplyType = 2; k.March = 2;
             k.Fatigue = 6; }, 1, 2, 0, 18, 200, 82, 18, nullptr},
        {"on the rails: every supply field kept", [](TCorpsRec& k) { k.Activity = 3; k.SupplyDistance = 5;
             k.SupplyLoss = 7; }, 1, 0, 0, 5, 200, 100, 7, nullptr},
        {"no supply city: level 3 after movement, still a depot corps",
         [](TCorpsRec& k) { k.SupplyCity = 0; k.SupplyDistance = 5; }, 1, 0, 0, 5, 200, 99, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.build(C(corps));
        testing::ScriptedFrontend fe;
        if (c.message) fe.ExpectInformationBox();
        SupplyCorps(c.when);
        const TCorpsRec& k = C(corps);
        EXPECT_EQ((Ints{k.SupplyType, k.SupplyPriority, k.SupplyDistance, GameRec->Nations[1].TheatreSupplies[1],
                        k.Strength, k.SupplyLoss}),
                  (Ints{c.type, c.priority, c.state, c.pool, c.strength, c.loss}));
        if (c.message) EXPECT_EQ(fe.messages.at(0), c.message);
        EXPECT_EQ(GameRec->Fleets[1].Supplies, c.when == 1 ? 7 : 10) << "fleets eat their stores after movement";
    }
}

TEST_F(CorpsSupply, AnEnemyFleetAfloatAnywhereOnTheRiverRouteCutsTheCorpsOffFromItsDepot) {
    // The corps lies 12 hexes down a river from its depot, beyond any road: the river feeds it
    // unless an enemy fleet afloat lies on a hex of the route, the depot's own hex included.
    struct Case { const char* what; int side, buildCounter, x, y; bool fed; };
    const Case cases[] = {
        {"an open river", kUnion, 0, 20, 26, true},
        {"an enemy fleet mid-way", kConfederacy, 0, 20, 26, false},
        {"an enemy fleet at the depot", kConfederacy, 0, 20, 20, false},
        {"an enemy fleet next to the corps", kConfederacy, 0, 20, 31, false},
        {"an enemy fleet still building", kConfederacy, 2, 20, 26, true},
        {"an enemy fleet beside the river", kConfederacy, 0, 21, 26, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (int y = 20; y <= 32; ++y) Hex(20, y).SetRiverNavigable(true);
        GameRec->Cities[depot].RiverLink = 1;
        C(corps).HexY = 32;
        TFleetRec& f = GameRec->Fleets[2] = TFleetRec{};
        f.Side = static_cast<U8>(c.side);
        f.BuildCounter = static_cast<U8>(c.buildCounter);
        f.HexX = static_cast<U8>(c.x);
        f.HexY = static_cast<U8>(c.y);
        SupplyCorps(kSupplyBeforeMovement);
        // Fed at subsistence: (6 + 2) brigades' need times the Union's factor of 4.
        EXPECT_EQ((Ints{C(corps).SupplyType, GameRec->Nations[1].TheatreSupplies[1]}),
                  c.fed ? (Ints{0, 200 - 32}) : (Ints{2, 200}));
    }
}

TEST_F(CorpsSupply, InAMailGameOnlyTheSideToMoveReadsTheSupplyMessagesOfItsOwnCorps) {
    // Game kind 0 is played at one screen; 2 to 4 are the stages of a mail game. The corps is
    // turned to foraging whoever reads of it.
    enum Trouble { kNoRoute, kPoolShort, kCityLost };
    struct Case { int kind, toMove, nation; Trouble trouble; const char* message; };
    const Case cases[] = {
        {0, 0, 1, kNoRoute, "Leader1T725"},  {0, 0, 2, kCityLost, "Leader1T722"},
        {3, 1, 1, kNoRoute, "Leader1T725"},  {3, 1, 1, kPoolShort, "T724Leader1"},
        {3, 1, 1, kCityLost, "Leader1T722"}, {3, 2, 1, kNoRoute, nullptr},
        {3, 2, 1, kPoolShort, nullptr},      {3, 2, 1, kCityLost, nullptr},
        {2, 2, 1, kNoRoute, nullptr},        {4, 2, 1, kNoRoute, nullptr},
        {3, 2, 2, kCityLost, "Leader1T722"}, {3, 1, 2, kCityLost, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << ", side " << c.toMove << " to move, nation "
                                          << c.nation << ", trouble " << c.trouble);
        SetUp();
        TGameRec& g = *GameRec;
        g.GameKind = static_cast<std::uint16_t>(c.kind);
        g.SideToMove = static_cast<std::uint16_t>(c.toMove);
        g.Nations[2].Human = 1;
        TCorpsRec& k = C(corps);
        k.Nation = k.Side = static_cast<U8>(c.nation);  // a Confederate corps finds its depot in Union hands
        k.SupplyPriority = 1;
        if (c.trouble == kNoRoute) g.TheatreWeather[1] = 5;
        if (c.trouble == kPoolShort) g.Nations[1].TheatreSupplies[1] = 10;
        if (c.trouble == kCityLost && c.nation == 1) g.Cities[depot].Owner = 2;
        testing::ScriptedFrontend fe;
        if (c.message) fe.ExpectInformationBox();
        SupplyCorps(0);
        EXPECT_EQ(fe.messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(k.SupplyType, 2);
    }
}

TEST_F(CorpsSupply, BesiegedGarrisonsOfCitiesWithoutASupplySourceLoseFiveToFifteenPercentRoundedByTheRemaindersOdds) {
    struct Case { int source, strength; Ints draws; int left; };
    const Case cases[] = {
        {0, 20, {0, 0, 0}, 19},   // 5 % of 20 is exactly 1: never rounded up
        {0, 30, {0, 0, 49}, 28},  // 1.5 rounds up when the draw is below 50
        {0, 30, {0, 0, 50}, 29},
        {0, 30, {5, 5, 0}, 25},   // 15 % of 30 is 4.5
        {1, 30, {}, 30},          // a source feeds its garrison
        {2, 30, {}, 30},
        {3, 30, {}, 30},
        {4, 30, {}, 30},          // a city no route joins feeds no corps, yet its garrison holds out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source * 100 + c.strength);
        SetUp();
        C(corps).Unused = 1;
        AddCorps(kNationConfederacy, 20, 20);
        GameRec->Cities[depot].SupplySource = static_cast<U8>(c.source);
        GameRec->Cities[depot].Garrison = 1;
        TBrigadeRec& b = GameRec->Brigades[1];
        b.AttachKind = kAttachGarrison;
        b.AttachIndex = static_cast<U8>(depot);
        b.Strength = static_cast<U8>(c.strength);
        testing::DrawRanges(c.draws, [] { SupplyCorps(0); });
        EXPECT_EQ(b.Strength, c.left);
    }
}

}  // namespace
}  // namespace kvt
