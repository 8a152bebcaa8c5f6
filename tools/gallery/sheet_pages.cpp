// The sheet pages of the gallery: each registered page builds its controls in their states, and
// its sheets are written as PNGs beside the gallery's other pictures.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <map>
#include <string>

#include "gui/platform/colors.h"
#include "gui/platform/fonts.h"
#include "tools/gallery/sheet_pages.h"

namespace kvt::gallery {
namespace {

std::map<std::string, PageFunction>& Pages() {
    static std::map<std::string, PageFunction> pages;
    return pages;
}

// A painted picture behind transparent controls, as the dialogs' backgrounds are.
class PictureHost : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, DialogPicture(width(), height()));
    }
};

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

bool SaveRegisteredPages(const QString& folder) {
    bool ok = true;
    for (const auto& [name, page] : Pages()) {
        std::vector<Sheet> sheets;
        page(sheets);
        for (const Sheet& sheet : sheets) ok = !sheet.Save(folder).isEmpty() && ok;
    }
    return ok;
}

bool RegisterPage(const char* name, PageFunction page) {
    Pages()[name] = page;
    return true;
}

QImage DialogPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor(222, 204, 160));
    g.setColorAt(1, QColor(176, 146, 96));
    p.fillRect(image.rect(), g);
    p.setPen(QColor(150, 118, 72));
    for (int y = 6; y < height; y += 9) p.drawLine(0, y, width, y + 3);
    p.setPen(QColor(120, 40, 30));
    for (int x = 20; x < width; x += 60) p.drawLine(x, 0, x + 25, height);
    return image;
}

QWidget* NewHost(int width, int height) {
    auto* host = new QWidget;
    host->setAutoFillBackground(true);
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, kvt::gui::ToQColor(kvt::gui::clBtnFace));
    host->setPalette(pal);
    host->resize(width, height);
    return host;
}

QWidget* NewPictureHost(int width, int height) {
    auto* host = new PictureHost;
    host->resize(width, height);
    return host;
}

void Sheet::Add(QWidget* host, const QString& caption) { Add(host, caption, nullptr); }

void Sheet::Add(QWidget* host, const QString& caption, const std::function<void(QWidget*)>& state) {
    host->setAttribute(Qt::WA_DontShowOnScreen, false);
    host->setFocusPolicy(Qt::StrongFocus);
    host->show();
    Settle();
    // Nothing has the focus unless the state gives it; the picture is taken before the window
    // system can answer a simulated hover or press with a leave.
    host->setFocus();
    Settle();
    if (state) state(host);
    cells_.push_back({host->grab().toImage(), caption});
    host->close();
    delete host;
}

QString Sheet::Save(const QString& folder) const {
    const QFont captionFont = kvt::gui::MakeFont(QStringLiteral("MS Sans Serif"), -11);
    const QFontMetrics fm(captionFont);
    const int pad = 8, captionHeight = fm.height() + 4;
    int cellWidth = 0, cellHeight = 0;
    for (const Cell& c : cells_) {
        cellWidth = std::max({cellWidth, c.picture.width(), fm.horizontalAdvance(c.caption)});
        cellHeight = std::max(cellHeight, c.picture.height());
    }
    const int columns = std::max(1, std::min(columns_, static_cast<int>(cells_.size())));
    const int rows = (static_cast<int>(cells_.size()) + columns - 1) / columns;
    QImage sheet(pad + columns * (cellWidth + pad), pad + rows * (cellHeight + captionHeight + pad),
                 QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 255));
    QPainter p(&sheet);
    p.setFont(captionFont);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int col = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const int x = pad + col * (cellWidth + pad), y = pad + row * (cellHeight + captionHeight + pad);
        p.setPen(QColor(200, 200, 200));
        p.drawRect(x - 1, y - 1, cells_[i].picture.width() + 1, cells_[i].picture.height() + 1);
        p.drawImage(x, y, cells_[i].picture);
        p.setPen(Qt::black);
        p.drawText(x, y + cells_[i].picture.height() + fm.ascent() + 2, cells_[i].caption);
    }
    p.end();
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name_ + QStringLiteral(".png");
    return sheet.save(path) ? path : QString();
}

}  // namespace kvt::gallery
