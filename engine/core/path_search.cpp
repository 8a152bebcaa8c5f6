// Path search over MapGrid for corps, rail moves, river and sea fleets and the computer players.
// Keeps no state between calls but its result globals; its work blocks are allocated once.
#include "engine/core/path_search.h"

#include <algorithm>
#include <cstring>

#include "engine/core/globals.h"
#include "engine/core/random.h"
#include "engine/core/record_queries.h"

namespace kvt {

Arr1<std::uint8_t, kPathMaxSteps> PathSteps = {};
std::uint16_t PathStepCount = 0;
THexPos PathEnd;
std::uint16_t PathResult = 0;

namespace {

constexpr int kHexCount = kMapColumns * kMapRows;
constexpr int kMaxWave = 255;  // waves are one byte: a hex more than 254 steps away is never found

int HexIndex(int x, int y) { return (x - 1) * kMapRows + (y - 1); }

// Land search scores of one hex. Base is the score that steers every walk (lowered where walks
// went); Walk is the base as it stood when the current walk began. Both are filled only for hexes a
// walk looks at, so a search costs what its walks touch, not the whole map.
struct THexWork {
    std::int16_t Base;
    std::int16_t Walk;
    std::uint32_t ScoredIn;   // search that filled Base
    std::uint32_t EnteredIn;  // walk that entered the hex
};

struct TWalkStep {
    std::uint8_t X, Y, Dir;
    std::int16_t Score;
};

struct TWalk {
    TWalkStep Steps[kLandWalkMaxSteps + 1];  // 1..20
    int Total;
};

THexWork HexWork[kHexCount];
TWalk PathWork[kLandWalks + 1];  // 1..7
std::uint32_t searchSerial = 0;
std::uint32_t walkSerial = 0;

// Breadth-first wave of each hex: 0 unvisited, else the distance from the start plus 1.
std::uint8_t ReachGrid[kHexCount];
std::uint16_t waveQueue[kHexCount];

void ClearSteps() {
    for (int k = 1; k <= kPathMaxSteps; ++k) PathSteps[k] = 0;
}

// ---- Land search ----

struct TLandSearch {
    int startX, startY, destX, destY;
    int side;
    int rule;
    bool terrainRules;
    bool hostileHalved;  // an enemy corps stands on the start hex
    int reach;           // 2 x (D + 20)
};

int LandBaseScore(const TLandSearch& s, int x, int y) {
    const MapCell& cell = MapGrid->Cell(x, y);
    int score = 1;
    const bool hostile = cell.ControlSide() != s.side;
    if (s.terrainRules) {
        const int t = cell.Terrain();
        if (t == kTerrainWater || t == kTerrainImpassable) score = 0;
        else if (s.rule == kRuleOwnOnly && hostile) score = 0;
        else if (s.rule == kRuleHostileNearStart && hostile && HexDistance(s.startX, s.startY, x, y) > 2) score = 0;
    }
    if (score != 0) {
        score += s.reach - 2 * HexDistance(x, y, s.destX, s.destY);
        if (x == s.destX && y == s.destY) score += 500;
        if (s.terrainRules && s.rule == kRuleAnyHex && hostile && s.hostileHalved) score /= 2;
    }
    if (x == s.startX && y == s.startY && score != 0) score -= 1;
    return score;
}

THexWork& Scored(const TLandSearch& s, int x, int y) {
    THexWork& w = HexWork[HexIndex(x, y)];
    if (w.ScoredIn != searchSerial) {
        w.ScoredIn = searchSerial;
        w.Base = static_cast<std::int16_t>(LandBaseScore(s, x, y));
        w.Walk = std::max<std::int16_t>(w.Base, 0);
        w.EnteredIn = 0;
    }
    return w;
}

void LandSearch(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    TLandSearch s{};
    s.startX = x1; s.startY = y1; s.destX = x2; s.destY = y2;
    s.side = nation == 0 ? 0 : GameRec->Nations[nation].Side;
    s.rule = rule;
    s.terrainRules = mode == kPathLand;
    s.reach = 2 * (HexDistance(x1, y1, x2, y2) + 20);
    if (s.terrainRules && rule == kRuleAnyHex) s.hostileHalved = EnemyCorpsOn(x1, y1, s.side);
    ClearSteps();
    const int walkLength = std::clamp(maxSteps, 0, kLandWalkMaxSteps);

    if (++searchSerial == 0) {  // after four billion searches the stamps would alias: start afresh
        std::memset(HexWork, 0, sizeof(HexWork));
        searchSerial = 1;
    }

    for (int t = 1; t <= kLandWalks; ++t) {
        TWalk& walk = PathWork[t];
        // Hexes the previous walk entered had their base lowered; their walk score follows it now.
        if (t > 1) {
            const TWalk& prev = PathWork[t - 1];
            for (int k = 1; k <= walkLength && prev.Steps[k].Score != 0; ++k) {
                THexWork& w = HexWork[HexIndex(prev.Steps[k].X, prev.Steps[k].Y)];
                w.Walk = std::max<std::int16_t>(w.Base, 0);
            }
        }
        ++walkSerial;
        if (walkSerial == 0) {
            for (THexWork& w : HexWork) w.EnteredIn = 0;
            walkSerial = 1;
        }
        PathResult = 0;
        std::memset(&walk, 0, sizeof(walk));

        int cx = x1, cy = y1;
        int divisor = walkLength + 1;
        bool reached = false;
        for (int k = 1; k <= walkLength; ++k) {
            int best = 0, bestDir = 0;
            for (int dir = 1; dir <= 6; ++dir) {
                int nx = cx, ny = cy;
                StepHexAt(nx, ny, dir);
                int candidate = 0;
                if (OnMap(nx, ny)) {
                    const THexWork& w = Scored(s, nx, ny);
                    if (w.EnteredIn != walkSerial) candidate = w.Walk;
                }
                if (candidate != 0 && s.terrainRules) {
                    const int side = HexsideValue(*MapGrid, cx, cy, dir);
                    if (side == 3) candidate = 0;
                    else if (side == 2) candidate -= 1;
                }
                if (candidate > best) {
                    best = candidate;
                    bestDir = dir;
                }
                // An equal score replaces the earlier direction at even odds; a draw is also made
                // for a candidate that has just become the best.
                if (candidate != 0 && candidate == best && Random(100) < 50) bestDir = dir;
            }
            if (bestDir == 0) break;  // stuck: nothing changes for the rest of the walk

            StepHexAt(cx, cy, bestDir);
            THexWork& w = HexWork[HexIndex(cx, cy)];
            TWalkStep& step = walk.Steps[k];
            step.X = static_cast<std::uint8_t>(cx);
            step.Y = static_cast<std::uint8_t>(cy);
            step.Dir = static_cast<std::uint8_t>(bestDir);
            step.Score = w.Walk;
            walk.Total += w.Walk;
            if (!(cx == x1 && cy == y1)) w.EnteredIn = walkSerial;
            // Steers later walks elsewhere.
            w.Base = w.Base >= 3 ? static_cast<std::int16_t>(w.Base - 2) : std::int16_t{1};
            if (cx == x2 && cy == y2) {
                PathResult = kPathReached;
                reached = true;
                divisor = k + 1;
                break;
            }
        }
        if (!reached) walk.Total /= 2;
        walk.Total /= divisor;
    }

    int chosen = 0, bestTotal = 0;
    for (int t = 1; t <= kLandWalks; ++t)
        if (PathWork[t].Total > bestTotal) {
            bestTotal = PathWork[t].Total;
            chosen = t;
        }
    PathEnd = {static_cast<std::uint16_t>(x1), static_cast<std::uint16_t>(y1)};
    if (chosen == 0) return;
    const TWalk& walk = PathWork[chosen];
    for (int k = 1; k <= walkLength && walk.Steps[k].Score != 0; ++k) {
        PathSteps[k] = walk.Steps[k].Dir;
        PathEnd = {walk.Steps[k].X, walk.Steps[k].Y};
    }
}

// ---- Breadth-first search ----

bool Passable(int mode, int nation, int x, int y) {
    const MapCell& cell = MapGrid->Cell(x, y);
    switch (mode) {
        case kPathRail:
            return (cell.Terrain() == kTerrainCity || cell.Rail()) && cell.ControlSide() == nation;
        case kPathRiver:
            return cell.RiverNavigable();
        case kPathSea:
            return cell.Terrain() == kTerrainWater || cell.Terrain() == kTerrainCity;
        default:
            return false;
    }
}

void BreadthFirstSearch(int x1, int y1, int x2, int y2, int mode, int nation) {
    PathStepCount = 0;
    ClearSteps();
    PathResult = 0;
    if (!OnMap(x1, y1) || !OnMap(x2, y2)) return;
    std::memset(ReachGrid, 0, sizeof(ReachGrid));

    // Waves are filled level by level, so every hex one wave nearer the start than the destination
    // is known before the destination is; that is all the trace back reads.
    const int startIndex = HexIndex(x1, y1);
    const int destIndex = HexIndex(x2, y2);
    ReachGrid[startIndex] = 1;
    int head = 0, tail = 0;
    waveQueue[tail++] = static_cast<std::uint16_t>(startIndex);
    while (head < tail && ReachGrid[destIndex] == 0) {
        const int index = waveQueue[head++];
        const int wave = ReachGrid[index];
        if (wave >= kMaxWave) break;
        const int x = index / kMapRows + 1, y = index % kMapRows + 1;
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, dir);
            if (!OnMap(nx, ny)) continue;
            const int n = HexIndex(nx, ny);
            if (ReachGrid[n] != 0 || !Passable(mode, nation, nx, ny)) continue;
            ReachGrid[n] = static_cast<std::uint8_t>(wave + 1);
            waveQueue[tail++] = static_cast<std::uint16_t>(n);
        }
    }
    if (ReachGrid[destIndex] == 0) return;

