// Path search over MapGrid for corps, rail moves, river and sea fleets and the computer players.
// Keeps no state between calls but its result globals; its work blocks and the map's geometry are
// made once, so a search allocates nothing.
#include "engine/movement/path_search.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/forces/fleet_records.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/record_queries.h"

namespace kvt {

Arr1<std::uint8_t, kPathMaxSteps> PathSteps = {};
std::uint16_t PathStepCount = 0;
THexPos PathEnd;
std::uint16_t PathResult = 0;

namespace {

constexpr int kHexCount = kMapColumns * kMapRows;
constexpr int kMaxWave = 255;  // waves are one byte: a hex more than 254 steps away is never found

int HexIndex(int x, int y) { return (x - 1) * kMapRows + (y - 1); }

// Off-map neighbours in nextOrOff lead to this extra entry of the work grids, which reads as never
// to be entered (a walk score of 0, a wave already given), so neighbours are read without testing
// for the map's edge.
constexpr int kOffMap = kHexCount;

// The map's geometry, the same on every map: each hex's column, row and neighbours by direction
// 1..6 (-1 off the map; kOffMap in nextOrOff), worked out once instead of stepping and
// bounds-testing on every look.
// distance[parity][dx][dy] is HexDistance from a hex of that column parity to the hex dx - 75
// columns and dy - 53 rows before it, which is all the distance depends on; distanceKey[h] picks
// hex h's parity, column and row, so a search that fixes one end reads every distance with one add.
constexpr int kOffsetColumns = 2 * kMapColumns - 1, kOffsetRows = 2 * kMapRows - 1;
struct TGeometry {
    std::uint8_t x[kHexCount], y[kHexCount];
    std::int16_t next[kHexCount][7];
    std::int16_t nextOrOff[kHexCount][8];
    std::uint8_t distance[2][kOffsetColumns][kOffsetRows];
    std::int32_t distanceKey[kHexCount];
};

const TGeometry& Geometry() {
    static const TGeometry geometry = [] {
        TGeometry g{};
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                const int h = HexIndex(x, y);
                g.x[h] = static_cast<std::uint8_t>(x);
                g.y[h] = static_cast<std::uint8_t>(y);
                g.next[h][0] = -1;
                for (int dir = 1; dir <= 6; ++dir) {
                    int nx = x, ny = y;
                    StepHexAt(nx, ny, dir);
                    g.next[h][dir] = static_cast<std::int16_t>(OnMap(nx, ny) ? HexIndex(nx, ny) : -1);
                    g.nextOrOff[h][dir] = static_cast<std::int16_t>(OnMap(nx, ny) ? HexIndex(nx, ny) : kOffMap);
                }
                g.distanceKey[h] = (x & 1) * kOffsetColumns * kOffsetRows + x * kOffsetRows + y;
            }
        // Any column of the parity will do: far from the map, so both ends stay positive.
        for (int parity = 0; parity <= 1; ++parity)
            for (int dx = 0; dx < kOffsetColumns; ++dx)
                for (int dy = 0; dy < kOffsetRows; ++dy) {
                    const int x1 = 200 + parity, y1 = 200;
                    g.distance[parity][dx][dy] = static_cast<std::uint8_t>(
                        HexDistance(x1, y1, x1 - (dx - (kMapColumns - 1)), y1 - (dy - (kMapRows - 1))));
                }
        return g;
    }();
    return geometry;
}

// HexDistance from each hex to one fixed hex, read from the geometry's table.
class TDistanceTo {
public:
    TDistanceTo() = default;
    TDistanceTo(const TGeometry& geo, int x2, int y2)
        : key_(geo.distanceKey),
          base_(&geo.distance[0][0][0] + (kMapColumns - 1 - x2) * kOffsetRows + (kMapRows - 1 - y2)) {}
    int operator()(int h) const { return base_[key_[h]]; }

private:
    const std::int32_t* key_ = nullptr;
    const std::uint8_t* base_ = nullptr;
};

// Land search scores of one hex. Base is the score that steers every walk (lowered where walks
// went); Walk is the base as it stood when the current walk began, or 0 once the walk has entered
// the hex. Both are filled only for hexes a walk looks at, so a search costs what its walks touch,
// not the whole map. The stamps tell which search filled them, so nothing is cleared between searches.
struct THexWork {
    std::int16_t Base;
    std::int16_t Walk;
    std::uint16_t ScoredIn;  // search that filled Base
    std::uint16_t ReadyIn;   // search that scored the neighbours and filled StepCost
};

// What a step leaving a hex costs, taken from the walk score of the hex entered and held at 0:
// 1 across a hexside of 2, kBlocked across a hexside of 3 (and off the map).
constexpr std::int16_t kBlocked = 0x7FFF;

struct TWalkStep {
    std::int16_t Hex;
    std::uint8_t Dir;
};

struct TWalk {
    TWalkStep Steps[kLandWalkMaxSteps + 1];  // 1..Length
    int Length;
    int Total;
};

THexWork HexWork[kHexCount + 1];
std::int16_t StepCost[kHexCount][8];  // [hex][direction 1..6], filled with ReadyIn
TWalk PathWork[kLandWalks + 1];       // 1..7
std::uint16_t searchSerial = 0;

void ClearSteps() { std::fill(PathSteps.begin(), PathSteps.end(), std::uint8_t{0}); }

// ---- Land search ----

struct TLandSearch {
    int startX, startY, destX, destY;
    int startHex, destHex;  // -1 off the map
    int side;
    int rule;
    bool terrainRules;
    int reach;  // 2 x (D + 20)
    TDistanceTo toDest;
    // Whether an enemy corps stands on the start hex (-1 not yet asked): asked only once a hostile
    // hex is scored, since many searches never meet one.
    mutable int hostileHalved;
    bool HostileHalved() const {
        if (hostileHalved < 0) hostileHalved = EnemyCorpsOn(startX, startY, side);
        return hostileHalved != 0;
    }
};

int LandBaseScore(const TLandSearch& s, const MapCell& cell, int h, int x, int y) {
    const bool hostile = cell.ControlSide() != s.side;
    if (s.terrainRules) {
        const int t = cell.Terrain();
        if (t == kTerrainWater || t == kTerrainImpassable) return 0;
        if (hostile && (s.rule == kRuleOwnOnly ||
                        (s.rule == kRuleHostileNearStart && HexDistance(s.startX, s.startY, x, y) > 2)))
            return 0;
    }
    int score = 1 + s.reach - 2 * s.toDest(h);
    if (h == s.destHex) score += 500;
    if (hostile && s.terrainRules && s.rule == kRuleAnyHex && s.HostileHalved()) score /= 2;
    if (h == s.startHex && score != 0) score -= 1;
    return score;
}

void Score(const TLandSearch& s, const TGeometry& geo, const MapCell* cells, int h, std::uint16_t serial) {
    THexWork& w = HexWork[h];
    w.ScoredIn = serial;
    w.Base = static_cast<std::int16_t>(LandBaseScore(s, cells[h], h, geo.x[h], geo.y[h]));
    w.Walk = std::max<std::int16_t>(w.Base, 0);
}

// What a hexside of 0..3 costs a step across it.
constexpr std::int16_t kSideCost[4] = {0, 0, 1, kBlocked};

// Scores the hexes of next[1..6] not yet scored in this search (the off-map entry counts as scored).
// Every hex a walk stands on looks at its six neighbours: the look is written out six times.
inline void ScoreAround(const TLandSearch& s, const TGeometry& geo, const MapCell* cells, const std::int16_t* next) {
    const std::uint16_t serial = searchSerial;
#pragma GCC unroll 6
    for (int dir = 1; dir <= 6; ++dir)
        if (HexWork[next[dir]].ScoredIn != serial) Score(s, geo, cells, next[dir], serial);
}

// The first time a walk stands on on-map hex h in a search: scores its neighbours and fills its step
// costs, so the walks then read their candidates without further tests.
void MakeReady(const TLandSearch& s, const TGeometry& geo, const MapCell* cells, int h) {
    HexWork[h].ReadyIn = searchSerial;
    const std::int16_t* next = geo.nextOrOff[h];
    ScoreAround(s, geo, cells, next);
    std::int16_t* cost = StepCost[h];
    if (!s.terrainRules) {
        std::fill(cost + 1, cost + 7, std::int16_t{0});
        return;
    }
    // Sides 1..3 are kept in the hex itself, sides 4..6 in the neighbour beyond them. Off the map
    // the walk score is 0 whatever the cost, so any cell may be read there.
    const int own = cells[h].b[0];
#pragma GCC unroll 3
    for (int dir = 1; dir <= 3; ++dir) cost[dir] = kSideCost[(own >> (2 * (dir - 1))) & 3];
#pragma GCC unroll 3
    for (int dir = 4; dir <= 6; ++dir) {
        const int beyond = cells[std::min<int>(next[dir], kHexCount - 1)].b[0];
        cost[dir] = kSideCost[(beyond >> (2 * (dir - 4))) & 3];
    }
}

void LandSearch(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    TLandSearch s{};
    s.startX = x1; s.startY = y1; s.destX = x2; s.destY = y2;
    s.side = nation == 0 ? 0 : GameRec->Nations[nation].Side;
    s.rule = rule;
    s.terrainRules = mode == kPathLand;
    s.reach = 2 * (HexDistance(x1, y1, x2, y2) + 20);
    s.toDest = TDistanceTo(geo, x2, y2);
    s.hostileHalved = -1;
    ClearSteps();
    const int walkLength = std::clamp(maxSteps, 0, kLandWalkMaxSteps);
    // Walks step only onto the map, so only the start can lie off it; its neighbours are then stepped to.
    const int startHex = OnMap(x1, y1) ? HexIndex(x1, y1) : -1;
    const int destHex = OnMap(x2, y2) ? HexIndex(x2, y2) : -1;
    s.startHex = startHex;
    s.destHex = destHex;

    if (++searchSerial == 0) {  // after 65,535 searches the stamps would alias: start afresh
        std::memset(HexWork, 0, sizeof(HexWork));
        searchSerial = 1;
    }

    HexWork[kOffMap].ScoredIn = searchSerial;

    // An off-map start has its neighbours worked out here; every hexside leaving it reads as 3.
    std::int16_t offStartNext[8] = {}, offStartCost[8] = {};
    if (startHex < 0) {
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x1, ny = y1;
            StepHexAt(nx, ny, dir);
            offStartNext[dir] = static_cast<std::int16_t>(OnMap(nx, ny) ? HexIndex(nx, ny) : kOffMap);
            offStartCost[dir] = s.terrainRules ? kBlocked : std::int16_t{0};
        }
        ScoreAround(s, geo, cells, offStartNext);
    }

