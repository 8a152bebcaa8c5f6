// The general conditions dialog.
#include "gui/dialogs/command/general_conditions_dialog.h"

#include "engine/orders/general_conditions.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_general_conditions_dialog.h"

namespace kvt::gui {

TCondition::TCondition(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TCondition>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Button1->SetCaption(GameText(66));
    const std::pair<TElLabel*, int> captions[] = {
        {ui_->InternationalCaption, 267}, {ui_->USAPrestigeCaption, 268}, {ui_->CSAPrestigeCaption, 269},
        {ui_->SeaboardCaption, 270},      {ui_->WestCaption, 271},        {ui_->MississippiCaption, 272}};
    for (const auto& [label, text] : captions) label->SetCaption(GameText(text));
    const TGeneralConditions g = ReadGeneralConditions();
    ui_->InternationalGuage->setValue(g.international);
    ui_->USAPrestigeGuage->setValue(g.unionPrestige);
    ui_->CSAPrestigeGuage->setValue(g.confederatePrestige);
    ui_->InterveneGuage->setValue(g.intervention);
    ui_->SeaboardWeather->SetCaption(ToQString(g.weather[0]));
    ui_->WestWeather->SetCaption(ToQString(g.weather[1]));
    ui_->MississippiWeather->SetCaption(ToQString(g.weather[2]));
    CentreOnScreen(*this);
}

TCondition::~TCondition() = default;

void TCondition::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void ShowGeneralConditions() {
    ShowBuiltModal<TCondition>();
}

}  // namespace kvt::gui
