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
