// What the map box shows: the view's bounds, hexes under the pointer, the hidden-enemy rule,
// stacked corps, and the sheet rectangles of every symbol.
#include <gtest/gtest.h>

#include "engine/turn/game_load.h"
#include "engine/view/map_view_rules.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

class MapView : public testing::TurnTest {};

TEST_F(MapView, TheViewKeepsAnOddFirstColumnAndStaysOnTheMap) {
    struct Case { int column, row, wantColumn, wantRow; };
    const Case cases[] = {
        {42, 5, 41, 5},  {0, 0, 1, 1},   {4, 10, 3, 10}, {2, 33, 1, 32},
        {41, 32, 41, 32}, {1, 1, 1, 1}, {40, 0, 39, 1}, {76, 54, 41, 32},
    };
    for (const Case& c : cases) {
        ViewColumn = static_cast<std::uint16_t>(c.column);
        ViewRow = static_cast<std::uint16_t>(c.row);
        ClampView();
        EXPECT_EQ(ViewColumn, c.wantColumn) << c.column << "," << c.row;
        EXPECT_EQ(ViewRow, c.wantRow) << c.column << "," << c.row;
    }
}

TEST_F(MapView, EveryHexInTheViewIsFoundUnderItsOwnCentre) {
    for (auto [column, row] : {std::pair{1, 1}, std::pair{41, 32}, std::pair{17, 9}}) {
        ViewColumn = static_cast<std::uint16_t>(column);
        ViewRow = static_cast<std::uint16_t>(row);
        for (int c = column; c <= column + ViewColumns && c <= kMapColumns; ++c)
            for (int r = row; r <= row + ViewRows && r <= kMapRows; ++r) {
                const TBoxPoint p = HexPixel(c, r);
                ASSERT_TRUE(HexInView(c, r));
                // Any point of the tile's inner square lies in the hex.
                for (auto [dx, dy] : {std::pair{14, 14}, std::pair{2, 2}, std::pair{26, 26}})
                    ASSERT_EQ(HexAtBoxPoint(p.x + dx, p.y + dy), (THexPos{static_cast<std::uint16_t>(c),
                                                                          static_cast<std::uint16_t>(r)}))
                        << "hex " << c << "," << r << " at +" << dx << ",+" << dy;
            }
        EXPECT_FALSE(HexInView(column + ViewColumns + 1, row));
        EXPECT_FALSE(HexInView(column, row + ViewRows + 1));
    }
}

TEST_F(MapView, APointerFarOutsideTheBoxStillNamesAHexOnTheMap) {
    struct Case { int viewColumn, viewRow, x, y, column, row; };
    const Case cases[] = {
        {1, 1, -500, -500, 1, 1},        {41, 32, 5000, 5000, 76, 54},
        {41, 1, 2000, 100, 76, 4},       {1, 32, 10, 4000, 1, 54},
        {3, 5, 33, 10, 4, 5},            // even column above its half-hex drop stays on the first row
        {3, 5, 33, 43, 4, 6},            {3, 5, 59, 27, 5, 5}, {3, 5, 59, 28, 5, 6},
    };
    for (const Case& c : cases) {
        ViewColumn = static_cast<std::uint16_t>(c.viewColumn);
        ViewRow = static_cast<std::uint16_t>(c.viewRow);
        EXPECT_EQ(HexAtBoxPoint(c.x, c.y), (THexPos{static_cast<std::uint16_t>(c.column), static_cast<std::uint16_t>(c.row)}))
            << c.x << "," << c.y;
    }
}