    // Trace back toward the start through hexes one wave nearer; among equals a later direction
    // replaces an earlier one at even odds.
    int cx = x2, cy = y2;
    for (;;) {
        const int wave = ReachGrid[HexIndex(cx, cy)];
        int bestCost = 100, bestDir = 0;
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = cx, ny = cy;
            StepHexAt(nx, ny, dir);
            if (!OnMap(nx, ny) || ReachGrid[HexIndex(nx, ny)] != wave - 1 || wave - 1 == 0) continue;
            const int cost = Passable(mode, nation, nx, ny) ? 2 : 0;
            if (cost < bestCost) {
                bestCost = cost;
                bestDir = dir;
            } else if (cost == bestCost && Random(100) < 50) {
                bestDir = dir;
            }
        }
        if (bestDir == 0) return;
        StepHexAt(cx, cy, bestDir);
        const int w = wave - 1;
        if (w >= 1 && w <= kPathMaxSteps) PathSteps[w] = static_cast<std::uint8_t>(OppositeDirection(bestDir));
        if (w == 1) break;
    }
    PathResult = kPathReached;

    // A route longer than the step list is cut to its first 30 steps.
    int x = x1, y = y1;
    PathEnd = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
    for (int k = 1; k <= kPathMaxSteps && PathSteps[k] != 0; ++k) {
        StepHexAt(x, y, PathSteps[k]);
        PathEnd = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
        if (x == x2 && y == y2) break;
    }
}

