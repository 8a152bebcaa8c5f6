// Help viewer.
#include "gui/platform/help_viewer.h"

#include <QCursor>
#include <QFile>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/platform/message_box.h"

namespace kvt::gui {
namespace {
QString gHelpFile = QStringLiteral("KVT.HLP");
}

void SetApplicationHelpFile(const QString& path) { gHelpFile = path; }
QString ApplicationHelpFile() { return gHelpFile; }

THelpViewer::THelpViewer(QWidget* parent) : TForm(parent) {
    setWindowTitle(QStringLiteral("Help"));
    resize(560, 480);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    layout->addWidget(browser_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(new TMessageButton(QStringLiteral("Close"), mrCancel, true, this));
    layout->addLayout(row);
}

bool THelpViewer::Open(const QString& helpFile, const QString& topic) {
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) return false;
    browser_->setHtml(QString::fromUtf8(file.readAll()));
    setWindowTitle(QStringLiteral("Help - ") + topic);
    topic_ = topic;
    if (!topic.isEmpty()) browser_->scrollToAnchor(topic);
    return true;
}

void THelpViewer::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    // The layout is only final once shown: scroll again so the topic is at the top.
    if (!topic_.isEmpty()) browser_->scrollToAnchor(topic_);
}

namespace {
void ShowHelp(QWidget* parent, const QString& topic, bool popup) {
    THelpViewer viewer(parent);
    if (!viewer.Open(gHelpFile, topic)) {
        ShowInformationBox(parent, QStringLiteral("The help file ") + gHelpFile + QStringLiteral(" cannot be opened."));
        return;
    }
    if (popup) viewer.setGeometry(QRect(QCursor::pos(), QSize(320, 200)));
    viewer.ShowModal();
}
}  // namespace

void ShowHelpTopic(QWidget* parent, const QString& topic) { ShowHelp(parent, topic, false); }

void ShowHelpContext(QWidget* parent, int context, bool popup) { ShowHelp(parent, QString::number(context), popup); }

}  // namespace kvt::gui
