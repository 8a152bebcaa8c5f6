// The about box, the movement delay, the scenario and side choices and the end of the game, as the
// player uses them: what each shows and what each choice changes in the game.
#include <gtest/gtest.h>

#include <QTimer>

#include <vector>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/turn_end.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "gui/dialogs/core/about_box.h"
#include "gui/dialogs/core/delay_dialog.h"
#include "gui/dialogs/core/post_mortem_dialog.h"
#include "gui/dialogs/core/scenario_choice.h"
#include "gui/dialogs/core/side_choice_dialog.h"
#include "gui/platform/form.h"
#include "gui/ui/group_box.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

using gui::TElGraphicButton;
using gui::TElLabel;
using gui::TElRadioButton;

class SmallDialogs : public testing::DialogTest {};

using testing::Button;
using testing::Click;
using testing::Control;
using testing::Label;

QString GameText(int n) { return QString::fromStdString(Text(n)); }

// Whether the dialog shows its picture in the engraving's corner, where no control stands.
bool ShowsPicture(QWidget* d, const char* picture) {
    const QPoint corner(d->width() - 40, d->height() - 30);
    return d->grab().toImage().pixelColor(corner) == QImage(QString::fromLatin1(picture)).pixelColor(corner);
}

TEST_F(SmallDialogs, TheAboutBoxNamesTheGameAndGoesOnWithContinue) {
    bool shown = false;
    testing::WhenModalShows([&shown](QWidget* d) {
        shown = true;
        EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("Drennovar III  v2.5"));
        EXPECT_TRUE(Label(d, 1)->parentWidget()->objectName() == QStringLiteral("Panel1"));
        EXPECT_EQ(Button(d, 1)->Caption(), GameText(477));
        testing::SaveScreenshot(d, QStringLiteral("about_box"));
        Click(Button(d, 1));
    });
    gui::ShowAbout();
    EXPECT_TRUE(shown);
}

TEST_F(SmallDialogs, EachDelayButtonSetsTheSpeedInTheGameAndTheTimersInterval) {
    struct Case { int button; int text; int interval; };
    const Case cases[] = {{1, 399, 100}, {2, 400, 200}, {3, 401, 300}, {4, 409, 600}, {5, 410, 1000}};
    // Chosen while the turn moves: the interval applies at once and the timer keeps running.
    SetTimer1Enabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        GameRec->MoveSpeed = 0;
        testing::WhenModalShows([&c](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), GameText(398));
            EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
            EXPECT_EQ(Button(d, c.button)->Caption(), GameText(c.text));
            EXPECT_TRUE(ShowsPicture(d, "bg_delay.bmp"));
            if (c.button == 1) testing::SaveScreenshot(d, QStringLiteral("delay_dialog"));
            Click(Button(d, c.button));
        });
        gui::ShowDelayDialog();
        EXPECT_EQ(GameRec->MoveSpeed, c.button);
        EXPECT_EQ(Timer1Interval(), c.interval);
        EXPECT_TRUE(Timer1Enabled());
    }
}

TEST_F(SmallDialogs, TheDelayIsChosenWithTheArrowAndTheTurnKeepsItsCursor) {
    // Opened from the menu between turns, or from the tool button while the turn moves.
    for (gui::TCursor before : {gui::crDefault, gui::crHourGlass}) {
        SCOPED_TRACE(before);
        gui::SetScreenCursor(before);
        gui::TCursor whileShown = gui::crSizeNS;
        testing::WhenModalShows([&whileShown](QWidget* d) {
            whileShown = gui::ScreenCursor();
            Click(Button(d, 3));
        });
        gui::ShowDelayDialog();
        EXPECT_EQ(whileShown, gui::crDefault);
        EXPECT_EQ(gui::ScreenCursor(), before);
        EXPECT_EQ(GameRec->MoveSpeed, 3);
    }
}

