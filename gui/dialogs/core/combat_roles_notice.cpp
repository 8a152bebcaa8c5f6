// The combat roles notice.
#include "gui/dialogs/core/combat_roles_notice.h"

#include "ui_combat_roles_notice.h"

namespace kvt::gui {

TCombat_Roles::TCombat_Roles(QWidget* parent)
    : TNoticeForm(11, "bg_notice_black_soldiers.bmp", parent), ui_(std::make_unique<Ui::TCombat_Roles>()) {
    ui_->setupUi(this);
    Prepare(ui_->Image1, ui_->Button1);
}

TCombat_Roles::~TCombat_Roles() = default;

void TCombat_Roles::FillNotice() {
    for (TElLabel* label : {ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8, ui_->Label9, ui_->Label10}) label->hide();
    ShowLines({nullptr, ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4});
}

}  // namespace kvt::gui
