// The columns of the headless runner's report.
#include "engine/turn/turn_report.h"

#include <sstream>

#include "engine/logistics/home_front_report.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

namespace kvt {

namespace {
int SideIndex(int side) { return side == kUnion || side == kConfederacy ? side : 0; }
}  // namespace

TTerritoryFigures CountTerritory() {
    const TGameRec& g = *GameRec;
    TTerritoryFigures f;
    for (const TCityRec& c : g.Cities)
        if (c.HexX != 0) ++f.cities[SideIndex(c.Owner)];
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            const MapCell& cell = MapGrid->Cell(x, y);
            if (cell.State() != 0) ++f.hexes[SideIndex(cell.ControlSide())];
        }
    for (const TCorpsRec& k : g.Corps)
        if (CorpsInUse(k) && k.SupplyType <= 2) ++f.corpsBySupply[k.SupplyType];
    for (int n : {kNationUnion, kNationConfederacy})
        for (int t = 1; t <= kTheatreCount; ++t) f.pools[n][t] = g.Nations[n].TheatreSupplies[t];
    return f;
}

std::string TerritoryReportColumns() {
    const TTerritoryFigures f = CountTerritory();
    std::ostringstream s;
    auto sides = [&](const char* what, const std::array<int, 3>& n) {
        s << what << " U " << n[kUnion] << " C " << n[kConfederacy] << " - " << n[0];
    };
    sides("cities", f.cities);
    sides("  hexes", f.hexes);
    s << "  corps depot " << f.corpsBySupply[0] << " camp " << f.corpsBySupply[1] << " forage " << f.corpsBySupply[2];
    s << "  pools";
    for (int n : {kNationUnion, kNationConfederacy}) {
        s << (n == kNationUnion ? " U " : " C ");
        for (int t = 1; t <= kTheatreCount; ++t) s << (t > 1 ? "/" : "") << f.pools[n][t];
    }
    return s.str();
}

std::string TurnReportColumns() { return TerritoryReportColumns() + HomeFrontReportColumns(); }

}  // namespace kvt
