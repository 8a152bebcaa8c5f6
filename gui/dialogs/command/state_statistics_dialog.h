// The state statistics dialog: shows the engine's figures of the state chosen and passes each
// spinner click on to the engine, which writes the record at once. Holds no rule.
#pragma once

#include <array>
#include <memory>

#include "engine/orders/state_statistics.h"
#include "gui/dialogs/command/spinner_row.h"
#include "gui/platform/form.h"

namespace Ui {
class TStatStat;
}

namespace kvt::gui {

class TElLabel;

// UpDown1..UpDown8, each ordering the weapon kind of its row (UpDown5 Muskets, UpDown1 Shotguns).
class TStatStat final : public TForm, public TSpinnerRow<TStatStat, 8> {
    Q_OBJECT
public:
    explicit TStatStat(QWidget* parent = nullptr);
    ~TStatStat() override;

    void StatusBoxClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend TSpinnerRow<TStatStat, 8>;
    void UpDownClick(int spinner, bool up);
    void ShowState();

    std::unique_ptr<Ui::TStatStat> ui_;
    TStateStatistics statistics_;
    std::array<TElSpinButton*, 8> spinners_{};  // UpDown n at [n - 1]
};

void ShowStateStatistics();

}  // namespace kvt::gui
