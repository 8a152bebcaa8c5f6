// Breadth-first route searches over the compiled map and the supply-source marks built on them.
#include "tools/scenario_compiler/scenario_routes.h"

#include <deque>
#include <vector>

namespace kvt::scenario {

namespace {

bool Admits(const TMapGrid& map, Mode mode, int side, int x, int y) {
    const MapCell& c = map.Cell(x, y);
    switch (mode) {
        case Mode::Rail: return (c.Terrain() == kTerrainCity || c.Rail()) && (side < 0 || c.ControlSide() == side);
        case Mode::River: return c.RiverNavigable();
        case Mode::Sea: return c.Terrain() == kTerrainWater || c.Terrain() == kTerrainCity;
        case Mode::Road:
            return c.Terrain() != kTerrainWater && c.Terrain() != kTerrainImpassable && (side < 0 || c.ControlSide() == side);
    }
    return false;
}

}  // namespace

int RouteSteps(const TMapGrid& map, Mode mode, int side, int x1, int y1, int x2, int y2, int maxSteps) {
    if (x1 == x2 && y1 == y2) return 0;
    if (!OnMap(x2, y2) || !Admits(map, mode, side, x2, y2)) return -1;
    std::vector<int> dist(kMapColumns * kMapRows, -1);
    auto at = [](int x, int y) { return (x - 1) * kMapRows + (y - 1); };
    std::deque<std::pair<int, int>> queue;
    dist[at(x1, y1)] = 0;
    queue.push_back({x1, y1});
    while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        const int d = dist[at(x, y)];
        if (d >= maxSteps) continue;
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, dir);
            if (!OnMap(nx, ny) || dist[at(nx, ny)] >= 0 || !Admits(map, mode, side, nx, ny)) continue;
            if (mode == Mode::Road && HexsideValue(map, x, y, dir) == 3) continue;
            dist[at(nx, ny)] = d + 1;
            if (nx == x2 && ny == y2) return d + 1;
            queue.push_back({nx, ny});
        }
    }
    return -1;
}

int CityRouteKind(const TGameRec& g, const TMapGrid& map, int a, int b) {
    const TCityRec& A = g.Cities[a];
    const TCityRec& B = g.Cities[b];
    if (A.Nation == 0) return 0;
    const TNationRec& nation = g.Nations[A.Nation];
    const int side = nation.Side;
    const int d = HexDistance(A.HexX, A.HexY, B.HexX, B.HexY);
    if (d < 25 && A.RiverLink && B.RiverLink && RouteSteps(map, Mode::River, side, A.HexX, A.HexY, B.HexX, B.HexY, 30) >= 0)
        return 3;
    if (d < 25 && A.RailLink && B.RailLink && RouteSteps(map, Mode::Rail, side, A.HexX, A.HexY, B.HexX, B.HexY, 30) >= 0)
        return 1;
    if (d < 9 && RouteSteps(map, Mode::Road, side, A.HexX, A.HexY, B.HexX, B.HexY, 9) >= 0) return 4;
    if (A.Port && B.Port && nation.SeaControl >= 2) return 2;
    return 0;
}

void ComputeSupplySources(TGameRec& g, const TMapGrid& map) {
    for (TCityRec& c : g.Cities) c.SupplySource = 0;
    for (int n : {kNationUnion, kNationBritain}) {
        int transports = 0;
        for (const TFleetRec& f : g.Fleets)
            if (f.BuildCounter == 0 && f.Owner == n) transports += f.Transports;
        if (transports == 0) continue;
        for (TCityRec& c : g.Cities)
            if (c.Port && c.Nation == n && c.SupplySource == 0) c.SupplySource = 1;
    }
    auto side = [&](int city) { return static_cast<int>(g.Cities[city].Owner); };
    for (int s = 1; s <= kStateCount; ++s) {
        const int cap = g.States[s].CapitalCity;
        if (cap == 0 || side(cap) != g.States[s].ControlSide) continue;
        for (int c = 1; c <= kCityCount; ++c) {
            if (c == cap || g.Cities[c].State != s || side(c) != side(cap)) continue;
            if (CityRouteKind(g, map, cap, c) != 0) {
                g.Cities[cap].SupplySource = 3;
                break;
            }
        }
    }
    // The capital itself is tried too: it reaches itself, so a capital of a nation is a source even
    // when no other city of its state is joined to it.
    for (int s = 1; s <= kStateCount; ++s) {
        const int cap = g.States[s].CapitalCity;
        if (cap == 0) continue;
        for (int c = 1; c <= kCityCount; ++c) {
            if (g.Cities[c].State != s || side(c) != side(cap) || g.Cities[c].SupplySource >= 2) continue;
            if (CityRouteKind(g, map, cap, c) != 0) g.Cities[c].SupplySource = 2;
        }
    }
    for (int n = 1; n <= kNationCount; ++n) {
        for (int c = 1; c <= kCityCount; ++c) {
            if (g.Cities[c].Nation != n || g.Cities[c].SupplySource != 0) continue;
            for (int o = 1; o <= kCityCount; ++o) {
                if (side(o) != side(c) || g.Cities[o].SupplySource == 0) continue;
                if (CityRouteKind(g, map, c, o) != 0) {
                    g.Cities[c].SupplySource = 2;
                    break;
                }
            }
        }
    }
    for (TCityRec& c : g.Cities)
        if (c.SupplySource == 0 && c.State >= 1 && c.State <= kStateCount && c.Owner == g.States[c.State].ControlSide)
            c.SupplySource = 4;
}

}  // namespace kvt::scenario
