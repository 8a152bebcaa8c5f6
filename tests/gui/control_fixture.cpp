// Host windows and pixel probes for the control tests.
#include "tests/gui/control_fixture.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace kvt::testing {

QImage TestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (y * 11) % 256, 97 + (x % 5)));
    return image;
}

PictureWindow::PictureWindow(int width, int height) : picture_(TestPicture(width, height)) { resize(width, height); }

void PictureWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

QWidget* NewPlainWindow(int width, int height, kvt::gui::TColor color) {
    auto* w = new QWidget;
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, kvt::gui::ToQColor(color));
    w->setPalette(pal);
    w->resize(width, height);
    return w;
}

QImage Render(QWidget* window) {
    if (!window->isVisible()) window->show();
    QApplication::processEvents();
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window, 1000)) QApplication::processEvents();
    QApplication::processEvents();
}

int CountColor(const QImage& image, const QRect& rect, const QColor& color) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (QColor(image.pixel(x, y)) == color) ++n;
    return n;
}

int CountDarker(const QImage& image, const QRect& rect, int maxLevel) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) <= maxLevel && qGreen(c) <= maxLevel && qBlue(c) <= maxLevel) ++n;
        }
    return n;
}

int InkDistance(const QImage& image, const QRect& rect, const QColor& color) {
    int best = 3 * 255 + 1;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            best = std::min(best, std::abs(qRed(c) - color.red()) + std::abs(qGreen(c) - color.green()) +
                                      std::abs(qBlue(c) - color.blue()));
        }
    return best;
}

QRect BoundsOfColor(const QImage& image, const QRect& rect, const QColor& color) {
    QRect box;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (QColor(image.pixel(x, y)) == color) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace kvt::testing
