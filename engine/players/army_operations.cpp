// Army operations of a computer nation. The only wait is the abandoned-army message.
#include "engine/players/army_operations.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/forces/command_slots.h"
#include "engine/forces/force_tally.h"
#include "engine/movement/corps_movement.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_access.h"

namespace kvt {

Arr1<TTargetRow, kTargetRows> TargetTable;

namespace {

constexpr int kNoDistance = 100;
constexpr int kPicksPerPass = 21;
constexpr int kMaxAssignDistance = 10;
constexpr int kMaxNearbyRange = 16;
constexpr int kCavalryDivision = 2;
constexpr int kTrainingStance = 3;

int Distance(const TCorpsRec& k, int x, int y) { return HexDistance(k.HexX, k.HexY, x, y); }

bool InArmy(const TCorpsRec& k, int nation, int a) { return k.Army == a && k.Nation == nation && CorpsInUse(k); }

// The corps an army's sweeps visit, in index order: every slot for the plain reading, else the
// army's own. Once gathered, an army's operations change no corps' army, nation or slot, so the
// list made then serves them all; each sweep still asks InArmy.
class TArmyCorps {
public:
    TArmyCorps(bool all, int nation, int a) {
        for (int c = 1; c <= kCorpsCount; ++c)
            if (all || InArmy(G().Corps[c], nation, a)) at_[size_++] = static_cast<std::uint8_t>(c);
    }
    const std::uint8_t* begin() const { return at_.data(); }
    const std::uint8_t* end() const { return at_.data() + size_; }

private:
    std::array<std::uint8_t, kCorpsCount> at_;
    int size_ = 0;
};

void SetDestination(TCorpsRec& k, int x, int y) {
    k.DestX = static_cast<U8>(x);
    k.DestY = static_cast<U8>(y);
}

// City 0 has no hex: an army without a base sends nobody to the map's corner.
void SetDestination(TCorpsRec& k, int city) {
    if (city != 0) SetDestination(k, G().Cities[city].HexX, G().Cities[city].HexY);
}

// France and Britain plan among their own cities, the two warring nations among theirs.
bool SameGroup(int nation, int cityNation) { return nation < 3 ? cityNation < 3 : cityNation > 2; }

int CountArmyCorps(int nation, int a, const TArmyCorps& corps) {
    int count = 0;
    for (const int c : corps) count += InArmy(G().Corps[c], nation, a);
    return count;
}

// The army's corps waiting for a target (order 0, in order); their strength is what it can give.
int WaitingStrength(int nation, int a, const TArmyCorps& corps) {
    int strength = 0;
    for (const int c : corps) {
        const TCorpsRec& k = G().Corps[c];
        if (InArmy(k, nation, a) && k.OrderMode == kOrderWithdraw && k.Disruption == 0) strength += k.Strength;
    }
    return strength;
}

// An army left with fewer than two corps breaks up: the slot is freed whole and its name goes back
// to the pool. Its commander, whatever his mark, is available for another command at once.
void AbandonArmy(int a) {
    TGameRec& g = G();
    const int leader = g.Armies[a].Leader;
    CurrentFrontend().InformationBox("Army under " + g.Leaders[leader].Name.str() + "\n abandoned");
    DissolveArmy(a);
    // Whatever else he was marked, a dead or captured man cannot come back to serve.
    if (leader != 0 && g.Leaders[leader].Status != kLeaderKilled && g.Leaders[leader].Status != kLeaderCaptured)
        g.Leaders[leader].Status = kLeaderAvailable;
}

// Once a row's enemy is matched, the corps sent there go for the nearest enemy corps itself.
void ChargeNearestEnemy(int nation, int a, const TTargetRow& r, TAroundTallies& tallies, const TArmyCorps& corps) {
    TGameRec& g = G();
    tallies.TallyAround(r.City, nation, g.Armies[a].Theatre + 4);
    if (EnemyCorpsTally == 0) return;
    const TCorpsRec& enemy = g.Corps[EnemyCorpsTally];
    for (const int c : corps) {
        TCorpsRec& k = g.Corps[c];
        if (InArmy(k, nation, a) && k.DestX == r.X && k.DestY == r.Y && k.Disruption == 0) {
            k.OrderMode = kOrderAdvance;
            SetDestination(k, enemy.HexX, enemy.HexY);
        }
    }
}

void AssignCorpsToRow(int nation, int army, int row, int maxDistance, const TArmyCorps& corps);

void MatchRow(int nation, int a, int row, const TArmyCorps& corps) {
    const TTargetRow& r = TargetTable[row];
    for (int k = 1; k <= kMaxAssignDistance && G().Armies[a].FreeCorps != 0 && r.EnemyStrength != 0; ++k)
        AssignCorpsToRow(nation, a, row, k, corps);
}

enum class TEngaged { NoRow, Unchanged, Changed };

// Passes 1 and 2: rows with enemy strength the army's waiting corps outnumber. Answers NoRow when
// no row qualifies, Unchanged when the row picked was left as it was (every later pick would
// pick it again and leave it so too).
TEngaged EngageRow(int nation, int a, int side, bool attack, TAroundTallies& tallies, const TArmyCorps& corps) {
    TGameRec& g = G();
    TArmyRec& army = g.Armies[a];
    const int row = PickTargetRow(side, a, 1);
    if (row == 0) return TEngaged::NoRow;
    TTargetRow& r = TargetTable[row];
    // Each pick of the row takes its garrison off the enemy again.
    const bool worn = r.Garrison != 0 && r.EnemyStrength != 0;
    if (worn) r.EnemyStrength = static_cast<std::uint16_t>(std::max(0, r.EnemyStrength - r.Garrison));
    if (r.City == 0 || r.EnemyStrength == 0 || r.EnemyStrength >= WaitingStrength(nation, a, corps))
        return worn ? TEngaged::Changed : TEngaged::Unchanged;
    const int before = r.EnemyStrength;
    MatchRow(nation, a, row, corps);
    if (r.EnemyStrength == 0) ChargeNearestEnemy(nation, a, r, tallies, corps);
    // An attack that cannot be matched is called off rather than fed piecemeal.
    if (attack && r.EnemyStrength > before / 4 && army.FreeCorps == 0) {
        for (const int c : corps) {
            TCorpsRec& k = g.Corps[c];
            if (InArmy(k, nation, a) && k.DestX == r.X && k.DestY == r.Y && k.Disruption == 0) {
                k.OrderMode = kOrderWithdraw;
                SetDestination(k, k.HexX, k.HexY);
                army.FreeCorps += 1;
            }
        }
    }
    r.Value = 0;
    return TEngaged::Changed;
}

TCityChoice ChooseCities(int a, int x, int y, bool defence, int stanceFromScore) {
    TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    const int n = army.Nation;
    const TNationRec& nat = g.Nations[n];
    const int side = nat.Side;
    TCityChoice choice;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        const bool group = SameGroup(n, city.Nation);
        const bool qualifies = defence ? city.Owner == side && (city.RailLink != 0 || (group && stanceFromScore != 0))
                                       : city.Owner != side && city.Owner != 0 && group;
        if (!qualifies) continue;
        const int d = std::max(1, HexDistance(x, y, city.HexX, city.HexY));
        const int base = city.Value + (defence ? 60 : 70);
        int score = 0;
        if (d < base) {
            score = (city.OriginalOwner != army.Side ? base / 2 : base) - d;
            if (city.Theatre != army.Theatre) score = std::max(0, score - d);
        }
        if (city.Theatre == army.Theatre) score += city.Value;
        // Only a city that would enter the choice asks whether another army targets it.
        if (score <= choice.SecondScore || !OnlyArmyTargeting(side, a, c)) continue;
        if (score > choice.BestScore) {
            choice.Second = choice.Best;
            choice.SecondDistance = choice.BestDistance;
            choice.SecondScore = choice.BestScore;
            choice.Best = c;
            choice.BestDistance = d;
            choice.BestScore = score;
        } else if (score > choice.SecondScore) {
            choice.Second = c;
            choice.SecondDistance = d;
            choice.SecondScore = score;
        }
    }
    const int capital = nat.Capital;
    if (defence && nat.CapitalThreat != 0 && capital != 0 && g.Cities[capital].Theatre == army.Theatre &&
        capital != choice.Best && capital != choice.Second)
        choice.Best = capital;
    return choice;
}

// Without a sorted table the tally measures every corps.
void FillTargetRowWith(int row, int nation, int city, int range, std::uint16_t garrison, TAroundTallies* tallies) {
    TGameRec& g = G();
    TTargetRow& r = TargetTable[row];
    const TCityRec& c = g.Cities[city];
    r.City = static_cast<std::uint16_t>(city);
    r.X = c.HexX;
    r.Y = c.HexY;
    r.Value = c.Value;
    const int side = g.Nations[nation].Side;
    // A city of a state the side holds needs watching only close by.
    if (c.Owner == side && g.States[c.State].ControlSide == c.Owner)
        range = nation == kNationUnion ? range / 2 : (range + 1) / 2;
    if (tallies != nullptr) tallies->TallyAround(city, nation, range);
    else TallyAroundCity(city, nation, range);
    r.NearestEnemy = NearestEnemyDist;
    r.NearestOwn = NearestOwnDist;
    r.EnemyStrength = EnemyTally;
    r.OwnStrength = OwnTally;
    r.Garrison = garrison;
}

}  // namespace

