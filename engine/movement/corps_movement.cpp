// Corps movement plans (once per turn, before the movement ticks) and the movement step of one
// corps (once per corps and tick, steps 1..9). Never waits on the player: notices and the view go
// through the Frontend; every random draw is taken in the order the rules give.
#include "engine/movement/corps_movement.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/movement/path_search.h"
#include "engine/movement/spotting.h"
#include "engine/movement/supply_cities.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/record_queries.h"
#include "engine/world/text_table.h"

namespace kvt {

std::uint16_t NearestEnemyDistance = 100;

namespace {

constexpr int kNoEnemy = 100;
constexpr int kMaxAllowance = 250;
constexpr int kConditionDrillCeiling = 24;
// The one neutral state that a corps' entry hands to its enemy.
constexpr int kNeutralState = 20;
constexpr int kLineLimit = 39;

// Costs by terrain class of the hex entered: score when choosing, fatigue, allowance; 0 = cannot enter.
constexpr int kChoiceCost[8] = {0, 5, 13, 0, 3, 15, 11, 8};
constexpr int kFatigueCost[8] = {0, 1, 3, 0, 1, 4, 3, 2};
constexpr int kAllowanceCost[8] = {0, 4, 9, 0, 3, 10, 8, 6};
// Hexside values: 1 low bit (stream), 2 high bit (river), 3 both (impassable).
constexpr int kHexsideImpassable = 3;

bool Human(int nation) { return G().Nations[nation].Human != 0; }
int OtherSide(int side) { return side == kUnion ? kConfederacy : side == kConfederacy ? kUnion : 0; }

bool AtHex(const TCorpsRec& k, int x, int y) { return k.HexX == x && k.HexY == y; }
bool OnDestination(const TCorpsRec& k) { return k.HexX == k.DestX && k.HexY == k.DestY; }
int Distance(const TCorpsRec& a, const TCorpsRec& b) { return MovementHexDistance(a.HexX, a.HexY, b.HexX, b.HexY); }
int Distance(const TCorpsRec& a, const TCityRec& c) { return MovementHexDistance(a.HexX, a.HexY, c.HexX, c.HexY); }

// Fatigue saturates: a wrapped byte would turn an exhausted corps fresh.
std::uint8_t AddFatigue(int fatigue, int delta) { return static_cast<std::uint8_t>(std::clamp(fatigue + delta, 0, 255)); }

// Every step of every corps changes its brigades' fatigue, and between two steps brigades seldom
// join or leave a corps: each corps' brigades are listed once and read from the list.
TBrigadesByCorps corpsBrigades;

void ChangeCorpsFatigue(int corps, TCorpsRec& k, int delta) {
    k.Fatigue = AddFatigue(k.Fatigue, delta);
    for (const int i : corpsBrigades.Of(corps))
        corpsBrigades.SetFatigue(i, AddFatigue(G().Brigades[i].Fatigue, delta));
}
void ChangeCorpsFatigue(int corps, int delta) { ChangeCorpsFatigue(corps, G().Corps[corps], delta); }

// Recovery in a quiet home state: the corps and all its brigades keep a third of their fatigue.
void DivideCorpsFatigue(int corps, TCorpsRec& k) {
    if (k.Fatigue != 0) k.Fatigue /= 3;
    for (const int i : corpsBrigades.Of(corps)) corpsBrigades.SetFatigue(i, G().Brigades[i].Fatigue / 3);
}

void ClearRoute(TCorpsRec& k) {
    for (int e = 1; e <= kRouteLength; ++e) k.Route[e] = 0;
}

// A fresh route for the turn from the last search.
void TakePlannedRoute(TCorpsRec& k) {
    for (int e = 1; e <= kRouteLength; ++e) {
        k.Route[e] = PathSteps[e];
        k.StepDone[e] = 0;
    }
}

// The rest of this turn's route, from the entry in hand on, from the last search.
void TakeRemainingRoute(TCorpsRec& k) {
    const int from = std::max<int>(k.RouteIndex, 1);
    for (int e = from; e <= kRouteLength; ++e) k.Route[e] = PathSteps[e - from + 1];
}

void FillRemainingRoute(TCorpsRec& k, std::uint8_t value) {
    for (int e = std::max<int>(k.RouteIndex, 1); e <= kRouteLength; ++e) k.Route[e] = value;
}

void SetRouteEntry(TCorpsRec& k, std::uint8_t value) {
    if (k.RouteIndex >= 1 && k.RouteIndex <= kRouteLength) k.Route[k.RouteIndex] = value;
}

// Undisrupted corps of another side than `side`.
bool FitEnemy(const TCorpsRec& j, int side) { return CorpsInUse(j) && j.Side != side && j.Disruption == 0; }

// ---------------------------------------------------------------- planning

// Planning works on `k`: the corps' own slot, or, for a corps dissolved into a garrison, a copy of
// it planned on for its random draws alone (`dissolved`), so that every later draw of the turn
// keeps its place. Its brigades have gone to the garrison; nothing else outside the copy changes
// and nothing is shown.

void FirstPass(int c) {
    TCorpsRec& k = G().Corps[c];
    k.ContactCode = 0;
    k.Activity = kActivityMarch;
    if (k.Nation != 0 && CorpsInUse(k)) {
        for (int e = 1; e <= kRouteLength; ++e)
            if (k.Route[e] == kRouteChooseStep) k.Route[e] = 0;
        if (k.Disruption != 0 || !Human(k.Nation)) {
            ClearRoute(k);
        } else if (k.Route[1] == 0) {
            int first = 0;
            for (int e = 2; e <= kRouteLength && first == 0; ++e)
                if (k.Route[e] >= 1 && k.Route[e] <= 6) first = e;
            if (first != 0) {
                // A route drawn to start later is played from its first direction on.
                for (int e = 1; e <= kRouteLength; ++e) {
                    const int from = e + first - 1;
                    k.Route[e] = from <= kRouteLength ? k.Route[from] : 0;
                }
            } else if (!OnDestination(k)) {
                FindPath(k.HexX, k.HexY, k.DestX, k.DestY, kRouteLength, kPathLand, k.Nation,
                         k.OrderMode != kOrderWithdraw ? kRuleAnyHex : kRuleOwnOnly);
                TakePlannedRoute(k);
            }
        }
    }
    k.RouteIndex = 1;
    if (!CorpsInUse(k) && k.Leader >= 1 && k.Leader <= kLeaderCount) {
        G().Leaders[k.Leader].Status = kLeaderAvailable;
        k.Leader = 0;
        k.HexX = 0;
        k.HexY = 0;
    }
}

// A disrupted corps on its besieged depot city dissolves into the garrison.
bool AbsorbIntoGarrison(int c) {
    TCorpsRec& k = G().Corps[c];
    // Only a disrupted corps with a depot can dissolve: the nearest enemy is measured for it alone.
    if (k.SupplyCity == 0 || k.Disruption == 0) return false;
    NearestEnemyCorpsDistance(k.SupplyCity, k.Nation);
    if (NearestEnemyDistance != 0) return false;
    TCityRec& city = G().Cities[k.SupplyCity];
    if (city.SupplySource != 1 || !AtHex(k, city.HexX, city.HexY)) return false;
    k.Unused = kCorpsFreed;
    // Allied brigades stay in the city too: left on the freed slot they would reappear in
    // whatever corps next takes it.
    ForEachAttachedBrigade(c, [&](TBrigadeRec& b) {
        b.AttachKind = kAttachGarrison;
        b.AttachIndex = k.SupplyCity;
        city.Garrison += 1;
    });
    corpsBrigades.Forget();
    return true;
}

int MarchAllowance(int c, TCorpsRec& k) {
    TGameRec& g = G();
    int a = k.Quality * 10 + k.Condition;
    if (k.Disruption == 0 && k.March < 2) {
        const int s = MapGrid->Cell(k.HexX, k.HexY).State();
        const TStateRec& state = g.States[s];
        if (s != 0 && state.EnemyStrength == 0 && state.Owner == k.Nation && state.Controller == k.Nation)
            DivideCorpsFatigue(c, k);
        if (3 * k.Fatigue < a) a -= 3 * k.Fatigue;
        else a = 1;
    }
    if (k.Army >= 1 && k.Army <= kArmyCount) {
        const TArmyRec& army = g.Armies[k.Army];
        const TLeaderRec& chief = g.Leaders[army.Leader];
        a += (k.LeaderInitiative + chief.Initiative) / 2;
        const int capacity = chief.Initiative / 8 + 2;
        if (capacity < army.CorpsCount) {
            const int deduction = 10 * (army.CorpsCount - capacity);
            a = deduction >= a ? 1 : a - deduction;
        }
    } else if (a > 15) {
        a += k.LeaderInitiative - Random(15);
    }
    if (k.March == 0) a /= 2;
    else if (k.March == 2) a *= 2;
    if (k.Disruption == 0) {
        if (k.Kind != 2) a /= 2;
        if (k.SupplyType == 1) a /= 3;
        const int weather = g.TheatreWeather[k.Region];
        if (weather == 3 || weather == 4 || weather == 6) a /= 2;
        else if (weather == 5 || weather == 7 || weather == 8) a /= 3;
        if (a == 0) a = 1;
    }
    return std::clamp(a, 0, kMaxAllowance);
}

void RestDigInOrTrain(int c, TCorpsRec& k, bool dissolved) {
    TGameRec& g = G();
    const bool onDestination = OnDestination(k);
    const bool inArmy = k.Army >= 1 && k.Army <= kArmyCount;
    TArmyRec& army = g.Armies[k.Army];
    TLeaderRec& chief = g.Leaders[inArmy ? army.Leader : 0];

    int threshold = k.March * 10;
    if (onDestination) threshold = 0;
    if (k.Opponent != 0 && k.OrderMode == kOrderWithdraw) threshold = 100;
    if (k.Opponent != 0 && k.OrderMode == kOrderAdvance) threshold += 10;

    if (k.Fatigue > threshold) {
        int r = g.Leaders[k.Leader].Drill / 5;
        if (inArmy) r += chief.Drill / 8;
        r = std::min(std::max(r, 3), static_cast<int>(k.Fatigue));
        k.Fatigue = static_cast<U8>(k.Fatigue - r);
        for (const int i : corpsBrigades.Of(c)) {
            const int fatigue = G().Brigades[i].Fatigue;
            corpsBrigades.SetFatigue(i, fatigue > r ? static_cast<U8>(fatigue - r) : 0);
        }
        k.Activity = kActivityResting;
        k.MarchAllowance = 0;
    }
    if (k.Opponent != 0 && k.OrderMode == kOrderDefend && k.MarchAllowance != 0 && onDestination) {
        k.Entrenchment += 1;
        ChangeCorpsFatigue(c, k, 2);
        k.StepDirection = 7;
        k.MarchAllowance = 0;
        k.Activity = kActivityDugIn;
    }
    if (k.Opponent == 0 && onDestination && inArmy && k.OrderMode <= kOrderDefend &&
        ((Human(k.Nation) && army.Stance == 3) || !Human(k.Nation))) {
        k.Activity = kActivityTraining;
        k.MarchAllowance = 0;
        if (Random(150) < chief.Drill && !dissolved) {
            const int drilled = DrillCorpsBrigades(c);
            if (drilled >= k.LineCount / 2) {
                RaiseEventNotice(19, chief.Name.str() + Text(148), Text(149) + " " + g.Leaders[k.Leader].Name.str(),
                                 Text(150));
                if (chief.Experience < 16) chief.Experience += 1;
            }
        }
    }
}

void Surrender(int c) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[c];
    TLeaderRec& leader = g.Leaders[k.Leader];
    RaiseEventNotice(0, leader.Name.str() + Text(35), k.Kind <= 2 ? Text(36 + k.Kind) : std::string(), Text(39));
    g.Prisoners[k.Nation] += k.Strength + k.Artillery;
    k.Unused = kCorpsDestroyed;
    leader.Status = kLeaderCaptured;
    // The corps keeps no leader, or the next planning would set a captured man free again.
    k.Leader = 0;
    g.Nations[k.Nation].Will += k.Kind - 3;
    const int change = k.Nation == kNationUnion ? -1 : k.Nation == kNationConfederacy ? 1 : 0;
    for (int n : {kNationFrance, kNationBritain}) {
        I16& attitude = g.Nations[n].Attitude;
        if (change != 0 && attitude > 0 && attitude < 100) attitude += change;
    }
    ForEachAttachedBrigade(c, [&](const TBrigadeRec& b) { g.States[b.HomeState].StateCasualties += b.Strength; });
    ClearAttachedBrigades(c);
    corpsBrigades.Forget();
}

// Whether a search from the corps' hex with the given mode reaches the city.
bool CityReachable(const TCorpsRec& k, const TCityRec& city, int steps, int mode, int rule) {
    // Rail hexes are controlled by sides: France and Britain ride their allies' lines.
    FindPath(k.HexX, k.HexY, city.HexX, city.HexY, steps, mode, mode == kPathRail ? k.Side : k.Nation, rule);
    return PathReached(mode, k.HexX, k.HexY, city.HexX, city.HexY);
}

// Falling back never sets a corps ashore: aboard a fleet it keeps its embarked order.
void SetFallBackOrder(TCorpsRec& k, std::uint8_t mode) {
    if (k.OrderMode != kOrderEmbarked) k.OrderMode = mode;
}

// Falling back after a battle; the corps may surrender.
void FallBack(int c, TCorpsRec& k, bool dissolved) {
    TGameRec& g = G();
    k.MarchAllowance += 10;
    SetFallBackOrder(k, kOrderWithdraw);
    k.Activity = kActivityDisrupted;
    if (k.Opponent != 0) {
        const TCityRec& city = g.Cities[k.SupplyCity];
        if (k.SupplyCity == 0 || city.Owner != k.Side) {
            k.SupplyType = 2;
            k.SupplyCity = 0;
        } else if (AtHex(k, city.HexX, city.HexY) && !EnemyCorpsOn(city.HexX, city.HexY, k.Side)) {
            k.Disruption -= 1;
            k.MarchAllowance = 0;
        } else {
            if (!CityReachable(k, city, kRouteLength, kPathLand, kRuleHostileNearStart)) {
                k.SupplyType = 2;
                k.SupplyPriority = 0;
            }
            TakePlannedRoute(k);
        }
    } else {
        k.Disruption = static_cast<U8>((k.Disruption - 1) / 2);
        k.MarchAllowance = 0;
    }

    bool safe = false;
    if (k.Disruption == 0) {
        safe = true;
        SetFallBackOrder(k, kOrderDefend);
    } else if (k.SupplyType != 2) {
        safe = true;
    } else {
        const TCityRec& city = g.Cities[k.SupplyCity];
        if (k.SupplyCity != 0 && city.Owner == k.Side) {
            const int toCity = Distance(k, city);
            bool enemyNearer = false, friendClose = false;
            for (int j = 1; j <= kCorpsCount; ++j) {
                const TCorpsRec& other = g.Corps[j];
                if (FitEnemy(other, k.Side) && Distance(k, other) < toCity) enemyNearer = true;
                if (j != c && CorpsInUse(other) && other.Side == k.Side && other.Disruption == 0 &&
                    Distance(k, other) <= 2)
                    friendClose = true;
            }
            safe = !enemyNearer || friendClose;
        }
    }
    if (!safe) {
        for (int ci = 1; ci <= kCityCount; ++ci) {
            const TCityRec& city = g.Cities[ci];
            if (!IsSupplySourceOf(city, k.Side)) continue;
            const int toCity = Distance(k, city);
            if (toCity > 10) continue;
            int rule = kRuleAnyHex;
            for (const TCorpsRec& other : g.Corps)
                if (FitEnemy(other, k.Side) && Distance(k, other) < toCity &&
                    MovementHexDistance(other.HexX, other.HexY, city.HexX, city.HexY) < toCity)
                    rule = kRuleHostileNearStart;
            if (CityReachable(k, city, 20, kPathRail, rule) || CityReachable(k, city, 20, kPathRiver, rule) ||
                CityReachable(k, city, kRouteLength, kPathLand, rule))
                safe = true;
        }
    }
    if (!safe && !dissolved) Surrender(c);
}

void RailMove(int c, TCorpsRec& k, bool dissolved) {
    TGameRec& g = G();
    for (int e = 1; e <= kRouteLength; ++e) {
        k.Route[e] = 0;
        k.StepDone[e] = 0;
    }
    k.Activity = kActivityRailMoving;
    k.MarchAllowance = 0;
    k.RouteIndex = kRouteFinished;
    if (k.Fatigue != 0) {
        k.Fatigue /= 3;
        ForEachAttachedBrigade(c, [](TBrigadeRec& b) { b.Fatigue /= 3; });
    }

    // The corps rides only along a line found from its own hex; when none is found it stays.
    const int x = k.HexX, y = k.HexY;
    // The rail search compares sides: France and Britain ride their allies' lines.
    FindPath(x, y, k.DestX, k.DestY, kPathMaxSteps, kPathRail, k.Side, kRuleHostileNearStart);
    if (!(x == k.DestX && y == k.DestY) && PathResult == kPathReached) {
        k.HexX = static_cast<U8>(PathEnd.X);
        k.HexY = static_cast<U8>(PathEnd.Y);
        if (!OnDestination(k)) {
            // A line longer than one search: the ride ends where the search back from the
            // destination toward the hex reached ends.
            FindPath(k.DestX, k.DestY, k.HexX, k.HexY, kPathMaxSteps, kPathRail, k.Side, kRuleHostileNearStart);
            if (PathResult == kPathReached) {
                k.HexX = static_cast<U8>(PathEnd.X);
                k.HexY = static_cast<U8>(PathEnd.Y);
            }
        }
    }
    int arrivedCity = 0;
    if (OnDestination(k))
        for (int ci = 1; ci <= kCityCount; ++ci)
            if (AtHex(k, g.Cities[ci].HexX, g.Cities[ci].HexY)) arrivedCity = ci;

    const int other = OtherSide(k.Side);
    if (!dissolved && ((Human(k.Side) && !Human(other)) || g.EnemyVisibility == k.Side || g.EnemyVisibility == 3)) {
        std::string name = g.Leaders[k.Leader].Name.str() + " ";
        if (name.size() > 22) name.resize(22);
        RaiseEventNotice(6, name + Text(145), Text(146),
                         arrivedCity != 0 ? Text(687) + g.Cities[arrivedCity].Name.str() : Text(688));
        ViewColumn = k.HexX;
        ViewRow = k.HexY;
        CurrentFrontend().Repaint();
        CurrentFrontend().DrawCorps(c);
    }
    k.Activity = kActivityRailed;
    k.MarchAllowance = 0;
    k.OrderMode = kOrderDefend;
    if (arrivedCity == 0) {
        k.DestX = k.HexX;
        k.DestY = k.HexY;
    }
}

// A surrendered corps' slot is free: its route search and drill draws are still taken, so that
// every later draw of the turn stays where it belongs, but nothing is written to the slot.
void ComputerRoute(TCorpsRec& k, bool freed) {
    if (Human(k.Nation) || k.Route[1] != 0) return;
    if (!freed) ClearRoute(k);
    for (int e = 1; e <= 20; ++e) PathSteps[e] = 0;
    if (!OnDestination(k)) {
        FindPath(k.HexX, k.HexY, k.DestX, k.DestY, kRouteLength, kPathLand, k.Side, kRuleAnyHex);
        if (!freed) TakePlannedRoute(k);
    }
}

void DrillCondition(TCorpsRec& k, bool freed) {
    if (k.Activity == kActivityMarch || k.Condition >= kConditionDrillCeiling) return;
    const int drill = G().Leaders[k.Leader].Drill;
    for (int draw = 0; draw < 2; ++draw)
        if (Random(100) < drill && !freed) k.Condition += 1;
}

// Steps 2 to 9 of the second pass.
void PlanCorps(int c, TCorpsRec& k, bool dissolved) {
    if (k.OrderMode == kOrderEmbarked) {
        k.Activity = kActivityEmbarked;
        k.MarchAllowance = 0;
    }
    bool freed = false;
    if (k.OrderMode == kOrderRail) {
        RailMove(c, k, dissolved);
    } else {
        // A corps without a leader does not march (it never borrows another corps' allowance).
        if (k.Leader != 0) k.MarchAllowance = static_cast<std::uint16_t>(MarchAllowance(c, k));
        else k.MarchAllowance = 0;
        if (k.Disruption == 1) {
            k.MarchAllowance = k.MarchAllowance / 2;
            SetFallBackOrder(k, kOrderWithdraw);
            if (k.Opponent == 0) k.Disruption = 0;
        }
        if (k.Disruption == 0) RestDigInOrTrain(c, k, dissolved);
        else FallBack(c, k, dissolved);
        freed = !CorpsInUse(k);
        ComputerRoute(k, freed);
    }
    DrillCondition(k, freed);
    // A surrendered corps' draws are taken; now its slot is cleared like any other freed one.
    if (freed && !dissolved) FreeCorpsRecord(c);
}

void SecondPass(int c) {
    TCorpsRec& k = G().Corps[c];
    if (!CorpsInUse(k) || k.Nation == 0) return;
    if (AbsorbIntoGarrison(c)) {
        // The absorbed corps no longer exists, and planned for real it could surrender as well.
        TCorpsRec copy = k;
        EndCorps(c);
        PlanCorps(c, copy, true);
        return;
    }
    PlanCorps(c, k, false);
}

// ---------------------------------------------------------------- the movement step

// Whether `other` lies within `reach` columns and rows of (x, y): a hex distance is never less
// than the column or row difference, so most corps are passed by on one test the branch foresees.
bool WithinSquare(int x, int y, const TCorpsRec& other, int reach) {
    const auto span = static_cast<unsigned>(2 * reach);
    return static_cast<unsigned>(other.HexX - x + reach) <= span && static_cast<unsigned>(other.HexY - y + reach) <= span;
}

// The other corps within 2 columns and rows of the corps stepping, in index order. Listed once a
// step, from the hex it stands on, for the rally, the cavalry's count, the look at enemies nearby
// and the enemies on the hex it enters: no corps changes hex before the step itself.
class TCorpsAround {
public:
    explicit TCorpsAround(int c) : c_(c) {}
    std::span<const std::uint8_t> List() {
        if (!listed_) {
            const TCorpsRec& k = G().Corps[c_];
            const int all = CorpsNear(k.HexX, k.HexY, 2, near_);
            for (int i = 0; i < all; ++i)
                if (near_[static_cast<std::size_t>(i)] != c_) near_[static_cast<std::size_t>(count_++)] = near_[static_cast<std::size_t>(i)];
            listed_ = true;
        }
        return std::span<const std::uint8_t>(near_.data(), count_);
    }

private:
    int c_;
    bool listed_ = false;
    int count_ = 0;
    std::array<std::uint8_t, kCorpsCount> near_;
};

// Start of the step: contact, rallying, where a disrupted corps heads, cavalry evading.
void StartOfStep(int c, TCorpsAround& around) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[c];
    if (CorpsInUse(k) && k.Strength == 0) {
        // Its guns may outlast its men: they go where a spent corps' brigades go at spotting.
        ReleaseSpentCorpsBrigades(c);
        EndCorps(c);
        corpsBrigades.Forget();
    }
    if (!CorpsInUse(k) || k.Nation == 0) return;

