// Help viewer.
#include "gui/platform/help_viewer.h"

#include <QCursor>
#include <QFile>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "engine/world/file_reading.h"
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

bool THelpViewer::Open(const QString& helpFile, const QString& topic, QString* error) {
    // Read as the game's other files are: a pipe at the name would hang the window, a link to a
    // device never end.
    std::string content;
    std::uint64_t size = 0;
    const ReadOutcome outcome =
        ReadRegularFile(QFile::encodeName(helpFile).toStdString(), kHelpFileMaxBytes, content, size);
    if (outcome != ReadOutcome::Read) {
        if (error) {
            *error = QStringLiteral("The help file \"%1\" ").arg(helpFile);
            *error += outcome == ReadOutcome::NotAFile ? QStringLiteral("is not a file.")
                      : outcome == ReadOutcome::TooLarge
                          ? QStringLiteral("holds %1 bytes, more than a help file can.").arg(size)
                          : QStringLiteral("cannot be opened.");
        }
        return false;
    }
    browser_->setHtml(QString::fromUtf8(content.data(), static_cast<qsizetype>(content.size())));
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
    QString error;
    if (!viewer.Open(gHelpFile, topic, &error)) {
        ShowInformationBox(parent, error);
        return;
    }
    if (popup) viewer.setGeometry(QRect(QCursor::pos(), QSize(320, 200)));
    viewer.ShowModal();
}
}  // namespace

void ShowHelpTopic(QWidget* parent, const QString& topic) { ShowHelp(parent, topic, false); }

void ShowHelpContext(QWidget* parent, int context, bool popup) { ShowHelp(parent, QString::number(context), popup); }

}  // namespace kvt::gui
