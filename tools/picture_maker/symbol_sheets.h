// The symbol sheet, the label sheet and the route-marker strip. The map drawing copies fixed
// rectangles out of them (the map view's rules name them), so every cell is drawn exactly where
// that copy reads it.
#pragma once

#include <QImage>
#include <QPoint>

#include "engine/view/map_view_rules.h"

namespace kvt::pictures {

constexpr int kHighestArmyOnSheet = 8;

// Top-left of the cell of a corps (kind 0), infantry division (1) or cavalry division (2) of
// nation 1..4 in army a (0 = none).
QPoint CorpsCell(int kind, int nation, int army);
// Top-left of the headquarters cell of army number n (1..15); nation 1 has its own row.
QPoint ArmyCell(int nation, int number);
// Top-left of the fleet cell by owner and water (river or not); (-1, -1) when none exists.
QPoint FleetCell(int owner, bool river);
// The 19 x 10 headquarters band laid over an army cell.
QPoint ArmyOverlay(int nation);
// Top-left of the 23 x 23 battle marker.
QPoint BattleMarker();
// Number labels: corps 21 x 11 (Union 1..33, Confederacy 1..40), fleets 23 x 11 (1..32).
QPoint CorpsLabel(int nation, int ordinal);
QPoint FleetLabel(int nation, int number);

QImage DrawSymbolSheet();
QImage DrawLabelSheet();
QImage DrawMarkerStrip();

}  // namespace kvt::pictures
