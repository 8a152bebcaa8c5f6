// Merging and splitting fleets: the partner and ship counts chosen in the merge dialog, and the
// move of those ships when the fleet orders close. Ships move class by class (ironclads, wooden
// warships, transports), intact ones first. The choice is state of one opening, handed to the
// closing; nothing here waits on the player.
#pragma once

#include <array>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

enum class TTransferMode { Merge = 1, Split = 2 };
enum : int { kClassIronclads = 0, kClassWooden = 1, kClassTransports = 2 };
constexpr int kShipClasses = 3;

// What a merge or split moves: the partner (merge only) and the ships of each class.
struct TFleetTransfer {
    int partner = 0;
    std::array<int, kShipClasses> ships{};
};

// A fleet's ships of one class, intact and damaged together.
int ClassTotal(int fleet, int shipClass);
// Whether `other` may take ships from `fleet`: another active fleet of the side played on the same
// hex and water. While `fleet` carries a corps a partner carrying one is refused, as absorbing
// the fleet would drop one of the two corps.
bool MergePartnerFor(int fleet, int other);

// One opening of the merge dialog (merge mode) or the split dialog.
class TFleetTransferChoice {
public:
    TFleetTransferChoice(int fleet, TTransferMode mode);

    TTransferMode Mode() const { return mode_; }
    const std::vector<TOrderRow>& Partners() const { return partners_; }
    // The up-downs take input once a partner is chosen (merge) or at once (split), unless the
    // fleet carries a corps: then it moves whole, its counts fixed at the totals.
    bool CountsEnabled() const;
    int Total(int shipClass) const { return totals_[static_cast<std::size_t>(shipClass)]; }
    int Count(int shipClass) const { return transfer_.ships[static_cast<std::size_t>(shipClass)]; }
    // The person clicked a partner row; the first choice is final. Answers whether it was taken.
    bool ChoosePartner(int row);
    // An up-down was released at `position`; answers the count now held (0..the class total).
    int SetCount(int shipClass, int position);
    const TFleetTransfer& Transfer() const { return transfer_; }

private:
    int fleet_;
    TTransferMode mode_;
    bool carrying_;
    std::vector<TOrderRow> partners_;
    std::array<int, kShipClasses> totals_{};
    TFleetTransfer transfer_;
};

// The closing merge: the counts move to the partner; a fleet left without ships is absorbed, its
// supplies, cotton and (when the partner carries none) its corps passing on. Answers whether the
// fleet was absorbed.
bool MergeFleetInto(int fleet, const TFleetTransfer& transfer);
// The closing split into the free record `target`: a split that would move every ship moves none;
// a target that receives ships becomes a fleet of the side played with its lowest free number.
// Answers whether a fleet was formed.
bool SplitFleet(int fleet, int target, const TFleetTransfer& transfer);
// The lowest number from 1 that no fleet in use of the nation carries.
int LowestFreeFleetNumber(int nation);

}  // namespace kvt
