// Draws the command buttons, spin buttons and frame styles in every state and saves each as a
// PNG, plus one enlarged sheet per control, into the folder given on the command line.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>
#include <QTest>

#include <functional>
#include <vector>

#include "gui/platform/edges.h"
#include "gui/platform/fonts.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/spin_button.h"
#include "tools/gallery/html_and_backgrounds.h"
#include "tools/gallery/sheet_pages.h"

using namespace kvt::gui;

namespace {

QString gOut;

struct Shot {
    QString name;
    QImage image;
};

void Hover(QWidget* w) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &enter);
}

// A glyph strip of four 16 x 16 pictures (up, disabled, down, latched) on an olive ground.
QImage GlyphStrip() {
    QImage img(64, 16, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 0));
    QPainter p(&img);
    const QColor colours[4] = {QColor(20, 60, 160), QColor(128, 128, 128), QColor(160, 30, 30), QColor(30, 120, 30)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.setPen(Qt::black);
        p.drawEllipse(i * 16 + 2, 2, 11, 11);
        p.fillRect(i * 16 + 6, 6, 4, 4, Qt::white);
    }
    return img;
}

// One control in one state, on a dialog-coloured ground with room round it.
QImage Grab(QWidget* host) { return host->grab().toImage(); }

std::vector<Shot> ButtonShots() {
    std::vector<Shot> shots;
    const auto make = [&](const QString& name, const std::function<void(TElGraphicButton*)>& setup,
                          const std::function<void(TElGraphicButton*)>& act, QSize size = QSize(90, 30)) {
        QWidget host;
        host.setAutoFillBackground(true);
        host.resize(size.width() + 10, size.height() + 10);
        auto* b = new TElGraphicButton(&host);
        b->setGeometry(5, 5, size.width(), size.height());
        b->setFont(MakeFont(QStringLiteral("Times New Roman"), -13));
        b->SetCaption(QStringLiteral("Done"));
        if (setup) setup(b);
        host.show();
        if (act) act(b);
        shots.push_back({name, Grab(&host)});
        if (b->Tracking()) QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    };
    const auto press = [](TElGraphicButton* b) { QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8)); };
    const auto disable = [](TElGraphicButton* b) { b->setEnabled(false); };
    make(QStringLiteral("button_normal"), nullptr, nullptr);
    make(QStringLiteral("button_hot"), nullptr, Hover);
    make(QStringLiteral("button_down"), nullptr, press);
    make(QStringLiteral("button_disabled"), nullptr, disable);
    make(QStringLiteral("button_latched"), [](TElGraphicButton* b) { b->SetGroupIndex(1); },
         [](TElGraphicButton* b) { b->SetDown(true); });
    make(QStringLiteral("button_ok_caption"), [](TElGraphicButton* b) { b->SetCaption(QStringLiteral("OK")); }, nullptr);
    make(QStringLiteral("button_two_lines"),
         [](TElGraphicButton* b) { b->SetCaption(QStringLiteral("View\r\nBrigades")); }, nullptr, QSize(90, 40));
    make(QStringLiteral("button_ellipsis"),
         [](TElGraphicButton* b) { b->SetCaption(QStringLiteral("Temp Remove from command")); }, nullptr);
    make(QStringLiteral("button_flat_normal"), [](TElGraphicButton* b) { b->SetFlat(true); }, nullptr);
    make(QStringLiteral("button_flat_hot"), [](TElGraphicButton* b) { b->SetFlat(true); }, Hover);
    make(QStringLiteral("button_flat_down"), [](TElGraphicButton* b) { b->SetFlat(true); }, press);
    make(QStringLiteral("button_moneyflat_normal"),
         [](TElGraphicButton* b) {
             b->SetMoneyFlat(true);
             b->SetMoneyFlatInactiveColor(clBtnShadow);
             b->SetMoneyFlatActiveColor(clNavy);
             b->SetMoneyFlatDownColor(clBlack);
         },
         nullptr);
    make(QStringLiteral("button_moneyflat_hot"),
         [](TElGraphicButton* b) {
             b->SetMoneyFlat(true);
             b->SetMoneyFlatActiveColor(clNavy);
         },
         Hover);
    make(QStringLiteral("button_moneyflat_arrow"),
         [](TElGraphicButton* b) {
             b->SetMoneyFlat(true);
             b->SetMoneyFlatInactiveColor(clNavy);
             b->SetUseArrow(true);
         },
         nullptr);
    make(QStringLiteral("button_custom_shadows"),
         [](TElGraphicButton* b) {
             b->SetShadowsUseCustom(true);
             b->SetShadowBtnHighlight(RGBColor(255, 240, 200));
             b->SetShadowBtnShadow(RGBColor(150, 90, 40));
             b->SetShadowBtnDkShadow(RGBColor(90, 40, 10));
         },
         Hover);
    make(QStringLiteral("button_arrow"), [](TElGraphicButton* b) { b->SetUseArrow(true); }, nullptr);
    // Held on its arrow part (no menu to open), the arrow's frame alone goes in.
    make(QStringLiteral("button_arrow_held"), [](TElGraphicButton* b) { b->SetUseArrow(true); },
         [](TElGraphicButton* b) { QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(b->width() - 5, 15)); });
    make(QStringLiteral("button_arrow_disabled"), [](TElGraphicButton* b) { b->SetUseArrow(true); }, disable);
    make(QStringLiteral("button_coloured"), [](TElGraphicButton* b) { b->SetColor(RGBColor(150, 110, 70)); }, nullptr);
    make(QStringLiteral("button_raised_text"), [](TElGraphicButton* b) { b->SetTextDrawType(tdtRaised); }, nullptr);
    make(QStringLiteral("button_shadowed_text"), [](TElGraphicButton* b) { b->SetTextDrawType(tdtShadowed); }, nullptr);
    const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
    const char* layoutNames[] = {"left", "right", "top", "bottom"};
    for (int i = 0; i < 4; ++i) {
        const TButtonLayout l = layouts[i];
        const QSize size = (l == blGlyphTop || l == blGlyphBottom) ? QSize(90, 46) : QSize(90, 30);
        const auto setup = [l](TElGraphicButton* b) {
            b->SetGlyph(GlyphStrip());
            b->SetLayout(l);
        };
        make(QStringLiteral("button_glyph_%1").arg(QLatin1String(layoutNames[i])), setup, nullptr, size);
        make(QStringLiteral("button_glyph_%1_down").arg(QLatin1String(layoutNames[i])), setup, press, size);
        make(QStringLiteral("button_glyph_%1_disabled").arg(QLatin1String(layoutNames[i])), setup, disable, size);
    }
    make(QStringLiteral("button_glyph_latched"),
         [](TElGraphicButton* b) {
             b->SetGlyph(GlyphStrip());
             b->SetGroupIndex(1);
         },
         [](TElGraphicButton* b) { b->SetDown(true); });
    make(QStringLiteral("button_glyph_only"),
         [](TElGraphicButton* b) {
             b->SetGlyph(GlyphStrip());
             b->SetShowText(false);
         },
         nullptr, QSize(26, 26));
    QImage single = GlyphStrip().copy(0, 0, 16, 16);
    make(QStringLiteral("button_one_picture_disabled"), [single](TElGraphicButton* b) { b->SetGlyph(single); }, disable);
    return shots;
}

