// The choice dialog's rows and what a row does.
#include "engine/orders/selection_choice.h"

#include <algorithm>
#include <string>

#include "engine/movement/selection.h"
#include "engine/view/map_input.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

// An entry that names a record in use; a free or out-of-range slot names nothing to open.
bool NamesAnObject(const TSelectionEntry& e) {
    switch (e.Kind) {
        case kSelectCity: return Arr1<TCityRec, kCityCount>::InRange(e.Index);
        case kSelectArmy: return Arr1<TArmyRec, kArmyCount>::InRange(e.Index) && ArmyInUse(G().Armies[e.Index]);
        case kSelectCorps: return Arr1<TCorpsRec, kCorpsCount>::InRange(e.Index) && CorpsInUse(G().Corps[e.Index]);
        case kSelectFleet: return Arr1<TFleetRec, kFleetCount>::InRange(e.Index) && FleetInUse(G().Fleets[e.Index]);
        default: return false;
    }
}

std::string RowText(const TSelectionEntry& e) {
    switch (e.Kind) {
        case kSelectCity: return G().Cities[e.Index].Name.str();
        case kSelectArmy: return G().Armies[e.Index].Name.str();
        case kSelectCorps: return G().Leaders[G().Corps[e.Index].Leader].Name.str();
        default: return Text(1) + std::to_string(G().Fleets[e.Index].FleetNumber);
    }
}

}  // namespace

TSelectionChoice::TSelectionChoice() {
    const int count = std::min<int>(SelectionList.Count, kSelectionCapacity);
    for (int k = 1; k <= count; ++k) {
        const TSelectionEntry& e = SelectionList.Entry(k);
        if (NamesAnObject(e)) rows_.push_back({RowText(e), k});
    }
}

TSelectionAct TSelectionChoice::ChooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return TSelectionAct::Nothing;
    RouteEnabled = false;
    const int position = rows_[static_cast<std::size_t>(row)].index;
    const TSelectionEntry e = SelectionList.Entry(position);
    // The list may have changed under an order dialog opened from an earlier row.
    if (!NamesAnObject(e)) return TSelectionAct::Nothing;
    SelectionList.Count = static_cast<std::uint16_t>(position);
    switch (e.Kind) {
        case kSelectCity:
            SelectedCity = e.Index;
            return TSelectionAct::CityOrders;
        case kSelectArmy:
            SelectedArmy = e.Index;
            return TSelectionAct::ArmyOrders;
        case kSelectFleet:
            SelectedFleet = e.Index;
            return TSelectionAct::FleetOrders;
        default: break;
    }
    SelectedCorps = e.Index;
    const TCorpsRec& c = G().Corps[e.Index];
    if (c.Side == G().Nations[SidePlayed].Side) return TSelectionAct::CorpsChoice;
    RaiseEventNotice(0, G().Leaders[c.Leader].Name.str(), Text(90) + std::to_string(c.LineCount),
                     Text(92) + std::to_string(c.ArtilleryCount), Text(95) + std::to_string(c.Entrenchment));
    return TSelectionAct::EnemyCorpsDescribed;
}

bool TSelectionChoice::ChooseCorpsItem(int item) {
    if (SelectedCorps == 0) return false;
    if (item == 1) RouteDrawing = true;
    return item == 0;
}

void TSelectionChoice::Close() {
    // Left without a row chosen, the count still names the last entry, which the map click then
    // selects. An object gone under its own dialog (a corps that gave its last brigade) is no
    // choice left.
    if (!NamesAnObject(SelectionList.Entry(SelectionList.Count))) SelectionList.Count = 0;
}

}  // namespace kvt
