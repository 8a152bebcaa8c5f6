// Spotting (what each side sees of the other's corps and fleets, and which corps are in contact)
// and army headquarters following their corps. Runs before movement and after every fleet pass;
// never waits on the player (the lost-army notice goes through the Frontend).
#include "engine/movement/spotting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/world/by_column.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMaxContact = 4;
constexpr int kHostileCityContact = 4;
// Headquarters choice: a city out of the running, the score limit and the cost of enemy corps next to a city.
constexpr std::int32_t kScoreCutOff = 50000;
constexpr std::int32_t kScoreOut = 65000;
constexpr std::int32_t kScoreLimit = 2500;
constexpr std::int32_t kEnemyNearCost = 1000;
constexpr std::int32_t kEnemyNearThreatCost = 4000;

int Distance(int x1, int y1, int x2, int y2) { return HexDistance(x1, y1, x2, y2); }

void RaiseContact(TCorpsRec& k) {
    if (k.ContactCode < kMaxContact) k.ContactCode += 1;
    if (k.Losses == 0) k.Losses = G().MoveStep;
}

bool CarriedByActiveFleet(int corps) {
    for (const TFleetRec& f : G().Fleets)
        if (f.BuildCounter == 0 && f.Cargo == corps) return true;
    return false;
}

// How far a corps sees: by its theatre's weather, one hex more for cavalry, one less when worn out.
inline int CorpsSpottingRange(const TCorpsRec& k) {
    const int weather = G().TheatreWeather[k.Region];
    int range = weather > 6 ? 3 : weather == 3 ? 4 : 5;
    if (k.Kind == 2) range += 1;
    if (k.Fatigue > k.FatigueLimit) range -= 1;
    return range;
}

// Corps k meets enemy corps j at distance d: on one hex both make contact unless one is afloat;
// within k's range j is seen.
void MeetEnemyCorps(TCorpsRec& k, TCorpsRec& j, int d, int range, int& sameHex) {
    if (d == 0) {
        ++sameHex;
        if (k.OrderMode < kOrderEmbarked && j.OrderMode < kOrderEmbarked) {
            RaiseContact(k);
            RaiseContact(j);
        }
    } else if (d <= range) {
        // A farther spotter must not lower what a nearer one saw.
        j.Visibility = static_cast<U8>(std::max(static_cast<int>(j.Visibility), range - d));
    }
}

// How far a fleet sees, by the weather of its home port's theatre (the seaboard's without one).
inline int FleetSpottingRange(const TFleetRec& f) {
    const TGameRec& g = G();
    int theatre = g.Cities[f.HomePort].Theatre;
    if (f.HomePort == 0 || theatre == 0) theatre = kSeaboard;
    const int weather = g.TheatreWeather[theatre];
    return weather >= 6 ? 1 : weather > 2 ? 2 : 3;
}

// Fleet f sights an enemy fleet within its range r; a fleet on the other kind of water counts
// one hex farther.
void SpotEnemyFleet(TFleetRec& f, const TFleetRec& other, int r) {
    int d = Distance(f.HexX, f.HexY, other.HexX, other.HexY);
    if (!(f.WaterType != 0 && other.WaterType != 0)) d += 1;
    if (d <= r && f.Spotted < r - d) f.Spotted = static_cast<U8>(r - d + (other.Mission == kMissionPatrol ? 1 : 0));
}

void SpotByCorps(int i) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[i];
    const int range = CorpsSpottingRange(k);

    int sameHex = 0;
    for (TCorpsRec& j : g.Corps) {
        // Sides, not nations: allies share a side and never meet as enemies.
        if (!CorpsInUse(j) || j.Side == k.Side) continue;
        MeetEnemyCorps(k, j, Distance(k.HexX, k.HexY, j.HexX, j.HexY), range, sameHex);
    }
    if (sameHex == 0) k.ContactCode = 0;
}

void SpotByCities() {
    TGameRec& g = G();
    for (const TCityRec& city : g.Cities) {
        const int r = city.Garrison != 0 ? 2 : 1;
        for (TCorpsRec& j : g.Corps) {
            if (!CorpsInUse(j) || j.Side == city.Owner) continue;
            const int d = Distance(city.HexX, city.HexY, j.HexX, j.HexY);
            if (d <= r && j.Visibility < r - d) j.Visibility = static_cast<U8>(j.Visibility + r - d);
            if (d == 0 && j.OrderMode < kOrderEmbarked) j.ContactCode = kHostileCityContact;
            const int homeControl = g.States[j.HomeState].ControlSide;
            if (homeControl != 0 && homeControl != j.Side) j.Visibility += 1;
        }
    }
}

void SpotFleets() {
    TGameRec& g = G();
    for (TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0 || f.Side == 0) continue;
        const int r = FleetSpottingRange(f);
        for (const TFleetRec& other : g.Fleets) {
            if (other.BuildCounter != 0 || other.Side == 0 || other.Side == f.Side) continue;
            SpotEnemyFleet(f, other, r);
        }
        for (const TCityRec& city : g.Cities)
            if (city.Owner != 0 && city.Owner != f.Side && Distance(f.HexX, f.HexY, city.HexX, city.HexY) <= r)
                f.Spotted += 1;
        for (TCorpsRec& k : g.Corps)
            if (CorpsInUse(k) && k.Side != f.Side && Distance(f.HexX, f.HexY, k.HexX, k.HexY) <= 1) k.Visibility += 1;
    }
}

// ---------------------------------------------------------------- the same sweeps, by column
// Spotting runs after every fleet pass. Each rule above measures every corps, city or fleet against
// every other; the sweeps below visit only those in the columns within reach, from lists sorted by
// column, and give the same record: each corps' and fleet's own changes come in the same order, and
// what several spotters add to one corps is a maximum or a sum.

using TCorpsByColumn = TByColumn<kCorpsCount>;
using TCitiesByColumn = TByColumn<kCityCount>;

