// Gallery sheets of the radio groups, the labels and the picture-backed radio box.
#include <QPainter>

#include "gui/platform/fonts.h"
#include "gui/ui/check_items.h"
#include "gui/ui/framed_radio_box.h"
#include "gui/ui/labels.h"
#include "gui/ui/radio_group.h"
#include "tools/gallery/sheet_pages.h"
#include "tools/gallery/gallery_states.h"

using namespace kvt::gui;
using namespace kvt::gallery;

namespace {

// A radio group as the corps orders lay theirs out: 130 wide, silver, bold serif, money-flat.
TElRadioGroup* CorpsOrdersGroup(QWidget* host, const QString& caption, const QStringList& items, TColor active) {
    auto* g = new TElRadioGroup(host);
    g->setGeometry(8, 8, 130, 80);
    g->setFont(MakeFont(QStringLiteral("Times New Roman"), -12, true));
    g->SetCaption(caption);
    g->SetCaptionColor(clSilver);
    g->SetColor(clSilver);
    g->SetMoneyFlat(true);
    g->SetMoneyFlatActiveColor(active);
    g->SetMoneyFlatInactiveColor(active);
    g->SetMoneyFlatDownColor(active);
    g->SetTabStop(true);
    g->SetItems(items);
    return g;
}

}  // namespace