    int sameHex = 0;
    if (g.MoveStep > 1) {
        int near = 0;
        for (const int j : around.List()) {
            TCorpsRec& other = g.Corps[j];
            // Only a corps nearer than 2 counts.
            if (!WithinSquare(k.HexX, k.HexY, other, 1) || !CorpsInUse(other) || other.Side == k.Side) continue;
            const int d = Distance(k, other);
            if (d < 2) ++near;
            if (d != 0) continue;
            ++sameHex;
            if (other.Disruption == 0 && k.OrderMode < kOrderEmbarked && other.OrderMode < kOrderEmbarked) {
                for (TCorpsRec* p : {&k, &other}) {
                    if (p->ContactCode == 0) p->ContactCode = 1;
                    if (p->Losses == 0) p->Losses = g.MoveStep;
                }
            }
        }
        if (k.Disruption != 0 && near == 0 && Random(70) < g.Leaders[k.Leader].Drill) {
            k.Disruption -= 1;
            ChangeCorpsFatigue(c, 2);
            if (k.MarchAllowance > 5) k.MarchAllowance -= 5;
            if (k.Disruption == 0) {
                k.OrderMode = kOrderDefend;
                k.DestX = k.HexX;
                k.DestY = k.HexY;
            }
        }
    }
    if (sameHex == 0) k.ContactCode = 0;