TPlace PlaceOf(const TCorpsRec& k) { return {k.HexX, k.HexY, k.Side}; }

void SortCorps(TCorpsByColumn& corps) {
    const TGameRec& g = G();
    corps.Sort(kCorpsCount, [&g](int k) { return PlaceOf(g.Corps[k]); }, [&g](int k) { return CorpsInUse(g.Corps[k]); });
}

// What the corps part of the swept pass reads of a corps slot (a free slot reads as all zero).
struct TCorpsReading {
    std::uint8_t inUse, x, y, side, spots;
    std::int8_t range;
    std::uint8_t unused[2];  // always zero: a reading compares as one 8-byte word
    // Compared whole: most corps read the same every pass.
    bool operator==(const TCorpsReading& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};
static_assert(sizeof(TCorpsReading) == 8);

TCorpsReading ReadingOf(const TCorpsRec& k) {
    if (!CorpsInUse(k)) return {};
    if (k.Nation == 0) return {1, k.HexX, k.HexY, k.Side, 0, 0, {}};
    return {1, k.HexX, k.HexY, k.Side, 1, static_cast<std::int8_t>(CorpsSpottingRange(k)), {}};
}

// The last swept pass's corps part: what it read of every slot, the corps by column, and the
// enemies each spotter met with their distances, in the order met. A pass that reads every slot
// the same and ends no corps meets the same enemies at the same distances: it meets them again
// from this list instead of sweeping (fleet passes move no corps ashore).
struct TMeetings {
    bool valid = false;
    std::array<TCorpsReading, kCorpsCount + 1> read{};
    TCorpsByColumn corps;
    std::array<std::uint16_t, kCorpsCount + 2> start{};  // spotter i met enemy[start[i] .. start[i + 1])
    std::array<std::uint8_t, kCorpsCount * kCorpsCount> enemy, distance;
    int count = 0;
    // What the meetings come to: the most each corps is seen by, whether a spotter shares its hex
    // with an enemy, and the pairs on one hex, spotter first.
    std::array<std::uint8_t, kCorpsCount + 1> seen{};
    std::array<bool, kCorpsCount + 1> sharesHex{};
    std::array<std::uint8_t, kCorpsCount * kCorpsCount> pairSpotter, pairEnemy;
    int pairCount = 0;
};

TMeetings lastMeetings;

// The meetings summed up once for all the passes that meet them again: none yet, then one more.
void ClearSummary(TMeetings& met) {
    met.seen.fill(0);
    met.sharesHex.fill(false);
    met.pairCount = 0;
}

void SumUpMeeting(TMeetings& met, int i, int range, int j, int d) {
    if (d == 0) {
        met.sharesHex[i] = true;
        met.pairSpotter[met.pairCount] = static_cast<std::uint8_t>(i);
        met.pairEnemy[met.pairCount++] = static_cast<std::uint8_t>(j);
    } else {
        met.seen[j] = static_cast<std::uint8_t>(std::max(static_cast<int>(met.seen[j]), range - d));
    }
}

void SumUpMeetings(TMeetings& met) {
    ClearSummary(met);
    for (int i = 1; i <= kCorpsCount; ++i)
        if (met.read[i].spots)
            for (int m = met.start[i]; m < met.start[i + 1]; ++m) SumUpMeeting(met, i, met.read[i].range, met.enemy[m], met.distance[m]);
}

void SpotByCorpsSwept(int i, const TCorpsByColumn& corps, TMeetings& met) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[i];
    const int range = CorpsSpottingRange(k);

    // A distance within the range or 0 lies within that many columns and rows.
    const int box = std::max(range, 0);
    int sameHex = 0;
    corps.ForNear(k.HexX, k.HexY, box, [&](int index, int x, int y, int side) {
        if (side == k.Side) return;
        TCorpsRec& j = g.Corps[index];
        const int d = Distance(k.HexX, k.HexY, x, y);
        // Only these two meet at all.
        if (d == 0 || d <= range) {
            met.enemy[met.count] = static_cast<std::uint8_t>(index);
            met.distance[met.count++] = static_cast<std::uint8_t>(d);
        }
        MeetEnemyCorps(k, j, d, range, sameHex);
    });
    if (sameHex == 0) k.ContactCode = 0;
}

// Meets the kept meetings again as `MeetEnemyCorps` would, one by one: what the spotters make a
// corps see is their maximum, contact raised on one hex only counts up, and a spotter's contact is
// cleared only when no enemy shares its hex, so no raise ever meets a cleared corps.
void MeetAsLastPass(const TMeetings& met) {
    TGameRec& g = G();
    for (int p = 0; p < met.pairCount; ++p) {
        TCorpsRec& k = g.Corps[met.pairSpotter[p]];
        TCorpsRec& j = g.Corps[met.pairEnemy[p]];
        if (k.OrderMode < kOrderEmbarked && j.OrderMode < kOrderEmbarked) {
            RaiseContact(k);
            RaiseContact(j);
        }
    }
    // Every corps starts the pass unseen.
    for (int i = 1; i <= kCorpsCount; ++i) {
        TCorpsRec& k = g.Corps[i];
        k.Visibility = met.seen[i];
        if (met.read[i].spots && !met.sharesHex[i]) k.ContactCode = 0;
    }
}

