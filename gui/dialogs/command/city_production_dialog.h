// The city production dialog: shows the engine's figures of the city chosen and passes each spinner
// click on to the engine, which writes the record at once. Holds no rule.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/city_production.h"
#include "gui/dialogs/command/spinner_row.h"
#include "gui/platform/form.h"

namespace Ui {
class TCtyProdn;
}

namespace kvt::gui {

// UpDown1..UpDown8: weapon kind 1..8; UpDown9 ironclad yards, UpDown10 wooden-vessel yards.
class TCtyProdn final : public TForm, public TSpinnerRow<TCtyProdn, kProductionSpinners> {
    Q_OBJECT
public:
    explicit TCtyProdn(QWidget* parent = nullptr);
    ~TCtyProdn() override;

    void FactoryLstClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend TSpinnerRow<TCtyProdn, kProductionSpinners>;
    void UpDownClick(int spinner, bool up);
    void ShowCity();

    std::unique_ptr<Ui::TCtyProdn> ui_;
    TCityProduction production_;
    std::array<TElSpinButton*, kProductionSpinners> spinners_{};
};

void ShowCityProduction();

}  // namespace kvt::gui
