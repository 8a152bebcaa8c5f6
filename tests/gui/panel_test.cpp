// Panels and group boxes: background kinds, transparency, bevels, caption placement, grab strips
// and drags, the group box's frame and its caption check box.
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
#include "tests/gui/fake_visual_styles.h"

namespace kvt::gui {
namespace {

using kvt::testing::PaintCounter;
using kvt::testing::Pixel;
using kvt::testing::Render;
using kvt::testing::Rgb;
using SolidForm = kvt::testing::SolidImageForm;

QImage Picture(int w, int h, QColor fill, QColor bottomRight) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    image.setPixel(w - 1, h - 1, bottomRight.rgb());
    return image;
}

TEST(Panel, BackgroundKindsNeedingAPictureFallBackToColourFill) {
    const struct {
        TElBkGndType requested;
        bool withPicture;
        TElBkGndType result;
    } cases[] = {
        {bgtTileBitmap, false, bgtColorFill},    {bgtStretchBitmap, false, bgtColorFill},
        {bgtCenterBitmap, false, bgtColorFill},  {bgtTopLeftBitmap, false, bgtTopLeftBitmap},
        {bgtHorzGradient, false, bgtHorzGradient}, {bgtVertGradient, false, bgtVertGradient},
        {bgtTileBitmap, true, bgtTileBitmap},    {bgtCenterBitmap, true, bgtCenterBitmap},
    };
    for (const auto& c : cases) {
        TElPanel panel;
        if (c.withPicture) panel.SetBackground(Picture(4, 4, Qt::red, Qt::red));
        panel.SetBackgroundType(c.requested);
        EXPECT_EQ(panel.BackgroundType(), c.result) << "requested " << c.requested << " picture " << c.withPicture;
    }
    TElPanel panel;
    panel.SetBackground(Picture(4, 4, Qt::red, Qt::red));
    panel.SetBackgroundType(bgtVertGradient);
    panel.SetBackground(QImage());
    EXPECT_EQ(panel.BackgroundType(), bgtColorFill) << "an empty picture turns even a gradient into a colour fill";
}

TEST(Panel, TopLeftPictureSetsTheColourWhenThePictureChangesNotWhilePainting) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(120, 80));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 120, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBackgroundType(bgtTopLeftBitmap);
    panel->SetBackground(Picture(20, 10, QColor(0, 0, 255), QColor(0, 128, 0)));
    EXPECT_EQ(panel->Color(), RGBColor(0, 128, 0)) << "the picture's bottom-right pixel";
    panel->SetColor(clYellow);
    const QImage image = Render(window.get());
    EXPECT_EQ(panel->Color(), clYellow) << "painting leaves the colour the code chose";
    EXPECT_EQ(Pixel(image, 5, 5), QColor(0, 0, 255)) << "the picture at the top left";
    EXPECT_EQ(Pixel(image, 100, 60), Rgb(clYellow)) << "the rest in the panel's colour";
}

TEST(Panel, GradientStepsRefuseNonPositiveAndCapHugeCounts) {
    const struct {
        int set;
        int expected;
    } cases[] = {{0, 16}, {-3, 16}, {1, 1}, {100, 100}, {256, 256}, {1000000, TCustomElPanel::kMaxGradientSteps}};
    for (const auto& c : cases) {
        TElPanel panel;
        panel.SetGradientSteps(c.set);
        EXPECT_EQ(panel.GradientSteps(), c.expected) << c.set;
    }
    // A huge count still paints at once, in bands no finer than a pixel.
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(100, 20));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 100, 20);
    panel->SetBevelOuter(bvNone);
    panel->SetBackgroundType(bgtHorzGradient);
    panel->SetGradientStartColor(clBlack);
    panel->SetGradientEndColor(clWhite);
    panel->SetGradientSteps(1000000);
    const QImage image = Render(window.get());
    EXPECT_LT(Pixel(image, 1, 10).red(), 10);
    EXPECT_GT(Pixel(image, 98, 10).red(), 245);
    EXPECT_LT(Pixel(image, 30, 10).red(), Pixel(image, 70, 10).red());
}

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

TEST(Panel, AlphaLevelTintsTheImageFormsBackground) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(100, 60));
    SolidForm form(QColor(10, 100, 201));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(10, 10, 80, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlack);
    panel->SetImageForm(&form);
    for (int level : {0, 128, 255}) {
        panel->SetAlphaLevel(level);
        panel->update();
        EXPECT_EQ(Pixel(Render(window.get()), 40, 30), Tinted(form.color, Qt::black, level)) << level;
    }
    panel->SetImageForm(nullptr);
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

