// Font name mapping and pixel heights.
#include "gui/platform/fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyleFactory>

#include <cmath>

#include "gui/platform/colors.h"

namespace kvt::gui {

QString ResolveFontFamily(const QString& name) {
    const QString n = name.trimmed().toLower();
    const bool serif = n.contains(QStringLiteral("serif")) && !n.contains(QStringLiteral("sans"));
    if (serif || n.contains(QStringLiteral("times")) || n == QStringLiteral("georgia") || n == QStringLiteral("roman"))
        return QStringLiteral("Liberation Serif");
    if (n.contains(QStringLiteral("courier")) || n.contains(QStringLiteral("mono")) || n == QStringLiteral("fixedsys") ||
        n == QStringLiteral("terminal"))
        return QStringLiteral("Liberation Mono");
    return QStringLiteral("Liberation Sans");
}

QFont MakeFont(const QString& name, int height, bool bold, bool italic) {
    QFont font(ResolveFontFamily(name));
    font.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    int pixels = height < 0 ? -height : height;
    if (height > 0) {
        // Cell height includes the internal leading; scale by the face's own proportion.
        QFont probe = font;
        probe.setPixelSize(100);
        const QFontMetrics fm(probe);
        const int cell = fm.ascent() + fm.descent();
        if (cell > 0) pixels = static_cast<int>(std::lround(height * 100.0 / cell));
    }
    font.setPixelSize(pixels > 0 ? pixels : 11);
    return font;
}

QFont DefaultFont() { return MakeFont(QStringLiteral("MS Sans Serif"), -11); }

void InstallPlatformLook(QApplication& app) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(style);
    app.setPalette(SystemPalette());
    app.setFont(DefaultFont());
}

}  // namespace kvt::gui
