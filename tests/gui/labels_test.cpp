// Labels and the picture-backed radio box: text styles as the player sees them, sizing to the
// text, the parent's colour, clicks, and a box that shows the dialog's picture.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "gui/platform/fonts.h"
#include "gui/platform/form.h"
#include "gui/ui/check_items.h"
#include "gui/ui/framed_radio_box.h"
#include "gui/ui/labels.h"
#include "gui/ui/panel.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::BoundsOfColor;
using kvt::testing::CountColor;
using kvt::testing::Pixel;
using kvt::testing::Render;
using kvt::testing::Rgb;

struct LabelWindow {
    std::unique_ptr<QWidget> window{kvt::testing::NewPlainWindow(260, 90, clSilver)};
    TElLabel* label = new TElLabel(window.get());
    LabelWindow() {
        label->move(20, 20);
        // Crisp text, so that every pass's pixels carry exactly its colour.
        QFont font = MakeFont(QStringLiteral("Times New Roman"), -20, true);
        font.setStyleStrategy(QFont::NoAntialias);
        label->setFont(font);
        label->SetCaption(QStringLiteral("Recruits"));
        label->SetTransparent(true);
    }
    QImage Shot() { return Render(window.get()); }
};

TEST(Label, StylesKeepTheTextInPlaceAndMeasureOnePixelMoreOnEverySide) {
    LabelWindow plain;
    const QImage plainShot = plain.Shot();
    const QRect plainText = BoundsOfColor(plainShot, plainShot.rect(), Rgb(clWindowText));
    ASSERT_FALSE(plainText.isEmpty());
    const struct {
        TElLabelTextStyle style;
        TColor upLeft, downRight;
    } cases[] = {{ltsEmbossed, clLime, clRed}, {ltsRecessed, clRed, clLime}, {ltsOutlined, clYellow, clYellow}};
    for (const auto& c : cases) {
        LabelWindow w;
        w.label->SetStyle(c.style);
        w.label->SetLightColor(clLime);
        w.label->SetDarkColor(clRed);
        w.label->SetOutlineColor(clYellow);
        EXPECT_EQ(w.label->size(), plain.label->size() + QSize(2, 2)) << c.style;
        EXPECT_EQ(w.label->pos(), plain.label->pos()) << c.style;
        const QImage image = w.Shot();
        const QRect label(w.label->pos(), w.label->size());
        EXPECT_EQ(BoundsOfColor(image, image.rect(), Rgb(clWindowText)), plainText) << "the text at its plain place";
        // Down and right the style shows whole; up and left it is cut at the label's edge.
        const QRect downRight = BoundsOfColor(image, image.rect(), Rgb(c.downRight));
        const QRect upLeft = BoundsOfColor(image, image.rect(), Rgb(c.upLeft));
        EXPECT_EQ(downRight.bottomRight(), plainText.bottomRight() + QPoint(1, 1)) << c.style;
        EXPECT_EQ(upLeft.top(), std::max(plainText.top() - 1, label.top())) << c.style;
        EXPECT_EQ(upLeft.left(), std::max(plainText.left() - 1, label.left())) << c.style;
    }
}

// A style's extra pixel rings the text only; the shadow or extrusion is the plain text moved, so
// the label measures the union of the two.
TEST(Label, StyleAndEffectTogetherMeasureTheTextsRingAndThePlainEffect) {
    LabelWindow plain;
    const struct {
        TElLabelTextStyle style;
        TElLabelEffectStyle effect;
        TElLabelExtrudePosition towards;
        int depth;
        QSize grows;
    } cases[] = {
        {ltsNormal, lesShadow, lepRightBottom, 10, QSize(2, 2)},
        {ltsRecessed, lesShadow, lepRightBottom, 10, QSize(3, 3)},
        {ltsOutlined, lesShadow, lepRightBottom, 10, QSize(3, 3)},
        {ltsEmbossed, lesExtrude, lepRightBottom, 10, QSize(11, 11)},
        {ltsRecessed, lesExtrude, lepLeftTop, 4, QSize(5, 5)},
        {ltsRecessed, lesExtrude, lepRight, 1, QSize(2, 2)},
    };
    for (const auto& c : cases) {
        LabelWindow w;
        w.label->SetStyle(c.style);
        w.label->SetExtrudePosition(c.towards);
        w.label->SetDepth(c.depth);
        w.label->SetEffect(c.effect);
        EXPECT_EQ(w.label->size(), plain.label->size() + c.grows) << c.style << " " << c.effect << " " << c.depth;
    }
}

