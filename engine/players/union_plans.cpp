// The Union's fixed plans.
#include "engine/players/union_plans.h"

#include <cstdint>
#include <initializer_list>

#include "engine/forces/force_tally.h"
#include "engine/players/computer_players.h"
#include "engine/players/confederate_plans.h"
#include "engine/players/plan_support.h"
#include "engine/world/map_grid.h"

namespace kvt {

namespace {

using namespace plans;

// Cities of the scenario the plans watch.
enum : int {
    kBaltimore = 2, kPhiladelphia = 3, kHarrisburg = 6, kAnnapolis = 10, kWashington = 11, kAlexandria = 12,
    kManassas = 13, kFrederick = 14, kFredericksburg = 15, kPetersburg = 16, kRichmond = 17,
    kIndianapolis = 38, kCincinnati = 40, kFrankfort = 43, kNashville = 46, kMemphis = 50, kStLouis = 55,
    kJeffersonCity = 56, kNewOrleans = 65, kBatonRouge = 66, kVicksburg = 67, kJackson = 68, kSpringfieldMo = 76,
    kCorinth = 79, kColumbusOh = 80, kEvansville = 81, kChattanooga = 83,
};
// States.
enum : int {
    kIllinois = 6, kIndiana = 8, kOhio = 9, kPennsylvania = 10, kMissouri = 19, kKentucky = 20, kTennessee = 21,
    kVirginia = 22, kMississippiState = 25, kLouisiana = 26, kMaryland = 32, kDistrict = 34,
};
constexpr int kUsa = kNationUnion;
// Washington's mark while the enemy near it is at least as strong as its defenders.
constexpr U8 kCapitalOutnumbered = 8;
constexpr int kLastCapitalRegionCity = 14;
constexpr int kCapitalArmyPoints = 7, kCapitalRegionSecured = 12;
constexpr int kCityValueWeight = 5, kCityReach = 10, kScorePerHex = 10;
constexpr int kWesternReach = 12;

bool UnionHeld(int c) { return City(c).Owner == kUnion; }

bool In(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (v == s) return true;
    return false;
}

void CountTurn(TPlanRec& p) {
    if (p.TurnCounter < 65535) p.TurnCounter = static_cast<std::uint16_t>(p.TurnCounter + 1);
}

int Enemy(int s) { return State(s).EnemyStrength; }
int Control(int s) { return State(s).ControlSide; }

int CountHomeCorps(std::initializer_list<int> states) {
    int n = 0;
    for (const TCorpsRec& k : G().Corps)
        if (k.Nation == kUsa && Ready(k) && In(k.HomeState, states)) ++n;
    return n;
}

// Claims the nearest free corps outside armies for the city: it marches there and draws supply
// from it. Answers the corps, 0 when none.
int ClaimForCity(int city, int plan, int range) {
    const int k = TallyForcesNearCity(city, kUsa, range, TallyVariant::UnionNearestOutsideArmies);
    if (k == 0) return 0;
    TCorpsRec& corps = G().Corps[k];
    AimAt(corps, city);
    corps.SupplyCity = static_cast<U8>(city);
    corps.PlanTag = static_cast<std::uint16_t>(plan);
    return k;
}

// The plan's corps strike at the best target of their theatre: cautiously in stance 1.
void CounterAttack(int plan, int stance) {
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& corps = G().Corps[k];
        if (corps.Nation != kUsa || !Ready(corps) || corps.PlanTag != plan) continue;
        if (const int target = UsaChooseTargetCity(kUsa, k)) AimAt(corps, target);
        corps.OrderMode = static_cast<U8>(stance);
        corps.March = stance == 1 ? 0 : 1;
    }
}

// An enemy corps near Washington, or any enemy in Maryland or Pennsylvania.
bool CapitalAlarm(int range) {
    UsaFindNearestCorps(kWashington, kUsa, range);
    return EnemyCorpsTally != 0 || Enemy(kMaryland) != 0 || Enemy(kPennsylvania) != 0;
}

bool InCapitalRegion(int c) {
    return UnionHeld(c) && In(City(c).State, {kMaryland, kDistrict, kPennsylvania});
}

// Points for the held cities around Washington; the Union's corps answer for Baltimore and
// Frederick only when claimed for them, which the search for untagged corps never answers.
int CapitalRegionPoints() {
    int points = 0;
    for (int c = 1; c <= kLastCapitalRegionCity; ++c) {
        if (!InCapitalRegion(c)) continue;
        if (c == kBaltimore || c == kFrederick) {
            if (Garrisoned(c)) points += 1;
            const int k = UsaFindNearestCorps(c, kUsa, 2);
            if (k != 0 && G().Corps[k].SupplyCity == c && G().Corps[k].PlanTag == 1) points += 2;
        } else if (In(c, {kPhiladelphia, kHarrisburg, kAnnapolis, kAlexandria})) {
            if (Garrisoned(c)) points += 1;
        } else if (c == kWashington) {
            for (const TArmyRec& a : G().Armies)
                if (a.BaseCity == kWashington && a.Nation == kUsa && a.PlanTag == 1) points = kCapitalArmyPoints;
        }
    }
    return points;
}

void DeployAroundCapital(TPlanRec& p) {
    for (int c = 1; c <= kLastCapitalRegionCity; ++c) {
        if (!InCapitalRegion(c)) continue;
        if (In(c, {kBaltimore, kPhiladelphia, kHarrisburg, kAnnapolis, kAlexandria}) && !Garrisoned(c)) Alarm(c);
        if (c == kBaltimore || c == kFrederick) ClaimForCity(c, 1, 2);
        if (c != kWashington) continue;
        int last = 0;
        for (int a = 1; a <= kArmyCount; ++a)
            if (ArmyOf(G().Armies[a], kUsa) && G().Armies[a].BaseCity == kWashington) last = a;
        // The army at Washington takes the plan up; without one the plan waits for it.
        if (last == 0) continue;
        TArmyRec& army = G().Armies[last];
        army.PlanTag = 1;
        army.Stance = 1;
        UsaFindNearestCorps(kWashington, kUsa, 5);
        if (EnemyTally < OwnTally) army.Stance = 2;
        p.PlanState = 3;
    }
    if (CapitalRegionPoints() >= kCapitalRegionSecured) p.PlanState = 3;
}

int SumTaggedArmyCorps(int plan, int nation) {
    int total = 0;
    for (const TArmyRec& a : G().Armies)
        if (ArmyInUse(a) && a.PlanTag == plan && (nation == 0 || a.Nation == nation)) total += a.CorpsCount;
    return total;
}

bool Secure(int s) { return Enemy(s) == 0 && Control(s) == kUnion; }

}  // namespace

