// Gallery sheets of the panels and group boxes.
#include <QPainter>

#include "gui/platform/fonts.h"
#include "gui/ui/check_items.h"
#include "gui/ui/group_box.h"
#include "gui/ui/labels.h"
#include "gui/ui/panel.h"
#include "tools/gallery/sheet_pages.h"
#include "tools/gallery/gallery_states.h"

using namespace kvt::gui;
using namespace kvt::gallery;

namespace {

QImage Tile() {
    QImage tile(16, 16, QImage::Format_RGB32);
    tile.fill(QColor(200, 190, 160));
    QPainter p(&tile);
    p.fillRect(0, 0, 8, 8, QColor(170, 150, 110));
    p.fillRect(8, 8, 8, 8, QColor(170, 150, 110));
    return tile;
}

QImage Emblem() {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(60, 80, 140));
    QPainter p(&picture);
    p.setBrush(QColor(230, 230, 230));
    p.drawEllipse(8, 3, 24, 24);
    p.end();
    picture.setPixel(39, 29, qRgb(130, 170, 200));  // the colour a top-left picture spreads
    return picture;
}

}  // namespace

KVT_GALLERY_PAGE(panels) {
    Sheet sheet(QStringLiteral("panel"));
    const auto cell = [&](const QString& caption, const std::function<void(TElPanel*)>& setup, bool picture = false) {
        QWidget* host = picture ? NewPictureHost(180, 80) : NewHost(180, 80);
        auto* panel = new TElPanel(host);
        panel->setGeometry(8, 8, 164, 64);
        panel->SetCaption(QStringLiteral("Combat Stance"));
        if (setup) setup(panel);
        sheet.Add(host, caption);
    };
    cell(QStringLiteral("raised bevel"), nullptr);
    cell(QStringLiteral("lowered bevel"), [](TElPanel* p) { p->SetBevelOuter(bvLowered); });
    cell(QStringLiteral("both bevels, border 3"), [](TElPanel* p) {
        p->SetBevelInner(bvLowered);
        p->SetBorderWidth(3);
        p->SetBevelWidth(2);
    });
    cell(QStringLiteral("caption top-left"), [](TElPanel* p) {
        p->SetLayout(tlTop);
        p->SetAlignment(taLeftJustify);
    });
    cell(QStringLiteral("caption bottom-right"), [](TElPanel* p) {
        p->SetLayout(tlBottom);
        p->SetAlignment(taRightJustify);
    });
    cell(QStringLiteral("transparent"), [](TElPanel* p) { p->SetTransparent(true); }, true);
    cell(QStringLiteral("transparent, alpha 128 white"), [](TElPanel* p) {
        p->SetTransparent(true);
        p->SetColor(clWhite);
        p->SetAlphaLevel(128);
    }, true);
    cell(QStringLiteral("tiled picture"), [](TElPanel* p) {
        p->SetBackground(Tile());
        p->SetBackgroundType(bgtTileBitmap);
    });
    cell(QStringLiteral("stretched picture"), [](TElPanel* p) {
        p->SetBackground(Emblem());
        p->SetBackgroundType(bgtStretchBitmap);
    });
    cell(QStringLiteral("centred picture"), [](TElPanel* p) {
        p->SetBackground(Emblem());
        p->SetBackgroundType(bgtCenterBitmap);
        p->SetCaption(QString());
    });
    cell(QStringLiteral("top-left picture"), [](TElPanel* p) {
        p->SetBackground(Emblem());
        p->SetBackgroundType(bgtTopLeftBitmap);
        p->SetCaption(QString());
    });
    cell(QStringLiteral("horizontal gradient, 16 bands"), [](TElPanel* p) {
        p->SetBackgroundType(bgtHorzGradient);
        p->SetGradientStartColor(clNavy);
        p->SetGradientEndColor(clSilver);
        p->SetFontColor(clWhite);
    });
    cell(QStringLiteral("vertical gradient, 4 bands"), [](TElPanel* p) {
        p->SetBackgroundType(bgtVertGradient);
        p->SetGradientStartColor(clMaroon);
        p->SetGradientEndColor(clYellow);
        p->SetGradientSteps(4);
    });
    cell(QStringLiteral("grab strips: ridge left, groove top"), [](TElPanel* p) {
        for (TElPanelGrabHandle* h : {&p->LeftGrabHandle(), &p->TopGrabHandle()}) {
            h->SetVisible(true);
            h->SetEnabled(true);
            h->SetSize(8);
            h->SetKind(ghkMove);
        }
        p->LeftGrabHandle().SetBevelKind(bvRaised);
        p->TopGrabHandle().SetBevelKind(bvLowered);
    });
    cell(QStringLiteral("owner-drawn"), [](TElPanel* p) {
        p->SetOwnerDraw(true);
        QObject::connect(p, &TElPanel::OnPaint, p, [p]() {
            QPainter* c = p->Canvas();
            c->setPen(QColor(160, 0, 0));
            c->drawLine(0, 0, p->width(), p->height());
            c->drawLine(0, p->height(), p->width(), 0);
        });
    });
    {
        // The army orders' panel: a transparent label and four radio buttons on a grey panel.
        QWidget* host = NewHost(180, 110);
        auto* panel = new TElPanel(host);
        panel->setGeometry(8, 8, 164, 94);
        panel->SetCaption(QString());
        auto* label = new TElLabel(panel);
        label->move(6, 4);
        label->SetTransparent(true);
        label->setFont(MakeFont(QStringLiteral("Times New Roman"), -14, true));
        label->SetCaption(QStringLiteral("Combat Stance"));
        const char* captions[] = {"Withdraw", "Defend", "Advance", "Training"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TElRadioButton(panel);
            b->setGeometry(8, 22 + i * 17, 100, 17);
            b->SetCaption(QString::fromLatin1(captions[i]));
            b->SetTransparent(true);
            if (i == 1) b->SetChecked(true);
        }
        sheet.Add(host, QStringLiteral("army orders panel"));
    }
    sheets.push_back(std::move(sheet));

    Sheet groups(QStringLiteral("group_box"));
    const auto box = [&](const QString& caption, const std::function<void(TElGroupBox*)>& setup,
                         const std::function<void(QWidget*)>& state = nullptr, bool picture = false) {
        QWidget* host = picture ? NewPictureHost(180, 80) : NewHost(180, 80);
        auto* g = new TElGroupBox(host);
        g->setGeometry(8, 8, 164, 64);
        g->SetCaption(QStringLiteral("Transfer"));
        if (setup) setup(g);
        groups.Add(host, caption, state ? [g, state](QWidget*) { state(g); } : std::function<void(QWidget*)>());
    };
    box(QStringLiteral("caption"), nullptr);
    box(QStringLiteral("no caption"), [](TElGroupBox* g) { g->SetCaption(QString()); });
    box(QStringLiteral("caption check box, checked"), [](TElGroupBox* g) { g->SetShowCheckBox(true); });
    box(QStringLiteral("caption check box, unchecked"), [](TElGroupBox* g) {
        g->SetShowCheckBox(true);
        g->SetCheckBoxChecked(false);
    });
    box(QStringLiteral("check box, mouse over it"), [](TElGroupBox* g) {
        g->SetShowCheckBox(true);
        g->SetFlat(true);
    }, [](QWidget* w) { Hover(w, QPoint(12, 6)); });
    box(QStringLiteral("check box held down"), [](TElGroupBox* g) { g->SetShowCheckBox(true); },
        [](QWidget* w) { Press(w, QPoint(12, 6)); });
    box(QStringLiteral("money-flat check box held down"), [](TElGroupBox* g) {
        g->SetShowCheckBox(true);
        g->SetMoneyFlat(true);
        g->SetMoneyFlatInactiveColor(clBlack);
        g->SetMoneyFlatDownColor(clMaroon);
    }, [](QWidget* w) { Press(w, QPoint(12, 6)); });
    box(QStringLiteral("disabled, with check box"), [](TElGroupBox* g) {
        g->SetShowCheckBox(true);
        g->setEnabled(false);
    });
    box(QStringLiteral("caption band silver"), [](TElGroupBox* g) {
        g->SetCaptionColor(clSilver);
        g->SetColor(clSilver);
    });
    box(QStringLiteral("money-flat frame"), [](TElGroupBox* g) {
        g->SetMoneyFlat(true);
        g->SetMoneyFlatInactiveColor(clBlack);
        g->SetShowCheckBox(true);
    });
    box(QStringLiteral("not 3-D"), [](TElGroupBox* g) { g->SetCtl3D(false); });
    box(QStringLiteral("HTML caption"), [](TElGroupBox* g) {
        g->SetCaption(QStringLiteral("Transfer <i>to</i> <b>Richmond</b>"));
        g->SetIsHTML(true);
    });
    box(QStringLiteral("no top side"), [](TElGroupBox* g) {
        g->SetBorderSides(ebsLeft | ebsRight | ebsBottom);
    });
    box(QStringLiteral("focused with focus cue"), [](TElGroupBox* g) {
        g->SetShowFocus(true);
        g->SetTabStop(true);
    }, [](QWidget* w) { Focus(w); });
    box(QStringLiteral("transparent"), [](TElGroupBox* g) {
        g->SetTransparent(true);
        g->SetFontColor(clMaroon);
    }, nullptr, true);
    sheets.push_back(std::move(groups));
}