// Brings the last pass's meetings up to the readings `now` (`unchanged` marks the slots that read
// as then) when some corps moved, turned or tired but none ends: a changed spotter sweeps its
// enemies anew, every other spotter keeps what it met of the unchanged corps and measures only the
// changed ones. What several spotters do to one corps
// is a maximum or a count, and a spotter's contact is cleared only when no enemy shares its hex,
// so the order the meetings come in changes nothing.
void UpdateMeetings(TMeetings& met, const std::array<TCorpsReading, kCorpsCount + 1>& now,
                    const std::array<bool, kCorpsCount + 1>& unchanged) {
    SortCorps(met.corps);
    std::array<bool, kCorpsCount + 1> changed{};
    // The moved corps' hexes side by side, grouped by side: a spotter that stays measures only
    // those before and after its own side's run [sideFrom[s], sideTo[s]).
    std::array<std::uint8_t, kCorpsCount> moved, movedX, movedY;
    std::array<std::uint8_t, 256> sideFrom{}, sideTo{};
    int movedCount = 0;
    for (int i = 1; i <= kCorpsCount; ++i) {
        changed[i] = !unchanged[i];
        if (!changed[i] || !now[i].inUse) continue;
        const int side = now[i].side;
        int at = movedCount++;
        for (; at > 0 && now[moved[at - 1]].side > side; --at) {
            moved[at] = moved[at - 1];
            movedX[at] = movedX[at - 1];
            movedY[at] = movedY[at - 1];
        }
        moved[at] = static_cast<std::uint8_t>(i);
        movedX[at] = now[i].x;
        movedY[at] = now[i].y;
    }
    for (int n = movedCount - 1; n >= 0; --n) sideFrom[now[moved[n]].side] = static_cast<std::uint8_t>(n);
    for (int n = 0; n < movedCount; ++n) sideTo[now[moved[n]].side] = static_cast<std::uint8_t>(n + 1);
    static std::array<std::uint8_t, kCorpsCount * kCorpsCount> enemy, distance;
    int count = 0;
    ClearSummary(met);
    auto meet = [&](int i, int range, int j, int d) {
        enemy[count] = static_cast<std::uint8_t>(j);
        distance[count++] = static_cast<std::uint8_t>(d);
        SumUpMeeting(met, i, range, j, d);
    };
    std::array<std::uint16_t, kCorpsCount + 2> start{};
    for (int i = 1; i <= kCorpsCount; ++i) {
        start[i] = static_cast<std::uint16_t>(count);
        const TCorpsReading& k = now[i];
        if (!k.spots) continue;
        const int range = k.range, box = std::max(range, 0);
        if (changed[i]) {
            met.corps.ForNear(k.x, k.y, box, [&](int j, int x, int y, int side) {
                const int d = Distance(k.x, k.y, x, y);
                if (side != k.side && (d == 0 || d <= range)) meet(i, range, j, d);
            });
            continue;
        }
        for (int m = met.start[i]; m < met.start[i + 1]; ++m)
            if (!changed[met.enemy[m]]) meet(i, range, met.enemy[m], met.distance[m]);
        auto measure = [&](int from, int to) {
            for (int n = from; n < to; ++n) {
                // A corps more columns or rows off than the range (or than 0) is farther.
                if (std::abs(movedX[n] - k.x) > box || std::abs(movedY[n] - k.y) > box) continue;
                const int d = Distance(k.x, k.y, movedX[n], movedY[n]);
                if (d == 0 || d <= range) meet(i, range, moved[n], d);
            }
        };
        // A side without a moved corps has an empty run at 0.
        measure(0, sideFrom[k.side]);
        measure(sideTo[k.side], movedCount);
    }
    start[kCorpsCount + 1] = static_cast<std::uint16_t>(count);
    met.start = start;
    std::copy(enemy.begin(), enemy.begin() + count, met.enemy.begin());
    std::copy(distance.begin(), distance.begin() + count, met.distance.begin());
    met.count = count;
    met.read = now;
}

// What the cities part reads of a city's place, and the cities near each corps as the last swept
// pass found them: while no corps and no city moves or changes hands they stay the same.
struct TCityReading {
    std::uint8_t x, y, owner;
    bool operator==(const TCityReading&) const = default;
};
// Without padding, all the cities' readings compare as one block of bytes.
static_assert(sizeof(TCityReading) == 3);

struct TNearCities {
    bool valid = false, readOnce = false;
    std::array<TCityReading, kCityCount + 1> read{};
    TCitiesByColumn cities;
    // The cities of another side within reach of corps slot k, in city order, with their distances:
    // city[k][0 .. count[k]).
    std::array<std::uint8_t, kCorpsCount + 1> count{};
    std::array<std::array<std::uint8_t, kCityCount>, kCorpsCount + 1> city, distance;
    // notOwn[s][c]: the cities 1..c not held by side s, for the sides 0..3, counted when first asked
    // for while the holders stay the same.
    std::array<std::array<std::uint8_t, kCityCount + 1>, 4> notOwn;
    std::array<bool, 4> counted{};
};

TNearCities lastNearCities;

