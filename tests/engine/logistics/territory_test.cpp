// Hex control and the weather on small worlds.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/logistics/hex_control.h"
#include "engine/logistics/weather.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

class HexControl : public testing::MovementWorld {
protected:
    // State 1 everywhere, held by `stateSide`, every hex controlled by `hexSide`; a city of the
    // other nation far away keeps the state from being quiet (worth 7 to its side) unless asked.
    void World(int stateSide, int hexSide, bool quiet = false) {
        SetUp();
        FillMap(1, hexSide, 1);
        TStateRec& st = GameRec->States[1];
        st.ControlSide = st.Owner = st.Controller = static_cast<U8>(stateSide);
        if (!quiet) GameRec->Cities[AddCity("Far", 70, 50, 3 - stateSide)].State = 1;
    }
    void RiverFleet(int side, int y) {
        Hex(20, 20).SetRiver(true);
        TFleetRec& f = GameRec->Fleets[1] = TFleetRec{};
        f.Side = static_cast<U8>(side);
        f.HexX = 20;
        f.HexY = static_cast<U8>(y);
        f.WaterType = 2;
    }
};

TEST_F(HexControl, TheSideWithTheStrictlyHighestTallyTakesTheHexAndTiesKeepIt) {
    auto corpsOn = [&](int nation, int count) {
        for (int i = 0; i < count; ++i) AddCorps(nation, 20, 20);
    };
    struct Case { int side; const char* what; std::function<void()> build; };
    const Case cases[] = {
        {2, "nobody's hex goes to its state's side, whatever corps stand on it", [&] { World(2, 0); corpsOn(1, 3); }},
        {1, "a Union hold clears the tally of lower-index enemies", [&] { World(1, 1); corpsOn(2, 13); corpsOn(1, 1); }},
        {1, "a Confederate hold loses to a Union tally above 205", [&] { World(2, 2); corpsOn(1, 13); corpsOn(2, 1); }},
        {2, "enemy corps one and two hexes off", [&] { World(1, 1); AddCorps(2, 20, 22); AddCorps(2, 21, 21); }},
        {2, "a quiet state", [&] { World(2, 1, true); }},
        {2, "a river fleet on the hex", [&] { World(2, 1); RiverFleet(2, 20); }},
        {1, "a river fleet next to it ties a Union corps two off", [&] { World(2, 1); RiverFleet(2, 21); AddCorps(1, 20, 22); }},
        {1, "no river bit, no fleet", [&] { World(2, 1); RiverFleet(2, 20); Hex(20, 20).SetRiver(false); }},
        {1, "a city shows its holder", [&] { World(2, 2, true); AddCity("Held", 20, 20, 1); }},
        {1, "a bad state byte is cleared and the hex kept", [&] { World(2, 1, true); Hex(20, 20).SetState(40); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.build();
        UpdateHexControl();
        EXPECT_EQ(Hex(20, 20).ControlSide(), c.side);
        EXPECT_LE(Hex(20, 20).State(), 1);
    }
}

TEST_F(HexControl, APassAfterAnyChangeLeavesWhatTheFullRescanLeaves) {
    // Each world is settled by two passes, then changed; the next pass must weigh again every hex
    // the change sways, as the full rescan does, and each change sways some hex.
    auto river = [&] {
        for (int x = 10; x <= 30; ++x) Hex(x, 20).SetRiver(true);
    };
    // A Confederate and a Union corps one hex either side of (26, 17), where the Confederate's
    // sway (4) outweighs the Union's (4) only with the hex's own weight for its controller.
    int grey = 0;  // the piece a case changes
    auto standoff = [&] {
        World(2, 2);
        grey = AddCorps(2, 26, 16);
        AddCorps(1, 26, 18);
    };
    struct Case {
        const char* what;
        std::function<void()> build, change;
    };
    const Case cases[] = {
        {"a river fleet sails three hexes", [&] { World(2, 1); river(); RiverFleet(2, 20); },
         [&] { GameRec->Fleets[1].HexX = 23; }},
        {"a river fleet holding a hex against a Union corps goes to the yard",
         [&] { World(2, 1); river(); RiverFleet(2, 20); AddCorps(1, 20, 21); },
         [&] { GameRec->Fleets[1].BuildCounter = 5; }},
        {"a river fleet holding a hex against a Union corps gives its slot to a fleet at sea",
         [&] { World(2, 1); river(); RiverFleet(2, 20); AddCorps(1, 20, 21); },
         [&] { GameRec->Fleets[1].WaterType = 1; }},
        {"a corps marches three hexes", [&] { World(2, 1); grey = AddCorps(2, 26, 16); },
         [&] { GameRec->Corps[grey].HexX = 23; }},
        {"a corps is met by the enemy", standoff, [&] { GameRec->Corps[grey].Opponent = 1; }},
        {"a corps gains contact", standoff, [&] { GameRec->Corps[grey].ContactCode = 1; }},
        {"a corps is freed", standoff, [&] { GameRec->Corps[grey].Unused = 1; }},
        // A corps in contact or engaged sways only its own hex: its old and new hexes are weighed.
        {"a corps in contact marches three hexes", [&] { World(2, 1); grey = AddCorps(2, 26, 16); GameRec->Corps[grey].ContactCode = 1; },
         [&] { GameRec->Corps[grey].HexX = 23; }},
        {"an engaged corps marches three hexes", [&] { World(2, 1); grey = AddCorps(2, 26, 16); GameRec->Corps[grey].Opponent = 1; },
         [&] { GameRec->Corps[grey].HexX = 23; }},
        {"a corps loses contact and sways the hexes around it again",
         [&] { World(2, 1); grey = AddCorps(2, 26, 16); GameRec->Corps[grey].ContactCode = 1; },
         [&] { GameRec->Corps[grey].ContactCode = 0; }},
        {"a corps breaks off its battle", [&] { World(2, 1); grey = AddCorps(2, 26, 16); GameRec->Corps[grey].Opponent = 1; },
         [&] { GameRec->Corps[grey].Opponent = 0; }},
        {"a corps changes sides", [&] { World(2, 1); grey = AddCorps(1, 14, 24); },
         [&] { GameRec->Corps[grey].Side = 2; }},
        // Near the edges only the hexes on the map are swayed.
        {"a corps in the north-west corner marches along the edge", [&] { World(2, 1); grey = AddCorps(2, 1, 1); },
         [&] { GameRec->Corps[grey].HexY = 3; }},
        {"a corps in the south-east corner marches along the edge",
         [&] { World(2, 1); grey = AddCorps(2, kMapColumns, kMapRows); }, [&] { GameRec->Corps[grey].HexX = kMapColumns - 2; }},
        {"a corps one hex in from the south-west corner marches out to it",
         [&] { World(2, 1); grey = AddCorps(2, 2, kMapRows - 1); }, [&] { GameRec->Corps[grey].HexX = 1; }},
        {"the state's last foreign city changes hands", [&] { World(2, 1); },
         [&] { GameRec->Cities[1].Nation = 2; }},
        {"a quiet state goes to the Union", [&] { World(2, 2, true); }, [&] { GameRec->States[1].ControlSide = 1; }},
        // Without its quiet bonus the state's side no longer outweighs the Union corps beside its hexes.
        {"a Union corps counted as raised in a quiet state ends its quiet", [&] { World(2, 2, true); grey = AddCorps(1, 26, 16); },
         [&] { GameRec->Corps[grey].HomeState = 1; GameRec->Corps[grey].LineCount = 6; }},
        {"a column of hexes gets a bad state byte", [&] { World(2, 1); },
         [&] { for (int y = 1; y <= kMapRows; ++y) Hex(18, y).SetState(40); }},
        {"a hex is given to nobody", [&] { World(2, 1); }, [&] { Hex(25, 25).SetControlSide(0); }},
        {"a city changes hands", [&] { World(2, 2, true); grey = AddCity("Ford", 17, 20, 2); },
         [&] { GameRec->Cities[grey].Owner = 1; }},
        // Corps are kept by slot: one past the first sixty-four must sway as any other.
        {"a corps in slot 70 marches three hexes",
         [&] { World(2, 1); grey = 70; GameRec->Corps[grey] = GameRec->Corps[AddCorps(2, 26, 16)]; GameRec->Corps[1].Unused = 1; },
         [&] { GameRec->Corps[grey].HexX = 23; }},
        // A Union corps on a Confederate city outweighs the hex, yet the city hex shows its holder;
        // of two cities on one hex, the later one's.
        {"a Union corps marches onto a Confederate city", [&] { World(2, 2, true); AddCity("Ford", 17, 20, 2); grey = AddCorps(1, 23, 20); },
         [&] { GameRec->Corps[grey].HexX = 17; }},
        {"a Union corps marches onto a hex of a Union and a Confederate city",
         [&] { World(2, 2, true); AddCity("Ford", 17, 20, 1); AddCity("Mill", 17, 20, 2); grey = AddCorps(1, 23, 20); },
         [&] { GameRec->Corps[grey].HexX = 17; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.build();
        UpdateHexControl();
        UpdateHexControl();
        c.change();
        const TGameRec record = *GameRec;
        const TMapGrid map = *MapGrid;
        UpdateHexControlFullRescan();
        const TMapGrid rescanned = *MapGrid;
        const TGameRec rescannedRecord = *GameRec;
        *GameRec = record;
        *MapGrid = map;
        UpdateHexControl();
        EXPECT_EQ(std::memcmp(MapGrid, &rescanned, sizeof rescanned), 0);
        EXPECT_EQ(std::memcmp(GameRec, &rescannedRecord, sizeof rescannedRecord), 0);
        EXPECT_NE(std::memcmp(MapGrid, &map, sizeof map), 0) << "the change sways no hex";
    }
}

TEST_F(HexControl, EachPassTalliesAStatesForeignCitiesAndTheEnemyLinesOfItsCorps) {
    // A quiet Confederate state 1, settled by two passes before the change; the saved state record
    // carries the tallies, and the pass must leave what the full rescan leaves.
    auto corpsFrom = [&](int nation, int homeState, int lines) {
        TCorpsRec& k = GameRec->Corps[AddCorps(nation, 30, 30)];
        k.HomeState = static_cast<U8>(homeState);
        k.LineCount = static_cast<U8>(lines);
        return &k;
    };
    struct Case {
        const char* what;
        int foreign, enemy;
        std::function<void()> change;
        std::function<void()> before = [] {};  // built before the settling passes
    };
    int late = 0;  // the last of three cities in the state
    const Case cases[] = {
        {"a Union corps raised there", 0, 6, [&] { corpsFrom(1, 1, 6); }},
        {"two Union corps add their lines", 0, 15, [&] { corpsFrom(1, 1, 6); corpsFrom(1, 1, 9); }},
        {"a Confederate corps raised there", 0, 0, [&] { corpsFrom(2, 1, 6); }},
        {"a freed Union corps", 0, 0, [&] { corpsFrom(1, 1, 6)->Unused = 1; }},
        {"Union corps of no state or a bad one", 0, 0, [&] { corpsFrom(1, 0, 6); corpsFrom(1, 40, 6); }},
        {"a Union city there", 1, 0, [&] { GameRec->Cities[AddCity("Ford", 17, 20, 1)].State = 1; }},
        {"a Union city of no state", 0, 0, [&] { AddCity("Ford", 17, 20, 1); }},
        {"its Confederate city held by another nation than the controller", 1, 0,
         [&] { const int c = AddCity("Ford", 17, 20, 2); GameRec->Cities[c].State = 1; GameRec->Cities[c].Nation = 1; }},
        // The cities stay as they were: the state's new controller alone makes its city foreign or not.
        {"the state passes to the nation holding its Union city", 0, 0, [&] { GameRec->States[1].Controller = 1; },
         [&] { GameRec->Cities[AddCity("Ford", 17, 20, 1)].State = 1; }},
        {"the state passes away from the nation holding its city", 1, 0, [&] { GameRec->States[1].Controller = 1; },
         [&] { GameRec->Cities[AddCity("Ford", 17, 20, 2)].State = 1; }},
        {"the last of its cities goes to the Union", 1, 0, [&] { GameRec->Cities[late].Nation = 1; },
         [&] {
             for (const char* name : {"Ford", "Mill", "Bend"}) GameRec->Cities[late = AddCity(name, 17, 20, 2)].State = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        World(2, 2, true);
        c.before();
        UpdateHexControl();
        UpdateHexControl();
        c.change();
        const TGameRec record = *GameRec;
        UpdateHexControlFullRescan();
        const TGameRec rescanned = *GameRec;
        *GameRec = record;
        UpdateHexControl();
        EXPECT_EQ(GameRec->States[1].ForeignHeld, c.foreign);
        EXPECT_EQ(GameRec->States[1].EnemyStrength, c.enemy);
        EXPECT_EQ(std::memcmp(GameRec, &rescanned, sizeof rescanned), 0);
    }
}

TEST_F(HexControl, AHexTakenFromNobodyIsWeighedAgainByTheNextPass) {
    // Nobody's hex goes to its state's side first; held, it is swayed by the Union corps beside it.
    World(2, 2);
    Hex(20, 20).SetControlSide(0);
    AddCorps(1, 20, 21);
    UpdateHexControl();
    EXPECT_EQ(Hex(20, 20).ControlSide(), 2);
    const TMapGrid map = *MapGrid;
    UpdateHexControlFullRescan();
    const TMapGrid rescanned = *MapGrid;
    *MapGrid = map;
    UpdateHexControl();
    EXPECT_EQ(Hex(20, 20).ControlSide(), 1);
    EXPECT_EQ(std::memcmp(MapGrid, &rescanned, sizeof rescanned), 0);
}

class Weather : public testing::EngineTest {};

TEST_F(Weather, EachTheatreFollowsItsMonthsRowFromTheMeanOfItsOldWeatherAndADraw) {
    struct Case { int month, row, before[3]; std::vector<int> draws; int after[3]; };
    // The row under test holds its column number, every other row 5.
    const Case cases[] = {
        {4, 3, {4, 11, 0}, {0, 14, 0}, {1, 11, 1}},  // Seaboard 2 lowered, Mississippi 0 read as 1
        {7, 3, {2, 0, 11}, {0, 3, 14}, {1, 0, 6}},   // Seaboard 1 stands, 11 halved plus one
        {12, 8, {0, 40, 3}, {0, 0, 2}, {0, 11, 2}},  // a damaged code still reads a column of its row
        {1, 0, {6, 6, 6}, {4, 4, 4}, {2, 3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.month);
        SetUp();
        GameRec->Day = 11;
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        std::memset(GameRec->WeatherTable, 5, sizeof GameRec->WeatherTable);
        for (int col = 0; col < 12; ++col) GameRec->WeatherTable[c.row][col] = static_cast<U8>(col);
        for (int t = 1; t <= 3; ++t) GameRec->TheatreWeather[t] = static_cast<std::uint16_t>(c.before[t - 1]);
        EXPECT_EQ(testing::DrawRanges(c.draws, [] { UpdateWeather(); }), (std::vector<int>{15, 15, 15}));
        for (int t = 1; t <= 3; ++t) EXPECT_EQ(GameRec->TheatreWeather[t], c.after[t - 1]) << "theatre " << t;
    }
}

}  // namespace
}  // namespace kvt
