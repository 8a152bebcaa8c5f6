// The file dialogs' case-blind filters, the help viewer at a topic, following its links and showing
// its pictures, or refusing what is no help file, and the screen cursor.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <sys/stat.h>

#include "gui/platform/cursor.h"
#include "gui/platform/file_dialogs.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"
#include "tests/gui/gui_support.h"
#include "tests/support/synthetic_game.h"

namespace kvt::gui {
namespace {

TEST(FileDialogs, FiltersShowPlainPatternsAndMatchSavedGamesWhateverTheirCase) {
    const QList<TFileFilter> open = ParseFilter(QStringLiteral("kvt|*.kvt|orn|*.orn"));
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0].Description, QStringLiteral("kvt"));
    EXPECT_EQ(open[1].Patterns, QStringList{QStringLiteral("*.orn")});
    EXPECT_EQ(DialogNameFilters(QStringLiteral("kvt|*.kvt|orn|*.orn")),
              (QStringList{QStringLiteral("kvt (*.kvt)"), QStringLiteral("orn (*.orn)")}));
    const struct {
        const char* name;
        bool kvt;
    } names[] = {{"1861.kvt", true}, {"AUTOSAVE.KVT", true}, {"Game.Kvt", true}, {"game.kvm", false}, {"kvt", false}};
    for (const auto& n : names) EXPECT_EQ(MatchesFilter(QString::fromLatin1(n.name), open[0]), n.kvt) << n.name;
}

TEST(FileDialogs, OpenAnswersTheChosenFileAndCancelAnswersNothing) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("AUTOSAVE.KVT")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    kvt::testing::WhenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        // Typed into the name field: selectFile() skips it while the field has the focus.
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QStringLiteral("AUTOSAVE.KVT"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = ExecuteOpenDialog(nullptr, QStringLiteral("kvt|*.kvt|orn|*.orn"));
    EXPECT_EQ(QFileInfo(chosen).fileName(), QStringLiteral("AUTOSAVE.KVT"));
    kvt::testing::WhenModalShows([](QWidget* w) { qobject_cast<QFileDialog*>(w)->reject(); });
    EXPECT_TRUE(ExecuteSaveDialog(nullptr, QStringLiteral("kvt|*.kvt")).isEmpty());
    QDir::setCurrent(old);
}

// Clicks the first link captioned `caption`, as the player would.
void ClickLink(QTextBrowser* browser, const QString& caption) {
    const QTextCursor found = browser->document()->find(caption);
    ASSERT_FALSE(found.isNull()) << caption.toStdString();
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(inside).center());
}

int RedPixels(QTextBrowser* browser) {
    const QImage shown = browser->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) red += shown.pixel(x, y) == qRgb(255, 0, 0);
    return red;
}

TEST(HelpViewer, OpensTheHelpTextAtTheTopicAndReportsAMissingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KVT.HLP"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray html = "<html><body><a name=\"Contents\"></a><h2>Contents</h2><p><a href=\"#Battles\">Battles</a></p>";
        for (int i = 0; i < 80; ++i) html += "<p>Orders are given before the turn.</p>";
        html += "<a name=\"Battles\"></a><h2>Battles</h2><p>Two forces meet.</p>";
        for (int i = 0; i < 80; ++i) html += "<p>More.</p>";
        html += "</body></html>";
        f.write(html);
    }
    SetApplicationHelpFile(path);
    int scrolledAtContents = -1, scrolledAtBattles = -1, scrolledByLink = -1;
    kvt::testing::WhenModalShows([&](QWidget* w) {
        auto* viewer = qobject_cast<THelpViewer*>(w);
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("Two forces meet.")));
        scrolledAtBattles = viewer->Browser()->verticalScrollBar()->value();
        kvt::testing::SaveScreenshot(viewer, QStringLiteral("help_viewer_battles"));
        QTest::keyClick(viewer, Qt::Key_Escape);
    });
    ShowHelpTopic(nullptr, QStringLiteral("Battles"));
    kvt::testing::WhenModalShows([&](QWidget* w) {
        QTextBrowser* browser = qobject_cast<THelpViewer*>(w)->Browser();
        scrolledAtContents = browser->verticalScrollBar()->value();
        ClickLink(browser, QStringLiteral("Battles"));
        scrolledByLink = browser->verticalScrollBar()->value();
        w->close();
    });
    ShowHelpTopic(nullptr, QStringLiteral("Contents"));
    EXPECT_LT(scrolledAtContents, 20);  // the first topic is at the top
    EXPECT_GT(scrolledAtBattles, 100);
    EXPECT_EQ(scrolledByLink, scrolledAtBattles) << "the contents' link leads to its topic";

    SetApplicationHelpFile(dir.filePath(QStringLiteral("MISSING.HLP")));
    QString message;
    kvt::testing::WhenModalShows([&](QWidget* w) {
        message = qobject_cast<TMessageBox*>(w)->TextLabel()->text();
        w->close();
    });
    ShowHelpTopic(nullptr, QStringLiteral("Contents"));
    EXPECT_EQ(message.toStdString(),
              "The help file \"" + dir.filePath(QStringLiteral("MISSING.HLP")).toStdString() + "\" cannot be opened.");
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
}

// What the player meets on asking for help with `helpFile` as the game's help: the information
// box's text, and how many help windows opened (each closed at once, so none can hold the test).
struct THelpAnswer {
    std::string box;
    int viewersShown = 0;
};

class TViewerCloser : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* viewer = qobject_cast<THelpViewer*>(watched)) {
                ++shown;
                QTimer::singleShot(0, viewer, &QWidget::close);
            }
        return false;
    }
};