TEST_F(MapView, TheHiddenEnemyRuleShowsWhatTheWatchingSideMaySee) {
    struct Case {
        const char* name;
        int side, nation, spotted;
        bool unionPerson, confederatePerson;
        int visibility, sidePlayed;
        bool shown;
    };
    const Case cases[] = {
        {"unspotted enemy of a computer side", 2, 2, 0, true, false, 0, 1, false},
        {"spotted enemy", 2, 2, 1, true, false, 0, 1, true},
        {"no side at all", 0, 3, 0, true, true, 0, 1, true},
        {"the person's own side against the computer", 1, 1, 0, true, false, 0, 0, true},
        {"two persons: the other's unit, not its turn", 2, 2, 0, true, true, 0, 1, false},
        {"two persons: the unit of the side played", 2, 2, 0, true, true, 0, 2, true},
        {"hidden enemy off shows everything", 2, 2, 0, true, false, 3, 1, true},
        {"visibility set to the unit's side", 2, 2, 0, true, true, 2, 1, true},
        {"a French unit on the Confederate side", 2, 3, 0, true, false, 0, 1, false},
        {"nobody plays: the computer sides are both shown", 2, 2, 0, false, false, 3, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(c.unionPerson, c.confederatePerson);
        TGameRec& g = *GameRec;
        g.EnemyVisibility = static_cast<std::uint16_t>(c.visibility);
        SidePlayed = static_cast<std::uint16_t>(c.sidePlayed);
        TCorpsRec& corps = g.Corps[3];
        corps.Side = static_cast<U8>(c.side);
        corps.Nation = static_cast<U8>(c.nation);
        corps.Visibility = static_cast<U8>(c.spotted);
        TFleetRec& fleet = g.Fleets[2];
        fleet.Side = static_cast<U8>(c.side);
        fleet.Owner = static_cast<U8>(c.nation);
        fleet.Spotted = static_cast<U8>(c.spotted);
        EXPECT_EQ(CorpsShown(3), c.shown);
        EXPECT_EQ(FleetShown(2), c.shown);
    }
}

TEST_F(MapView, AnEmbarkedCorpsIsHiddenWhileAFleetCarriesIt) {
    TGameRec& g = *GameRec;
    SidePlayed = 1;
    g.Corps[1].OrderMode = 4;
    EXPECT_TRUE(CorpsShown(1)) << "embarked but carried by nobody";
    g.Fleets[1].Cargo = 1;
    EXPECT_FALSE(CorpsShown(1)) << "even the player's own corps is not drawn on the water";
    g.Corps[1].OrderMode = 1;
    EXPECT_TRUE(CorpsShown(1)) << "a named cargo that is not embarked still shows";
}

TEST_F(MapView, StackedCorpsStepTwoPixelsWhileTheyStayInTheBox) {
    TGameRec& g = *GameRec;
    for (int c : {1, 2, 3}) {
        g.Corps[c].HexX = 40;
        g.Corps[c].HexY = 30;
    }
    ViewColumn = 39;
    ViewRow = 8;  // column 40 is even: its last row's tile starts 630 pixels down
    const TBoxPoint base = HexPixel(40, 30);
    ASSERT_EQ(base.y, 630);
    EXPECT_EQ(CorpsDrawPosition(1), (TBoxPoint{base.x, base.y}));
    EXPECT_EQ(CorpsDrawPosition(2), (TBoxPoint{base.x + 2, base.y + 2}));
    EXPECT_EQ(CorpsDrawPosition(3), (TBoxPoint{base.x + 4, base.y})) << "the third would leave the box downward";
    ViewRow = 20;
    EXPECT_EQ(CorpsDrawPosition(3), (TBoxPoint{HexPixel(40, 30).x + 4, HexPixel(40, 30).y + 4}));
}

TEST_F(MapView, CorpsSymbolsComeFromTheirSheetCellsAndSkipWhatLiesOutside) {
    struct Case {
        const char* name;
        int kind, nation, armyNumber, ordinal;
        bool drawn;
        int cellX, cellY;
        bool label;
        int labelX, labelY;
        std::uint32_t bar;
    };
    const Case cases[] = {
        {"Union corps outside an army", 0, 1, 0, 3, true, 2, 189, true, 1, 24, 0x000000},
        {"Union corps 11 in army 2", 0, 1, 2, 11, true, 56, 189, true, 27, 0, 0x008000},
        {"Union corps 33, the last label", 0, 1, 1, 33, true, 29, 189, true, 27, 264, 0xFF0000},
        {"Union corps 34 has no label", 0, 1, 1, 34, true, 29, 189, false, 0, 0, 0xFF0000},
        {"Confederate corps 17", 0, 2, 3, 17, true, 83, 217, true, 59, 192, 0x800000},
        {"Confederate corps 40, the last label", 0, 2, 4, 40, true, 110, 217, true, 83, 264, 0xFF00FF},
        {"Confederate corps 41 has no label", 0, 2, 6, 41, true, 164, 217, false, 0, 0, 0x0000FF},
        {"Confederate infantry division", 1, 2, 7, 2, true, 190, 83, false, 0, 0, 0x800080},
        {"Union cavalry division", 2, 1, 8, 2, true, 217, 163, false, 0, 0, 0x008000},
        {"British corps", 0, 4, 1, 5, true, 272, 217, false, 0, 0, 0xFF0000},
        {"French division", 1, 3, 0, 5, true, 244, 136, false, 0, 0, 0x000000},
        {"Union army 9 has a cell but no pen colour", 0, 1, 9, 1, true, 245, 189, true, 1, 0, 0x000000},
        {"French army 9 lies past the sheet", 0, 3, 9, 1, false, 0, 0, false, 0, 0, 0},
        {"an ordinal of 0 is never drawn", 0, 1, 0, 0, false, 0, 0, false, 0, 0, 0},
        {"an unknown kind", 3, 1, 0, 4, false, 0, 0, false, 0, 0, 0},
    };
    TGameRec& g = *GameRec;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCorpsRec& corps = g.Corps[1];
        corps.Kind = static_cast<U8>(c.kind);
        corps.Nation = static_cast<U8>(c.nation);
        corps.Ordinal = static_cast<U8>(c.ordinal);
        corps.Army = c.armyNumber ? 5 : 0;
        g.Armies[5].ArmyNumber = static_cast<U8>(c.armyNumber);
        const TCorpsSymbol s = CorpsSymbol(1);
        EXPECT_EQ(s.drawn, c.drawn);
        if (!c.drawn) continue;
        EXPECT_TRUE(s.cell.valid);
        EXPECT_EQ(s.cell.x, c.cellX);
        EXPECT_EQ(s.cell.y, c.cellY);
        EXPECT_EQ(s.cell.w, 23);
        EXPECT_EQ(s.label.valid, c.label);
        if (c.label) {
            EXPECT_EQ(s.label.x, c.labelX);
            EXPECT_EQ(s.label.y, c.labelY);
            EXPECT_EQ(s.label.w, 21);
            EXPECT_EQ(s.label.h, 11);
        }
        EXPECT_EQ(s.barColour, c.bar);
        EXPECT_EQ(s.barLength, 7) << "three brigades: 1 + 2 x 3 pixels";
    }
}