    for (int t = 1; t <= kLandWalks; ++t) {
        TWalk& walk = PathWork[t];
        // Hexes the previous walk entered had their base lowered (and their walk score taken); their
        // walk score follows the base now.
        if (t > 1) {
            const TWalk& prev = PathWork[t - 1];
            for (int k = 1; k <= prev.Length; ++k) {
                THexWork& w = HexWork[prev.Steps[k].Hex];
                w.Walk = std::max<std::int16_t>(w.Base, 0);
            }
        }
        // Kept in registers through the walk: the step's writes to the work grids cannot touch them.
        int length = 0, total = 0;
        int current = startHex;
        int divisor = walkLength + 1;
        bool reached = false;
        for (int k = 1; k <= walkLength; ++k) {
            const std::int16_t* next = offStartNext;
            const std::int16_t* cost = offStartCost;
            if (current >= 0) {
                if (HexWork[current].ReadyIn != searchSerial) MakeReady(s, geo, cells, current);
                next = geo.nextOrOff[current];
                cost = StepCost[current];
            }
            int best = 0, bestDir = 0;
#pragma GCC unroll 6
            for (int dir = 1; dir <= 6; ++dir) {
                // A candidate's score is its walk score less the hexside's cost, never below 0.
                const int candidate = std::max(HexWork[next[dir]].Walk - cost[dir], 0);
                // A higher score takes the direction; an equal one replaces the earlier direction
                // at even odds. The draw is made for a candidate that has just become the best too.
                if (candidate == 0 || candidate < best) continue;
                const int taken = (Random(100) < 50) | (candidate > best);
                bestDir += taken * (dir - bestDir);  // no branch on a draw that goes either way
                best = candidate;
            }
            if (bestDir == 0) break;  // stuck: nothing changes for the rest of the walk

            current = next[bestDir];
            THexWork& w = HexWork[current];
            TWalkStep& step = walk.Steps[k];
            step.Hex = static_cast<std::int16_t>(current);
            step.Dir = static_cast<std::uint8_t>(bestDir);
            length = k;
            total += w.Walk;
            // Entered, the hex is no longer a candidate in this walk; the start may be stepped back to.
            if (current != startHex) w.Walk = 0;
            // Steers later walks elsewhere.
            w.Base = w.Base >= 3 ? static_cast<std::int16_t>(w.Base - 2) : std::int16_t{1};
            if (current == destHex) {
                reached = true;
                divisor = k + 1;
                break;
            }
        }
        if (!reached) total /= 2;
        walk.Length = length;
        walk.Total = total / divisor;
        PathResult = reached ? kPathReached : 0;
    }