int TallyAroundCity(int city, int nation, int range) {
    return TallyForcesNearCity(city, nation, range, TallyVariant::AroundCity);
}

bool OnlyArmyTargeting(int side, int army, int city) {
    for (int b = 1; b <= kArmyCount; ++b) {
        const TArmyRec& other = G().Armies[b];
        if ((other.Objective == city || other.BaseCity == city) && b != army && other.Side == side) return false;
    }
    return true;
}

int NearestEnemyDistanceOf(int corps) {
    const TCorpsRec& k = G().Corps[corps];
    int nearest = kNoDistance;
    for (const TCorpsRec& other : G().Corps)
        if (CorpsInUse(other) && other.Side != k.Side) nearest = std::min(nearest, Distance(k, other.HexX, other.HexY));
    return nearest;
}

void ClearTargetTable() {
    for (TTargetRow& r : TargetTable) r = TTargetRow{};
}

TGarrisonMen::TGarrisonMen() {
    for (const TBrigadeRec& b : G().Brigades)
        if (b.AttachKind == kAttachGarrison) men_[b.AttachIndex] += b.Strength;
}

std::uint16_t TGarrisonMen::Of(int city) const {
    if (city < 0 || city >= static_cast<int>(men_.size())) return 0;
    return static_cast<std::uint16_t>(std::min(men_[static_cast<std::size_t>(city)], 65535L));
}

