// The manpower settings dialog. The four shares change in the record at once through the engine
// (RaiseRecruitShare, LowerRecruitShare); the bounty, the appeal and the stance are applied by the
// engine when the dialog closes (ApplyManpowerSettings).
#pragma once

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TOrdDraft;
}

namespace kvt::gui {

class TElLabel;

class TOrdDraft final : public TForm {
    Q_OBJECT
public:
    explicit TOrdDraft(QWidget* parent = nullptr);
    ~TOrdDraft() override;

    void UpDown1UpClick() { StepShare(1, true); }
    void UpDown1DownClick() { StepShare(1, false); }
    void UpDown2UpClick() { StepShare(2, true); }
    void UpDown2DownClick() { StepShare(2, false); }
    void UpDown3UpClick() { StepShare(3, true); }
    void UpDown3DownClick() { StepShare(3, false); }
    void UpDown4UpClick() { StepShare(4, true); }
    void UpDown4DownClick() { StepShare(4, false); }

    // What the dialog collected for the engine to apply.
    int Bounty() const;
    bool Appeal() const;
    int Stance() const;

private:
    void StepShare(int share, bool up);
    TElLabel* ShareLabel(int share) const;

    std::unique_ptr<Ui::TOrdDraft> ui_;
};

void ShowManpowerSettings();

}  // namespace kvt::gui
