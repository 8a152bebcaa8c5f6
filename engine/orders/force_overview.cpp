// The army overview's rows and the press that opens a corps.
#include "engine/orders/force_overview.h"

#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMilesPerHex = 15;
constexpr int kWhereaboutsLimit = 100;

bool ListedCorps(int corps) {
    if (!GameRec->Corps.InRange(corps)) return false;
    const TCorpsRec& c = GameRec->Corps[corps];
    return c.Nation == SidePlayed && CorpsInUse(c) && c.Leader != 0;
}

std::string PriorityText(int priority) { return priority >= 0 && priority <= 2 ? Text(244 + priority) : std::string(); }

}  // namespace

int CorpsSupplyNeed(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    int need = (c.SupplyPriority + 1) * (c.LineCount + c.ArtilleryCount);
    if (SidePlayed == kNationUnion) need *= 4;
    else if (SidePlayed == kNationConfederacy) need *= 2;
    if (c.SupplyType != 0) need /= 2;
    return need;
}

std::string CorpsWhereabouts(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    int nearest = 0, best = kWhereaboutsLimit;
    for (int city = 1; city <= kCityCount; ++city) {
        const TCityRec& t = GameRec->Cities[city];
        // An empty slot lies off the map; measured, it would pass for a city in the north-west corner.
        if (t.HexX == 0 || t.HexY == 0) continue;
        const int d = HexDistance(c.HexX, c.HexY, t.HexX, t.HexY);
        if (d < best) {
            best = d;
            nearest = city;
        }
    }
    if (nearest == 0) return {};
    const TCityRec& t = GameRec->Cities[nearest];
    const std::string place = t.Name.str() + ", " + GameRec->States[t.State].ShortName.str();
    return best == 0 ? place : std::to_string(best * kMilesPerHex) + Text(52) + place;
}

TForceOverview OpenForceOverview() {
    TForceOverview o;
    o.caption = Text(601);
    o.heading = Text(602);
    for (int k = 1; k <= kCorpsCount; ++k) {
        if (!ListedCorps(k)) continue;
        const TCorpsRec& c = GameRec->Corps[k];
        std::string row = GameRec->Leaders[c.Leader].Name.str();
        row += ", " + std::to_string(c.Strength * 50);
        row += ", " + std::to_string(c.Artillery * 2);
        row += ", " + std::to_string(CorpsSupplyNeed(k)) + "/ " + PriorityText(c.SupplyPriority);
        row += ", " + CorpsWhereabouts(k);
        o.rows.push_back({std::move(row), k});
    }
    return o;
}

bool PressOverviewRow(const TForceOverview& overview, int row) {
    if (row < 0 || row >= static_cast<int>(overview.rows.size())) return false;
    const int corps = overview.rows[static_cast<std::size_t>(row)].index;
    if (!GameRec->Corps.InRange(corps)) return false;
    const TCorpsRec& c = GameRec->Corps[corps];
    if (c.Nation != SidePlayed || !CorpsInUse(c)) return false;
    SelectedCorps = static_cast<std::uint16_t>(corps);
    ViewColumn = c.HexX;
    ViewRow = c.HexY;
    // Within the map's limits whatever draws it, as the window's repaint would keep it.
    ClampView();
    CurrentFrontend().Repaint();
    return true;
}

}  // namespace kvt
