// The fleet orders dialog: one fleet's mission, home port and objective, supplies and cotton
// aboard, a corps embarked, and merging or splitting. It only shows what the engine's fleet order
// sheet answers and hands back what the person chose; the embark and merge dialogs open from it.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/fleet_orders.h"
#include "gui/platform/form.h"

namespace Ui {
class TFleetOrders;
}

namespace kvt::gui {

class TElRadioButton;

class TFleetOrders final : public TForm {
    Q_OBJECT
public:
    explicit TFleetOrders(TFleetOrderSheet& sheet, QWidget* parent = nullptr);
    ~TFleetOrders() override;

    TFleetOrderChoices Choices() const;
    // RadioButton1Click .. RadioButton7Click, by mission 0..6.
    void RadioButtonClick(int mission);
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void UpDown1UpClick();
    void UpDown1DownClick();
    void UpDown2UpClick();
    void UpDown2DownClick();

private:
    void ShowView();
    void ShowStocks();
    void ShowControls();
    void OpenTransfer(TTransferMode mode);

    std::unique_ptr<Ui::TFleetOrders> ui_;
    TFleetOrderSheet& sheet_;
    std::array<TElRadioButton*, kFleetMissions> missions_{};
};

// Opens the orders of SelectedFleet and applies them when it closes; answers whether it showed.
bool ShowFleetOrders();

}  // namespace kvt::gui
