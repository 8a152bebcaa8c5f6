// Hex control over the whole map. Runs up to 28 times a turn, so the corps near each hex are
// gathered once per call instead of measuring every corps against every hex.
#include "engine/logistics/hex_control.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/core/globals.h"
#include "engine/core/map_grid.h"

namespace kvt {

namespace {

constexpr int kHexCount = kMapColumns * kMapRows;
constexpr int kCorpsReach = 3;          // a corps free of battle weighs hexes nearer than this
constexpr int kEngagedReach = 1;        // an engaged corps weighs only its own hex
constexpr int kRiverFleetReach = 2;
constexpr int kStateSideWeight = 2;
constexpr int kControllerWeight = 3;
constexpr int kQuietStateBonus = 7;
constexpr int kCorpsOnHexWeight = 10;
constexpr int kHeldByOwnCorps = 205;

int HexIndex(int x, int y) { return (x - 1) * kMapRows + (y - 1); }

// Corps within reach of each hex, in corps index order: a counting sort over the hexes.
struct TNearbyCorps {
    std::array<std::uint16_t, kHexCount + 1> start{};
    // At most the 7 x 7 hexes around each corps.
    std::array<std::uint8_t, kCorpsCount * 49> corps;
    std::array<std::uint8_t, kCorpsCount * 49> distance;
};

template <typename F>
void ForHexesNear(int x0, int y0, int reach, F f) {
    for (int x = std::max(1, x0 - reach); x <= std::min(kMapColumns, x0 + reach); ++x)
        for (int y = std::max(1, y0 - reach); y <= std::min(kMapRows, y0 + reach); ++y) {
            const int d = HexDistance(x0, y0, x, y);
            if (d < reach) f(HexIndex(x, y), d);
        }
}

void GatherNearbyCorps(const TGameRec& g, TNearbyCorps& near) {
    std::array<std::uint16_t, kHexCount + 1> count{};
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        ForHexesNear(corps.HexX, corps.HexY, kCorpsReach, [&](int h, int) { ++count[h + 1]; });
    }
    for (int h = 1; h <= kHexCount; ++h) count[h] = static_cast<std::uint16_t>(count[h] + count[h - 1]);
    near.start = count;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        ForHexesNear(corps.HexX, corps.HexY, kCorpsReach, [&](int h, int d) {
            const int at = count[h]++;
            near.corps[at] = static_cast<std::uint8_t>(k);
            near.distance[at] = static_cast<std::uint8_t>(d);
        });
    }
}

void CountStateForces(TGameRec& g) {
    std::array<int, kStateCount + 1> foreign{};
    std::array<std::uint32_t, kStateCount + 1> enemy{};
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (Arr1<TStateRec, kStateCount>::InRange(city.State) && city.Nation != g.States[city.State].Controller)
            ++foreign[city.State];
    }
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (CorpsInUse(corps) && Arr1<TStateRec, kStateCount>::InRange(corps.HomeState) &&
            corps.Side != g.States[corps.HomeState].Owner)
            enemy[corps.HomeState] += corps.LineCount;
    }
    for (int s = 1; s <= kStateCount; ++s) {
        g.States[s].ForeignHeld = static_cast<U8>(std::min(foreign[s], 255));
        g.States[s].EnemyStrength = static_cast<std::uint16_t>(std::min<std::uint32_t>(enemy[s], 65535));
    }
}

}  // namespace

void UpdateHexControl() {
    TGameRec& g = *GameRec;
    TMapGrid& map = *MapGrid;
    CountStateForces(g);

    TNearbyCorps near;
    GatherNearbyCorps(g, near);
    std::array<int, kFleetCount> riverFleets{};
    int riverFleetCount = 0;
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& fleet = g.Fleets[f];
        if (fleet.WaterType == 2 && fleet.BuildCounter == 0 && fleet.Side <= 2) riverFleets[riverFleetCount++] = f;
    }

    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            MapCell& cell = map.Cell(x, y);
            const int s = cell.State();
            if (s == 0 || s > kStateCount) {
                cell.SetState(0);
                continue;
            }
            const TStateRec& state = g.States[s];
            const int o = state.ControlSide > 2 ? 0 : state.ControlSide;
            const int c = cell.ControlSide();
            std::array<int, 3> t{};
            t[o] = kStateSideWeight;
            if (c != 0) t[c] = kControllerWeight;
            if (state.EnemyStrength == 0 && state.ForeignHeld == 0) t[o] += kQuietStateBonus;

            // A hex nobody controls is not swayed by corps; its state's side takes it first.
            const int h = HexIndex(x, y);
            for (int i = near.start[h]; c != 0 && i < near.start[h + 1]; ++i) {
                const TCorpsRec& corps = g.Corps[near.corps[i]];
                const int reach = corps.Opponent != 0 ? kEngagedReach : kCorpsReach;
                const int d = near.distance[i];
                if (d >= reach || corps.Side > 2) continue;
                if (corps.ContactCode == 0) t[corps.Side] += 2 * (reach - d);
                if (d != 0) continue;
                t[corps.Side] += kCorpsOnHexWeight;
                if (corps.Side == c) {
                    // Only the Union's hold clears the other side's tally: a Confederate-held hex
                    // still falls to a Union tally already above the hold.
                    t[c] = kHeldByOwnCorps;
                    t[0] = 0;
                    if (c == kUnion) t[kConfederacy] = 0;
                    break;
                }
            }
            if (cell.River())
                for (int i = 0; i < riverFleetCount; ++i) {
                    const TFleetRec& fleet = g.Fleets[riverFleets[i]];
                    const int d = HexDistance(fleet.HexX, fleet.HexY, x, y);
                    if (d < kRiverFleetReach) t[fleet.Side] += 3 * (kRiverFleetReach - d);
                }

            int r = c;
            if (t[1] > t[2] && t[1] > t[0]) r = 1;
            else if (t[2] > t[1] && t[2] > t[0]) r = 2;
            else if (t[0] > t[1] && t[0] > t[2]) r = 0;
            cell.SetControlSide(r);
        }

    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = g.Cities[i];
        if (city.Owner < 3) map.Cell(city.HexX, city.HexY).SetControlSide(city.Owner);
    }
}

}  // namespace kvt
