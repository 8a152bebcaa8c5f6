// The notice dialogs as the player meets them: every kind's caption, picture, lines, choices and
// buttons, the answer each leaves, and the cursor it leaves behind.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <string>
#include <vector>

#include "engine/logistics/upkeep.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "gui/dialogs/core/notice_dialogs.h"
#include "gui/ui/image_form.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

using gui::TElGraphicButton;
using gui::TElLabel;
using gui::TElRadioButton;

class NoticeDialogs : public testing::DialogTest {};

using testing::Button;
using testing::Click;
using testing::Control;
using testing::Label;
using testing::Radio;

// The numbers of the controls of a family that the player can see.
std::vector<int> Shown(QWidget* dialog, const char* family, int count) {
    std::vector<int> shown;
    for (int k = 1; k <= count; ++k) {
        auto* w = dialog->findChild<QWidget*>(QStringLiteral("%1%2").arg(QLatin1String(family)).arg(k));
        if (w && w->isVisible()) shown.push_back(k);
    }
    return shown;
}

void FillNotice(int kind, const std::vector<int>& offered, int answerBefore = 0) {
    ClearEventNotice();
    EventNotice.Kind = static_cast<std::uint16_t>(kind);
    EventNotice.Answer = static_cast<std::uint16_t>(answerBefore);
    for (int n = 1; n <= 4; ++n) EventNotice.SetLine(n, "Line " + std::to_string(n) + " of notice " + std::to_string(kind));
    for (int k : offered) OfferChoice(k, "Choice " + std::to_string(k));
}

enum class Layout { Plain, TenLabels, Choice, Buttons };