// Each corps meets the cities in city order: a near city of another side may raise what it sees,
// and every city of another side adds one while the corps' home state is held by the enemy.
// `near` holds the cities near each corps, found anew for a corps unless `known`.
void SpotByCitiesSwept(const TCorpsByColumn& corps, TNearCities& near, const std::array<bool, kCorpsCount + 1>& known) {
    TGameRec& g = G();
    constexpr int kCityReach = 2;
    auto& notOwn = near.notOwn;
    auto& counted = near.counted;
    auto notOwnBetween = [&](int side, int from, int to) {  // cities from + 1 .. to
        if (side < 4) {
            if (!counted[side]) {
                notOwn[side][0] = 0;
                for (int c = 1; c <= kCityCount; ++c)
                    notOwn[side][c] = static_cast<std::uint8_t>(notOwn[side][c - 1] + (g.Cities[c].Owner != side));
                counted[side] = true;
            }
            return notOwn[side][to] - notOwn[side][from];
        }
        int n = 0;
        for (int c = from + 1; c <= to; ++c) n += g.Cities[c].Owner != side;
        return n;
    };
    for (int p = 0; p < corps.Count(); ++p) {
        const int k = corps.index[p];
        TCorpsRec& j = g.Corps[k];
        auto& nearCity = near.city[k];
        auto& nearDistance = near.distance[k];
        if (!known[k]) {
            int nearCount = 0;
            near.cities.ForNear(j.HexX, j.HexY, kCityReach, [&](int c, int x, int y, int owner) {
                if (owner == j.Side) return;
                const int d = Distance(x, y, j.HexX, j.HexY);
                if (d > kCityReach) return;
                int at = nearCount++;
                for (; at > 0 && nearCity[at - 1] > c; --at) {
                    nearCity[at] = nearCity[at - 1];
                    nearDistance[at] = nearDistance[at - 1];
                }
                nearCity[at] = static_cast<std::uint8_t>(c);
                nearDistance[at] = static_cast<std::uint8_t>(d);
            });
            near.count[k] = static_cast<std::uint8_t>(nearCount);
        }
        const int nearCount = near.count[k];
        const int others = notOwnBetween(j.Side, 0, kCityCount);
        const int homeControl = others != 0 ? static_cast<int>(g.States[j.HomeState].ControlSide) : 0;
        const bool enemyHome = homeControl != 0 && homeControl != j.Side;
        U8 visibility = j.Visibility;
        int passed = 0;
        for (int n = 0; n < nearCount; ++n) {
            const int c = nearCity[n], d = nearDistance[n];
            if (enemyHome) visibility = static_cast<U8>(visibility + notOwnBetween(j.Side, passed, c - 1));
            const int r = g.Cities[c].Garrison != 0 ? 2 : 1;
            if (d <= r && visibility < r - d) visibility = static_cast<U8>(visibility + r - d);
            if (d == 0 && j.OrderMode < kOrderEmbarked) j.ContactCode = kHostileCityContact;
            if (enemyHome) visibility = static_cast<U8>(visibility + 1);
            passed = c;
        }
        if (enemyHome) visibility = static_cast<U8>(visibility + notOwnBetween(j.Side, passed, kCityCount));
        j.Visibility = visibility;
    }
}

// The enemy cities each fleet counted at the last pass, with where it lay and how far it saw: while
// no city moves or changes hands a fleet that lies and sees the same counts the same.
struct TFleetSight {
    std::uint32_t pass = 0;
    std::uint8_t x = 0, y = 0, range = 0, side = 0, cities = 0;
};

std::array<TFleetSight, kFleetCount + 1> lastFleetSights;
std::uint32_t sweptPasses = 0;

void SpotFleetsSwept(const TCorpsByColumn& corps, const TCitiesByColumn& cities, bool citiesAsLastPass) {
    TGameRec& g = G();
    const std::uint32_t pass = ++sweptPasses;
    // The fleets afloat with their hexes and sides side by side: a fleet sights only the others.
    std::array<std::uint8_t, kFleetCount> afloat, afloatX, afloatY, afloatSide;
    int afloatCount = 0;
    for (int f = 1; f <= kFleetCount; ++f) {
        TFleetRec& fleet = g.Fleets[f];
        // Every fleet starts the pass unsighted; the scan that lists the fleets afloat clears it.
        fleet.Spotted = 0;
        if (fleet.BuildCounter != 0 || fleet.Side == 0) continue;
        afloat[afloatCount] = static_cast<std::uint8_t>(f);
        afloatX[afloatCount] = fleet.HexX;
        afloatY[afloatCount] = fleet.HexY;
        afloatSide[afloatCount++] = fleet.Side;
    }
    // For each side the afloat fleets of the others, in index order (a fleet's sightings build on
    // each other, so their order counts), listed when a fleet of that side first looks.
    std::array<std::array<std::uint8_t, kFleetCount>, 256> others;
    std::array<int, 256> othersCount;
    std::array<bool, 256> listed{};
    for (int a = 0; a < afloatCount; ++a) {
        TFleetRec& f = g.Fleets[afloat[a]];
        const int r = FleetSpottingRange(f);
        const int x0 = f.HexX, y0 = f.HexY, side = f.Side;
        auto& enemies = others[side];
        if (!listed[side]) {
            int n = 0;
            for (int b = 0; b < afloatCount; ++b)
                if (afloatSide[b] != side) enemies[n++] = static_cast<std::uint8_t>(b);
            othersCount[side] = n;
            listed[side] = true;
        }
        for (int e = 0; e < othersCount[side]; ++e) {
            const int b = enemies[e];
            // A fleet more than r columns or rows off is farther than r hexes.
            if (std::abs(afloatX[b] - x0) > r || std::abs(afloatY[b] - y0) > r) continue;
            SpotEnemyFleet(f, g.Fleets[afloat[b]], r);
        }
        TFleetSight& sight = lastFleetSights[afloat[a]];
        if (!citiesAsLastPass || sight.pass + 1 != pass || sight.x != x0 || sight.y != y0 || sight.range != r || sight.side != side) {
            int enemyCities = 0;
            cities.ForNear(x0, y0, r, [&](int, int x, int y, int owner) {
                enemyCities += owner != 0 && owner != side && Distance(x0, y0, x, y) <= r;
            });
            sight = {0, static_cast<std::uint8_t>(x0), static_cast<std::uint8_t>(y0), static_cast<std::uint8_t>(r),
                     static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(enemyCities)};
        }
        sight.pass = pass;
        f.Spotted = static_cast<U8>(f.Spotted + sight.cities);
        corps.ForNear(x0, y0, 1, [&](int index, int x, int y, int corpsSide) {
            if (corpsSide != side && Distance(x0, y0, x, y) <= 1) g.Corps[index].Visibility += 1;
        });
    }
}

// ---------------------------------------------------------------- headquarters

bool HeldBy(int city, int side) { return city != 0 && G().Cities[city].Owner == side; }

