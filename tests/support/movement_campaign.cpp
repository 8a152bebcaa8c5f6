// Whole-turn movement helpers for the movement tests and benchmark.
#include "tests/support/movement_campaign.h"

#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/spotting.h"
#include "engine/turn/movement_ticks.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"

namespace kvt::testing {

void OrderEveryCorpsForward() {
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = GameRec->Corps[c];
        if (!CorpsInUse(k) || k.Nation == 0) continue;
        int best = 0, bestDistance = 1000;
        for (int ci = 1; ci <= kCityCount; ++ci) {
            const TCityRec& city = GameRec->Cities[ci];
            if (city.Owner == 0 || city.Owner == k.Side || city.HexX == 0) continue;
            const int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
            if (d < bestDistance) {
                bestDistance = d;
                best = ci;
            }
        }
        if (best == 0) continue;
        k.DestX = GameRec->Cities[best].HexX;
        k.DestY = GameRec->Cities[best].HexY;
        k.OrderMode = c % 2 == 0 ? kOrderAdvance : kOrderDefend;
    }
}

void RunLandMovementTurn() {
    PlanCorpsMoves();
    UpdateSpotting();
    // The movement ticks of a live turn from step 1 to the corps pass of step 9: each step a fleet
    // pass (spotting, hex control, headquarters) and then the corps with a route entry for it.
    TGameRec& g = *GameRec;
    g.MoveStep = 1;
    SelectedFleet = 1;
    SelectedCorps = 1;
    FleetPassDue = 1;
    MovementEnded = 0;
    SetTimer1Enabled(true);
    while (Timer1Enabled() && g.MoveStep <= 9) MovementTick();
    SetTimer1Enabled(false);
}

}  // namespace kvt::testing