void FillTargetRow(int row, int nation, int city, int range) {
    long garrison = 0;
    for (const TBrigadeRec& b : G().Brigades)
        if (b.AttachIndex == city && b.AttachKind == kAttachGarrison) garrison += b.Strength;
    FillTargetRowWith(row, nation, city, range, static_cast<std::uint16_t>(std::min(garrison, 65535L)), nullptr);
}

void FillTargetRow(int row, int nation, int city, int range, const TGarrisonMen& garrisons) {
    FillTargetRowWith(row, nation, city, range, garrisons.Of(city), nullptr);
}

void FillTargetRow(int row, int nation, int city, int range, const TGarrisonMen& garrisons, TAroundTallies& tallies) {
    FillTargetRowWith(row, nation, city, range, garrisons.Of(city), &tallies);
}

int AddNearbyTargetRows(int nation, int rows, int army, const TGarrisonMen& garrisons, TAroundTallies& tallies) {
    TGameRec& g = G();
    const TTargetRow& first = TargetTable[1];
    int reach = HexDistance(first.X, first.Y, TargetTable[rows].X, TargetTable[rows].Y);
    reach = std::min(std::max(reach, g.Armies[army].FreeCorps + 6), kMaxNearbyRange);
    std::array<bool, kCityCount + 1> listed{};
    for (int r = 1; r <= rows; ++r)
        if (TargetTable[r].City <= kCityCount) listed[TargetTable[r].City] = true;
    for (int c = 1; c <= kCityCount && rows < kTargetRows; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Owner == 0 || listed[static_cast<std::size_t>(c)]) continue;
        const TTargetRow& last = TargetTable[rows];
        if (HexDistance(city.HexX, city.HexY, first.X, first.Y) <= reach &&
            HexDistance(city.HexX, city.HexY, last.X, last.Y) <= reach) {
            FillTargetRow(rows + 1, nation, c, city.Theatre + 4, garrisons, tallies);
            ++rows;
        }
    }
    return rows;
}