std::vector<Shot> SpinShots() {
    std::vector<Shot> shots;
    const auto make = [&](const QString& name, const std::function<void(TElSpinButton*)>& setup,
                          const std::function<void(TElSpinButton*)>& act, QSize size = QSize(16, 16)) {
        QWidget host;
        host.setAutoFillBackground(true);
        host.resize(size.width() + 8, size.height() + 8);
        auto* s = new TElSpinButton(&host);
        s->setGeometry(4, 4, size.width(), size.height());
        if (setup) setup(s);
        host.show();
        if (act) act(s);
        shots.push_back({name, Grab(&host)});
        QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    };
    make(QStringLiteral("spin_normal"), nullptr, nullptr);
    make(QStringLiteral("spin_up_pressed"), nullptr,
         [](TElSpinButton* s) { QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3)); });
    make(QStringLiteral("spin_down_pressed"), nullptr,
         [](TElSpinButton* s) { QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, QPoint(8, 13)); });
    make(QStringLiteral("spin_hot"), nullptr, [](TElSpinButton* s) { QTest::mouseMove(s, QPoint(8, 3)); });
    make(QStringLiteral("spin_disabled"), nullptr, [](TElSpinButton* s) { s->setEnabled(false); });
    make(QStringLiteral("spin_focused"), nullptr, [](TElSpinButton* s) { s->setFocus(); });
    make(QStringLiteral("spin_flat"), [](TElSpinButton* s) { s->SetFlat(true); }, nullptr);
    make(QStringLiteral("spin_moneyflat"),
         [](TElSpinButton* s) {
             s->SetMoneyFlat(true);
             s->SetMoneyFlatInactiveColor(clBtnShadow);
         },
         nullptr);
    make(QStringLiteral("spin_moneyflat_pressed"), [](TElSpinButton* s) { s->SetMoneyFlat(true); },
         [](TElSpinButton* s) { QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, QPoint(8, 13)); });
    make(QStringLiteral("spin_left_right"),
         [](TElSpinButton* s) {
             s->SetButtonType(sbtLeftRight);
             s->SetButtonDirection(sbdLeftRight);
         },
         nullptr, QSize(24, 16));
    make(QStringLiteral("spin_tall"), nullptr, nullptr, QSize(16, 24));
    // A colour of its own shows in the row between the parts.
    make(QStringLiteral("spin_own_colour"), [](TElSpinButton* s) { s->SetColor(clWindow); }, nullptr);
    return shots;
}