TEST(Panel, OwnerDrawnPanelLeavesThePaintingToItsHandler) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(80, 40, clWhite));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 80, 40);
    panel->SetCaption(QStringLiteral("hidden"));
    panel->SetOwnerDraw(true);
    int calls = 0;
    QObject::connect(panel, &TElPanel::OnPaint, [&]() {
        ++calls;
        panel->Canvas()->fillRect(10, 10, 5, 5, Qt::red);
    });
    const QImage image = Render(window.get());
    EXPECT_GE(calls, 1);
    EXPECT_EQ(Pixel(image, 12, 12), QColor(Qt::red));
    EXPECT_EQ(Pixel(image, 40, 20), QColor(Qt::white)) << "no background and no caption of its own";
}

TEST(Panel, ResizablePanelAnswersSizingBordersWithCornersAnEighthOfItsHeight) {
    TElPanel panel;
    panel.resize(200, 80);
    panel.SetResizable(true);
    const struct {
        QPoint at;
        int code;
    } cases[] = {{{0, 40}, HTLEFT},      {{0, 5}, HTTOPLEFT},  {{0, 75}, HTBOTTOMLEFT}, {{100, 0}, HTTOP},
                 {{5, 0}, HTTOPLEFT},    {{199, 40}, HTRIGHT}, {{100, 79}, HTBOTTOM},    {{100, 40}, HTCLIENT}};
    for (const auto& c : cases) EXPECT_EQ(panel.HitTest(c.at), c.code) << c.at.x() << "," << c.at.y();
}

TEST(Panel, GrabStripsMoveOrResizeThePanel) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 200));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(50, 50, 100, 60);
    TElPanelGrabHandle& top = panel->TopGrabHandle();
    top.SetEnabled(true);
    top.SetVisible(true);
    top.SetSize(8);
    top.SetKind(ghkMove);
    TElPanelGrabHandle& right = panel->RightGrabHandle();
    right.SetEnabled(true);
    right.SetSize(6);
    right.SetKind(ghkResize);
    Render(window.get());
    EXPECT_EQ(panel->HitTest(QPoint(50, 4)), TCustomElPanel::HTCAPTION);
    EXPECT_EQ(panel->HitTest(QPoint(96, 30)), HTRIGHT);
    EXPECT_EQ(panel->contentsMargins().top(), 8) << "a visible strip takes room from the children";

    QSignalSpy moved(panel, &TElPanel::OnMove);
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(50, 4));
    QTest::mouseMove(panel, QPoint(70, 14));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(70, 14));
    EXPECT_EQ(panel->pos(), QPoint(70, 60));
    EXPECT_EQ(moved.count(), 1);

    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(96, 30));
    QTest::mouseMove(panel, QPoint(116, 30));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(116, 30));
    EXPECT_EQ(panel->size(), QSize(120, 60));
    EXPECT_EQ(moved.count(), 1) << "a resize that keeps the top-left corner is no move";
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

TEST(Panel, AMovableDragLeavesThePanelAndMovesItAsTheWindowSystemWould) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 200));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(50, 50, 100, 60);
    panel->SetMovable(true);
    Render(window.get());
    QSignalSpy moved(panel, &TElPanel::OnMove), left(panel, &TElPanel::OnMouseLeave),
        clicks(panel, &TElPanel::OnClick), moves(panel, &TElPanel::OnMouseMove);
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(panel, QPoint(14, 12));  // the move starts here, from this point
    EXPECT_EQ(panel->pos(), QPoint(50, 50));
    EXPECT_EQ(left.count(), 1) << "the panel lets go of the mouse as the move begins";
    QTest::mouseMove(panel, QPoint(34, 22));
    EXPECT_EQ(panel->pos(), QPoint(70, 60));
    EXPECT_EQ(moves.count(), 1) << "the window system's move has the mouse to itself";
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(14, 12));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(clicks.count(), 0) << "a drag is no click";
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1) << "the button-down flag was cleared: a later click is a click again";
    EXPECT_EQ(panel->pos(), QPoint(70, 60));
}

