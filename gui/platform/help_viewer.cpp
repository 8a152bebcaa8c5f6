// Help viewer.
#include "gui/platform/help_viewer.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/world/file_reading.h"
#include "gui/platform/message_box.h"

namespace kvt::gui {
namespace {
QString gHelpFile = QStringLiteral("KVT.HLP");

// The file a picture or link of the help names, found where the browser itself would look: beside
// the page shown, if one was followed there, else in the search paths or the current folder.
// Empty for a name that is no file (a data: picture, a web page): the help shows no such thing.
QString NamedFile(const QTextBrowser& browser, const QUrl& name) {
    QUrl url = name;
    const QUrl page = browser.source();
    if (url.isRelative()) {
        const bool pageIsRelative =
            page.isRelative() || (page.isLocalFile() && !QFileInfo(page.toLocalFile()).isAbsolute());
        if (!pageIsRelative || (url.hasFragment() && url.path().isEmpty())) {
            url = page.resolved(url);
        } else if (const QFileInfo shown(page.toLocalFile()); shown.exists()) {
            url = QUrl::fromLocalFile(shown.absolutePath() + QLatin1Char('/')).resolved(url);
        }
    }
    const QString file = url.scheme().isEmpty() ? url.path() : url.toLocalFile();
    if (file.isEmpty() || QFileInfo(file).isAbsolute()) return file;
    for (QString folder : browser.searchPaths()) {
        if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
        if (QFileInfo(folder + file).isReadable()) return folder + file;
    }
    return file;
}

// What a picture the help cannot show looks like: what the browser shows for a missing one.
QImage MissingPicture() {
    QImage icon(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    if (icon.isNull()) {
        icon = QImage(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
    }
    return icon;
}

class THelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    // Every page, picture and style sheet the help names is read as the help file is: a pipe named
    // by a picture would otherwise hang the window. The answer is never null: on a null answer the
    // document, and on a null picture the picture handler, would open the name themselves.
    QVariant loadResource(int type, const QUrl& name) override {
        const QString file = NamedFile(*this, name);
        std::string content;
        std::uint64_t size = 0;
        const bool read = !file.isEmpty() && ReadRegularFile(QFile::encodeName(file).toStdString(), kHelpFileMaxBytes,
                                                             content, size) == ReadOutcome::Read;
        QByteArray bytes;
        if (read) bytes = QByteArray(content.data(), static_cast<qsizetype>(content.size()));
        if (type != QTextDocument::ImageResource) return bytes;
        const QImage picture = QImage::fromData(bytes);
        return picture.isNull() ? MissingPicture() : picture;
    }
};
}  // namespace

void SetApplicationHelpFile(const QString& path) { gHelpFile = path; }
QString ApplicationHelpFile() { return gHelpFile; }

THelpViewer::THelpViewer(QWidget* parent) : TForm(parent) {
    setWindowTitle(QStringLiteral("Help"));
    resize(560, 480);
    auto* layout = new QVBoxLayout(this);
    browser_ = new THelpBrowser(this);
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