    int chosen = 0, bestTotal = 0;
    for (int t = 1; t <= kLandWalks; ++t)
        if (PathWork[t].Total > bestTotal) {
            bestTotal = PathWork[t].Total;
            chosen = t;
        }
    PathEnd = {static_cast<std::uint16_t>(x1), static_cast<std::uint16_t>(y1)};
    PathStepCount = 0;
    if (chosen == 0) return;
    const TWalk& walk = PathWork[chosen];
    PathStepCount = static_cast<std::uint16_t>(walk.Length);
    for (int k = 1; k <= walk.Length; ++k) PathSteps[k] = walk.Steps[k].Dir;
    if (walk.Length > 0) {
        const int end = walk.Steps[walk.Length].Hex;
        PathEnd = {geo.x[end], geo.y[end]};
    }
}

// ---- Breadth-first search ----

template <int kMode>
bool PassableIn(int nation, const MapCell& cell) {
    if constexpr (kMode == kPathRail) return (cell.Terrain() == kTerrainCity || cell.Rail()) && cell.ControlSide() == nation;
    if constexpr (kMode == kPathRiver) return cell.RiverNavigable();
    if constexpr (kMode == kPathSea) return cell.Terrain() == kTerrainWater || cell.Terrain() == kTerrainCity;
    return false;
}

// Wave of each hex: 0 unreached, else the distance from the start plus 1.
std::uint8_t ReachGrid[kHexCount + 1];

// Hexes waiting to be expanded, by their estimate (distance from the start plus the hex distance to
// the destination), each estimate a stack. Every expansion adds at most six.
constexpr int kEstimates = 512;
std::int32_t openHead[kEstimates];
std::int32_t openNext[6 * kHexCount + 1];
std::uint16_t openHex[6 * kHexCount + 1];
std::uint8_t openWave[6 * kHexCount + 1];  // the hex's wave when opened: another since means opened again
bool openReady = false;
// Entries the last sweep opened: only their hexes have a wave to clear (the whole grid when -1).
int lastEntries = -1;

