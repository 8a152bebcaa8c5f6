// The choice notice layout.
#include "gui/dialogs/core/choice_notice.h"

#include "engine/world/notice.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_choice_notice.h"

namespace kvt::gui {

TChoiceNotice::TChoiceNotice(int kind, const char* background, QWidget* parent)
    : TNoticeForm(kind, background, parent), ui_(std::make_unique<Ui::TChoiceNotice>()) {
    ui_->setupUi(this);
    labels_ = {nullptr, ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label5,
               ui_->Label6, ui_->Label7, ui_->Label8, ui_->Label9, ui_->Label10};
    radios_ = {nullptr, ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3,
               ui_->RadioButton4, ui_->RadioButton5, ui_->RadioButton6};
    Prepare(ui_->Image1, ui_->Button1);
    const QFont choiceFont = MakeFont(QStringLiteral("Times New Roman"), -15);
    for (int k = 5; k <= 10; ++k) labels_[k]->setFont(choiceFont);
}

TChoiceNotice::~TChoiceNotice() = default;

void TChoiceNotice::FillNotice() {
    for (int k = 1; k <= 6; ++k) {
        radios_[k]->SetChecked(false);
        radios_[k]->hide();
    }
    for (int k = 5; k <= 10; ++k) labels_[k]->hide();
    ShowLines({nullptr, labels_[1], labels_[2], labels_[3], labels_[4]});
    for (int k = 1; k <= 6; ++k) {
        if (!NoticeChoices[k].Offered) continue;
        labels_[4 + k]->SetCaption(ToQString(NoticeChoices[k].Caption.str()));
        labels_[4 + k]->show();
        radios_[k]->show();
    }
    // The first offered choice starts checked, also when choice 1 is not offered: otherwise the
    // question could be closed with no choice at all.
    const int first = FirstOfferedChoice();
    if (first != 0) radios_[first]->SetChecked(true);
    ui_->Button1->setEnabled(true);
}

void TChoiceNotice::WriteAnswer() {
    for (int k = 1; k <= 6; ++k)
        if (radios_[k]->GetChecked()) EventNotice.Answer = static_cast<std::uint16_t>(k);
}

}  // namespace kvt::gui
