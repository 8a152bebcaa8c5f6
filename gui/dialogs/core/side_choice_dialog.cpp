// The side choice.
#include "gui/dialogs/core/side_choice_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_side_choice_dialog.h"

namespace kvt::gui {

Tsideselect::Tsideselect(bool unionEnabled, bool confederacyEnabled, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::Tsideselect>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    background_ = LoadDialogPicture(QStringLiteral("bg_side_choice.bmp"), size());
    setWindowTitle(GameText(397));
    ui_->Button1->setEnabled(unionEnabled);
    ui_->Button2->setEnabled(confederacyEnabled);
    CentreOnScreen(*this);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &Tsideselect::Button1Click);
    connect(ui_->Button2, &TElGraphicButton::OnClick, this, &Tsideselect::Button2Click);
}

Tsideselect::~Tsideselect() = default;

void Tsideselect::paintEvent(QPaintEvent*) { PaintDialogPicture(*this, background_); }

int ShowSideChoiceDialog(bool unionEnabled, bool confederacyEnabled) {
    if (!unionEnabled && !confederacyEnabled) return 0;
    SetScreenCursor(crDefault);
    Tsideselect dialog(unionEnabled, confederacyEnabled);
    dialog.ShowModal();
    return dialog.Side();
}

}  // namespace kvt::gui
