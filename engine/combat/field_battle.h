// Field battle resolution: the side with the initiative sets the intensity; every corps drawn in is
// paired with an enemy corps, and each pair fights an artillery duel and a random number of
// engagements, brigade against brigade, volley by volley; leaders and fatigue move, the battle is
// decided on loss percentages and condition, the corps are updated and the results shown.
// Random draws follow a fixed order: the order decides the outcome of a seed.
#pragma once

#include "engine/forces/brigade_rules.h"

namespace kvt {

// "Execute" of the combat-resolution dialog: fights the battle at BattleX, BattleY and shows the
// results. A battle already fought only shows the results again.
void ResolveFieldBattle();

// Mode 1: the strongest artillery brigade of the corps; mode 2: its r-th other brigade, r drawn
// from 1..n. A draw is made in both modes. 0 when none.
int PickEngagedBrigade(int mode, int corps, int brigadeCount);
// The same pick among the brigades listed for the corps (those that still serve in it). While the
// pairs of a battle fight a brigade only loses men or is cleared and none joins a corps, so its
// corps' list holds every brigade a pick could find, in the order the whole roll meets them.
int PickEngagedBrigade(const TCorpsBrigades& listed, int mode, int corps, int brigadeCount);
// One volley of brigade a at brigade t with fire modifier m.
void EngageBrigades(int firing, int target, int modifier);
// Hits of a volley of s shots of fire value v at the battle's intensity: at least 1.
int RollFireHits(int shots, int value);
// Puts n hits on brigade b of corps k; the losses taken (each hit on a brigade with strength).
int ApplyBrigadeHits(int corps, int hits, int brigade);

}  // namespace kvt
