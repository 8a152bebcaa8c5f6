// Arming the brigades the home front raised and posting each to a city's garrison. Weapon counts are
// shown in men (pool x 50) for small arms and in guns (pool x 2) for cannon; Muskets and Shotguns are
// issued free when the pool is short of the brigade's Strength. Every change goes through here; the
// dialog only shows and collects.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kvt {

// The side played's brigades waiting for weapons (AttachKind 5), in index order.
std::vector<int> WaitingBrigades();
// The cities a waiting brigade may be posted to: its home state's theatre, held by the side played
// as a supply source, and no corps of another side than the city's holder on its hex.
std::vector<int> DeploymentCities(int brigade);

// What the weapon choice shows for one brigade of the side played (the pool's counts, after an
// arming too); index 1..8 is the weapon kind, offered only to a brigade still waiting.
struct TWeaponAvailability {
    std::array<bool, 9> offered{};
    std::array<std::string, 9> counts;
    // The brigade's size: men, or guns for artillery.
    std::string size;
};
TWeaponAvailability WeaponAvailability(int brigade);

// Arms the brigade with the weapon kind (charging the pool when it holds the brigade's Strength)
// and posts it to the city's garrison; false, changing nothing, unless the brigade waits for
// weapons, the city is offered to it and the kind is offered.
bool ArmAndPostBrigade(int brigade, int city, int kind);

}  // namespace kvt