// The waves a breadth-first sweep from the start gives, but only where the trace back can look. The
// hexes are expanded by their estimate, lowest first; the hex distance never drops by more than
// one a step, so a hex is expanded at its true distance. Every hex on a shortest route has an
// estimate of at most the destination's distance, so all of them are expanded before the search
// stops, each with its true wave; a hex left with a longer wave than its true one is never one wave
// nearer the start than a hex on a shortest route beside it (its true distance is already at least
// that), so the trace back meets the same hexes with the same waves as after a whole sweep.
template <int kMode>
bool ReachByWaves(int startHex, int destHex, int nation) {
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    if (!openReady) {
        std::fill(std::begin(openHead), std::end(openHead), -1);
        openReady = true;
    }
    // A hex gets a wave only when opened, so clearing the last sweep's opened hexes clears the grid.
    if (lastEntries >= 0 && lastEntries < kHexCount / 8) {
        for (int e = 0; e < lastEntries; ++e) ReachGrid[openHex[e]] = 0;
    } else {
        std::memset(ReachGrid, 0, sizeof(ReachGrid));
    }
    ReachGrid[kOffMap] = 1;
    const int destX = geo.x[destHex], destY = geo.y[destHex];
    const TDistanceTo estimateToGo(geo, destX, destY);
    int entries = 0, lowest = estimateToGo(startHex), highest = lowest;
    auto open = [&](int h, int estimate) {
        openHex[entries] = static_cast<std::uint16_t>(h);
        openWave[entries] = ReachGrid[h];
        openNext[entries] = openHead[estimate];
        openHead[estimate] = entries++;
        highest = std::max(highest, estimate);
    };
    ReachGrid[startHex] = 1;
    open(startHex, lowest);
    int found = kEstimates;  // the destination's distance once expanded
    for (int f = lowest; f <= highest && f <= found; ++f) {
        while (openHead[f] >= 0) {
            const int e = openHead[f];
            openHead[f] = openNext[e];
            const int h = openHex[e];
            const int wave = ReachGrid[h];
            if (openWave[e] != wave) continue;  // opened again nearer since
            if (h == destHex) {
                found = f;
                continue;
            }
            if (wave >= kMaxWave) continue;
            const std::int16_t* next = geo.nextOrOff[h];
            for (int dir = 1; dir <= 6; ++dir) {
                const int n = next[dir];
                const int seen = ReachGrid[n];
                if ((seen != 0 && seen <= wave + 1) || !PassableIn<kMode>(nation, cells[n])) continue;
                ReachGrid[n] = static_cast<std::uint8_t>(wave + 1);
                open(n, wave + estimateToGo(n));
            }
        }
    }
    for (int f = lowest; f <= highest; ++f) openHead[f] = -1;
    lastEntries = entries;
    return found != kEstimates;
}

// Traces the route back from the destination toward the start through hexes one wave nearer, on
// waves that reached the destination; among equals a later direction replaces an earlier one at
// even odds.
template <int kMode>
void TraceBack(const std::uint8_t* waves, int x2, int y2, int nation) {
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    int current = HexIndex(x2, y2);
    // A route longer than the step list is cut to its first 30 steps: it ends on the hex of the
    // wave after them.
    int end = waves[current] <= kPathMaxSteps + 1 ? current : -1;
    for (;;) {
        const int wave = waves[current];
        if (wave == kPathMaxSteps + 1) end = current;
        int bestCost = 100, bestDir = 0;
        for (int dir = 1; dir <= 6; ++dir) {
            const int n = geo.next[current][dir];
            if (n < 0 || waves[n] != wave - 1 || wave - 1 == 0) continue;
            const int cost = PassableIn<kMode>(nation, cells[n]) ? 2 : 0;
            if (cost < bestCost) {
                bestCost = cost;
                bestDir = dir;
            } else if (cost == bestCost && Random(100) < 50) {
                bestDir = dir;
            }
        }
        if (bestDir == 0) return;
        current = geo.next[current][bestDir];
        const int w = wave - 1;
        if (w >= 1 && w <= kPathMaxSteps) PathSteps[w] = static_cast<std::uint8_t>(OppositeDirection(bestDir));
        if (w == 1) break;
    }
    PathResult = kPathReached;
    PathEnd = {geo.x[end], geo.y[end]};
    PathStepCount = static_cast<std::uint16_t>(std::min(waves[HexIndex(x2, y2)] - 1, kPathMaxSteps));
}

template <int kMode>
void BreadthFirstSearch(int x1, int y1, int x2, int y2, int nation) {
    PathStepCount = 0;
    ClearSteps();
    PathResult = 0;
    if (!OnMap(x1, y1) || !OnMap(x2, y2)) return;
    if (!ReachByWaves<kMode>(HexIndex(x1, y1), HexIndex(x2, y2), nation)) return;
    TraceBack<kMode>(ReachGrid, x2, y2, nation);
}

PathSearchWatcher searchWatcher = nullptr;

}  // namespace

void FindPath(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    if (searchWatcher) searchWatcher(x1, y1, x2, y2, maxSteps, mode, nation, rule);
    if (x1 == x2 && y1 == y2) {
        PathEnd = {static_cast<std::uint16_t>(x1), static_cast<std::uint16_t>(y1)};
        ClearSteps();
        PathStepCount = 0;
        return;
    }
    if (mode != kPathRail && mode != kPathRiver && mode != kPathSea) {
        LandSearch(x1, y1, x2, y2, maxSteps, mode, nation, rule);  // counts its steps itself
        return;
    }
    if (mode == kPathRail) BreadthFirstSearch<kPathRail>(x1, y1, x2, y2, nation);
    else if (mode == kPathRiver) BreadthFirstSearch<kPathRiver>(x1, y1, x2, y2, nation);
    else BreadthFirstSearch<kPathSea>(x1, y1, x2, y2, nation);
}

bool RouteExists(int x1, int y1, int x2, int y2, int mode, int nation) {
    if (!OnMap(x1, y1) || !OnMap(x2, y2)) return false;
    if (x1 == x2 && y1 == y2) return true;
    const int start = HexIndex(x1, y1), dest = HexIndex(x2, y2);
    switch (mode) {
        case kPathRail: return ReachByWaves<kPathRail>(start, dest, nation);
        case kPathRiver: return ReachByWaves<kPathRiver>(start, dest, nation);
        case kPathSea: return ReachByWaves<kPathSea>(start, dest, nation);
        default: return false;
    }
}

