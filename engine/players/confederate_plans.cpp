// The Confederacy's fixed plans.
#include "engine/players/confederate_plans.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "engine/forces/force_tally.h"
#include "engine/movement/corps_movement.h"
#include "engine/players/plan_support.h"
#include "engine/world/map_grid.h"

namespace kvt {

namespace {

using namespace plans;

// Cities of the scenario the plans watch.
enum : int {
    kRichmond = 17, kFortMonroe = 23, kBowlingGreen = 42, kFrankfort = 43, kNashville = 46, kFortDonelson = 47,
    kMurfreesboro = 48, kMemphis = 50, kLittleRock = 51, kNewOrleans = 65, kVicksburg = 67, kJackson = 68,
};
// States.
enum : int { kKentucky = 20, kTennessee = 21, kVirginia = 22, kArkansas = 24, kMississippiState = 25, kLouisiana = 26 };
constexpr int kCsa = kNationConfederacy;
constexpr int kFirstRiverCity = kMemphis, kLastRiverCity = kJackson;
constexpr int kPortGuardRange = 3;
constexpr int kPortRecaptureRange = 20;
constexpr int kTennesseeCorps = 2;
constexpr int kRichmondBar = 100, kFortMonroeWeight = 4;

// "Held by 2" is the number itself; "held by the Confederate side" is the nation's side.
bool HeldBy2(int c) { return City(c).Owner == kConfederacy; }
bool ConfederateHeld(int c) {
    const int side = G().Nations[kCsa].Side;
    return side != 0 && City(c).Owner == side;
}

int Control(int s) { return State(s).ControlSide; }

void CountTurn(TPlanRec& p) {
    if (p.TurnCounter < 65535) p.TurnCounter = static_cast<std::uint16_t>(p.TurnCounter + 1);
}

bool BasedIn(const TArmyRec& a, int state) { return City(a.BaseCity).State == state; }

int LiveCorpsOf(int army) {
    int n = 0;
    for (const TCorpsRec& k : G().Corps)
        if (Ready(k) && k.Army == army) ++n;
    return n;
}

bool OwnCorpsGuards(int c) {
    const TCityRec& city = City(c);
    for (const TCorpsRec& k : G().Corps)
        if (CorpsInUse(k) && k.Nation == kCsa && k.Region == city.Theatre &&
            HexDistance(k.HexX, k.HexY, city.HexX, city.HexY) < kPortGuardRange)
            return true;
    return false;
}

// The first army of Virginia takes Richmond as objective, or the best-valued Virginian city not
// its side's; Fort Monroe must be worth four times the best met before it.
void AimVirginiaArmy() {
    int chosen = 0;
    for (int a = 1; a <= kArmyCount && chosen == 0; ++a) {
        const TArmyRec& army = G().Armies[a];
        if (ArmyOf(army, kCsa) && army.Theatre == kSeaboard && BasedIn(army, kVirginia)) chosen = a;
    }
    if (chosen == 0) return;
    TArmyRec& army = G().Armies[chosen];
    army.PlanTag = 13;
    army.Stance = 1;
    army.Objective = kRichmond;
    int bar = 0;
    if (City(kRichmond).Owner != army.Side) {
        army.Stance = 2;
        bar = kRichmondBar;
    }
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = City(c);
        const bool open = city.State == kVirginia && city.Owner != army.Side;
        if (c == kFortMonroe) bar *= kFortMonroeWeight;
        if (open && city.Value > bar) {
            army.Objective = static_cast<U8>(c);
            bar = city.Value;
        } else if (c == kFortMonroe) {
            bar /= kFortMonroeWeight;
        }
    }
    army.SupplyBase = kRichmond;
}

// For a Virginian city of the Confederacy: free armies of Virginia take the plan up until one with
// corps is found; with none, the nearest free corps is sent.
void GuardVirginianCity(int c) {
    for (int i = 1; i <= kArmyCount; ++i) {
        TArmyRec& a = G().Armies[i];
        if (!ArmyOf(a, kCsa) || a.Theatre != kSeaboard || a.PlanTag != 0 || !BasedIn(a, kVirginia)) continue;
        a.PlanTag = 13;
        a.Stance = ConfederateHeld(c) ? 1 : 2;
        CsaFindNearestCorps(c, kCsa, 8);
        if (LiveCorpsOf(i) != 0) return;
    }
    const int k = CsaFindNearestCorps(c, kCsa, 4);
    if (k == 0) return;
    TCorpsRec& corps = G().Corps[k];
    AimAt(corps, c);
    corps.PlanTag = 13;
    if (ConfederateHeld(c)) {
        corps.SupplyCity = static_cast<U8>(c);
        corps.OrderMode = kOrderDefend;
    } else {
        corps.OrderMode = kOrderAdvance;
    }
}

}  // namespace

void ClearPlan(int plan, bool armies) {
    TGameRec& g = G();
    for (TCorpsRec& k : g.Corps)
        if (k.PlanTag == plan) k.PlanTag = 0;
    for (TCityRec& c : g.Cities)
        if (c.PlanTag == plan) c.PlanTag = 0;
    if (armies)
        for (TArmyRec& a : g.Armies)
            if (a.PlanTag == plan) a.PlanTag = 0;
}

