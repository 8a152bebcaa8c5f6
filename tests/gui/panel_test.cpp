// Panels and group boxes: transparency, bevels, caption placement, borders, events and keys, and
// the group box's frame.
#include <gtest/gtest.h>

#include <QCursor>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/platform/edges.h"
#include "gui/platform/fonts.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/check_items.h"
#include "gui/ui/group_box.h"
#include "gui/ui/panel.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::PaintCounter;
using kvt::testing::Pixel;
using kvt::testing::Render;
using kvt::testing::Rgb;
using SolidForm = kvt::testing::SolidImageForm;

// The library's blend: ((256 - level) x what lies beneath + level x the colour) div 256.
QColor Tinted(QColor under, QColor tint, int level) {
    const auto mix = [level](int o, int n) { return ((256 - level) * o + level * n) / 256; };
    return QColor(mix(under.red(), tint.red()), mix(under.green(), tint.green()), mix(under.blue(), tint.blue()));
}

TEST(Panel, TransparentPanelShowsThePictureTintedByTheAlphaLevel) {
    kvt::testing::PictureWindow window(100, 60);
    auto* panel = new TElPanel(&window);
    panel->setGeometry(10, 10, 80, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    panel->SetTransparent(true);
    for (int level : {0, 128, 255}) {
        panel->SetAlphaLevel(level);
        const QImage image = Render(&window);
        for (QPoint probe : {QPoint(40, 30), QPoint(10, 10), QPoint(89, 49), QPoint(63, 17)}) {
            const QColor under(window.Picture().pixel(probe));
            EXPECT_EQ(Pixel(image, probe.x(), probe.y()), Tinted(under, Qt::white, level))
                << "level " << level << " at " << probe.x() << "," << probe.y();
        }
        EXPECT_EQ(Pixel(image, 5, 5), QColor(window.Picture().pixel(5, 5))) << "outside the panel";
    }
    panel->SetTransparent(false);
    EXPECT_EQ(Pixel(Render(&window), 40, 30), Rgb(clWhite));
}

TEST(Panel, BevelsAreLitFromTheTopLeft) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(60, 40));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 60, 40);
    QImage image = Render(window.get());
    EXPECT_EQ(Pixel(image, 0, 20), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 30, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 59, 20), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 30, 39), Rgb(clBtnShadow));
    panel->SetBevelOuter(bvLowered);
    image = Render(window.get());
    EXPECT_EQ(Pixel(image, 0, 20), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 59, 20), Rgb(clBtnHighlight));
}

TEST(Panel, CaptionLayoutMovesTheTextByThePanelsHeightAndTheFrameDepth) {
    // The caption is measured inside the frame (top T, bottom B = T + text height) and moved down
    // by (Height - B) div 2 + T (centre) or Height - B + T (bottom): with no frame a bottom caption
    // ends at the panel's edge, with a frame T deep it ends T below it.
    constexpr int kHeight = 60;
    const QString caption = QStringLiteral("Combat Stance");
    const int textHeight = MeasureText(TElPanel().font(), caption, QRect(0, 0, 1000, 1000), DT_EXPANDTABS).height();
    const struct {
        TPanelBevel outer, inner;
        int bevelWidth, border, depth;
    } frames[] = {{bvNone, bvNone, 1, 0, 0}, {bvRaised, bvNone, 1, 0, 1}, {bvRaised, bvLowered, 2, 2, 6}};
    const auto inkTop = [&](const auto& f, TTextLayout layout) {
        std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(120, kHeight, clWhite));
        auto* panel = new TElPanel(window.get());
        panel->setGeometry(0, 0, 120, kHeight);
        panel->SetColor(clWhite);
        panel->SetBevelOuter(f.outer);
        panel->SetBevelInner(f.inner);
        panel->SetBevelWidth(f.bevelWidth);
        panel->SetBorderWidth(f.border);
        panel->SetCaption(caption);
        panel->SetLayout(layout);
        return kvt::testing::BoundsOfColor(Render(window.get()), QRect(0, 0, 120, kHeight), Rgb(clBtnText)).top();
    };
    for (const auto& f : frames) {
        const int t = f.depth, b = f.depth + textHeight;
        // Where the ink starts inside the text's box: a caption at the top starts at T.
        const int glyphOffset = inkTop(f, tlTop) - t;
        ASSERT_GE(glyphOffset, 0) << t;
        EXPECT_EQ(inkTop(f, tlCenter), t + (kHeight - b) / 2 + t + glyphOffset) << "centre, frame " << t;
        EXPECT_EQ(inkTop(f, tlBottom), t + kHeight - b + t + glyphOffset) << "bottom, frame " << t;
    }
}