// Score of city c as headquarters of army a placed for target hex city t; lower is better.
// Computed in 32 bits: the sums of squared distances pass 65535 on a full map. Every term is at
// least 0, so the count stops once it reaches `beaten` (the best score so far), which the city can
// no longer undercut.
std::int32_t HeadquartersScore(int a, int c, int t, std::int32_t enemyCost, bool cutOff, std::int32_t beaten) {
    const TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    const TCityRec& city = g.Cities[c];
    const TCityRec& target = g.Cities[t];
    int d = Distance(city.HexX, city.HexY, target.HexX, target.HexY);
    // The army's theatre stands for its mission.
    if (city.Theatre != army.Theatre) d += 1;
    if (c == g.Nations[army.Nation].Capital && d >= 3) d -= 2;
    for (int b = 1; b <= kArmyCount; ++b)
        if (b != a && g.Armies[b].BaseCity == c) d += 5;
    std::int32_t score = d * d;
    for (const TCorpsRec& k : g.Corps) {
        if (score >= beaten) return score;
        if (!CorpsInUse(k)) continue;
        if (cutOff && score >= kScoreCutOff) {
            score = kScoreOut;
            continue;
        }
        const int e = Distance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (k.Army == a && k.Nation == army.Nation) score += e * e;
        if (k.Side != army.Side && e < 2) score += enemyCost;
    }
    return score;
}

int BestHeadquarters(int a, int t, bool threatened) {
    const TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    int best = 0;
    std::int32_t bestScore = kScoreLimit;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (!IsSupplySourceOf(city, army.Side)) continue;
        if (threatened ? c == t : MapGrid->Cell(city.HexX, city.HexY).ControlSide() != army.Side) continue;
        const std::int32_t score =
            HeadquartersScore(a, c, t, threatened ? kEnemyNearThreatCost : kEnemyNearCost, !threatened, bestScore);
        if (score < bestScore) {
            bestScore = score;
            best = c;
        }
    }
    return best;
}

// Every city by column: sorted again only when a city stands in another column than at the last sort.
const std::array<std::uint8_t, kCityCount>& CitiesByColumn() {
    static std::array<std::uint8_t, kCityCount + 1> sortedX{};
    static std::array<std::uint8_t, kCityCount> order{};
    static bool sorted = false;
    const TGameRec& g = G();
    bool same = sorted;
    for (int c = 1; c <= kCityCount; ++c) same = same && g.Cities[c].HexX == sortedX[c];
    if (same) return order;
    for (int c = 1; c <= kCityCount; ++c) {
        sortedX[c] = g.Cities[c].HexX;
        order[c - 1] = static_cast<std::uint8_t>(c);
    }
    std::stable_sort(order.begin(), order.end(), [](int a, int b) { return sortedX[a] < sortedX[b]; });
    sorted = true;
    return order;
}

// The same choice without measuring every corps against every city: the army's own corps and the
// corps of other sides are listed once, and a city's count stops as soon as it cannot win. Every
// term is at least 0, so the first city with the lowest score under the limit wins either way.
// Moving headquarters moves, frees and turns no corps, and losing an army only takes its own corps
// out of it, so the corps are listed once a pass: all of them by column, and each army's by its
// number (a corps is still checked for its army when read). No city or hex changes either: the
// cities a side may choose unthreatened are listed by column, kept from pass to pass while every
// city reads the same.
class THeadquartersCorps {
public:
    THeadquartersCorps() {
        const TGameRec& g = G();
        ReadCities();
        if (Kept().read != citiesRead_) Kept() = {citiesRead_};
        all_.Sort(kCorpsCount, [&g](int c) { return PlaceOf(g.Corps[c]); }, [&g](int c) { return CorpsInUse(g.Corps[c]); });
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec& c = g.Corps[k];
            if (CorpsInUse(c) && c.Army <= kArmyCount) armyCorps_[c.Army][armyCount_[c.Army]++] = static_cast<std::uint8_t>(k);
        }
    }
    const TCorpsByColumn& All() const { return all_; }
    // Counts up whenever a pass begins with any city read differently from the pass before.
    static std::uint32_t CitiesRead() { return citiesRead_; }
    // The supply sources of the side on hexes it controls, by column, with their columns and rows.
    struct TCities {
        std::array<std::uint8_t, kCityCount> city, column, row;
        int count = 0;
    };
    const TCities& SourcesHeldBy(int side) { return Of(side).sources; }
    // The corps in use that served army a when the pass began, in index order.
    template <typename F>
    void ForArmy(int a, F f) const {
        for (int i = 0; i < armyCount_[a]; ++i) f(armyCorps_[a][i]);
    }

private:
    // Everything a choice reads of the cities: every city's place (a target's too), and whether it
    // supplies; only a supply source is ever chosen, so only a source's holder, theatre and hex
    // control count.
    static void ReadCities() {
        static std::array<std::uint64_t, kCityCount + 1> last{};
        const TGameRec& g = G();
        bool same = citiesRead_ != 0;
        for (int c = 1; c <= kCityCount; ++c) {
            const TCityRec& city = g.Cities[c];
            std::uint64_t read = city.HexX | city.HexY << 8;
            if (IsSupplySource(city))
                read |= 1u << 16 | city.Owner << 24 | static_cast<std::uint64_t>(city.Theatre) << 32 |
                        static_cast<std::uint64_t>(MapGrid->Cell(city.HexX, city.HexY).ControlSide()) << 40;
            same = same && read == last[c];
            last[c] = read;
        }
        if (!same) ++citiesRead_;
    }
    static inline std::uint32_t citiesRead_ = 0;
    struct TKept {
        int side = 0;
        TCities sources;
    };
    const TKept& Of(int side) {
        TKeptSides& kept = Kept();
        for (int i = 0; i < kept.count; ++i)
            if (kept.sides[i].side == side) return kept.sides[i];
        TKept& k = kept.sides[kept.count < 4 ? kept.count++ : 3];
        k = {side, {}};
        const TGameRec& g = G();
        for (const int c : CitiesByColumn()) {
            const TCityRec& city = g.Cities[c];
            if (IsSupplySourceOf(city, side) && MapGrid->Cell(city.HexX, city.HexY).ControlSide() == side) {
                k.sources.column[k.sources.count] = city.HexX;
                k.sources.row[k.sources.count] = city.HexY;
                k.sources.city[k.sources.count++] = static_cast<std::uint8_t>(c);
            }
        }
        return k;
    }
    TCorpsByColumn all_;
    // The sides 0..3, listed while the cities read the same.
    struct TKeptSides {
        std::uint32_t read = 0;
        int count = 0;
        std::array<TKept, 4> sides;
    };
    static TKeptSides& Kept() {
        static TKeptSides kept;
        return kept;
    }
    // Each army's corps, listed in one look over the corps.
    std::array<std::uint8_t, kArmyCount + 1> armyCount_{};
    std::array<std::array<std::uint8_t, kCorpsCount>, kArmyCount + 1> armyCorps_;
};

