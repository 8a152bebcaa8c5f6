// The city production dialog.
#include "gui/dialogs/command/city_production_dialog.h"

#include "engine/world/game_record.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_city_production_dialog.h"

namespace kvt::gui {

TCtyProdn::TCtyProdn(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TCtyProdn>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    const std::pair<TElLabel*, int> captions[] = {
        {ui_->CapacityCaption, 263}, {ui_->ProducedCaption, 264}, {ui_->IroncladCaption, 265}, {ui_->WoodenCaption, 266},
        {ui_->WoodenNote, 624},      {ui_->SuppliesCaption, 625}, {ui_->StateCaption, 289},    {ui_->FortCaption, 290},
        {ui_->DepotCaption, 291},    {ui_->RailCaption, 292},     {ui_->RiverCaption, 293},    {ui_->PortCaption, 294}};
    for (const auto& [label, text] : captions) label->SetCaption(GameText(text));
    ui_->Button1->SetCaption(GameText(66));
    spinners_ = {ui_->UpDown1, ui_->UpDown2, ui_->UpDown3, ui_->UpDown4, ui_->UpDown5,
                 ui_->UpDown6, ui_->UpDown7, ui_->UpDown8, ui_->UpDown9, ui_->UpDown10};
    ShowRows(ui_->FactoryLst, production_.Rows(), production_.SelectedRow());
    ShowCity();
    CentreOnScreen(*this);
    connect(ui_->FactoryLst, &TElAdvancedListBox::OnClick, this, &TCtyProdn::FactoryLstClick);
    ConnectSpinnerRow(spinners_);
}

TCtyProdn::~TCtyProdn() = default;

void TCtyProdn::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TCtyProdn::ShowCity() {
    const TCityProductionView& v = production_.View();
    const std::pair<TElLabel*, const std::string*> values[] = {
        {ui_->StateValue, &v.state},         {ui_->FortValue, &v.fort},           {ui_->DepotValue, &v.depot},
        {ui_->RailValue, &v.railLink},       {ui_->RiverValue, &v.riverLink},     {ui_->PortValue, &v.portFacilities},
        {ui_->IroncladValue, &v.ironcladYards}, {ui_->WoodenValue, &v.woodenYards}, {ui_->SuppliesValue, &v.supplies}};
    for (const auto& [label, text] : values) label->SetCaption(ToQString(*text));
    TElLabel* const rows[] = {ui_->ProductionValue1, ui_->ProductionValue2, ui_->ProductionValue3, ui_->ProductionValue4,
                              ui_->ProductionValue5, ui_->ProductionValue6, ui_->ProductionValue7, ui_->ProductionValue8};
    for (std::size_t k = 0; k < 8; ++k) rows[k]->SetCaption(ToQString(v.production[k]));
    for (std::size_t n = 0; n < spinners_.size(); ++n) spinners_[n]->setVisible(v.spinnerShown[n]);
    ui_->UpDown9->setEnabled(v.yardsEnabled);
    ui_->UpDown10->setEnabled(v.yardsEnabled);
}

void TCtyProdn::FactoryLstClick() {
    production_.ChooseRow(ui_->FactoryLst->ItemIndex());
    ShowCity();
}

void TCtyProdn::UpDownClick(int spinner, bool up) {
    if (spinner <= kWeaponKinds) production_.StepProduction(spinner, up);
    else production_.StepYards(spinner == 9, up);
    ShowCity();
}

void ShowCityProduction() {
    ShowBuiltModal<TCtyProdn>();
}

}  // namespace kvt::gui
