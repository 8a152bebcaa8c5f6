// Gallery pictures of HTML captions and form-wide backgrounds: captions in every style, the
// background kinds continued across linked controls, and a window cut to a picture's shape.
#include "tools/gallery/html_and_backgrounds.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

#include "gui/platform/colors.h"
#include "gui/ui/html_render.h"
#include "gui/ui/image_form.h"

namespace kvt::gallery {

namespace {

using namespace kvt::gui;

QImage Flag() {
    QImage flag(18, 12, QImage::Format_RGB32);
    flag.fill(Qt::magenta);  // bottom-left pixel: the transparent colour
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 17; ++x) flag.setPixel(x, y, (y / 2) % 2 ? qRgb(200, 30, 30) : qRgb(250, 250, 250));
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 8; ++x) flag.setPixel(x, y, qRgb(30, 40, 140));
    return flag;
}

QImage Captions() {
    const char* captions[] = {
        "Plain, <b>bold</b>, <i>italic</i>, <u>underlined</u> and <strikeout>struck</strikeout>",
        "<font size=+4 color=#800000>Larger maroon</font> <font size=-2 name='Times New Roman'>small serif</font>",
        "<font bgcolor=clYellow color=clNavy> on yellow </font> H<sub>2</sub>O and x<sup>2</sup> &amp; &euro; &copy;",
        "<a href=orders>A link to the orders</a> <img src=flag> the flag",
        "Supplies:<ul><li>Richmond<li>Atlanta<ul><li>by rail</ul></ul>",
        "<p align=center>Centred paragraph<p align=right>Right-aligned<hr>",
        "Broken <b caption shown plain",
    };
    QImage image(460, 430, QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    QPainter p(&image);
    TElHTMLRender render;
    const QImage flag = Flag();
    render.OnImageNeeded = [&flag](TElHTMLRender*, const QString& src) {
        return src == QLatin1String("flag") ? flag : QImage();
    };
    int y = 8;
    for (const char* c : captions) {
        const QString caption = QString::fromUtf8(c);
        const QSize size = MeasureHtmlCaption(render, p.font(), caption);
        const QRect box(8, y, 444, std::max(18, size.height()));
        p.setPen(ToQColor(clBtnShadow));
        p.drawRect(box.adjusted(-2, -2, 1, 1));
        p.setPen(ToQColor(clBtnText));
        DrawHtmlCaption(render, p, caption, box);
        y += box.height() + 10;
    }
    return image;
}

// Stands for a library control linked to an image form: its share of the form's background,
// a frame and a caption.
class Tile : public QWidget {
public:
    Tile(QWidget* parent, TElImageFormLink* form, const QString& text) : QWidget(parent), form_(form), text_(text) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        form_->PaintBackground(p, this, rect());
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter, text_);
    }

private:
    TElImageFormLink* form_;
    QString text_;
};

QImage Backgrounds() {
    QImage brick(24, 12, QImage::Format_RGB32);
    brick.fill(qRgb(150, 60, 40));
    {
        QPainter b(&brick);
        b.setPen(QColor(220, 210, 190));
        b.drawLine(0, 0, 23, 0);
        b.drawLine(0, 6, 23, 6);
        b.drawLine(0, 0, 0, 5);
        b.drawLine(12, 6, 12, 11);
    }
    QImage sky(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) sky.setPixel(x, y, qRgb(40 + 50 * y, 80 + 40 * y, 200 - 10 * x));
    struct Kind {
        TElBkGndType type;
        QImage picture;
        const char* name;
    } kinds[] = {{bgtTileBitmap, brick, "tiled"},
                 {bgtStretchBitmap, sky, "stretched"},
                 {bgtCenterBitmap, Flag().scaled(72, 48), "centred"},
                 {bgtVertGradient, QImage(), "gradient"}};
    QImage sheet(2 * 230 + 30, 2 * 150 + 30, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int i = 0;
    for (const auto& k : kinds) {
        QWidget form;
        form.resize(230, 150);
        TElImageForm imageForm(&form);
        imageForm.SetBackground(k.picture);
        imageForm.SetGradientStartColor(RGBColor(20, 40, 110));
        imageForm.SetGradientEndColor(RGBColor(210, 220, 240));
        imageForm.SetBackgroundType(k.type);
        (new Tile(&form, &imageForm, QString::fromLatin1(k.name)))->setGeometry(20, 20, 120, 40);
        (new Tile(&form, &imageForm, QStringLiteral("linked")))->setGeometry(140, 60, 70, 70);
        form.render(&p, QPoint(10 + (i % 2) * 240, 10 + (i / 2) * 160));
        ++i;
    }
    return sheet;
}

QImage ShapedForm() {
    QWidget form;
    form.resize(160, 110);
    TImage picture(&form);
    QImage shape(160, 110, QImage::Format_RGB32);
    shape.fill(Qt::magenta);
    {
        QPainter s(&shape);
        s.setBrush(Qt::darkGreen);
        s.setPen(Qt::NoPen);
        s.drawEllipse(QRect(5, 5, 150, 100));
    }
    picture.SetPicture(shape);
    picture.hide();
    TElImageForm imageForm(&form);
    imageForm.SetFormImage(&picture);
    imageForm.SetBackground(Flag());
    imageForm.SetBackgroundType(bgtTileBitmap);
    imageForm.SetChangeFormRegion(true);
    QImage sheet(180, 130, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int y = 0; y < 130; y += 10)
        for (int x = 0; x < 180; x += 10) p.fillRect(x, y, 10, 10, ((x + y) / 10) % 2 ? Qt::lightGray : Qt::white);
    p.setClipRegion(form.mask().translated(10, 10));
    form.render(&p, QPoint(10, 10));
    return sheet;
}

}  // namespace

std::vector<std::pair<QString, QImage>> HtmlAndBackgroundShots() {
    return {{QStringLiteral("html_captions"), Captions()},
            {QStringLiteral("image_form_backgrounds"), Backgrounds()},
            {QStringLiteral("image_form_shaped"), ShapedForm()}};
}

}  // namespace kvt::gallery