int PickTargetRow(int side, int army, int mode) {
    TGameRec& g = G();
    const TArmyRec& a = g.Armies[army];
    int best = 0, bestValue = 0;
    for (int row = 1; row <= kTargetRows; ++row) {
        const TTargetRow& r = TargetTable[row];
        // A row of no higher value cannot win: the other armies are asked only about one that could.
        if (r.City == 0 || (mode == 1 && r.EnemyStrength == 0) || r.Value <= bestValue) continue;
        const TCityRec& city = g.Cities[r.City];
        if (city.Owner != 0 && !(SameGroup(a.Nation, city.Nation) && city.Owner == side)) continue;
        if (!OnlyArmyTargeting(a.Side, army, r.City)) continue;
        bestValue = r.Value;
        best = row;
    }
    return best;
}

namespace {

void AssignCorpsToRow(int nation, int army, int row, int maxDistance, const TArmyCorps& corps) {
    TGameRec& g = G();
    TArmyRec& a = g.Armies[army];
    TTargetRow& r = TargetTable[row];
    TCityRec& city = g.Cities[r.City];
    // The army's spare corps and the row's enemy strength change only when a corps is sent: they
    // are asked again only then.
    if (a.FreeCorps == 0 || r.EnemyStrength == 0) return;
    for (const int c : corps) {
        TCorpsRec& k = g.Corps[c];
        if (!InArmy(k, nation, army) || k.OrderMode != kOrderWithdraw || k.Disruption != 0 ||
            Distance(k, r.X, r.Y) > maxDistance)
            continue;
        int mode = a.Stance < kTrainingStance ? static_cast<int>(a.Stance) : static_cast<int>(kOrderDefend);
        if (mode == kOrderWithdraw && k.SizeClass > 2) mode = kOrderDefend;
        k.OrderMode = static_cast<U8>(mode);
        SetDestination(k, r.X, r.Y);
        if (k.Strength < r.EnemyStrength) {
            r.EnemyStrength -= k.Strength;
        } else {
            r.EnemyStrength = 0;
            r.Value = 0;
        }
        city.EnemyTally = static_cast<std::uint16_t>(std::max(0, city.EnemyTally - k.Strength));
        if (a.FreeCorps != 0) a.FreeCorps -= 1;
        if (a.FreeCorps == 0 || r.EnemyStrength == 0) return;
    }
}

void DistributeArmyCorps(int nation, int army, TAroundTallies& tallies, const TArmyCorps& corps) {
    TGameRec& g = G();
    TArmyRec& a = g.Armies[army];
    const int side = g.Nations[nation].Side;
    // A pick that leaves its row as it was ends the pass: the picks after it would do the same.
    for (int pick = 0; pick < kPicksPerPass && a.FreeCorps != 0; ++pick)
        if (EngageRow(nation, army, side, false, tallies, corps) != TEngaged::Changed) break;
    if (side != 0 && a.Stance == 2) {
        const int other = side == kUnion ? kConfederacy : kUnion;
        for (int pick = 0; pick < kPicksPerPass && a.FreeCorps != 0; ++pick)
            if (EngageRow(nation, army, other, true, tallies, corps) != TEngaged::Changed) break;
    }
    for (int pick = 0; pick < kPicksPerPass && a.FreeCorps != 0; ++pick) {
        const int row = PickTargetRow(side, army, 0);
        if (row == 0) break;
        TTargetRow& r = TargetTable[row];
        if (r.City != 0 && r.Value != 0) {
            MatchRow(nation, army, row, corps);
            r.Value = 0;
        }
    }
}

}  // namespace

void AssignCorpsToRow(int nation, int army, int row, int maxDistance) {
    AssignCorpsToRow(nation, army, row, maxDistance, TArmyCorps(false, nation, army));
}

