// The dialogs' list box: rows and ItemIndex, clicks from the player but never from code, the
// selection modes, columns, row heights, scrolling and painting over a picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/platform/fonts.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/pointer_list.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::CountColor;
using kvt::testing::Pixel;
using kvt::testing::Render;
using kvt::testing::Rgb;

QStringList Rows(int n, const QString& stem = QStringLiteral("Corps ")) {
    QStringList rows;
    for (int i = 0; i < n; ++i) rows << stem + QString::number(i + 1);
    return rows;
}

struct ListWindow {
    std::unique_ptr<QWidget> window;
    TElAdvancedListBox* list;
    explicit ListWindow(int rows = 5, QSize size = QSize(150, 100), bool picture = false) {
        if (picture)
            window.reset(new kvt::testing::PictureWindow(300, 200));
        else
            window.reset(kvt::testing::NewPlainWindow(300, 200));
        list = new TElAdvancedListBox(window.get());
        list->setGeometry(QRect(QPoint(20, 20), size));
        list->setFont(MakeFont(QStringLiteral("Times New Roman"), -13));
        list->SetItems(Rows(rows));
    }
    // A point in the middle of a row, in the list's coordinates.
    QPoint At(int row) const { return list->ItemRect(row).center(); }
};

TEST(ListBox, SelectingARowFromCodeRaisesNoClick) {
    // The corps orders select the corps' commander as they open; a click would change him.
    ListWindow w;
    Render(w.window.get());
    QSignalSpy clicks(w.list, &TElAdvancedListBox::OnClick);
    const struct {
        int set, expected;
    } steps[] = {{2, 2}, {4, 4}, {-1, -1}, {9, -1}, {0, 0}};
    for (const auto& s : steps) {
        w.list->SetItemIndex(s.set);
        EXPECT_EQ(w.list->ItemIndex(), s.expected) << s.set;
        EXPECT_EQ(w.list->SelCount(), s.expected >= 0 ? 1 : 0) << s.set;
        if (s.expected >= 0) EXPECT_TRUE(w.list->Selected(s.expected));
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ListBox, ThePlayersClickSelectsTheRowThenRaisesOnClickOnce) {
    ListWindow w;
    Render(w.window.get());
    QSignalSpy clicks(w.list, &TElAdvancedListBox::OnClick);
    int selectedAtMouseDown = -2;
    QObject::connect(w.list, &TElAdvancedListBox::OnMouseDown,
                     [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { selectedAtMouseDown = w.list->ItemIndex(); });
    QTest::mouseClick(w.list, Qt::LeftButton, {}, w.At(3));
    EXPECT_EQ(w.list->ItemIndex(), 3);
    EXPECT_EQ(selectedAtMouseDown, 3) << "the overviews read the pressed row in OnMouseDown";
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(w.list, Qt::LeftButton, {}, QPoint(60, 95));  // below the last row
    EXPECT_EQ(w.list->ItemIndex(), 3);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(w.list, Qt::RightButton, {}, w.At(1));
    EXPECT_EQ(w.list->ItemIndex(), 3) << "the right button selects nothing";
}

TEST(ListBox, KeysMoveTheSelectionAsThePlayersChoice) {
    ListWindow w(30);
    kvt::testing::ShowActive(w.window.get());
    w.list->setFocus();
    QSignalSpy clicks(w.list, &TElAdvancedListBox::OnClick);
    const struct {
        Qt::Key key;
        int expected;
    } steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_End, 29}, {Qt::Key_Down, 29}, {Qt::Key_Home, 0},
                 {Qt::Key_Up, 0}};
    int expectedClicks = 0, previous = -1;
    for (const auto& s : steps) {
        QTest::keyClick(w.list, s.key);
        EXPECT_EQ(w.list->ItemIndex(), s.expected);
        if (s.expected != previous) ++expectedClicks;
        previous = s.expected;
        EXPECT_EQ(clicks.count(), expectedClicks) << "a key that changes nothing is no click";
        const QRect row = w.list->ItemRect(s.expected);
        EXPECT_TRUE(w.list->ClientRect().contains(row)) << "the chosen row is scrolled into view";
    }
}

