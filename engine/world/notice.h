// The one global notice that any step fills to tell the player something or ask a question.
// Raisers clear it, fill it, call ShowEventNotice and read the answer at once.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/world/record_types.h"

namespace kvt {

constexpr int kNoticeLineLength = 40;
constexpr int kChoiceCaptionLength = 23;

struct TEventNotice {
    std::uint16_t Kind = 0;
    std::uint16_t Answer = 0;
    PString<kNoticeLineLength> Lines[5] = {};  // lines 1..4; [0] unused

    PString<kNoticeLineLength>& Line(int n);
    void SetLine(int n, std::string_view text) { Line(n) = text; }
};

struct TNoticeChoice {
    std::uint8_t Offered = 0;
    std::uint8_t Spare = 0;
    PString<kChoiceCaptionLength> Caption = {};
};

extern TEventNotice EventNotice;
extern Arr1<TNoticeChoice, 6> NoticeChoices;

// Kinds that have a dialog; any other kind shows nothing.
bool NoticeKindHasDialog(int kind);

// Kinds whose dialog shows the offered choices as radio buttons.
bool NoticeKindOffersChoices(int kind);

void ClearEventNotice();
// Offers choice k (1..6) with the caption.
void OfferChoice(int k, std::string_view caption);
// The first offered choice, 0 when none.
int FirstOfferedChoice();
// Shows the notice through the frontend, pausing the movement timer around it.
void ShowEventNotice();
// The answer a dialog of this kind leaves when the person only presses its first button: the
// pre-checked first offered choice where choices are radio buttons, 1 for the foreign-affairs
// notice (its first button is always shown); a dialog without choices writes no answer.
void AnswerNoticeUntouched(int kind);
// The whole calling order for a notice without choices: clear, fill the kind and lines, show.
void RaiseEventNotice(int kind, std::string_view line1, std::string_view line2 = {},
                      std::string_view line3 = {}, std::string_view line4 = {});

// Clears the notice and the choices' captions too (fresh program state).
void ResetEventNotice();

}  // namespace kvt
