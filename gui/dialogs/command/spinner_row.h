// The numbered spinners UpDown1..UpDownN of a dialog in which every spinner does the same for its
// own row: each handler (UpDown3UpClick, UpDown3DownClick, ...) passes its number on to the
// dialog's UpDownClick(n, up). Only wiring; the dialog and the engine hold what a click does.
#pragma once

#include <QObject>

#include <array>

#include "gui/ui/spin_button.h"

namespace kvt::gui {

// Dialog derives from TForm and from TSpinnerRow<Dialog, N>, and befriends it for UpDownClick.
template <class Dialog, int N>
class TSpinnerRow {
    static_assert(N >= 1 && N <= 10);

public:
    void UpDown1UpClick() { Click(1, true); }
    void UpDown1DownClick() { Click(1, false); }
    void UpDown2UpClick() requires(N >= 2) { Click(2, true); }
    void UpDown2DownClick() requires(N >= 2) { Click(2, false); }
    void UpDown3UpClick() requires(N >= 3) { Click(3, true); }
    void UpDown3DownClick() requires(N >= 3) { Click(3, false); }
    void UpDown4UpClick() requires(N >= 4) { Click(4, true); }
    void UpDown4DownClick() requires(N >= 4) { Click(4, false); }
    void UpDown5UpClick() requires(N >= 5) { Click(5, true); }
    void UpDown5DownClick() requires(N >= 5) { Click(5, false); }
    void UpDown6UpClick() requires(N >= 6) { Click(6, true); }
    void UpDown6DownClick() requires(N >= 6) { Click(6, false); }
    void UpDown7UpClick() requires(N >= 7) { Click(7, true); }
    void UpDown7DownClick() requires(N >= 7) { Click(7, false); }
    void UpDown8UpClick() requires(N >= 8) { Click(8, true); }
    void UpDown8DownClick() requires(N >= 8) { Click(8, false); }
    void UpDown9UpClick() requires(N >= 9) { Click(9, true); }
    void UpDown9DownClick() requires(N >= 9) { Click(9, false); }
    void UpDown10UpClick() requires(N >= 10) { Click(10, true); }
    void UpDown10DownClick() requires(N >= 10) { Click(10, false); }

protected:
    // Wires the arrows of spinner n (UpDown n at [n - 1]) to its handlers.
    void ConnectSpinnerRow(const std::array<TElSpinButton*, N>& spinners) {
        Dialog* dialog = static_cast<Dialog*>(this);
        for (int n = 1; n <= N; ++n) {
            TElSpinButton* spinner = spinners[static_cast<std::size_t>(n - 1)];
            QObject::connect(spinner, &TElSpinButton::OnUpClick, dialog, [this, n] { Click(n, true); });
            QObject::connect(spinner, &TElSpinButton::OnDownClick, dialog, [this, n] { Click(n, false); });
        }
    }

private:
    void Click(int n, bool up) { static_cast<Dialog*>(this)->UpDownClick(n, up); }
};

}  // namespace kvt::gui
