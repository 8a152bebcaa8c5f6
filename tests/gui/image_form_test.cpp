// Form-wide backgrounds: the painter's kinds, one picture continued across neighbouring controls,
// the window cut to a picture's shape with either side leaving first, and a button's face showing
// its share of the picture.
#include <gtest/gtest.h>

#include <QPainter>

#include <memory>

#include "gui/ui/graphic_button.h"
#include "gui/ui/image_form.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

QImage Pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 30 % 256, y * 40 % 256, (x + y) * 20 % 256));
    return img;
}

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

TEST(BackgroundPainter, NeighboursContinueOnePictureInEveryKind) {
    const QImage bitmap = Pattern(7, 5);
    const QRect area(0, 0, 100, 60);
    for (TElBkGndType type : {bgtTileBitmap, bgtStretchBitmap, bgtCenterBitmap, bgtTopLeftBitmap, bgtColorFill}) {
        SCOPED_TRACE(type);
        QImage whole = Canvas(100, 60), parts = Canvas(100, 60);
        {
            QPainter p(&whole);
            ExtDrawBkgnd(p, area, type, bitmap, clWhite, QPoint(0, 0), area);
        }
        // Three controls side by side, each painting only its own share in its own coordinates.
        for (QRect control : {QRect(0, 0, 33, 60), QRect(33, 0, 30, 25), QRect(33, 25, 67, 35), QRect(63, 0, 37, 25)}) {
            QImage own = Canvas(control.width(), control.height());
            {
                QPainter p(&own);
                ExtDrawBkgnd(p, own.rect(), type, bitmap, clWhite, control.topLeft(), area);
            }
            QPainter p(&parts);
            p.drawImage(control.topLeft(), own);
        }
        if (type == bgtStretchBitmap) {
            // Smoothing may differ at the seams by a shade; the picture is the same.
            int differing = 0;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 100; ++x)
                    if (whole.pixel(x, y) != parts.pixel(x, y)) ++differing;
            EXPECT_LT(differing, 200);
        } else {
            EXPECT_EQ(whole, parts);
        }
    }
}

TEST(BackgroundPainter, PlacesThePictureByKind) {
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QRect area(0, 0, 100, 100);
    struct Case {
        TElBkGndType type;
        QPoint probe;
        QColor expected;
    } cases[] = {
        {bgtCenterBitmap, {50, 50}, Qt::red},   {bgtCenterBitmap, {5, 5}, Qt::white},
        {bgtTopLeftBitmap, {5, 5}, Qt::red},    {bgtTopLeftBitmap, {50, 50}, Qt::white},
        {bgtStretchBitmap, {90, 90}, Qt::red},  {bgtColorFill, {5, 5}, Qt::white},
        {bgtTileBitmap, {95, 95}, Qt::red},     {bgtHorzGradient, {50, 50}, Qt::black},  // not the painter's
    };
    for (const auto& c : cases) {
        QImage img = Canvas(100, 100);
        {
            QPainter p(&img);
            ExtDrawBkgnd(p, area, c.type, red, clWhite, QPoint(0, 0), area);
        }
        EXPECT_EQ(QColor(img.pixel(c.probe)), c.expected) << c.type << " at " << c.probe.x();
    }
    // Outside the area the colour shows; the hatch form hatches every other pixel.
    QImage img = Canvas(20, 20);
    {
        QPainter p(&img);
        ExtDrawBkgnd(p, QRect(0, 0, 20, 20), bgtTopLeftBitmap, red, clWhite, QPoint(-10, 0), QRect(0, 0, 100, 100));
    }
    EXPECT_EQ(QColor(img.pixel(2, 2)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(12, 2)), QColor(Qt::red));
}


TEST(ImageForm, TwoFormsShareOnePictureAndEitherMayLeaveFirst) {
    const auto shape = [](QRect body) {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        for (int y = body.top(); y <= body.bottom(); ++y)
            for (int x = body.left(); x <= body.right(); ++x) img.setPixel(x, y, qRgb(0, 100, 0));
        return img;
    };
    for (const bool closeWindow : {false, true}) {
        SCOPED_TRACE(closeWindow ? "the first form's window closes" : "the first form lets go of the picture");
        TImage picture;
        picture.SetPicture(shape(QRect(8, 5, 24, 20)));
        auto first = std::make_unique<QWidget>();
        QWidget second;
        first->resize(40, 30);
        second.resize(40, 30);
        auto* firstImageForm = new TElImageForm(first.get());
        TElImageForm secondImageForm(&second);
        for (TElImageForm* f : {firstImageForm, &secondImageForm}) {
            f->SetChangeFormRegion(true);
            f->SetFormImage(&picture);
        }
        EXPECT_EQ(first->mask().boundingRect(), QRect(8, 5, 24, 20));
        EXPECT_EQ(second.mask().boundingRect(), QRect(8, 5, 24, 20));

        // The form that attached first leaves first; the other still follows the picture.
        if (closeWindow) {
            first.reset();
        } else {
            firstImageForm->SetFormImage(nullptr);
            EXPECT_TRUE(first->mask().isEmpty());
        }
        picture.SetPicture(shape(QRect(2, 3, 10, 10)));
        EXPECT_EQ(second.mask().boundingRect(), QRect(2, 3, 10, 10));
        if (first) {
            EXPECT_TRUE(first->mask().isEmpty());
        }
        picture.SetPicture(shape(QRect(20, 10, 15, 12)));
        EXPECT_EQ(second.mask().boundingRect(), QRect(20, 10, 15, 12));

        secondImageForm.SetFormImage(nullptr);
        EXPECT_TRUE(second.mask().isEmpty());
        picture.SetPicture(shape(QRect(0, 0, 5, 5)));
        EXPECT_TRUE(second.mask().isEmpty());
    }
}



TEST(ImageForm, AGraphicButtonShowsItsShareOfTheFormsBackground) {
    QWidget form;
    form.resize(160, 80);
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(qRgb(200, 40, 40));
    for (int i = 0; i < 8; ++i) tile.setPixel(i, i, qRgb(20, 20, 160));
    TElImageForm imageForm(&form);
    imageForm.SetBackground(tile);
    imageForm.SetBackgroundType(bgtTileBitmap);
    auto* b = new TElGraphicButton(&form);
    b->setGeometry(21, 13, 90, 30);
    b->SetCaption(QStringLiteral("Orders"));
    b->SetImageForm(&imageForm);
    form.show();
    const QImage shot = form.grab().toImage();
    // Inside the button's frame the diagonal stripes run on from the form's.
    for (QPoint at : {QPoint(27, 21), QPoint(28, 22), QPoint(35, 18), QPoint(100, 36)})
        EXPECT_EQ(shot.pixel(at), tile.pixel(at.x() % 8, at.y() % 8)) << at.x() << "," << at.y();
    kvt::testing::SaveScreenshot(&form, QStringLiteral("image_form_button"));
}

}  // namespace
}  // namespace kvt::gui
