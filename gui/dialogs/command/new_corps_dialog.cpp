// The new corps or division dialog.
#include "gui/dialogs/command/new_corps_dialog.h"

#include "engine/world/globals.h"
#include "gui/dialogs/command/raising_dialog_look.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_new_corps_dialog.h"

namespace kvt::gui {

TRaiseCorps::TRaiseCorps(TCorpsRaising& raising, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TRaiseCorps>()), raising_(raising) {
    ui_->setupUi(this);
    SetUpRaisingDialog(*this, ui_->Image1, QStringLiteral("bg_new_corps.bmp"));
    // The captions stand whichever formation is chosen.
    ui_->OKBtn->SetCaption(GameText(66));
    setWindowTitle(GameText(444));
    ui_->Label2->SetCaption(QStringLiteral("0"));

    for (TElAdvancedListBox* list : {ui_->ListBox1, ui_->ListBox2, ui_->ListBox3}) {
        list->hide();
        list->Items().Clear();
    }
    cities_ = RaisingCities();
    for (int c : cities_) ui_->ListBox3->Items().Add(ToQString(RaisingCityText(c)));
    ui_->ListBox3->setEnabled(!cities_.empty());
    if (!cities_.empty()) ui_->ListBox3->SetItemIndex(0);

    const TFormationsOffered offered = FormationsOffered();
    ui_->RadioButton1->setEnabled(offered.corps);
    ui_->RadioButton2->setEnabled(offered.infantryDivision);
    ui_->RadioButton3->setEnabled(offered.cavalryDivision);

    connect(ui_->RadioButton1, &TElRadioButton::OnClick, this, &TRaiseCorps::RadioButton1Click);
    connect(ui_->RadioButton2, &TElRadioButton::OnClick, this, &TRaiseCorps::RadioButton2Click);
    connect(ui_->RadioButton3, &TElRadioButton::OnClick, this, &TRaiseCorps::RadioButton3Click);
    connect(ui_->ListBox2, &TElAdvancedListBox::OnClick, this, &TRaiseCorps::ListBox2Click);
    connect(ui_->ListBox3, &TElAdvancedListBox::OnClick, this, &TRaiseCorps::ListBox3Click);
}

TRaiseCorps::~TRaiseCorps() = default;

void TRaiseCorps::ChooseFormationKind(int kind) {
    if (!ChooseFormation(raising_, kind)) return;
    // The choice cannot be changed afterwards.
    TElRadioButton* const radios[] = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3};
    for (int k = 0; k < 3; ++k)
        if (k != kind) radios[k]->setEnabled(false);
    // Only a corps renames the heading; a division keeps asking for the type.
    if (kind == kFormationCorps) ui_->Label6->SetCaption(GameText(368));
    leaders_ = FormationLeaders(raising_);
    ui_->ListBox2->Items().Clear();
    for (int l : leaders_) ui_->ListBox2->Items().Add(ToQString(GameRec->Leaders[l].Name.str()));
    ui_->ListBox2->show();
    ui_->ListBox2->setEnabled(true);
}

void TRaiseCorps::ListBox2Click() {
    const int row = ui_->ListBox2->ItemIndex();
    if (row < 0 || row >= static_cast<int>(leaders_.size()) || !ChooseCorpsLeader(raising_, leaders_[row])) return;
    ui_->ListBox3->show();
    ui_->ListBox3->setEnabled(!cities_.empty());
    if (raising_.city != 0) ShowLimit();
}

void TRaiseCorps::ListBox3Click() {
    const int row = ui_->ListBox3->ItemIndex();
    if (row < 0 || row >= static_cast<int>(cities_.size())) return;
    brigades_ = ChooseRaisingCity(raising_, cities_[row]);
    ui_->ListBox1->Items().Clear();
    for (int b : brigades_) ui_->ListBox1->Items().Add(ToQString(RaisingBrigadeText(b)));
    ui_->ListBox1->show();
    ui_->ListBox1->setEnabled(true);
    ui_->Label6->show();
    ShowLimit();
}

void TRaiseCorps::ShowLimit() {
    ui_->Label2->SetCaption(QString::number(ShownBrigadeLimit(raising_)));
    ui_->Label2->show();
}

std::vector<int> TRaiseCorps::SelectedBrigades() const {
    std::vector<int> out;
    for (int row = 0; row < static_cast<int>(brigades_.size()); ++row)
        if (ui_->ListBox1->Selected(row)) out.push_back(brigades_[row]);
    return out;
}

void ShowRaiseCorps() {
    SetScreenCursor(crDefault);
    TCorpsRaising raising;
    if (!BeginCorpsRaising(raising)) return;
    std::vector<int> chosen;
    {
        TRaiseCorps dialog(raising);
        dialog.ShowModal();
        chosen = dialog.SelectedBrigades();
    }
    FinishCorpsRaising(raising, chosen);
}

}  // namespace kvt::gui