TEST_F(NoticeDialogs, EveryKindShowsItsLinesCaptionAndButtonsAndAnswersAsItsLayoutDoes) {
    struct Case {
        int kind;
        const char* dialog;
        Layout layout;
        int caption;  // text number; 0 for the layout's own caption
        int button;   // text number of Button1; 0 keeps "OK"
        const char* picture;
        bool hourglassAfter;
    };
    const Case cases[] = {
        {0, "TStndDial", Layout::Choice, 0, 0, "bg_notice.bmp", false},
        {3, "TCity_Fall", Layout::Choice, 531, 66, "bg_notice_city_fall.bmp", true},
        {4, "TDraft_Rioting", Layout::Plain, 43, 66, "bg_notice_draft_riots.bmp", false},
        {6, "TRail_Move", Layout::Plain, 656, 66, "bg_notice_rail_move.bmp", true},
        {7, "TFort_Build", Layout::Plain, 600, 0, "bg_notice_fort_built.bmp", true},
        {9, "TFleet_Embark", Layout::Plain, 729, 0, "bg_notice_fleet_embark.bmp", true},
        {10, "TInauguration", Layout::Plain, 606, 0, "bg_notice_new_capital.bmp", false},
        {11, "TCombat_Roles", Layout::TenLabels, 351, 66, "bg_notice_black_soldiers.bmp", false},
        {14, "TRebellion", Layout::Choice, 42, 66, "bg_notice_uprising.bmp", true},
        {15, "TScuttled", Layout::Plain, 44, 66, "bg_notice_fleet_scuttled.bmp", false},
        {17, "TFleetSpls", Layout::Choice, 592, 0, "bg_notice_fleet_supplies.bmp", true},
        {18, "TState_Lost", Layout::Plain, 45, 66, "bg_notice_state_lost.bmp", false},
        {19, "TTraining", Layout::Plain, 238, 66, "bg_notice_training.bmp", false},
        {20, "TArmyFormed", Layout::Plain, 481, 66, "bg_notice_army_formed.bmp", true},
        {21, "TCorpsFrm", Layout::Plain, 578, 66, "bg_notice_corps_formed.bmp", true},
        {22, "TBrgdFormed", Layout::Choice, 482, 66, "bg_notice_brigade_raised.bmp", true},
        {23, "TForces_Added", Layout::Choice, 599, 0, "bg_notice_reinforcements.bmp", true},
        {24, "TNewspapr", Layout::Plain, 604, 0, "bg_notice_newspaper.bmp", false},
        {25, "TForeign_Affairs", Layout::Buttons, 603, 0, "bg_notice_foreign_affairs.bmp", true},
    };
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::vector<std::pair<int, QImage>> pictures;  // what each kind showed behind its lines
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        // Choices 2, 3 and 5 are offered; the player takes choice 3 where there is a choice.
        FillNotice(c.kind, {2, 3, 5}, 9);
        gui::SetScreenCursor(gui::crHourGlass);  // as inside a turn
        bool shown = false;
        testing::WhenModalShows([&](QWidget* d) {
            shown = true;
            EXPECT_EQ(QString::fromLatin1(d->metaObject()->className()), QStringLiteral("kvt::gui::") + c.dialog);
            if (c.caption != 0) EXPECT_EQ(d->windowTitle(), QString::fromStdString(Text(c.caption)));
            EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
            EXPECT_EQ(bool(d->windowFlags() & Qt::WindowStaysOnTopHint), c.kind == 0) << "only the standard notice stays on top";
            EXPECT_EQ(d->frameGeometry().center(), screen.center());
            EXPECT_EQ(gui::ScreenCursor(), gui::crDefault) << "the player sees the normal cursor";
            const QImage picture(QString::fromLatin1(c.picture));
            ASSERT_FALSE(picture.isNull());
            const QImage shown = Control<gui::TImage>(d, QStringLiteral("Image1"))->Picture();
            EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
            pictures.emplace_back(c.kind, shown.convertToFormat(QImage::Format_RGB32));
            for (int n = 1; n <= 4; ++n)
                EXPECT_EQ(Label(d, n)->Caption().toStdString(), EventNotice.Line(n).str()) << "line " << n;
            testing::SaveScreenshot(d, QStringLiteral("notice_%1_%2").arg(c.kind, 2, 10, QLatin1Char('0')).arg(QLatin1String(c.dialog)));
            switch (c.layout) {
                case Layout::Plain:
                    EXPECT_EQ(Shown(d, "Label", 10), (std::vector<int>{1, 2, 3, 4}));
                    break;
                case Layout::TenLabels:
                    EXPECT_EQ(Shown(d, "Label", 10), (std::vector<int>{1, 2, 3, 4})) << "the six more labels stay hidden";
                    break;
                case Layout::Choice:
                    EXPECT_EQ(Shown(d, "Label", 10), (std::vector<int>{1, 2, 3, 4, 6, 7, 9}));
                    EXPECT_EQ(Shown(d, "RadioButton", 6), (std::vector<int>{2, 3, 5}));
                    EXPECT_EQ(Label(d, 7)->Caption(), QStringLiteral("Choice 3"));
                    EXPECT_TRUE(Radio(d, 2)->GetChecked()) << "the first offered choice starts checked";
                    Click(Radio(d, 3));
                    break;
                case Layout::Buttons:
                    EXPECT_EQ(Shown(d, "Button", 5), (std::vector<int>{1, 2, 3, 5}));
                    EXPECT_EQ(Button(d, 1)->Caption(), QString::fromStdString(Text(477))) << "choice 1 is not offered";
                    EXPECT_EQ(Button(d, 3)->Caption(), QStringLiteral("Choice 3"));
                    Click(Button(d, 3));
                    return;
            }
            EXPECT_EQ(Button(d, 1)->Caption(), c.button ? QString::fromStdString(Text(c.button)) : QStringLiteral("OK"));
            EXPECT_TRUE(Button(d, 1)->isVisible() && Button(d, 1)->isEnabled());
            Click(Button(d, 1));
        });
        gui::ShowNoticeDialog(c.kind);
        EXPECT_TRUE(shown);
        const int expected = (c.layout == Layout::Choice || c.layout == Layout::Buttons) ? 3 : 9;
        EXPECT_EQ(EventNotice.Answer, expected) << "a notice without choices leaves the raiser's answer";
        EXPECT_EQ(gui::ScreenCursor(), c.hourglassAfter ? gui::crHourGlass : gui::crDefault);
    }
    // Every kind looks different: no two show the same picture.
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i].second, pictures[j].second)
                << "kinds " << pictures[i].first << " and " << pictures[j].first << " share a picture";
}

