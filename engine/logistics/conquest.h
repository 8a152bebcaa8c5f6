// Conquest of cities and states and its consequences: neutral-port incidents, ungarrisoned cities
// taken by the enemy corps standing on them (will, loyalty, prisoners, sacking, the newspapers, a
// garrison left behind by a computer nation) and states following the holder of their capital.
// Never waits itself: notices go through ShowEventNotice.
#pragma once

namespace kvt {

// Runs before city unrest, after the battles and once on loading a game.
void ResolveConquests();
// The same reading every corps slot and city for each city and fleet, to hold the sweep to.
void ResolveConquestsFullRescan();

// The sacking notice of city c by corps k, which also carries off the supplies of the city's former
// holding nation `formerNation` and may wreck the rail lines of its home nation.
void AnnounceCityFall(int city, int corps, int formerNation);

}  // namespace kvt