int UsaFindNearestCorps(int city, int nation, int range) {
    return TallyForcesNearCity(city, nation, range, TallyVariant::UnionNearest);
}

int UsaChooseTargetCity(int nation, int corps) {
    const TCorpsRec& k = G().Corps[corps];
    const int side = G().Nations[nation].Side;
    int best = 0;
    long bestValue = 0;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = City(c);
        if (city.Theatre != k.Region || city.Owner == side) continue;
        long value = CityScore(city) - kScorePerHex * HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (value < 0) value = 0;
        if (value > bestValue) {
            bestValue = value;
            best = c;
        }
    }
    return best;
}

bool UsaSendCorpsToCity(int city, int tag) {
    const int k = UsaFindNearestCorps(city, kUsa, 5);
    if (k == 0) return false;
    TCorpsRec& corps = G().Corps[k];
    Order(corps, city, 1, 2);
    corps.PlanTag = static_cast<std::uint16_t>(tag);
    corps.SupplyCity = static_cast<U8>(city);
    return HexDistance(corps.HexX, corps.HexY, City(city).HexX, City(city).HexY) < 3;
}

void UsaPickStateTargets(int state, int city, int& best, int& second) {
    best = second = 0;
    int bestScore = 0, secondScore = 0;
    const TCityRec& from = City(city);
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& target = City(c);
        if (target.State != state || target.Owner == kUnion) continue;
        int score = kCityValueWeight * target.Value + kCityReach - HexDistance(from.HexX, from.HexY, target.HexX, target.HexY);
        if (score < 0) score = 0;
        if (score > bestScore) {
            second = best;
            secondScore = bestScore;
            best = c;
            bestScore = score;
        } else if (score > secondScore) {
            second = c;
            secondScore = score;
        }
    }
}