TEST_F(NoticeDialogs, NoButtonOrChoiceCoversThePicturesEngraving) {
    // The engraving fills 100 x 70 pixels 16 pixels in from the lower right corner.
    const QRect engraving(420 - 16 - 100, 300 - 16 - 70, 100, 70);
    // Kinds of each layout, with every choice, and so every button and radio button, offered.
    for (int kind : {0, 3, 11, 15, 25}) {
        SCOPED_TRACE(kind);
        FillNotice(kind, {1, 2, 3, 4, 5, 6});
        testing::WhenModalShows([&](QWidget* d) {
            int checked = 0;
            for (QWidget* w : d->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->objectName() == QStringLiteral("Image1")) continue;
                QRect drawn = w->geometry();
                // A label paints only its text.
                if (auto* label = qobject_cast<TElLabel*>(w))
                    drawn.setWidth(QFontMetrics(label->font()).horizontalAdvance(label->Caption()));
                EXPECT_FALSE(drawn.intersects(engraving)) << w->objectName().toStdString() << " " << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x" << drawn.height();
                ++checked;
            }
            EXPECT_GE(checked, 5);
            if (kind == 25) testing::SaveScreenshot(d, QStringLiteral("notice_25_five_answers"));
            Click(Button(d, 1));
        });
        gui::ShowNoticeDialog(kind);
    }
}

TEST_F(NoticeDialogs, ThePlayerCanChangeHisMindBeforeClosing) {
    FillNotice(0, {1, 2, 4});
    testing::WhenModalShows([](QWidget* d) {
        Click(Radio(d, 4));
        Click(Radio(d, 2));
        EXPECT_FALSE(Radio(d, 1)->GetChecked());
        EXPECT_FALSE(Radio(d, 4)->GetChecked()) << "one choice at a time";
        Click(Button(d, 1));
    });
    gui::ShowNoticeDialog(0);
    EXPECT_EQ(EventNotice.Answer, 2);
}

