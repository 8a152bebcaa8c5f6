// Force tally near a city, in its four variants. Changes nothing in the record.
#include "engine/forces/force_tally.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

namespace kvt {

std::uint16_t OwnTally = 1;
std::uint16_t EnemyTally = 0;
std::uint16_t EnemyReadinessTally = 0;
std::uint16_t EnemyCorpsTally = 0;
std::uint16_t HolderCorpsOnCity = 0;
std::uint16_t NearestEnemyDist = 100;
std::uint16_t NearestOwnDist = 100;

namespace {

constexpr int kNoCorpsDistance = 100;
constexpr int kFallbackRange = 12;

std::uint16_t Saturated(long v) { return static_cast<std::uint16_t>(std::clamp<long>(v, 0, 65535)); }

// Sums run in 32 bits and are stored saturated: a wrapped word would turn a crowd into a handful.
struct Sums {
    long own = 0, enemy = 0, readiness = 0, corps = 0;
    void Store() const {
        OwnTally = Saturated(own);
        EnemyTally = Saturated(enemy);
        EnemyReadinessTally = Saturated(readiness);
        EnemyCorpsTally = Saturated(corps);
    }
    // A corps at distance d in the plain tally around city c for `side`: the holder's corps on the
    // city is noted, and within the range it counts for its side, an enemy by its distance.
    void MeetNear(int index, int corpsSide, int strength, int fatigueLimit, int d, const TCityRec& c, int side,
                  int range) {
        if (corpsSide == c.Owner && d == 0) HolderCorpsOnCity = static_cast<std::uint16_t>(index);
        if (d >= range) return;
        if (corpsSide == side) {
            own += strength;
        } else {
            corps += 1;
            enemy += strength / (d + 1);
            readiness += fatigueLimit;
        }
    }
};

// The reference reading: every corps measured.
void TallyNearFullRescan(const TGameRec& g, const TCityRec& c, int side, int range) {
    Sums s;
    s.own = 1;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        const int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        s.MeetNear(k, corps.Side, corps.Strength, corps.FatigueLimit, d, c, side, range);
    }
    s.Store();
}

// The same tally run by the computer players for every city a turn: a corps further off in columns
// or rows than the range (or off the city's hex when the range is 0 or less) adds nothing and is
// passed by without measuring its distance.
void TallyNear(const TGameRec& g, const TCityRec& c, int side, int range) {
    Sums s;
    s.own = 1;
    const int box = std::max(range - 1, 0);
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (std::abs(c.HexX - corps.HexX) > box || std::abs(c.HexY - corps.HexY) > box || !CorpsInUse(corps)) continue;
        const int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        s.MeetNear(k, corps.Side, corps.Strength, corps.FatigueLimit, d, c, side, range);
    }
    s.Store();
}

int TallyAround(const TGameRec& g, const TCityRec& c, int side, int range) {
    Sums s;
    int limit = 2 * range, result = 0, nearestEnemyCorps = 0;
    int nearestEnemy = kNoCorpsDistance, nearestOwn = kNoCorpsDistance;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        const int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        const bool own = corps.Side == side;
        if (own) {
            if (corps.PlanTag == 0 && d < limit) {
                limit = d;
                result = k;
            }
            nearestOwn = std::min(nearestOwn, d);
            if (d == 0) HolderCorpsOnCity = static_cast<std::uint16_t>(k);
        } else {
            if (corps.Disruption == 0 && d < limit) {
                limit = d;
                nearestEnemyCorps = k;
            }
            nearestEnemy = std::min(nearestEnemy, d);
        }
        if (d >= range) continue;
        if (own) {
            s.own += corps.Strength;
        } else {
            s.enemy += corps.Strength;
            s.readiness += corps.FatigueLimit;
        }
    }
    s.Store();
    EnemyCorpsTally = static_cast<std::uint16_t>(nearestEnemyCorps);
    NearestEnemyDist = static_cast<std::uint16_t>(nearestEnemy);
    NearestOwnDist = static_cast<std::uint16_t>(nearestOwn);
    return result;
}

