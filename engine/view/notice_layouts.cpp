// The notice dialogs' table: layout, caption, button text and cursor of every kind.
#include "engine/view/notice_layouts.h"

#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kContinueText = 477;

struct Row {
    int kind;
    TNoticeDialogLook look;
};

constexpr bool kHourglass = true;
constexpr bool kNormal = false;
constexpr int kLayoutOk = 0;

const Row kRows[] = {
    {0, {NoticeLayout::Choice, 0, kLayoutOk, kNormal}},
    {3, {NoticeLayout::Choice, 531, 66, kHourglass}},
    {4, {NoticeLayout::Plain, 43, 66, kNormal}},
    {6, {NoticeLayout::Plain, 656, 66, kHourglass}},
    {7, {NoticeLayout::Plain, 600, kLayoutOk, kHourglass}},
    {9, {NoticeLayout::Plain, 729, kLayoutOk, kHourglass}},
    {10, {NoticeLayout::Plain, 606, kLayoutOk, kNormal}},
    {11, {NoticeLayout::PlainTenLabels, 351, 66, kNormal}},
    {14, {NoticeLayout::Choice, 42, 66, kHourglass}},
    {15, {NoticeLayout::Plain, 44, 66, kNormal}},
    {17, {NoticeLayout::Choice, 592, kLayoutOk, kHourglass}},
    {18, {NoticeLayout::Plain, 45, 66, kNormal}},
    {19, {NoticeLayout::Plain, 238, 66, kNormal}},
    {20, {NoticeLayout::Plain, 481, 66, kHourglass}},
    {21, {NoticeLayout::Plain, 578, 66, kHourglass}},
    {22, {NoticeLayout::Choice, 482, 66, kHourglass}},
    {23, {NoticeLayout::Choice, 599, kLayoutOk, kHourglass}},
    {24, {NoticeLayout::Plain, 604, kLayoutOk, kNormal}},
    {25, {NoticeLayout::Buttons, 603, 0, kHourglass}},
};

}  // namespace

TNoticeDialogLook NoticeLayoutOf(int kind) {
    for (const Row& r : kRows)
        if (r.kind == kind) return r.look;
    return {};
}

std::array<TNoticeButton, 6> ForeignAffairsButtons() {
    std::array<TNoticeButton, 6> buttons;
    buttons[1].shown = true;
    buttons[1].caption = NoticeChoices[1].Offered ? NoticeChoices[1].Caption.str() : Text(kContinueText);
    // Choice 6 has no button of its own.
    for (int k = 2; k <= 5; ++k) {
        if (!NoticeChoices[k].Offered) continue;
        buttons[k].shown = true;
        buttons[k].caption = NoticeChoices[k].Caption.str();
    }
    return buttons;
}

}  // namespace kvt
