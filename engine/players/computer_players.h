// The computer players: once per turn, before movement, derived totals are brought up to date and
// each nation in turn scores every city from its point of view; a computer-played nation then
// replaces discredited commanders, shares out its theatre supply pools and runs its plan driver
// (postures, fixed plans, armies, corps outside armies, rail moves); a person's nation only sends
// its disordered corps back toward supply. Decisions are written straight into the record.
#pragma once

#include "engine/world/game_record.h"

namespace kvt {

class TCityTallies;

// SidePlayed holds the nation in hand while it runs and is given back afterwards.
void RunComputerPlayers();

// The plan drivers of the four nations; each returns at once for a person-played nation, and
// France's and Britain's plan nothing but their city scores while they are not at war.
void RunUnionPlan();
void RunConfederatePlan();
void RunFrancePlan();
void RunBritainPlan();

// Every city's Score and EnemyTally (enemy strength near it) from the nation's point of view, by
// its theatre's posture; the nation's CapitalThreat (1 outnumbered there, 2 lost). Draws
// Random(1000) for each score past 2000, which is replaced by 2000..2999.
void ScoreCities(int nation);
// The same, tallying from sums by side that the nations scored in a row share while no corps
// changes as the tally reads it.
void ScoreCities(int nation, TCityTallies& tallies);

// Recounts the nation's rail capacity in use and sends by rail every corps whose destination is
// an own rail city at least 4 hexes off that the rail reaches, while capacity lasts. A computer
// nation's moves are automatic; a person is asked corps by corps.
void PlanRailMoves(int nation);

// Whether an own rail line of the nation's side joins the rail city at (x, y) to the one at
// (destX, destY), at least 4 hexes apart, within 11 searches of 30 steps. The corps stays put.
bool CanReachByRail(int corps, int x, int y, int nation, int destY, int destX);

// City scores are signed words; every store stops at the word's limits instead of wrapping.
int CityScore(const TCityRec& city);
void StoreCityScore(TCityRec& city, long long score);

}  // namespace kvt
