// The plain notice layout.
#include "gui/dialogs/core/plain_notice.h"

#include "ui_plain_notice.h"

namespace kvt::gui {

TPlainNotice::TPlainNotice(int kind, const char* background, QWidget* parent)
    : TNoticeForm(kind, background, parent), ui_(std::make_unique<Ui::TPlainNotice>()) {
    ui_->setupUi(this);
    Prepare(ui_->Image1, ui_->Button1);
}

TPlainNotice::~TPlainNotice() = default;

void TPlainNotice::FillNotice() { ShowLines({nullptr, ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4}); }

}  // namespace kvt::gui
