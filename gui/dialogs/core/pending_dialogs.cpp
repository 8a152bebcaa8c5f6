// Small dialogs not written yet: plain stand-ins for the notices, the about box, the movement delay,
// the scenario and side choices and the end of the game, so the game can be played meanwhile.
// Each writes back what its real dialog will; the real dialogs replace this file.
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/core/main_menu.h"
#include "engine/core/notice.h"
#include "engine/core/text_table.h"
#include "gui/dialogs/core/about_box.h"
#include "gui/dialogs/core/delay_dialog.h"
#include "gui/dialogs/core/notice_dialogs.h"
#include "gui/dialogs/core/post_mortem_dialog.h"
#include "gui/dialogs/core/scenario_choice.h"
#include "gui/dialogs/core/side_choice_dialog.h"
#include "gui/platform/form.h"

namespace kvt::gui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* AddButton(TForm& form, QVBoxLayout& layout, const QString& caption, int result,
                       std::function<void()> onClick = {}) {
    auto* b = new QPushButton(caption, &form);
    QObject::connect(b, &QPushButton::clicked, &form, [&form, result, onClick] {
        if (onClick) onClick();
        form.SetModalResult(result);
    });
    layout.addWidget(b);
    return b;
}

}  // namespace

void ShowNoticeDialog(int kind) {
    TForm form;
    form.setWindowTitle(QStringLiteral("Notice"));
    auto* layout = new QVBoxLayout(&form);
    for (int n = 1; n <= 4; ++n) layout->addWidget(new QLabel(Q(EventNotice.Line(n).str()), &form));
    if (kind == 25) {
        for (int k = 1; k <= 5; ++k) {
            const bool offered = NoticeChoices[k].Offered != 0;
            if (k > 1 && !offered) continue;
            const QString caption = offered ? Q(NoticeChoices[k].Caption.str()) : Q(Text(477));
            AddButton(form, *layout, caption, mrOk, [k] { EventNotice.Answer = static_cast<std::uint16_t>(k); });
        }
        form.ShowModal();
        return;
    }
    QRadioButton* radios[7] = {};
    if (NoticeKindOffersChoices(kind))
        for (int k = 1; k <= 6; ++k) {
            if (!NoticeChoices[k].Offered) continue;
            radios[k] = new QRadioButton(Q(NoticeChoices[k].Caption.str()), &form);
            radios[k]->setChecked(k == 1);
            layout->addWidget(radios[k]);
        }
    AddButton(form, *layout, QStringLiteral("OK"), mrOk);
    form.ShowModal();
    for (int k = 1; k <= 6; ++k)
        if (radios[k] && radios[k]->isChecked()) EventNotice.Answer = static_cast<std::uint16_t>(k);
}

void ShowAbout() {
    TForm form;
    form.setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel(QStringLiteral("Drennovar III"), &form));
    layout->addWidget(new QLabel(QStringLiteral("v2.5"), &form));
    AddButton(form, *layout, Q(Text(477)), mrOk);
    form.ShowModal();
}

void ShowDelayDialog() {
    TForm form;
    form.setWindowTitle(Q(Text(398)));
    auto* layout = new QVBoxLayout(&form);
    const int texts[] = {399, 400, 401, 409, 410};
    for (int b = 1; b <= 5; ++b) AddButton(form, *layout, Q(Text(texts[b - 1])), mrOk, [b] { SetMovementDelay(b); });
    form.ShowModal();
}

void ShowScenarioChoice() {
    TForm form;
    form.setWindowTitle(Q(Text(612)));
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel(Q(Text(607)), &form));
    EventNotice.Answer = 0;
    for (int k = 1; k <= 4; ++k) {
        auto* r = new QRadioButton(Q(Text(607 + k)), &form);
        QObject::connect(r, &QRadioButton::clicked, [k] { EventNotice.Answer = static_cast<std::uint16_t>(k); });
        layout->addWidget(r);
    }
    AddButton(form, *layout, QStringLiteral("Continue"), mrOk);
    form.ShowModal();
}

int ShowSideChoiceDialog(bool unionEnabled, bool confederacyEnabled) {
    TForm form;
    form.setWindowTitle(Q(Text(397)));
    auto* layout = new QVBoxLayout(&form);
    int side = 0;
    AddButton(form, *layout, QStringLiteral("Union"), mrOk, [&side] { side = 1; })->setEnabled(unionEnabled);
    AddButton(form, *layout, QStringLiteral("Confederacy"), mrOk, [&side] { side = 2; })->setEnabled(confederacyEnabled);
    form.ShowModal();
    return side;
}

PostMortemChoice ShowPostMortemDialog(const TPostMortem& t) {
    TForm form;
    form.setWindowTitle(QStringLiteral("Post_Mortem"));
    auto* layout = new QVBoxLayout(&form);
    for (std::size_t row = 0; row < t.rowTitles.size(); ++row)
        layout->addWidget(new QLabel(Q(t.rowTitles[row]) + QStringLiteral(": %1 / %2").arg(t.unionValues[row]).arg(t.confederateValues[row]), &form));
    for (const std::string& line : {t.territorialCaption + " " + t.territorialVerdict, t.militaryCaption + " " + t.militaryVerdict, t.capitalLine})
        layout->addWidget(new QLabel(Q(line), &form));
    bool continued = false;
    AddButton(form, *layout, QStringLiteral("Continue"), mrOk, [&continued] { continued = true; });
    AddButton(form, *layout, QStringLiteral("End Game"), mrOk);
    form.ShowModal();
    return continued ? PostMortemChoice::Continue : PostMortemChoice::EndGame;
}

}  // namespace kvt::gui