// The least r with r * r >= v (v >= 0).
std::int64_t CeilSqrt(std::int64_t v) {
    auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
    while (r * r < v) ++r;
    while (r > 0 && (r - 1) * (r - 1) >= v) --r;
    return r;
}

// What a choice of seat reads besides the enemies near the cities it scored in full.
struct THeadquartersInputs {
    std::uint32_t cities = 0;
    std::uint8_t target = 0, side = 0, nation = 0, theatre = 0, capital = 0, ownCount = 0;
    std::array<std::uint8_t, kArmyCount + 1> bases{};  // the other armies' seats
    std::array<std::uint8_t, kCorpsCount> ownX{}, ownY{};
    bool operator==(const THeadquartersInputs&) const = default;
};

// The city each army last chose, unthreatened and threatened, with what the choice read. Every
// other city was cut by parts of its score that enemies cannot lower, so while those inputs and
// the enemies near the cities scored in full stay the same, so does the choice. Scored first, the
// last choice usually sets a bar low enough that the bounds cut every other city at once; it is
// only where the count begins, the winner is still the first city with the lowest score.
struct THeadquartersChoice {
    std::uint8_t best = 0;
    bool known = false;
    THeadquartersInputs read;
    int scoredCount = 0;
    std::array<std::uint8_t, kCityCount> scored, enemiesNear;
};
std::array<std::array<THeadquartersChoice, 2>, kArmyCount + 1> lastChoice{};

int EnemiesNear(const TCorpsByColumn& all, int x0, int y0, int side) {
    int n = 0;
    all.ForNear(x0, y0, 1, [&](int, int x, int y, int corpsSide) { n += corpsSide != side && Distance(x, y, x0, y0) < 2; });
    return n;
}

int BestHeadquartersSwept(int a, int t, bool threatened, THeadquartersCorps& corps) {
    const TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    THeadquartersInputs read;
    auto& ownX = read.ownX;
    auto& ownY = read.ownY;
    int ownCount = 0;
    // Sums of the own corps' columns and rows and their squares: a hex distance is at least the
    // column and the row difference, so the squares of either bound a city's sum from below.
    std::int32_t sumX = 0, sumXX = 0, sumY = 0, sumYY = 0;
    const TCorpsByColumn& all = corps.All();
    corps.ForArmy(a, [&](int c) {
        const TCorpsRec& k = g.Corps[c];
        if (k.Army != a || k.Nation != army.Nation) return;
        ownX[ownCount] = k.HexX;
        ownY[ownCount++] = k.HexY;
        sumX += k.HexX;
        sumXX += k.HexX * k.HexX;
        sumY += k.HexY;
        sumYY += k.HexY * k.HexY;
    });
    for (int b = 1; b <= kArmyCount; ++b)
        if (b != a) read.bases[b] = g.Armies[b].BaseCity;
    const TCityRec& target = g.Cities[t];
    const int capital = g.Nations[army.Nation].Capital;
    read.cities = THeadquartersCorps::CitiesRead();
    read.target = static_cast<std::uint8_t>(t);
    read.side = army.Side;
    read.nation = army.Nation;
    read.theatre = army.Theatre;
    read.capital = static_cast<std::uint8_t>(capital);
    read.ownCount = static_cast<std::uint8_t>(ownCount);
    THeadquartersChoice& choice = lastChoice[a][threatened ? 1 : 0];
    if (choice.known && choice.read == read) {
        bool same = true;
        for (int i = 0; i < choice.scoredCount && same; ++i) {
            const TCityRec& city = g.Cities[choice.scored[i]];
            same = EnemiesNear(all, city.HexX, city.HexY, army.Side) == choice.enemiesNear[i];
        }
        if (same) return choice.best;
    }
    choice.known = false;
    choice.scoredCount = 0;
    std::array<std::uint8_t, 256> otherBases{};
    for (int b = 1; b <= kArmyCount; ++b)
        if (b != a) ++otherBases[g.Armies[b].BaseCity];
    const std::int32_t enemyCost = threatened ? kEnemyNearThreatCost : kEnemyNearCost;

    // City c's score, or `bar` as soon as the score cannot come under it.
    auto score = [&](int c, std::int32_t bar) {
        const TCityRec& city = g.Cities[c];
        const std::int32_t cx = city.HexX, cy = city.HexY;
        const std::int32_t columns = sumXX - 2 * cx * sumX + ownCount * cx * cx;
        const std::int32_t rows = sumYY - 2 * cy * sumY + ownCount * cy * cy;
        const std::int32_t own = std::max(columns, rows);
        if (own >= bar) return bar;
        int d = Distance(city.HexX, city.HexY, target.HexX, target.HexY);
        if (city.Theatre != army.Theatre) d += 1;
        if (c == capital && d >= 3) d -= 2;
        d += 5 * otherBases[c];
        std::int32_t sum = d * d;
        if (sum + own >= bar) return bar;
        for (int j = 0; j < ownCount && sum < bar; ++j) {
            const int e = Distance(ownX[j], ownY[j], city.HexX, city.HexY);
            sum += e * e;
        }
        if (sum >= bar) return bar;
        const int enemies = EnemiesNear(all, city.HexX, city.HexY, army.Side);
        choice.scored[choice.scoredCount] = static_cast<std::uint8_t>(c);
        choice.enemiesNear[choice.scoredCount++] = static_cast<std::uint8_t>(enemies);
        return sum + enemies * enemyCost;
    };

    int best = 0;
    std::int32_t bestScore = kScoreLimit;
    // A city before the best so far wins a tie with it.
    auto weigh = [&](int c) {
        const std::int32_t bar = best != 0 && c < best ? bestScore + 1 : bestScore;
        const std::int32_t s = score(c, bar);
        if (s < bar) {
            bestScore = s;
            best = c;
        }
    };
    const std::uint8_t last = choice.best;
    auto chosen = [&] {
        choice.best = static_cast<std::uint8_t>(best);
        choice.read = read;
        choice.known = true;
        return best;
    };
    if (threatened) {
        std::array<std::uint8_t, kCityCount> running;
        int runningCount = 0;
        for (int c = 1; c <= kCityCount; ++c)
            if (IsSupplySourceOf(g.Cities[c], army.Side) && c != t) running[runningCount++] = static_cast<std::uint8_t>(c);
        const auto* lastAt = std::find(running.begin(), running.begin() + runningCount, last);
        if (lastAt != running.begin() + runningCount) weigh(last);
        for (int i = 0; i < runningCount; ++i)
            if (running.begin() + i != lastAt) weigh(running[i]);
        return chosen();
    }
    const THeadquartersCorps::TCities& sources = corps.SourcesHeldBy(army.Side);
    const bool lastRuns = std::find(sources.city.begin(), sources.city.begin() + sources.count, last) !=
                          sources.city.begin() + sources.count;
    if (lastRuns) weigh(last);
    // Either part of a score bounds it from below by the city's column alone, and by its row alone:
    // the target's d is at least the difference less 2, and the own corps' sum at least the sum of
    // their squared differences, n (x - mean)^2 + (n sumXX - sumX^2) / n. Only the columns and rows
    // where both stay under the bar can hold a winner; the bar can only fall.
    const std::int64_t bar = bestScore + 1;
    const std::int64_t reach = CeilSqrt(bar) + 1;
    auto within = [&](std::int64_t aim, std::int64_t sum, std::int64_t squares) {
        std::pair<std::int64_t, std::int64_t> range{aim - reach, aim + reach};
        if (ownCount == 0) return range;
        const std::int64_t n = ownCount, spread = n * squares - sum * sum;
        if (n * bar <= spread) return std::pair<std::int64_t, std::int64_t>{1, 0};
        const std::int64_t q = CeilSqrt(n * bar - spread);
        range.first = std::max(range.first, (sum - q) / n - 1);
        range.second = std::min(range.second, (sum + q) / n + 1);
        return range;
    };
    const auto [fromColumn, toColumn] = within(target.HexX, sumX, sumXX);
    const auto [fromRow, toRow] = within(target.HexY, sumY, sumYY);
    const auto* first = sources.column.begin() + sources.count;
    if (fromColumn <= 255) first = std::lower_bound(sources.column.begin(), first, static_cast<std::uint8_t>(std::max<std::int64_t>(fromColumn, 0)));
    for (int i = static_cast<int>(first - sources.column.begin()); i < sources.count && sources.column[i] <= toColumn; ++i)
        if (sources.row[i] >= fromRow && sources.row[i] <= toRow && !(lastRuns && sources.city[i] == last)) weigh(sources.city[i]);
    return chosen();
}

