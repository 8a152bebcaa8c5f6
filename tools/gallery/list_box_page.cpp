// Gallery sheets of the list box and the scroll-bar styles.
#include <QPainter>

#include "gui/platform/fonts.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/scroll_bar_styles.h"
#include "tools/gallery/sheet_pages.h"
#include "tools/gallery/gallery_states.h"

using namespace kvt::gui;
using namespace kvt::gallery;

namespace {

const QStringList kCities = {QStringLiteral("Richmond,VA, 12"),   QStringLiteral("Petersburg,VA, 4"),
                             QStringLiteral("Lynchburg,VA, 3"),  QStringLiteral("Norfolk,VA, 6"),
                             QStringLiteral("Fredericksburg,VA, 2"), QStringLiteral("Charlottesville,VA, 1"),
                             QStringLiteral("Winchester,VA, 2"), QStringLiteral("Staunton,VA, 1"),
                             QStringLiteral("Danville,VA, 1"),   QStringLiteral("Alexandria,VA, 0")};

// A list as the game's layouts set theirs: Times New Roman, bold selected font, black frame colours.
TElAdvancedListBox* GameList(QWidget* host, const QRect& geometry) {
    auto* list = new TElAdvancedListBox(host);
    list->setGeometry(geometry);
    list->setFont(MakeFont(QStringLiteral("Times New Roman"), -13));
    list->SetSelectedFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    list->SetLineBorderActiveColor(clBlack);
    list->SetLineBorderInactiveColor(clBlack);
    list->SetItems(kCities);
    return list;
}

QImage Tile() {
    QImage tile(20, 20, QImage::Format_RGB32);
    tile.fill(QColor(236, 232, 214));
    QPainter p(&tile);
    p.setPen(QColor(214, 206, 180));
    p.drawLine(0, 19, 19, 0);
    return tile;
}

}  // namespace