TEST_F(SmallDialogs, TheScenarioChoiceAnswersTheLastRadioButtonClickedAndNothingWhenClosed) {
    // Closed by its title bar, the choice answers nothing, whatever was clicked: the game then asks
    // for a saved game.
    struct Case { std::vector<int> clicks; int answer; bool closed = false; };
    const Case cases[] = {{{1}, 1}, {{2}, 2},        {{3}, 3},          {{4}, 4},         {{}, 0},
                          {{2, 4}, 4}, {{4, 1}, 1}, {{}, 0, true}, {{3}, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.clicks.size() << " clicks, closed " << c.closed);
        EventNotice.Answer = 7;  // whatever the last notice left
        testing::WhenModalShows([&c](QWidget* d) {
            // The title bar reads the caption alone, with no program name appended.
            EXPECT_EQ(testing::TitleBarText(d).toStdString(), Text(612));
            EXPECT_EQ(Control<gui::TElGroupBox>(d, QStringLiteral("GroupBox1"))->Caption(), GameText(607));
            for (int k = 1; k <= 4; ++k) {
                auto* radio = Control<TElRadioButton>(d, QStringLiteral("RadioButton%1").arg(k));
                EXPECT_EQ(radio->Caption(), GameText(607 + k));
                EXPECT_FALSE(radio->GetChecked()) << "nothing is chosen for the player";
                EXPECT_GE(radio->width(), QFontMetrics(radio->font()).horizontalAdvance(radio->Caption()));
            }
            EXPECT_EQ(Button(d, 1)->Caption(), QStringLiteral("Continue"));
            EXPECT_TRUE(ShowsPicture(d, "bg_scenario_choice.bmp"));
            if (c.clicks.empty()) testing::SaveScreenshot(d, QStringLiteral("scenario_choice"));
            for (int k : c.clicks) Click(Control<TElRadioButton>(d, QStringLiteral("RadioButton%1").arg(k)));
            if (!c.closed) {
                Click(Button(d, 1));
                return;
            }
            d->close();
            QTimer::singleShot(200, d, [d] {
                ADD_FAILURE() << "the title bar's close left the choice open";
                Click(Button(d, 1));
            });
        });
        gui::ShowScenarioChoice();
        EXPECT_EQ(EventNotice.Answer, c.answer);
    }
}

TEST_F(SmallDialogs, TheSideChoiceOffersOnlyThePersonPlayedSides) {
    struct Case { bool unionOffered, confederacyOffered; int press; int side; };
    const Case cases[] = {
        {true, true, 1, 1}, {true, true, 2, 2}, {true, false, 1, 1}, {false, true, 2, 2},
        {true, false, 2, 0},  // a disabled button does nothing; the Union's then closes it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.unionOffered << c.confederacyOffered << " press " << c.press);
        gui::SetScreenCursor(gui::crHourGlass);
        testing::WhenModalShows([&c](QWidget* d) {
            EXPECT_EQ(testing::TitleBarText(d).toStdString(), Text(397));
            EXPECT_EQ(gui::ScreenCursor(), gui::crDefault);
            EXPECT_EQ(Button(d, 1)->Caption(), QStringLiteral("Union"));
            EXPECT_EQ(Button(d, 2)->Caption(), QStringLiteral("Confederacy"));
            EXPECT_EQ(Button(d, 1)->isEnabled(), c.unionOffered);
            EXPECT_EQ(Button(d, 2)->isEnabled(), c.confederacyOffered);
            EXPECT_TRUE(ShowsPicture(d, "bg_side_choice.bmp"));
            if (c.unionOffered && c.confederacyOffered && c.press == 1) testing::SaveScreenshot(d, QStringLiteral("side_choice"));
            if (!c.confederacyOffered && c.press == 1) testing::SaveScreenshot(d, QStringLiteral("side_choice_union_only"));
            Click(Button(d, c.press));
            auto* form = static_cast<gui::TForm*>(d);
            EXPECT_EQ(form->ModalResult() == gui::mrNone, c.side == 0) << "only an enabled button closes the dialog";
            if (form->ModalResult() == gui::mrNone) Click(Button(d, 1));
        });
        const int side = gui::ShowSideChoiceDialog(c.unionOffered, c.confederacyOffered);
        EXPECT_EQ(side, c.side == 0 ? 1 : c.side);
    }
}

TEST_F(SmallDialogs, WithNoSideToChooseNoDialogIsShown) {
    int shown = 0;
    testing::WhenModalShows([&shown](QWidget* d) {
        ++shown;
        static_cast<QDialog*>(d)->done(1);
    });
    EXPECT_EQ(gui::ShowSideChoiceDialog(false, false), 0);
    QTest::qWait(30);
    EXPECT_EQ(shown, 0);
    // Let the waiting helper finish on a dialog that does show.
    gui::ShowSideChoiceDialog(true, false);
    EXPECT_EQ(shown, 1);
}

TPostMortem SampleTallies() {
    TPostMortem t;
    for (int r = 0; r < 7; ++r) {
        t.rowTitles[r] = Text(647 + r);
        t.unionValues[r] = 1000 * (r + 1) + 1;
        t.confederateValues[r] = 2000 * (r + 1) + 2;
    }
    t.territorialCaption = Text(654);
    t.militaryCaption = Text(655);
    t.territorialVerdict = Text(644);
    t.militaryVerdict = Text(641);
    t.capitalLine = Text(638);
    return t;
}

