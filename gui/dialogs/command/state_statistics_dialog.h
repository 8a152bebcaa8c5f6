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
    // UpDown1..UpDown8, each ordering the weapon kind of its row (UpDown5 Muskets, UpDown1 Shotguns).
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpDownClick(int spinner, bool up);
    void ShowState();

    std::unique_ptr<Ui::TStatStat> ui_;
    TStateStatistics statistics_;
    std::array<TElSpinButton*, 8> spinners_{};  // UpDown n at [n - 1]
};

void ShowStateStatistics();

}  // namespace kvt::gui
