// Date arithmetic and the date text of the status panel.
#include "engine/world/calendar.h"

#include "engine/world/globals.h"

namespace kvt {

std::string MonthName(int month) {
    static const char* const names[] = {"Jan ", "Feb ", "Mar ", "Apr ", "May ", "June ",
                                        "July ", "Aug ", "Sept ", "Oct ", "Nov ", "Dec "};
    if (month < 1 || month > 12) return {};
    return names[month - 1];
}

void AdvanceDate() {
    TGameRec& g = *GameRec;
    g.Day = static_cast<U8>(g.Day + 10);
    if (g.Day > 21) {
        g.Day = 1;
        g.Month += 1;
        if (g.Month > 12) {
            g.Month = 1;
            g.Year += 1;
        }
    }
}

std::string DateText() {
    const TGameRec& g = *GameRec;
    return MonthName(g.Month) + std::to_string(g.Day) + " " + std::to_string(g.Year);
}

}  // namespace kvt
