// The mouse and keys on the map: selecting what stands at a hex, drawing a corps' route, and
// moving the view by keys, minimap and screen edges; the toggles, the command check and Quit.
#include <gtest/gtest.h>

#include "engine/movement/selection.h"
#include "engine/turn/game_load.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/turn_start.h"
#include "engine/view/main_menu.h"
#include "engine/view/map_input.h"
#include "engine/view/turn_menus.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class MapInput : public testing::TurnTest {
protected:
    void SetUp() override {
        TurnTest::SetUp();
        ViewColumn = 31;
        ViewRow = 11;
    }
    // The centre of a hex in the box.
    static TBoxPoint Centre(int column, int row) {
        const TBoxPoint p = HexPixel(column, row);
        return {p.x + 14, p.y + 14};
    }
    // A press as the window handles it: the engine's answer, then the end of the click.
    TMapClick Press(MapButton b, int column, int row) {
        const TBoxPoint p = Centre(column, row);
        TMapClick click = MapMouseDown(b, p.x, p.y);
        if (!click.chooseAmongSeveral) FinishMapClick(click);
        return click;
    }
    std::vector<TMarkerDraw> MoveTo(int column, int row) {
        const TBoxPoint p = Centre(column, row);
        return MapMouseMove(p.x, p.y);
    }
    void Release(int column, int row) {
        const TBoxPoint p = Centre(column, row);
        MapMouseUp(MapButton::Left, p.x, p.y);
    }
    // Which of the four order items are on: corps, army, city, fleet.
    static std::string OrderItems(const TTurnMenus& m) {
        std::string s;
        for (MenuItem i : {MenuItem::CorpsOrders1, MenuItem::ArmyOrders1, MenuItem::CityOrders1, MenuItem::FleetOrders1})
            s += m[i] ? '1' : '0';
        return s;
    }
};

TEST_F(MapInput, DraggingFromAnOwnCorpsWritesItsRouteAndDestination) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> path;  // hexes the pointer passes after the press
        std::pair<int, int> release;
        std::vector<int> route;                  // Route[1..9] afterwards
        int markers;
    };
    // Corps 1 stands on (40, 21); column 40 is even.
    const Case cases[] = {
        {"two steps south then south-east", {{40, 22}, {40, 23}, {41, 24}}, {41, 24}, {4, 4, 3, 0, 9, 9, 9, 9, 9}, 3},
        {"a hex the pointer jumps to is reached step by step", {{40, 22}, {40, 25}}, {40, 25}, {4, 4, 4, 4, 0, 9, 9, 9, 9}, 4},
        {"a jump past the ninth step fills the route up to it", {{40, 22}, {40, 35}}, {40, 35}, {4, 4, 4, 4, 4, 4, 4, 4, 4}, 9},
        {"nine steps fill the route and a tenth adds nothing",
         {{40, 22}, {40, 23}, {40, 24}, {40, 25}, {40, 26}, {40, 27}, {40, 28}, {40, 29}, {40, 30}, {40, 31}},
         {40, 31}, {4, 4, 4, 4, 4, 4, 4, 4, 4}, 9},
        {"a release without steps sets only the destination", {}, {40, 21}, {9, 9, 9, 9, 9, 9, 9, 9, 9}, 0},
        {"coming back over the last hex adds nothing", {{41, 21}, {41, 21}, {42, 21}}, {42, 21}, {2, 3, 0, 9, 9, 9, 9, 9, 9}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        SidePlayed = 1;
        SelectedCorps = 0;
        ResetMapInput();
        for (int k = 1; k <= 9; ++k) GameRec->Corps[1].Route[k] = 9;
        ScriptedFrontend fe;
        EnableTurnMenus();
        const TMapClick click = Press(MapButton::Left, 40, 21);
        EXPECT_FALSE(click.chooseAmongSeveral);
        EXPECT_TRUE(click.open.empty()) << "a left press opens no dialog";
        EXPECT_EQ(SelectedCorps, 1);
        EXPECT_EQ(fe.idPanel, "Leader 1text 459");
        EXPECT_EQ(OrderItems(fe.menus), "1000");
        int markers = 0;
        for (auto [col, row] : c.path)
            markers += static_cast<int>(MoveTo(col, row).size());
        EXPECT_EQ(markers, c.markers);
        Release(c.release.first, c.release.second);
        const TCorpsRec& corps = GameRec->Corps[1];
        EXPECT_EQ(corps.DestX, c.release.first);
        EXPECT_EQ(corps.DestY, c.release.second);
        for (int k = 1; k <= 9; ++k) EXPECT_EQ(corps.Route[k], c.route[k - 1]) << "route step " << k;
        EXPECT_FALSE(RouteDrawing);
    }
}

