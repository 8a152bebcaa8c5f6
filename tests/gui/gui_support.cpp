// Screenshot and modal helpers for the offscreen window tests.
#include "tests/gui/gui_support.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace kvt::testing {

QString SaveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(KVT_SCREENSHOT_DIR));
    const QString path = QStringLiteral(KVT_SCREENSHOT_DIR) + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

void WhenModalShows(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

}  // namespace kvt::testing
