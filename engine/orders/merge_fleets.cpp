// The merge dialog's choice and the ships it moves.
#include "engine/orders/merge_fleets.h"

#include <algorithm>
#include <string>

#include "engine/world/globals.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

bool FleetIndex(int fleet) { return Arr1<TFleetRec, kFleetCount>::InRange(fleet) && FleetInUse(G().Fleets[fleet]); }

U8& Intact(TFleetRec& f, int shipClass) {
    return shipClass == kClassIronclads ? f.Ironclads : shipClass == kClassWooden ? f.Wooden : f.Transports;
}
U8& Damaged(TFleetRec& f, int shipClass) {
    return shipClass == kClassIronclads ? f.DamagedIronclads
                                        : shipClass == kClassWooden ? f.DamagedWooden : f.DamagedTransports;
}

int ShipsAboard(const TFleetRec& f) {
    return f.Ironclads + f.Wooden + f.Transports + f.DamagedIronclads + f.DamagedWooden + f.DamagedTransports;
}

// Moves up to `count` ships of a class, intact before damaged. A receiving count that is full
// keeps the rest where they are rather than losing them.
void MoveShips(TFleetRec& from, TFleetRec& to, int shipClass, int count) {
    for (int n = 0; n < count; ++n) {
        U8& source = Intact(from, shipClass) > 0 ? Intact(from, shipClass) : Damaged(from, shipClass);
        U8& sink = Intact(from, shipClass) > 0 ? Intact(to, shipClass) : Damaged(to, shipClass);
        if (source == 0 || sink == 255) return;
        --source;
        ++sink;
    }
}

std::uint16_t SaturatedSum(int a, int b) { return static_cast<std::uint16_t>(std::min(a + b, 65535)); }

}  // namespace

int ClassTotal(int fleet, int shipClass) {
    TFleetRec& f = G().Fleets[fleet];
    return Intact(f, shipClass) + Damaged(f, shipClass);
}

bool MergePartnerFor(int fleet, int other) {
    if (!FleetIndex(fleet) || !Arr1<TFleetRec, kFleetCount>::InRange(other) || other == fleet) return false;
    const TFleetRec& f = G().Fleets[fleet];
    const TFleetRec& p = G().Fleets[other];
    return p.BuildCounter == 0 && p.Owner == SidePlayed && p.HexX == f.HexX && p.HexY == f.HexY &&
           p.WaterType == f.WaterType && (f.Cargo == 0 || p.Cargo == 0);
}

TFleetTransferChoice::TFleetTransferChoice(int fleet, TTransferMode mode)
    : fleet_(fleet), mode_(mode), carrying_(FleetIndex(fleet) && G().Fleets[fleet].Cargo != 0) {
    if (!FleetIndex(fleet)) return;
    if (mode == TTransferMode::Merge)
        for (int j = 1; j <= kFleetCount; ++j)
            if (MergePartnerFor(fleet, j)) partners_.push_back({Text(1) + ", " + std::to_string(G().Fleets[j].FleetNumber), j});
    for (int k = 0; k < kShipClasses; ++k) totals_[static_cast<std::size_t>(k)] = ClassTotal(fleet, k);
    transfer_.ships = totals_;
}

bool TFleetTransferChoice::CountsEnabled() const {
    if (carrying_) return false;
    return mode_ == TTransferMode::Split || transfer_.partner != 0;
}

bool TFleetTransferChoice::ChoosePartner(int row) {
    if (mode_ != TTransferMode::Merge || transfer_.partner != 0) return false;
    if (row < 0 || row >= static_cast<int>(partners_.size())) return false;
    transfer_.partner = partners_[static_cast<std::size_t>(row)].index;
    return true;
}

int TFleetTransferChoice::SetCount(int shipClass, int position) {
    if (shipClass < 0 || shipClass >= kShipClasses) return 0;
    const auto k = static_cast<std::size_t>(shipClass);
    // Up to the class total: counts above it would make "every ship" unreachable.
    if (CountsEnabled()) transfer_.ships[k] = std::clamp(position, 0, totals_[k]);
    return transfer_.ships[k];
}

bool MergeFleetInto(int fleet, const TFleetTransfer& transfer) {
    if (!MergePartnerFor(fleet, transfer.partner)) return false;
    TFleetRec& f = G().Fleets[fleet];
    TFleetRec& p = G().Fleets[transfer.partner];
    for (int k = 0; k < kShipClasses; ++k) MoveShips(f, p, k, transfer.ships[static_cast<std::size_t>(k)]);
    if (ShipsAboard(f) != 0) return false;
    if (p.Cargo == 0) p.Cargo = f.Cargo;
    p.Supplies = SaturatedSum(p.Supplies, f.Supplies);
    p.Cotton = SaturatedSum(p.Cotton, f.Cotton);
    // Nothing is left aboard the gone fleet: what it carried has passed on.
    f.Cargo = 0;
    f.Supplies = f.Cotton = 0;
    f.FleetNumber = 0;
    f.BuildCounter = kFleetGone;
    if (SelectedFleet == fleet) SelectedFleet = 0;
    return true;
}

int LowestFreeFleetNumber(int nation) {
    for (int n = 1; n <= 255; ++n) {
        bool taken = false;
        for (const TFleetRec& f : G().Fleets) taken |= FleetInUse(f) && f.Owner == nation && f.FleetNumber == n;
        if (!taken) return n;
    }
    return 0;
}

bool SplitFleet(int fleet, int target, const TFleetTransfer& transfer) {
    if (!FleetIndex(fleet) || !Arr1<TFleetRec, kFleetCount>::InRange(target) || FleetInUse(G().Fleets[target]) ||
        !Arr1<TNationRec, kNationCount>::InRange(SidePlayed))
        return false;
    TFleetRec& f = G().Fleets[fleet];
    // A carrying fleet is never split: the corps would stay with ships that may no longer hold it.
    if (f.Cargo != 0) return false;
    std::array<int, kShipClasses> ships{};
    int moving = 0;
    for (int k = 0; k < kShipClasses; ++k) {
        ships[static_cast<std::size_t>(k)] = std::clamp(transfer.ships[static_cast<std::size_t>(k)], 0, ClassTotal(fleet, k));
        moving += ships[static_cast<std::size_t>(k)];
    }
    if (moving == 0 || moving == ShipsAboard(f)) return false;
    // A freed record keeps its old number, tag and steps: cleared whole, its stale number would
    // count as taken and its tag would hide it from the fleet lookups.
    TFleetRec& t = G().Fleets[target];
    t = TFleetRec{};
    for (int k = 0; k < kShipClasses; ++k) MoveShips(f, t, k, ships[static_cast<std::size_t>(k)]);
    t.HexX = f.HexX;
    t.HexY = f.HexY;
    // The ships split off serve the side played, even when they came from an ally's fleet.
    t.Owner = static_cast<U8>(SidePlayed);
    t.Side = G().Nations[SidePlayed].Side;
    t.Mission = f.Mission;
    t.HomePort = f.HomePort;
    t.TargetCity = f.TargetCity;
    t.WaterType = f.WaterType;
    t.DestX = f.DestX;
    t.DestY = f.DestY;
    t.FleetNumber = static_cast<U8>(LowestFreeFleetNumber(SidePlayed));
    t.BuildCounter = 0;
    return true;
}

}  // namespace kvt