bool PathReached(int mode, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return true;
    if (PathEnd.X != x2 || PathEnd.Y != y2) return false;
    const bool breadthFirst = mode == kPathRail || mode == kPathRiver || mode == kPathSea;
    return !breadthFirst || PathResult == kPathReached;
}

namespace {
constexpr std::uint16_t kNoArea = 0xFFFF;
}  // namespace

TRouteAreas::TRouteAreas(int mode, int nation) : mode_(mode), nation_(nation) {}

namespace {
// Labels the area of passable hex `hex` in `area` as `label`, and every impassable hex at its edge.
template <int kMode>
void LabelArea(std::uint16_t* area, int hex, int nation, std::uint16_t label) {
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    static std::int16_t stack[kHexCount];
    int top = 0;
    area[hex] = label;
    stack[top++] = static_cast<std::int16_t>(hex);
    while (top > 0) {
        const int h = stack[--top];
        for (int dir = 1; dir <= 6; ++dir) {
            const int n = geo.next[h][dir];
            if (n < 0 || area[n] != 0) continue;
            if (!PassableIn<kMode>(nation, cells[n])) {
                area[n] = kNoArea;
                continue;
            }
            area[n] = label;
            stack[top++] = static_cast<std::int16_t>(n);
        }
    }
}
}  // namespace

bool TRouteAreas::Enters(const MapCell& cell) const {
    return mode_ == kPathRail    ? PassableIn<kPathRail>(nation_, cell)
           : mode_ == kPathRiver ? PassableIn<kPathRiver>(nation_, cell)
           : mode_ == kPathSea   ? PassableIn<kPathSea>(nation_, cell)
                                 : false;
}

int TRouteAreas::AreaOf(int hex) {
    if (area_[hex] != 0) return area_[hex];
    if (!Enters(MapGrid->cells[hex])) return area_[hex] = kNoArea;
    // The waves step from one passable hex to the next, so the hexes joined that way are one area.
    const auto label = static_cast<std::uint16_t>(++areas_);
    if (mode_ == kPathRail) LabelArea<kPathRail>(area_, hex, nation_, label);
    else if (mode_ == kPathRiver) LabelArea<kPathRiver>(area_, hex, nation_, label);
    else LabelArea<kPathSea>(area_, hex, nation_, label);
    return label;
}

void TRouteAreas::Renew(const MapCell* before, const std::vector<int>& changed) {
    const TGeometry& geo = Geometry();
    const MapCell* now = MapGrid->cells;
    // Labels are never given twice, so they run out after many renewals: all are then given afresh.
    if (areas_ >= kNoArea / 2) {
        std::memset(area_, 0, sizeof(area_));
        areas_ = 0;
    }
    static std::int16_t stack[kHexCount];
    // Takes the labels off the area holding `hex`, if it has been labelled.
    auto clearArea = [&](int hex) {
        const std::uint16_t label = area_[hex];
        if (label == 0 || label == kNoArea) return;
        int top = 0;
        area_[hex] = 0;
        stack[top++] = static_cast<std::int16_t>(hex);
        while (top > 0) {
            const std::int16_t* next = geo.next[stack[--top]];
            for (int dir = 1; dir <= 6; ++dir)
                if (next[dir] >= 0 && area_[next[dir]] == label) {
                    area_[next[dir]] = 0;
                    stack[top++] = next[dir];
                }
        }
    };
    // Whether a route entered hex n on the map the labels stand for so far: a changed hex reads as
    // before until it is renewed.
    static std::uint8_t renewed[kHexCount] = {};
    auto entered = [&](int n) { return n >= 0 && Enters(renewed[n] ? now[n] : before[n]); };
    for (const int h : changed) {
        if (renewed[h] || Enters(before[h]) == Enters(now[h])) continue;
        renewed[h] = 1;
        const std::int16_t* next = geo.nextOrOff[h];
        // Waves that reached the hex or a hex beside it may run otherwise now (the off-map entry
        // reads as reached, so a hex at the edge forgets more than it must).
        for (auto& w : waves_) {
            const std::uint8_t* wave = w->wave;
            if (w->from >= 0 && (wave[h] | wave[next[1]] | wave[next[2]] | wave[next[3]] | wave[next[4]] | wave[next[5]] |
                                 wave[next[6]]) != 0)
                w->from = -1;
        }
        const std::int16_t* around = geo.next[h];
        if (Enters(now[h])) {
            // A hex opened beside one labelled area only (or none) joins it.
            std::uint16_t joined = 0;
            bool one = true;
            for (int dir = 1; one && dir <= 6; ++dir) {
                if (!entered(around[dir])) continue;
                const std::uint16_t label = area_[around[dir]];
                one = label != 0 && label != kNoArea && (joined == 0 || label == joined);
                joined = label;
            }
            if (one) {
                area_[h] = joined;
                continue;
            }
        } else {
            // The hexes beside a closed one stay joined round it when those a route enters make
            // one run about it (neighbours in turn touch each one another).
            int runs = 0;
            for (int dir = 1; dir <= 6; ++dir) runs += entered(around[dir]) && !entered(around[dir % 6 + 1]);
            if (runs <= 1) {
                area_[h] = kNoArea;
                continue;
            }
        }
        // Otherwise the areas beside it may have split or joined: they are labelled again when asked.
        area_[h] = 0;
        for (int dir = 1; dir <= 6; ++dir)
            if (next[dir] != kOffMap) clearArea(next[dir]);
    }
    for (const int h : changed) renewed[h] = 0;
}

