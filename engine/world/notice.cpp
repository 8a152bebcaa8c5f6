// The event-notice dispatcher: stops the movement timer, lets the frontend show the dialog of the
// kind, and restores the timer as it was. Never waits itself.
#include "engine/world/notice.h"

#include "engine/world/frontend.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {
constexpr int kForeignAffairsNotice = 25;
}  // namespace

TEventNotice EventNotice;
Arr1<TNoticeChoice, 6> NoticeChoices = {};

PString<kNoticeLineLength>& TEventNotice::Line(int n) {
    if (n >= 1 && n <= 4) return Lines[n];
    Lines[0] = std::string_view{};
    return Lines[0];
}

bool NoticeKindHasDialog(int kind) {
    switch (kind) {
        case 0: case 3: case 4: case 6: case 7: case 9: case 10: case 11: case 14: case 15:
        case 17: case 18: case 19: case 20: case 21: case 22: case 23: case 24: case 25:
            return true;
        default:
            return false;
    }
}

void ClearEventNotice() {
    EventNotice.Kind = 0;
    EventNotice.Answer = 0;
    for (int n = 1; n <= 4; ++n) EventNotice.Lines[n] = std::string_view{};
    for (int k = 1; k <= 6; ++k) {
        NoticeChoices[k].Offered = 0;
        NoticeChoices[k].Spare = 0;
    }
}

void OfferChoice(int k, std::string_view caption) {
    if (k < 1 || k > 6) return;
    NoticeChoices[k].Offered = 1;
    NoticeChoices[k].Caption = caption;
}

int FirstOfferedChoice() {
    for (int k = 1; k <= 6; ++k)
        if (NoticeChoices[k].Offered) return k;
    return 0;
}

bool NoticeKindOffersChoices(int kind) {
    switch (kind) {
        case 0: case 3: case 14: case 17: case 22: case 23:
            return true;
        default:
            return false;
    }
}

void AnswerNoticeUntouched(int kind) {
    if (kind == kForeignAffairsNotice) {
        EventNotice.Answer = 1;
        return;
    }
    if (NoticeKindOffersChoices(kind) && FirstOfferedChoice() != 0)
        EventNotice.Answer = static_cast<std::uint16_t>(FirstOfferedChoice());
}

void ShowEventNotice() {
    const bool wasRunning = Timer1Enabled();
    SetTimer1Enabled(false);
    // The first offered choice starts selected, so a question closed untouched is answered with a
    // choice that was offered, not with 0.
    if (NoticeKindOffersChoices(EventNotice.Kind) && FirstOfferedChoice() != 0)
        EventNotice.Answer = static_cast<std::uint16_t>(FirstOfferedChoice());
    if (NoticeKindHasDialog(EventNotice.Kind)) CurrentFrontend().ShowNotice(EventNotice.Kind);
    if (wasRunning) SetTimer1Enabled(true);
}

void RaiseEventNotice(int kind, std::string_view line1, std::string_view line2, std::string_view line3,
                      std::string_view line4) {
    ClearEventNotice();
    EventNotice.Kind = static_cast<std::uint16_t>(kind);
    EventNotice.SetLine(1, line1);
    EventNotice.SetLine(2, line2);
    EventNotice.SetLine(3, line3);
    EventNotice.SetLine(4, line4);
    ShowEventNotice();
}

void ResetEventNotice() {
    EventNotice = TEventNotice{};
    for (int k = 1; k <= 6; ++k) NoticeChoices[k] = TNoticeChoice{};
}

}  // namespace kvt
