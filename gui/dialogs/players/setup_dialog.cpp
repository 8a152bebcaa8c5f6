// The new-game setup dialog.
#include "gui/dialogs/players/setup_dialog.h"

#include <utility>

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_setup_dialog.h"

namespace kvt::gui {

namespace {

// The text shown beside each radio button; rows with fixed captions keep the layout's.
constexpr std::pair<const char*, int> kChoiceTexts[] = {
    {"RadioButton20", 381}, {"RadioButton27", 382}, {"RadioButton1", 389},  {"RadioButton2", 390},
    {"RadioButton7", 391},  {"RadioButton8", 392},  {"RadioButton9", 393},  {"RadioButton10", 389},
    {"RadioButton11", 351}, {"RadioButton18", 350}, {"RadioButton16", 384}, {"RadioButton17", 385},
    {"RadioButton19", 386}, {"RadioButton21", 683}, {"RadioButton22", 684}, {"RadioButton23", 685},
    {"RadioButton24", 683}, {"RadioButton25", 684}, {"RadioButton26", 685}, {"RadioButton3", 681},
    {"RadioButton4", 682},  {"RadioButton5", 681},  {"RadioButton6", 682},
};
// Row titles: the label at the top of the box.
constexpr std::pair<const char*, int> kTitleTexts[] = {
    {"NewRadBox2", 387}, {"NewRadBox3", 387}, {"NewRadBox4", 388}, {"NewRadBox5", 383}};

// The label on the same line as the radio button, in the same box.
TElLabel* LabelBeside(const TElRadioButton* radio) {
    for (TElLabel* label : radio->parentWidget()->findChildren<TElLabel*>(Qt::FindDirectChildrenOnly))
        if (label->y() == radio->y() && label->x() > radio->x()) return label;
    return nullptr;
}

TElLabel* TitleOf(const QWidget* box) {
    TElLabel* top = nullptr;
    for (TElLabel* label : box->findChildren<TElLabel*>(Qt::FindDirectChildrenOnly))
        if (!top || label->y() < top->y()) top = label;
    return top;
}

}  // namespace

TSetUp::TSetUp(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TSetUp>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    const QImage picture = LoadDialogPicture(QStringLiteral("bg_setup.bmp"), size());
    ui_->Image1->setGeometry(rect());
    ui_->Image1->SetPicture(picture);
    const QFont font = MakeFont(QStringLiteral("Times New Roman"), -14);
    for (QWidget* w : findChildren<QWidget*>()) w->setFont(font);
    ui_->TitleLabel->setFont(MakeFont(QStringLiteral("Times New Roman"), -22, true));
    for (TNewRadBox* box : findChildren<TNewRadBox*>()) box->CopyBackground(picture, box->pos());
    CaptionFromTexts();

    // The rows the dialog opens with: both sides played by persons, face to face.
    for (TElRadioButton* r : {ui_->RadioButton27, ui_->RadioButton1, ui_->RadioButton8, ui_->RadioButton10,
                              ui_->RadioButton17, ui_->RadioButton13, ui_->RadioButton3, ui_->RadioButton5,
                              ui_->RadioButton28, ui_->RadioButton21, ui_->RadioButton24})
        r->SetChecked(true);
    ui_->NewRadBox8->hide();
    ui_->NewRadBox7->hide();
    ui_->NewRadBox12->setVisible(SetupBorderRowShown());

    ShareClicksWithLabels();
    connect(ui_->RadioButton3, &TElRadioButton::OnClick, this, &TSetUp::RadioButton3Click);
    connect(ui_->RadioButton4, &TElRadioButton::OnClick, this, &TSetUp::RadioButton4Click);
    connect(ui_->RadioButton5, &TElRadioButton::OnClick, this, &TSetUp::RadioButton5Click);
    connect(ui_->RadioButton6, &TElRadioButton::OnClick, this, &TSetUp::RadioButton6Click);
    connect(ui_->RadioButton28, &TElRadioButton::OnClick, this, &TSetUp::RadioButton28Click);
    connect(ui_->RadioButton29, &TElRadioButton::OnClick, this, &TSetUp::RadioButton29Click);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TSetUp::Button1Click);
    CentreOnScreen(*this);
}

TSetUp::~TSetUp() = default;

