// What stands at a clicked hex: the played side's cities, armies, corps and fleets, and spotted
// enemy corps, appended to one list in that order for the order dialogs and the choice dialog.
#pragma once

#include <cstdint>

#include "engine/world/map_grid.h"

namespace kvt {

constexpr int kSelectionCapacity = 20;

enum : std::uint16_t { kSelectCity = 1, kSelectArmy = 2, kSelectCorps = 3, kSelectFleet = 4 };

struct TSelectionEntry {
    std::uint16_t Index = 0;  // 0 marks an entry to skip
    std::uint16_t Kind = 0;
};

struct TSelectionList {
    // Entries 1..count; after the choice dialog, count is the chosen position.
    std::uint16_t Count = 0;
    TSelectionEntry Entries[kSelectionCapacity + 1] = {};  // [0] unused

    // Appends unless the list is full; a crowded hex keeps its first twenty objects.
    bool Append(std::uint16_t index, std::uint16_t kind);
    TSelectionEntry& Entry(int k);
};

extern TSelectionList SelectionList;
extern THexPos ClickedHex;

void SelectCitiesAtHex();
void SelectArmiesAtHex();
void SelectCorpsAtHex();
void SelectFleetsAtHex();

// The right-button collection: cities, armies, corps, fleets.
void CollectAllAtClickedHex();

void ResetSelectionList();

}  // namespace kvt