TEST_F(MapView, FleetAndArmySymbolsComeFromTheirCells) {
    struct FleetCase {
        int owner, water, number;
        bool drawn;
        int cellX;
        bool label;
        int labelX, labelY;
    };
    const FleetCase fleets[] = {
        {1, 1, 1, true, 2, true, 113, 1},     {1, 2, 10, true, 110, true, 113, 100},
        {2, 1, 11, true, 29, true, 140, 140}, {2, 2, 32, true, 137, true, 167, 261},
        {1, 1, 33, true, 2, false, 0, 0},     {3, 1, 4, true, 56, false, 0, 0},
        {4, 0, 4, true, 83, false, 0, 0},     {3, 2, 4, false, 0, false, 0, 0},
        {0, 1, 4, false, 0, false, 0, 0},     {1, 1, 0, false, 0, false, 0, 0},
    };
    TGameRec& g = *GameRec;
    for (const FleetCase& c : fleets) {
        SCOPED_TRACE("fleet of nation " + std::to_string(c.owner) + " number " + std::to_string(c.number));
        TFleetRec& f = g.Fleets[1];
        f.Owner = static_cast<U8>(c.owner);
        f.WaterType = static_cast<U8>(c.water);
        f.FleetNumber = static_cast<U8>(c.number);
        const TFleetSymbol s = FleetSymbol(1);
        EXPECT_EQ(s.drawn, c.drawn);
        if (!c.drawn) continue;
        EXPECT_EQ(s.cell.x, c.cellX);
        EXPECT_EQ(s.cell.y, 56);
        EXPECT_EQ(s.label.valid, c.label);
        if (c.label) {
            EXPECT_EQ(s.label.x, c.labelX);
            EXPECT_EQ(s.label.y, c.labelY);
        }
    }
    struct ArmyCase { int nation, number; bool drawn; int cellX, cellY, overlayX; };
    const ArmyCase armies[] = {
        {1, 1, true, 2, 1, 164}, {2, 3, true, 56, 28, 191}, {4, 18, true, 461, 28, 191},
        {1, 19, false, 0, 0, 0}, {1, 0, false, 0, 0, 0},
    };
    for (const ArmyCase& c : armies) {
        g.Armies[1].Nation = static_cast<U8>(c.nation);
        g.Armies[1].ArmyNumber = static_cast<U8>(c.number);
        const TArmySymbol s = ArmySymbol(1);
        EXPECT_EQ(s.drawn, c.drawn) << "army " << c.number;
        if (!c.drawn) continue;
        EXPECT_EQ(s.cell.x, c.cellX);
        EXPECT_EQ(s.cell.y, c.cellY);
        EXPECT_EQ(s.overlay.x, c.overlayX);
        EXPECT_EQ(s.overlay.w, 19);
        EXPECT_EQ(s.overlay.h, 10);
    }
}

