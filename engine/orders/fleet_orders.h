// Fleet orders: what the fleet orders dialog shows of one fleet, the effect of each mission button,
// check box and spin button while it is open (supplies and cotton move between the fleet and the
// home theatre's stocks at once, Move (Abort) recalls a fleet at once), and the closing: a merge,
// a split or the new mission, home port and objective. Supplies move in fives, cotton in fifties.
// The dialog only shows these answers and hands back what was chosen.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/forces/fleet_records.h"
#include "engine/orders/merge_fleets.h"
#include "engine/orders/order_support.h"
#include "engine/world/game_record.h"

namespace kvt {

// The mission buttons, one a mission (kMissionNothing .. kMissionAmphibious).
constexpr int kFleetMissions = 7;

// The labels that show the fleet; an empty objective or cargo hides its label.
struct TFleetOrdersView {
    std::string nation, homePort, objective, number, cargo, kind;  // Label1..Label6
    std::string ironclads, wooden, transports;                     // Label7..Label9
    std::string supplies, cotton, location;                        // Label28, Label29, Label33
    std::string suppliesAvailable, cottonAvailable;                // Label24, Label25
    std::string cottonCapacity;                                    // Label31
    bool cottonCapacityShown = false;                              // Label30, Label31
};

// Which controls take input.
struct TFleetOrderControls {
    std::array<bool, kFleetMissions> missions{};  // RadioButton1..RadioButton7
    bool homePortBox = false, objectiveBox = false, mergeBox = false, splitBox = false;  // CheckBox1..4
    bool suppliesSpin = false, cottonSpin = false;  // UpDown1, UpDown2
};

// What the person left chosen at closing; 0 where no row was selected.
struct TFleetOrderChoices {
    bool homePortBox = false;
    int homePort = 0;
    bool objectiveBox = false;
    int objective = 0;
};

// Whether `fleet` names a fleet afloat (a free, out-of-range or still building record opens nothing).
bool FleetOrdersAvailable(int fleet);
int CottonCapacity(const TFleetRec& fleet);

// One opening of the fleet orders dialog.
class TFleetOrderSheet {
public:
    // The opening: the button of the fleet's mission is checked and its handler runs, so a fleet
    // on Move away from its home port is recalled here. When that handler opens the embark dialog
    // (EmbarkAtOpening), the controls are decided only once EmbarkClosed is called.
    explicit TFleetOrderSheet(int fleet);

    int Fleet() const { return fleet_; }
    int CheckedMission() const { return mission_; }
    // The opening's handler of Amphibious at the home port: the embark dialog comes first.
    bool EmbarkAtOpening() const { return embarkAtOpening_; }
    TFleetOrdersView View() const;
    const TFleetOrderControls& Controls() const { return controls_; }
    const std::vector<TOrderRow>& HomePorts() const { return homePorts_; }
    int HomePortRow() const { return homePortRow_; }
    const std::vector<TOrderRow>& Objectives() const { return objectives_; }
    int ObjectiveRow() const { return objectiveRow_; }

    // A mission button was checked; answers whether the embark dialog is to be shown now.
    bool ChooseMission(int mission);
    // The embark dialog closed: the opening finishes if it waited for it, and the map is repainted
    // when a corps is aboard.
    void EmbarkClosed();
    void HomePortBoxClicked();
    void ObjectiveBoxClicked();
    // Merge or split was ticked: answers the merge dialog's mode to open. The choice is final.
    TTransferMode MergeBoxChecked();
    TTransferMode SplitBoxChecked();
    void SetTransfer(const TFleetTransfer& transfer) { transfer_ = transfer; }
    void SuppliesUp();
    void SuppliesDown();
    void CottonUp();
    void CottonDown();
    // The closing: merge, split or orders. Answers whether fleets changed (the map repainted).
    bool Close(const TFleetOrderChoices& choices);

private:
    void FinishOpening();
    TFleetRec& F() const;
    int Theatre() const;
    void DisableMergeAndSplit();
    bool AtHomePort() const;

    int fleet_;
    int mission_ = -1;
    int splitTarget_ = 0;
    bool embarkAtOpening_ = false;
    bool openingPending_ = true;
    bool merging_ = false, splitting_ = false;
    TFleetTransfer transfer_;
    TFleetOrderControls controls_;
    std::vector<TOrderRow> homePorts_, objectives_;
    int homePortRow_ = -1, objectiveRow_ = -1;
};

}  // namespace kvt