    if (k.Disruption != 0) {
        k.ContactCode = 0;
        if (k.Army != 0) {
            const int base = g.Armies[k.Army].BaseCity;
            if (base != 0) {
                k.DestX = g.Cities[base].HexX;
                k.DestY = g.Cities[base].HexY;
            }
        } else if (OnDestination(k) && k.Opponent != 0) {
            const int city = ChooseSupplyCity(c, k.Nation);
            if (city != 0) {
                k.SupplyCity = static_cast<U8>(city);
                k.DestX = g.Cities[city].HexX;
                k.DestY = g.Cities[city].HexY;
            }
        }
    }

    if (k.Kind == 2) {
        if (k.OrderMode == kOrderWithdraw && k.ContactCode != 0) {
            k.ContactCode = 0;
            SetRouteEntry(k, kRouteChooseStep);
        }
        int own = 0, enemy = 0;
        auto count = [&](int holderIndex) {
            const TCorpsRec& holder = g.Corps[holderIndex];
            for (const int i : corpsBrigades.Of(holderIndex)) {
                if (g.Brigades[i].Nation != holder.Nation) continue;
                if (holder.Side == k.Side) ++own;
                else ++enemy;
            }
        };
        count(c);
        for (const int j : around.List())
            if (CorpsInUse(g.Corps[j]) && AtHex(g.Corps[j], k.HexX, k.HexY)) count(j);
        if (3 * own < enemy) {
            k.ContactCode = 0;
            SetRouteEntry(k, kRouteChooseStep);
        }
    }
}