TEST_F(MapView, MarkersOutlinesAndThePanelColours) {
    for (int k = 0; k <= 7; ++k) {
        const TSheetRect r = MoveMarkerRect(k);
        EXPECT_EQ(r.valid, k >= 1 && k <= 6) << k;
        if (r.valid) {
            EXPECT_EQ(r.x, 14 * (k - 1));
        }
    }
    struct Outline { int side; std::uint32_t colour; };
    for (const Outline& o : {Outline{0, 0}, Outline{1, 0x000080}, Outline{2, 0x808080}, Outline{3, 0}}) {
        MapGrid->Cell(10, 10).SetControlSide(o.side);
        EXPECT_EQ(HexOutlineColour(10, 10), o.colour) << "side " << o.side;
    }
    // The repaint colours the panel by the side played alone, whatever is selected.
    struct Panel { int side; std::uint32_t background, text; };
    for (const Panel& p : {Panel{0, 0xC0C0C0, 0x000000}, Panel{1, 0x000080, 0xC0C0C0}, Panel{2, 0x808080, 0xFFFFFF}}) {
        SidePlayed = static_cast<std::uint16_t>(p.side);
        SelectedCorps = 1;
        GameRec->Corps[1].Route[1] = 3;
        const TPanelColours c = IdPanelColours();
        EXPECT_EQ(c.background, p.background) << "side " << p.side;
        EXPECT_EQ(c.text, p.text) << "side " << p.side;
    }
    // A selected own corps: red once its first route step is set, else the side's text colour.
    struct Selected { int side, route; std::uint32_t text; };
    for (const Selected& s : {Selected{1, 0, 0xC0C0C0}, Selected{1, 3, 0xFF0000}, Selected{2, 0, 0xFFFFFF},
                              Selected{2, 6, 0xFF0000}}) {
        SidePlayed = static_cast<std::uint16_t>(s.side);
        GameRec->Corps[4].Route[1] = static_cast<U8>(s.route);
        GameRec->Corps[4].Route[2] = 5;  // only the first step counts
        EXPECT_EQ(CorpsPanelTextColour(4), s.text) << "side " << s.side << " route " << s.route;
    }
}

TEST_F(MapView, AnArmyWithoutHeadquartersFreesItsSlotWhenAGameComesIntoPlay) {
    TGameRec& g = *GameRec;
    g.Armies[2].Nation = 1;
    g.Armies[2].BaseCity = 0;
    g.Armies[3].Nation = 2;
    g.Armies[3].BaseCity = 2;
    g.Corps[3].Army = 3;  // an army needs a corps to outlive the load's recount
    testing::ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    BringGameIntoPlay(Path("game.kvt"));
    EXPECT_TRUE(ArmySlotFree(g.Armies[2]));
    EXPECT_EQ(g.Armies[3].Nation, 2) << "an army with headquarters keeps its nation";
}

}  // namespace
}  // namespace kvt