TEST(Panel, AMoveParentStripMovesThePanelsParentNotItsWindow) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 200));
    auto* holder = new QWidget(window.get());
    holder->setGeometry(20, 20, 200, 150);
    auto* panel = new TElPanel(holder);
    panel->setGeometry(10, 10, 100, 60);
    TElPanelGrabHandle& strip = panel->LeftGrabHandle();
    strip.SetEnabled(true);
    strip.SetVisible(true);
    strip.SetSize(8);
    strip.SetKind(ghkMoveParent);
    const QPoint windowAt = window->pos();
    Render(window.get());
    QSignalSpy moved(panel, &TElPanel::OnMove);
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(4, 30));
    QTest::mouseMove(panel, QPoint(5, 30));
    QTest::mouseMove(panel, QPoint(25, 40));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(5, 30));
    EXPECT_EQ(holder->pos(), QPoint(40, 30));
    EXPECT_EQ(panel->pos(), QPoint(10, 10));
    EXPECT_EQ(window->pos(), windowAt);
    EXPECT_EQ(moved.count(), 0) << "the parent's move is the parent's";
}

TEST(Panel, PublishedPropertiesReachTheirSetters) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(120, 80, clWhite));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 120, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    SolidForm form;
    const struct {
        const char* name;
        QVariant value;
    } props[] = {{"Locked", true}, {"BorderStyle", 1}, {"ImageForm", QVariant::fromValue<TElImageFormLink*>(&form)}};
    for (const auto& p : props) {
        EXPECT_TRUE(panel->setProperty(p.name, p.value)) << p.name;
        EXPECT_EQ(panel->property(p.name), p.value) << p.name;
    }
    EXPECT_EQ(panel->BorderStyle(), bsSingle);
    EXPECT_EQ(panel->ImageForm(), &form);
    // A single border: a sunken edge two pixels deep that the children stay inside.
    EXPECT_EQ(panel->contentsMargins(), QMargins(2, 2, 2, 2));
    panel->SetImageForm(nullptr);
    const QImage image = Render(window.get());
    EXPECT_EQ(Pixel(image, 0, 40), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 1, 40), Rgb(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 119, 40), Rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 2, 40), Rgb(clWhite));
    EXPECT_FALSE(panel->MouseCapture());
    panel->setProperty("MouseCapture", true);
    EXPECT_TRUE(panel->MouseCapture());
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

TEST(Panel, ThemedBevelsAreDrawnByTheVisualStyle) {
    kvt::testing::FakeVisualStyles styles;
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(80, 40));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 80, 40);
    panel->SetBevelInner(bvLowered);
    Render(window.get());
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Edge GLOBALS 32/2")));
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Edge GLOBALS 32/3")));
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("ParentBackground")));
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

