// Shared by the tests of the game's dialogs: the real texts (and the 1861 start point), the dialogs'
// controls by name, clicks where a player makes them, and the checks every order dialog passes.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include <optional>
#include <utility>
#include <vector>

#include "engine/world/frontend.h"
#include "engine/world/text_table.h"
#include "gui/platform/cursor.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/check_items.h"
#include "gui/ui/framed_radio_box.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/labels.h"
#include "gui/ui/spin_button.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt::testing {

// A fresh engine with the game's own texts, run in the game folder; the cursor and frontend are
// put back afterwards.
class DialogTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // The dialogs read their pictures from the folder the game runs in, wherever the test
        // program was started.
        inGameFolder_.emplace(KVT_GAME_DIR);
        ASSERT_TRUE(TextTable.LoadFromFile(GameFile("KVT_ENG.TXT")));
    }
    void TearDown() override {
        gui::SetScreenCursor(gui::crDefault);
        InstallFrontend(nullptr);
        inGameFolder_.reset();
        EngineTest::TearDown();
    }

private:
    std::optional<CurrentFolder> inGameFolder_;
};

// The dialogs of a game in play: the 1861 start point loaded through the game's loader.
class StartPointDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(LoadStartPoint("1861"));
    }
};

template <class T>
T* Control(QWidget* dialog, const QString& name) {
    T* control = dialog->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}
inline gui::TElLabel* Label(QWidget* d, int n) { return Control<gui::TElLabel>(d, QStringLiteral("Label%1").arg(n)); }
inline gui::TElRadioButton* Radio(QWidget* d, int k) {
    return Control<gui::TElRadioButton>(d, QStringLiteral("RadioButton%1").arg(k));
}
inline gui::TElGraphicButton* Button(QWidget* d, int k) {
    return Control<gui::TElGraphicButton>(d, QStringLiteral("Button%1").arg(k));
}
inline gui::TElAdvancedListBox* List(QWidget* d, const QString& name) { return Control<gui::TElAdvancedListBox>(d, name); }
inline gui::TElAdvancedListBox* List(QWidget* d, int n) { return List(d, QStringLiteral("ListBox%1").arg(n)); }
inline void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }
// A click on the spinner's up or down arrow.
inline void Press(gui::TElSpinButton* spin, bool up) {
    QTest::mouseClick(spin, Qt::LeftButton, {}, (up ? spin->FirstPartRect() : spin->SecondPartRect()).center());
}
// A click on a list box's row, where the player sees it once scrolled to.
inline void ClickRow(gui::TElAdvancedListBox* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    if (!list->ClientRect().contains(list->ItemRect(row))) list->SetTopIndex(row);
    QTest::mouseClick(list, button, {}, list->ItemRect(row).center());
}

// The first row of the list that starts with the text; -1, failing the test, when there is none.
inline int RowStarting(gui::TElAdvancedListBox* list, const QString& text) {
    for (int r = 0; r < list->Items().Count(); ++r)
        if (list->Items()[r].startsWith(text)) return r;
    ADD_FAILURE() << "no row " << text.toStdString();
    return -1;
}

// The title bar's close and Escape leave an order dialog open: only its own button closes it.
inline void ExpectStaysOpen(QWidget* d) {
    d->close();
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
}
// Every named control is there with its caption, and the dialog stays open as above.
inline void ExpectCaptionsAndStaysOpen(QWidget* d, const std::vector<std::pair<QString, QString>>& captions) {
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(Control<QWidget>(d, name)->property("Caption").toString(), caption) << name.toStdString();
    ExpectStaysOpen(d);
}

// Shown controls side by side never overlap and every label's caption fits its width, inside the
// radio boxes too.
inline void ExpectTidyLayout(QWidget* parent) {
    std::vector<QWidget*> shown;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible()) shown.push_back(w);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->objectName().toStdString() << " / " << shown[j]->objectName().toStdString();
        if (auto* label = qobject_cast<gui::TElLabel*>(shown[i])) {
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->Caption()), label->width())
                << label->objectName().toStdString();
        }
        if (qobject_cast<gui::TNewRadBox*>(shown[i])) ExpectTidyLayout(shown[i]);
    }
}

}  // namespace kvt::testing
