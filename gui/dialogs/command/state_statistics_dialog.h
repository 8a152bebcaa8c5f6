// The state statistics dialog: shows the engine's figures of the state chosen and passes each
// spinner click on to the engine, which writes the record at once. Holds no rule.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/state_statistics.h"
#include "gui/platform/form.h"

namespace Ui {
class TStatStat;
}

namespace kvt::gui {

class TElLabel;
class TElSpinButton;

class TStatStat final : public TForm {
    Q_OBJECT
public:
    explicit TStatStat(QWidget* parent = nullptr);
    ~TStatStat() override;

    void StatusBoxClick();
    // UpDown1..UpDown8, each ordering the weapon kind of its row.
    void UpDownClick(int spinner, bool up);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowState();

    std::unique_ptr<Ui::TStatStat> ui_;
    TStateStatistics statistics_;
    std::array<TElSpinButton*, 8> spinners_{};  // UpDown n at [n - 1]
};

void ShowStateStatistics();

}  // namespace kvt::gui