namespace {

// Of the kept wave sets, the one used longest ago, to be cleared for another end.
template <class TKept>
std::size_t LeastRecentlyUsed(const std::vector<std::unique_ptr<TKept>>& kept) {
    const auto oldest = std::min_element(kept.begin(), kept.end(),
                                         [](const auto& x, const auto& y) { return x->lastUsed < y->lastUsed; });
    return static_cast<std::size_t>(oldest - kept.begin());
}

// Waves begun again from one hex: only it has a wave, and only it waits to be expanded.
template <class TKept>
void BeginWavesAt(TKept& w, int hex) {
    w.wave[kOffMap] = 1;
    w.wave[hex] = 1;
    w.queue[0] = static_cast<std::int16_t>(hex);
    w.queued = 1;
    w.expanded = 0;
}

}  // namespace

// The waves kept from `start`, else those used longest ago (or new ones) cleared for it.
TRouteAreas::TWaves& TRouteAreas::WavesFrom(int start) {
    std::size_t slot = wavesOf_[start];
    if (slot != 0) {
        --slot;  // the start's own, kept or forgotten
    } else if (waves_.size() < kKeptStarts) {
        slot = waves_.size();
        waves_.push_back(std::make_unique<TWaves>());
    } else {
        slot = LeastRecentlyUsed(waves_);
        wavesOf_[waves_[slot]->queue[0]] = 0;
    }
    TWaves& w = *waves_[slot];
    if (w.from != start) {
        for (int e = 0; e < w.queued; ++e) w.wave[w.queue[e]] = w.nearer[w.queue[e]] = 0;
        wavesOf_[start] = static_cast<std::uint8_t>(slot + 1);
        w.from = start;
        BeginWavesAt(w, start);
    }
    w.lastUsed = ++uses_;
    return w;
}

// The waves a whole sweep from the start gives every hex up to the destination's wave; the trace
// back looks no farther, so it meets the same waves as after the search's own sweep (see
// ReachByWaves).
template <int kMode>
bool TRouteAreas::SearchByKeptWaves(int x1, int y1, int x2, int y2) {
    if (searchWatcher) searchWatcher(x1, y1, x2, y2, 0, mode_, nation_, kRuleOwnOnly);
    PathStepCount = 0;
    ClearSteps();
    PathResult = 0;
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    const int dest = HexIndex(x2, y2);
    TWaves& w = WavesFrom(HexIndex(x1, y1));
    // Waves are given in order, so once the destination has one every hex nearer has its own.
    while (w.wave[dest] == 0 && w.expanded < w.queued) {
        const int h = w.queue[w.expanded++];
        const int wave = w.wave[h];
        if (wave >= kMaxWave) continue;
        const std::int16_t* next = geo.nextOrOff[h];
        for (int dir = 1; dir <= 6; ++dir) {
            const int n = next[dir];
            if (w.wave[n] != 0 || !PassableIn<kMode>(nation_, cells[n])) continue;
            w.wave[n] = static_cast<std::uint8_t>(wave + 1);
            w.queue[w.queued++] = static_cast<std::int16_t>(n);
        }
    }
    if (w.wave[dest] != 0) TraceBackByKeptWaves(w, dest);
    return PathReached(mode_, x1, y1, x2, y2);
}

// TraceBack on kept waves, with the same route, result and draws. Every hex given a wave past the
// start's was entered, so any two hexes a wave nearer cost the same and tie, and the hexes a wave
// nearer than a hex are found once for all the searches from the start.
void TRouteAreas::TraceBackByKeptWaves(TWaves& w, int dest) {
    const TGeometry& geo = Geometry();
    const int destWave = w.wave[dest];
    int current = dest;
    int end = destWave <= kPathMaxSteps + 1 ? dest : -1;
    for (int wave = destWave; wave > 1; --wave) {
        if (wave == kPathMaxSteps + 1) end = current;
        std::uint8_t& nearer = w.nearer[current];
        if (nearer == 0) {
            for (int dir = 1; dir <= 6; ++dir) {
                const int n = geo.next[current][dir];
                if (n >= 0 && w.wave[n] == wave - 1) nearer |= static_cast<std::uint8_t>(1u << dir);
            }
        }
        // As TraceBack: the first direction, replaced by each later one at even odds.
        int bestDir = std::countr_zero(static_cast<unsigned>(nearer));
        for (unsigned later = nearer & (nearer - 1u); later != 0; later &= later - 1u)
            if (Random(100) < 50) bestDir = std::countr_zero(later);
        current = geo.next[current][bestDir];
        if (wave - 1 <= kPathMaxSteps) PathSteps[wave - 1] = static_cast<std::uint8_t>(OppositeDirection(bestDir));
    }
    PathResult = kPathReached;
    PathEnd = {geo.x[end], geo.y[end]};
    PathStepCount = static_cast<std::uint16_t>(std::min(destWave - 1, kPathMaxSteps));
}