TEST(ListBox, PublishedEventsComeInTheClassLibrarysOrder) {
    std::vector<std::string> log;
    ListWindow w(5);
    kvt::testing::ShowActive(w.window.get());
    w.window->setFocus();
    const auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    const QPoint origin = w.list->ClientRect().topLeft();
    // Up swallowed: the caret stays; x swallowed: no row is looked for.
    kvt::testing::LogLibraryEvents(w.list, log, Qt::Key_Up, QLatin1Char('x'));
    QObject::connect(w.list, &TElAdvancedListBox::OnClick, [&]() { log.push_back("click " + std::to_string(w.list->ItemIndex())); });
    const QPoint row1 = w.At(1), inClient1 = row1 - origin;
    kvt::testing::ExpectEventSteps(log, {
        {[&] { QTest::mouseMove(w.list, row1); }, {"move " + at(inClient1.x(), inClient1.y())}},
        {[&] { QTest::mouseClick(w.list, Qt::LeftButton, {}, row1); },
         {"enter", "down " + at(inClient1.x(), inClient1.y()), "click 1", "up " + at(inClient1.x(), inClient1.y())}},
        {[&] { QTest::keyClick(w.list, Qt::Key_Down); }, {"key down " + std::to_string(Qt::Key_Down), "click 2",
                                                          "key up " + std::to_string(Qt::Key_Down)}},
        {[&] { QTest::keyClick(w.list, Qt::Key_Up); }, {"key down " + std::to_string(Qt::Key_Up),
                                                        "key up " + std::to_string(Qt::Key_Up)}},
        {[&] { QTest::keyClick(w.list, Qt::Key_X); }, {"key down 88", "key press x", "key up 88"}},
        {[&] { w.window->setFocus(); }, {"exit"}},
    });
    EXPECT_EQ(w.list->ItemIndex(), 2);
    QCursor::setPos(0, 0);
    EXPECT_EQ(kvt::testing::DragOverAndDrop(w.list), kvt::testing::DragOverAndDropLog());
}

TEST(ListBox, TypedLettersChooseTheNextRowStartingWithThem) {
    ListWindow w(0);
    w.list->SetItems({QStringLiteral("Norfolk"), QStringLiteral("Raleigh"), QStringLiteral("Richmond"),
                      QStringLiteral("Petersburg"), QStringLiteral("roanoke")});
    kvt::testing::ShowActive(w.window.get());
    w.list->setFocus();
    QSignalSpy clicks(w.list, &TElAdvancedListBox::OnClick);
    const int interval = QApplication::keyboardInputInterval();
    const struct {
        bool pauseFirst;  // a pause before the keys starts a new search
        const char* keys;
        int row;
        int clicks;
    } cases[] = {
        {true, "r", 1, 1},     // the first row starting with R
        {false, "r", 2, 2},    // the same letter again: the next one
        {false, "r", 4, 3},    // case does not matter
        {false, "r", 1, 4},    // and round to the top
        {true, "ri", 2, 5},    // letters typed together spell a prefix
        {true, "p", 3, 6},
        {false, "x", 3, 6},    // "px" starts no row: the choice stays
        {true, "P", 3, 6},     // the only P is already chosen: no click
        {true, "9", 3, 6},
    };
    for (const auto& c : cases) {
        for (const char* k = c.keys; *k; ++k) {
            // A search starts afresh when the interval since the last key has run out.
            QApplication::setKeyboardInputInterval(c.pauseFirst && k == c.keys ? 0 : 1000000);
            QTest::keyClick(w.list, *k);
        }
        EXPECT_EQ(w.list->ItemIndex(), c.row) << c.keys;
        EXPECT_EQ(clicks.count(), c.clicks) << c.keys;
    }
    QApplication::setKeyboardInputInterval(interval);
}