// Where an enemy corps will stand after its next step, as a computer commander guesses it.
THexPos PredictedHex(const TCorpsRec& enemy, int routeIndex) {
    int x = enemy.HexX, y = enemy.HexY;
    if (enemy.MarchAllowance >= 11) {
        const int d = enemy.Route[routeIndex];
        // A route entry that is no direction leaves the enemy where it stands.
        if (d >= 1 && d <= 6) StepHexAt(x, y, d);
    }
    return {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
}

// Men of the fit corps within 2 hexes of `centre`: of `side` and not withdrawing, or of the other
// sides. A striking corps is among its own side's, so its men count twice beside its guns.
int StrengthNear(const TCorpsRec& centre, int side, bool ownSide) {
    int total = 0;
    std::array<std::uint8_t, kCorpsCount> near;
    const int count = CorpsNear(centre.HexX, centre.HexY, 2, near);
    for (int i = 0; i < count; ++i) {
        const TCorpsRec& k = G().Corps[near[static_cast<std::size_t>(i)]];
        if (!CorpsInUse(k) || k.Disruption != 0 || Distance(centre, k) > 2) continue;
        if (ownSide ? (k.Side == side && k.OrderMode != kOrderWithdraw) : k.Side != side) total += k.Strength;
    }
    return total;
}

void ReactToEnemyNearby(int c, TCorpsAround& around, THexPos& target) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[c];
    const bool human = Human(k.Nation);
    // Within 2 hexes means within 2 columns and rows.
    for (const int j : around.List()) {
        const TCorpsRec& enemy = g.Corps[j];
        if (!CorpsInUse(enemy) || enemy.Side == k.Side || enemy.Disruption != 0 || enemy.OrderMode >= kOrderEmbarked)
            continue;
        const int d = Distance(k, enemy);
        if (d < 1 || d > 2) continue;
        FindPath(k.HexX, k.HexY, enemy.HexX, enemy.HexY, 3, kPathLand, k.Side, kRuleAnyHex);
        if (PathStepCount < 1 || PathStepCount > 2) continue;

        const TCityRec& supply = g.Cities[k.SupplyCity];
        const bool depot = supply.SupplySource == 2 || supply.SupplySource == 3;
        if (human && k.OrderMode == kOrderWithdraw && k.Disruption == 0 && k.SupplyCity != 0) {
            k.DestX = supply.HexX;
            k.DestY = supply.HexY;
        } else if (k.OrderMode == kOrderDefend && depot && MapGrid->Cell(k.HexX, k.HexY).Terrain() != kTerrainCity &&
                   k.RouteIndex >= 1 && k.RouteIndex <= kRouteLength) {
            if (human) {
                if (k.SupplyCity != 0 && !AtHex(k, supply.HexX, supply.HexY)) target = {k.HexX, k.HexY};
            } else {
                const THexPos next = PredictedHex(enemy, k.RouteIndex);
                const int dn = MovementHexDistance(k.HexX, k.HexY, next.X, next.Y);
                if (dn == 0) target = {k.HexX, k.HexY};
                else if (dn == 1) target = next;
            }
        } else if (k.OrderMode == kOrderAdvance && depot) {
            bool strikes = human;
            if (!human) {
                const int own = k.Strength + k.Artillery + StrengthNear(enemy, k.Side, true);
                strikes = own >= StrengthNear(enemy, k.Side, false);
            }
            if (strikes) {
                target = {enemy.HexX, enemy.HexY};
                k.MarchAllowance += k.LeaderInitiative / 6;
                FillRemainingRoute(k, kRouteChooseStep);
            }
        }
    }
}

