// The general force status dialog.
#include "gui/dialogs/command/force_status_dialog.h"

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_force_status_dialog.h"

namespace kvt::gui {

TForceStatus::TForceStatus(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TForceStatus>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Button1->SetCaption(GameText(66));
    ShowStatus();
    CentreOnScreen(*this);
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TForceStatus::ListBox1Click);
}

TForceStatus::~TForceStatus() = default;

void TForceStatus::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TForceStatus::ShowStatus() {
    view_ = OpenForceStatus();
    for (const auto& [n, text] : view_.labels)
        if (auto* label = findChild<TElLabel*>(QStringLiteral("Label%1").arg(n))) label->SetCaption(ToQString(text));
    ShowRows(ui_->ListBox1, view_.capitals, view_.capitalRow);
}

void TForceStatus::ListBox1Click() {
    // Shown anew either way: the capital's row is chosen again after Cancel, as after a move.
    ChooseCapital(view_, ui_->ListBox1->ItemIndex());
    ShowStatus();
}

void ShowForceStatus() {
    ShowBuiltModal<TForceStatus>();
}

}  // namespace kvt::gui