// Washington and its region: alarms, garrisons, the army at the capital, then a counter-attack.
void UsaPlan1() {
    TPlanRec& p = Slot(1);
    UsaFindNearestCorps(kWashington, kUsa, 4);
    if (OwnTally <= EnemyTally) City(kWashington).Status = kCapitalOutnumbered;
    else p.PlanState = 0;
    switch (p.PlanState) {
        case 0:
            if (CapitalAlarm(3)) p.PlanState = 1;
            else ClearPlan(1, true);
            break;
        case 1:
            if (CapitalAlarm(4)) ClearPlan(5, true);
            p.TurnCounter = 0;
            p.TargetCity = 5;
            if (CountHomeCorps({kMaryland, kPennsylvania, kDistrict}) < p.TargetCity) {
                for (int c : {kAnnapolis, kAlexandria, kBaltimore, kHarrisburg, kFrederick}) Alarm(c);
            } else {
                p.PlanState = 2;
            }
            if (!CapitalAlarm(10)) p.PlanState = 0;
            break;
        case 2:
            DeployAroundCapital(p);
            if (!CapitalAlarm(4)) p.PlanState = 0;
            break;
        case 3: {
            CountTurn(p);
            if (!CapitalAlarm(4) || Control(kVirginia) != kConfederacy) {
                p.PlanState = 0;
                break;
            }
            const int stance = Enemy(kMaryland) >= 51 || Enemy(kPennsylvania) >= 6 || Enemy(kDistrict) > 5 ? 2 : 1;
            for (TArmyRec& a : G().Armies)
                if (a.PlanTag == 1 && a.Nation == kUsa) a.Stance = static_cast<U8>(stance);
            CounterAttack(1, stance);
            break;
        }
        default: break;
    }
}

// The Ohio valley: Cincinnati and Evansville held while Kentucky, Illinois or Ohio are contested.
void UsaPlan2() {
    TPlanRec& p = Slot(2);
    const bool quiet = Control(kKentucky) == kUnion && Enemy(kIllinois) == 0 && Enemy(kOhio) == 0;
    switch (p.PlanState) {
        case 0:
            if (Control(kKentucky) != kConfederacy && Enemy(kIllinois) < 2 && Enemy(kOhio) < 2) ClearPlan(2, true);
            else p.PlanState = 1;
            break;
        case 1:
            p.TurnCounter = 0;
            p.TargetCity = 1;
            if (quiet) p.PlanState = 0;
            else if (CountHomeCorps({kIndiana, kOhio}) < p.TargetCity)
                for (int c : {kCincinnati, kColumbusOh, kEvansville}) Alarm(c);
            else p.PlanState = 2;
            break;
        case 2: {
            if (quiet) {
                p.PlanState = 0;
                break;
            }
            for (int c : {kCincinnati, kEvansville})
                if (UnionHeld(c)) ClaimForCity(c, 2, 4);
            int points = 0;
            for (int c = 1; c <= kCityCount; ++c) {
                if (!In(City(c).State, {kIndiana, kOhio})) continue;
                if ((c == kIndianapolis || c == kColumbusOh) && Garrisoned(c)) points += 1;
                if (c == kCincinnati || c == kEvansville) {
                    const int k = UsaFindNearestCorps(c, kUsa, 2);
                    if (k != 0 && G().Corps[k].SupplyCity == c) points += 2;
                }
            }
            if (points >= 3) p.PlanState = 3;
            break;
        }
        case 3:
            CountTurn(p);
            if (quiet) p.PlanState = 0;
            else CounterAttack(2, Control(kKentucky) == kConfederacy || Enemy(kIllinois) > 1 || Enemy(kOhio) > 1 ? 2 : 1);
            break;
        default: break;
    }
}

// Missouri while the Union holds it: St. Louis, Jefferson City and Springfield.
void UsaPlan3() {
    TPlanRec& p = Slot(3);
    switch (p.PlanState) {
        case 0:
            if (Control(kMissouri) != kUnion) ClearPlan(3, true);
            else p.PlanState = 2;
            break;
        case 2: {
            int found = 0;
            const struct { int city, range; bool alarm; } posts[] = {
                {kStLouis, 10, true}, {kJeffersonCity, 5, true}, {kSpringfieldMo, 5, false}};
            for (const auto& post : posts) {
                if (!UnionHeld(post.city)) continue;
                if (post.alarm && !Garrisoned(post.city)) Alarm(post.city);
                found = ClaimForCity(post.city, 3, post.range);
            }
            if (Enemy(kMissouri) != 0 && found != 0) p.PlanState = 3;
            if (Enemy(kMissouri) == 0) p.PlanState = 0;
            break;
        }
        case 3:
            CountTurn(p);
            if (Control(kMissouri) == kUnion && Enemy(kMissouri) == 0) p.PlanState = 0;
            else CounterAttack(3, Enemy(kMissouri) > 5 ? 2 : 1);
            break;
        default: break;
    }
}