int TallyNearest(const TGameRec& g, const TCityRec& c, int nation, int side, int range, bool unionTally,
                 bool armyCorps) {
    Sums s;
    if (unionTally) s.own = s.enemy = 1;
    int limit = range + 1, result = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps) || corps.Disruption != 0) continue;
        int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        if (corps.Region != c.Theatre) d *= 2;
        const bool own = corps.Side == side;
        if (own && corps.PlanTag == 0 && (armyCorps || corps.Army == 0) && d < limit) {
            limit = d;
            result = k;
        }
        if (own && d == 0) HolderCorpsOnCity = static_cast<std::uint16_t>(k);
        if (d >= range) continue;
        if (own) {
            s.own += corps.Strength;
        } else {
            s.corps += 1;
            s.enemy += corps.Strength;
            s.readiness += corps.FatigueLimit;
        }
    }
    s.Store();
    if (result != 0) return result;
    limit = kFallbackRange;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps) || corps.Disruption != 0 || corps.PlanTag != 0 || corps.Army != 0 ||
            corps.Nation != nation)
            continue;
        if (!unionTally && corps.Region != c.Theatre) continue;
        const int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        if (d < limit) {
            limit = d;
            result = k;
        }
    }
    return result;
}

// Both readings of the tally: the plain one swept or rescanned, the others as they are.
template <bool kRescan>
int Tally(int city, int nation, int range, TallyVariant variant) {
    ResetForceTally();
    if (variant != TallyVariant::Near) OwnTally = 0;
    if (variant == TallyVariant::UnionNearest || variant == TallyVariant::UnionNearestOutsideArmies)
        OwnTally = EnemyTally = 1;
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return 0;
    const TGameRec& g = *GameRec;
    const int side = Arr1<TNationRec, kNationCount>::InRange(nation) ? g.Nations[nation].Side : 0;
    const TCityRec& c = g.Cities[city];
    switch (variant) {
        case TallyVariant::Near:
            if (kRescan) TallyNearFullRescan(g, c, side, range);
            else TallyNear(g, c, side, range);
            return 0;
        case TallyVariant::AroundCity:
            return TallyAround(g, c, side, range);
        case TallyVariant::ConfederateNearest:
            return TallyNearest(g, c, nation, side, range, false, false);
        case TallyVariant::UnionNearest:
            return TallyNearest(g, c, nation, side, range, true, true);
        case TallyVariant::UnionNearestOutsideArmies:
            return TallyNearest(g, c, nation, side, range, true, false);
    }
    return 0;
}

}  // namespace

int TallyForcesNearCity(int city, int nation, int range, TallyVariant variant) {
    return Tally<false>(city, nation, range, variant);
}

int TallyForcesNearCityFullRescan(int city, int nation, int range, TallyVariant variant) {
    return Tally<true>(city, nation, range, variant);
}

static_assert(kTallyCorpsMax == kCorpsCount);
static_assert(kTallyCityMax == kCityCount);

TTallyCorps::TTallyCorps() {
    const TGameRec& g = *GameRec;
    // One pass over the record lists the corps in use; the columns and slots then go over that list.
    std::uint8_t inUse[kTallyCorpsMax];
    int count = 0, low = 256, high = 0;  // the columns holding a corps: the map uses few of the 256
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        inUse[count++] = static_cast<std::uint8_t>(k);
        ++start_[corps.HexX + 1];
        low = std::min<int>(low, corps.HexX);
        high = std::max<int>(high, corps.HexX + 1);
    }
    for (int c = low + 1; c <= high; ++c) start_[c] = static_cast<std::uint8_t>(start_[c] + start_[c - 1]);
    std::fill(start_ + high + 1, std::end(start_), static_cast<std::uint8_t>(count));
    std::uint8_t at[257];
    std::copy(std::begin(start_), std::end(start_), at);
    // In index order within each column, as the plain tally meets them.
    for (int i = 0; i < count; ++i) {
        const int k = inUse[i];
        const TCorpsRec& corps = g.Corps[k];
        const int slot = at[corps.HexX]++;
        index_[slot] = static_cast<std::uint8_t>(k);
        x_[slot] = corps.HexX;
        y_[slot] = corps.HexY;
        side_[slot] = corps.Side;
        fatigueLimit_[slot] = corps.FatigueLimit;
        strength_[slot] = corps.Strength;
        unplanned_[slot] = corps.PlanTag == 0;
        ordered_[slot] = corps.Disruption == 0;
    }
}

void TTallyCorps::TallyNear(int city, int nation, int range) const {
    ResetForceTally();
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return;
    const TGameRec& g = *GameRec;
    const int side = Arr1<TNationRec, kNationCount>::InRange(nation) ? g.Nations[nation].Side : 0;
    const TCityRec& c = g.Cities[city];
    Sums s;
    s.own = 1;
    const int box = std::max(range - 1, 0);
    // The columns within reach lie in one run of slots. The holder's corps on the city stand in its
    // column, where the last in index order is met last.
    const int first = start_[std::max(c.HexX - box, 0)], end = start_[std::min(c.HexX + box, 255) + 1];
    for (int i = first; i < end; ++i) {
        if (std::abs(c.HexY - y_[i]) > box) continue;
        const int d = HexDistance(c.HexX, c.HexY, x_[i], y_[i]);
        s.MeetNear(index_[i], side_[i], strength_[i], fatigueLimit_[i], d, c, side, range);
    }
    s.Store();
}