void DistributeArmyCorps(int nation, int army, TAroundTallies& tallies) {
    DistributeArmyCorps(nation, army, tallies, TArmyCorps(false, nation, army));
}

void GatherArmyCorps(int army) {
    TGameRec& g = G();
    TArmyRec& a = g.Armies[army];
    const int n = a.Nation;
    const int base = a.BaseCity;
    const TCityRec& baseCity = g.Cities[base];
    const int target = a.SupplyBase != 0 ? a.SupplyBase : base;
    // An army without a commander gathers as one with ratings of 0.
    const TLeaderRec& leader = g.Leaders[a.Leader];
    int q = leader.Drill / 11;
    q = q * q - q;
    const int r = std::max(q / 2, 2);
    if (q < 5) q = 4;
    q = std::min(q, 12);
    const int cap = leader.Initiative / 8 + 2;
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = g.Corps[c];
        if (!CorpsInUse(k) || k.Nation != n || k.Disruption != 0 || k.OrderMode >= kOrderEmbarked ||
            k.Region != a.Theatre)
            continue;
        if (base == 0) {
            if (k.Army == army) k.Army = 0;
            continue;
        }
        const int d = Distance(k, baseCity.HexX, baseCity.HexY);
        bool join = k.SupplyCity == base;
        if (k.Army != 0) {
            join = false;
        } else if (k.PlanTag == 0 && k.SupplyCity != 0) {
            const TCityRec& supply = g.Cities[k.SupplyCity];
            if (50L * supply.Garrison * supply.Fortifications + 1 > supply.EnemyTally) {
                int d2 = d;
                if (supply.State == baseCity.State) d2 /= 2;
                if (k.Kind == kCavalryDivision) d2 /= 2;
                if (r > d2 || (NearestEnemyDistanceOf(c) >= d2 && q >= d2)) join = true;
            }
        }
        if (a.CorpsCount < cap && join && d <= q) {
            k.Army = static_cast<U8>(army);
            k.OrderMode = kOrderWithdraw;
            SetDestination(k, target);
        }
    }
}

namespace {

void SetArmyCorpsOrders(int army, const TArmyCorps& corps) {
    TGameRec& g = G();
    const TArmyRec& a = g.Armies[army];
    const int target = a.SupplyBase != 0 ? a.SupplyBase : a.BaseCity;
    // Every corps of the army is ordered, those a plan claimed too.
    for (const int c : corps) {
        TCorpsRec& k = g.Corps[c];
        if (!InArmy(k, a.Nation, army)) continue;
        const TLeaderRec& commander = g.Leaders[k.Leader];
        k.LeaderInitiative = commander.Initiative;
        k.LeaderRating = commander.Rating;
        k.SupplyCity = a.BaseCity;
        k.SupplyPriority = k.Opponent != 0 ? 2 : 1;
        k.SupplyType = 0;
        // A disordered corps aboard a fleet keeps its embarked order too: set to march at sea it
        // would stay the fleet's cargo with orders for land.
        if (k.Disruption != 0 && k.OrderMode != kOrderEmbarked) {
            SetDestination(k, a.BaseCity);
            k.March = 2;
            k.OrderMode = kOrderWithdraw;
        } else if (k.Disruption == 0 && k.OrderMode < kOrderEmbarked) {
            k.March = 1;
            SetDestination(k, target);
            k.OrderMode = kOrderWithdraw;
        }
    }
}

}  // namespace

void SetArmyCorpsOrders(int army) {
    const TArmyRec& a = G().Armies[army];
    SetArmyCorpsOrders(army, TArmyCorps(false, a.Nation, army));
}

TCityChoice ChooseDefenceCities(int army, int x, int y, int stanceFromScore) {
    return ChooseCities(army, x, y, true, stanceFromScore);
}

TCityChoice ChooseAttackCities(int army, int x, int y) { return ChooseCities(army, x, y, false, 0); }

