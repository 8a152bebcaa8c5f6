// The file dialogs' case-blind filters, the help viewer and what it reads or refuses, and the screen cursor.
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
#include "tests/gui/control_fixture.h"
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
    QTextCursor inside = browser->document()->find(caption);
    ASSERT_FALSE(inside.isNull()) << caption.toStdString();
    inside.setPosition(inside.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(inside).center());
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

// What the player meets on asking for help with `helpFile`: each box's or help window's text, closed at once.
std::string AskForHelp(const QString& helpFile) {
    std::string met;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&met] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        if (auto* box = qobject_cast<TMessageBox*>(w)) met += box->TextLabel()->text().toStdString();
        if (auto* viewer = qobject_cast<THelpViewer*>(w))
            met += "help window: " + viewer->Browser()->toPlainText().trimmed().toStdString();
        w->close();
    });
    closer.start(5);
    SetApplicationHelpFile(helpFile);
    ShowHelpTopic(nullptr, QStringLiteral("Contents"));
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
    return met;
}

TEST(HelpViewer, AHelpFileAtTheBoundOpensAndOneOverItAPipeOrALinkToADeviceIsReportedAtOnceWithWhatIsWrong) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KVT.HLP"));
    QByteArray html = "<html><body><a name=\"Contents\"></a><h2>Contents</h2><p>The last page.</p></body></html>";
    html.append(QByteArray(static_cast<qsizetype>(kHelpFileMaxBytes) - html.size(), ' '));
    kvt::testing::WriteFile(path, html);
    EXPECT_EQ(AskForHelp(path), "help window: Contents\nThe last page.");
    kvt::testing::WriteFile(path, html + ' ');
    EXPECT_EQ(AskForHelp(path), "The help file \"" + path.toStdString() + "\" holds " +
                                    std::to_string(kHelpFileMaxBytes + 1) + " bytes, more than a help file can.");
    const QString pipe = dir.filePath(QStringLiteral("PIPE.HLP")), link = dir.filePath(QStringLiteral("ZERO.HLP"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));
    for (const QString& name : {pipe, link})
        EXPECT_EQ(AskForHelp(name), "The help file \"" + name.toStdString() + "\" is not a file.");
}

TEST(HelpViewer, PicturesAndPagesTheHelpNamesAreReadAsTheHelpFileIsAndAPipeAmongThemHoldsNothingUp) {
    QTemporaryDir dir;
    // The game's help lies in the current folder, and so do the files it names.
    const kvt::testing::CurrentFolder inFolder(QFile::encodeName(dir.path()).toStdString());
    ASSERT_EQ(::mkfifo("PIPE.PNG", 0600), 0);
    kvt::testing::WriteFile(QStringLiteral("FLAG.PPM"), "P3 40 30 255\n" + QByteArray("255 0 0\n").repeated(40 * 30));
    kvt::testing::WriteFile(QStringLiteral("ORDERS.HTM"), "<p>Orders are given.</p>");
    kvt::testing::WriteFile(QStringLiteral("BIG.HTM"), "<p>Past the bound.</p>" + QByteArray(kHelpFileMaxBytes, ' '));
    kvt::testing::WriteFile(QStringLiteral("KVT.HLP"),
                            R"(<a name="Contents"></a><h2>Contents</h2><img src="FLAG.PPM"><img src="PIPE.PNG"><br>)"
                            R"(<a href="ORDERS.HTM">Orders</a> <a href="BIG.HTM">Big</a> <a href="PIPE.PNG">Pipe</a>)");
    THelpViewer viewer;
    ASSERT_TRUE(viewer.Open(QStringLiteral("KVT.HLP"), QStringLiteral("Contents")));
    const QImage shown = viewer.Browser()->viewport()->grab().toImage();
    EXPECT_GE(kvt::testing::CountColor(shown, shown.rect(), Qt::red), 40 * 30) << "the picture shows whole";
    // A page that cannot be read shows as a missing one: empty.
    const std::pair<const char*, const char*> links[] = {{"Orders", "Orders are given."}, {"Big", ""}, {"Pipe", ""}};
    for (const auto& [link, page] : links) {
        ASSERT_TRUE(viewer.Open(QStringLiteral("KVT.HLP"), QStringLiteral("Contents")));
        ClickLink(viewer.Browser(), QString::fromLatin1(link));
        EXPECT_EQ(viewer.Browser()->toPlainText().trimmed().toStdString(), page) << link;
    }
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
