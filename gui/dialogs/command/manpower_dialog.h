// The manpower settings dialog. The four shares change in the record at once through the engine
// (RaiseRecruitShare, LowerRecruitShare); the bounty, the appeal and the stance are applied by the
// engine when the dialog closes (ApplyManpowerSettings).
#pragma once

#include <memory>

#include "gui/dialogs/command/spinner_row.h"
#include "gui/platform/form.h"

namespace Ui {
class TOrdDraft;
}

namespace kvt::gui {

class TElLabel;

// UpDown1..UpDown4 step the recruits' shares, one a spinner.
class TOrdDraft final : public TForm, public TSpinnerRow<TOrdDraft, 4> {
    Q_OBJECT
public:
    explicit TOrdDraft(QWidget* parent = nullptr);
    ~TOrdDraft() override;

    // What the dialog collected for the engine to apply.
    int Bounty() const;
    bool Appeal() const;
    int Stance() const;

private:
    friend TSpinnerRow<TOrdDraft, 4>;
    // Steps share n (1..4) up or down.
    void UpDownClick(int share, bool up);
    TElLabel* ShareLabel(int share) const;

    std::unique_ptr<Ui::TOrdDraft> ui_;
};

void ShowManpowerSettings();

}  // namespace kvt::gui
