// The leader-casualty dialog.
#include "gui/dialogs/combat/leader_casualty_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_leader_casualty_dialog.h"

namespace kvt::gui {

TLdr_Dead::TLdr_Dead(const TLeaderSuccessorView& v, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TLdr_Dead>()), view_(v) {
    ui_->setupUi(this);
    Dress("bg_leader_casualty.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(14));
    for (TElLabel* label : {ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4}) label->setFont(BattleFont(14, true));
    ui_->ListBox1->setFont(BattleFont(14));
    ui_->Button1->setFont(BattleFont(14, true));
    setWindowTitle(ToQString(v.caption));
    ui_->Button1->SetCaption(ToQString(v.okCaption));
    for (const TSuccessorLine& line : v.lines) ui_->ListBox1->Items().Add(ToQString(line.text));
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TLdr_Dead::ListBox1Click);
}

TLdr_Dead::~TLdr_Dead() = default;

void TLdr_Dead::ListBox1Click() {
    const int line = ui_->ListBox1->ItemIndex();
    if (line < 0 || line >= static_cast<int>(view_.lines.size())) return;
    chosen_ = line;
    const TSuccessorLine& l = view_.lines[static_cast<std::size_t>(line)];
    ui_->Label5->SetCaption(ToQString(l.initiative));
    ui_->Label6->SetCaption(ToQString(l.rating));
    ui_->Label7->SetCaption(ToQString(l.drill));
    ui_->Label8->SetCaption(ToQString(l.tactics));
}

int ChooseLeaderSuccessorDialog(const TLeaderSuccessorView& view) {
    TLdr_Dead form(view);
    form.ShowModal();
    return form.Chosen();
}

}  // namespace kvt::gui
