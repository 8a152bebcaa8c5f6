// Hex control over the whole map. Runs up to 29 times a turn, mostly after steps in which only fleets
// moved, so each pass recounts only the hexes whose inputs changed since the last pass; the whole-map
// rescan stays as the reference the pass is held to.
#include "engine/logistics/hex_control.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

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

// The hexes nearer than a reach of kCorpsReach or kRiverFleetReach, as column and row steps with
// their distances: measured once, from an even and from an odd column.
struct TNearSteps {
    int count = 0;
    std::array<std::int8_t, 49> dx{}, dy{};
    std::array<std::int16_t, 49> indexStep{};  // the steps in hex index
    std::array<std::uint8_t, 49> distance{};
};

std::array<std::array<TNearSteps, 2>, kCorpsReach + 1> MeasureNearSteps() {
    std::array<std::array<TNearSteps, 2>, kCorpsReach + 1> steps;
    for (int reach : {kCorpsReach, kRiverFleetReach})
        for (int odd = 0; odd < 2; ++odd) {
            TNearSteps& s = steps[reach][odd];
            const int x0 = 10 + odd, y0 = 10;
            for (int dx = -reach; dx <= reach; ++dx)
                for (int dy = -reach; dy <= reach; ++dy) {
                    const int d = HexDistance(x0, y0, x0 + dx, y0 + dy);
                    if (d >= reach) continue;
                    s.dx[s.count] = static_cast<std::int8_t>(dx);
                    s.dy[s.count] = static_cast<std::int8_t>(dy);
                    s.indexStep[s.count] = static_cast<std::int16_t>(dx * kMapRows + dy);
                    s.distance[s.count++] = static_cast<std::uint8_t>(d);
                }
        }
    return steps;
}

const std::array<std::array<TNearSteps, 2>, kCorpsReach + 1> kNearSteps = MeasureNearSteps();

// The distance from a corps to a hex within its reach, by the corps' column (even, odd) and the
// column and row steps to the hex (-2..2 each): read instead of measured for every hex weighed.
using TReachDistances = std::array<std::array<std::array<std::uint8_t, 2 * kCorpsReach - 1>, 2 * kCorpsReach - 1>, 2>;

TReachDistances TableReachDistances() {
    TReachDistances table{};
    for (int odd = 0; odd < 2; ++odd) {
        const TNearSteps& s = kNearSteps[kCorpsReach][odd];
        for (int i = 0; i < s.count; ++i) table[odd][s.dx[i] + kCorpsReach - 1][s.dy[i] + kCorpsReach - 1] = s.distance[i];
    }
    return table;
}

const TReachDistances kReachDistances = TableReachDistances();

