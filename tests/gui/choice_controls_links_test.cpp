// The check items, group boxes, panels and list boxes reach the library's image lists and image
// forms: a list or form that goes is forgotten, and the form-wide background shows behind them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>

#include "gui/platform/image_list.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/check_items.h"
#include "gui/ui/group_box.h"
#include "gui/ui/image_form.h"
#include "gui/ui/panel.h"
#include "gui/ui/radio_group.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::CountColor;
using kvt::testing::PaintCounter;
using kvt::testing::Pixel;
using kvt::testing::SolidImageForm;
using kvt::testing::Render;

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
