// Form-wide backgrounds: the painter's five kinds, one picture continued across neighbouring
// controls, the form painted through its hook, linked controls told of changes, the window cut
// to a picture's shape, dragging the form, and a button's face showing its share of the picture.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

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

// The second painter's hatch and invert flags change the copied picture; colour fills stay plain.
TEST(BackgroundPainter, HatchAndInvertActOnTheCopiedPictureOnly) {
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    const auto paint = [&](TElBkGndType type, QPoint origin, bool hatch, bool invert) {
        QImage img = Canvas(20, 20);
        QPainter p(&img);
        ExtDrawBkgnd2(p, QRect(0, 0, 20, 20), type, red, clWhite, origin, QRect(0, 0, 100, 100), hatch, clBlue, invert);
        return img;
    };
    const QImage fill = paint(bgtColorFill, QPoint(), true, true);
    for (QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(7, 12)})
        EXPECT_EQ(QColor(fill.pixel(at)), QColor(Qt::white)) << "a colour fill at " << at.x() << "," << at.y();

    const QImage tiled = paint(bgtTileBitmap, QPoint(3, 0), true, false);
    EXPECT_EQ(QColor(tiled.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(tiled.pixel(1, 0)), QColor(Qt::blue));
    EXPECT_EQ(QColor(tiled.pixel(18, 3)), QColor(Qt::blue));
    EXPECT_EQ(QColor(tiled.pixel(18, 4)), QColor(Qt::red));

    // The picture sits at the area's top left, seen here from 10 pixels to its left: the fill
    // beside it stays white, the picture's share is hatched.
    const QImage topLeft = paint(bgtTopLeftBitmap, QPoint(-10, 0), true, false);
    EXPECT_EQ(QColor(topLeft.pixel(2, 3)), QColor(Qt::white));
    EXPECT_EQ(QColor(topLeft.pixel(12, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(topLeft.pixel(13, 2)), QColor(Qt::blue));
    EXPECT_EQ(QColor(topLeft.pixel(13, 12)), QColor(Qt::white)) << "below the picture";

    // Inverted, the picture combines with the fill laid just before it: red over white gives cyan.
    const QImage inverted = paint(bgtTopLeftBitmap, QPoint(-10, 0), false, true);
    EXPECT_EQ(QColor(inverted.pixel(2, 3)), QColor(Qt::white));
    EXPECT_EQ(QColor(inverted.pixel(12, 2)), QColor(Qt::cyan));
    EXPECT_EQ(QColor(inverted.pixel(13, 2)), QColor(Qt::cyan));
}

// A control that takes its background from an image form, as the library's controls do.
class LinkedControl : public QWidget {
public:
    LinkedControl(QWidget* parent, TElImageFormLink* form) : QWidget(parent), form_(form) {
        connect(form, &TElImageFormLink::Changed, this, [this] { ++changes; });
    }
    int changes = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        form_->PaintBackground(p, this, rect());
    }

private:
    TElImageFormLink* form_;
};

TEST(ImageForm, PaintsTheFormAndItsLinkedControlsAsOnePicture) {
    QWidget form;
    form.resize(120, 80);
    auto* imageForm = new TElImageForm(&form);
    imageForm->SetBackground(Pattern(9, 7));
    imageForm->SetBackgroundType(bgtTileBitmap);
    auto* control = new LinkedControl(&form, imageForm);
    control->setGeometry(31, 17, 50, 30);
    const QImage shot = form.grab().toImage();
    const QImage pattern = Pattern(9, 7);
    for (QPoint at : {QPoint(2, 3), QPoint(100, 70), QPoint(31, 17), QPoint(60, 40), QPoint(80, 46)})
        EXPECT_EQ(shot.pixel(at), pattern.pixel(at.x() % 9, at.y() % 7)) << at.x() << "," << at.y();
    kvt::testing::SaveScreenshot(&form, QStringLiteral("image_form_tiled"));
}

TEST(ImageForm, LinkedControlsAreToldOfEveryChange) {
    QWidget form;
    form.resize(60, 40);
    form.show();  // a hidden window is sized without being told
    TElImageForm imageForm(&form);
    LinkedControl control(&form, &imageForm);
    struct Case {
        const char* what;
        std::function<void()> change;
        int told;
    } cases[] = {
        {"background type", [&] { imageForm.SetBackgroundType(bgtStretchBitmap); }, 1},
        {"same type again", [&] { imageForm.SetBackgroundType(bgtStretchBitmap); }, 0},
        {"background", [&] { imageForm.SetBackground(Pattern(3, 3)); }, 1},
        {"transparent colour", [&] { imageForm.SetTransparentColor(clRed); }, 1},
        {"form sized", [&] { form.resize(80, 50); }, 1},
        {"gradient colour", [&] { imageForm.SetGradientStartColor(clRed); }, 0},
    };
    for (const auto& c : cases) {
        control.changes = 0;
        c.change();
        EXPECT_EQ(control.changes, c.told) << c.what;
    }
}

TEST(ImageForm, GradientsSpanTheWholeForm) {
    QWidget form;
    form.resize(100, 40);
    TElImageForm imageForm(&form);
    imageForm.SetGradientStartColor(clBlack);
    imageForm.SetGradientEndColor(clWhite);
    imageForm.SetGradientSteps(100);
    imageForm.SetBackgroundType(bgtHorzGradient);
    LinkedControl control(&form, &imageForm);
    control.setGeometry(50, 10, 50, 20);
    const QImage shot = form.grab().toImage();
    // The control continues the form's gradient: its left edge is the middle grey.
    EXPECT_NEAR(qRed(shot.pixel(50, 20)), qRed(shot.pixel(50, 5)), 4);
    EXPECT_NEAR(qRed(shot.pixel(50, 20)), 128, 12);
    EXPECT_LT(qRed(shot.pixel(2, 5)), 10);
    EXPECT_GT(qRed(shot.pixel(98, 20)), 245);
}

TEST(ImageForm, ThePictureShapesTheWindow) {
    QWidget form;
    form.resize(40, 30);
    TImage picture(&form);
    QImage shape(40, 30, QImage::Format_RGB32);
    shape.fill(Qt::magenta);  // the border colour, taken from the bottom-left pixel
    for (int y = 5; y < 25; ++y)
        for (int x = 8; x < 32; ++x) shape.setPixel(x, y, qRgb(0, 100, 0));
    picture.SetPicture(shape);
    TElImageForm imageForm(&form);
    imageForm.SetFormImage(&picture);
    EXPECT_EQ(imageForm.TransparentColor(), RGBColor(255, 0, 255));
    EXPECT_TRUE(form.mask().isEmpty());
    imageForm.SetChangeFormRegion(true);
    EXPECT_FALSE(form.mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(form.mask().contains(QPoint(20, 15)));
    EXPECT_EQ(form.mask().boundingRect(), QRect(8, 5, 24, 20));
    // A new picture reshapes the window; no picture, no shape.
    shape.fill(qRgb(0, 100, 0));
    shape.setPixel(0, 29, qRgb(1, 2, 3));
    picture.SetPicture(shape);
    EXPECT_EQ(form.mask().boundingRect(), QRect(0, 0, 40, 30));
    imageForm.SetFormImage(nullptr);
    EXPECT_EQ(imageForm.TransparentColor(), clNone);
    EXPECT_TRUE(form.mask().isEmpty());
    imageForm.SetFormImage(&picture);
    imageForm.SetChangeFormRegion(false);
    EXPECT_TRUE(form.mask().isEmpty());
}

// The picture control may go before the form: the form drops the picture's shape and colour
// and goes on living with its window whole.
TEST(ImageForm, APictureControlDestroyedFirstLeavesTheFormWhole) {
    QWidget form;
    form.resize(40, 30);
    auto* picture = new TImage(&form);
    QImage shape(40, 30, QImage::Format_RGB32);
    shape.fill(Qt::magenta);
    for (int y = 5; y < 25; ++y)
        for (int x = 8; x < 32; ++x) shape.setPixel(x, y, qRgb(0, 100, 0));
    picture->SetPicture(shape);
    TElImageForm imageForm(&form);
    imageForm.SetChangeFormRegion(true);
    imageForm.SetFormImage(picture);
    ASSERT_EQ(form.mask().boundingRect(), QRect(8, 5, 24, 20));
    int told = 0;
    QObject::connect(&imageForm, &TElImageFormLink::Changed, [&] { ++told; });

    delete picture;
    EXPECT_EQ(imageForm.FormImage(), nullptr);
    EXPECT_EQ(imageForm.TransparentColor(), clNone);
    EXPECT_TRUE(form.mask().isEmpty());
    EXPECT_EQ(told, 1) << "linked controls hear of the lost colour";

    form.resize(60, 40);
    form.show();
    imageForm.SetTransparentColor(clRed);
    EXPECT_TRUE(form.mask().isEmpty());
    imageForm.SetChangeFormRegion(false);
    imageForm.SetChangeFormRegion(true);
    EXPECT_TRUE(form.mask().isEmpty());
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

void Drag(QWidget* target, QPoint from, QPoint by) {
    const QPoint global = target->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, from + by, global + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, from + by, global + by, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

TEST(ImageForm, DraggingMovesTheFormOnlyWhereItMay) {
    QWidget form;
    form.setGeometry(100, 100, 120, 80);
    QWidget child(&form);
    child.setGeometry(60, 0, 60, 20);
    QWidget caption(&form);
    caption.setGeometry(0, 0, 50, 15);
    TElImageForm imageForm(&form);
    struct Case {
        const char* what;
        bool moveForm;
        QWidget* captionControl;
        QPoint from;
        QPoint expectedMove;
    } cases[] = {
        {"off", false, nullptr, {30, 50}, {0, 0}},
        {"empty client area", true, nullptr, {30, 50}, {7, 9}},
        {"over a child", true, nullptr, {70, 10}, {0, 0}},
        {"on the caption control", true, &caption, {10, 5}, {7, 9}},
        {"outside the caption control", true, &caption, {30, 50}, {0, 0}},
    };
    for (const auto& c : cases) {
        imageForm.SetMoveForm(c.moveForm);
        imageForm.SetCaptionControl(c.captionControl);
        const QPoint before = form.pos();
        Drag(&form, c.from, QPoint(7, 9));
        EXPECT_EQ(form.pos() - before, c.expectedMove) << c.what;
    }
}

// A caption control that takes its own presses, or leaves them to the form.
class CaptionChild : public QWidget {
public:
    CaptionChild(QWidget* parent, bool takes) : QWidget(parent), takes_(takes) {}
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        ++presses;
        e->setAccepted(takes_);
    }

private:
    bool takes_;
};

// A drag started by a real press on the caption control (routed to that child, not to the form)
// moves the form, whether the child takes presses or not; the child never sees the press that
// starts the move. Other buttons stay the child's.
TEST(ImageForm, APressOnTheCaptionControlItselfDragsTheForm) {
    for (bool takes : {true, false}) {
        SCOPED_TRACE(takes);
        QWidget form;
        form.setGeometry(100, 100, 120, 80);
        CaptionChild caption(&form, takes);
        caption.setGeometry(0, 0, 50, 15);
        TElImageForm imageForm(&form);
        imageForm.SetMoveForm(true);
        imageForm.SetCaptionControl(&caption);
        const QPoint before = form.pos();
        QTest::mousePress(&caption, Qt::LeftButton, {}, QPoint(10, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(17, 14), QPointF(caption.mapToGlobal(QPoint(17, 14))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&caption, &move);
        QTest::mouseRelease(&caption, Qt::LeftButton, {}, QPoint(17, 14));
        EXPECT_EQ(form.pos() - before, QPoint(7, 9));
        EXPECT_EQ(caption.presses, 0);
        QTest::mousePress(&caption, Qt::RightButton, {}, QPoint(10, 5));
        QTest::mouseRelease(&caption, Qt::RightButton, {}, QPoint(10, 5));
        EXPECT_EQ(caption.presses, 1);
        EXPECT_EQ(form.pos() - before, QPoint(7, 9));
        // Without MoveForm the caption control is an ordinary control.
        imageForm.SetMoveForm(false);
        QTest::mousePress(&caption, Qt::LeftButton, {}, QPoint(10, 5));
        QTest::mouseRelease(&caption, Qt::LeftButton, {}, QPoint(10, 5));
        EXPECT_EQ(caption.presses, 2);
    }
}

// A form that keeps its own background, and says so when asked.
class OwnBackgroundForm : public QWidget, public TImageFormEraseQuery {
public:
    bool refuses = false;
    bool RefusesImageFormErase() const override { return refuses; }
};

// Loaded puts the hook on the form known by then (here the owner set after creation); the hook
// paints the form unless the form refuses.
TEST(ImageForm, LoadedHooksTheFormKnownByThenWhichMayKeepItsOwnBackground) {
    OwnBackgroundForm form;
    form.resize(40, 30);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 30));
    form.setPalette(pal);
    auto* imageForm = new TElImageForm;
    imageForm->SetBackground(Pattern(9, 7));
    imageForm->SetBackgroundType(bgtTileBitmap);
    imageForm->setParent(&form);
    EXPECT_EQ(form.grab().toImage().pixel(20, 15), qRgb(10, 200, 30));
    imageForm->Loaded();
    for (bool refuses : {false, true}) {
        form.refuses = refuses;
        EXPECT_EQ(form.grab().toImage().pixel(20, 15), refuses ? qRgb(10, 200, 30) : Pattern(9, 7).pixel(20 % 9, 15 % 7))
            << refuses;
    }
}

TEST(ImageForm, OutlivesItsFormAndItsFormOutlivesIt) {
    auto form = std::make_unique<QWidget>();
    form->resize(50, 50);
    TElImageForm imageForm;
    imageForm.SetControl(form.get());
    imageForm.SetBackgroundType(bgtTileBitmap);
    form.reset();
    EXPECT_EQ(imageForm.GetRealControl(), nullptr);
    QImage img = Canvas(10, 10);
    QPainter p(&img);
    QWidget stray;
    imageForm.PaintBackground(p, &stray, QRect(0, 0, 10, 10));  // no form: nothing
    p.end();
    EXPECT_EQ(QColor(img.pixel(5, 5)), QColor(Qt::black));
    QWidget other;
    other.resize(30, 30);
    {
        TElImageForm shortLived;
        shortLived.SetControl(&other);
        shortLived.SetBackgroundType(bgtTileBitmap);
    }
    other.grab();  // the form paints normally once its image form is gone
    EXPECT_EQ(TElHookList::Instance().Find(&other)->Hooks().size(), 0u);
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
    int repaintsBefore = 0;
    QObject::connect(&imageForm, &TElImageFormLink::Changed, [&] { ++repaintsBefore; });
    imageForm.SetBackgroundType(bgtColorFill);
    EXPECT_EQ(repaintsBefore, 1);
    {
        TElImageForm gone(&form);
        b->SetImageForm(&gone);
    }
    EXPECT_EQ(b->ImageForm(), nullptr);  // a destroyed image form is forgotten
    form.grab();
}

}  // namespace
}  // namespace kvt::gui
