// The new-game setup and the 1864 election dialogs as a player uses them: what each row shows and
// hides, what each click chooses, and the electoral map filled state by state.
#include <gtest/gtest.h>

#include <QTest>

#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/dialogs/players/election_dialog.h"
#include "gui/dialogs/players/setup_dialog.h"
#include "gui/ui/framed_radio_box.h"
#include "gui/ui/image_form.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

using gui::GameText;
using gui::TElLabel;
using gui::TElRadioButton;
using testing::Click;
using testing::Radio;

class PoliticsDialogs : public testing::DialogTest {
protected:
    void Start(const char* year) {
        std::string why;
        ASSERT_TRUE(ReadGameImages(testing::GameFile(std::string(year) + ".kvt"), *GameRec, *MapGrid, &why)) << why;
    }
};

QWidget* Box(QWidget* d, int n) { return testing::Control<gui::TNewRadBox>(d, QStringLiteral("NewRadBox%1").arg(n)); }

// The label on the radio button's line, which shares its click.
TElLabel* LabelOf(TElRadioButton* r) {
    for (TElLabel* l : r->parentWidget()->findChildren<TElLabel*>())
        if (l->y() == r->y()) return l;
    ADD_FAILURE() << r->objectName().toStdString() << " has no label";
    return nullptr;
}

TEST_F(PoliticsDialogs, TheSetupOpensOnItsPreselectedRowsCaptionedFromTheTexts) {
    for (const char* year : {"1861", "1862"}) {
        SCOPED_TRACE(year);
        Start(year);
        gui::TSetUp d;
        d.show();
        EXPECT_EQ(d.windowTitle(), GameText(680));
        EXPECT_EQ(testing::Button(&d, 1)->Caption(), GameText(66));
        for (auto [radio, text] : {std::pair{20, 381}, {23, 685}, {11, 351}, {6, 682}})
            EXPECT_EQ(LabelOf(Radio(&d, radio))->Caption(), GameText(text));
        for (int k : {27, 1, 8, 10, 17, 13, 3, 5, 28}) EXPECT_TRUE(Radio(&d, k)->GetChecked()) << k;
        EXPECT_TRUE(Box(&d, 11)->isVisible());
        EXPECT_FALSE(Box(&d, 8)->isVisible());
        EXPECT_FALSE(Box(&d, 7)->isVisible());
        EXPECT_EQ(Box(&d, 12)->isVisible(), std::string(year) == "1861") << "Kentucky and Missouri before August 1861";
        EXPECT_TRUE(d.Choices().unionPerson && d.Choices().confederatePerson && !d.Choices().mail);
        testing::SaveScreenshot(&d, QStringLiteral("setup_%1").arg(year));
    }
}

TEST_F(PoliticsDialogs, TheSetupWithoutATitleBarShowsItsTitleOnTheForm) {
    Start("1861");
    gui::TSetUp d;
    d.show();
    EXPECT_TRUE(d.windowFlags().testFlag(Qt::FramelessWindowHint)) << "no title bar shows the window title";
    auto* title = testing::Control<TElLabel>(&d, QStringLiteral("TitleLabel"));
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->Caption(), GameText(680));
    EXPECT_TRUE(d.rect().contains(title->geometry())) << "the title lies on the form";
    for (QWidget* box : d.findChildren<gui::TNewRadBox*>())
        EXPECT_FALSE(box->isVisible() && box->geometry().intersects(title->geometry())) << box->objectName().toStdString();
}