THelpAnswer AskForHelp(const QString& helpFile, const QString& screenshot = {}) {
    THelpAnswer answer;
    TViewerCloser closer;
    qApp->installEventFilter(&closer);
    SetApplicationHelpFile(helpFile);
    kvt::testing::WhenModalShows([&](QWidget* w) {
        if (auto* box = qobject_cast<TMessageBox*>(w)) {
            answer.box = box->TextLabel()->text().toStdString();
            if (!screenshot.isEmpty()) kvt::testing::SaveScreenshot(box, screenshot);
        }
        w->close();
    });
    ShowHelpTopic(nullptr, QStringLiteral("Contents"));
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
    qApp->removeEventFilter(&closer);
    answer.viewersShown = closer.shown;
    return answer;
}

TEST(HelpViewer, APipeOrALinkToADeviceAtTheHelpFilesNameIsReportedAtOnceAndTheGameGoesOn) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("PIPE.HLP")), link = dir.filePath(QStringLiteral("ZERO.HLP"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));
    for (const QString& path : {pipe, link}) {
        THelpViewer viewer;
        EXPECT_FALSE(viewer.Open(path, QStringLiteral("Contents")));
        const THelpAnswer answer = AskForHelp(path, path == pipe ? QStringLiteral("help_file_not_a_file") : QString());
        EXPECT_EQ(answer.box, "The help file \"" + path.toStdString() + "\" is not a file.");
        EXPECT_EQ(answer.viewersShown, 0) << path.toStdString();
    }
}

TEST(HelpViewer, AHelpFileLargerThanAnyIsReportedWithItsSizeAndOneAtTheBoundOpens) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KVT.HLP"));
    QByteArray html = "<html><body><a name=\"Contents\"></a><h2>Contents</h2><p>The last page.</p></body></html>";
    html.append(QByteArray(static_cast<qsizetype>(kHelpFileMaxBytes) - html.size(), ' '));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(html), html.size());
    }
    THelpViewer atTheBound;
    EXPECT_TRUE(atTheBound.Open(path, QStringLiteral("Contents")));
    EXPECT_TRUE(atTheBound.Browser()->toPlainText().contains(QStringLiteral("The last page.")));

    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_EQ(f.write(" "), 1);
    }
    THelpViewer overTheBound;
    EXPECT_FALSE(overTheBound.Open(path, QStringLiteral("Contents")));
    const THelpAnswer answer = AskForHelp(path);
    EXPECT_EQ(answer.box, "The help file \"" + path.toStdString() + "\" holds " +
                              std::to_string(kHelpFileMaxBytes + 1) + " bytes, more than a help file can.");
    EXPECT_EQ(answer.viewersShown, 0);
}

TEST(HelpViewer, PicturesAndPagesTheHelpNamesAreReadAsTheHelpFileIsAndAPipeAmongThemHoldsNothingUp) {
    QTemporaryDir dir;
    // The game's help lies in the current folder, and so do the files it names.
    const kvt::testing::CurrentFolder inFolder(QFile::encodeName(dir.path()).toStdString());
    ASSERT_EQ(::mkfifo("PIPE.PNG", 0600), 0);
    QImage flag(40, 30, QImage::Format_RGB32);
    flag.fill(Qt::red);
    ASSERT_TRUE(flag.save(QStringLiteral("FLAG.PNG")));
    const auto write = [](const char* name, const QByteArray& text) {
        QFile f(QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(text), text.size());
    };
    write("ORDERS.HTM", "<html><body><p>Orders are given before the turn.</p></body></html>");
    QByteArray big = "<html><body><p>A page past the bound.</p></body></html>";
    write("BIG.HTM", big + QByteArray(static_cast<qsizetype>(kHelpFileMaxBytes) + 1 - big.size(), ' '));
    const QByteArray contents =
        "<html><body><a name=\"Contents\"></a><h2>Contents</h2><img src=\"FLAG.PNG\"><img src=\"PIPE.PNG\">"
        "<p><a href=\"ORDERS.HTM\">Orders</a></p><p><a href=\"BIG.HTM\">Big</a></p>"
        "<p><a href=\"PIPE.PNG\">Pipe</a></p></body></html>";
    write("KVT.HLP", contents);

    THelpViewer viewer;
    ASSERT_TRUE(viewer.Open(QStringLiteral("KVT.HLP"), QStringLiteral("Contents")));
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QTextBrowser* browser = viewer.Browser();
    EXPECT_GE(RedPixels(browser), 40 * 30) << "the picture beside the help shows whole";

    ClickLink(browser, QStringLiteral("Orders"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Orders are given before the turn.")));
    ASSERT_TRUE(viewer.Open(QStringLiteral("KVT.HLP"), QStringLiteral("Contents")));
    ClickLink(browser, QStringLiteral("Big"));
    EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("past the bound")));
    ASSERT_TRUE(viewer.Open(QStringLiteral("KVT.HLP"), QStringLiteral("Contents")));
    ClickLink(browser, QStringLiteral("Pipe"));
    EXPECT_TRUE(browser->toPlainText().trimmed().isEmpty()) << "a page that cannot be read shows as a missing one";
}

TEST(ScreenCursor, OneOverrideChangedInPlace) {
    EXPECT_EQ(ScreenCursor(), crDefault);
    SetScreenCursor(crHourGlass);
    SetScreenCursor(crArrow);
    SetScreenCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // only one was ever installed
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    SetScreenCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ScreenCursor(), crDefault);
}

}  // namespace
}  // namespace kvt::gui