int CsaFindNearestCorps(int city, int nation, int range) {
    return TallyForcesNearCity(city, nation, range, TallyVariant::ConfederateNearest);
}

void CsaSendCorpsToCity(int city) {
    const int k = CsaFindNearestCorps(city, kCsa, kPortRecaptureRange);
    if (k == 0 || G().Corps[k].Army != 0) return;
    TCorpsRec& corps = G().Corps[k];
    Order(corps, city, kOrderAdvance, 1);
    corps.PlanTag = 14;
}

// The armies of Tennessee march into Kentucky while Kentucky is not the Confederacy's.
void CsaPlan10() {
    TPlanRec& p = Slot(10);
    const bool open = Control(kKentucky) != kConfederacy && Control(kTennessee) == kConfederacy;
    switch (p.PlanState) {
        case 0:
            if (open) p.PlanState = 2;
            else ClearPlan(10, true);
            break;
        case 2: {
            p.TurnCounter = 0;
            p.TargetCity = 2;
            int total = 0;
            for (int c = 1; c <= kCityCount; ++c) {
                if (!ConfederateHeld(c) || City(c).State != kTennessee) continue;
                for (TArmyRec& a : G().Armies) {
                    if (!ArmyOf(a, kCsa) || a.BaseCity != c) continue;
                    total += a.CorpsCount;
                    a.PlanTag = 10;
                    a.Stance = 1;
                    CsaFindNearestCorps(c, kCsa, 8);
                    if (EnemyTally < OwnTally) a.Stance = 2;
                }
            }
            if (total > 1) p.PlanState = 3;
            if (!open) p.PlanState = 0;
            break;
        }
        case 3: {
            CountTurn(p);
            if (Control(kKentucky) == kConfederacy) {
                p.PlanState = 0;
                break;
            }
            bool any = false;
            for (TArmyRec& a : G().Armies) {
                if (!ArmyInUse(a) || a.PlanTag != 10) continue;
                SetTargets(a, 2, kFrankfort, kBowlingGreen);
                any = true;
            }
            if (!any) p.PlanState = 2;
            break;
        }
        default: break;
    }
}

// Arkansas, Mississippi and Louisiana: Memphis, New Orleans and Jackson manned, Little Rock and
// Vicksburg garrisoned, then the corps strike back at what was lost.
void CsaPlan11() {
    TPlanRec& p = Slot(11);
    auto manned = [](int c) { return c == kMemphis || c == kNewOrleans || c == kJackson; };
    auto garrisonPost = [](int c) { return c == kLittleRock || c == kVicksburg; };
    switch (p.PlanState) {
        case 0:
            if (Control(kArkansas) != kConfederacy && Control(kMississippiState) != kConfederacy &&
                Control(kLouisiana) != kConfederacy)
                ClearPlan(11, false);
            else p.PlanState = 1;
            break;
        case 1: {
            p.TurnCounter = 0;
            int n = 0;
            for (const TCorpsRec& k : G().Corps)
                if (k.Nation == kCsa && Ready(k) && (k.HomeState == kArkansas || k.HomeState == kMississippiState ||
                                                      k.HomeState == kLouisiana))
                    ++n;
            if (n < 2)
                for (int c : {kMemphis, kNewOrleans, kJackson, kVicksburg, kLittleRock}) Alarm(c);
            else p.PlanState = 2;
            break;
        }
        case 2: {
            int points = 0;
            for (int c = kFirstRiverCity; c <= kLastRiverCity; ++c) {
                if (!ConfederateHeld(c)) continue;
                if (garrisonPost(c)) {
                    if (Garrisoned(c)) points += 1;
                    else Alarm(c);
                }
                if (!manned(c)) continue;
                const int k = CsaFindNearestCorps(c, kCsa, 12);
                if (k == 0) continue;
                TCorpsRec& corps = G().Corps[k];
                AimAt(corps, c);
                corps.SupplyCity = static_cast<U8>(c);
                corps.PlanTag = 11;
                points += 2;
            }
            if (points >= 3) p.PlanState = 3;
            break;
        }
        case 3: {
            CountTurn(p);
            int points = 0;
            for (int c = kFirstRiverCity; c <= kLastRiverCity; ++c) {
                if (!ConfederateHeld(c)) continue;
                if (garrisonPost(c) && Garrisoned(c)) points += 1;
                if (!manned(c)) continue;
                const int k = CsaFindNearestCorps(c, kCsa, 8);
                if (k != 0 && G().Corps[k].SupplyCity == c && G().Corps[k].PlanTag == 11) points += 1;
            }
            if (points == 0) {
                p.PlanState = 0;
                break;
            }
            for (int c : {kMemphis, kNewOrleans, kJackson}) {
                if (ConfederateHeld(c)) continue;
                CsaFindNearestCorps(c, kCsa, 8);
                for (TCorpsRec& k : G().Corps) {
                    if (k.Nation != kCsa || !Ready(k) || k.PlanTag != 11) continue;
                    AimAt(k, c);
                    k.March = 1;
                    if (EnemyTally > OwnTally) k.OrderMode = kOrderAdvance;
                }
            }
            break;
        }
        default: break;
    }
}