void LoseArmy(int a, int formerBase) {
    TGameRec& g = G();
    TArmyRec& army = g.Armies[a];
    const int nation = army.Nation;
    RaiseEventNotice(0, Text(0) + army.Name.str(), Text(77) + g.Leaders[army.Leader].Name.str(),
                     Text(110) + g.Cities[formerBase].Name.str(), Text(455));
    g.Nations[nation].Will -= 4;
    army.BaseCity = 0;
    army.Nation = 0;
    army.Side = 0;
    army.Theatre = 0;
    g.Leaders[army.Leader].Status = kLeaderCaptured;
    for (TCorpsRec& k : g.Corps)
        if (k.Army == a && k.Nation == nation) k.Army = 0;
}

template <bool kRescan>
void MoveHeadquarters(int a, THeadquartersCorps* corps) {
    TGameRec& g = G();
    TArmyRec& army = g.Armies[a];
    const int formerBase = army.BaseCity;
    const bool human = g.Nations[army.Nation].Human != 0;
    const int nationSide = g.Nations[army.Nation].Side;

    // The army's second target (SupplyBase) is where a person ordered it.
    int t = 0;
    if (human) {
        t = army.SupplyBase;
    } else if (HeldBy(army.Objective, nationSide)) {
        t = army.Objective;
    } else {
        if (army.SupplyBase == 0) army.SupplyBase = army.BaseCity;
        t = army.SupplyBase;
    }
    if (t != 0) {
        if (human) {
            const TCityRec& target = g.Cities[t];
            if (target.Owner == army.Side && MapGrid->Cell(target.HexX, target.HexY).ControlSide() == army.Side)
                army.BaseCity = static_cast<U8>(t);
        } else {
            const int best = kRescan ? BestHeadquarters(a, t, false) : BestHeadquartersSwept(a, t, false, *corps);
            if (best != 0) army.BaseCity = static_cast<U8>(best);
        }
    }

    const TCityRec& old = g.Cities[formerBase];
    int own = 0, enemy = 0;
    auto count = [&](const TCorpsRec& k) {
        if (k.Nation == army.Nation) ++own;
        if (k.Side != army.Side) ++enemy;
    };
    if (kRescan) {
        for (const TCorpsRec& k : g.Corps)
            if (k.HexX == old.HexX && k.HexY == old.HexY && CorpsInUse(k)) count(k);
    } else {
        corps->All().ForNear(old.HexX, old.HexY, 0, [&](int k, int, int, int) { count(g.Corps[k]); });
    }
    if (!HeldBy(army.BaseCity, army.Side)) ++enemy;
    if (own == 0 && enemy != 0) {
        const int best = kRescan ? BestHeadquarters(a, formerBase, true) : BestHeadquartersSwept(a, formerBase, true, *corps);
        if (best != 0) {
            army.BaseCity = static_cast<U8>(best);
            army.SupplyBase = static_cast<U8>(best);
        }
    }
    if (!HeldBy(army.BaseCity, army.Side)) LoseArmy(a, formerBase);
}

}  // namespace

