// Rules of other areas that the turn already calls but that are not written yet. Until each is
// written the turn runs without it; whoever writes a rule deletes its line here.
#include "engine/core/pending_rules.h"

#include "engine/core/globals.h"
#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/battle_replay.h"
#include "engine/combat/naval_combat.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/corps_supply.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/fleet_consolidation.h"
#include "engine/logistics/fleet_movement.h"
#include "engine/logistics/fleet_transport.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/force_recount.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/naval_turn.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/logistics/state_loyalty.h"
#include "engine/logistics/supply_sources.h"
#include "engine/logistics/upkeep.h"
#include "engine/logistics/weather.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/computer_players.h"

namespace kvt {

TPlaceholderCalls PlaceholderCalls;

void UpdateHexControl() {}
void UpdateWeather() {}
void ResolveConquests() {}
void RecountForces() {}
void UpdateCorpsCondition() {}
void UpdateSupplySources() {}
void UpdateStateEconomy() {}
void UpdateNationalWill() {}
void ComputerProcurement() {}
void UpdateCityUnrest() {}
void ConsolidateComputerFleets() {}
void DisbandEmptyFleets() {}
void SupplyCorps(int) {}
void FleetTransportStep() {}
void NavalTurnStep() {}
void UpdateStateLoyalty() {}
void CheckFleetInterception(int) {}
bool FleetMovementStep(int) { return PlaceholderCalls.fleetStepSeen; }
void UnloadFleetsAfterMovement() {}
void ComputerSideUpkeep() {}
void AssignMissingCommanders() {}
void RunComputerPlayers() {}
void EmbarkAssignedCorps() {}
void ResolveBattles() {}
void ResolveFleetCombat(int) {}
void ReplayFleetCombat(int) {}
void ShowReplayCombatResolution() {
    PlaceholderCalls.battleReplays.push_back("resolution " + std::to_string(BattleLogLine));
}
void ShowReplayBattleResults() {
    PlaceholderCalls.battleReplays.push_back("results " + std::to_string(BattleLogLine));
}
}  // namespace kvt