int ChooseStep(int c, THexPos target) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[c];
    TLeaderRec& leader = g.Leaders[k.Leader];
    if (leader.Experience < 6 && Random(50) < 15) leader.Experience += 1;

    const bool disrupted = k.Disruption != 0;
    const bool onTarget = AtHex(k, target.X, target.Y);
    int stay = 0;
    if (k.OrderMode < kOrderPlan) {
        stay = 50;
        if (k.OrderMode == kOrderAdvance && onTarget) stay = 200;
        if (k.OrderMode == kOrderDefend) stay += 2 * k.Entrenchment;
        if (k.OrderMode == kOrderWithdraw && k.Opponent != 0) stay = 5 * k.Entrenchment + 30;
        if (disrupted) stay = k.Opponent != 0 ? 40 : 50;
        if (k.March == 0) stay -= 1;
        else if (k.March == 1) stay = stay * 4 / 5;
        else if (k.March == 2 && !disrupted) stay = stay * 2 / 3;
    }

    const int toTarget = MovementHexDistance(k.HexX, k.HexY, target.X, target.Y);
    int best = stay, chosen = 0;
    for (int dir = 1; dir <= 6; ++dir) {
        int x = k.HexX, y = k.HexY;
        StepHexAt(x, y, dir);
        if (!OnMap(x, y)) continue;
        int score = 50;
        if (x == target.X && y == target.Y) {
            score = (50 + 1) * 3;
        } else {
            const int d = MovementHexDistance(x, y, target.X, target.Y);
            if (d == toTarget) score += 1;
            else if (d < toTarget) score += 16;
            else if (score > 2) score -= 16;
        }
        if (!disrupted) {
            const int side = HexsideValue(*MapGrid, k.HexX, k.HexY, dir);
            if (side == 1) score -= 4;
            else if (side == 2) score -= 7;
            else if (side == kHexsideImpassable) score = 0;
        }
        if (score != 0) {
            const MapCell& cell = MapGrid->Cell(x, y);
            const int cost = kChoiceCost[cell.Terrain()];
            if (cost != 0 && cost <= k.MarchAllowance) {
                score -= cost;
                if (cell.ControlSide() != k.Side) {
                    if (!disrupted) {
                        if (k.OrderMode <= kOrderDefend) score /= 2;
                    } else {
                        int enemies = 0;
                        for (const TCorpsRec& j : g.Corps)
                            if (AtHex(j, x, y) && FitEnemy(j, k.Side)) {
                                score /= 2;
                                ++enemies;
                            }
                        if (enemies == 0) score += 10;
                    }
                }
            } else {
                score = 0;
            }
        }
        if (score > best) {
            best = score;
            chosen = dir;
        }
    }
    return chosen;
}