KVT_GALLERY_PAGE(groups_and_labels) {
    Sheet groups(QStringLiteral("radio_group"));
    const QStringList march = {QStringLiteral("Cautious March"), QStringLiteral("Standard March"),
                               QStringLiteral("Forced March")};
    {
        QWidget* host = NewHost(146, 96);
        CorpsOrdersGroup(host, QStringLiteral("Set March"), march, clNone);
        groups.Add(host, QStringLiteral("no row chosen"));
    }
    {
        QWidget* host = NewHost(146, 96);
        CorpsOrdersGroup(host, QStringLiteral("Set March"), march, clNone)->SetItemIndex(1);
        groups.Add(host, QStringLiteral("ItemIndex 1"));
    }
    {
        QWidget* host = NewHost(146, 96);
        CorpsOrdersGroup(host, QStringLiteral("Set Combat Stance             "),
                         {QStringLiteral("Withdraw"), QStringLiteral("Defend"), QStringLiteral("Advance")}, clBlack)
            ->SetItemIndex(2);
        groups.Add(host, QStringLiteral("stance, black money-flat"));
    }
    {
        QWidget* host = NewHost(146, 96);
        auto* g = CorpsOrdersGroup(host, QString(), {QStringLiteral("Withdraw"), QStringLiteral("Defend"),
                                                     QStringLiteral("Advance")}, clBlack);
        g->SetItemIndex(0);
        groups.Add(host, QStringLiteral("empty caption"));
    }
    {
        QWidget* host = NewHost(146, 96);
        auto* g = CorpsOrdersGroup(host, QStringLiteral("Supply Priority"),
                                   {QStringLiteral("Subsistence"), QStringLiteral("Standard"), QStringLiteral("High ")},
                                   clNone);
        g->SetItemIndex(1);
        g->setEnabled(false);
        groups.Add(host, QStringLiteral("disabled"));
    }
    {
        QWidget* host = NewHost(146, 96);
        auto* g = CorpsOrdersGroup(host, QStringLiteral("Set Supply type"), {QStringLiteral("Depot"),
                                   QStringLiteral("Encampment"), QStringLiteral("Foraging")}, clNone);
        g->SetItemIndex(0);
        groups.Add(host, QStringLiteral("focused row"), [g](QWidget*) { Focus(g->Button(0)); });
    }
    {
        QWidget* host = NewHost(226, 70);
        auto* g = new TElRadioGroup(host);
        g->setGeometry(8, 8, 210, 54);
        g->SetColumns(2);
        g->SetItems({QStringLiteral("Orders"), QStringLiteral("Set Objective")});
        g->SetItemIndex(1);
        groups.Add(host, QStringLiteral("two columns"));
    }
    {
        QWidget* host = NewHost(226, 96);
        auto* g = new TElRadioGroup(host);
        g->setGeometry(8, 8, 210, 80);
        g->SetCaption(QStringLiteral("Seven in three columns"));
        g->SetColumns(3);
        g->SetItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four"),
                     QStringLiteral("five"), QStringLiteral("six"), QStringLiteral("seven")});
        g->SetItemIndex(6);
        groups.Add(host, QStringLiteral("7 items, 3 columns"));
    }
    {
        QWidget* host = NewHost(226, 96);
        auto* g = new TElRadioGroup(host);
        g->setGeometry(8, 8, 210, 80);
        g->SetCaption(QStringLiteral("Orders allowed"));
        g->SetShowCheckBox(true);
        g->SetCheckBoxChecked(false);
        g->SetItems({QStringLiteral("Orders"), QStringLiteral("Set Objective")});
        g->SetItemIndex(0);
        groups.Add(host, QStringLiteral("caption box off: rows disabled"));
    }
    sheets.push_back(std::move(groups));

    Sheet labels(QStringLiteral("label"), 3);
    const auto cell = [&](const QString& caption, const std::function<void(TElLabel*)>& setup, bool picture = false,
                          TColor panel = clBtnFace) {
        QWidget* host = picture ? NewPictureHost(200, 50) : NewHost(200, 50);
        if (panel != clBtnFace) {
            QPalette pal = host->palette();
            pal.setColor(QPalette::Window, ToQColor(panel));
            host->setPalette(pal);
        }
        auto* label = new TElLabel(host);
        label->move(10, 10);
        label->setFont(MakeFont(QStringLiteral("Times New Roman"), -16, true));
        label->SetCaption(QStringLiteral("Type to raise"));
        if (setup) setup(label);
        labels.Add(host, caption);
    };
    cell(QStringLiteral("normal"), nullptr);
    cell(QStringLiteral("embossed"), [](TElLabel* l) { l->SetStyle(ltsEmbossed); });
    cell(QStringLiteral("recessed (manpower read-outs)"), [](TElLabel* l) {
        l->SetStyle(ltsRecessed);
        l->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -14, true));
        l->SetCaption(QStringLiteral("12,450"));
    });
    cell(QStringLiteral("outlined"), [](TElLabel* l) {
        l->SetStyle(ltsOutlined);
        l->SetFontColor(clNavy);
    });
    cell(QStringLiteral("shadow"), [](TElLabel* l) { l->SetEffect(lesShadow); });
    cell(QStringLiteral("extruded right-bottom, depth 6"), [](TElLabel* l) {
        l->SetDepth(6);
        l->SetNearColor(clGray);
        l->SetFarColor(clSilver);
        l->SetEffect(lesExtrude);
    });
    cell(QStringLiteral("extruded left-top, striated"), [](TElLabel* l) {
        l->move(20, 20);
        l->SetDepth(8);
        l->SetExtrudePosition(lepLeftTop);
        l->SetNearColor(clMaroon);
        l->SetFarColor(clYellow);
        l->SetStriated(true);
        l->SetEffect(lesExtrude);
    });
    cell(QStringLiteral("disabled"), [](TElLabel* l) { l->setEnabled(false); });
    cell(QStringLiteral("transparent on a picture"), [](TElLabel* l) {
        l->SetTransparent(true);
        l->SetFontColor(clMaroon);
    }, true);
    cell(QStringLiteral("opaque on a picture"), [](TElLabel* l) { l->SetParentColor(false); }, true);
    cell(QStringLiteral("word wrap, centred"), [](TElLabel* l) {
        l->SetAutoSize(false);
        l->resize(120, 36);
        l->SetWordWrap(true);
        l->SetAlignment(taCenter);
        l->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
        l->SetCaption(QStringLiteral("Select brigades, up to the corps' limit"));
    });
    cell(QStringLiteral("hex read-out"), [](TElLabel* l) {
        l->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
        l->SetCaption(QStringLiteral("22,22"));
    });
    sheets.push_back(std::move(labels));

    Sheet boxes(QStringLiteral("framed_radio_box"));
    {
        QWidget* host = NewPictureHost(150, 110);
        auto* box = new TNewRadBox(host);
        box->setGeometry(20, 12, 103, 87);
        box->CopyBackground(DialogPicture(150, 110), box->pos());
        const char* captions[] = {"Active", "Available", "Removed", "Wounded"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TElRadioButton(box);
            b->setGeometry(6, 6 + i * 19, 90, 17);
            b->SetTransparent(true);
            b->SetCaption(QString::fromLatin1(captions[i]));
            if (i == 1) b->SetChecked(true);
        }
        boxes.Add(host, QStringLiteral("background copied in"));
    }
    {
        QWidget* host = NewPictureHost(150, 110);
        auto* box = new TNewRadBox(host);
        box->setGeometry(20, 12, 103, 87);
        boxes.Add(host, QStringLiteral("never drawn into"));
    }
    sheets.push_back(std::move(boxes));
}