TEST(ListBox, SelectionModes) {
    struct Click {
        int row;
        Qt::KeyboardModifiers mods;
    };
    const struct {
        const char* name;
        bool multi, extended;
        std::vector<Click> clicks;
        std::vector<int> selected;
    } cases[] = {
        {"single", false, true, {{1, {}}, {3, Qt::ControlModifier}}, {3}},
        {"toggling", true, false, {{1, {}}, {3, {}}, {4, {}}, {3, {}}}, {1, 4}},
        {"extended plain", true, true, {{1, {}}, {3, {}}}, {3}},
        {"extended ctrl", true, true, {{1, {}}, {3, Qt::ControlModifier}, {4, Qt::ControlModifier}}, {1, 3, 4}},
        {"extended shift", true, true, {{1, {}}, {4, Qt::ShiftModifier}}, {1, 2, 3, 4}},
        {"extended ctrl toggles off", true, true, {{1, {}}, {1, Qt::ControlModifier}}, {}},
    };
    for (const auto& c : cases) {
        ListWindow w(6);
        w.list->SetMultiSelect(c.multi);
        w.list->SetExtendedSelect(c.extended);
        Render(w.window.get());
        for (const Click& k : c.clicks) QTest::mouseClick(w.list, Qt::LeftButton, k.mods, w.At(k.row));
        std::vector<int> selected;
        for (int i = 0; i < 6; ++i)
            if (w.list->Selected(i)) selected.push_back(i);
        EXPECT_EQ(selected, c.selected) << c.name;
        EXPECT_EQ(w.list->SelCount(), static_cast<int>(c.selected.size())) << c.name;
        EXPECT_EQ(w.list->ItemIndex(), c.clicks.back().row) << c.name << ": ItemIndex is the last row clicked";
    }
}

// The left button pressed, moved with it held, or released, as the window system delivers them.
void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods = {}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  held, mods);
    QApplication::sendEvent(w, &e);
}

TEST(ListBox, ADragCarriesTheSelectionAndScrollsOnWhileHeldOutsideTheRows) {
    const struct {
        const char* name;
        bool multi, extended;
        Qt::KeyboardModifiers mods;
        std::vector<int> afterDrag, afterScroll;  // dragged from row 1 to 3, then held below the list
    } cases[] = {
        {"extended: a range from where the press began", true, true, {}, {1, 2, 3}, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"extended with Ctrl: added to what was chosen", true, true, Qt::ControlModifier, {1, 2, 3, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"single: the selection follows", false, true, {}, {3}, {8}},
        {"toggling: only the caret follows", true, false, {}, {1, 9}, {1, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListWindow w(12, QSize(150, 80));
        w.list->SetMultiSelect(c.multi);
        w.list->SetExtendedSelect(c.extended);
        if (c.multi) w.list->SetSelected(9, true);
        Render(w.window.get());
        auto selected = [&] {
            std::vector<int> rows;
            for (int i = 0; i < 12; ++i)
                if (w.list->Selected(i)) rows.push_back(i);
            return rows;
        };
        const QPoint below(40, w.list->height() + 20);
        Mouse(w.list, QEvent::MouseButtonPress, w.At(1), c.mods);
        for (int row : {2, 3}) Mouse(w.list, QEvent::MouseMove, w.At(row), c.mods);
        EXPECT_EQ(selected(), c.afterDrag);
        Mouse(w.list, QEvent::MouseMove, below, c.mods);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.list->ItemIndex() == 8; }, 5000)) << w.list->ItemIndex();
        Mouse(w.list, QEvent::MouseButtonRelease, below, c.mods);
        EXPECT_EQ(selected(), c.afterScroll);
        EXPECT_GT(w.list->TopIndex(), 0) << "the rows reached are scrolled into view";
        QTest::qWait(3 * TElAdvancedListBox::kAutoScrollInterval);
        EXPECT_EQ(w.list->ItemIndex(), 8) << "the release ends the scrolling";
    }
}