bool TRouteAreas::Search(int x1, int y1, int x2, int y2) {
    // The start is left whatever it is, so the route may begin in any area beside it; the
    // destination must be entered. A search capped at its longest wave reaches no more than that.
    bool apart = (x1 != x2 || y1 != y2) && (!OnMap(x1, y1) || !OnMap(x2, y2));
    if (!apart && (x1 != x2 || y1 != y2)) {
        const int dest = AreaOf(HexIndex(x2, y2));
        const std::int16_t* around = Geometry().next[HexIndex(x1, y1)];
        apart = true;
        for (int dir = 1; apart && dest != kNoArea && dir <= 6; ++dir) apart = around[dir] < 0 || AreaOf(around[dir]) != dest;
    }
    if (apart) {
        ClearSteps();
        PathStepCount = 0;
        PathResult = 0;
        return false;
    }
    if (x1 == x2 && y1 == y2) {
        FindPath(x1, y1, x2, y2, 0, mode_, nation_, kRuleOwnOnly);
        return PathReached(mode_, x1, y1, x2, y2);
    }
    // Both ends lie on the map here.
    if (mode_ == kPathRail) return SearchByKeptWaves<kPathRail>(x1, y1, x2, y2);
    if (mode_ == kPathRiver) return SearchByKeptWaves<kPathRiver>(x1, y1, x2, y2);
    return SearchByKeptWaves<kPathSea>(x1, y1, x2, y2);
}

int SearchHexDistance(int x1, int y1, int x2, int y2) {
    return TDistanceTo(Geometry(), x2, y2)(HexIndex(x1, y1));
}

void SetPathSearchWatcher(PathSearchWatcher watcher) { searchWatcher = watcher; }

void ResetPathSearch() {
    ClearSteps();
    PathStepCount = 0;
    PathEnd = {};
    PathResult = 0;
}

int FleetPathMode(const TFleetRec& f) { return f.WaterType == kWaterRiver ? kPathRiver : kPathSea; }

// ---- Fleet searches from kept waves ----

namespace {

// Breadth-first waves swept back from one destination, as far as a search needed: a later search
// only extends them. Every hex in queue has its wave, in order of wave; those before expanded have
// passed it on. The waves stand for the distance to the destination plus 1, over the hexes a route
// may enter (the start of a route may be any hex).
struct TDestWaves {
    int mode = 0, dest = -1, queued = 0, expanded = 0;
    unsigned lastUsed = 0;
    std::uint8_t wave[kHexCount + 1] = {};
    std::int16_t queue[kHexCount];
};

// The bits of the map the river and sea searches read: river navigation in byte 0, terrain in byte 1.
constexpr std::size_t kMapBytes = sizeof(TMapGrid::cells);
static_assert(sizeof(MapCell) == 3 && kMapBytes >= 16);

struct TWaterWaves {
    static constexpr std::size_t kKeptDests = 96;  // more than the ports and targets of a year's fleets
    std::vector<std::unique_ptr<TDestWaves>> waves;
    std::uint8_t slotOf[2][kHexCount] = {};  // by river or sea and destination: 1 + index in waves, 0 none
    unsigned uses = 0;
    unsigned char waterMask[kMapBytes] = {};
    unsigned char sweptWaters[kMapBytes] = {};  // the map's water bits the waves were swept on
    // The hexes on a shortest route of one search, with their waves from its start; 0 elsewhere.
    std::uint8_t corridor[kHexCount + 1] = {};
    std::int16_t corridorHexes[kHexCount];