// Calls f(hex, distance) for every hex of the map nearer than `reach` (kCorpsReach or
// kRiverFleetReach) to (x0, y0).
template <typename F>
void ForHexesNear(int x0, int y0, int reach, F f) {
    const TNearSteps& s = kNearSteps[reach][x0 & 1];
    // Clear of the edges (most corps), every hex is on the map.
    if (x0 >= reach && x0 <= kMapColumns + 1 - reach && y0 >= reach && y0 <= kMapRows + 1 - reach) {
        const int h0 = HexIndex(x0, y0);
        for (int i = 0; i < s.count; ++i) f(h0 + s.indexStep[i], s.distance[i]);
        return;
    }
    for (int i = 0; i < s.count; ++i) {
        const int x = x0 + s.dx[i], y = y0 + s.dy[i];
        if (OnMap(x, y)) f(HexIndex(x, y), s.distance[i]);
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

// River fleets afloat that sway the river hexes near them.
bool SwaysRiverHexes(const TFleetRec& fleet) { return fleet.WaterType == 2 && fleet.BuildCounter == 0 && fleet.Side <= 2; }

struct TRiverFleets {
    std::array<int, kFleetCount> index{};
    int count = 0;
};

TRiverFleets GatherRiverFleets(const TGameRec& g) {
    TRiverFleets fleets;
    for (int f = 1; f <= kFleetCount; ++f)
        if (SwaysRiverHexes(g.Fleets[f])) fleets.index[fleets.count++] = f;
    return fleets;
}

// Per state, the cities held by another nation than its controller and the lines of corps from it
// on the other side than its owner.
struct TStateForces {
    std::array<int, kStateCount + 1> foreign{};
    std::array<std::uint32_t, kStateCount + 1> enemy{};

    void CountCity(const TGameRec& g, const TCityRec& city) {
        if (Arr1<TStateRec, kStateCount>::InRange(city.State) && city.Nation != g.States[city.State].Controller)
            ++foreign[city.State];
    }
    void CountCorps(const TGameRec& g, const TCorpsRec& corps) {
        if (Arr1<TStateRec, kStateCount>::InRange(corps.HomeState) && corps.Side != g.States[corps.HomeState].Owner)
            enemy[corps.HomeState] += corps.LineCount;
    }
    void WriteState(TStateRec& state, int s) const {
        state.ForeignHeld = static_cast<U8>(std::min(foreign[s], 255));
        state.EnemyStrength = static_cast<std::uint16_t>(std::min<std::uint32_t>(enemy[s], 65535));
    }
    void Write(TGameRec& g) const {
        for (int s = 1; s <= kStateCount; ++s) WriteState(g.States[s], s);
    }
};

void CountStateForces(TGameRec& g) {
    TStateForces forces;
    for (int c = 1; c <= kCityCount; ++c) forces.CountCity(g, g.Cities[c]);
    for (int k = 1; k <= kCorpsCount; ++k)
        if (CorpsInUse(g.Corps[k])) forces.CountCorps(g, g.Corps[k]);
    forces.Write(g);
}

// What the weighing reads of a corps within reach of a hex.
struct TCorpsAt {
    std::uint8_t side, engaged, quiet, distance;
};

// The corps within reach of one hex, in corps index order.
struct TCorpsNear {
    const TCorpsAt* corps;
    int count;
};

// What hex control reads of a state: its side, and whether no foreign city or enemy corps is in it.
struct TStateSway {
    std::uint8_t side, quiet;
    bool operator==(const TStateSway&) const = default;
};

TStateSway SwayOf(const TStateRec& s) {
    return {static_cast<std::uint8_t>(s.ControlSide > 2 ? 0 : s.ControlSide), s.EnemyStrength == 0 && s.ForeignHeld == 0};
}

using TStateSways = std::array<TStateSway, kStateCount + 1>;

// Weighs one hex and writes its controlling side (or clears a state byte out of range). Reads only
// the hex's own cell, its state, the corps listed near it and the river fleets. Kept inline: most
// weighings are light, and a call with these arguments cost about as much as one.
[[gnu::always_inline]] inline void WeighHex(const TGameRec& g, const TStateSways& states, MapCell& cell, int x,
                                            int y, TCorpsNear near, const TRiverFleets& fleets) {
    const int s = cell.State();
    if (s == 0 || s > kStateCount) {
        cell.SetState(0);
        return;
    }
    const int o = states[s].side;
    const int c = cell.ControlSide();
    std::array<int, 3> t{};
    t[o] = kStateSideWeight;
    if (c != 0) t[c] = kControllerWeight;
    if (states[s].quiet) t[o] += kQuietStateBonus;

    // A hex nobody controls is not swayed by corps; its state's side takes it first.
    for (int i = 0; c != 0 && i < near.count; ++i) {
        const TCorpsAt& corps = near.corps[i];
        const int reach = corps.engaged ? kEngagedReach : kCorpsReach;
        const int d = corps.distance;
        if (d >= reach || corps.side > 2) continue;
        if (corps.quiet) t[corps.side] += 2 * (reach - d);
        if (d != 0) continue;
        t[corps.side] += kCorpsOnHexWeight;
        if (corps.side == c) {
            // Only the Union's hold clears the other side's tally: a Confederate-held hex
            // still falls to a Union tally already above the hold.
            t[c] = kHeldByOwnCorps;
            t[0] = 0;
            if (c == kUnion) t[kConfederacy] = 0;
            break;
        }
    }
    if (cell.River())
        for (int i = 0; i < fleets.count; ++i) {
            const TFleetRec& fleet = g.Fleets[fleets.index[i]];
            const int d = HexDistance(fleet.HexX, fleet.HexY, x, y);
            if (d < kRiverFleetReach) t[fleet.Side] += 3 * (kRiverFleetReach - d);
        }

    int r = c;
    if (t[1] > t[2] && t[1] > t[0]) r = 1;
    else if (t[2] > t[1] && t[2] > t[0]) r = 2;
    else if (t[0] > t[1] && t[0] > t[2]) r = 0;
    cell.SetControlSide(r);
}

void ShowCityHolders(const TGameRec& g, TMapGrid& map) {
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = g.Cities[i];
        if (city.Owner < 3) map.Cell(city.HexX, city.HexY).SetControlSide(city.Owner);
    }
}

// ---- what the last pass read, to find the hexes whose tally may differ now ----

// What hex control reads of a corps; a free slot reads as all zero.
// Packed a byte each into one word, compared whole: most corps and fleets read the same every pass.
struct TCorpsSway {
    std::uint64_t word = 0;  // in use, column, row, side, engaged, quiet
    int Byte(int i) const { return static_cast<int>(word >> 8 * i & 0xFF); }
    bool inUse() const { return Byte(0) != 0; }
    int x() const { return Byte(1); }
    int y() const { return Byte(2); }
    int side() const { return Byte(3); }
    bool engaged() const { return Byte(4) != 0; }
    bool quiet() const { return Byte(5) != 0; }
    bool operator==(const TCorpsSway&) const = default;
};

TCorpsSway SwayOf(const TCorpsRec& k) {
    if (!CorpsInUse(k)) return {};
    return {1u | k.HexX << 8 | k.HexY << 16 | std::uint64_t{k.Side} << 24 | std::uint64_t{k.Opponent != 0} << 32 |
            std::uint64_t{k.ContactCode == 0} << 40};
}

struct TFleetSway {
    std::uint32_t word = 0;  // sways, column, row, side
    bool sways() const { return word != 0; }
    int x() const { return word >> 8 & 0xFF; }
    int y() const { return word >> 16 & 0xFF; }
    bool operator==(const TFleetSway&) const = default;
};

TFleetSway SwayOf(const TFleetRec& f) {
    if (!SwaysRiverHexes(f)) return {};
    return {1u | f.HexX << 8 | f.HexY << 16 | static_cast<std::uint32_t>(f.Side) << 24};
}

bool SameCell(const MapCell& a, const MapCell& b) { return std::memcmp(a.b, b.b, sizeof a.b) == 0; }

struct TLastPass {
    bool valid = false;
    std::array<TCorpsSway, kCorpsCount + 1> corps{};
    std::array<TFleetSway, kFleetCount + 1> fleets{};
    TStateSways states{};
    std::array<MapCell, kHexCount> read{};     // each cell as the pass last weighed it
    std::array<MapCell, kHexCount> written{};  // and as the weighing left it, before the city holders
    TMapGrid left{};                           // the whole map as the pass left it
    // Hexes the pass left otherwise than it read them (the weighing or a city holder changed them):
    // their next weighing starts from another cell.
    std::array<std::uint16_t, kHexCount> unsettled{};
    int unsettledCount = 0;
    // Each city's column, row and holder as the pass last showed them, and the cities on each hex
    // in index order (0 ends): while no city changes, a hex not weighed already shows its holder.
    std::array<std::uint32_t, kCityCount + 1> cities{};
    std::array<std::uint8_t, kHexCount> firstCity{};
    std::array<std::uint8_t, kCityCount + 1> nextCity{};
    // The city table and the states' controllers as the last sweep of the cities read them, and
    // the foreign cities it counted: few of a turn's passes find any city changed.
    Arr1<TCityRec, kCityCount> cityTable{};
    std::array<std::uint8_t, kStateCount + 1> controllers{};
    std::array<int, kStateCount + 1> foreign{};
};

std::uint32_t CityReading(const TCityRec& city) { return city.HexX | city.HexY << 8 | city.Owner << 16 | 1u << 24; }

void ListCitiesByHex(const TGameRec& g, TLastPass& last) {
    for (int c = 1; c <= kCityCount; ++c) {
        const int x = last.cities[c] & 0xFF, y = last.cities[c] >> 8 & 0xFF;
        if (OnMap(x, y)) last.firstCity[HexIndex(x, y)] = 0;
    }
    for (int c = kCityCount; c >= 1; --c) {
        const TCityRec& city = g.Cities[c];
        last.cities[c] = CityReading(city);
        if (!OnMap(city.HexX, city.HexY)) continue;
        std::uint8_t& first = last.firstCity[HexIndex(city.HexX, city.HexY)];
        last.nextCity[c] = first;
        first = static_cast<std::uint8_t>(c);
    }
}

// The hexes to weigh in this pass, each listed once.
struct THexList {
    std::array<std::uint8_t, kHexCount> listed{};
    std::array<std::uint16_t, kHexCount> hexes{};
    int count = 0;
    // Unlists only the hexes listed: most passes list a few dozen.
    void Clear() {
        for (int i = 0; i < count; ++i) listed[hexes[i]] = 0;
        count = 0;
    }
    void Add(int h) {
        if (listed[h]) return;
        listed[h] = 1;
        hexes[count++] = static_cast<std::uint16_t>(h);
    }
};

// A fleet sways only river hexes; a hex whose river bit changed is listed as a changed cell.
void ListSwayedHexes(const TFleetSway& s, const TMapGrid& map, THexList& list) {
    if (s.sways())
        ForHexesNear(s.x(), s.y(), kRiverFleetReach, [&](int h, int) {
            if (map.cells[h].River()) list.Add(h);
        });
}

// The corps near each hex that sway it, a bit per corps index, kept as the corps move: a pass
// finds them in index order without sorting.
struct TCorpsNearHexes {
    std::array<std::array<std::uint64_t, 2>, kHexCount> bits{};

    // Lists the hexes corps k sways as read in `s` and marks it near them (or unmarks it). One in
    // contact or engaged sways only its own hex (its reach is 1, or only a quiet corps adds beside
    // it); one of no warring side none.
    void Sway(int k, const TCorpsSway& s, bool on, THexList& list) {
        if (!s.inUse() || s.side() > 2) return;
        const std::uint64_t bit = std::uint64_t{1} << (k & 63);
        const std::uint64_t set = on ? bit : 0;
        const int w = k >> 6;
        auto mark = [&](int h) {
            list.Add(h);
            bits[h][w] = (bits[h][w] & ~bit) | set;
        };
        if (s.engaged() || !s.quiet()) {
            if (OnMap(s.x(), s.y())) mark(HexIndex(s.x(), s.y()));
            return;
        }
        ForHexesNear(s.x(), s.y(), kCorpsReach, [&](int h, int) { mark(h); });
    }
    // The corps swaying hex h at (x, y) in index order, read from their sways as the pass found
    // them (`sways`), not from their records; answers the count.
    int Near(const std::array<TCorpsSway, kCorpsCount + 1>& sways, int h, int x, int y, TCorpsAt* corps) const {
        int count = 0;
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t word = bits[h][w]; word != 0; word &= word - 1) {
                const TCorpsSway& s = sways[64 * w + std::countr_zero(word)];
                const int cx = s.x();
                corps[count++] = {static_cast<std::uint8_t>(s.side()), s.engaged(), s.quiet(),
                                  kReachDistances[cx & 1][x - cx + kCorpsReach - 1][y - s.y() + kCorpsReach - 1]};
            }
        return count;
    }
};
static_assert(kCorpsCount < 128);