TEST_F(MapInput, AMarkerIsDrawnAtTheHexTheStepLeaves) {
    ScriptedFrontend fe;
    Press(MapButton::Left, 40, 21);
    const auto first = MoveTo(40, 22);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].direction, 4);
    EXPECT_EQ(first[0].at, HexPixel(40, 21));
    // Near the hex but not yet at its centre: no step.
    const TBoxPoint c = Centre(40, 23);
    EXPECT_TRUE(MapMouseMove(c.x + 8, c.y).empty());
    EXPECT_EQ(MapMouseMove(c.x + 7, c.y - 7).size(), 1u);
}

TEST_F(MapInput, AStraightEastWestDragDrawsAnUnbrokenRouteToThePointersHex) {
    // Corps 1 stands on (40, 21). Along the row through its centre the pointer meets the centres
    // of the even columns only; the odd columns' centres lie 14 pixels above it.
    ScriptedFrontend fe;
    Press(MapButton::Left, 40, 21);
    const TBoxPoint from = Centre(40, 21), to = Centre(46, 21);
    std::vector<TMarkerDraw> drawn;
    for (int x = from.x; x <= to.x; ++x)
        for (const TMarkerDraw& m : MapMouseMove(x, from.y)) drawn.push_back(m);
    ASSERT_EQ(RouteMarks.StepCount, 6);
    ASSERT_EQ(drawn.size(), 6u) << "a marker for every step";
    for (int k = 1; k <= 6; ++k) {
        const TRouteMark& before = RouteMarks.Marks[k - 1];
        const TRouteMark& mark = RouteMarks.Marks[k];
        SCOPED_TRACE("mark " + std::to_string(k));
        EXPECT_EQ(HexDistance(before.Hex.X, before.Hex.Y, mark.Hex.X, mark.Hex.Y), 1) << "one step from the one before";
        EXPECT_EQ(mark.Hex.X, 40 + k);
        int x = before.Hex.X, y = before.Hex.Y;
        StepHexAt(x, y, before.Direction);
        EXPECT_EQ((std::pair{x, y}), (std::pair<int, int>{mark.Hex.X, mark.Hex.Y})) << "its direction leads to it";
        EXPECT_EQ(drawn[k - 1].direction, before.Direction);
        EXPECT_EQ(drawn[k - 1].at, HexPixel(before.Hex.X, before.Hex.Y));
    }
    EXPECT_EQ(RouteMarks.Marks[6].Hex, (THexPos{46, 21})) << "the route ends where the pointer is";
    MapMouseUp(MapButton::Left, to.x, to.y);
    const TCorpsRec& corps = GameRec->Corps[1];
    int x = corps.HexX, y = corps.HexY;
    for (int k = 1; k <= 9; ++k) StepHexAt(x, y, corps.Route[k]);
    EXPECT_EQ((std::pair{x, y}), (std::pair{46, 21})) << "the corps' route leads to its destination";
    EXPECT_EQ((std::pair<int, int>{corps.DestX, corps.DestY}), (std::pair{46, 21}));
}

TEST_F(MapInput, ADragReleasedOutsideTheMapEndsOnItsEdge) {
    ViewColumn = 41;
    ViewRow = 1;
    GameRec->Corps[2].HexX = 75;
    GameRec->Corps[2].HexY = 10;
    ScriptedFrontend fe;
    Press(MapButton::Left, 75, 10);
    ASSERT_EQ(SelectedCorps, 2);
    MapMouseUp(MapButton::Left, 3000, -400);
    EXPECT_EQ(GameRec->Corps[2].DestX, 76);
    EXPECT_EQ(GameRec->Corps[2].DestY, 1);
}

