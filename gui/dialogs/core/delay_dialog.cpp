// The movement delay dialog.
#include "gui/dialogs/core/delay_dialog.h"

#include "engine/view/main_menu.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_delay_dialog.h"

namespace kvt::gui {

TDelayForm::TDelayForm(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TDelayForm>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    background_ = LoadDialogPicture(QStringLiteral("bg_delay.bmp"), size());
    MakeBorderless(*this);
    setWindowTitle(GameText(398));
    ui_->Button1->SetCaption(GameText(399));
    ui_->Button2->SetCaption(GameText(400));
    ui_->Button3->SetCaption(GameText(401));
    ui_->Button4->SetCaption(GameText(409));
    ui_->Button5->SetCaption(GameText(410));
    CentreOnScreen(*this);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TDelayForm::Button1Click);
    connect(ui_->Button2, &TElGraphicButton::OnClick, this, &TDelayForm::Button2Click);
    connect(ui_->Button3, &TElGraphicButton::OnClick, this, &TDelayForm::Button3Click);
    connect(ui_->Button4, &TElGraphicButton::OnClick, this, &TDelayForm::Button4Click);
    connect(ui_->Button5, &TElGraphicButton::OnClick, this, &TDelayForm::Button5Click);
}

TDelayForm::~TDelayForm() = default;

void TDelayForm::paintEvent(QPaintEvent*) {
    // Without its picture the frameless box still stands out from the map.
    if (!PaintDialogPicture(*this, background_)) PaintRaisedEdge(*this);
}

void TDelayForm::Button1Click() { SetMovementDelay(1); }
void TDelayForm::Button2Click() { SetMovementDelay(2); }
void TDelayForm::Button3Click() { SetMovementDelay(3); }
void TDelayForm::Button4Click() { SetMovementDelay(4); }
void TDelayForm::Button5Click() { SetMovementDelay(5); }

void ShowDelayDialog() {
    // Chosen in the middle of a turn too, under the hourglass: the player picks with the arrow,
    // and the turn goes on under the cursor it had.
    const TCursor before = ScreenCursor();
    SetScreenCursor(crDefault);
    {
        TDelayForm dialog;
        dialog.ShowModal();
    }
    SetScreenCursor(before);
}

}  // namespace kvt::gui
