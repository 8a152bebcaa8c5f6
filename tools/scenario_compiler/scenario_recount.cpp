// The load's recount and hex control, applied by the compiler so that a start point needs no fixing.
#include "tools/scenario_compiler/scenario_recount.h"

#include <algorithm>
#include <array>

namespace kvt::scenario {

namespace {

std::uint16_t U16(long v) { return static_cast<std::uint16_t>(std::clamp<long>(v, 0, 65535)); }

bool IsDivision(const TCorpsRec& k) { return k.Kind != 0; }

}  // namespace

int ArmyValueAt(const TGameRec& g, int city, int nation) {
    if (city < 1 || city > kCityCount) return 50;
    const TCityRec& c = g.Cities[city];
    const int side = g.Nations[nation].Side;
    long own = 1, enemy = 0;
    for (const TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k)) continue;
        const int d = HexDistance(c.HexX, c.HexY, k.HexX, k.HexY);
        if (d >= 5) continue;
        if (k.Side == side) own += k.Strength;
        else enemy += k.Strength / (d + 1);
    }
    own = U16(own) / 10 + 1;
    enemy = U16(enemy) / 10 + 1;
    if (own > enemy) {
        int k = 1;
        for (int m = 2; m <= 5; ++m)
            if (own > m * enemy) k = m;
        const long r = k == 5 ? 0 : (own - k * enemy) / std::max(enemy / 10, 1L);
        return static_cast<int>(U16(50 + 10 * k + r));
    }
    if (enemy > own) {
        int k = 4;
        for (int m = 2; m <= 5; ++m)
            if (enemy > m * own) --k;
        const long r = (enemy - (5 - k) * own) / std::max(own / 10, 1L);
        return static_cast<int>(U16(10 * k + r));
    }
    return 50;
}

void RecountForcesOf(TGameRec& g, const TMapGrid& map) {
    // Ships: sound and damaged together, river fleets apart from ocean ones.
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& r = g.Nations[n];
        for (int s = 1; s <= 6; ++s) r.ShipTotals[s] = 0;
        for (const TFleetRec& f : g.Fleets) {
            if (f.BuildCounter != 0 || f.Owner != n) continue;
            const bool river = f.WaterType == 2;
            r.ShipTotals[river ? kShipsRiverIronclads : kShipsOceanIronclads] += f.Ironclads + f.DamagedIronclads;
            r.ShipTotals[river ? kShipsRiverWooden : kShipsOceanWooden] += f.Wooden + f.DamagedWooden;
            r.ShipTotals[river ? kShipsRiverTransports : kShipsOceanTransports] += f.Transports + f.DamagedTransports;
        }
    }
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& st = g.States[s];
        st.OwnStrength = st.EnemyStrength = 0;
        int foreign = 0;
        for (const TCityRec& c : g.Cities) foreign += c.State == s && c.Owner != st.ControlSide;
        st.ForeignHeld = static_cast<U8>(foreign);
    }

    // Corps: capacity from the commander, readiness from the men, home state from the hex.
    for (TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k)) continue;
        const TLeaderRec& l = g.Leaders[k.Leader];
        k.BrigadeLimit = static_cast<U8>(IsDivision(k) ? l.Initiative / 35 + 2 : l.Initiative / 12 + 4);
        if (k.Nation) k.Side = g.Nations[k.Nation].Side;
        k.SupplyLoss = 0;
        const int st = OnMap(k.HexX, k.HexY) ? map.Cell(k.HexX, k.HexY).State() : 0;
        if (st >= 1 && st <= kStateCount) {
            k.HomeState = static_cast<U8>(st);
            k.Region = g.States[st].Theatre;
        }
        int readiness = k.BrigadeLimit ? k.Strength * 10 / (k.BrigadeLimit * 80) : k.FatigueLimit;
        k.FatigueLimit = static_cast<U8>(std::clamp(readiness, 1, 10));
        if (!g.Nations[k.Nation].Human && k.OrderMode >= 1 && k.OrderMode <= 3) k.OrderMode = 1;
        if (k.Disruption) k.OrderMode = 0;
    }
    for (TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k)) continue;
        int own = 0, enemy = 0;
        for (const TCorpsRec& o : g.Corps) {
            if (!CorpsInUse(o) || HexDistance(k.HexX, k.HexY, o.HexX, o.HexY) >= 3) continue;
            const int r = IsDivision(o) && o.FatigueLimit > 1 ? o.FatigueLimit / 2 : o.FatigueLimit;
            (o.Side == k.Side ? own : enemy) += r;
        }
        k.OwnNearby = static_cast<U8>(std::min(own, 255));
        k.Opponent = static_cast<U8>(std::min(enemy, 255));
        if (own < enemy) k.SizeClass = enemy > 2 * own ? 1 : 2;
        else k.SizeClass = own > enemy + 10 ? 5 : own > enemy + 1 ? 4 : 3;
        const TLeaderRec& l = g.Leaders[k.Leader];
        int initiative = l.Initiative;
        if (k.Army && g.Armies[k.Army].Leader) initiative += g.Leaders[g.Armies[k.Army].Leader].Initiative / 3;
        k.LeaderInitiative = static_cast<U8>(std::min(initiative, 255));
        k.LeaderRating = l.Rating;
    }

    // Nations, their armies and their theatres.
    auto addToState = [&](const TCorpsRec& k) {
        TStateRec& st = g.States[k.HomeState];
        if (k.Side == st.ControlSide) st.OwnStrength = U16(st.OwnStrength + k.Strength);
        else st.EnemyStrength = U16(st.EnemyStrength + k.Strength);
    };
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& r = g.Nations[n];
        r.CorpsTally = r.ArmyTally = 0;
        std::array<long, kTheatreCount + 1> strength{}, weight{};
        for (int t = 1; t <= kTheatreCount; ++t) r.CorpsInTheatre[t] = r.ArmiesInTheatre[t] = 0;
        for (TFleetRec& f : g.Fleets)
            if (f.Owner == n && f.BuildCounter < 25) f.Side = r.Side;
        for (int a = 1; a <= kArmyCount; ++a) {
            TArmyRec& army = g.Armies[a];
            if (army.Nation != n || army.BaseCity == 0) continue;
            army.Theatre = g.Cities[army.BaseCity].Theatre;
            army.CorpsCount = army.Readiness = army.Condition = army.Losses = 0;
            ++r.ArmyTally;
            if (army.Theatre >= 1 && army.Theatre <= kTheatreCount) ++r.ArmiesInTheatre[army.Theatre];
            int count = 0, ready = 0, condition = 0, fatigue = 0;
            for (const TCorpsRec& k : g.Corps) {
                if (!CorpsInUse(k) || k.Side != r.Side || k.Army != a) continue;
                ++count;
                addToState(k);
                if (k.Region >= 1 && k.Region <= kTheatreCount) {
                    ++r.CorpsInTheatre[k.Region];
                    ready += k.FatigueLimit;
                    strength[k.Region] += k.Strength;
                    weight[k.Region] += 80 * k.BrigadeLimit;
                }
                condition += k.Condition;
                fatigue += k.Fatigue;
            }
            r.CorpsTally = static_cast<U8>(r.CorpsTally + count);
            army.CorpsCount = static_cast<U8>(count);
            if (count) {
                army.Readiness = static_cast<U8>(ready / count);
                army.Condition = static_cast<U8>(condition / count);
                army.Losses = static_cast<U8>(fatigue / count);
            }
        }
        for (const TCorpsRec& k : g.Corps) {
            if (!CorpsInUse(k) || k.Nation != n || k.Army != 0) continue;
            r.CorpsTally = static_cast<U8>(r.CorpsTally + 1);
            addToState(k);
            if (k.Region >= 1 && k.Region <= kTheatreCount) {
                ++r.CorpsInTheatre[k.Region];
                strength[k.Region] += k.Strength;
                weight[k.Region] += 80 * k.BrigadeLimit;
            }
        }
        for (int t = 1; t <= kTheatreCount; ++t) {
            const long w = U16(weight[t]);
            long ready = w ? U16(strength[t]) * 10 / (w / 10 + 1) : 0;
            for (int c = 1; c <= kCityCount; ++c) {
                const TCityRec& city = g.Cities[c];
                if (city.Nation != n || city.Theatre != t || city.Garrison == 0) continue;
                for (const TBrigadeRec& b : g.Brigades)
                    if (b.AttachKind == kAttachGarrison && b.AttachIndex == c) strength[t] += b.Strength;
            }
            r.TheatreStrength[t] = U16(strength[t]);
            r.TheatreReadiness[t] = U16(ready);
        }
        for (int a = 1; a <= kArmyCount; ++a) {
            TArmyRec& army = g.Armies[a];
            if (army.Nation == n && army.BaseCity != 0 && army.CorpsCount)
                army.ArmyValue = static_cast<std::uint16_t>(ArmyValueAt(g, army.BaseCity, n));
        }
    }
}

