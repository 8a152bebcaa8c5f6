// What the map box shows: the view origin and its bounds, where a hex lies in the box, which
// units the watching side may see, where a stacked corps is drawn and which rectangles of the
// symbol and label sheets make up each symbol. Pixels are those of the 1003 x 633 map box; a hex is
// 28 pixels wide and high, an even column 14 pixels lower. Never draws: the window copies the
// rectangles this file names.
#pragma once

#include <cstdint>
#include <string>

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

namespace kvt {

constexpr int kHexPixels = 28;
constexpr int kMapBoxWidth = 1003;
constexpr int kMapBoxHeight = 633;
// Picture sizes the sheet rectangles must lie within.
constexpr int kSymbolSheetWidth = 489, kSymbolSheetHeight = 244;
constexpr int kLabelSheetWidth = 196, kLabelSheetHeight = 280;
constexpr int kMarkerStripWidth = 83, kMarkerStripHeight = 13;
constexpr int kSymbolCell = 23;
constexpr int kMarkerSize = 12;

struct TBoxPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TBoxPoint&) const = default;
};

// Top-left of hex (c, r)'s outline in the box for the current view (may lie outside the box).
TBoxPoint HexPixel(int column, int row);
// Whether (c, r) is among the 36 x 23 hexes the view touches.
bool HexInView(int column, int row);
// The hex under box point (X, Y), kept on the map however far outside the box the point lies.
THexPos HexAtBoxPoint(int x, int y);

// The hidden-enemy rule.
bool FleetShown(int fleet);
bool CorpsShown(int corps);
// Where corps c is drawn: its hex's position moved 2 pixels right and down for every corps of
// lower index on the same hex, each axis only while it stays inside the box.
TBoxPoint CorpsDrawPosition(int corps);

// A rectangle of a picture; `valid` only when it lies wholly inside that picture.
struct TSheetRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool valid = false;
};

// Colours are 0xRRGGBB.
struct TCorpsSymbol {
    bool drawn = false;          // false: nothing at all is drawn for this corps
    TSheetRect cell;             // from the symbol sheet into the work cell at (0, 0)
    TSheetRect label;            // from the label sheet into the work cell at (1, 7); may be invalid
    std::uint32_t barColour = 0;
    int barLength = 0;           // pixels from x 0 on row 21 of the work cell: 1 + 2 x brigades
};
TCorpsSymbol CorpsSymbol(int corps);

struct TArmySymbol {
    bool drawn = false;
    TSheetRect cell;     // from the symbol sheet
    TSheetRect overlay;  // 19 x 10, into the work cell at (2, 9)
};
TArmySymbol ArmySymbol(int army);

struct TFleetSymbol {
    bool drawn = false;
    TSheetRect cell;   // from the symbol sheet
    TSheetRect label;  // 23 x 11 from the label sheet into the work cell at (0, 0); may be invalid
};
TFleetSymbol FleetSymbol(int fleet);

// The battle marker's cell on the symbol sheet, copied onto the battle hex's position.
TSheetRect BattleMarkerRect();

// Direction marker 1..6 in the marker strip; invalid for any other kind.
TSheetRect MoveMarkerRect(int kind);

// Where each symbol lies on its sheet; the picture maker draws the sheets to these rectangles.
// A corps (kind 0), infantry division (1) or cavalry division (2) of nation 1..4 in army number a
// (0 none); nation 1 and nation 3 share the upper row of each kind.
TSheetRect CorpsCellRect(int kind, int nation, int armyNumber);
// Headquarters of army number n (1..15); the Union's have their own row.
TSheetRect ArmyCellRect(int nation, int armyNumber);
// The 19 x 10 band laid over a headquarters cell.
TSheetRect ArmyOverlayRect(int nation);
// A fleet by owner and water; none (invalid, all zero) for river fleets of nations 3 and 4 and for
// any other owner.
TSheetRect FleetCellRect(int owner, bool river);
// Number labels of corps (21 x 11; Union 1..33, Confederacy 1..40) and fleets (23 x 11, 1..32;
// invalid, all zero, past 32).
TSheetRect CorpsLabelRect(int nation, int ordinal);
TSheetRect FleetLabelRect(int nation, int number);
// The pen of army number n's strength bars, 0xRRGGBB; black for no army and numbers past 8.
std::uint32_t ArmyBarColour(int armyNumber);

// Outline pen of a hex under the hex grid: 0 for none.
std::uint32_t HexOutlineColour(int column, int row);

// Colours the repaint gives the unit panel: by the side played alone.
struct TPanelColours {
    std::uint32_t background = 0;
    std::uint32_t text = 0;
};
TPanelColours IdPanelColours();
// The panel's text colour when an own corps is selected: red once it has a route, else the side's
// colour. It lasts until the next repaint.
std::uint32_t CorpsPanelTextColour(int corps);

// A unit the movement shows after its step.
enum class MovedUnit { Corps, Fleet };

// The unit panel's caption for a unit shown after its move.
std::string MovedUnitCaption(MovedUnit kind, int index);

}  // namespace kvt
