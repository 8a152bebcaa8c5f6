// The manpower settings dialog.
#include "gui/dialogs/command/manpower_dialog.h"

#include "engine/orders/manpower.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/command/raising_dialog_look.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_manpower_dialog.h"

namespace kvt::gui {

TOrdDraft::TOrdDraft(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TOrdDraft>()) {
    ui_->setupUi(this);
    SetUpRaisingDialog(*this, nullptr, QString());
    const std::pair<TElLabel*, int> texts[] = {
        {ui_->Label1, 338}, {ui_->Label22, 349}, {ui_->Label2, 339}, {ui_->Label6, 340}, {ui_->Label5, 342},
        {ui_->Label3, 341}, {ui_->Label7, 344},  {ui_->Label9, 345}, {ui_->Label11, 346}, {ui_->Label13, 347}};
    for (const auto& [label, text] : texts) label->SetCaption(GameText(text));
    ui_->Button1->SetCaption(GameText(66));

    const TManpowerSettings s = ManpowerSettings();
    ui_->CheckBox1->SetChecked(s.appealChecked);
    ui_->CheckBox1->setEnabled(s.appealOffered);
    ui_->Label14->SetCaption(ToQString(s.recruitsPerMonth));
    ui_->Bounty1->setRange(0, kMaxBounty);
    ui_->Bounty1->setValue(s.bounty);
    TElRadioButton* const stances[] = {nullptr, ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3};
    for (int k = kStanceEmancipation; k <= kStanceBondage; ++k) {
        stances[k]->setEnabled(s.stanceOffered[k]);
        stances[k]->SetChecked(k == s.stance);
    }
    for (int share = kShareInfantry; share <= kShareNavy; ++share) ShareLabel(share)->SetCaption(QString::number(s.percent[share]));

    ConnectSpinnerRow({ui_->UpDown1, ui_->UpDown2, ui_->UpDown3, ui_->UpDown4});
}

TOrdDraft::~TOrdDraft() = default;

TElLabel* TOrdDraft::ShareLabel(int share) const {
    TElLabel* const labels[] = {ui_->Label8, ui_->Label10, ui_->Label12, ui_->Label15};
    return labels[share - 1];
}

void TOrdDraft::UpDownClick(int share, bool up) {
    if (up ? RaiseRecruitShare(share) : LowerRecruitShare(share))
        ShareLabel(share)->SetCaption(QString::number(ManpowerSettings().percent[share]));
}

int TOrdDraft::Bounty() const { return ui_->Bounty1->value(); }
bool TOrdDraft::Appeal() const { return ui_->CheckBox1->isEnabled() && ui_->CheckBox1->GetChecked(); }

int TOrdDraft::Stance() const {
    if (ui_->RadioButton1->GetChecked()) return kStanceEmancipation;
    if (ui_->RadioButton2->GetChecked()) return kStanceCombatRoles;
    if (ui_->RadioButton3->GetChecked()) return kStanceBondage;
    return kStanceNone;
}

void ShowManpowerSettings() {
    const auto dialog = ShowBuiltModal<TOrdDraft>();
    ApplyManpowerSettings(dialog->Bounty(), dialog->Appeal(), dialog->Stance());
}

}  // namespace kvt::gui