KVT_GALLERY_PAGE(list_box) {
    Sheet sheet(QStringLiteral("list_box"));
    const auto cell = [&](const QString& caption, const std::function<void(TElAdvancedListBox*)>& setup,
                          const std::function<void(TElAdvancedListBox*)>& state = nullptr, bool picture = true,
                          QSize size = QSize(160, 110)) {
        QWidget* host = picture ? NewPictureHost(size.width() + 16, size.height() + 16)
                                : NewHost(size.width() + 16, size.height() + 16);
        auto* list = GameList(host, QRect(QPoint(8, 8), size));
        list->SetTransparent(picture);
        if (setup) setup(list);
        sheet.Add(host, caption,
                  state ? [list, state](QWidget*) { state(list); } : std::function<void(QWidget*)>());
    };
    cell(QStringLiteral("game look: transparent, row 2 chosen"), [](TElAdvancedListBox* l) { l->SetItemIndex(2); });
    cell(QStringLiteral("focused"), [](TElAdvancedListBox* l) { l->SetItemIndex(2); },
         [](TElAdvancedListBox* l) { Focus(l); });
    // Short enough that row 4 can be the top row: five rows show, so the last top is row 5.
    cell(QStringLiteral("scrolled to row 4, row 6 chosen"), [](TElAdvancedListBox* l) {
        l->SetItemIndex(6);
        l->SetTopIndex(4);
    }, nullptr, true, QSize(160, 80));
    cell(QStringLiteral("empty, transparent"), [](TElAdvancedListBox* l) { l->Items().Clear(); });
    cell(QStringLiteral("opaque window colour"), [](TElAdvancedListBox* l) { l->SetItemIndex(0); }, nullptr, false);
    cell(QStringLiteral("multi-selection: rows 1, 3, 4"), [](TElAdvancedListBox* l) {
        l->SetMultiSelect(true);
        for (int i : {1, 3, 4}) l->SetSelected(i, true);
    });
    cell(QStringLiteral("two columns"), [](TElAdvancedListBox* l) {
        l->SetColumns(2);
        l->SetItemIndex(7);
    }, nullptr, true, QSize(220, 80));
    cell(QStringLiteral("disabled"), [](TElAdvancedListBox* l) {
        l->SetItemIndex(1);
        l->setEnabled(false);
    });
    cell(QStringLiteral("inverted selection"), [](TElAdvancedListBox* l) {
        l->SetInvertSelection(true);
        l->SetItemIndex(1);
    });
    cell(QStringLiteral("transparent selection"), [](TElAdvancedListBox* l) {
        l->SetTransparentSelection(true);
        l->SetItemIndex(1);
    });
    cell(QStringLiteral("tiled background"), [](TElAdvancedListBox* l) {
        l->SetBackground(Tile());
        l->SetUseBackground(true);
        l->SetItemIndex(3);
    }, nullptr, false);
    cell(QStringLiteral("flat frame, flat scroll bar"), [](TElAdvancedListBox* l) {
        l->SetFlat(true);
        l->SetItemIndex(0);
    }, nullptr, false);
    cell(QStringLiteral("left and top sides left out"), [](TElAdvancedListBox* l) {
        l->SetBorderSides(ebsRight | ebsBottom);
        l->SetItemIndex(0);
    }, nullptr, false);
    cell(QStringLiteral("horizontal extent"), [](TElAdvancedListBox* l) {
        l->SetHorizontalScroll(true);
        l->Items().Add(QStringLiteral("Harpers Ferry arsenal and the Shenandoah approaches"));
        l->SetItemIndex(10);
    }, nullptr, false);
    cell(QStringLiteral("owner-drawn, heights 14 to 30"), [](TElAdvancedListBox* l) {
        l->SetStyle(lbOwnerDrawVariable);
        QObject::connect(l, &TElAdvancedListBox::OnMeasureItem, l,
                         [](TElAdvancedListBox*, int index, int* height) { *height = 14 + (index % 3) * 8; });
        QObject::connect(l, &TElAdvancedListBox::OnDrawItem, l,
                         [](TElAdvancedListBox* list, int index, QRect rect, int state) {
                             QPainter* c = list->Canvas();
                             c->fillRect(rect, (state & odSelected) ? QColor(40, 60, 120) : QColor(250, 246, 230));
                             c->setPen((state & odSelected) ? Qt::white : Qt::black);
                             c->drawText(rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter, list->Items()[index]);
                         });
        l->SetItemIndex(1);
    }, nullptr, false);
    {
        QWidget* host = NewHost(260, 80);
        auto* list = GameList(host, QRect(8, 8, 120, 64));
        list->SetShowLineHint(true);
        list->Items().Insert(0, QStringLiteral("Fredericksburg and Spotsylvania Court House"));
        sheet.Add(host, QStringLiteral("line hint over a cut-off row"), [list](QWidget*) {
            const QRect row = list->ItemRect(0);
            const QPoint at = row.center();
            Hover(list, at);
            list->HintTick(at);
            if (auto* w = list->HintWindow()) {
                // The hint is a window of its own: it joins the cell's window to be pictured.
                w->setParent(list->window(), Qt::Widget);
                w->move(list->mapTo(list->window(), QPoint(row.left() - 1, row.top() - 1)));
                w->show();
            }
        });
    }
    sheets.push_back(std::move(sheet));

    Sheet bars(QStringLiteral("scroll_bar"), 2);
    const auto bar = [&](const QString& caption, const std::function<void(TElScrollBar*, TElScrollBarStyles&)>& setup) {
        QWidget* host = NewHost(236, 36);
        auto* b = new TElScrollBar(host);
        b->setGeometry(8, 10, 220, 16);
        b->SetRange(0, 99);
        b->SetPage(20);
        b->SetPosition(40);
        TElScrollBarStyles styles(b);
        if (setup) setup(b, styles);
        bars.Add(host, caption);
    };
    bar(QStringLiteral("page 20 of 100, at 40"), nullptr);
    bar(QStringLiteral("secondary buttons"), [](TElScrollBar*, TElScrollBarStyles& s) { s.SetSecondaryButtons(true); });
    bar(QStringLiteral("no left arrows, at the end"), [](TElScrollBar* b, TElScrollBarStyles& s) {
        s.SetShowLeftArrows(false);
        b->SetPosition(99);
    });
    bar(QStringLiteral("fixed thumb, thin frames, no bars"), [](TElScrollBar*, TElScrollBarStyles& s) {
        s.SetThumbMode(etmFixed);
        s.SetThinFrames(true);
        s.SetDrawBars(false);
    });
    bar(QStringLiteral("page covers the range"), [](TElScrollBar* b, TElScrollBarStyles&) { b->SetPage(100); });
    bar(QStringLiteral("no frames, own colours"), [](TElScrollBar*, TElScrollBarStyles& s) {
        s.SetDrawFrames(false);
        s.SetSystemBkColor(false);
        s.SetColor(clSilver);
        s.SetArrowColor(clNavy);
    });
    {
        QWidget* host = NewHost(60, 130);
        auto* b = new TElScrollBar(host);
        b->SetKind(sbVertical);
        b->setGeometry(20, 6, 16, 118);
        b->SetRange(0, 9);
        b->SetPage(3);
        b->SetPosition(2);
        bars.Add(host, QStringLiteral("vertical"));
    }
    sheets.push_back(std::move(bars));
}