TEST(ListBox, MultiSelectionFromCodeAndItsWalkByPosition) {
    // The new-corps dialog walks the brigades' rows and takes each selected one.
    ListWindow w(6);
    w.list->SetMultiSelect(true);
    QSignalSpy clicks(w.list, &TElAdvancedListBox::OnClick);
    w.list->SetSelected(0, true);
    w.list->SetSelected(5, true);
    w.list->SetItemIndex(2);
    w.list->SetSelected(9, true);  // no such row: nothing happens
    std::vector<int> taken;
    for (int i = 0; i < w.list->Items().Count(); ++i)
        if (w.list->Selected(i)) taken.push_back(i);
    EXPECT_EQ(taken, (std::vector<int>{0, 2, 5}));
    EXPECT_FALSE(w.list->Selected(-1));
    EXPECT_FALSE(w.list->Selected(6));
    EXPECT_EQ(clicks.count(), 0);
    w.list->Items().Delete(0);
    EXPECT_TRUE(w.list->Selected(1)) << "selections move with their rows";
    EXPECT_TRUE(w.list->Selected(4));
    EXPECT_EQ(w.list->SelCount(), 2);
    w.list->Items().Clear();
    EXPECT_EQ(w.list->ItemIndex(), -1);
    EXPECT_EQ(w.list->SelCount(), 0);
    EXPECT_THROW(w.list->Items()[0], EElListError);
}

TEST(ListBox, TwoColumnsFillTopToBottomThenScrollByColumn) {
    ListWindow w(20, QSize(200, 4 + 5 * 15 + 16));
    w.list->SetColumns(2);
    const int rows = (w.list->ClientRect().height()) / w.list->ItemHeight();
    ASSERT_EQ(rows, 5);
    const QRect first = w.list->ItemRect(0);
    const QRect sixth = w.list->ItemRect(5);
    EXPECT_EQ(sixth.top(), first.top());
    EXPECT_EQ(sixth.left(), first.left() + w.list->ClientRect().width() / 2);
    EXPECT_EQ(w.list->ItemAtPos(sixth.center()), 5);
    EXPECT_EQ(w.list->ItemAtPos(w.list->ItemRect(7).center()), 7);
    EXPECT_FALSE(w.list->HorizontalScrollBar()->isHidden()) << "four columns of rows, two in view";
    w.list->SetItemIndex(17);
    EXPECT_EQ(w.list->TopIndex(), 10) << "the third column becomes the first in view";
    EXPECT_EQ(w.list->ItemAtPos(w.list->ItemRect(17).center()), 17);
    w.list->SetTopIndex(7);
    EXPECT_EQ(w.list->TopIndex(), 5) << "the top row is always a column's first";
}

TEST(ListBox, RowHeightsByStyle) {
    ListWindow w(6);
    w.list->SetItemHeight(19);  // what a layout stores
    const int fontHeight = QFontMetrics(w.list->font()).height();
    EXPECT_EQ(w.list->ItemHeight(), fontHeight) << "a standard list takes its font's height whatever was stored";
    EXPECT_EQ(w.list->ItemRect(2).top() - w.list->ItemRect(1).top(), fontHeight);
    w.list->SetStyle(lbOwnerDrawFixed);
    EXPECT_EQ(w.list->ItemHeight(), 19);
    EXPECT_EQ(w.list->ItemRect(2).top() - w.list->ItemRect(1).top(), 19);
    w.list->SetStyle(lbOwnerDrawVariable);
    QObject::connect(w.list, &TElAdvancedListBox::OnMeasureItem,
                     [](TElAdvancedListBox*, int index, int* height) { *height = 10 + 5 * index; });
    const int top = w.list->ClientRect().top();
    const int expectedTops[] = {0, 10, 25, 45};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.list->ItemRect(i).top() - top, expectedTops[i]) << i;
    EXPECT_EQ(w.list->ItemAtPos(QPoint(30, top + 30)), 2);
    EXPECT_EQ(w.list->ItemAtPos(QPoint(30, top + 24)), 1);
}

