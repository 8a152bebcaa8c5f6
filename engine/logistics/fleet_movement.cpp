// Fleets in the movement ticks: a patrol or port attack turning toward a nearby enemy fleet, and a
// fleet's one planned step with the corps it carries. Naval combat on the way stops the timer.
#include "engine/logistics/fleet_movement.h"

#include <array>
#include <cstdint>

#include "engine/combat/naval_combat.h"
#include "engine/forces/brigade_rules.h"
#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"

namespace kvt {

namespace {

constexpr int kPlannedSteps = 20;

bool checkEveryStep = false;

int NationSide(int nation) { return GameRec->Nations[nation].Side; }

bool IsWarringSide(int side) { return side == kUnion || side == kConfederacy; }

// The corps aboard shares the voyage: it rides on the fleet's hex, cannot dig in, and rests.
void CarryCorps(const TFleetRec& f) {
    const int c = f.Cargo;
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c)) return;
    TCorpsRec& k = GameRec->Corps[c];
    if (!CorpsInUse(k) || k.OrderMode != kOrderEmbarked) return;
    k.HexX = f.HexX;
    k.HexY = f.HexY;
    k.DestX = f.DestX;
    k.DestY = f.DestY;
    k.Entrenchment = 0;
    if (k.Fatigue > 0) --k.Fatigue;
    if (k.Disruption > 0) --k.Disruption;
    ForEachAttachedBrigade(c, [](TBrigadeRec& b) {
        if (b.Fatigue > 0) --b.Fatigue;
    });
}

}  // namespace

bool CheckFleetInterception(int fleet) {
    if (!Arr1<TFleetRec, kFleetCount>::InRange(fleet)) return false;
    TGameRec& g = *GameRec;
    TFleetRec& f = g.Fleets[fleet];
    if (f.Mission != kMissionPatrol && f.Mission != kMissionAttackPort) return false;
    // Only the two warring sides meet: a neutral fleet chased down could never be fought.
    if (f.Owner == 0 || !IsWarringSide(NationSide(f.Owner))) return false;
    const int ownSide = NationSide(f.Owner);
    const int x = f.HexX, y = f.HexY;
    // Nearer than 4 hexes means within 3 columns and rows: the enemy's fleets there are listed
    // first (no fleet moves while they are gone through).
    std::array<std::uint8_t, kFleetCount> near;
    int nearCount = 0;
    for (const std::uint8_t i : FleetsAtSea(ownSide == kUnion ? kConfederacy : kUnion)) {
        const TFleetRec& other = g.Fleets[i];
        if (static_cast<unsigned>(other.HexX - x + 3) <= 6u && static_cast<unsigned>(other.HexY - y + 3) <= 6u)
            near[nearCount++] = i;
    }
    bool weighed = false;
    for (int n = 0; n < nearCount; ++n) {
        const TFleetRec& other = g.Fleets[near[n]];
        if (other.BuildCounter != 0 || other.Owner == 0 || other.Mission <= kMissionRefit) continue;
        const int otherSide = NationSide(other.Owner);
        if (!IsWarringSide(otherSide) || ownSide == otherSide) continue;
        const int d = HexDistance(x, y, other.HexX, other.HexY);
        if (d >= 4) continue;
        weighed = true;
        if (!(30 * d < Random(100))) continue;
        const int index = f.PathIndex;
        const bool pathUnderWay = index >= 1 && index <= 19;
        if (pathUnderWay)
            for (int k = index; k <= kPlannedSteps; ++k) f.PlannedStep[k] = 0;
        if (d == 0) continue;
        FindPath(f.HexX, f.HexY, other.HexX, other.HexY, d, FleetPathMode(f), f.Side, 0);
        // A search that never got there must not send the fleet after a hex it cannot reach.
        if (PathResult != kPathReached) continue;
        if (pathUnderWay && index + d < 21)
            for (int k = 0; k <= d; ++k) f.PlannedStep[index + k] = PathSteps[k + 1];
        f.DestX = other.HexX;
        f.DestY = other.HexY;
        return true;
    }
    return weighed;
}

bool FleetMovementStep(int fleet, bool noEnemyNear) {
    if (!Arr1<TFleetRec, kFleetCount>::InRange(fleet)) return false;
    TGameRec& g = *GameRec;
    TFleetRec& f = g.Fleets[fleet];
    if (f.BuildCounter != 0) return false;
    bool shown = false;
    if (f.Mission >= kMissionMove && f.PathIndex < f.StepsAllowed) {
        if (!noEnemyNear || checkEveryStep) CheckFleetInterception(fleet);
        HexCursor = {f.HexX, f.HexY};
        const int index = f.PathIndex;
        const int dir = index >= 1 && index <= kPlannedSteps ? f.PlannedStep[index] : 0;
        if (dir >= 1 && dir <= 6) {
            const int other = f.Side == kUnion ? kNationConfederacy : kNationUnion;
            shown = f.Spotted != 0 || g.Nations[other].Human == 0;
            if (g.GameKind > 2 && g.MoveStep >= 1 && g.MoveStep <= 20) f.StepDone[g.MoveStep] = static_cast<U8>(dir);
            if (index == 1) {
                f.StartX = f.HexX;
                f.StartY = f.HexY;
            }
            StepHex(dir);
            f.HexX = static_cast<U8>(HexCursor.X);
            f.HexY = static_cast<U8>(HexCursor.Y);
        }
        if (f.PathIndex < 255) ++f.PathIndex;
    }
    CarryCorps(f);
    if ((f.Mission == kMissionPatrol || f.Mission == kMissionAttackPort) && f.PathIndex < f.StepsAllowed) {
        FightWithTimerHeld(fleet);
        for (int k = 1; k <= kPlannedSteps; ++k) PathSteps[k] = 0;
    }
    return shown;
}

void CheckInterceptionOnEveryStep(bool on) { checkEveryStep = on; }

void FightWithTimerHeld(int fleet) {
    const bool timerWasOn = Timer1Enabled();
    SetTimer1Enabled(false);
    ResolveFleetCombat(fleet);
    SetTimer1Enabled(timerWasOn);
}

}  // namespace kvt
