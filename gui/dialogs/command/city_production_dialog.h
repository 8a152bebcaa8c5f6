// The city production dialog: shows the engine's figures of the city chosen and passes each spinner
// click on to the engine, which writes the record at once. Holds no rule.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/city_production.h"
#include "gui/platform/form.h"

namespace Ui {
class TCtyProdn;
}

namespace kvt::gui {

class TElSpinButton;

class TCtyProdn final : public TForm {
    Q_OBJECT
public:
    explicit TCtyProdn(QWidget* parent = nullptr);
    ~TCtyProdn() override;

    void FactoryLstClick();
    // UpDown1..UpDown8: weapon kind 1..8; UpDown9 ironclad yards, UpDown10 wooden-vessel yards.
    void UpDown1UpClick() { UpDownClick(1, true); }
    void UpDown1DownClick() { UpDownClick(1, false); }
    void UpDown2UpClick() { UpDownClick(2, true); }
    void UpDown2DownClick() { UpDownClick(2, false); }
    void UpDown3UpClick() { UpDownClick(3, true); }
    void UpDown3DownClick() { UpDownClick(3, false); }
    void UpDown4UpClick() { UpDownClick(4, true); }
    void UpDown4DownClick() { UpDownClick(4, false); }
    void UpDown5UpClick() { UpDownClick(5, true); }
    void UpDown5DownClick() { UpDownClick(5, false); }
    void UpDown6UpClick() { UpDownClick(6, true); }
    void UpDown6DownClick() { UpDownClick(6, false); }
    void UpDown7UpClick() { UpDownClick(7, true); }
    void UpDown7DownClick() { UpDownClick(7, false); }
    void UpDown8UpClick() { UpDownClick(8, true); }
    void UpDown8DownClick() { UpDownClick(8, false); }
    void UpDown9UpClick() { UpDownClick(9, true); }
    void UpDown9DownClick() { UpDownClick(9, false); }
    void UpDown10UpClick() { UpDownClick(10, true); }
    void UpDown10DownClick() { UpDownClick(10, false); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpDownClick(int spinner, bool up);
    void ShowCity();

    std::unique_ptr<Ui::TCtyProdn> ui_;
    TCityProduction production_;
    std::array<TElSpinButton*, kProductionSpinners> spinners_{};
};

void ShowCityProduction();

}  // namespace kvt::gui