    TWaterWaves() {
        corridor[kOffMap] = 1;  // never entered
        for (std::size_t i = 0; i < kMapBytes; ++i) waterMask[i] = i % 3 == 0 ? 0x40 : i % 3 == 1 ? 0x07 : 0x00;
    }
};

// Every pass that keeps waves looks at the whole map first, so it is read sixteen bytes at a time;
// the last block overlaps the one before, the map not being a whole number of blocks.
bool WatersChanged(const TWaterWaves& kept, const unsigned char* map) {
    using TBlock = unsigned char __attribute__((vector_size(16)));
    const auto block = [](const unsigned char* p, std::size_t i) {
        TBlock b;
        std::memcpy(&b, p + i, sizeof(b));
        return b;
    };
    TBlock diff{};
    for (std::size_t i = 0; i + 16 <= kMapBytes; i += 16)
        diff |= (block(map, i) & block(kept.waterMask, i)) ^ block(kept.sweptWaters, i);
    const std::size_t last = kMapBytes - 16;
    diff |= (block(map, last) & block(kept.waterMask, last)) ^ block(kept.sweptWaters, last);
    std::uint64_t half[2];
    std::memcpy(half, &diff, sizeof(half));
    return (half[0] | half[1]) != 0;
}

TWaterWaves& KeptWaterWaves() {
    static const auto kept = std::make_unique<TWaterWaves>();
    return *kept;
}

TDestWaves& WavesTo(TWaterWaves& kept, int mode, int dest) {
    std::uint8_t& slotOf = kept.slotOf[mode == kPathSea][dest];
    std::size_t slot = slotOf;
    if (slot != 0) {
        --slot;
    } else if (kept.waves.size() < TWaterWaves::kKeptDests) {
        slot = kept.waves.size();
        kept.waves.push_back(std::make_unique<TDestWaves>());
    } else {
        slot = LeastRecentlyUsed(kept.waves);
    }
    TDestWaves& w = *kept.waves[slot];
    if (w.dest != dest || w.mode != mode) {
        if (w.dest >= 0) kept.slotOf[w.mode == kPathSea][w.dest] = 0;
        for (int e = 0; e < w.queued; ++e) w.wave[w.queue[e]] = 0;
        slotOf = static_cast<std::uint8_t>(slot + 1);
        w.mode = mode;
        w.dest = dest;
        BeginWavesAt(w, dest);
    }
    w.lastUsed = ++kept.uses;
    return w;
}

// The least wave beside `start`: the length of its shortest route to the destination (0 for none).
// The waves are extended a whole wave at a time, so the first seen beside the start is the least.
template <int kMode>
int RouteLengthFrom(TDestWaves& w, int start) {
    const TGeometry& geo = Geometry();
    const MapCell* cells = MapGrid->cells;
    for (;;) {
        int least = 0;
        for (int dir = 1; dir <= 6; ++dir) {
            const int n = geo.next[start][dir];
            if (n >= 0 && w.wave[n] != 0 && (least == 0 || w.wave[n] < least)) least = w.wave[n];
        }
        if (least != 0 || w.expanded == w.queued) return least;
        const int level = w.wave[w.queue[w.expanded]];
        while (w.expanded < w.queued && w.wave[w.queue[w.expanded]] == level) {
            const int h = w.queue[w.expanded++];
            if (level >= kMaxWave) continue;
            const std::int16_t* next = geo.nextOrOff[h];
            for (int dir = 1; dir <= 6; ++dir) {
                const int n = next[dir];
                if (w.wave[n] != 0 || !PassableIn<kMode>(0, cells[n])) continue;
                w.wave[n] = static_cast<std::uint8_t>(level + 1);
                w.queue[w.queued++] = static_cast<std::int16_t>(n);
            }
        }
    }
}

// The route length from start to destination as the sweep from the start finds it, 0 for none: the
// destination must be entered, and a wave past 255 is never given.
template <int kMode>
int KeptRouteLength(TWaterWaves& kept, int start, int dest) {
    if (!PassableIn<kMode>(0, MapGrid->cells[dest])) return 0;
    const int length = RouteLengthFrom<kMode>(WavesTo(kept, kMode, dest), start);
    return length < kMaxWave ? length : 0;
}

// The trace back of a sweep from the start needs that sweep's waves only on the hexes of shortest
// routes (any other hex beside the route has a wave no nearer the start): they are the hexes reached
// from the start by steps one wave nearer the destination each, and their wave from the start is
// the route's length less their distance to the destination.
template <int kMode>
void TraceKept(TWaterWaves& kept, int start, int dest, int x2, int y2, int nation) {
    const int length = KeptRouteLength<kMode>(kept, start, dest);
    if (length == 0) return;
    const TDestWaves& w = *kept.waves[kept.slotOf[kMode == kPathSea][dest] - 1];
    const TGeometry& geo = Geometry();
    int marked = 0;
    kept.corridor[start] = 1;
    kept.corridorHexes[marked++] = static_cast<std::int16_t>(start);
    for (int e = 0; e < marked; ++e) {
        const int h = kept.corridorHexes[e];
        const int toGo = h == start ? length + 1 : w.wave[h];
        if (toGo <= 1) continue;
        const std::int16_t* next = geo.nextOrOff[h];
        for (int dir = 1; dir <= 6; ++dir) {
            const int n = next[dir];
            if (kept.corridor[n] != 0 || w.wave[n] != toGo - 1) continue;
            kept.corridor[n] = static_cast<std::uint8_t>(length + 2 - w.wave[n]);
            kept.corridorHexes[marked++] = static_cast<std::int16_t>(n);
        }
    }
    TraceBack<kMode>(kept.corridor, x2, y2, nation);
    for (int e = 0; e < marked; ++e) kept.corridor[kept.corridorHexes[e]] = 0;
}

}  // namespace

void TWaterRoutes::FindPath(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    if ((mode != kPathRiver && mode != kPathSea) || (x1 == x2 && y1 == y2)) {
        kvt::FindPath(x1, y1, x2, y2, maxSteps, mode, nation, rule);
        return;
    }
    if (searchWatcher) searchWatcher(x1, y1, x2, y2, maxSteps, mode, nation, rule);
    PathStepCount = 0;
    ClearSteps();
    PathResult = 0;
    if (!OnMap(x1, y1) || !OnMap(x2, y2)) return;
    TWaterWaves& kept = KeptWaterWaves();
    if (mode == kPathRiver) TraceKept<kPathRiver>(kept, HexIndex(x1, y1), HexIndex(x2, y2), x2, y2, nation);
    else TraceKept<kPathSea>(kept, HexIndex(x1, y1), HexIndex(x2, y2), x2, y2, nation);
}

bool TWaterRoutes::RouteExists(int x1, int y1, int x2, int y2, int mode, int nation) {
    if (mode != kPathRiver && mode != kPathSea) return kvt::RouteExists(x1, y1, x2, y2, mode, nation);
    if (!OnMap(x1, y1) || !OnMap(x2, y2)) return false;
    if (x1 == x2 && y1 == y2) return true;
    TWaterWaves& kept = KeptWaterWaves();
    const int start = HexIndex(x1, y1), dest = HexIndex(x2, y2);
    return (mode == kPathRiver ? KeptRouteLength<kPathRiver>(kept, start, dest)
                               : KeptRouteLength<kPathSea>(kept, start, dest)) != 0;
}

TWaterRoutes& WaterRoutes() {
    static TWaterRoutes routes;
    TWaterWaves& kept = KeptWaterWaves();
    const auto* map = reinterpret_cast<const unsigned char*>(MapGrid->cells);
    if (WatersChanged(kept, map)) {
        for (std::size_t i = 0; i < kMapBytes; ++i) kept.sweptWaters[i] = map[i] & kept.waterMask[i];
        for (auto& w : kept.waves) {
            if (w->dest >= 0) kept.slotOf[w->mode == kPathSea][w->dest] = 0;
            for (int e = 0; e < w->queued; ++e) w->wave[w->queue[e]] = 0;
            w->dest = -1;
            w->queued = 0;
        }
    }
    return routes;
}

}  // namespace kvt