void TSetUp::CaptionFromTexts() {
    setWindowTitle(GameText(680));
    ui_->TitleLabel->SetCaption(GameText(680));
    ui_->Button1->SetCaption(GameText(66));
    for (const auto& [name, text] : kChoiceTexts)
        if (auto* radio = findChild<TElRadioButton*>(QLatin1String(name)))
            if (TElLabel* label = LabelBeside(radio)) label->SetCaption(GameText(text));
    for (const auto& [name, text] : kTitleTexts)
        if (auto* box = findChild<TNewRadBox*>(QLatin1String(name))) TitleOf(box)->SetCaption(GameText(text));
}

void TSetUp::ShareClicksWithLabels() {
    for (TElRadioButton* radio : findChildren<TElRadioButton*>())
        if (TElLabel* label = LabelBeside(radio))
            // A click on the label is a click on the button: its handler runs even when the
            // button was already checked, as it does for the button itself.
            connect(label, &TElLabel::OnClick, radio, [radio] { radio->Click(); });
}

void TSetUp::PlayerChosen(bool person, QWidget* handicapRow, TElRadioButton* evenTerms) {
    handicapRow->setVisible(!person);
    if (!person) {
        evenTerms->SetChecked(true);
        ui_->NewRadBox11->hide();
        ui_->RadioButton28->SetChecked(false);
        ui_->RadioButton29->SetChecked(false);
    } else if (ui_->RadioButton3->GetChecked() && ui_->RadioButton5->GetChecked()) {
        ui_->NewRadBox11->show();
        ui_->RadioButton28->SetChecked(true);
    }
}

void TSetUp::RadioButton3Click() { PlayerChosen(true, ui_->NewRadBox8, ui_->RadioButton21); }
void TSetUp::RadioButton4Click() { PlayerChosen(false, ui_->NewRadBox8, ui_->RadioButton21); }
void TSetUp::RadioButton5Click() { PlayerChosen(true, ui_->NewRadBox7, ui_->RadioButton24); }
void TSetUp::RadioButton6Click() { PlayerChosen(false, ui_->NewRadBox7, ui_->RadioButton24); }
// The kind of game is the engine's to derive when the dialog closes.
void TSetUp::RadioButton28Click() {}
void TSetUp::RadioButton29Click() {}
void TSetUp::Button1Click() { finished_ = true; }

TSetupChoices TSetUp::Choices() const {
    using C = TSetupChoices;
    const Ui::TSetUp& u = *ui_;
    C c;
    c.fullCampaign = u.RadioButton20->GetChecked();
    c.ratings = u.RadioButton2->GetChecked() ? C::Ratings::SlightVariation
                : u.RadioButton7->GetChecked() ? C::Ratings::Random
                                            : C::Ratings::AsInHistory;
    c.ratingsShown = u.RadioButton9->GetChecked();
    c.slavery = u.RadioButton11->GetChecked() ? C::Slavery::CombatRoles
                : u.RadioButton18->GetChecked() ? C::Slavery::Emancipation
                                             : C::Slavery::AsInHistory;
    c.intervention = u.RadioButton16->GetChecked() ? C::Intervention::Never
                     : u.RadioButton19->GetChecked() ? C::Intervention::Likely
                                                  : C::Intervention::AsInHistory;
    c.capital = u.RadioButton12->GetChecked() ? C::Capital::Montgomery
                : u.RadioButton14->GetChecked() ? C::Capital::Raleigh
                : u.RadioButton15->GetChecked() ? C::Capital::Atlanta
                                             : C::Capital::Richmond;
    c.unionPerson = !u.RadioButton4->GetChecked();
    c.confederatePerson = !u.RadioButton6->GetChecked();
    c.unionHandicap = u.RadioButton22->GetChecked() ? 1 : u.RadioButton23->GetChecked() ? 2 : 0;
    c.confederateHandicap = u.RadioButton25->GetChecked() ? 1 : u.RadioButton26->GetChecked() ? 2 : 0;
    c.mail = !u.NewRadBox11->isHidden() && u.RadioButton29->GetChecked();
    const bool borderRow = !u.NewRadBox12->isHidden();
    c.kentucky = borderRow && u.CheckBox1->GetChecked();
    c.missouri = borderRow && u.CheckBox2->GetChecked();
    return c;
}

TSetupChoices ShowGameSetupDialog() {
    SetScreenCursor(crDefault);
    TSetUp dialog;
    while (!dialog.Finished()) dialog.ShowModal();
    return dialog.Choices();
}

}  // namespace kvt::gui
