// The controls reach the library's sound map and image forms: a button's sounds come out of the
// player as the files its events are mapped to, and its face shows its share of the form's
// background.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "gui/ui/formats/registry_standin.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/image_form.h"
#include "gui/ui/sound_map.h"
#include "gui/ui/sound_player.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/gui_support.h"
#include "tests/support/engine_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::RecordingPlayer;

TEST(LibraryLinks, AButtonsSoundEventsPlayTheirMappedFiles) {
    kvt::ui::SetRegistryFile(kvt::testing::TempFolder("links") + "/registry.txt");
    RecordingPlayer player;
    TSoundPlayer* previous = InstallSoundPlayer(&player);
    {
        kvt::ui::TRegistry reg(kvt::ui::TRegRootType::rrtHKEY_CURRENT_USER);
        for (const char* event : {"Press", "Release", "Click"}) {
            ASSERT_TRUE(reg.OpenKey(std::string("\\AppEvents\\Schemes\\Apps\\Kvt\\") + event + "\\.current", true));
            reg.WriteString("", std::string(event) + ".wav");
        }
    }
    TElSoundMap map;
    map.SetApplicationKey(QStringLiteral("Kvt"));
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    b->SetSoundMap(&map);
    b->DownSound = QStringLiteral("Press");
    b->UpSound = QStringLiteral("Release");
    b->ClickSound = QStringLiteral("Click");
    parent.show();
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(player.played, (std::vector<std::string>{"Press.wav", "Release.wav", "Click.wav"}));
    map.SetMute(true);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(player.played.size(), 3u);
    InstallSoundPlayer(previous);
    kvt::ui::SetRegistryFile(kvt::testing::TempFolder("links-unused") + "/none.txt");
}

TEST(LibraryLinks, AButtonShowsItsShareOfTheFormsBackground) {
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
