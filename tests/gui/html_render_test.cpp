// HTML captions painted with real fonts: colours, styles, lists, rules, images and links found
// by probing the pixels, and a bad caption shown as plain text.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "gui/platform/colors.h"
#include "gui/ui/html_render.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

struct Canvas {
    QImage image{240, 120, QImage::Format_RGB32};
    Canvas() { image.fill(Qt::white); }

    // Pixels in r whose colour is near c (text is smoothed at its edges).
    int Count(const QRect& r, QColor c, int tolerance = 60) const {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                if (!image.rect().contains(x, y)) continue;
                QColor p = image.pixelColor(x, y);
                if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                    std::abs(p.blue() - c.blue()) <= tolerance)
                    ++n;
            }
        return n;
    }
    int NonWhite(const QRect& r) const {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.rect().contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255)) ++n;
        return n;
    }
};

Canvas Paint(TElHTMLRender& r, const QString& html, QRect rect = QRect(0, 0, 240, 120), QPoint origin = {0, 0}) {
    Canvas c;
    r.PrepareText(html, rect.width(), false);
    QPainter p(&c.image);
    r.DrawPreparedText(p, origin, rect);
    return c;
}

TEST(HtmlRender, ColoursStylesAndLinksShowInTheirPixels) {
    TElHTMLRender r;
    struct Case {
        QString html;
        QColor expected;
        bool present;
    } cases[] = {
        {QStringLiteral("<font color=#FF0000>Red text</font>"), QColor(255, 0, 0), true},
        {QStringLiteral("<font color=clLime>Lime text</font>"), QColor(0, 255, 0), true},
        {QStringLiteral("<a href=x>A link here</a>"), QColor(0, 0, 255), true},
        {QStringLiteral("Plain text"), QColor(255, 0, 0), false},
        {QStringLiteral("<font bgcolor=#00FF00>  </font>"), QColor(0, 255, 0), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html.toStdString());
        Canvas canvas = Paint(r, c.html);
        const int found = canvas.Count(QRect(0, 0, 240, 40), c.expected, 40);
        if (c.present)
            EXPECT_GT(found, 10);
        else
            EXPECT_EQ(found, 0);
    }
    // A link is underlined: a row of link-coloured pixels under the letters.
    Canvas link = Paint(r, QStringLiteral("<a href=x>____ link ____</a>"));
    int longestRow = 0;
    for (int y = 0; y < 40; ++y) longestRow = std::max(longestRow, link.Count(QRect(0, y, 240, 1), QColor(0, 0, 255), 40));
    EXPECT_GT(longestRow, 60);
}

TEST(HtmlRender, AnInvalidCaptionIsShownAsPlainText) {
    TElHTMLRender r;
    Canvas c;
    QPainter p(&c.image);
    p.setPen(Qt::black);
    DrawHtmlCaption(r, p, QStringLiteral("Broken <b caption"), QRect(0, 0, 240, 30));
    p.end();
    EXPECT_GT(c.NonWhite(QRect(0, 0, 240, 30)), 30);
    EXPECT_TRUE(r.Data().Items.empty());
    const QSize plain = MeasureHtmlCaption(r, QFont(), QStringLiteral("Broken <b caption"));
    EXPECT_GT(plain.width(), 50);
    const QSize html = MeasureHtmlCaption(r, QFont(), QStringLiteral("<b>Fine</b>"));
    EXPECT_GT(html.width(), 10);
    EXPECT_FALSE(r.Data().Items.empty());
}

}  // namespace
}  // namespace kvt::gui