TEST(Label, DisabledTextIsEtchedAndNeverInTheFontColour) {
    LabelWindow w;
    w.label->setEnabled(false);
    const QImage image = w.Shot();
    EXPECT_EQ(CountColor(image, image.rect(), Rgb(clWindowText)), 0);
    EXPECT_GT(CountColor(image, image.rect(), Rgb(clBtnShadow)), 20);
    EXPECT_GT(CountColor(image, image.rect(), Rgb(clBtnHighlight)), 20);
}

TEST(Label, AutoSizeFollowsTheCaptionKeepingTheRightEdgeOfARightAlignedLabel) {
    LabelWindow w;
    const QFontMetrics fm(w.label->font());
    w.label->SetCaption(QStringLiteral("22,22"));
    EXPECT_EQ(w.label->pos(), QPoint(20, 20));
    EXPECT_EQ(w.label->height(), fm.height());
    w.label->SetAlignment(taRightJustify);
    const int right = w.label->x() + w.label->width();
    w.label->SetCaption(QStringLiteral("22,22 and more"));
    EXPECT_EQ(w.label->x() + w.label->width(), right);
    EXPECT_GT(w.label->width(), fm.horizontalAdvance(QStringLiteral("22,22")));
    w.label->SetCaption(QString());
    EXPECT_GT(w.label->width(), 0) << "an empty caption measures as a blank";
}

TEST(Label, OpaqueLabelFillsWithItsParentsColourUntilGivenItsOwn) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 80));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 200, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clTeal);
    auto* label = new TElLabel(panel);
    label->move(10, 10);
    label->SetCaption(QStringLiteral("Combat Stance"));
    const QPoint corner(10, 10);
    EXPECT_EQ(Pixel(Render(window.get()), corner.x(), corner.y()), Rgb(clTeal));
    label->SetColor(clYellow);
    EXPECT_FALSE(label->ParentColor());
    EXPECT_EQ(Pixel(Render(window.get()), corner.x(), corner.y()), Rgb(clYellow));
    label->SetTransparent(true);
    EXPECT_EQ(Pixel(Render(window.get()), corner.x(), corner.y()), Rgb(clTeal));
}

// ---- picture-backed radio box

TEST(Label, TakesItsOwnClicksAndMouseEventsAndThePanelUnderItGetsNone) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(260, 120));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(10, 10, 240, 100);
    panel->SetMovable(true);
    auto* label = new TElLabel(panel);
    label->move(10, 10);
    label->SetCaption(QStringLiteral("Combat Stance"));
    label->SetTransparent(true);
    kvt::testing::ShowActive(window.get());
    std::vector<std::string> log;
    const auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    QObject::connect(label, &TElLabel::OnClick, [&]() { log.push_back("click"); });
    QObject::connect(label, &TElLabel::OnDblClick, [&]() { log.push_back("double"); });
    QObject::connect(label, &TElLabel::OnMouseDown, [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("down " + at(x, y));
    });
    QObject::connect(label, &TElLabel::OnMouseMove,
                     [&](Qt::KeyboardModifiers, int x, int y) { log.push_back("move " + at(x, y)); });
    QObject::connect(label, &TElLabel::OnMouseUp, [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("up " + at(x, y));
    });
    int panelEvents = 0;
    QObject::connect(panel, &TElPanel::OnClick, [&]() { ++panelEvents; });
    QObject::connect(panel, &TElPanel::OnMouseDown, [&]() { ++panelEvents; });
    QObject::connect(panel, &TElPanel::OnMouseMove, [&]() { ++panelEvents; });
    QObject::connect(panel, &TElPanel::OnMouseUp, [&]() { ++panelEvents; });
    const QPoint panelAt = panel->pos();
    kvt::testing::ExpectEventSteps(log, {
        {[&] { QTest::mouseMove(label, QPoint(6, 5)); }, {"move 6,5"}},
        {[&] { QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(8, 6)); }, {"down 8,6", "click", "up 8,6"}},
        {[&] {
             QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(8, 6));
             QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(8, 6));
         },
         {"double", "down 8,6", "up 8,6"}},
        {[&] {
             QTest::mousePress(label, Qt::LeftButton, {}, QPoint(8, 6));
             QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(200, 6));
         },
         {"down 8,6", "up 200,6"}},  // released outside: no click
        {[&] { QTest::mouseClick(label, Qt::RightButton, {}, QPoint(8, 6)); }, {"down 8,6", "up 8,6"}},
    });
    EXPECT_EQ(panelEvents, 0) << "nothing done on the label reaches the panel";
    EXPECT_EQ(panel->pos(), panelAt) << "a press on the label does not move the movable panel";
    EXPECT_EQ(kvt::testing::DragOverAndDrop(label), kvt::testing::DragOverAndDropLog());

    // A disabled label takes no mouse: the press is the panel's.
    label->setEnabled(false);
    log.clear();
    QSignalSpy panelClicks(panel, &TElPanel::OnClick);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(8, 6));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(panelClicks.count(), 1);
}