TEST(GroupBox, CaptionCheckBoxTogglesOnReleaseInsideIt) {
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    Render(g.window.get());
    const QRect check = g.box->CheckRect();
    ASSERT_EQ(check.left(), 8);
    ASSERT_EQ(check.size(), QSize(13, 13));
    QSignalSpy clicks(g.box, &TElGroupBox::OnClick);
    QTest::mouseClick(g.box, Qt::LeftButton, {}, check.center());
    EXPECT_FALSE(g.box->CheckBoxChecked());
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(g.box, Qt::LeftButton, {}, check.center());
    QTest::mouseRelease(g.box, Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_FALSE(g.box->CheckBoxChecked()) << "released outside: nothing";
    QTest::keyClick(g.box, Qt::Key_Space);
    EXPECT_TRUE(g.box->CheckBoxChecked());
    EXPECT_EQ(clicks.count(), 2);
}

TEST(GroupBox, OnlyTheCaptionCheckBoxClicksAndTheReleaseComesAfterIt) {
    std::vector<std::string> log;  // outlives the box, which logs its focus leaving as it goes
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    kvt::testing::ShowActive(g.window.get());
    kvt::testing::LogLibraryEvents(g.box, log);
    QObject::connect(g.box, &TElGroupBox::OnClick, [&]() { log.push_back(g.box->CheckBoxChecked() ? "click on" : "click off"); });
    QObject::connect(g.box, &TElGroupBox::OnDblClick, [&]() { log.push_back("double"); });
    const QPoint check = g.box->CheckRect().center();
    const std::string c = std::to_string(check.x()) + "," + std::to_string(check.y());
    kvt::testing::ExpectEventSteps(log, {
        // The press takes the focus; the box has no click of its own.
        {[&] { QTest::mouseClick(g.box, Qt::LeftButton, {}, QPoint(100, 50)); }, {"enter", "down 100,50", "up 100,50"}},
        {[&] { QTest::mouseClick(g.box, Qt::LeftButton, {}, check); }, {"down " + c, "click off", "up " + c}},
        {[&] { QTest::mouseClick(g.box, Qt::RightButton, {}, check); }, {"down " + c, "click on", "up " + c}},  // any button
        {[&] {
             QTest::mouseDClick(g.box, Qt::LeftButton, {}, QPoint(100, 50));
             QTest::mouseRelease(g.box, Qt::LeftButton, {}, QPoint(100, 50));
         },
         {"down 100,50", "up 100,50"}},
        {[&] { g.window->setFocus(); }, {"exit"}},
        {[&] { g.box->setFocus(); }, {"enter"}},
    });
}

TEST(GroupBox, ASpaceAFocusedControlInsideLeavesTogglesNothing) {
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    auto* inside = new QWidget(g.box);  // takes the focus, uses no keys
    inside->setGeometry(20, 30, 60, 20);
    inside->setFocusPolicy(Qt::StrongFocus);
    kvt::testing::ShowActive(g.window.get());
    inside->setFocus();
    QSignalSpy clicks(g.box, &TElGroupBox::OnClick), keyDowns(g.box, &TElGroupBox::OnKeyDown);
    QTest::keyClick(inside, Qt::Key_Space);
    EXPECT_TRUE(g.box->CheckBoxChecked());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(keyDowns.count(), 0);
    g.box->setFocus();
    QTest::keyClick(g.box, Qt::Key_Space);
    EXPECT_FALSE(g.box->CheckBoxChecked()) << "Space on the focused box still toggles it";
    EXPECT_EQ(clicks.count(), 1);
}

TEST(GroupBox, AHeldSpaceTogglesTheCaptionCheckBoxOnEveryRepeat) {
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    kvt::testing::ShowActive(g.window.get());
    g.box->setFocus();
    QSignalSpy clicks(g.box, &TElGroupBox::OnClick);
    const bool after[] = {false, true, false};
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), /*autorep=*/i > 0);
        QApplication::sendEvent(g.box, &press);
        EXPECT_EQ(g.box->CheckBoxChecked(), after[i]) << "key-down " << i;
    }
    EXPECT_EQ(clicks.count(), 3);
}

TEST(GroupBox, PublishedPropertiesReachTheirSettersAndAGoneImageListIsForgotten) {
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    QImage strip(6 * 13, 13, QImage::Format_RGB32);
    strip.fill(Qt::blue);
    kvt::testing::RecordingSoundMap sounds;
    auto images = std::make_unique<TImageList>(13, 13);
    const struct {
        const char* name;
        QVariant value;
    } props[] = {{"Glyph", strip},
                 {"SoundMap", QVariant::fromValue<TElSoundMapLink*>(&sounds)},
                 {"Images", QVariant::fromValue<TImageList*>(images.get())}};
    for (const auto& p : props) {
        EXPECT_TRUE(g.box->setProperty(p.name, p.value)) << p.name;
        EXPECT_EQ(g.box->property(p.name), p.value) << p.name;
    }
    EXPECT_TRUE(g.box->UseImageList()) << "the first list given is used";
    g.box->SetCheckSound(QString(300, QLatin1Char('x')));
    EXPECT_EQ(g.box->CheckSound().size(), 255) << "a sound name is kept to 255 characters";
    Render(g.window.get());
    PaintCounter paints(g.box);
    images.reset();
    QApplication::processEvents();
    EXPECT_EQ(g.box->Images(), nullptr);
    EXPECT_FALSE(g.box->UseImageList());
    EXPECT_GE(paints.count, 1) << "the system mark shows again";
}

TEST(GroupBox, WithoutTheCheckBoxClicksAndSpaceChangeNothing) {
    GroupWindow g;
    Render(g.window.get());
    EXPECT_TRUE(g.box->CheckRect().isEmpty());
    QSignalSpy clicks(g.box, &TElGroupBox::OnClick);
    QTest::mouseClick(g.box, Qt::LeftButton, {}, QPoint(14, 6));
    QTest::keyClick(g.box, Qt::Key_Space);
    EXPECT_TRUE(g.box->CheckBoxChecked());
    EXPECT_EQ(clicks.count(), 0);
}

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