void JoinNeutralStateToWar(int side) {
    TGameRec& g = G();
    TStateRec& state = g.States[kNeutralState];
    state.Owner = static_cast<U8>(side);
    state.Controller = static_cast<U8>(side);
    state.ControlSide = static_cast<U8>(side);
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y)
            if (MapGrid->Cell(x, y).State() == kNeutralState) MapGrid->Cell(x, y).SetControlSide(side);
    // Every city of the state joins with it, and its nation and garrison with the city: a city of a
    // side without a nation would supply nobody and count for no one.
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        if (city.State != kNeutralState) continue;
        city.Owner = city.Nation = static_cast<U8>(side);
        for (TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachGarrison && b.AttachIndex == c) b.Nation = static_cast<U8>(side);
    }
    std::string line1 = state.Name.str() + Text(731);
    if (line1.size() > kLineLimit) line1.resize(kLineLimit);
    RaiseEventNotice(18, line1, side == kUnion ? "the Union." : "the Confederacy.");
}

// The first effects of a step, which stand even when the hex cannot be entered after all; false
// when it cannot (no ground to stand on, or both banks of the hexside barred).
bool BeginStep(int c, int d) {
    TCorpsRec& k = G().Corps[c];
    if (k.Disruption != 0) {
        k.Disruption -= 1;
        k.SupplyType = 2;
    }
    k.StepDirection = static_cast<U8>(d);
    int x = k.HexX, y = k.HexY;
    StepHexAt(x, y, d);
    return kFatigueCost[MapGrid->Cell(x, y).Terrain()] != 0 &&
           HexsideValue(*MapGrid, k.HexX, k.HexY, d) != kHexsideImpassable;
}

