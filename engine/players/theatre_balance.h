// Theatre balance and state priorities: at the start of each computer nation's plans the state of
// the war becomes numbers: a pressure and a posture per active theatre (0 defensive .. 3 all-out
// attack), a priority per state added into the city scores, and each theatre's focus city.
// Strengths are in units of 50 men; distances in hexes. Never waits and draws nothing.
#pragma once

namespace kvt {

// Pressure, balance, demand and posture of every active theatre (the header's TheatreFlag 1);
// an inactive theatre keeps its last values.
void UpdateTheatreBalance(int nation);
// Every state with a capital gets a priority by who controls it and whether an enemy stands in
// it; each city's score then gains its state's priority, weighted by the posture, capped at 1000.
void SetStatePriorities(int nation);
// The best-scored city of each active theatre becomes its focus; cities within 14 hexes of it
// gain score, and on the attack enemy-held cities gain their enemy presence.
void ChooseFocusCities(int nation);

}  // namespace kvt
