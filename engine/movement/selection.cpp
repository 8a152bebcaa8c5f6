// Collects the objects at ClickedHex that the side being played may give orders to or has spotted.
#include "engine/movement/selection.h"

#include "engine/world/globals.h"
#include "engine/world/record_queries.h"

namespace kvt {

TSelectionList SelectionList;
THexPos ClickedHex;

bool TSelectionList::Append(std::uint16_t index, std::uint16_t kind) {
    if (Count >= kSelectionCapacity) return false;
    ++Count;
    Entries[Count].Index = index;
    Entries[Count].Kind = kind;
    return true;
}

TSelectionEntry& TSelectionList::Entry(int k) {
    if (k >= 1 && k <= kSelectionCapacity) return Entries[k];
    Entries[0] = {};
    return Entries[0];
}

namespace {
bool AtClickedHex(int x, int y) { return x == ClickedHex.X && y == ClickedHex.Y; }
}  // namespace

void SelectCitiesAtHex() {
    const int side = SideBeingPlayed();
    if (side == 0) return;  // nobody playing: neutral cities are nobody's to order
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = GameRec->Cities[i];
        if (c.Owner == side && AtClickedHex(c.HexX, c.HexY)) SelectionList.Append(i, kSelectCity);
    }
}

void SelectArmiesAtHex() {
    const int side = SideBeingPlayed();
    if (side == 0) return;
    for (int i = 1; i <= kArmyCount; ++i) {
        const TArmyRec& a = GameRec->Armies[i];
        if (a.Side != side || a.BaseCity == 0) continue;
        const TCityRec& base = GameRec->Cities[a.BaseCity];
        if (AtClickedHex(base.HexX, base.HexY)) SelectionList.Append(i, kSelectArmy);
    }
}

void SelectCorpsAtHex() {
    const int side = SideBeingPlayed();
    for (int i = 1; i <= kCorpsCount; ++i) {
        const TCorpsRec& c = GameRec->Corps[i];
        if (c.Unused != 0) continue;
        if (c.Side != side && c.Visibility == 0) continue;
        if (AtClickedHex(c.HexX, c.HexY)) SelectionList.Append(i, kSelectCorps);
    }
}

void SelectFleetsAtHex() {
    const int side = SideBeingPlayed();
    if (side == 0) return;
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = GameRec->Fleets[i];
        if (f.Side == side && f.BuildCounter == 0 && AtClickedHex(f.HexX, f.HexY))
            SelectionList.Append(i, kSelectFleet);
    }
}

void CollectAllAtClickedHex() {
    for (int k = 1; k <= 10; ++k) SelectionList.Entries[k] = {};
    SelectionList.Count = 0;
    SelectCitiesAtHex();
    SelectArmiesAtHex();
    SelectCorpsAtHex();
    SelectFleetsAtHex();
}

void ResetSelectionList() {
    SelectionList = TSelectionList{};
    ClickedHex = {};
}

}  // namespace kvt