// Tennessee: two corps of the state to Nashville, alarms while they are missing, then every free
// Tennessean corps against the state's lost cities.
void CsaPlan12() {
    TPlanRec& p = Slot(12);
    const int entered = p.PlanState;
    switch (p.PlanState) {
        case 0:
            CsaFindNearestCorps(kFortDonelson, kCsa, 8);
            if ((Control(kTennessee) == kConfederacy && Control(kKentucky) != kConfederacy) || EnemyTally > OwnTally)
                p.PlanState = 1;
            if (p.PlanState == 0) ClearPlan(12, false);
            break;
        case 1: {
            p.TargetCity = kTennesseeCorps;
            p.TurnCounter = 0;
            for (TCityRec& city : G().Cities)
                if (city.State == kTennessee && city.Owner == kConfederacy) city.PlanTag = 12;
            int n = 0;
            for (TCorpsRec& k : G().Corps) {
                if (k.Nation != kCsa || !Ready(k) || k.HomeState != kTennessee) continue;
                if (++n > kTennesseeCorps) continue;
                k.PlanTag = 12;
                AimAt(k, kNashville);
                if (HeldBy2(kNashville)) {
                    k.SupplyCity = kNashville;
                    k.OrderMode = kOrderDefend;
                } else {
                    k.OrderMode = kOrderAdvance;
                }
            }
            if (n < p.TargetCity) {
                for (int c : {kNashville, kMurfreesboro, kFortDonelson}) Alarm(c);
                City(kMemphis).Status = static_cast<U8>(std::min(City(kMemphis).Status + 1, 255));
            } else {
                p.PlanState = 3;
            }
            break;
        }
        case 3:
            CountTurn(p);
            for (TCorpsRec& k : G().Corps)
                if (k.PlanTag == 12) k.PlanTag = 0;
            // Each free corps of Tennessee takes the last of the state's lost cities.
            for (TCorpsRec& k : G().Corps) {
                if (k.Nation != kCsa || !Ready(k) || k.PlanTag != 0 || k.HomeState != kTennessee) continue;
                for (int c = 1; c <= kCityCount; ++c) {
                    if (City(c).State != kTennessee || ConfederateHeld(c)) continue;
                    Order(k, c, kOrderAdvance, 1);
                    k.PlanTag = 12;
                }
            }
            break;
        default: break;
    }
    if ((entered == 1 || entered == 3) && Control(kTennessee) != kConfederacy && State(kTennessee).ForeignHeld != 0)
        p.PlanState = 0;
}

// Virginia while an enemy stands near Richmond: the army of Virginia on Richmond or the best
// Virginian city to retake, the state's cities manned.
void CsaPlan13() {
    TPlanRec& p = Slot(13);
    switch (p.PlanState) {
        case 0:
            CsaFindNearestCorps(kRichmond, kCsa, 5);
            if (Control(kVirginia) == kConfederacy && EnemyTally != 0) p.PlanState = 3;
            else ClearPlan(13, true);
            break;
        case 3: {
            for (TCorpsRec& k : G().Corps)
                if (k.PlanTag == 13) k.PlanTag = 0;
            for (TCityRec& city : G().Cities)
                if (city.State == kVirginia && city.Owner == kConfederacy) city.PlanTag = 13;
            if (HeldBy2(kRichmond)) AimVirginiaArmy();
            for (int c = 1; c <= kCityCount; ++c)
                if (City(c).State == kVirginia && HeldBy2(c)) GuardVirginianCity(c);
            CsaFindNearestCorps(kRichmond, kCsa, 5);
            const TStateRec& va = State(kVirginia);
            const bool ours = va.ControlSide == kConfederacy;
            if ((ours && OwnTally > EnemyTally) || (!ours && va.ForeignHeld != 0) || (ours && va.EnemyStrength == 0) ||
                (ours && va.ForeignHeld == 0))
                p.PlanState = 0;
            break;
        }
        default: break;
    }
}

// The home ports: garrisons counted, alarms where no corps stands guard, lost ports retaken.
void CsaPlan14() {
    TPlanRec& p = Slot(14);
    switch (p.PlanState) {
        case 0: {
            // Counts the home rail stations held, as the plan always has, though it guards ports.
            int held = 0;
            for (int c = 1; c <= kCityCount; ++c)
                if (City(c).OriginalOwner == kCsa && City(c).RailLink != 0 && ConfederateHeld(c)) ++held;
            if (held == 0) ClearPlan(14, false);
            else p.PlanState = 2;
            break;
        }
        case 2: {
            int points = 0;
            for (int c = 1; c <= kCityCount; ++c) {
                if (City(c).OriginalOwner != kCsa || City(c).Port == 0) continue;
                if (!ConfederateHeld(c)) CsaSendCorpsToCity(c);
                else if (Garrisoned(c)) points += 1;
                else if (!OwnCorpsGuards(c)) Alarm(c);
            }
            if (points == 0) p.PlanState = 0;
            break;
        }
        default: break;
    }
}

}  // namespace kvt
