// The computer's new armies and corps: an army named from its side's pool and announced, and a
// corps or division formed from brigades waiting at a city under a commander chosen for it.
// Announces through the notice service; waits on nobody else.
#pragma once

namespace kvt {

// Names army a (1..15) of the nation from the side's pool (the entry matching nation, theatre and
// state best; entry 1 when every entry is used; France and Britain "the Americas") and raises the
// army-formed notice. The caller has set the army's base city and commander.
void FormArmyWithPoolName(int nation, int army, int state);

// Forms a corps (division kind 0) or an infantry (1) or cavalry (2) division of a computer nation
// at city c: source 0 takes the city's garrison, any other source the nation's waiting brigades
// (France and Britain also the city's garrison). Answers the corps, or 0 when no record, leader or
// brigade was found (the record is then freed and the leader made available again).
int FormCorpsFromWaitingBrigades(int divisionKind, int city, int nation, int source);

}  // namespace kvt
