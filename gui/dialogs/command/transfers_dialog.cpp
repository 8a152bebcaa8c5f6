// The supply and cotton transfers dialog.
#include "gui/dialogs/command/transfers_dialog.h"

#include <QPainter>

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_transfers_dialog.h"

namespace kvt::gui {

TTransfers::TTransfers(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TTransfers>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    setWindowTitle(GameText(408));
    TElLabel* const routes[] = {ui_->RouteLabel1, ui_->RouteLabel2, ui_->RouteLabel3,
                                ui_->RouteLabel4, ui_->RouteLabel5, ui_->RouteLabel6};
    for (int i = 0; i < 6; ++i) routes[i]->SetCaption(GameText(632 + i));
    ui_->RailCapacityLabel->SetCaption(GameText(412));
    ui_->RailUsedLabel->SetCaption(GameText(413));
    TElLabel* const stocks[] = {ui_->StockLabel1, ui_->StockLabel2, ui_->StockLabel3,
                                ui_->StockLabel4, ui_->StockLabel5, ui_->StockLabel6};
    for (int i = 0; i < 6; ++i) stocks[i]->SetCaption(GameText(414 + i));
    ui_->Button1->SetCaption(GameText(66));

    // The radio boxes stand on the dialog's own plain face.
    QImage face(size(), QImage::Format_RGB32);
    face.fill(palette().color(QPalette::Window));
    TElRadioButton* const buttons[] = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3,
                                       ui_->RadioButton4, ui_->RadioButton5, ui_->RadioButton6};
    using Handler = void (TTransfers::*)();
    const Handler switches[] = {&TTransfers::RadioButton1Click, &TTransfers::RadioButton2Click, &TTransfers::RadioButton3Click,
                                &TTransfers::RadioButton4Click, &TTransfers::RadioButton5Click, &TTransfers::RadioButton6Click};
    for (int b = 1; b <= 6; ++b) {
        TElRadioButton* button = buttons[b - 1];
        button->SetCaption(GameText(b % 2 == 1 ? 180 : 181));
        // All three pairs start on supplies.
        if (b % 2 == 1) button->SetChecked(true);
        connect(button, &TElRadioButton::OnClick, this, switches[b - 1]);
    }
    for (TNewRadBox* box : {ui_->NewRadBox1, ui_->NewRadBox2, ui_->NewRadBox3}) box->CopyBackground(face, box->pos());

    ConnectSpinnerRow({ui_->UpDown1, ui_->UpDown2, ui_->UpDown3});
    connect(ui_->UpDown4, &TElSpinButton::OnUpClick, this, &TTransfers::UpDown4UpClick);
    ui_->UpDown4->SetDownArrowEnabled(false);
    ShowStocks();
    CentreOnScreen(*this);
}

TTransfers::~TTransfers() = default;

void TTransfers::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TTransfers::ShowStocks() {
    const TTransfersView v = transfers_.View();
    ui_->RailCapacityValue->SetCaption(ToQString(v.railCapacity));
    ui_->RailUsedValue->SetCaption(ToQString(v.railUsed));
    TElLabel* const stocks[] = {ui_->StockValue1, ui_->StockValue2, ui_->StockValue3,
                                ui_->StockValue4, ui_->StockValue5, ui_->StockValue6};
    for (std::size_t t = 0; t < 3; ++t) {
        stocks[2 * t]->SetCaption(ToQString(v.supplies[t]));
        stocks[2 * t + 1]->SetCaption(ToQString(v.cotton[t]));
    }
    for (TElSpinButton* move : {ui_->UpDown1, ui_->UpDown2, ui_->UpDown3}) move->setEnabled(v.movesEnabled);
}

void TTransfers::RadioButtonClick(int button) {
    transfers_.SetGoods((button + 1) / 2, button % 2 == 1 ? TGoods::Supplies : TGoods::Cotton);
}

void TTransfers::UpDownClick(int pair, bool up) {
    transfers_.Move(pair, up);
    ShowStocks();
}

void TTransfers::UpDown4UpClick() {
    transfers_.BuyRailCapacity();
    ShowStocks();
}

void ShowTransfers() {
    ShowBuiltModal<TTransfers>();
}

}  // namespace kvt::gui
