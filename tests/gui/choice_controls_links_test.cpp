// The check items, group boxes, radio groups, panels and list boxes reach the library's sound map,
// HTML captions, image lists and image forms: sounds on the player's clicks only, captions measured
// and drawn as HTML, marks from an image list, and the form-wide background behind the controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>

#include "gui/platform/fonts.h"
#include "gui/platform/image_list.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/check_items.h"
#include "gui/ui/group_box.h"
#include "gui/ui/html_render.h"
#include "gui/ui/image_form.h"
#include "gui/ui/panel.h"
#include "gui/ui/radio_group.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::CountColor;
using kvt::testing::PaintCounter;
using kvt::testing::Pixel;
using kvt::testing::RecordingSoundMap;
using kvt::testing::SolidImageForm;
using kvt::testing::Render;

TEST(ChoiceControlLinks, OnlyThePlayersClicksPlayTheCheckSound) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(240, 120));
    RecordingSoundMap sounds;
    auto* box = new TElCheckBox(window.get());
    auto* radio = new TElRadioButton(window.get());
    box->setGeometry(10, 10, 120, 20);
    radio->setGeometry(10, 40, 120, 20);
    for (TElCheckItem* item : {static_cast<TElCheckItem*>(box), static_cast<TElCheckItem*>(radio)}) {
        item->SetCaption(QStringLiteral("item"));
        item->SetSoundMap(&sounds);
        item->SetCheckSound(QStringLiteral("Tick"));
    }
    kvt::testing::ShowActive(window.get());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("Tick")});
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(4, 8));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(4, 80));
    EXPECT_EQ(sounds.played.size(), 1) << "released outside: no sound";
    box->SetChecked(false);
    radio->SetChecked(true);
    EXPECT_EQ(sounds.played.size(), 1) << "code plays nothing";
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(sounds.played.size(), 2) << "Space on a check box plays the sound";
    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_Space);
    EXPECT_EQ(sounds.played.size(), 2) << "Space on a radio button clicks without a sound";
}

TEST(ChoiceControlLinks, HTMLCaptionsAreMeasuredAndDrawnAsHTML) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 80, clWhite));
    auto* item = new TElRadioButton(window.get());
    item->move(10, 10);
    item->SetColor(clWhite);
    const QString caption = QStringLiteral("<font color=#c00000>Forced</font> March");
    item->SetCaption(caption);
    item->SetIsHTML(true);
    const QImage image = Render(window.get());
    TElHTMLRender render;
    PrepareHTMLDefaults(render, item->font(), item->FontColor(), clWhite);
    const QSize html = MeasureHtmlCaption(render, item->font(), caption);
    EXPECT_EQ(item->width(), 13 + 7 + html.width() + 2);
    int red = 0;
    for (int y = 10; y < 10 + item->height(); ++y)
        for (int x = 30; x < 10 + item->width(); ++x) {
            const QColor c = Pixel(image, x, y);
            if (c.red() > 150 && c.green() < 80 && c.blue() < 80) ++red;
        }
    EXPECT_GT(red, 10) << "the coloured word, not the tags";
    item->SetIsHTML(false);
    EXPECT_GT(item->width(), 13 + 7 + html.width() + 2) << "as plain text the tags take room";
}

TEST(ChoiceControlLinks, MarksComeFromAnImageListByState) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 60));
    TImageList list(16, 16);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    for (const QColor& c : colours) {
        QImage cell(16, 16, QImage::Format_RGB32);
        cell.fill(c);
        list.Add(cell, clNone);
    }
    auto* item = new TElRadioButton(window.get());
    item->setGeometry(10, 10, 150, 22);
    item->SetAutoSize(false);
    item->SetImages(&list);
    EXPECT_TRUE(item->UseImageList()) << "the first list given is used";
    const QPoint markMiddle(10 + 8, 10 + 11);
    EXPECT_EQ(Pixel(Render(window.get()), markMiddle.x(), markMiddle.y()), QColor(Qt::red));
    item->SetChecked(true);
    EXPECT_EQ(Pixel(Render(window.get()), markMiddle.x(), markMiddle.y()), QColor(Qt::blue));
    item->setEnabled(false);
    EXPECT_EQ(Pixel(Render(window.get()), markMiddle.x(), markMiddle.y()), QColor(Qt::yellow));
    item->SetImages(nullptr);
    EXPECT_FALSE(item->UseImageList());
    item->SetUseImageList(true);
    EXPECT_FALSE(item->UseImageList()) << "refused without a list";
}

