// The end-of-game dialog.
#include "gui/dialogs/core/post_mortem_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_post_mortem_dialog.h"

namespace kvt::gui {

TVictory::TVictory(const TPostMortem& t, QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TVictory>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->Image1->setGeometry(rect());
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_victory.bmp"), size()));
    const QFont font = MakeFont(QStringLiteral("Times New Roman"), -16);
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(font);
    const QFont bold = MakeFont(QStringLiteral("Times New Roman"), -16, true);
    for (TElLabel* label : {ui_->Label1, ui_->Label23, ui_->Label24, ui_->Label25, ui_->Label26, ui_->Label27})
        label->setFont(bold);

    TElLabel* const titles[] = {ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8};
    TElLabel* const unionValues[] = {ui_->Label9, ui_->Label10, ui_->Label11, ui_->Label12, ui_->Label13, ui_->Label14, ui_->Label15};
    TElLabel* const confederateValues[] = {ui_->Label16, ui_->Label17, ui_->Label18, ui_->Label19,
                                           ui_->Label20, ui_->Label21, ui_->Label22};
    for (std::size_t row = 0; row < t.rowTitles.size(); ++row) {
        titles[row]->SetCaption(ToQString(t.rowTitles[row]));
        unionValues[row]->SetCaption(QString::number(t.unionValues[row]));
        confederateValues[row]->SetCaption(QString::number(t.confederateValues[row]));
    }
    ui_->Label23->SetCaption(ToQString(t.territorialCaption));
    ui_->Label24->SetCaption(ToQString(t.militaryCaption));
    ui_->Label25->SetCaption(ToQString(t.territorialVerdict));
    ui_->Label26->SetCaption(ToQString(t.militaryVerdict));
    ui_->Label27->SetCaption(ToQString(t.capitalLine));

    CentreOnScreen(*this);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TVictory::Button1Click);
    connect(ui_->Button2, &TElGraphicButton::OnClick, this, &TVictory::Button2Click);
}

TVictory::~TVictory() = default;

PostMortemChoice ShowPostMortemDialog(const TPostMortem& tallies) {
    TVictory dialog(tallies);
    while (!dialog.Choice()) dialog.ShowModal();
    return *dialog.Choice();
}

}  // namespace kvt::gui