TEST(Panel, PublishedEventsComeInTheClassLibrarysOrder) {
    std::vector<std::string> log;
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 100));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(10, 10, 150, 80);
    panel->setFocusPolicy(Qt::ClickFocus);
    kvt::testing::ShowActive(window.get());
    window->setFocus();
    kvt::testing::LogLibraryEvents(panel, log);
    QObject::connect(panel, &TElPanel::OnClick, [&]() { log.push_back("click"); });
    QObject::connect(panel, &TElPanel::OnDblClick, [&]() { log.push_back("double"); });
    kvt::testing::ExpectEventSteps(log, {
        {[&] { QTest::mouseMove(panel, QPoint(30, 5)); }, {"move 30,5"}},
        {[&] { QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(40, 20)); }, {"enter", "down 40,20", "click", "up 40,20"}},
        // The second press of a double click is a double click, and its release no click.
        {[&] {
             QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(40, 20));
             QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(40, 20));
         },
         {"double", "down 40,20", "up 40,20"}},
        {[&] {
             QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(40, 20));
             QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(170, 20));
         },
         {"down 40,20", "up 170,20"}},  // released outside: no click
        {[&] { QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(40, 20)); }, {"down 40,20", "up 40,20"}},
        {[&] { QTest::keyClick(panel, Qt::Key_A); }, {"key down 65", "key press a", "key up 65"}},
        {[&] { QTest::keyClick(panel, Qt::Key_Q); }, {"key down 81", "key up 81"}},
        {[&] { window->setFocus(); }, {"exit"}},
    });
    QCursor::setPos(0, 0);
    EXPECT_EQ(kvt::testing::DragOverAndDrop(panel), kvt::testing::DragOverAndDropLog());
}

// A dialog's window that notes the keys no control inside used.
class KeyHost : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

TEST(Panel, KeysAFocusedControlInsideLeavesGoOnToTheDialogAndNotThroughThePanel) {
    std::vector<std::string> panelLog, boxLog;
    KeyHost window;
    window.resize(250, 150);
    auto* panel = new TElPanel(&window);
    panel->setGeometry(10, 10, 200, 120);
    panel->setFocusPolicy(Qt::ClickFocus);
    auto* box = new TElCheckBox(panel);
    box->setGeometry(10, 10, 100, 17);
    kvt::testing::ShowActive(&window);
    box->setFocus();
    kvt::testing::LogLibraryEvents(panel, panelLog);
    kvt::testing::LogLibraryEvents(box, boxLog);
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_EQ(boxLog, (std::vector<std::string>{"key down 65", "key press a", "key up 65"}));
    EXPECT_TRUE(panelLog.empty()) << "the key was not pressed on the panel";
    EXPECT_EQ(window.keys, std::vector<int>{Qt::Key_A});

    // Keys pressed on the panel itself are its own.
    panel->setFocus();
    panelLog.clear();
    QTest::keyClick(panel, Qt::Key_A);
    EXPECT_EQ(panelLog, (std::vector<std::string>{"key down 65", "key press a", "key up 65"}));
}