// The armies of Indiana and Ohio into Kentucky, toward Frankfort.
void UsaPlan4() {
    TPlanRec& p = Slot(4);
    const bool calledOff =
        (Enemy(kKentucky) == 0 && Control(kKentucky) == kUnion) || Enemy(kIllinois) != 0 || Enemy(kOhio) != 0;
    switch (p.PlanState) {
        case 0:
            if (!(State(kKentucky).ForeignHeld == 1 && Control(kKentucky) == kUnion) && Enemy(kIllinois) == 0 &&
                Enemy(kOhio) == 0)
                p.PlanState = 2;
            else ClearPlan(4, true);
            break;
        case 2:
            p.TurnCounter = 0;
            p.TargetCity = 2;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyOf(a, kUsa) || !In(City(a.BaseCity).State, {kOhio, kIndiana})) continue;
                a.PlanTag = 4;
                a.Stance = 1;
                UsaFindNearestCorps(a.BaseCity, kUsa, 10);
                if (EnemyTally < OwnTally) a.Stance = 2;
            }
            if (SumTaggedArmyCorps(4, 0) > 1) p.PlanState = 3;
            if (calledOff) p.PlanState = 0;
            break;
        case 3: {
            CountTurn(p);
            if (calledOff) {
                p.PlanState = 0;
                break;
            }
            bool counted = false;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyInUse(a) || a.PlanTag != 4) continue;
                int best = 0, second = 0;
                UsaPickStateTargets(kKentucky, a.BaseCity, best, second);
                SetTargets(a, 2, best, second);
                if (!counted && !UnionHeld(kFrankfort)) a.Objective = a.SupplyBase = kFrankfort;
                if (a.Objective != 0) counted = true;
                else a.PlanTag = 0;
            }
            if (!counted) p.PlanState = 2;
            break;
        }
        default: break;
    }
}

// The army at Washington marches on Richmond while Virginia is not the Union's.
void UsaPlan5() {
    TPlanRec& p = Slot(5);
    switch (p.PlanState) {
        case 0:
            if (Control(kVirginia) == kUnion) ClearPlan(5, true);
            else p.PlanState = 2;
            break;
        case 2: {
            p.TurnCounter = 0;
            p.TargetCity = 3;
            int points = 0;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyOf(a, kUsa) || a.BaseCity != kWashington) continue;
                a.PlanTag = 5;
                SetTargets(a, 1, kWashington, kAlexandria);
                UsaFindNearestCorps(kWashington, kUsa, 5);
                points += 2;
                if (EnemyTally < OwnTally) {
                    a.Stance = 2;
                    points += 2;
                }
            }
            UsaSendCorpsToCity(kFrederick, 5);
            if (points >= 2) p.PlanState = 3;
            break;
        }
        case 3: {
            CountTurn(p);
            if (Control(kVirginia) == kUnion) {
                p.PlanState = 0;
                break;
            }
            const int target = !UnionHeld(kManassas) ? kManassas : !UnionHeld(kFredericksburg) ? kFredericksburg : 0;
            for (TCorpsRec& k : G().Corps)
                if (Ready(k) && k.PlanTag == 5 && target != 0) Order(k, target, 2, 1);
            bool tagged = false;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyInUse(a) || a.PlanTag != 5) continue;
                SetTargets(a, 2, kRichmond, kPetersburg);
                tagged = true;
            }
            // Without its army the march waits for one to be tagged again.
            if (!tagged) p.PlanState = 2;
            break;
        }
        default: break;
    }
}

