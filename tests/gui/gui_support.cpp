// Screenshot and modal helpers for the offscreen window tests.
#include "tests/gui/gui_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace kvt::testing {

QString TitleBarText(const QWidget* window) {
    // Until a display name is set, the display name is the application's name and follows it.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QStringLiteral(" (probe)"));
    const bool displayNameSet = QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    // The title the window system is given, which can differ from the widget's own.
    const QString title = window->windowHandle() ? window->windowHandle()->title() : window->windowTitle();
    const QString display = QGuiApplication::applicationDisplayName();
    if (displayNameSet && !title.endsWith(display))
        return title.isEmpty() ? display : title + QStringLiteral(" \u2014 ") + display;
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QString SaveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(KVT_SCREENSHOT_DIR));
    const QString path = QStringLiteral(KVT_SCREENSHOT_DIR) + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

namespace {

// Closes whatever modal windows are open, naming each in a test failure.
void CloseStrandedModals(const char* why) {
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        ADD_FAILURE() << why << ": " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << "\"";
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
    }
}

}  // namespace

void WhenModalShows(std::function<void(QWidget*)> action) {
    struct Watch {
        bool shown = false;
        QPointer<QWidget> answered;
    };
    auto watch = std::make_shared<Watch>();
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action, watch]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        watch->shown = true;
        watch->answered = modal;
        action(modal);
    });
    timer->start();
    // A dialog that never shows, or one still open long after it was answered (an answer cut
    // short by a failed assertion, a box opened inside it), fails the test instead of hanging it
    // until the test runner's limit.
    QPointer<QTimer> polling(timer);
    QTimer::singleShot(60000, [polling, watch] {
        if (!watch->shown) {
            if (polling) {
                polling->stop();
                polling->deleteLater();
            }
            ADD_FAILURE() << "no modal dialog showed within a minute";
            return;
        }
        if (watch->answered && watch->answered->isVisible())
            CloseStrandedModals("a dialog was still open a minute after it was answered");
    });
}

}  // namespace kvt::testing
