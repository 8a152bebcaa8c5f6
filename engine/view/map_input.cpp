// Selection and route drawing by mouse, and the view's movements by keys, minimap and edges.
#include "engine/view/map_input.h"

#include <cstdlib>

#include "engine/forces/brigade_rules.h"
#include "engine/movement/selection.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/notice.h"
#include "engine/world/record_queries.h"
#include "engine/world/text_table.h"

namespace kvt {

TRouteMarks RouteMarks;
bool RouteDrawing = false;
bool RouteEnabled = false;
THexPos RouteLastHex;

namespace {

// A drag reaches a hex once the pointer is this close to its centre on both axes.
constexpr int kCentreReach = 8;

bool OwnCorps(int corps) { return GameRec->Corps[corps].Side == SideBeingPlayed(); }

bool StandsOn(int corps, THexPos hex) {
    const TCorpsRec& c = GameRec->Corps[corps];
    return corps != 0 && c.HexX == hex.X && c.HexY == hex.Y;
}

const std::string& LeaderName(int corps) {
    static std::string name;
    name = GameRec->Leaders[GameRec->Corps[corps].Leader].Name.str();
    return name;
}

// An own corps in the unit panel, its text red once it has a route.
void ShowCorpsInPanel(int corps, const std::string& suffix = {}) {
    Frontend& fe = CurrentFrontend();
    fe.SetIdPanelText(LeaderName(corps) + suffix);
    fe.SetIdPanelTextColour(CorpsPanelTextColour(corps));
}

// The one order item of the selection on, the other three off.
void OfferOrders(MenuItem item) {
    SetMenuItems({MenuItem::CorpsOrders1, MenuItem::ArmyOrders1, MenuItem::CityOrders1, MenuItem::FleetOrders1},
                 false);
    SetMenuItem(item, true);
}

void TellEnemyCorps(int corps) {
    const TGameRec& g = *GameRec;
    int line = 0, artillery = 0;
    ForEachAttachedBrigade(corps, [&](const TBrigadeRec& b) {
        if (b.BrigadeType == kBrigadeArtillery) ++artillery;
        else ++line;
    });
    RaiseEventNotice(0, LeaderName(corps), Text(90) + std::to_string(line), Text(92) + std::to_string(artillery),
                     Text(95) + std::to_string(g.Corps[corps].Entrenchment));
}

// Selects one collected entry as a single-object click does; answers whether it is an enemy corps.
bool SelectEntry(const TSelectionEntry& e, bool tellEnemy) {
    const TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    switch (e.Kind) {
        case kSelectCity:
            SelectedCity = e.Index;
            fe.SetIdPanelText(g.Cities[e.Index].Name.str());
            OfferOrders(MenuItem::CityOrders1);
            return false;
        case kSelectArmy:
            SelectedArmy = e.Index;
            fe.SetIdPanelText(Text(0) + g.Armies[e.Index].Name.str());
            OfferOrders(MenuItem::ArmyOrders1);
            return false;
        case kSelectCorps:
            SelectedCorps = e.Index;
            if (!OwnCorps(e.Index)) {
                if (tellEnemy) TellEnemyCorps(e.Index);
                return true;
            }
            ShowCorpsInPanel(e.Index);
            OfferOrders(MenuItem::CorpsOrders1);
            return false;
        case kSelectFleet:
            SelectedFleet = e.Index;
            fe.SetIdPanelText(MovedUnitCaption(MovedUnit::Fleet, e.Index));
            OfferOrders(MenuItem::FleetOrders1);
            return false;
        default:
            return false;
    }
}

TMapClick CollectAtHex(THexPos hex) {
    TMapClick click;
    click.collected = true;
    RouteDrawing = false;
    ClickedHex = hex;
    CollectAllAtClickedHex();
    const int count = SelectionList.Count;
    if (count == 0) return click;
    if (count > 1) {
        RouteEnabled = false;
        click.chooseAmongSeveral = true;
        return click;
    }
    if (SelectEntry(SelectionList.Entry(1), true)) {
        // Nobody gives orders to an enemy corps; and the dialogs of an earlier selection do not
        // open behind its notice.
        SetMenuItem(MenuItem::CorpsOrders1, false);
        return click;
    }
    if (MenuItemEnabled(MenuItem::ArmyOrders1) && SelectedArmy != 0) click.open.push_back(OrderDialog::Army);
    if (MenuItemEnabled(MenuItem::CityOrders1) && SelectedCity != 0) click.open.push_back(OrderDialog::City);
    if (MenuItemEnabled(MenuItem::FleetOrders1) && SelectedFleet != 0) click.open.push_back(OrderDialog::Fleet);
    if (MenuItemEnabled(MenuItem::CorpsOrders1) && SelectedCorps != 0) click.open.push_back(OrderDialog::Corps);
    return click;
}

void StartRouteAt(THexPos hex) {
    const int corps = SelectedCorps;
    ShowCorpsInPanel(corps, Text(459));
    RouteMarks = TRouteMarks{};
    RouteMarks.Marks[0].Hex = hex;
    RouteMarks.Marks[0].Pixel = HexPixel(hex.X, hex.Y);
    RouteMarks.StepCount = 0;
    RouteLastHex = hex;
    RouteDrawing = true;
}

}  // namespace

TMapClick MapMouseDown(MapButton button, int x, int y) {
    if (SidePlayed == 0) return {};
    const THexPos hex = HexAtBoxPoint(x, y);
    if (button == MapButton::Left) {
        if (!StandsOn(SelectedCorps, hex)) {
            RouteEnabled = false;
            ClickedHex = hex;
            SelectionList.Count = 0;
            SelectCorpsAtHex();
            const int found = SelectionList.Count == 1 ? SelectionList.Entry(1).Index : 0;
            if (found != 0 && OwnCorps(found)) {
                SelectedCorps = static_cast<std::uint16_t>(found);
                ShowCorpsInPanel(found);
                OfferOrders(MenuItem::CorpsOrders1);
                RouteDrawing = true;
                RouteEnabled = true;
            } else {
                SelectedCorps = 0;
            }
        }
        if (StandsOn(SelectedCorps, hex)) {
            StartRouteAt(hex);
            return {};
        }
    }
    return CollectAtHex(hex);
}

void FinishMapClick(const TMapClick& click) {
    // A press that started a route leaves the drag running.
    if (!click.collected) return;
    if (click.chooseAmongSeveral) {
        const int chosen = SelectionList.Count;
        if (chosen >= 1 && chosen <= kSelectionCapacity) {
            const TSelectionEntry e = SelectionList.Entry(chosen);
            const bool enemy = SelectEntry(e, false);
            // An enemy corps' orders are not the player's to open, so no order item stays on.
            if (enemy) SetMenuItems({MenuItem::CorpsOrders1, MenuItem::ArmyOrders1, MenuItem::CityOrders1,
                                     MenuItem::FleetOrders1}, false);
        }
    }
    if (SelectedCorps != 0 && OwnCorps(SelectedCorps) && CorpsInUse(GameRec->Corps[SelectedCorps])) {
        RouteDrawing = false;
        RouteEnabled = true;
    }
}

std::vector<TMarkerDraw> MapMouseMove(int x, int y) {
    std::vector<TMarkerDraw> drawn;
    if (SidePlayed == 0 || SelectedCorps == 0 || !RouteEnabled || !RouteDrawing ||
        RouteMarks.StepCount >= kRouteStepsDrawn)
        return drawn;
    const THexPos hex = HexAtBoxPoint(x, y);
    if (hex == RouteLastHex) return drawn;
    const TBoxPoint p = HexPixel(hex.X, hex.Y);
    const int half = kHexPixels / 2;
    if (std::abs(x - (p.x + half)) >= kCentreReach || std::abs(y - (p.y + half)) >= kCentreReach) return drawn;
    // A route is a chain of steps: a hex the pointer reached further off is reached step by step,
    // as a straight east-west drag passes the centres of every second column only.
    while (RouteLastHex != hex && RouteMarks.StepCount < kRouteStepsDrawn) {
        const int distance = HexDistance(RouteLastHex.X, RouteLastHex.Y, hex.X, hex.Y);
        const int direction = HexDirectionTo(RouteLastHex.X, RouteLastHex.Y, hex.X, hex.Y);
        int nx = RouteLastHex.X, ny = RouteLastHex.Y;
        StepHexAt(nx, ny, direction);
        if (!OnMap(nx, ny) || HexDistance(nx, ny, hex.X, hex.Y) >= distance) break;
        const THexPos next{static_cast<std::uint16_t>(nx), static_cast<std::uint16_t>(ny)};
        const int k = RouteMarks.StepCount++;
        TRouteMark& from = RouteMarks.Marks[k];
        TRouteMark& to = RouteMarks.Marks[k + 1];
        to.Used = 1;
        to.Hex = next;
        to.Pixel = HexPixel(next.X, next.Y);
        from.Direction = static_cast<std::uint16_t>(direction);
        drawn.push_back({from.Direction, from.Pixel});
        RouteLastHex = next;
    }
    return drawn;
}

void MapMouseUp(MapButton button, int x, int y) {
    if (button != MapButton::Left || SidePlayed == 0 || !RouteDrawing || !RouteEnabled || SelectedCorps == 0) return;
    TCorpsRec& c = GameRec->Corps[SelectedCorps];
    if (c.Nation != SidePlayed) return;
    const THexPos dest = HexAtBoxPoint(x, y);
    c.DestX = static_cast<U8>(dest.X);
    c.DestY = static_cast<U8>(dest.Y);
    RouteDrawing = false;
    const int steps = RouteMarks.StepCount;
    if (steps < 1) return;
    for (int k = 0; k <= steps; ++k) {
        RouteMarks.Marks[k].Used = 0;
        if (k < kRouteStepsDrawn) c.Route[k + 1] = static_cast<U8>(RouteMarks.Marks[k].Direction);
    }
}

std::string LocationText(int x, int y) {
    const THexPos hex = HexAtBoxPoint(x, y);
    return std::to_string(hex.X) + "," + std::to_string(hex.Y);
}

void ScrollViewByKey(ViewKey key) {
    switch (key) {
        case ViewKey::Left: if (ViewColumn > 2) --ViewColumn; break;
        case ViewKey::Up: if (ViewRow > 1) --ViewRow; break;
        case ViewKey::Right: if (ViewColumn < kLastViewColumn) ViewColumn = static_cast<std::uint16_t>(ViewColumn + 2); break;
        case ViewKey::Down: if (ViewRow < kLastViewRow) ++ViewRow; break;
        case ViewKey::Other: break;
    }
}

void ScrollViewAtEdge(MapEdge edge) {
    switch (edge) {
        case MapEdge::Top: ScrollViewByKey(ViewKey::Up); break;
        case MapEdge::Bottom: ScrollViewByKey(ViewKey::Down); break;
        case MapEdge::Left: ScrollViewByKey(ViewKey::Left); break;
        case MapEdge::Right: ScrollViewByKey(ViewKey::Right); break;
    }
}

void MoveViewToMinimapPoint(int x, int y) {
    ViewColumn = static_cast<std::uint16_t>(x < 0 ? 0 : x);
    ViewRow = static_cast<std::uint16_t>(y < 0 ? 0 : y);
    ClampView();
}

void ResetMapInput() {
    RouteMarks = TRouteMarks{};
    RouteDrawing = false;
    RouteEnabled = false;
    RouteLastHex = {};
}

}  // namespace kvt