TEST(GroupBox, CaptionBandNeverCoversTheCaptionCheckBox) {
    GroupWindow g;
    g.box->SetShowCheckBox(true);
    g.box->SetCaptionColor(clRed);
    const QImage image = Render(g.window.get());
    const QRect check = g.box->CheckRect().translated(10, 10);
    EXPECT_EQ(Pixel(image, check.left() + 3, check.top() + 3), Rgb(clWindow)) << "the box's white face";
    EXPECT_EQ(Pixel(image, 10 + 150, 12), Rgb(clRed)) << "the band right of the caption";
}

// With a visual style the frame's line still stops at the caption, with a check box or
// without, and the caption check box keeps the size of its own glyphs or images.
TEST(GroupBox, ThemedFrameStopsAtTheCaptionAndTheCheckBoxKeepsItsGlyphSize) {
    kvt::testing::FakeVisualStyles styles;  // themed parts in green, the parent in its own colour
    const QColor themedPart(0, 160, 0);
    TImageList list(15, 11);
    QImage strip(6 * 20, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    const struct {
        const char* what;
        bool checkBox;
        std::function<void(TElGroupBox*)> give;
        QSize box;
    } cases[] = {
        {"caption alone", false, [](TElGroupBox*) {}, {}},
        {"the style's check box", true, [](TElGroupBox*) {}, styles.partSize},
        {"glyph cells", true, [&](TElGroupBox* b) { b->SetGlyph(strip); b->SetUseCustomGlyphs(true); }, {20, 16}},
        {"image list", true, [&](TElGroupBox* b) { b->SetImages(&list); }, {15, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GroupWindow g;
        g.box->SetShowCheckBox(c.checkBox);
        c.give(g.box);
        const QImage image = Render(g.window.get());
        const int h = g.box->LineHeight();
        if (c.checkBox) {
            EXPECT_EQ(g.box->CheckRect(), QRect(8, h / 2 - c.box.height() / 2, c.box.width(), c.box.height()));
        }
        const int textLeft = c.checkBox ? 8 + c.box.width() + 5 : 8;
        const int textWidth = QFontMetrics(g.box->font()).horizontalAdvance(g.box->Caption());
        const int lineY = 10 + h / 2;
        EXPECT_EQ(Pixel(image, 10 + 4, lineY), themedPart) << "the frame left of the caption";
        for (int x : {textLeft, textLeft + textWidth / 2, textLeft + textWidth - 1})
            EXPECT_EQ(Pixel(image, 10 + x, lineY), QColor(Qt::white)) << "under the caption at " << x;
        EXPECT_EQ(Pixel(image, 10 + textLeft + textWidth + 4, lineY), themedPart) << "the frame right of the caption";
    }
}

TEST(GroupBox, CaptionHeightIsTheCaptionCheckBoxOrTheTextWhicheverIsTaller) {
    QImage tallStrip(6 * 20, 40, QImage::Format_RGB32);
    tallStrip.fill(Qt::red);
    const struct {
        int fontHeight;
        bool themed, tallGlyphs;
        const char* what;
    } cases[] = {
        {-9, false, false, "small text: the 13-pixel check box"},
        {-20, false, false, "large text: the text"},
        {-9, false, true, "glyphs 40 high paint the box but leave the caption line alone"},
        {-9, true, false, "themed: the style's check box size and text extent"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<kvt::testing::FakeVisualStyles> styles;
        if (c.themed) styles = std::make_unique<kvt::testing::FakeVisualStyles>();
        GroupWindow g;
        g.box->setFont(MakeFont(QStringLiteral("Times New Roman"), c.fontHeight));
        g.box->SetShowCheckBox(true);
        if (c.tallGlyphs) {
            g.box->SetGlyph(tallStrip);
            g.box->SetUseCustomGlyphs(true);
        }
        Render(g.window.get());
        const int text = QFontMetrics(g.box->font()).height();
        const int box = c.themed ? styles->partSize.height() : 13;
        EXPECT_EQ(g.box->CaptionHeight(), std::max(box, text)) << c.what;
        EXPECT_EQ(g.box->contentsMargins().top(), std::max(box, text) + 2) << c.what;
        if (c.tallGlyphs) EXPECT_EQ(g.box->CheckRect().height(), 40) << c.what;
        if (c.themed) EXPECT_TRUE(styles->calls.contains(QStringLiteral("TextExtent BUTTON 4/1"))) << c.what;
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
