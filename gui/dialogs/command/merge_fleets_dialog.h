// The merge and split dialog: the partner fleet (merge) and, on three up-downs, the ships of each
// class to move. It only collects the choice; the fleet orders move the ships when they close.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/merge_fleets.h"
#include "gui/platform/form.h"

namespace Ui {
class TMergeLst;
}

namespace kvt::gui {

class TElLabel;
class TUpDown;

class TMergeLst final : public TForm {
    Q_OBJECT
public:
    TMergeLst(int fleet, TTransferMode mode, QWidget* parent = nullptr);
    ~TMergeLst() override;

    const TFleetTransfer& Transfer() const { return choice_.Transfer(); }
    void ListBox1Click();
    void UpDown1MouseUp() { UpDownMouseUp(kClassIronclads); }
    void UpDown2MouseUp() { UpDownMouseUp(kClassWooden); }
    void UpDown3MouseUp() { UpDownMouseUp(kClassTransports); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpDownMouseUp(int shipClass);
    void EnableCounts();

    std::unique_ptr<Ui::TMergeLst> ui_;
    TFleetTransferChoice choice_;
    std::array<TUpDown*, kShipClasses> upDowns_{};
    std::array<TElLabel*, kShipClasses> counts_{};
};

// Opens the dialog for SelectedFleet; answers the partner and counts chosen.
TFleetTransfer ShowMergeFleets(TTransferMode mode);

}  // namespace kvt::gui