// Spends fatigue and allowance on the step and enters the hex; the result says whether it is shown.
// Disruption was already lowered for the step: a corps that has just shaken it off counts as orderly.
bool TakeStep(int c, int d, TCorpsAround& around) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[c];
    // Listed from the hex left: the hex entered lies within a column and a row of it.
    const std::span<const std::uint8_t> near = around.List();
    int x = k.HexX, y = k.HexY;
    StepHexAt(x, y, d);
    MapCell& cell = MapGrid->Cell(x, y);
    const int terrain = cell.Terrain();
    const int hexside = HexsideValue(*MapGrid, k.HexX, k.HexY, d);

    int f = kFatigueCost[terrain];
    if (hexside == 1) f += 2;
    else if (hexside == 2) f += 6;
    if (k.Kind == 3) f /= 2;
    const int stateIndex = cell.State();
    const int stateOwner = g.States[stateIndex].Owner;
    const bool hostileState = stateOwner != 0 && stateOwner != k.Side;
    if (hostileState && k.Disruption == 0) f += 1;
    ChangeCorpsFatigue(c, f);

    int cost = kAllowanceCost[terrain];
    if (hexside == 1) cost += 3;
    else if (hexside == 2) cost += 9;
    if (hostileState) cost += 6;
    k.MarchAllowance = static_cast<std::uint16_t>(std::max(0, k.MarchAllowance - cost));

    const int other = OtherSide(k.Side);
    const bool shown = k.Visibility != 0 || (Human(k.Nation) && !Human(other)) || (!Human(k.Nation) && !Human(other));

    if (k.RouteIndex == 1) {
        k.StartX = k.HexX;
        k.StartY = k.HexY;
    }
    k.HexX = static_cast<U8>(x);
    k.HexY = static_cast<U8>(y);
    if (k.RouteIndex >= 1 && k.RouteIndex <= kRouteLength) {
        k.StepDone[k.RouteIndex] = static_cast<U8>(d);
        k.Route[k.RouteIndex] = 0;
    }
    k.StepsTaken += 1;
    k.Entrenchment = 0;

    if (terrain != kTerrainCity && cell.ControlSide() != k.Side) {
        const int extra = Random(100) < g.Leaders[k.Leader].Tactics ? 1 : cost;
        k.MarchAllowance = static_cast<std::uint16_t>(std::max(0, k.MarchAllowance - extra));
        if (!EnemyCorpsOn(x, y, k.Side)) {
            if (stateIndex == kNeutralState && g.States[kNeutralState].Owner == 0 && other != 0)
                JoinNeutralStateToWar(other);
            cell.SetControlSide(k.Side);
        }
    }
    if (terrain == kTerrainCity && k.Disruption == 0)
        for (const TCityRec& city : g.Cities)
            if (city.HexX == x && city.HexY == y && city.Owner != 0 && city.Owner != k.Side) k.MarchAllowance = 0;

    bool met = false;
    for (const int i : near) {
        TCorpsRec& j = g.Corps[i];
        if (AtHex(j, x, y) && FitEnemy(j, k.Side)) {
            met = true;
            if (j.ContactCode == 0) j.ContactCode = 1;
        }
    }
    if (met && k.ContactCode == 0) k.ContactCode = 1;

    if (k.Opponent != 0 && Random(200) < k.LeaderInitiative && k.LeaderInitiative < 55) {
        k.LeaderInitiative += 1;
        g.Leaders[k.Leader].Initiative += 1;
        if (k.Army != 0) g.Leaders[g.Armies[k.Army].Leader].Initiative += 1;
    }
    k.RouteIndex += 1;
    return shown;
}

}  // namespace

void NearestEnemyCorpsDistance(int city, int nation) {
    NearestEnemyDistance = kNoEnemy;
    if (city < 1 || city > kCityCount) return;
    const TCityRec& c = GameRec->Cities[city];
    const int side = GameRec->Nations[nation].Side;
    for (const TCorpsRec& k : GameRec->Corps)
        if (CorpsInUse(k) && k.Side != side)
            NearestEnemyDistance = static_cast<std::uint16_t>(
                std::min<int>(NearestEnemyDistance, MovementHexDistance(c.HexX, c.HexY, k.HexX, k.HexY)));
}

