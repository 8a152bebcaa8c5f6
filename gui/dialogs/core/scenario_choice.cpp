// The scenario choice.
#include "gui/dialogs/core/scenario_choice.h"

#include <QCloseEvent>

#include "engine/world/notice.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_scenario_choice.h"

namespace kvt::gui {

namespace {
void SetAnswer(int answer) { EventNotice.Answer = static_cast<std::uint16_t>(answer); }
}  // namespace

TIntro_Load::TIntro_Load(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TIntro_Load>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    background_ = LoadDialogPicture(QStringLiteral("bg_scenario_choice.bmp"), size());
    ui_->GroupBox1->SetCaption(GameText(607));
    ui_->RadioButton1->SetCaption(GameText(608));
    ui_->RadioButton2->SetCaption(GameText(609));
    ui_->RadioButton3->SetCaption(GameText(610));
    ui_->RadioButton4->SetCaption(GameText(611));
    setWindowTitle(GameText(612));
    CentreOnScreen(*this);
    connect(ui_->RadioButton1, &TElRadioButton::OnClick, this, &TIntro_Load::RadioButton1Click);
    connect(ui_->RadioButton2, &TElRadioButton::OnClick, this, &TIntro_Load::RadioButton2Click);
    connect(ui_->RadioButton3, &TElRadioButton::OnClick, this, &TIntro_Load::RadioButton3Click);
    connect(ui_->RadioButton4, &TElRadioButton::OnClick, this, &TIntro_Load::RadioButton4Click);
}

TIntro_Load::~TIntro_Load() = default;

void TIntro_Load::paintEvent(QPaintEvent*) { PaintDialogPicture(*this, background_); }

void TIntro_Load::closeEvent(QCloseEvent* event) {
    // The choice has no Cancel button, so its close is the player's only way to say "none of
    // these": the start-up then asks for a saved game.
    event->ignore();
    SetAnswer(0);
    SetModalResult(mrCancel);
}

void TIntro_Load::RadioButton1Click() { SetAnswer(1); }
void TIntro_Load::RadioButton2Click() { SetAnswer(2); }
void TIntro_Load::RadioButton3Click() { SetAnswer(3); }
void TIntro_Load::RadioButton4Click() { SetAnswer(4); }

void ShowScenarioChoice() {
    TIntro_Load dialog;
    SetAnswer(0);
    dialog.ShowModal();
}

}  // namespace kvt::gui