int TTallyCorps::TallyAround(int city, int nation, int range) const {
    ResetForceTally();
    OwnTally = 0;
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return 0;
    const TGameRec& g = *GameRec;
    const int side = Arr1<TNationRec, kNationCount>::InRange(nation) ? g.Nations[nation].Side : 0;
    const TCityRec& c = g.Cities[city];
    Sums s;
    int nearestEnemy = kNoCorpsDistance, nearestOwn = kNoCorpsDistance;
    // The corps that may claim the running limit lie nearer than its start; they claim it in index
    // order, so they are noted by index and met in that order afterwards.
    const int start = 2 * range;
    std::uint64_t claims[2] = {}, ownClaims[2] = {};
    std::uint16_t claimDistance[kTallyCorpsMax + 1];
    // A corps o columns off is at least o hexes away: only those in the columns within reach can
    // claim or add, and they lie in one run of slots.
    const int reach = std::max(start - 1, 0);
    const int first = start_[std::max(c.HexX - reach, 0)], end = start_[std::min(c.HexX + reach, 255) + 1];
    for (int i = first; i < end; ++i) {
        const int d = HexDistance(c.HexX, c.HexY, x_[i], y_[i]);
        const int k = index_[i];
        const bool own = side_[i] == side;
        if (own) {
            nearestOwn = std::min(nearestOwn, d);
            if (d == 0) HolderCorpsOnCity = static_cast<std::uint16_t>(k);
        } else {
            nearestEnemy = std::min(nearestEnemy, d);
        }
        if (d < start && (own ? unplanned_[i] : ordered_[i])) {
            claims[k >> 6] |= std::uint64_t{1} << (k & 63);
            if (own) ownClaims[k >> 6] |= std::uint64_t{1} << (k & 63);
            claimDistance[k] = static_cast<std::uint16_t>(d);
        }
        if (d >= range) continue;
        if (own) {
            s.own += strength_[i];
        } else {
            s.enemy += strength_[i];
            s.readiness += fatigueLimit_[i];
        }
    }
    // The nearest of either side may stand further out: the columns beyond are searched outward
    // until none could hold a nearer corps.
    for (int o = reach + 1; o <= 255 && (o < nearestOwn || o < nearestEnemy); ++o)
        for (const int column : {c.HexX - o, c.HexX + o}) {
            if (column < 0 || column > 255) continue;
            for (int i = start_[column]; i < start_[column + 1]; ++i) {
                const int d = HexDistance(c.HexX, c.HexY, x_[i], y_[i]);
                int& nearest = side_[i] == side ? nearestOwn : nearestEnemy;
                nearest = std::min(nearest, d);
            }
        }
    s.Store();
    int limit = start, result = 0, nearestEnemyCorps = 0;
    for (int word = 0; word < 2; ++word)
        for (std::uint64_t bits = claims[word]; bits != 0; bits &= bits - 1) {
            const int k = word * 64 + std::countr_zero(bits);
            if (claimDistance[k] >= limit) continue;
            limit = claimDistance[k];
            if ((ownClaims[word] >> (k & 63)) & 1) result = k;
            else nearestEnemyCorps = k;
        }
    EnemyCorpsTally = static_cast<std::uint16_t>(nearestEnemyCorps);
    NearestEnemyDist = static_cast<std::uint16_t>(nearestEnemy);
    NearestOwnDist = static_cast<std::uint16_t>(nearestOwn);
    return result;
}

void TTallyCorps::Unplan(int k) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(k)) return;
    const int column = GameRec->Corps[k].HexX;
    for (int i = start_[column]; i < start_[column + 1]; ++i)
        if (index_[i] == k) unplanned_[i] = true;
}

bool TTallyCorps::SameNearReading(const TTallyCorps& other) const {
    return std::equal(std::begin(start_), std::end(start_), std::begin(other.start_)) &&
           std::equal(std::begin(index_), std::end(index_), std::begin(other.index_)) &&
           std::equal(std::begin(x_), std::end(x_), std::begin(other.x_)) &&
           std::equal(std::begin(y_), std::end(y_), std::begin(other.y_)) &&
           std::equal(std::begin(side_), std::end(side_), std::begin(other.side_)) &&
           std::equal(std::begin(fatigueLimit_), std::end(fatigueLimit_), std::begin(other.fatigueLimit_)) &&
           std::equal(std::begin(strength_), std::end(strength_), std::begin(other.strength_));
}