namespace {

// Both readings of the operations: the plain one sweeps every corps slot for each army.
template <bool kRescan>
void ArmyOperations(int n) {
    TGameRec& g = G();
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    const TNationRec& nat = g.Nations[n];
    // Gathering, ordering and sending corps moves none, raises or frees none and changes no plan
    // tag, disorder or brigade: one set of tallies and one garrison count serve every army.
    TAroundTallies tallies;
    const TGarrisonMen garrisons;
    for (int army = 1; army <= kArmyCount; ++army) {
        TArmyRec& a = g.Armies[army];
        const int t = a.Theatre;
        if (a.CorpsCount == 0 || a.Nation != n || t < 1 || t > kTheatreCount) continue;
        const int posture = a.PlanTag == 0 ? nat.TheatrePosture[t] : 1;
        a.SupplyType = 0;
        a.March = 1;
        GatherArmyCorps(army);
        const TArmyCorps corps(kRescan, n, army);
        a.CorpsCount = static_cast<U8>(CountArmyCorps(n, army, corps));
        if (a.CorpsCount < 2 && a.Condition < 6) {
            AbandonArmy(army);
            continue;
        }
        ClearTargetTable();
        SetArmyCorpsOrders(army, corps);
        int disordered = 0;
        for (const int c : corps) disordered += InArmy(g.Corps[c], n, army) && g.Corps[c].Disruption != 0;
        a.FreeCorps = static_cast<U8>(std::max(0, a.CorpsCount - disordered));

        long score = a.ArmyValue + 50L * posture + 2L * nat.TheatreIdle[t] - 5L * a.Losses;
        score += g.Leaders[a.Leader].Tactics;
        if (a.Readiness < 10) score -= 10L * (10 - a.Stance);
        tallies.TallyAround(a.BaseCity, n, t + 4);
        const int fromScore = score <= -20 ? 0 : score < 50 ? 1 : 2;
        if (score < 50 && a.Stance > 1) a.Stance -= 1;
        a.SupplyPriority = fromScore == 2 ? 2 : 1;
        if (a.PlanTag == 0) a.Stance = static_cast<U8>(fromScore);
        if (a.Stance == 2 && a.Condition < 8) a.Stance = 1;

        const bool planFixedObjective = a.PlanTag != 0 && a.Objective != 0 && a.Objective != a.BaseCity;
        if (!planFixedObjective) {
            const TCityRec& base = g.Cities[a.BaseCity];
            if (a.Stance > 1) {
                a.Objective = static_cast<U8>(ChooseAttackCities(army, base.HexX, base.HexY).Best);
                a.SupplyBase = static_cast<U8>(ChooseDefenceCities(army, base.HexX, base.HexY, fromScore).Best);
            } else if (fromScore <= 1) {
                const TCityChoice defence = ChooseDefenceCities(army, base.HexX, base.HexY, fromScore);
                a.Objective = static_cast<U8>(defence.Best);
                a.SupplyBase = static_cast<U8>(defence.Second);
            }
        }
        tallies.TallyAround(a.BaseCity, n, t + 4);
        if (EnemyTally == 0 && a.SupplyBase == a.BaseCity && a.Stance < 2) a.Stance = kTrainingStance;

        FillTargetRow(1, n, a.BaseCity, t + 4, garrisons, tallies);
        int rows = 1;
        if (a.Objective != 0 && a.Objective != a.BaseCity) {
            rows = 2;
            FillTargetRow(2, n, a.Objective, t + 4, garrisons, tallies);
        }
        AddNearbyTargetRows(n, rows, army, garrisons, tallies);
        DistributeArmyCorps(n, army, tallies, corps);

        int destination = a.SupplyBase != 0 && a.Stance < 2 ? a.SupplyBase : a.Objective;
        if (destination == 0) destination = a.BaseCity;
        for (const int c : corps) {
            TCorpsRec& k = g.Corps[c];
            if (InArmy(k, n, army) && k.OrderMode == kOrderWithdraw && k.Disruption == 0) {
                SetDestination(k, destination);
                k.March = k.Fatigue < 4 ? 1 : 0;
            }
        }
    }
}

}  // namespace

void RunArmyOperations(int n) { ArmyOperations<false>(n); }

void RunArmyOperationsFullRescan(int n) { ArmyOperations<true>(n); }

}  // namespace kvt
