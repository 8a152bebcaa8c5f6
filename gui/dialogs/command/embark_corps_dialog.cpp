// The embark dialog.
#include "gui/dialogs/command/embark_corps_dialog.h"

#include "engine/world/globals.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_embark_corps_dialog.h"

namespace kvt::gui {

TEmbarkCorps::TEmbarkCorps(int fleet, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TEmbarkCorps>()), choice_(fleet) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("Times New Roman"), -15));
    setWindowTitle(GameText(594));
    const std::string capacity = choice_.CapacityText();
    if (!capacity.empty()) ui_->Label2->SetCaption(ToQString(capacity));
    ShowRows(ui_->ListBox1, choice_.Rows());
    CentreOnScreen(*this);
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TEmbarkCorps::ListBox1Click);
}

TEmbarkCorps::~TEmbarkCorps() = default;

void TEmbarkCorps::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TEmbarkCorps::ListBox1Click() { choice_.ChooseRow(ui_->ListBox1->ItemIndex()); }

void ShowEmbarkCorps() {
    TEmbarkCorps dialog(SelectedFleet);
    SetScreenCursor(crDefault);
    dialog.ShowModal();
}

}  // namespace kvt::gui
