// Path search: a route of up to 30 steps between two hexes, left in shared globals that the caller
// reads at once. Distances are in hexes; a route is a list of directions 1..6 clockwise from north,
// entry k being the k-th step from the start.
//
// Mode 1 (land route of corps) is randomized: seven greedy walks of at most 20 steps over a score map
// that favours hexes near the destination, the best walk kept; it may end short of the destination,
// and PathEnd says where. Modes 2 (own rail), 3 (river) and 4 (sea) are exact breadth-first searches
// that set PathResult to 2 when the destination was reached and 0 when not. Any other mode runs the
// land walks without terrain, territory and hexside rules.
//
// Work blocks live for the whole run; a search allocates nothing. Draws come from Random(n) in a fixed
// order, so a seed fixes every route.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_types.h"

namespace kvt {

constexpr int kPathMaxSteps = 30;
constexpr int kLandWalkMaxSteps = 20;
constexpr int kLandWalks = 7;

enum : int { kPathLand = 1, kPathRail = 2, kPathRiver = 3, kPathSea = 4 };
// Territory rules of the land search.
enum : int { kRuleOwnOnly = 0, kRuleAnyHex = 1, kRuleHostileNearStart = 2 };
constexpr std::uint16_t kPathReached = 2;

// Directions of the found route, entries 1..30; 0 = no step.
extern Arr1<std::uint8_t, kPathMaxSteps> PathSteps;
// Number of non-zero entries of PathSteps.
extern std::uint16_t PathStepCount;
// Hex where the stored route ends. A breadth-first search that finds nothing leaves it as it was.
extern THexPos PathEnd;
// 2 = destination reached, 0 = not. A search from a hex to itself leaves it as it was.
extern std::uint16_t PathResult;

// nation: mode 1 a nation 1..4 whose side counts as own (0: uncontrolled hexes count as own);
// mode 2 compared directly with each hex's controlling side. maxSteps and rule: mode 1 only.
void FindPath(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule);

// Whether a search of mode 2, 3 or 4 would find a route from (x1, y1) to (x2, y2), at no cost in
// draws; the result globals are left as they were.
bool RouteExists(int x1, int y1, int x2, int y2, int mode, int nation);

// The areas a search of mode 2, 3 or 4 for `nation` can cross, for a caller that asks many routes
// of a map that does not change meanwhile. An area is labelled the first time a route asks about it,
// so a search that would find nothing is answered once per area instead of sweeping it every time.
class TRouteAreas {
public:
    TRouteAreas(int mode, int nation);
    // FindPath(x1, y1, x2, y2, 0, mode, nation, 0) and PathReached, except that hexes no route can
    // join are answered without a search: the result globals are then left as a search that found
    // nothing leaves them (no steps, PathResult 0), and no draws are made, as that search makes none.
    // The search watcher sees only the searches made.
    bool Search(int x1, int y1, int x2, int y2);
    // For a map whose hexes `changed` read as in `before` when the areas were last asked about:
    // forgets the areas and waves a hex that a route may now enter or no longer enter touches.
    void Renew(const MapCell* before, const std::vector<int>& changed);

private:
    static constexpr int kHexes = kMapColumns * kMapRows;
    // Breadth-first waves from one start, swept only as far as a destination needed: a later
    // search from the start only extends them. queue holds the hexes given a wave, in order of
    // wave; those before expanded have passed their wave on. The extra last entry is off the map.
    // nearer holds, once a trace back has asked, the directions (bit d) from a hex to the hexes a
    // wave nearer the start; 0 not yet asked.
    struct TWaves {
        int from = -1, queued = 0, expanded = 0;
        unsigned lastUsed = 0;
        std::uint8_t wave[kHexes + 1] = {};
        std::uint8_t nearer[kHexes] = {};
        std::int16_t queue[kHexes];
    };
    // Waves are kept for this many starts: every capital of a sweep and most cities searched from.
    static constexpr std::size_t kKeptStarts = 64;

    bool Enters(const MapCell& cell) const;
    int AreaOf(int hex);
    TWaves& WavesFrom(int start);
    template <int kMode>
    bool SearchByKeptWaves(int x1, int y1, int x2, int y2);
    static void TraceBackByKeptWaves(TWaves& w, int dest);
    int mode_, nation_, areas_ = 0;
    // 0 not yet labelled; kNoArea for a hex no route enters.
    std::uint16_t area_[kHexes] = {};
    std::vector<std::unique_ptr<TWaves>> waves_;
    std::uint8_t wavesOf_[kHexes] = {};  // by start: 1 + the index of its waves in waves_, 0 none
    unsigned uses_ = 0;
};

// The path search mode of the fleet's waters.
int FleetPathMode(const TFleetRec& f);

// FindPath and RouteExists for the river and sea modes, answered from breadth-first waves swept
// back from each destination and kept between searches and turns: fleets keep heading for the same
// few ports, and the waters change only when a map is read or a city hex marked. Results, draws and
// the search watcher's calls are those of FindPath and RouteExists; other modes go to them.
class TWaterRoutes {
public:
    void FindPath(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule);
    bool RouteExists(int x1, int y1, int x2, int y2, int mode, int nation);
};
// The kept waves, first forgotten if the map's waters changed since they were swept: hold them only
// while the waters stay as they are (within one rule's pass).
TWaterRoutes& WaterRoutes();

// True when the last FindPath from (x1, y1) really reached (x2, y2): the hex itself, or a route
// ending there that this search found (never a PathEnd left over from an earlier search).
bool PathReached(int mode, int x1, int y1, int x2, int y2);

// HexDistance as the searches read it from their table of distances by offset, for on-map hexes.
int SearchHexDistance(int x1, int y1, int x2, int y2);

// Clears the result globals (fresh program state).
void ResetPathSearch();

// Sees the arguments of every search as it starts; benchmarks collect the game's own searches with
// it. nullptr for none.
using PathSearchWatcher = void (*)(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule);
void SetPathSearchWatcher(PathSearchWatcher watcher);

}  // namespace kvt
