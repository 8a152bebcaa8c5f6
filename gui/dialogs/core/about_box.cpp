// The about box.
#include "gui/dialogs/core/about_box.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_about_box.h"

namespace kvt::gui {

TAboutBox::TAboutBox(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TAboutBox>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), -22, true));
    ui_->Label2->setFont(MakeFont(QStringLiteral("Times New Roman"), -15));
    ui_->Button1->SetCaption(GameText(477));
    CentreOnScreen(*this);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void ShowAbout() {
    TAboutBox dialog;
    dialog.ShowModal();
}

}  // namespace kvt::gui
