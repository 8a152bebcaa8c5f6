// Gallery sheets of the radio buttons and check boxes.
#include <QPainter>

#include "gui/platform/fonts.h"
#include "gui/platform/image_list.h"
#include "gui/ui/check_items.h"
#include "tools/gallery/sheet_pages.h"
#include "tools/gallery/gallery_states.h"

using namespace kvt::gui;
using namespace kvt::gallery;

namespace {

// Six 13 x 13 cells: unchecked, its disabled look, checked, its disabled look, grayed, its disabled look.
QImage GlyphStrip() {
    QImage strip(78, 13, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter p(&strip);
    const QColor faces[6] = {QColor(40, 90, 160), QColor(150, 150, 150), QColor(20, 130, 40),
                             QColor(150, 150, 150), QColor(190, 150, 30), QColor(150, 150, 150)};
    for (int i = 0; i < 6; ++i) {
        p.setBrush(faces[i]);
        p.setPen(Qt::black);
        p.drawEllipse(i * 13 + 1, 1, 10, 10);
        if (i == 2 || i == 3) p.fillRect(i * 13 + 4, 4, 5, 5, Qt::white);
    }
    return strip;
}

template <class Item>
Item* Make(QWidget* host, const QString& caption, int width = 150, int height = 21) {
    auto* item = new Item(host);
    item->SetCaption(caption);
    item->setGeometry(6, 6, width, height);
    return item;
}

}  // namespace

KVT_GALLERY_PAGE(check_items) {
    Sheet radio(QStringLiteral("radio_button"));
    const auto cell = [&](const QString& caption, const std::function<void(TElRadioButton*)>& setup,
                          const std::function<void(QWidget*)>& state = nullptr, bool picture = false) {
        QWidget* host = picture ? NewPictureHost(170, 34) : NewHost(170, 34);
        auto* b = Make<TElRadioButton>(host, QStringLiteral("Forced March"));
        if (setup) setup(b);
        radio.Add(host, caption, state ? [b, state](QWidget*) { state(b); } : std::function<void(QWidget*)>());
    };
    cell(QStringLiteral("unchecked"), nullptr);
    cell(QStringLiteral("checked"), [](TElRadioButton* b) { b->SetChecked(true); });
    cell(QStringLiteral("mouse over"), nullptr, [](QWidget* w) { Hover(w); });
    cell(QStringLiteral("pressed"), nullptr, [](QWidget* w) { Press(w); });
    cell(QStringLiteral("focused, checked"), [](TElRadioButton* b) { b->SetChecked(true); },
         [](QWidget* w) { Focus(w); });
    cell(QStringLiteral("disabled"), [](TElRadioButton* b) { b->setEnabled(false); });
    cell(QStringLiteral("disabled, checked"), [](TElRadioButton* b) {
        b->SetChecked(true);
        b->setEnabled(false);
    });
    cell(QStringLiteral("flat"), [](TElRadioButton* b) { b->SetFlat(true); });
    cell(QStringLiteral("money-flat, checked"), [](TElRadioButton* b) {
        b->SetMoneyFlat(true);
        b->SetMoneyFlatInactiveColor(clGray);
        b->SetChecked(true);
    });
    cell(QStringLiteral("money-flat, mouse over"), [](TElRadioButton* b) {
        b->SetMoneyFlat(true);
        b->SetMoneyFlatActiveColor(clNavy);
    }, [](QWidget* w) { Hover(w); });
    cell(QStringLiteral("mark on the right"), [](TElRadioButton* b) {
        b->SetAlignment(taLeftJustify);
        b->SetChecked(true);
    });
    cell(QStringLiteral("raised, bold serif"), [](TElRadioButton* b) {
        b->setFont(MakeFont(QStringLiteral("Times New Roman"), -14, true));
        b->SetTextDrawType(tdtRaised);
        b->SetChecked(true);
    });
    cell(QStringLiteral("shadowed text"), [](TElRadioButton* b) { b->SetTextDrawType(tdtShadowed); });
    cell(QStringLiteral("transparent on a picture"), [](TElRadioButton* b) {
        b->SetTransparent(true);
        b->setFont(MakeFont(QStringLiteral("Times New Roman"), -14, true));
        b->SetChecked(true);
    }, nullptr, true);
    cell(QStringLiteral("custom glyphs, checked"), [](TElRadioButton* b) {
        b->SetGlyph(GlyphStrip());
        b->SetUseCustomGlyphs(true);
        b->SetChecked(true);
    });
    cell(QStringLiteral("accelerator"), [](TElRadioButton* b) { b->SetCaption(QStringLiteral("&Advance")); });
    cell(QStringLiteral("HTML caption"), [](TElRadioButton* b) {
        b->SetCaption(QStringLiteral("<b>Forced</b> <font color=#a00000>March</font>"));
        b->SetIsHTML(true);
        b->SetChecked(true);
    });
    {
        // Marks from an image list: the unchecked, checked and disabled pictures by state.
        static TImageList marks(13, 13);
        if (marks.Count() == 0) {
            const QImage strip = GlyphStrip();
            for (int i = 0; i < 6; ++i) marks.Add(strip.copy(i * 13, 0, 13, 13), clDefault);
        }
        cell(QStringLiteral("image-list marks, checked"), [](TElRadioButton* b) {
            b->SetImages(&marks);
            b->SetChecked(true);
        });
    }
    {
        QWidget* host = NewHost(170, 44);
        auto* b = Make<TElRadioButton>(host, QStringLiteral("Transfer Brigades\r\nto Richmond"), 150, 34);
        b->SetChecked(true);
        radio.Add(host, QStringLiteral("two lines (CR LF)"));
    }
    sheets.push_back(std::move(radio));

    Sheet check(QStringLiteral("check_box"));
    const auto box = [&](const QString& caption, const std::function<void(TElCheckBox*)>& setup,
                         const std::function<void(QWidget*)>& state = nullptr) {
        QWidget* host = NewHost(190, 34);
        auto* b = Make<TElCheckBox>(host, QStringLiteral("Presidential appeal"));
        b->SetAllowGrayed(true);
        if (setup) setup(b);
        check.Add(host, caption, state ? [b, state](QWidget*) { state(b); } : std::function<void(QWidget*)>());
    };
    box(QStringLiteral("unchecked"), nullptr);
    box(QStringLiteral("checked"), [](TElCheckBox* b) { b->SetState(cbChecked); });
    box(QStringLiteral("grayed"), [](TElCheckBox* b) { b->SetState(cbGrayed); });
    box(QStringLiteral("mouse over"), nullptr, [](QWidget* w) { Hover(w); });
    box(QStringLiteral("pressed"), nullptr, [](QWidget* w) { Press(w); });
    box(QStringLiteral("focused"), [](TElCheckBox* b) { b->SetState(cbChecked); }, [](QWidget* w) { Focus(w); });
    box(QStringLiteral("disabled, checked"), [](TElCheckBox* b) {
        b->SetState(cbChecked);
        b->setEnabled(false);
    });
    box(QStringLiteral("flat"), [](TElCheckBox* b) { b->SetFlat(true); });
    box(QStringLiteral("money-flat, checked"), [](TElCheckBox* b) {
        b->SetMoneyFlat(true);
        b->SetState(cbChecked);
    });
    box(QStringLiteral("custom glyphs, grayed"), [](TElCheckBox* b) {
        b->SetGlyph(GlyphStrip());
        b->SetUseCustomGlyphs(true);
        b->SetState(cbGrayed);
    });
    sheets.push_back(std::move(check));
}