int FindInterceptingCorps(int nation, int corps, THexPos& hex) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[corps];
    int s = g.Leaders[k.Leader].Tactics / 2;
    if (k.Army != 0) s = (s + g.Leaders[g.Armies[k.Army].Leader].Tactics / 2) / 2;
    int e = 3 * k.Quality + s - k.Fatigue;
    if (e < 0 || MapGrid->Cell(k.HexX, k.HexY).ControlSide() != k.Side) e = 0;

    int found = 0;
    // Only corps within 5 columns and rows can be 5 hexes away; no corps changes hex here.
    std::array<std::uint8_t, kCorpsCount> near;
    const int count = CorpsNear(k.HexX, k.HexY, 5, near);
    for (int i = 0; i < count; ++i) {
        const int j = near[static_cast<std::size_t>(i)];
        const TCorpsRec& friendCorps = g.Corps[j];
        // Few corps are in contact: asked first, that passes most of them by.
        if (friendCorps.ContactCode == 0 || j == corps || !CorpsInUse(friendCorps) || friendCorps.Nation != nation ||
            friendCorps.Disruption != 0)
            continue;
        const int d = Distance(k, friendCorps);
        if (d < 1 || d > 5) continue;
        int range = (k.Army != 0 && k.Army == friendCorps.Army) ? 5 : 1;
        if (g.TheatreWeather[friendCorps.Region] >= 5) range /= 2;
        if (d > range || Random(20) + 5 * d >= e) continue;
        found = j;
        hex = {friendCorps.HexX, friendCorps.HexY};
        k.MarchAllowance += s / 2;
        FindPath(k.HexX, k.HexY, friendCorps.HexX, friendCorps.HexY, kRouteLength, kPathLand, k.Side, kRuleAnyHex);
        TakeRemainingRoute(k);
    }
    return found;
}

void PlanCorpsMoves() {
    corpsBrigades.Hold();
    for (int c = 1; c <= kCorpsCount; ++c) FirstPass(c);
    for (int c = 1; c <= kCorpsCount; ++c) SecondPass(c);
    corpsBrigades.Release();
}

void HoldCorpsBrigadeLists() { corpsBrigades.Hold(); }
void ReleaseCorpsBrigadeLists() { corpsBrigades.Release(); }

namespace {

bool StepCorps(int corps) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[corps];
    TCorpsAround around(corps);
    StartOfStep(corps, around);
    if (!CorpsInUse(k) || k.Nation == 0 || k.OrderMode == kOrderEmbarked || k.OrderMode == kOrderRail ||
        k.RouteIndex >= kRouteFinished)
        return false;
    k.StepDirection = 0;

    THexPos target{k.DestX, k.DestY};
    bool joinedFriend = false;
    if (k.Side != 0) {
        if (k.Condition < 6 && k.Fatigue > 2) k.OrderMode = kOrderWithdraw;
        if (k.ContactCode == 0 && (k.OrderMode == kOrderDefend || k.OrderMode == kOrderAdvance)) {
            THexPos friendHex;
            if (FindInterceptingCorps(k.Nation, corps, friendHex) != 0) {
                target = friendHex;
                k.MarchAllowance += k.LeaderInitiative / 6;
                joinedFriend = true;
            }
        }
        if (!joinedFriend && MapGrid->Cell(k.HexX, k.HexY).ControlSide() == k.Side) ReactToEnemyNearby(corps, around, target);
    }
    if (joinedFriend && k.OrderMode != kOrderWithdraw) {
        k.DestX = static_cast<U8>(target.X);
        k.DestY = static_cast<U8>(target.Y);
        k.OrderMode = kOrderAdvance;
        FindPath(k.HexX, k.HexY, target.X, target.Y, kRouteLength, kPathLand, k.Side, kRuleAnyHex);
        TakeRemainingRoute(k);
        if (AtHex(k, target.X, target.Y)) FillRemainingRoute(k, kRouteChooseStep);
    }
    if (AtHex(k, target.X, target.Y) || k.ContactCode != 0) {
        if (k.RouteIndex == 0) k.RouteIndex = 1;
        else if (k.RouteIndex > 8) k.RouteIndex = 8;
        ClearRoute(k);
    }
    int d = k.RouteIndex == 0 ? kRouteChooseStep : k.Route[k.RouteIndex];
    k.Activity = kActivityStepping;

    if (d == kRouteChooseStep) d = ChooseStep(corps, target);
    if (d >= 1 && d <= 6) {
        int x = k.HexX, y = k.HexY;
        StepHexAt(x, y, d);
        const int cost = OnMap(x, y) ? kChoiceCost[MapGrid->Cell(x, y).Terrain()] : 0;
        if (cost == 0 || cost > k.MarchAllowance) d = 0;
    }
    // A barred hexside is found only on the way: the step has begun, and ends where it began.
    if (d >= 1 && d <= 6 && !BeginStep(corps, d)) d = 0;
    if (d < 1 || d > 6) {
        // No step: the rest of the route waits for the next turn's planning.
        ChangeCorpsFatigue(corps, -1);
        SetRouteEntry(k, 0);
        return false;
    }
    return TakeStep(corps, d, around);
}

}  // namespace

bool MoveCorpsStep(int corps) {
    if (corps < 1 || corps > kCorpsCount) return false;
    const bool shown = StepCorps(corps);
    // Only the corps stepping changes hex or leaves use on its step.
    RefreshCorpsSpot(corps);
    return shown;
}

void ResetCorpsMovementGlobals() {
    NearestEnemyDistance = kNoEnemy;
    corpsBrigades.Release();
    corpsBrigades.Forget();
    ReleaseCorpsSpots();
}

}  // namespace kvt