std::vector<Shot> FrameShots() {
    std::vector<Shot> shots;
    const char* names[] = {"flat",        "sunken",    "sunken_inner", "sunken_outer", "raised",
                           "raised_inner", "raised_outer", "bump",       "big_bump",     "etched",
                           "framed",      "line",      "line_border",  "none",         "color_line_border"};
    for (int t = 0; t <= fbtColorLineBorder; ++t) {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(ToQColor(clBtnFace));
        QPainter p(&img);
        DrawButtonFrame(p, QRect(5, 5, 30, 20), clWindow, static_cast<TElFlatBorderType>(t), kAllBorderSides, clNavy);
        shots.push_back({QStringLiteral("frame_%1").arg(QLatin1String(names[t])), img});
    }
    QImage arrows(70, 20, QImage::Format_RGB32);
    arrows.fill(ToQColor(clBtnFace));
    {
        QPainter p(&arrows);
        for (int d = 0; d < 4; ++d) DrawArrow(p, d, QRect(d * 14 + 2, 3, 13, 13), true, clBtnText);
        DrawArrow(p, 3, QRect(58, 3, 11, 13), false, clBtnText);
    }
    shots.push_back({QStringLiteral("arrows"), arrows});
    QImage gradient(120, 20, QImage::Format_RGB32);
    {
        QPainter p(&gradient);
        GradientFillRect(p, gradient.rect(), clNavy, clSilver, 16, false);
    }
    shots.push_back({QStringLiteral("gradient"), gradient});
    QImage marks(70, 20, QImage::Format_RGB32);
    marks.fill(ToQColor(clBtnFace));
    {
        QPainter p(&marks);
        DrawFrameControl(p, QRect(2, 3, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK);
        DrawFrameControl(p, QRect(18, 3, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        DrawFrameControl(p, QRect(34, 3, 13, 13), DFC_BUTTON, DFCS_BUTTONRADIO);
        DrawFrameControl(p, QRect(50, 3, 13, 13), DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    }
    shots.push_back({QStringLiteral("marks"), marks});
    return shots;
}

// Every shot in a grid, enlarged three times with their names beneath, for looking at.
void SaveSheet(const QString& name, const std::vector<Shot>& shots, int columns) {
    const int scale = 3;
    int cellW = 0, cellH = 0;
    for (const Shot& s : shots) {
        cellW = std::max(cellW, s.image.width() * scale);
        cellH = std::max(cellH, s.image.height() * scale);
    }
    cellW = std::max(cellW, 180);
    cellH += 18;
    const int rows = static_cast<int>((shots.size() + columns - 1) / columns);
    QImage sheet(columns * (cellW + 8), rows * (cellH + 8), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(MakeFont(QStringLiteral("Arial"), -11));
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const int x = static_cast<int>(i % columns) * (cellW + 8) + 4;
        const int y = static_cast<int>(i / columns) * (cellH + 8) + 4;
        const QImage big = shots[i].image.scaled(shots[i].image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        p.drawImage(x, y, big);
        p.setPen(Qt::black);
        p.drawText(QRect(x, y + cellH - 16, cellW, 16), Qt::AlignLeft, shots[i].name);
    }
    sheet.save(gOut + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    InstallPlatformLook(app);
    gOut = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    QDir().mkpath(gOut);
    const std::vector<Shot> buttons = ButtonShots(), spins = SpinShots(), frames = FrameShots();
    for (const auto* group : {&buttons, &spins, &frames})
        for (const Shot& s : *group)
            if (!s.image.save(gOut + QLatin1Char('/') + s.name + QStringLiteral(".png"))) return 1;
    SaveSheet(QStringLiteral("sheet_buttons"), buttons, 4);
    SaveSheet(QStringLiteral("sheet_spin_buttons"), spins, 6);
    SaveSheet(QStringLiteral("sheet_frames"), frames, 6);
    for (const auto& [name, image] : kvt::gallery::HtmlAndBackgroundShots())
        if (!image.save(gOut + QLatin1Char('/') + name + QStringLiteral(".png"))) return 1;
    if (!kvt::gallery::SaveRegisteredPages(gOut)) return 1;
    return 0;
}
