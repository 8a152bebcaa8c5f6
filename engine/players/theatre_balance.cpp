// Theatre balance, state priorities and focus cities of a computer nation.
#include "engine/players/theatre_balance.h"

#include <algorithm>
#include <cstdint>

#include "engine/players/computer_players.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

namespace kvt {

namespace {

bool TheatreActive(const TGameRec& g, int t) { return g.TheatreFlag[t] == 1; }

std::int16_t ClampI16(long v) { return static_cast<std::int16_t>(std::clamp<long>(v, -32768, 32767)); }

// Corps in a theatre times weight, as a signed 16-bit product: the word wraps as the record's does.
long WeightedCorps(const TNationRec& m, int t) {
    const auto weight = static_cast<std::int16_t>(static_cast<std::uint16_t>(m.TheatreReadiness[t]));
    return static_cast<std::int16_t>(m.CorpsInTheatre[t] * weight);
}

bool Winter(int month) { return month < 3 || month > 11; }

}  // namespace

void UpdateTheatreBalance(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = *GameRec;
    TNationRec& nat = g.Nations[n];
    const int s = nat.Side;
    long p[kTheatreCount + 1] = {};
    for (int t = 1; t <= kTheatreCount; ++t) {
        p[t] = nat.TheatrePressure[t];
        if (!TheatreActive(g, t)) continue;
        p[t] = std::min(nat.TheatreIdle[t] / 30, 5);
        const long own = nat.TheatreStrength[t];
        long balance = own;
        for (const TNationRec& m : g.Nations)
            if (m.Side != s) balance -= m.TheatreStrength[t];
        nat.TheatreBalance[t] = ClampI16(balance);
        if (balance < 1) {
            p[t] -= 1;
            if (-own > balance) p[t] -= 2;
        } else {
            p[t] += 2;
        }
        long e = WeightedCorps(nat, t);
        for (const TNationRec& m : g.Nations) e -= WeightedCorps(m, t);
        p[t] += (e > 0) + (e > 100) + (e > 250);
        if (nat.TheatreLoad[t] != 0) p[t] -= std::min<long>(2, nat.TheatreLoad[t] / (300L * nat.CorpsInTheatre[t] + 1));
        const long fall = std::max<long>(0, nat.TheatreValueBase[t] - nat.TheatreValue[t]);
        nat.TheatreDemand[t] = static_cast<std::uint16_t>(std::min<long>(25 + fall, 65535));
    }

    // Without a capital there is no capital theatre to press for (city 0 has none). A threatened
    // capital weighs on its theatre's pressure even while that theatre is not planned.
    const int t0 = nat.Capital != 0 ? g.Cities[nat.Capital].Theatre : 0;
    if (t0 >= 1 && t0 <= kTheatreCount) {
        if (nat.CapitalThreat == 2) p[t0] += 2;
        if (nat.CapitalThreat == 1) p[t0] += 1;
        if (Winter(g.Month)) p[t0] /= 2;
    }

    long w[kTheatreCount + 1] = {};
    int most = 0, least = 0;
    long best = 0, fewest = 65000;
    for (int t = 1; t <= kTheatreCount; ++t) {
        if (!TheatreActive(g, t)) continue;
        w[t] = nat.TheatreDemand[t] / 2 + 5 + (p[t] >= 0 ? 2 * (p[t] + 5) : 0);
        if (w[t] > best) {
            best = w[t];
            most = t;
        }
    }
    for (int t = 1; t <= kTheatreCount; ++t)
        if (w[t] != 0 && w[t] < fewest) {
            fewest = w[t];
            least = t;
        }
    if (most != 0) p[most] += 1;
    if (least != 0) p[least] -= 1;

    for (int t = 1; t <= kTheatreCount; ++t) {
        if (!TheatreActive(g, t)) continue;
        long own = 0, enemy = 0, ownCount = 0, enemyCount = 0;
        for (const TCorpsRec& k : g.Corps) {
            if (!CorpsInUse(k) || k.Region != t) continue;
            if (k.Side == s) {
                own += k.Condition + k.Quality;
                ++ownCount;
            } else {
                enemy += k.Condition + k.Quality;
                ++enemyCount;
            }
        }
        if (n == kNationUnion || n == kNationBritain) ++ownCount;
        p[t] += own * ownCount >= enemy * enemyCount ? 1 : -1;
        p[t] += nat.TheatreBalance[t] >= -500 ? 1 : -1;
        int posture = 1;
        if (p[t] >= 3) posture = 2;
        if (p[t] >= 8 - n) posture = 3;
        if (p[t] < -3) posture = 0;
        nat.TheatrePosture[t] = static_cast<U8>(posture);
    }
    for (int t = 1; t <= kTheatreCount; ++t) nat.TheatrePressure[t] = ClampI16(p[t]);
}

void SetStatePriorities(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = *GameRec;
    const TNationRec& nat = g.Nations[n];
    const int s = nat.Side;
    // Each rule that holds overwrites the one before it.
    for (TStateRec& st : g.States) {
        if (st.CapitalCity == 0) continue;
        int priority = 0;
        if (st.ControlSide != 0 && s != 0 && st.Controller != n) priority = st.EnemyStrength != 0 ? 70 : 20;
        if (st.Controller == n) {
            priority = st.EnemyStrength != 0 ? 150 : 25;
            if (st.EnemyStrength > st.OwnStrength) priority += 200;
        }
        if (st.Controller == 0 && st.EnemyStrength != 0) priority = 300;
        if (s == 0 && st.ControlSide != 0) priority = 0;
        st.Priority = static_cast<std::uint16_t>(priority);
    }
    for (TCityRec& city : g.Cities) {
        long v = CityScore(city) + g.States[city.State].Priority;
        const int posture = nat.TheatrePosture[city.Theatre];
        if (city.Owner == s && posture < 2) v *= 2;
        if (city.Owner != s && posture >= 2) v *= 2;
        if (city.OriginalOwner == n && city.Nation != n) v *= 10;
        StoreCityScore(city, std::min<long>(v, 1000));
    }
}

void ChooseFocusCities(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = *GameRec;
    TNationRec& nat = g.Nations[n];
    const int s = nat.Side;
    for (int t = 1; t <= kTheatreCount; ++t) {
        if (!TheatreActive(g, t)) continue;
        int focus = 0, best = 0;
        for (int c = 1; c <= kCityCount; ++c) {
            const TCityRec& city = g.Cities[c];
            if (city.Theatre == t && CityScore(city) > best) {
                best = CityScore(city);
                focus = c;
            }
        }
        if (focus != 0) nat.FocusCity[t] = static_cast<U8>(focus);
        const TCityRec& f = g.Cities[focus];
        for (TCityRec& city : g.Cities) {
            if (city.Theatre != t) continue;
            long v = CityScore(city);
            const int d = HexDistance(city.HexX, city.HexY, f.HexX, f.HexY);
            if (focus != 0 && d < 15) v += 2 * (15 - d);
            if (nat.TheatrePosture[t] >= 2 && city.Owner != s) v += city.EnemyTally;
            StoreCityScore(city, v);
        }
    }
}

}  // namespace kvt