TEST_F(SmallDialogs, TheEndOfTheGameShowsBothSidesTalliesAndTheVerdicts) {
    const TPostMortem t = SampleTallies();
    testing::WhenModalShows([&t](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Post_Mortem"));
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(Label(d, 2 + r)->Caption().toStdString(), t.rowTitles[r]);
            EXPECT_EQ(Label(d, 9 + r)->Caption(), QString::number(t.unionValues[r])) << "Union row " << r;
            EXPECT_EQ(Label(d, 16 + r)->Caption(), QString::number(t.confederateValues[r])) << "Confederate row " << r;
        }
        EXPECT_EQ(Label(d, 23)->Caption().toStdString(), t.territorialCaption);
        EXPECT_EQ(Label(d, 24)->Caption().toStdString(), t.militaryCaption);
        EXPECT_EQ(Label(d, 25)->Caption().toStdString(), t.territorialVerdict);
        EXPECT_EQ(Label(d, 26)->Caption().toStdString(), t.militaryVerdict);
        EXPECT_EQ(Label(d, 27)->Caption().toStdString(), t.capitalLine);
        // The longest verdict and capital texts fit their labels.
        for (int n : {25, 26, 27}) {
            int widest = 0;
            for (int text = 638; text <= 646; ++text)
                widest = std::max(widest, QFontMetrics(Label(d, n)->font()).horizontalAdvance(GameText(text)));
            EXPECT_LE(widest, Label(d, n)->width()) << "Label" << n;
        }
        EXPECT_EQ(Button(d, 1)->Caption(), QStringLiteral("Continue"));
        EXPECT_EQ(Button(d, 2)->Caption(), QStringLiteral("End Game"));
        testing::SaveScreenshot(d, QStringLiteral("post_mortem"));
        Click(Button(d, 2));
    });
    EXPECT_EQ(gui::ShowPostMortemDialog(t), PostMortemChoice::EndGame);
}

TEST_F(SmallDialogs, TheEndOfTheGameOnTheFirstStartPointShowsItsVerdicts) {
    ASSERT_TRUE(testing::LoadStartPoint("1861"));
    GameRec->Casualties[1] = 300;
    GameRec->Casualties[2] = 420;
    const TPostMortem t = FillPostMortem();
    testing::WhenModalShows([&t](QWidget* d) {
        EXPECT_EQ(Label(d, 12)->Caption(), QStringLiteral("15000")) << "Union casualties are shown in men";
        EXPECT_EQ(Label(d, 19)->Caption(), QStringLiteral("21000"));
        EXPECT_FALSE(Label(d, 25)->Caption().isEmpty()) << "the territorial verdict always has a text";
        EXPECT_EQ(Label(d, 25)->Caption().toStdString(), t.territorialVerdict);
        testing::SaveScreenshot(d, QStringLiteral("post_mortem_1861"));
        Click(Button(d, 1));
    });
    EXPECT_EQ(gui::ShowPostMortemDialog(t), PostMortemChoice::Continue);
}

TEST_F(SmallDialogs, TheEndOfTheGameIsLeftOnlyByOneOfItsTwoButtons) {
    struct Case { const char* name; int press; PostMortemChoice choice; };
    const Case cases[] = {{"then Continue", 1, PostMortemChoice::Continue}, {"then End Game", 2, PostMortemChoice::EndGame}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int shownAgain = 0;
        testing::WhenModalShows([&](QWidget* d) {
            // The title bar's close and Escape leave it open, with nothing chosen.
            d->close();
            QTest::keyClick(d, Qt::Key_Escape);
            EXPECT_TRUE(d->isVisible());
            EXPECT_FALSE(static_cast<gui::TVictory*>(d)->Choice().has_value());
            // Taken off the screen without a button, it comes back until one is pressed.
            testing::WhenModalShows([&](QWidget* again) {
                ++shownAgain;
                Click(Button(again, c.press));
            });
            static_cast<QDialog*>(d)->reject();
        });
        EXPECT_EQ(gui::ShowPostMortemDialog(SampleTallies()), c.choice);
        EXPECT_EQ(shownAgain, 1);
    }
}

// The window's own answer to the end of the game: the real dialog.
class PostMortemFrontend : public AutomaticFrontend {
public:
    PostMortemChoice ShowPostMortem(const TPostMortem& tallies) override { return gui::ShowPostMortemDialog(tallies); }
};

TEST_F(SmallDialogs, ContinueExtendsACampaignThatRanToItsDateAndEndGameEndsIt) {
    struct Case { const char* name; int status; int endVariant; int press; int statusAfter; int endMonth; int endYear; };
    const Case cases[] = {
        {"Continue at the end date", 1, 0, 1, 0, 6, 1865},
        {"End Game at the end date", 1, 0, 2, 1, 4, 1865},
        {"Continue once extended", 1, 5, 1, 1, 4, 1865},
        {"Continue after the Confederacy capitulated", 2, 0, 1, 2, 4, 1865},
    };
    PostMortemFrontend frontend;
    InstallFrontend(&frontend);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameStatus = static_cast<std::uint16_t>(c.status);
        GameRec->EndVariant = static_cast<std::uint16_t>(c.endVariant);
        GameRec->EndMonth = 4;
        GameRec->EndYear = 1865;
        testing::WhenModalShows([&c](QWidget* d) { Click(Button(d, c.press)); });
        ShowPostMortem();
        EXPECT_EQ(GameStatus, c.statusAfter);
        EXPECT_EQ(GameRec->EndMonth, c.endMonth);
        EXPECT_EQ(GameRec->EndYear, c.endYear);
    }
}

}  // namespace
}  // namespace kvt