TEST_F(MapInput, OnlyTheSideBeingPlayedDrawsRoutes) {
    ScriptedFrontend fe;
    SidePlayed = 0;
    const TCorpsRec before = GameRec->Corps[1];
    EXPECT_FALSE(Press(MapButton::Left, 40, 21).chooseAmongSeveral);
    EXPECT_EQ(SelectedCorps, 0);
    Release(40, 23);
    EXPECT_EQ(GameRec->Corps[1].DestY, before.DestY);
    SidePlayed = 1;
    // A left press on an enemy corps selects nothing itself; as a right click it tells about it.
    GameRec->Corps[3].Visibility = 2;
    fe.ExpectNotice(0);
    Press(MapButton::Left, 40, 29);
    EXPECT_EQ(SelectedCorps, 3);
    Release(40, 31);
    EXPECT_EQ(GameRec->Corps[3].DestY, 29) << "an enemy corps never gets a destination";
}

TEST_F(MapInput, ARightClickSelectsTheOneObjectAtTheHexAndNamesItsDialog) {
    struct Case {
        const char* name;
        int column, row;
        std::string panel;
        std::string items;  // corps, army, city, fleet order items
        std::vector<OrderDialog> open;
    };
    const Case cases[] = {
        {"a city", 40, 20, "Washington", "0010", {OrderDialog::City}},
        {"an own corps", 42, 20, "Leader 2", "1000", {OrderDialog::Corps}},
        {"an own fleet", 50, 25, "Union text 11", "0001", {OrderDialog::Fleet}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedFrontend fe;
        ClearSelections();
        ResetMapInput();
        EnableTurnMenus();
        const TMapClick click = Press(MapButton::Right, c.column, c.row);
        EXPECT_FALSE(click.chooseAmongSeveral);
        EXPECT_EQ(click.open, c.open);
        EXPECT_EQ(fe.idPanel, c.panel);
        EXPECT_EQ(OrderItems(fe.menus), c.items);
        EXPECT_EQ(RouteEnabled, c.open == std::vector<OrderDialog>{OrderDialog::Corps})
            << "only a selected own corps may be given a route";
    }
}

TEST_F(MapInput, SelectingAnOwnCorpsColoursThePanelByItsRoute) {
    // Corps 1 (40, 21) and 2 (42, 20) are the Union's; the city of (40, 20) is too.
    struct Case {
        const char* name;
        MapButton button;
        int column, row;
        int firstStep;                        // Route[1] of corps 1 and 2
        std::vector<std::uint32_t> colours;   // what the selection gave the panel's text
    };
    const Case cases[] = {
        {"a left press on a corps without a route", MapButton::Left, 40, 21, 0, {0xC0C0C0, 0xC0C0C0}},
        {"a left press on a corps with a route", MapButton::Left, 40, 21, 4, {0xFF0000, 0xFF0000}},
        {"a right click on a corps with a route", MapButton::Right, 42, 20, 2, {0xFF0000}},
        {"a right click on a corps without one", MapButton::Right, 42, 20, 0, {0xC0C0C0}},
        {"a city leaves the colour alone", MapButton::Right, 40, 20, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedFrontend fe;
        ClearSelections();
        ResetMapInput();
        GameRec->Corps[1].Route[1] = static_cast<U8>(c.firstStep);
        GameRec->Corps[2].Route[1] = static_cast<U8>(c.firstStep);
        Press(c.button, c.column, c.row);
        EXPECT_EQ(fe.idPanelColours, c.colours);
    }
    // The choice dialog's own corps is shown as a click on it alone would show it.
    TGameRec& g = *GameRec;
    g.Corps[2].HexX = 40;
    g.Corps[2].HexY = 21;
    g.Corps[2].Route[1] = 1;
    ScriptedFrontend fe;
    ClearSelections();
    ResetMapInput();
    const TMapClick click = Press(MapButton::Right, 40, 21);
    ASSERT_TRUE(click.chooseAmongSeveral);
    SelectionList.Count = 2;
    FinishMapClick(click);
    ASSERT_EQ(SelectedCorps, 2);
    EXPECT_EQ(fe.idPanelColours, std::vector<std::uint32_t>{0xFF0000});
}

TEST_F(MapInput, AnArmyAtItsHeadquartersOpensArmyOrders) {
    TGameRec& g = *GameRec;
    g.Armies[1].BaseCity = 3;
    g.Armies[1].Side = 1;
    g.Armies[1].Nation = 1;
    g.Armies[1].Name = "Potomac";
    g.Cities[3].Owner = 2;  // the city is not the player's, so only the army is collected
    ScriptedFrontend fe;
    const TMapClick click = Press(MapButton::Right, 44, 18);
    EXPECT_EQ(click.open, std::vector<OrderDialog>{OrderDialog::Army});
    EXPECT_EQ(fe.idPanel, "text 0Potomac");
    EXPECT_EQ(OrderItems(fe.menus), "0100");
}

TEST_F(MapInput, AnEnemyCorpsIsDescribedAndNeverOrdered) {
    TGameRec& g = *GameRec;
    g.Corps[3].Visibility = 1;
    g.Corps[3].Entrenchment = 2;
    ScriptedFrontend fe;
    EnableTurnMenus();
    // An earlier selection of an own city leaves its order item on.
    Press(MapButton::Right, 40, 20);
    fe.ExpectNotice(0);
    const TMapClick click = Press(MapButton::Right, 40, 29);
    ASSERT_EQ(fe.notices.size(), 1u);
    EXPECT_EQ(fe.notices[0].lines[1], "Leader 7");
    EXPECT_EQ(fe.notices[0].lines[2], "text 902");
    EXPECT_EQ(fe.notices[0].lines[3], "text 921");
    EXPECT_EQ(fe.notices[0].lines[4], "text 952");
    EXPECT_TRUE(click.open.empty()) << "the earlier city's dialog does not open behind the notice";
    EXPECT_FALSE(fe.menus[MenuItem::CorpsOrders1]);
    EXPECT_EQ(SelectedCorps, 3);
    EXPECT_FALSE(RouteEnabled);
}

TEST_F(MapInput, SeveralObjectsGoToTheChoiceDialogAndTheChosenOneIsSelected) {
    TGameRec& g = *GameRec;
    g.Corps[2].HexX = 40;
    g.Corps[2].HexY = 21;  // two own corps on one hex
    g.Corps[3].HexX = 40;
    g.Corps[3].HexY = 21;
    g.Corps[3].Visibility = 1;  // and a spotted enemy
    struct Case { int chosen; int selected; std::string items; bool routeEnabled; };
    const Case cases[] = {
        {2, 2, "1000", true},
        {3, 3, "0000", false},  // the dialog describes an enemy corps itself; no order item for it
        {0, 0, "0000", false},  // the object chosen is gone under its own dialog
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        ScriptedFrontend fe;
        ClearSelections();
        ResetMapInput();
        EnableTurnMenus();
        // A left press on a crowded hex selects nothing and acts as a right click.
        const TMapClick click = Press(MapButton::Left, 40, 21);
        ASSERT_TRUE(click.chooseAmongSeveral);
        EXPECT_EQ(SelectionList.Count, 3);
        EXPECT_FALSE(RouteEnabled);
        SelectionList.Count = static_cast<std::uint16_t>(c.chosen);
        FinishMapClick(click);
        EXPECT_EQ(SelectedCorps, c.selected);
        EXPECT_EQ(OrderItems(fe.menus), c.items);
        EXPECT_EQ(RouteEnabled, c.routeEnabled);
        EXPECT_TRUE(fe.notices.empty());
    }
}

TEST_F(MapInput, AClickOnAnEmptyHexOrWithNoSidePlayedChangesNothing) {
    for (int side : {1, 0}) {
        ScriptedFrontend fe;
        SidePlayed = static_cast<std::uint16_t>(side);
        SelectedCity = 4;
        const TMapClick click = Press(MapButton::Right, 35, 15);
        EXPECT_FALSE(click.chooseAmongSeveral);
        EXPECT_TRUE(click.open.empty());
        EXPECT_EQ(SelectedCity, 4);
        EXPECT_EQ(fe.idPanel, "");
    }
}

TEST_F(MapInput, KeysMinimapAndEdgesMoveTheViewWithinTheMap) {
    struct Case { int column, row; ViewKey key; int wantColumn, wantRow; };
    const Case keys[] = {
        {5, 10, ViewKey::Left, 3, 10},   // a left step from an odd column lands two columns left
        {3, 10, ViewKey::Left, 1, 10},   {1, 10, ViewKey::Left, 1, 10},
        {39, 10, ViewKey::Right, 41, 10}, {41, 10, ViewKey::Right, 41, 10},
        {5, 1, ViewKey::Up, 5, 1},       {5, 2, ViewKey::Up, 5, 1},
        {5, 31, ViewKey::Down, 5, 32},   {5, 32, ViewKey::Down, 5, 32},
        {5, 10, ViewKey::Other, 5, 10},
    };
    for (const Case& c : keys) {
        ViewColumn = static_cast<std::uint16_t>(c.column);
        ViewRow = static_cast<std::uint16_t>(c.row);
        ScrollViewByKey(c.key);
        ClampView();
        EXPECT_EQ(ViewColumn, c.wantColumn) << c.column << "," << c.row << " key " << static_cast<int>(c.key);
        EXPECT_EQ(ViewRow, c.wantRow) << c.column << "," << c.row << " key " << static_cast<int>(c.key);
    }
    // The right edge band moves the view two columns per tick until column 41 shows first.
    ViewColumn = 33;
    std::vector<int> columns;
    for (int tick = 0; tick < 6; ++tick) {
        ScrollViewAtEdge(MapEdge::Right);
        ClampView();
        columns.push_back(ViewColumn);
    }
    EXPECT_EQ(columns, (std::vector<int>{35, 37, 39, 41, 41, 41}));
    ViewRow = 3;
    for (int tick = 0; tick < 4; ++tick) ScrollViewAtEdge(MapEdge::Top);
    EXPECT_EQ(ViewRow, 1);
    struct Mini { int x, y, column, row; };
    for (const Mini& m : {Mini{75, 53, 41, 32}, Mini{10, 7, 9, 7}, Mini{0, 0, 1, 1}, Mini{20, 40, 19, 32}}) {
        MoveViewToMinimapPoint(m.x, m.y);
        EXPECT_EQ(ViewColumn, m.column) << m.x << "," << m.y;
        EXPECT_EQ(ViewRow, m.row) << m.x << "," << m.y;
    }
}

TEST_F(MapInput, TheLocationLabelNamesTheHexUnderThePointer) {
    const TBoxPoint p = Centre(40, 21);
    EXPECT_EQ(LocationText(p.x, p.y), "40,21");
    EXPECT_EQ(LocationText(0, 0), "31,11");
}

TEST_F(MapInput, HiddenEnemyTogglesBetweenTheSidePlayedAndEverything) {
    struct Case { int before, sidePlayed, after; bool checked; };
    for (const Case& c : {Case{3, 1, 1, true}, Case{1, 1, 3, false}, Case{0, 2, 3, false}, Case{3, 0, 0, true}}) {
        GameRec->EnemyVisibility = static_cast<std::uint16_t>(c.before);
        SidePlayed = static_cast<std::uint16_t>(c.sidePlayed);
        EXPECT_EQ(ToggleHiddenEnemy(), c.checked);
        EXPECT_EQ(GameRec->EnemyVisibility, c.after);
    }
    const bool grid = HexGridShown;
    EXPECT_EQ(ToggleHexGrid(), !grid);
    EXPECT_EQ(ToggleHexGrid(), grid);
    EXPECT_FALSE(ToggleFleetMoves());
    EXPECT_TRUE(ToggleFleetMoves());
}

TEST_F(MapInput, TheCommandCheckReportsLeadersWithTooManyCommands) {
    TGameRec& g = *GameRec;
    {
        ScriptedFrontend fe;
        fe.ExpectNotice(0);
        CheckCommands();
        ASSERT_EQ(fe.notices.size(), 1u);
        EXPECT_EQ(fe.notices[0].lines[1], "No command problems");
        EXPECT_EQ(fe.notices[0].lines[2], "to report.");
    }
    // Leader 1 heads an army and his corps; leader 2 two corps; leader 7 (the enemy's) two corps.
    g.Armies[1].BaseCity = 1;
    g.Armies[1].Leader = 1;
    g.Corps[3].Leader = 7;
    g.Corps[4].Leader = 7;
    g.Corps[5] = g.Corps[2];
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    fe.ExpectNotice(0);
    CheckCommands();
    ASSERT_EQ(fe.notices.size(), 2u);
    EXPECT_EQ(fe.notices[0].lines[1], "Leader 1");
    EXPECT_EQ(fe.notices[0].lines[2], "as assigned to");
    EXPECT_EQ(fe.notices[0].lines[3], "too many commands.");
    EXPECT_EQ(fe.notices[1].lines[1], "Leader 2");
}

TEST_F(MapInput, QuitAnsweredNoLeavesTheGameUntouched) {
    for (int answer : {2, 1}) {
        ScriptedFrontend fe;
        fe.ExpectNotice(0, answer);
        GameStatus = 0;
        EXPECT_EQ(ConfirmQuit(), answer == 1);
        EXPECT_EQ(GameStatus, answer == 1 ? 1 : 0);
        EXPECT_EQ(fe.notices[0].lines[1], "text 463");
    }
}

TEST_F(MapInput, TheMovementDelaySetsTheTimerAndALoadKeepsIt) {
    struct Case { int button, speed, interval; };
    const Case cases[] = {{1, 1, 100}, {2, 2, 200}, {3, 3, 300}, {4, 4, 600}, {5, 5, 1000}, {0, 5, 1000}, {6, 5, 1000}};
    EXPECT_EQ(Timer1Interval(), 1000) << "until a delay is chosen";
    for (const Case& c : cases) {
        SetMovementDelay(c.button);
        EXPECT_EQ(GameRec->MoveSpeed, c.speed) << "button " << c.button;
        EXPECT_EQ(Timer1Interval(), c.interval) << "button " << c.button;
    }
    SetMovementDelay(2);
    ASSERT_TRUE(SaveGameFiles(Path("fast")));
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("fast.KVT"));
    LoadGameMenu();
    EXPECT_EQ(Timer1Interval(), 200) << "the interval is not taken from the game";
    std::string why;
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    ASSERT_TRUE(ReadGameImages(Path("fast.KVT"), *rec, *map, &why)) << why;
    EXPECT_EQ(rec->MoveSpeed, 2) << "the file keeps the choice";
}

TEST_F(MapInput, TheSideChoiceIsOfferedOnlyWhenASideIsPersonPlayed) {
    struct Case { int kind; bool unionPerson, confederatePerson, offered; };
    for (const Case& c : {Case{0, false, false, false}, Case{0, true, false, true}, Case{0, false, true, true},
                          Case{0, true, true, true}, Case{3, true, true, true}}) {
        testing::BuildSyntheticGame(c.unionPerson, c.confederatePerson);
        GameRec->GameKind = static_cast<std::uint16_t>(c.kind);
        GameRec->SideToMove = 1;
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        BringGameIntoPlay(Path("game.kvt"));
        EXPECT_EQ(fe.menus[MenuItem::SideChange], c.offered) << c.unionPerson << c.confederatePerson << c.kind;
    }
    // Not while a turn moves: the selections are the movement's cursors then.
    testing::BuildSyntheticGame(true, true);
    ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    BringGameIntoPlay(Path("game.kvt"));
    GameRec->Nations[1].OrdersGiven = 1;
    SidePlayed = 2;
    ExecuteTurn();
    ASSERT_TRUE(Timer1Enabled());
    EXPECT_FALSE(fe.menus[MenuItem::SideChange]);
    EXPECT_GT(testing::RunMovement(), 0);
    EXPECT_TRUE(fe.menus[MenuItem::SideChange]);
}

}  // namespace
}  // namespace kvt