TEST_F(PoliticsDialogs, EachSetupBoxShowsThePictureUnderItAndKeepsNoLargerPicture) {
    Start("1861");
    gui::TSetUp d;
    d.show();
    const QImage picture = testing::Control<gui::TImage>(&d, QStringLiteral("Image1"))->Picture().convertToFormat(QImage::Format_RGB32);
    qsizetype held = 0, area = 0;
    const auto boxes = d.findChildren<gui::TNewRadBox*>();
    ASSERT_EQ(boxes.size(), 12);
    for (gui::TNewRadBox* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        // The box alone, without the buttons and labels standing on it.
        QImage shown(box->size(), QImage::Format_RGB32);
        shown.fill(Qt::magenta);
        box->render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
        EXPECT_EQ(shown, picture.copy(box->geometry()));
        held += box->BackBitmap().sizeInBytes();
        area += qsizetype(box->width()) * box->height() * 4;
    }
    // A dozen boxes, each once with a 500 x 400 picture, made the dialog the program's largest user of memory.
    EXPECT_LE(held, area);
}

TEST_F(PoliticsDialogs, AComputerSideShowsItsHandicapRowAndTakesAwayThePlayRowAndOnlyDoneCloses) {
    Start("1861");
    testing::WhenModalShows([](QWidget* d) {
        Click(LabelOf(Radio(d, 29)));
        EXPECT_TRUE(static_cast<gui::TSetUp*>(d)->Choices().mail);
        Click(LabelOf(Radio(d, 28)));
        EXPECT_FALSE(static_cast<gui::TSetUp*>(d)->Choices().mail);
        Click(Radio(d, 29));
        EXPECT_TRUE(static_cast<gui::TSetUp*>(d)->Choices().mail);
        Click(LabelOf(Radio(d, 4)));
        EXPECT_TRUE(Box(d, 8)->isVisible());
        EXPECT_TRUE(Radio(d, 21)->GetChecked()) << "Even terms";
        EXPECT_FALSE(Box(d, 11)->isVisible() || Radio(d, 28)->GetChecked() || Radio(d, 29)->GetChecked());
        testing::SaveScreenshot(d, QStringLiteral("setup_union_computer"));
        Click(Radio(d, 23));
        Click(LabelOf(Radio(d, 4)));
        EXPECT_TRUE(Radio(d, 21)->GetChecked()) << "the label's click is its button's, even on a checked one";
        Click(Radio(d, 6));
        EXPECT_TRUE(Box(d, 7)->isVisible());
        testing::SaveScreenshot(d, QStringLiteral("setup_both_computer"));
        Click(Radio(d, 3));
        EXPECT_FALSE(Box(d, 8)->isVisible() || Box(d, 11)->isVisible()) << "the Confederacy is still the computer's";
        Click(LabelOf(Radio(d, 5)));
        EXPECT_TRUE(Box(d, 11)->isVisible() && Radio(d, 28)->GetChecked()) << "face to face again";
        Click(Radio(d, 6));
        testing::ExpectStaysOpen(d);
        Click(testing::Button(d, 1));
    });
    const TSetupChoices c = gui::ShowGameSetupDialog();
    EXPECT_TRUE(c.unionPerson && !c.confederatePerson && !c.mail);
}

TEST_F(PoliticsDialogs, EveryButtonAndItsLabelChooseTheirRow) {
    Start("1861");
    gui::TSetUp d;
    d.show();
    Click(Radio(&d, 4));
    Click(Radio(&d, 6));
    int clicked = 0;
    for (TElRadioButton* r : d.findChildren<TElRadioButton*>()) {
        if (!r->isVisible()) continue;  // the play row, hidden for computer sides
        ++clicked;
        SCOPED_TRACE(r->objectName().toStdString());
        Click(LabelOf(r));
        EXPECT_TRUE(r->GetChecked());
        for (TElRadioButton* other : r->parentWidget()->findChildren<TElRadioButton*>())
            if (other != r) Click(other);
        Click(r);
        EXPECT_TRUE(r->GetChecked());
    }
    EXPECT_GE(clicked, 27);
    for (int k : {20, 7, 9, 18, 19, 15, 23, 25}) Click(LabelOf(Radio(&d, k)));
    Click(testing::Control<QWidget>(&d, QStringLiteral("CheckBox1")));
    const TSetupChoices c = d.Choices();
    EXPECT_TRUE(c.fullCampaign && c.ratingsShown && c.kentucky && !c.missouri && !c.unionPerson && !c.confederatePerson);
    EXPECT_TRUE(c.ratings == TSetupChoices::Ratings::Random && c.slavery == TSetupChoices::Slavery::Emancipation);
    EXPECT_TRUE(c.intervention == TSetupChoices::Intervention::Likely && c.capital == TSetupChoices::Capital::Atlanta);
    EXPECT_EQ(c.unionHandicap * 10 + c.confederateHandicap, 21);
}