TEST_F(NoticeDialogs, TheForeignAffairsQuestionHasAButtonPerOfferedAnswer) {
    struct Case {
        const char* name;
        std::vector<int> offered;
        std::vector<int> buttonsShown;
        QString button1;
        int press;
    };
    const QString continueText = QString::fromStdString(Text(477));
    const Case cases[] = {
        {"choices 1 and 3", {1, 3}, {1, 3}, QStringLiteral("Choice 1"), 3},
        {"nothing offered: one button to go on", {}, {1}, continueText, 1},
        {"choice 6 has no button", {6}, {1}, continueText, 1},
        {"four answers", {1, 2, 4, 5}, {1, 2, 4, 5}, QStringLiteral("Choice 1"), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillNotice(25, c.offered);
        testing::WhenModalShows([&](QWidget* d) {
            EXPECT_EQ(Shown(d, "Button", 5), c.buttonsShown);
            EXPECT_EQ(Button(d, 1)->Caption(), c.button1);
            if (c.offered.size() == 4) testing::SaveScreenshot(d, QStringLiteral("notice_25_four_answers"));
            Click(Button(d, c.press));
        });
        gui::ShowNoticeDialog(25);
        EXPECT_EQ(EventNotice.Answer, c.press);
    }
}

TEST_F(NoticeDialogs, LongLinesFitTheirLabelsAndAreShownAsWritten) {
    // Lines of the full 40 characters and captions of the full 23, in capitals where the game
    // writes them, must not be cut off; an ampersand is text, not an accelerator mark.
    const std::string line = "MOBILE & OHIO RAILROAD: Corps 12 moved to";
    const std::string caption = "Withdraw to Chattanooga";
    ASSERT_EQ(line.size(), 41u);
    ClearEventNotice();
    EventNotice.SetLine(1, line);
    EventNotice.SetLine(2, "Orange & Alexandria");
    OfferChoice(1, caption);
    for (int kind : {0, 15, 25}) {
        EventNotice.Kind = static_cast<std::uint16_t>(kind);
        testing::WhenModalShows([&](QWidget* d) {
            const QString shownLine = QString::fromStdString(line.substr(0, 40));
            EXPECT_EQ(Label(d, 1)->Caption(), shownLine);
            EXPECT_LE(QFontMetrics(Label(d, 1)->font()).horizontalAdvance(shownLine), Label(d, 1)->width()) << kind;
            if (kind == 0)
                EXPECT_LE(QFontMetrics(Label(d, 5)->font()).horizontalAdvance(QString::fromStdString(caption)),
                          Label(d, 5)->width());
            if (kind == 25)
                EXPECT_LT(QFontMetrics(Button(d, 1)->font()).horizontalAdvance(QString::fromStdString(caption)),
                          Button(d, 1)->width() - 8);
            EXPECT_FALSE(Label(d, 2)->ShowAccelChar());
            testing::SaveScreenshot(d, QStringLiteral("notice_%1_long_lines").arg(kind, 2, 10, QLatin1Char('0')));
            Click(Button(d, 1));
        });
        gui::ShowNoticeDialog(kind);
    }
}

// The window's own answer to a notice: the real dialog.
class DialogFrontend : public AutomaticFrontend {
public:
    void ShowNotice(int kind) override { gui::ShowNoticeDialog(kind); }
};

TEST_F(NoticeDialogs, ABrigadeJoiningACorpsUnderALongNameIsToldOnItsFullFortyCharacters) {
    // "joins the corps of " and a commander's name of the full 21 characters: the longest brigade line.
    TGameRec& g = *GameRec;
    g.EnemyVisibility = 3;
    g.States[3].Name = "Massachusetts";
    g.Corps[1].Leader = 5;
    g.Leaders[5].Name = "Cornelius W. Ashcombe";
    TBrigadeRec& b = g.Brigades[41];
    b.Nation = 1, b.BrigadeType = kBrigadeInfantry, b.HomeState = 3, b.Ordinal = 41, b.AttachKind = kAttachCorps, b.AttachIndex = 1;
    const QString line = QStringLiteral("joins the corps of Cornelius W. Ashcombe");
    ASSERT_EQ(line.size(), 40);
    DialogFrontend window;
    InstallFrontend(&window);
    bool shown = false;
    testing::WhenModalShows([&](QWidget* d) {
        shown = true;
        EXPECT_EQ(QString::fromLatin1(d->metaObject()->className()), QStringLiteral("kvt::gui::TBrgdFormed"));
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("41st Massachusetts Infantry"));
        EXPECT_EQ(Label(d, 2)->Caption(), line);
        EXPECT_LE(QFontMetrics(Label(d, 2)->font()).horizontalAdvance(line), Label(d, 2)->width());
        EXPECT_LE(Label(d, 2)->geometry().right(), d->width()) << "the line stays inside the dialog";
        testing::SaveScreenshot(d, QStringLiteral("notice_22_brigade_joins_corps"));
        Click(Button(d, 1));
    });
    ReportBrigadeEvent(1, 1, 41, 0, kBrigadeJoinedCorps);
    InstallFrontend(nullptr);
    EXPECT_TRUE(shown);
}

TEST_F(NoticeDialogs, ANoticeClosedByItsFirstButtonAnswersAsAnUnattendedGameDoes) {
    // Headless games answer every notice as a player pressing only the first button would; the
    // dialogs must give the same answers, or a game would go differently with nobody watching.
    const std::vector<std::vector<int>> offers = {{}, {1, 2}, {3, 5}, {6}};
    for (int kind = 0; kind <= 25; ++kind) {
        if (!NoticeKindHasDialog(kind)) continue;
        for (const auto& offered : offers) {
            SCOPED_TRACE(::testing::Message() << "kind " << kind << ", " << offered.size() << " offered");
            FillNotice(kind, offered, 0);
            AutomaticFrontend unattended;
            InstallFrontend(&unattended);
            ShowEventNotice();
            const int unattendedAnswer = EventNotice.Answer;

            FillNotice(kind, offered, 0);
            DialogFrontend window;
            InstallFrontend(&window);
            testing::WhenModalShows([](QWidget* d) { Click(Button(d, 1)); });
            ShowEventNotice();
            InstallFrontend(nullptr);
            EXPECT_EQ(EventNotice.Answer, unattendedAnswer);
        }
    }
}

}  // namespace
}  // namespace kvt