void UpdateHexControlOf(const TGameRec& g, TMapGrid& map) {
    // The per-state counts the pass weighs; the recount keeps its own versions in the record.
    std::array<int, kStateCount + 1> enemy{}, foreign{};
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g.States[s];
        for (const TCityRec& c : g.Cities) foreign[s] += c.State == s && c.Nation != st.Controller;
        for (const TCorpsRec& k : g.Corps)
            if (CorpsInUse(k) && k.HomeState == s && k.Side != st.Owner) enemy[s] += k.LineCount;
    }
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            MapCell& cell = map.Cell(x, y);
            const int s = cell.State();
            if (s == 0 || s > kStateCount) {
                cell.SetState(0);
                continue;
            }
            const int o = g.States[s].ControlSide > 2 ? 0 : g.States[s].ControlSide;
            const int c = cell.ControlSide();
            std::array<int, 3> t{};
            t[o] = 2;
            if (c != 0) t[c] = 3;
            if (enemy[s] == 0 && foreign[s] == 0) t[o] += 7;
            for (const TCorpsRec& k : g.Corps) {
                if (!CorpsInUse(k) || k.Side > 2) continue;
                const int reach = c == 0 ? 0 : k.Opponent != 0 ? 1 : 3;
                const int d = HexDistance(k.HexX, k.HexY, x, y);
                if (d >= reach) continue;
                if (k.ContactCode == 0) t[k.Side] += 2 * (reach - d);
                if (d == 0) {
                    t[k.Side] += 10;
                    // A corps of the controller on the hex holds it whatever stands around.
                    if (k.Side == c) {
                        t[c] = 205;
                        t[0] = 0;
                        if (c == 1) t[2] = 0;
                        break;
                    }
                }
            }
            if (cell.River())
                for (const TFleetRec& f : g.Fleets) {
                    if (f.WaterType != 2 || f.BuildCounter != 0 || f.Side > 2) continue;
                    const int d = HexDistance(f.HexX, f.HexY, x, y);
                    if (d < 2) t[f.Side] += 3 * (2 - d);
                }
            int r = c;
            if (t[1] > t[2] && t[1] > t[0]) r = 1;
            else if (t[2] > t[1] && t[2] > t[0]) r = 2;
            else if (t[0] > t[1] && t[0] > t[2]) r = 0;
            cell.SetControlSide(r);
        }
    for (const TCityRec& c : g.Cities)
        if (c.Owner < 3) map.Cell(c.HexX, c.HexY).SetControlSide(c.Owner);
}

}  // namespace kvt::scenario
