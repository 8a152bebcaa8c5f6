// Message boxes in place of the platform's: fixed look, so screenshots repeat on every machine.
#include "gui/platform/message_box.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kvt::gui {

TMessageBox::TMessageBox(QWidget* parent, Kind kind, const QString& text, bool withCancel) : QDialog(parent) {
    setWindowTitle(QApplication::applicationDisplayName());
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const QStyle::StandardPixmap pix =
        kind == Kind::Information ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxWarning;
    icon->setPixmap(style()->standardIcon(pix).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    text_ = new QLabel(text, this);
    text_->setWordWrap(true);
    text_->setMinimumWidth(260);
    row->addWidget(text_, 1);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    buttons->addWidget(ok_);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    if (withCancel) {
        cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
        buttons->addWidget(cancel_);
        connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

void ShowInformationBox(QWidget* parent, const QString& text) {
    TMessageBox box(parent, TMessageBox::Kind::Information, text, false);
    box.exec();
}

bool ShowConfirmBox(QWidget* parent, const QString& text) {
    TMessageBox box(parent, TMessageBox::Kind::Warning, text, true);
    return box.exec() == QDialog::Accepted;
}

}  // namespace kvt::gui
