// The state statistics dialog.
#include "gui/dialogs/command/state_statistics_dialog.h"

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_state_statistics_dialog.h"

namespace kvt::gui {

TStatStat::TStatStat(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TStatStat>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Button1->SetCaption(GameText(66));
    spinners_ = {ui_->UpDown1, ui_->UpDown2, ui_->UpDown3, ui_->UpDown4,
                 ui_->UpDown5, ui_->UpDown6, ui_->UpDown7, ui_->UpDown8};
    ShowRows(ui_->StatusBox, statistics_.Rows(), statistics_.SelectedRow());
    ShowState();
    CentreOnScreen(*this);
    connect(ui_->StatusBox, &TElAdvancedListBox::OnClick, this, &TStatStat::StatusBoxClick);
    ConnectSpinnerRow(spinners_);
}

TStatStat::~TStatStat() = default;

void TStatStat::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TStatStat::ShowState() {
    const TStateStatisticsView& v = statistics_.View();
    const bool shown = statistics_.State() != 0;
    if (v.textCaptions) {
        const std::pair<TElLabel*, int> captions[] = {
            {ui_->ListCaption, 395},     {ui_->CapacityCaption, 407}, {ui_->ProductionCaption, 626},
            {ui_->SuppliesCaption, 402}, {ui_->RecruitsCaption, 403}, {ui_->CasualtiesCaption, 404},
            {ui_->SupportCaption, 405},  {ui_->TheatreSuppliesCaption, 406}};
        for (const auto& [label, text] : captions) label->SetCaption(GameText(text));
    }
    ui_->CapitalLabel->SetCaption(ToQString(v.capital));
    ui_->SuppliesValue->SetCaption(ToQString(v.supplies));
    ui_->RecruitsValue->SetCaption(ToQString(v.recruits));
    ui_->CasualtiesValue->SetCaption(ToQString(v.casualties));
    ui_->SupportValue->SetCaption(ToQString(v.support));
    ui_->CapitalLabel->setVisible(shown);
    TElLabel* const weapons[] = {ui_->WeaponCaption1, ui_->WeaponCaption2, ui_->WeaponCaption3, ui_->WeaponCaption4,
                                 ui_->WeaponCaption5, ui_->WeaponCaption6, ui_->WeaponCaption7, ui_->WeaponCaption8};
    TElLabel* const values[] = {ui_->CapacityValue1, ui_->CapacityValue2, ui_->CapacityValue3, ui_->CapacityValue4,
                                ui_->CapacityValue5, ui_->CapacityValue6, ui_->CapacityValue7, ui_->CapacityValue8};
    for (int k = 1; k <= 8; ++k) {
        values[k - 1]->SetCaption(ToQString(v.capacity[static_cast<std::size_t>(k - 1)]));
        values[k - 1]->setVisible(v.productionShown);
        weapons[k - 1]->setVisible(v.productionShown);
    }
    ui_->ProductionCaption->setVisible(v.productionShown);
    ui_->CapacityCaption->setVisible(v.productionShown);
    for (TElSpinButton* spinner : spinners_) spinner->setVisible(v.spinnersShown);
    ui_->TheatreSuppliesValue->SetCaption(ToQString(v.theatreSupplies));
    ui_->TheatreSuppliesValue->setVisible(v.theatreSuppliesShown);
}

void TStatStat::StatusBoxClick() {
    statistics_.ChooseRow(ui_->StatusBox->ItemIndex());
    ShowState();
}

void TStatStat::UpDownClick(int spinner, bool up) {
    statistics_.StepCapacity(StateSpinnerKind(spinner), up);
    ShowState();
}

void ShowStateStatistics() {
    ShowBuiltModal<TStatStat>();
}

}  // namespace kvt::gui
