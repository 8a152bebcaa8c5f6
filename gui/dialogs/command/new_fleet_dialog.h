// The new fleet dialog: water, ship class, port of construction and number of ships. It only
// shows what the engine's new fleet order answers; the order is placed when it closes.
#pragma once

#include <memory>

#include "engine/orders/new_fleet.h"
#include "gui/platform/form.h"

namespace Ui {
class TRaiseFleet;
}

namespace kvt::gui {

class TRaiseFleet final : public TForm {
    Q_OBJECT
public:
    explicit TRaiseFleet(QWidget* parent = nullptr);
    ~TRaiseFleet() override;

    void RadioButton1Click() { ChooseWater(kBuildForOcean); }
    void RadioButton2Click() { ChooseWater(kBuildForRivers); }
    void RadioButton3Click() { ChooseClass(0); }
    void RadioButton4Click() { ChooseClass(1); }
    void RadioButton5Click() { ChooseClass(2); }
    // A port chosen: the number of ships runs from 0 to the port's room for the class.
    void ListBox1Click();
    // The closing: the order of the number of ships shown.
    int Build();

private:
    void ChooseWater(int water);
    void ChooseClass(int shipClass);
    void ShowButtons();

    std::unique_ptr<Ui::TRaiseFleet> ui_;
    TNewFleetOrder order_;
};

void ShowRaiseFleet();

}  // namespace kvt::gui