TLastPass lastPass;
TCorpsNearHexes corpsNear;
THexList toWeigh;
TNearbyCorps nearbyWork;

}  // namespace

void UpdateHexControlFullRescan() {
    TGameRec& g = *GameRec;
    TMapGrid& map = *MapGrid;
    CountStateForces(g);
    GatherNearbyCorps(g, nearbyWork);
    const TRiverFleets fleets = GatherRiverFleets(g);
    TStateSways states{};
    for (int s = 1; s <= kStateCount; ++s) states[s] = SwayOf(g.States[s]);
    std::array<TCorpsAt, kCorpsCount> near;
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            const int h = HexIndex(x, y);
            const int count = nearbyWork.start[h + 1] - nearbyWork.start[h];
            for (int i = 0; i < count; ++i) {
                const TCorpsRec& k = g.Corps[nearbyWork.corps[nearbyWork.start[h] + i]];
                near[i] = {k.Side, k.Opponent != 0, k.ContactCode == 0, nearbyWork.distance[nearbyWork.start[h] + i]};
            }
            WeighHex(g, states, map.Cell(x, y), x, y, {near.data(), count}, fleets);
        }
    ShowCityHolders(g, map);
}

void UpdateHexControl() {
    TGameRec& g = *GameRec;
    TMapGrid& map = *MapGrid;
    TLastPass& last = lastPass;
    THexList& list = toWeigh;
    list.Clear();

    // A hex is weighed again when its cell, its state's side or quiet, or a corps or river fleet
    // that is or was within reach of it reads otherwise than at the last pass; every other hex
    // would come out as that pass left it. Listing a hex too many costs only its weighing.
    if (!last.valid)
        for (int h = 0; h < kHexCount; ++h) list.Add(h);
    // Cells changed since the pass (seldom any, and then a few): found in spans of 19 x 24 bytes,
    // then eight cells (three words) at a time.
    constexpr std::size_t kSpan = 19 * 24;
    static_assert(kMapGridSize % kSpan == 0);
    const std::uint8_t* now = map.bytes();
    const std::uint8_t* then = last.left.bytes();
    const bool mapChanged = std::memcmp(now, then, kMapGridSize) != 0;
    for (std::size_t span = 0; mapChanged && span < kMapGridSize; span += kSpan) {
        if (std::memcmp(now + span, then + span, kSpan) == 0) continue;
        for (std::size_t at = span; at < span + kSpan; at += 24) {
            std::uint64_t a[3], b[3];
            std::memcpy(a, now + at, 24);
            std::memcpy(b, then + at, 24);
            if (((a[0] ^ b[0]) | (a[1] ^ b[1]) | (a[2] ^ b[2])) == 0) continue;
            for (std::size_t h = at / 3; h < at / 3 + 8; ++h)
                if (!SameCell(map.cells[h], last.left.cells[h])) list.Add(static_cast<int>(h));
        }
    }
    // The state tallies are summed in the city and corps sweeps the pass makes anyway; the weighing
    // reads them.
    TStateForces forces;
    bool citiesChanged = false;
    int controllersChanged = 0;
    for (int s = 1; s <= kStateCount; ++s) controllersChanged |= g.States[s].Controller ^ last.controllers[s];
    if (last.valid && controllersChanged == 0 && std::memcmp(&g.Cities, &last.cityTable, sizeof g.Cities) == 0) {
        forces.foreign = last.foreign;
    } else {
        for (int c = 1; c <= kCityCount; ++c) {
            const TCityRec& city = g.Cities[c];
            forces.CountCity(g, city);
            citiesChanged = citiesChanged || CityReading(city) != last.cities[c];
        }
        last.cityTable = g.Cities;
        for (int s = 1; s <= kStateCount; ++s) last.controllers[s] = g.States[s].Controller;
        last.foreign = forces.foreign;
    }
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corpsRec = g.Corps[k];
        if (CorpsInUse(corpsRec)) forces.CountCorps(g, corpsRec);
        const TCorpsSway sway = SwayOf(corpsRec);
        TCorpsSway& was = last.corps[k];
        if (sway == was) continue;
        corpsNear.Sway(k, was, false, list);
        corpsNear.Sway(k, sway, true, list);
        was = sway;
    }
    TRiverFleets fleets;
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& fleet = g.Fleets[f];
        TFleetSway& was = last.fleets[f];
        // Most fleets sail the sea, and did at the last pass.
        if (fleet.WaterType != 2 && !was.sways()) continue;
        const TFleetSway sway = SwayOf(fleet);
        if (sway.sways()) fleets.index[fleets.count++] = f;
        if (sway == was) continue;
        ListSwayedHexes(was, map, list);
        ListSwayedHexes(sway, map, list);
        was = sway;
    }
    // The tallies written are zero exactly when the counts are, so each state's quiet is read from
    // the counts in the same sweep rather than from the record again.
    std::array<std::uint8_t, 256> stateChanged{};
    bool anyStateChanged = false;
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& state = g.States[s];
        forces.WriteState(state, s);
        const TStateSway sway{static_cast<std::uint8_t>(state.ControlSide > 2 ? 0 : state.ControlSide),
                              forces.enemy[s] == 0 && forces.foreign[s] == 0};
        if (sway == last.states[s]) continue;
        stateChanged[s] = 1;
        anyStateChanged = true;
        last.states[s] = sway;
    }
    if (anyStateChanged)
        for (int h = 0; h < kHexCount; ++h)
            if (stateChanged[map.cells[h].State()]) list.Add(h);

    // A hex the last pass left otherwise than it read it, listed for nothing else, is weighed from
    // the same inputs: when it reads as that pass read it (a city hex its holder set back), it
    // comes out as that pass wrote it; any other is weighed again.
    const int weighCount = [&] {
        std::array<std::uint16_t, kHexCount> replayed;
        int replayedCount = 0;
        for (int i = 0; i < last.unsettledCount; ++i) {
            const int h = last.unsettled[i];
            if (list.listed[h]) continue;
            if (SameCell(map.cells[h], last.read[h])) replayed[replayedCount++] = static_cast<std::uint16_t>(h);
            else list.Add(h);
        }
        const int weighed = list.count;
        for (int i = 0; i < replayedCount; ++i) {
            map.cells[replayed[i]] = last.written[replayed[i]];
            list.Add(replayed[i]);
        }
        return weighed;
    }();

    std::array<TCorpsAt, kCorpsCount> corps;
    for (int i = 0; i < weighCount; ++i) {
        const int h = list.hexes[i];
        const int x = h / kMapRows + 1, y = h % kMapRows + 1;
        MapCell& cell = map.cells[h];
        // Corps sway only a hex somebody controls.
        const int count = cell.ControlSide() != 0 ? corpsNear.Near(last.corps, h, x, y, corps.data()) : 0;
        last.read[h] = cell;
        WeighHex(g, last.states, cell, x, y, {corps.data(), count}, fleets);
        last.written[h] = cell;
    }
    if (citiesChanged) {
        ShowCityHolders(g, map);
    } else {
        for (int i = 0; i < list.count; ++i)
            for (int c = last.firstCity[list.hexes[i]]; c != 0; c = last.nextCity[c])
                if (g.Cities[c].Owner < 3) map.cells[list.hexes[i]].SetControlSide(g.Cities[c].Owner);
    }

    last.unsettledCount = 0;
    auto settle = [&last, &map](int h) {
        const MapCell& cell = map.cells[h];
        if (!SameCell(last.written[h], last.read[h]) || !SameCell(cell, last.written[h]))
            last.unsettled[last.unsettledCount++] = static_cast<std::uint16_t>(h);
    };
    // Only the hexes weighed or replayed and the city hexes can differ from what the pass left last
    // time.
    for (int i = 0; i < list.count; ++i) {
        settle(list.hexes[i]);
        last.left.cells[list.hexes[i]] = map.cells[list.hexes[i]];
    }
    // A city hex not listed, its city unchanged, was left showing its holder and settled.
    for (int c = 1; citiesChanged && c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (!OnMap(city.HexX, city.HexY)) continue;
        const int h = HexIndex(city.HexX, city.HexY);
        last.left.cells[h] = map.cells[h];
        // A city hex not weighed now may still have been changed by its holder.
        if (list.listed[h]) continue;
        list.Add(h);
        settle(h);
    }
    if (citiesChanged) ListCitiesByHex(g, last);
    last.valid = true;
}

}  // namespace kvt
