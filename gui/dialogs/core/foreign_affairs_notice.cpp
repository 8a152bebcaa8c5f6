// The foreign-affairs question.
#include "gui/dialogs/core/foreign_affairs_notice.h"

#include "engine/world/notice.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_foreign_affairs_notice.h"

namespace kvt::gui {

TForeign_Affairs::TForeign_Affairs(QWidget* parent)
    : TNoticeForm(25, "bg_notice_foreign_affairs.bmp", parent), ui_(std::make_unique<Ui::TForeign_Affairs>()) {
    ui_->setupUi(this);
    buttons_ = {nullptr, ui_->Button1, ui_->Button2, ui_->Button3, ui_->Button4, ui_->Button5};
    Prepare(ui_->Image1, nullptr);
    for (int k = 1; k <= 5; ++k)
        connect(buttons_[k], &TElGraphicButton::OnClick, this,
                [k] { EventNotice.Answer = static_cast<std::uint16_t>(k); });
}

TForeign_Affairs::~TForeign_Affairs() = default;

void TForeign_Affairs::FillNotice() {
    const auto faces = ForeignAffairsButtons();
    for (int k = 1; k <= 5; ++k) {
        buttons_[k]->setVisible(faces[k].shown);
        if (faces[k].shown) buttons_[k]->SetCaption(ToQString(faces[k].caption));
    }
    ShowLines({nullptr, ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4});
}

}  // namespace kvt::gui