TEST(ChoiceControlLinks, CheckItemsForgetTheImageListAndFormThatGo) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 60));
    auto* item = new TElRadioButton(window.get());
    item->SetAutoSize(false);
    item->setGeometry(10, 10, 150, 22);
    auto form = std::make_unique<SolidImageForm>(QColor(10, 120, 200));
    auto list = std::make_unique<TImageList>(16, 16);
    QImage cell(16, 16, QImage::Format_RGB32);
    cell.fill(Qt::red);
    for (int i = 0; i < 6; ++i) list->Add(cell, clNone);
    item->SetImageForm(form.get());
    item->SetImages(list.get());
    const QPoint markMiddle(10 + 8, 10 + 11);
    EXPECT_EQ(Pixel(Render(window.get()), markMiddle.x(), markMiddle.y()), QColor(Qt::red));
    PaintCounter paints(item);
    list.reset();
    QApplication::processEvents();
    EXPECT_FALSE(item->UseImageList()) << "the list is gone: its marks are no longer used";
    EXPECT_GE(paints.count, 1);
    EXPECT_NE(Pixel(Render(window.get()), markMiddle.x(), markMiddle.y()), QColor(Qt::red));
    paints.count = 0;
    form.reset();
    QApplication::processEvents();
    EXPECT_EQ(item->ImageForm(), nullptr);
    EXPECT_GE(paints.count, 1) << "the item repaints with its own colour";
    EXPECT_EQ(Pixel(Render(window.get()), 10 + 140, 10 + 2), kvt::testing::Rgb(clBtnFace));
}

TEST(ChoiceControlLinks, AListShowsItsFormsPictureOnlyWhereTheFormHasOne) {
    const QImage tile = kvt::testing::TestPicture(16, 16);
    const auto tilePixel = [&](QPoint at) { return QColor(tile.pixel(at.x() % 16, at.y() % 16)); };
    QWidget form;
    form.resize(200, 120);
    TElImageForm imageForm(&form);
    imageForm.SetBackground(tile);
    imageForm.SetBackgroundType(bgtTileBitmap);
    auto* list = new TElAdvancedListBox(&form);
    list->setGeometry(20, 40, 150, 100);  // the list runs past the form's bottom edge
    list->setFont(MakeFont(QStringLiteral("Times New Roman"), -13));
    list->SetColor(clYellow);
    list->SetItems({QStringLiteral("Richmond"), QStringLiteral("Norfolk"), QStringLiteral("Petersburg"),
                    QStringLiteral("Lynchburg"), QStringLiteral("Danville"), QStringLiteral("Staunton")});
    list->SetImageForm(&imageForm);
    // The first row inside the form and the row that the form's bottom edge cuts.
    int cut = -1;
    for (int i = 0; i < list->Items().Count() && cut < 0; ++i) {
        const QRect r = list->ItemRect(i).translated(list->pos());
        if (r.top() < form.height() && r.bottom() + 1 > form.height()) cut = i;
    }
    ASSERT_GT(cut, 0);
    const auto probe = [&](int row) {
        const QRect r = list->ItemRect(row).translated(list->pos());
        return QPoint(r.right() - 3, r.top() + 1);  // right of any text
    };
    QImage shot = Render(&form);
    EXPECT_EQ(Pixel(shot, probe(0).x(), probe(0).y()), tilePixel(probe(0))) << "a row inside the form: its picture";
    EXPECT_EQ(Pixel(shot, probe(cut).x(), probe(cut).y()), kvt::testing::Rgb(clYellow))
        << "a row beyond the form's edge: the list's own fill";

    // A form that is only a colour fill leaves the list its own colour.
    imageForm.SetBackgroundType(bgtColorFill);
    imageForm.SetBackground(QImage());
    shot = Render(&form);
    EXPECT_EQ(Pixel(shot, probe(0).x(), probe(0).y()), kvt::testing::Rgb(clYellow));

}

TEST(ChoiceControlLinks, AnImageFormsBackgroundShowsBehindTheControls) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 200));
    SolidImageForm form(QColor(10, 120, 200));
    auto* panel = new TElPanel(window.get());
    panel->setGeometry(0, 0, 100, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetImageForm(&form);
    auto* box = new TElGroupBox(window.get());
    box->setGeometry(100, 0, 100, 60);
    box->SetImageForm(&form);
    auto* item = new TElCheckBox(window.get());
    item->setGeometry(200, 0, 90, 20);
    item->SetAutoSize(false);
    item->SetImageForm(&form);
    auto* list = new TElAdvancedListBox(window.get());
    list->setGeometry(0, 80, 150, 100);
    list->SetItems({QStringLiteral("Richmond"), QStringLiteral("Norfolk")});
    list->SetImageForm(&form);
    list->SetItemIndex(0);
    const QImage image = Render(window.get());
    for (const QPoint p : {QPoint(50, 30), QPoint(150, 40), QPoint(285, 10), QPoint(140, 80 + 70),
                           QPoint(140, 80 + 2 + list->ItemHeight() + 2)})
        EXPECT_EQ(Pixel(image, p.x(), p.y()), form.color) << p.x() << "," << p.y();
    EXPECT_GT(CountColor(image, list->ItemRect(0).translated(list->pos()), kvt::testing::Rgb(clHighlight)), 50)
        << "the chosen row keeps its highlight";
    panel->SetAlphaLevel(255);
    panel->SetColor(clRed);
    // The library's blend leaves 1/256 of the picture: (10 + 255 x 255) div 256, 120 div 256, 200 div 256.
    EXPECT_EQ(Pixel(Render(window.get()), 50, 30), QColor(254, 0, 0)) << "the alpha level tints the form's picture";
}

}  // namespace
}  // namespace kvt::gui