TEST_F(PoliticsDialogs, TheCountFillsEachVotingStateBlueOrRedOnTheMap) {
    for (const bool firstWins : {true, false}) {
        SCOPED_TRACE(firstWins);
        Start("1863");
        TGameRec& g = *GameRec;
        g.Nations[kNationConfederacy].Will = static_cast<std::int16_t>(firstWins ? 0 : 3000);
        g.States[20].Owner = kConfederacy;  // Kentucky held by the Confederacy: no vote
        TElectionCount count;
        gui::TElection d(count);
        d.show();
        auto* map = testing::Control<QWidget>(&d, QStringLiteral("Image1"));
        const QImage before = map->grab().toImage();
        EXPECT_EQ(d.windowTitle(), GameText(593));
        EXPECT_FALSE(testing::Button(&d, 1)->isVisible());
        EXPECT_FALSE(testing::Label(&d, 1)->isVisible());
        if (firstWins) testing::SaveScreenshot(&d, QStringLiteral("election_before"));
        Click(testing::Button(&d, 2));
        EXPECT_FALSE(testing::Button(&d, 2)->isVisible());
        d.CountNextState();
        d.CountNextState();
        EXPECT_EQ(testing::Label(&d, 7)->Caption(), GameText(firstWins ? 503 : 589));
        testing::SaveScreenshot(&d, QStringLiteral("election_during_%1").arg(firstWins ? "first" : "second"));
        while (!testing::Button(&d, 1)->isVisible()) d.CountNextState();
        EXPECT_TRUE(count.Finished());
        EXPECT_EQ(count.FirstCandidateWon(), firstWins);
        EXPECT_EQ(testing::Label(&d, 1)->Caption(), QString::number(count.FirstTotal()));
        EXPECT_EQ(testing::Label(&d, 2)->Caption(), QString::number(count.SecondTotal()));
        const QImage after = map->grab().toImage();
        for (const TElectionFillPoint& p : ElectionFillPoints()) {
            const TStateRec& st = g.States[p.state];
            const bool voted = st.Owner == kUnion && st.PoliticalValue > 0;
            const QRgb expected = !voted ? before.pixel(p.x, p.y) : firstWins ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
            EXPECT_EQ(after.pixel(p.x, p.y), expected) << st.Name.str();
        }
        EXPECT_EQ(after.pixel(250, 300), before.pixel(250, 300)) << "Texas, no voting state";
        testing::SaveScreenshot(&d, QStringLiteral("election_after_%1").arg(firstWins ? "first" : "second"));
        Click(testing::Button(&d, 1));
        EXPECT_TRUE(d.Finished());
    }
}

TEST_F(PoliticsDialogs, TheElectionCountsOnItsTimerAndClosesOnlyByDone) {
    testing::BuildSyntheticGame(true, false);
    for (int s : {1, 3}) GameRec->States[s].PoliticalValue = 5;
    TElectionCount count;
    testing::WhenModalShows([](QWidget* d) {
        d->close();
        EXPECT_TRUE(d->isVisible());
        Click(testing::Button(d, 2));
        EXPECT_TRUE(QTest::qWaitFor([d] { return testing::Button(d, 1)->isVisible(); }, 10000));
        Click(testing::Button(d, 1));
    });
    gui::ShowElectionDialog(count);
    EXPECT_TRUE(count.Finished());
    EXPECT_EQ(count.FirstTotal() + count.SecondTotal(), 10);
}

}  // namespace
}  // namespace kvt