void ReleaseSpentCorpsBrigades(int c) {
    const TCorpsRec& k = G().Corps[c];
    if (k.SupplyCity != 0 && HeldBy(k.SupplyCity, k.Side)) {
        ReleaseCorpsBrigades(c);
    } else {
        // Without a city of their own side to take them the brigades would serve a free slot or
        // the enemy's garrison: they disband.
        ClearAttachedBrigades(c);
    }
}

namespace {

// The pass both ways: the swept rules or the all-against-all rescan they are held to.
inline bool Ends(int i) {
    const TCorpsRec& k = G().Corps[i];
    if (!CorpsInUse(k)) return false;
    return k.Strength == 0 || (k.Nation != 0 && k.OrderMode == kOrderEmbarked && !CarriedByActiveFleet(i));
}

// Ends corps i as a pass meets it when it is spent or embarked on no fleet (it went down with it);
// false when it stands.
bool EndAsMet(int i) {
    if (!Ends(i)) return false;
    if (G().Corps[i].Strength == 0) {
        ReleaseSpentCorpsBrigades(i);
        EndCorps(i);
    } else {
        DrownCorps(i, kCorpsFreed);
    }
    return true;
}

// The whole-map reading, measuring every corps, city and fleet against every other.
void SpotRescanned() {
    TGameRec& g = G();
    for (TCorpsRec& k : g.Corps) k.Visibility = 0;
    for (TFleetRec& f : g.Fleets) f.Spotted = 0;
    for (int i = 1; i <= kCorpsCount; ++i) {
        if (EndAsMet(i)) continue;
        const TCorpsRec& k = g.Corps[i];
        if (CorpsInUse(k) && k.Nation != 0) SpotByCorps(i);
    }
    SpotByCities();
    SpotFleets();
}

void SpotSwept() {
    TGameRec& g = G();

    TMeetings& met = lastMeetings;
    std::array<TCorpsReading, kCorpsCount + 1> now;
    std::array<bool, kCorpsCount + 1> unchanged;
    now[0] = {};
    unchanged[0] = false;
    const bool valid = met.valid;
    bool same = valid, ends = false;
    for (int i = 1; i <= kCorpsCount; ++i) {
        const TCorpsRec& k = g.Corps[i];
        // A free slot reads as all zero and never ends.
        if (!CorpsInUse(k)) {
            now[i] = {};
        } else {
            now[i] = ReadingOf(k);
            ends = ends || Ends(i);
        }
        unchanged[i] = valid && now[i] == met.read[i];
        same = same && unchanged[i];
    }
    if (same && !ends) {
        MeetAsLastPass(met);
    } else if (met.valid && !ends) {
        UpdateMeetings(met, now, unchanged);
        MeetAsLastPass(met);
    } else {
        // The meetings are kept only from a pass that ends no corps: an ending changes what the
        // spotters after it meet.
        met.valid = false;
        for (TCorpsRec& k : g.Corps) k.Visibility = 0;
        TCorpsByColumn& corps = met.corps;
        SortCorps(corps);
        met.count = 0;
        for (int i = 1; i <= kCorpsCount; ++i) {
            met.start[i] = static_cast<std::uint16_t>(met.count);
            if (EndAsMet(i)) {
                // Freed slots leave the sweeps; whatever else the ending changed is read anew.
                SortCorps(corps);
                continue;
            }
            const TCorpsRec& k = g.Corps[i];
            if (CorpsInUse(k) && k.Nation != 0) SpotByCorpsSwept(i, corps, met);
        }
        met.start[kCorpsCount + 1] = static_cast<std::uint16_t>(met.count);
        met.read = now;
        met.valid = !ends;
        if (met.valid) SumUpMeetings(met);
    }
    TNearCities& near = lastNearCities;
    std::array<TCityReading, kCityCount + 1> cityNow{};
    for (int c = 1; c <= kCityCount; ++c) cityNow[c] = {g.Cities[c].HexX, g.Cities[c].HexY, g.Cities[c].Owner};
    const bool citiesAsLastPass = near.readOnce && std::memcmp(&cityNow, &near.read, sizeof cityNow) == 0;
    // A corps that reads as at the last pass keeps its near cities while no city changed.
    std::array<bool, kCorpsCount + 1> known{};
    if (near.valid && !ends && citiesAsLastPass) known = unchanged;
    if (!citiesAsLastPass) {
        near.cities.Sort(kCityCount, [&g](int c) { return TPlace{g.Cities[c].HexX, g.Cities[c].HexY, g.Cities[c].Owner}; },
                         [](int) { return true; });
        near.counted.fill(false);
    }
    SpotByCitiesSwept(met.corps, near, known);
    // Found after an ending, the lists hold only the corps left; they are kept like the meetings.
    near.read = cityNow;
    near.readOnce = true;
    near.valid = !ends;
    SpotFleetsSwept(met.corps, near.cities, citiesAsLastPass);
}

}  // namespace

void UpdateSpotting() { SpotSwept(); }

void UpdateSpottingFullRescan() { SpotRescanned(); }

void MoveArmyHeadquarters() {
    THeadquartersCorps corps;
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = GameRec->Armies[a];
        if (army.Nation != 0 && army.CorpsCount != 0) MoveHeadquarters<false>(a, &corps);
    }
}

void MoveArmyHeadquartersFullRescan() {
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = GameRec->Armies[a];
        if (army.Nation != 0 && army.CorpsCount != 0) MoveHeadquarters<true>(a, nullptr);
    }
}

}  // namespace kvt