TEST(FramedRadioBox, ABoxNeverDrawnIntoShowsABlankPictureAndNoFrame) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 150, clSilver));
    auto* box = new TNewRadBox(window.get());
    box->setGeometry(20, 20, 103, 87);
    box->SetCaption(QStringLiteral("Grade"));
    const QImage image = Render(window.get());
    EXPECT_EQ(CountColor(image, QRect(20, 20, 103, 87), QColor(Qt::white)), 103 * 87);
}

TEST(FramedRadioBox, ShowsThePartOfTheDialogPictureUnderItBehindItsButtons) {
    kvt::testing::PictureWindow window(300, 200);
    auto* box = new TNewRadBox(&window);
    box->setGeometry(40, 30, 132, 82);
    auto* button = new TElRadioButton(box);
    button->setGeometry(6, 6, 110, 17);
    button->SetTransparent(true);
    button->SetCaption(QStringLiteral("Active"));
    box->CopyBackground(window.Picture(), box->pos());
    const QImage image = Render(&window);
    int same = 0;
    for (const QPoint p : {QPoint(45, 100), QPoint(170, 110), QPoint(100, 32), QPoint(40 + 115, 30 + 10)})
        same += Pixel(image, p.x(), p.y()) == QColor(window.Picture().pixel(p)) ? 1 : 0;
    EXPECT_EQ(same, 4) << "the box and its transparent button show the dialog's own picture";
}

TEST(FramedRadioBox, PaintsOnlyTheTopLeftOfItsPicture) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(640, 480, clSilver));
    auto* box = new TNewRadBox(window.get());
    box->setGeometry(0, 0, 600, 450);
    box->BackBitmap().fill(Qt::blue);
    const QImage image = Render(window.get());
    EXPECT_EQ(Pixel(image, 499, 399), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 550, 420), Rgb(clSilver)) << "beyond 500 x 400 nothing is painted";
}

TEST(FramedRadioBox, CaptionAcceleratorFocusesTheFirstChildAndChildrenSitInside) {
    TForm dialog;
    dialog.resize(200, 150);
    auto* box = new TNewRadBox(&dialog);
    box->setGeometry(10, 10, 150, 120);
    box->SetCaption(QStringLiteral("&Status"));
    auto* first = new TElRadioButton(box);
    auto* second = new TElRadioButton(box);
    first->setGeometry(5, 5, 100, 17);
    second->setGeometry(5, 25, 100, 17);
    kvt::testing::ShowActive(&dialog);
    second->setFocus();
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_FALSE(first->GetChecked()) << "the focus alone chooses nothing";
    const int line = QFontMetrics(box->font()).height();
    EXPECT_EQ(box->contentsMargins(), QMargins(4, 2 * (line + 2), 4, 4));
}

TEST(FramedRadioBox, CaptionAcceleratorPassesOverWhatCannotTakeTheFocus) {
    TForm dialog;
    dialog.resize(300, 150);
    auto* box = new TNewRadBox(&dialog);
    box->setGeometry(10, 10, 150, 130);
    box->SetCaption(QStringLiteral("&Status"));
    auto* heading = new TElLabel(box);
    heading->SetCaption(QStringLiteral("Status"));
    TElRadioButton* rows[4];
    for (int i = 0; i < 4; ++i) {
        rows[i] = new TElRadioButton(box);
        rows[i]->setGeometry(5, 20 + 20 * i, 100, 17);
    }
    auto* outside = new TElCheckBox(&dialog);
    outside->setGeometry(170, 10, 100, 17);
    rows[0]->hide();
    rows[1]->setEnabled(false);
    kvt::testing::ShowActive(&dialog);
    outside->setFocus();
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(rows[2]->hasFocus()) << "the label, the hidden and the disabled row are passed over";
    EXPECT_FALSE(rows[2]->GetChecked());

    // Once the player has chosen, Tab stops only at the chosen row, and so does the letter.
    rows[2]->SetChecked(true);
    rows[3]->SetChecked(true);
    outside->setFocus();
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(rows[3]->hasFocus());

    // With nothing inside that can take the focus the letter is still the box's.
    for (TElRadioButton* row : rows) row->setEnabled(false);
    outside->setFocus();
    bool reachedOutside = false;
    outside->SetCaption(QStringLiteral("&Supply"));
    QObject::connect(outside, &TElCheckBox::OnClick, [&]() { reachedOutside = true; });
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(outside->hasFocus());
    EXPECT_FALSE(reachedOutside);
}

}  // namespace
}  // namespace kvt::gui