PathSearchWatcher searchWatcher = nullptr;

}  // namespace

void FindPath(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    if (searchWatcher) searchWatcher(x1, y1, x2, y2, maxSteps, mode, nation, rule);
    if (x1 == x2 && y1 == y2) {
        PathEnd = {static_cast<std::uint16_t>(x1), static_cast<std::uint16_t>(y1)};
        ClearSteps();
    } else if (mode == kPathRail || mode == kPathRiver || mode == kPathSea) {
        BreadthFirstSearch(x1, y1, x2, y2, mode, nation);
    } else {
        LandSearch(x1, y1, x2, y2, maxSteps, mode, nation, rule);
    }
    int count = 0;
    for (int k = 1; k <= kPathMaxSteps; ++k)
        if (PathSteps[k] != 0) ++count;
    PathStepCount = static_cast<std::uint16_t>(count);
}

bool PathReached(int mode, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return true;
    if (PathEnd.X != x2 || PathEnd.Y != y2) return false;
    const bool breadthFirst = mode == kPathRail || mode == kPathRiver || mode == kPathSea;
    return !breadthFirst || PathResult == kPathReached;
}

void SetPathSearchWatcher(PathSearchWatcher watcher) { searchWatcher = watcher; }

void ResetPathSearch() {
    ClearSteps();
    PathStepCount = 0;
    PathEnd = {};
    PathResult = 0;
}

}  // namespace kvt