TEST(ListBox, TopIndexScrollsAndStaysWithinTheRows) {
    ListWindow w(30);
    Render(w.window.get());
    const int visible = w.list->ClientRect().height() / w.list->ItemHeight();
    w.list->SetTopIndex(10);
    EXPECT_EQ(w.list->TopIndex(), 10);
    EXPECT_EQ(w.list->VerticalScrollBar()->value(), 10);
    EXPECT_EQ(w.list->ItemAtPos(QPoint(30, w.list->ClientRect().top() + 1)), 10);
    w.list->SetTopIndex(1000);
    EXPECT_EQ(w.list->TopIndex(), 30 - visible);
    w.list->VerticalScrollBar()->setValue(3);
    EXPECT_EQ(w.list->TopIndex(), 3) << "the scroll bar scrolls the rows";
    w.list->SetItemIndex(0);
    EXPECT_EQ(w.list->TopIndex(), 0);
    ListWindow few(3);
    EXPECT_TRUE(few.list->VerticalScrollBar()->isHidden());
    few.list->SetTopIndex(2);
    EXPECT_EQ(few.list->TopIndex(), 0);
}

TEST(ListBox, TransparentListShowsThePictureAndPaintsOnlyTheChosenRow) {
    ListWindow w(5, QSize(150, 100), true);
    auto* window = static_cast<kvt::testing::PictureWindow*>(w.window.get());
    w.list->SetTransparent(true);
    w.list->SetItemIndex(1);
    const QImage image = Render(window);
    const auto toWindow = [&](QPoint p) { return w.list->mapTo(window, p); };
    const QPoint plain = toWindow(QPoint(140, w.list->ItemRect(3).top() + 1));
    EXPECT_EQ(Pixel(image, plain.x(), plain.y()), QColor(window->Picture().pixel(plain)));
    const QPoint chosen = toWindow(QPoint(140, w.list->ItemRect(1).top() + 1));
    EXPECT_EQ(Pixel(image, chosen.x(), chosen.y()), Rgb(clHighlight));
    const QPoint below = toWindow(QPoint(140, 95));
    EXPECT_EQ(Pixel(image, below.x(), below.y()), QColor(window->Picture().pixel(below)));
    w.list->Items().Clear();
    const QImage empty = Render(window);
    EXPECT_EQ(Pixel(empty, chosen.x(), chosen.y()), QColor(window->Picture().pixel(chosen)))
        << "an empty list shows the picture over its whole client area";
    w.list->SetTransparent(false);
    EXPECT_EQ(Pixel(Render(window), chosen.x(), chosen.y()), Rgb(clWindow));
}

// Reaches the row painter as a derived class may.
class ProbeList : public TElAdvancedListBox {
public:
    using TElAdvancedListBox::DrawItem;
    using TElAdvancedListBox::TElAdvancedListBox;
};

TEST(ListBox, DrawingARowThatDoesNotExistPaintsOnlyItsBackground) {
    ProbeList list;
    list.SetItems(Rows(3));
    for (const int index : {-5, -1, 3, 40}) {
        QImage image(100, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter p(&image);
        ASSERT_NO_THROW(list.DrawItem(p, index, QRect(0, 0, 100, 20), 0)) << index;
        p.end();
        EXPECT_EQ(CountColor(image, image.rect(), Rgb(clWindow)), 100 * 20) << index;
    }
}

TEST(ListBox, BorderSidesLeftOutGiveTheirRoomToTheRows) {
    ListWindow w(3);
    EXPECT_EQ(w.list->ClientRect(), w.list->rect().adjusted(2, 2, -2, -2));
    w.list->SetBorderSides(ebsRight | ebsBottom);
    EXPECT_EQ(w.list->ClientRect(), w.list->rect().adjusted(0, 0, -2, -2));
    w.list->SetBorderSides(0);
    EXPECT_EQ(w.list->ClientRect(), w.list->rect());
    w.list->SetBorderSides(kAllBorderSides);
    w.list->SetBorderStyle(bsNone);
    EXPECT_EQ(w.list->ClientRect(), w.list->rect());
}

// ---- hints

}  // namespace
}  // namespace kvt::gui
