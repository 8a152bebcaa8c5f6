// Placeholders of rules that other areas have not written yet (pending_rules.cpp). They note what
// the turn hands them, so that the turn's own rules around them can be tested. Whoever writes one
// of these rules deletes its placeholder and its entry here.
#pragma once

#include <string>
#include <vector>

namespace kvt {

struct TPlaceholderCalls {
    // One entry per call of a battle replay dialog, in order: "resolution N" or "results N", N
    // being BattleLogLine at the call.
    std::vector<std::string> battleReplays;
};

extern TPlaceholderCalls PlaceholderCalls;

}  // namespace kvt