TEST(Panel, ASingleBorderIsASunkenEdgeTheChildrenStayInsideAndMouseCaptureGrabsTheMouse) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(120, 80, clWhite));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 120, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    EXPECT_TRUE(panel->setProperty("BorderStyle", 1));
    EXPECT_EQ(panel->contentsMargins(), QMargins(2, 2, 2, 2));
    const QImage image = Render(window.get());
    EXPECT_EQ(Pixel(image, 0, 40), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 1, 40), Rgb(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 119, 40), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 2, 40), Rgb(clWhite));
    panel->setProperty("MouseCapture", true);
    EXPECT_EQ(QWidget::mouseGrabber(), panel);
    panel->setProperty("MouseCapture", false);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(Panel, AnImageFormThatGoesIsForgottenAndThePanelRepaints) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(120, 80, clWhite));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 120, 80);
    auto form = std::make_unique<SolidForm>();
    panel->SetImageForm(form.get());
    Render(window.get());
    PaintCounter paints(panel);
    form.reset();
    QApplication::processEvents();
    EXPECT_EQ(panel->ImageForm(), nullptr);
    EXPECT_GE(paints.count, 1);
}

// ---- group box

struct GroupWindow {
    std::unique_ptr<QWidget> window{kvt::testing::NewPlainWindow(200, 100, clWhite)};
    TElGroupBox* box = new TElGroupBox(window.get());
    GroupWindow() {
        box->setGeometry(10, 10, 180, 80);
        box->SetColor(clWhite);
        box->SetCaption(QStringLiteral("Transfer"));
    }
};

TEST(GroupBox, TheFrameStopsAtTheCaptionAndFollowsItsSides) {
    const int lineY = 10 + QFontMetrics(TElGroupBox().font()).height() / 2;
    const auto topLine = [&](const QImage& image, int x) { return Pixel(image, 10 + x, lineY) != QColor(Qt::white); };
    {
        GroupWindow g;
        const QImage image = Render(g.window.get());
        const int textWidth = MeasureText(g.box->font(), g.box->Caption(), QRect(), 0).width();
        EXPECT_TRUE(topLine(image, 4));
        EXPECT_FALSE(topLine(image, 7)) << "one pixel left of the caption";
        EXPECT_FALSE(topLine(image, 8 + textWidth)) << "one pixel right of the caption";
        EXPECT_TRUE(topLine(image, 8 + textWidth + 3));
    }
    {
        GroupWindow g;
        g.box->SetCaption(QString());
        const QImage image = Render(g.window.get());
        for (int x : {4, 8, 20, 60}) EXPECT_TRUE(topLine(image, x)) << "no caption: a closed frame at " << x;
    }
    {
        GroupWindow g;
        g.box->SetCaption(QString());
        g.box->SetBorderSides(ebsLeft | ebsRight | ebsBottom);
        const QImage image = Render(g.window.get());
        for (int x : {4, 60}) EXPECT_FALSE(topLine(image, x));
        EXPECT_NE(Pixel(image, 10, 50), QColor(Qt::white)) << "the left side is still there";
    }
}

// The caption band lies under the caption check box: the box shows whole on it, checked or not.
TEST(GroupBox, TheCaptionBandLeavesTheCheckBoxShowing) {
    for (const bool checked : {true, false}) {
        GroupWindow g;
        g.box->SetShowCheckBox(true);
        g.box->SetCheckBoxChecked(checked);
        g.box->SetCaptionColor(clYellow);
        const QImage image = Render(g.window.get());
        const QRect box = g.box->CheckRect().translated(g.box->pos());
        ASSERT_FALSE(box.isEmpty());
        EXPECT_EQ(kvt::testing::CountColor(image, box, Rgb(clYellow)), 0) << "the band over the check box";
        EXPECT_GT(kvt::testing::CountColor(image, box.adjusted(2, 2, -2, -2), Rgb(clWindow)), 0) << checked;
        EXPECT_EQ(kvt::testing::CountDarker(image, box.adjusted(3, 3, -3, -3), 80) > 0, checked) << "the mark";
        EXPECT_EQ(Pixel(image, box.right() + 60, g.box->y() + 1), Rgb(clYellow)) << "the band above the frame line";
    }
}

TEST(GroupBox, ClientAreaLeavesTheCaptionLineAndTheFrame) {
    GroupWindow g;
    const int caption = g.box->CaptionHeight();
    EXPECT_EQ(g.box->contentsMargins(), QMargins(2, caption + 2, 2, 2));
    g.box->SetCtl3D(false);
    EXPECT_EQ(g.box->contentsMargins(), QMargins(1, caption + 1, 1, 1));
}

}  // namespace
}  // namespace kvt::gui