// The armies of the west into Tennessee, toward Nashville and Chattanooga.
void UsaPlan7() {
    TPlanRec& p = Slot(7);
    const TStateRec& tennessee = State(kTennessee);
    const bool held = tennessee.ForeignHeld == 0 && tennessee.ControlSide == kUnion;
    auto freeWesternArmy = [](const TArmyRec& a) { return ArmyOf(a, kUsa) && a.Theatre == kWest && a.PlanTag == 0; };
    switch (p.PlanState) {
        case 0:
            if (!held && Enemy(kIllinois) == 0 && Enemy(kOhio) == 0) p.PlanState = 2;
            else ClearPlan(7, true);
            break;
        case 2: {
            p.TurnCounter = 0;
            p.TargetCity = 3;
            int total = 0;
            for (TArmyRec& a : G().Armies) {
                if (!freeWesternArmy(a)) continue;
                a.PlanTag = 7;
                SetTargets(a, 1, kNashville, kChattanooga);
                total += a.CorpsCount;
            }
            if (total > 1) p.PlanState = 3;
            if (held || Enemy(kIllinois) != 0 || Enemy(kOhio) != 0) p.PlanState = 0;
            break;
        }
        case 3: {
            CountTurn(p);
            if (held || !(Secure(kIllinois) && Secure(kOhio))) p.PlanState = 0;
            if (p.PlanState != 3) break;
            int total = SumTaggedArmyCorps(7, kUsa);
            if (!(total >= tennessee.ForeignHeld && tennessee.ControlSide == kUnion)) {
                for (TArmyRec& a : G().Armies) {
                    if (total >= tennessee.ForeignHeld) break;
                    if (!freeWesternArmy(a)) continue;
                    a.PlanTag = 7;
                    total += a.CorpsCount;
                }
            }
            bool first = true, tagged = false;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyInUse(a) || a.PlanTag != 7) continue;
                int best = 0, second = 0;
                UsaPickStateTargets(kTennessee, a.BaseCity, best, second);
                SetTargets(a, 2, best, second);
                if (first && !UnionHeld(kNashville)) SetTargets(a, 2, kNashville, kChattanooga);
                first = false;
                if (a.Objective == 0) a.PlanTag = 0;
                else tagged = true;
            }
            if (!tagged) p.PlanState = 2;
            break;
        }
        default: break;
    }
}

// The armies near Memphis down the Mississippi: Memphis, Corinth, Vicksburg, Jackson, Baton Rouge
// and New Orleans in turn.
void UsaPlan6() {
    TPlanRec& p = Slot(6);
    const bool secure = Secure(kIllinois) && Secure(kOhio);
    const bool stop = (Control(kLouisiana) == kUnion && Control(kMississippiState) == kUnion) ||
                      Enemy(kIllinois) != 0 || Enemy(kOhio) != 0;
    switch (p.PlanState) {
        case 0:
            if (Control(kLouisiana) == kConfederacy || Control(kMississippiState) == kConfederacy) p.PlanState = 2;
            if (!secure) p.PlanState = 0;
            // Like every other plan, it lets go of its armies while its trigger fails.
            if (p.PlanState == 0) ClearPlan(6, true);
            break;
        case 2: {
            p.TurnCounter = 0;
            int found = 0;
            const TCityRec& memphis = City(kMemphis);
            for (TArmyRec& a : G().Armies) {
                if (!ArmyOf(a, kUsa) || (a.Theatre != kWest && a.Theatre != kMississippi) ||
                    !In(a.PlanTag, {0, 6, 3}))
                    continue;
                const TCityRec& base = City(a.BaseCity);
                if (HexDistance(base.HexX, base.HexY, memphis.HexX, memphis.HexY) >= kWesternReach) continue;
                a.PlanTag = 6;
                SetTargets(a, 1, kMemphis, kMemphis);
                if (a.BaseCity == kMemphis) found = 1;
                if (a.CorpsCount > 2) found += 1;
            }
            p.PlanState = found != 0 ? 3 : 0;
            if (stop) p.PlanState = 0;
            break;
        }
        case 3: {
            CountTurn(p);
            if (stop) p.PlanState = 0;
            if (p.PlanState != 3) break;
            // One walk down the river shared by the armies: each takes the next city not yet the
            // Union's, and a later city of the same pass replaces an earlier one.
            static constexpr int kWalk[] = {kMemphis, kCorinth, kVicksburg, kJackson, kBatonRouge, kNewOrleans};
            constexpr int kSteps = 6;
            int k = 0;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyInUse(a) || a.PlanTag != 6) continue;
                a.Stance = 2;
                bool got = false;
                do {
                    for (int i = 0; i < kSteps; ++i) {
                        if (k != i || UnionHeld(kWalk[i])) continue;
                        a.Objective = static_cast<U8>(kWalk[i]);
                        got = true;
                        if (i > 0) ++k;
                    }
                    ++k;
                } while (!got && k < kSteps);
            }
            break;
        }
        default: break;
    }
}

}  // namespace kvt