int TAroundTallies::TallyAround(int city, int nation, int range) {
    const bool keep = Arr1<TCityRec, kCityCount>::InRange(city) && range >= 0 && range < kRanges;
    if (keep) {
        const int at = kept_[city][range];
        if (at != 0 && list_[at - 1].nation == nation) {
            const TKept& k = list_[at - 1];
            OwnTally = k.own, EnemyTally = k.enemy, EnemyReadinessTally = k.readiness;
            EnemyCorpsTally = k.enemyCorps, HolderCorpsOnCity = k.holder;
            NearestEnemyDist = k.nearestEnemy, NearestOwnDist = k.nearestOwn;
            return k.answer;
        }
    }
    const int answer = corps_.TallyAround(city, nation, range);
    if (keep && count_ < static_cast<int>(std::size(list_))) {
        list_[count_] = {nation,        answer,         OwnTally,         EnemyTally,    EnemyReadinessTally,
                         EnemyCorpsTally, HolderCorpsOnCity, NearestEnemyDist, NearestOwnDist};
        kept_[city][range] = static_cast<std::uint8_t>(++count_);
    }
    return answer;
}

void TCityTallies::Read(const std::array<int, kTallyCityMax + 1>& ranges) {
    const TGameRec& g = *GameRec;
    TTallyCorps now;
    bool same = read_ && ranges == ranges_ && now.SameNearReading(corps_);
    for (int city = 1; city <= kCityCount && same; ++city)
        same = x_[city] == g.Cities[city].HexX && y_[city] == g.Cities[city].HexY;
    if (same) return;
    read_ = true;
    corps_ = now;
    ranges_ = ranges;
    bySide_ = true;
    for (int i = 0; i < kTallyCorpsMax; ++i) bySide_ = bySide_ && corps_.side_[i] < kSides;
    for (int city = 1; city <= kCityCount; ++city) {
        const TCityRec& c = g.Cities[city];
        x_[city] = c.HexX;
        y_[city] = c.HexY;
        TSideSums& sums = sums_[city];
        sums = TSideSums{};
        if (!bySide_) continue;
        const int range = ranges[city], box = std::max(range - 1, 0);
        // The columns within reach lie in one run of slots; a corps on the city stands in its
        // column, where the last in index order is met last.
        const int first = corps_.start_[std::max(c.HexX - box, 0)];
        const int end = corps_.start_[std::min(c.HexX + box, 255) + 1];
        for (int i = first; i < end; ++i) {
            if (std::abs(c.HexY - corps_.y_[i]) > box) continue;
            const int d = HexDistance(c.HexX, c.HexY, corps_.x_[i], corps_.y_[i]);
            const int side = corps_.side_[i];
            if (d == 0) sums.holder[side] = corps_.index_[i];
            if (d >= range) continue;
            sums.own[side] += corps_.strength_[i];
            sums.enemy[side] += corps_.strength_[i] / (d + 1);
            sums.corps[side] += 1;
            sums.readiness[side] += corps_.fatigueLimit_[i];
        }
        for (int side = 0; side < kSides; ++side) {
            sums.enemy[kSides] += sums.enemy[side];
            sums.corps[kSides] += sums.corps[side];
            sums.readiness[kSides] += sums.readiness[side];
        }
    }
}

void TCityTallies::TallyNear(int city, int nation) const {
    if (!bySide_ || !Arr1<TCityRec, kCityCount>::InRange(city)) {
        corps_.TallyNear(city, nation, Arr1<TCityRec, kCityCount>::InRange(city) ? ranges_[city] : 0);
        return;
    }
    ResetForceTally();
    const TGameRec& g = *GameRec;
    const int side = Arr1<TNationRec, kNationCount>::InRange(nation) ? g.Nations[nation].Side : 0;
    const TSideSums& sums = sums_[city];
    // No corps stands for a side past the sums: every corps is then an enemy.
    const bool sided = side < kSides;
    Sums s;
    s.own = 1 + (sided ? sums.own[side] : 0);
    s.enemy = sums.enemy[kSides] - (sided ? sums.enemy[side] : 0);
    s.corps = sums.corps[kSides] - (sided ? sums.corps[side] : 0);
    s.readiness = sums.readiness[kSides] - (sided ? sums.readiness[side] : 0);
    s.Store();
    const int holder = g.Cities[city].Owner;
    if (holder < kSides) HolderCorpsOnCity = sums.holder[holder];
}

void ResetForceTally() {
    OwnTally = 1;
    EnemyTally = 0;
    EnemyReadinessTally = 0;
    EnemyCorpsTally = 0;
    HolderCorpsOnCity = 0;
    NearestEnemyDist = NearestOwnDist = 100;
}

}  // namespace kvt
