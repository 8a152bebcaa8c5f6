// What loading a start point recomputes before the first turn, by the load's own rules, so that the
// compiled files already hold it: corps figures from their brigades (the engine's brigade rules run
// on the start point), the force recount (capacity, readiness, local odds and leader ratings of corps;
// tallies of armies, nations and states) and the control of hexes around corps. Deterministic; the
// load's random steps (weather, corps condition) are left to the load.
#pragma once

#include "engine/core/game_record.h"
#include "engine/core/globals.h"
#include "engine/core/map_grid.h"

namespace kvt::scenario {

// While it lives, the engine's shared record and map are the given ones, so that a rule of the
// engine itself runs on a start point; the engine's own images come back when it goes.
class EngineRulesOn {
public:
    EngineRulesOn(TGameRec& rec, TMapGrid& map) : savedRec_(GameRec), savedMap_(MapGrid) {
        GameRec = &rec;
        MapGrid = &map;
    }
    ~EngineRulesOn() {
        GameRec = savedRec_;
        MapGrid = savedMap_;
    }
    EngineRulesOn(const EngineRulesOn&) = delete;
    EngineRulesOn& operator=(const EngineRulesOn&) = delete;

private:
    TGameRec* savedRec_;
    TMapGrid* savedMap_;
};

// The force recount of a load: every derived total of corps, armies, nations and states. Reads the
// state of each corps' hex; expects the engine's RecalcCorpsFromBrigades to have run.
void RecountForcesOf(TGameRec& g, const TMapGrid& map);

// One pass of the load's hex control over control bits seeded from the states and cities: corps and
// river fleets pull nearby hexes of a contested state to their side; a city hex shows its holder.
void UpdateHexControlOf(const TGameRec& g, TMapGrid& map);

// The value an army's base has for its nation (50 even, above 50 stronger, below 50 weaker), from
// the own and enemy strength within 5 hexes of it.
int ArmyValueAt(const TGameRec& g, int city, int nation);

}  // namespace kvt::scenario
