// The battle history: the writer and the bounded record reader of the replay.
#include "engine/combat/battle_history.h"

#include <algorithm>
#include <cstdint>

#include "engine/combat/battle_results.h"
#include "engine/combat/battle_setup.h"
#include "engine/combat/battle_state.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {


constexpr const char* kBattleLine = "Battle";
constexpr const char* kEndLine = "EndOfBattle";
constexpr const char* kResultLine = "Result";
constexpr const char* kTurnOverLine = "TurnOver";

// The lines BattleLogLine can reach: a history longer than that is read as if it ended there, so
// the index never wraps back to a record already shown.
std::size_t LogEnd() { return std::min<std::size_t>(BattleLog.size(), 0xFFFF); }

// A hand-over closes the turn's records too: what follows it belongs to the next exchange.
bool EndsRecord(const std::string& line) { return line == kBattleLine || line == kEndLine || line == kTurnOverLine; }

// A reading position inside one record. The record ends at the first "Battle", "EndOfBattle" or
// "TurnOver" line from `from` on, or with the history; past its end every line reads as missing, so
// a cut or edited record never makes the reader run into the next record or past the list.
class RecordCursor {
public:
    RecordCursor(std::size_t at, std::size_t from) : end_(LogEnd()) {
        for (std::size_t i = from; i < end_; ++i)
            if (EndsRecord(BattleLog[i])) {
                end_ = i;
                break;
            }
        at_ = std::min(at, end_);
    }
    const std::string* Line() const { return at_ < end_ ? &BattleLog[at_] : nullptr; }
    void Advance(std::size_t lines = 1) { at_ = std::min(at_ + lines, end_); }
    bool Take(std::optional<std::string>& into) const {
        if (const std::string* line = Line()) into = *line;
        return Line() != nullptr;
    }
    void Leave() const { BattleLogLine = static_cast<std::uint16_t>(at_); }

private:
    std::size_t at_ = 0, end_ = 0;
};

// Ten row entries; false when the record ends inside them (the rows not read stay hidden).
bool ReadRows(RecordCursor& c, std::array<TResultsRow, 11>& rows, const char* marker) {
    for (int r = 1; r <= 10; ++r) {
        const std::string* name = c.Line();
        if (name == nullptr) return false;
        if (*name == marker) {
            c.Advance();
            continue;
        }
        TResultsRow row;
        row.leader = *name;
        for (std::string* cell : {&row.brigades, &row.casualties, &row.disruption}) {
            c.Advance();
            if (c.Line() == nullptr) return false;
            *cell = *c.Line();
        }
        c.Advance();
        row.shown = true;
        rows[r] = row;
    }
    return true;
}

// The lines after "Result", up to the captured-weapons line; stops at the first one missing.
void ReadResultLines(RecordCursor& c, TReplayResultsView& v) {
    c.Advance();
    if (!c.Take(v.initiative)) return;
    c.Advance();
    if (!c.Take(v.intensity)) return;
    c.Advance(2);  // text 505
    if (!c.Take(v.unionLeader)) return;
    c.Advance();
    if (!c.Take(v.unionLosses)) return;
    c.Advance();
    if (!ReadRows(c, v.unionRows, "EndOfUnion")) return;
    c.Advance();  // text 506
    if (!c.Take(v.confederateLeader)) return;
    c.Advance();
    if (!c.Take(v.confederateLosses)) return;
    c.Advance();
    if (!ReadRows(c, v.confederateRows, "EndOfConfed")) return;
    if (!c.Take(v.result)) return;
    c.Advance();
    c.Take(v.weapons);
}

void WriteRows(const std::array<TResultsRow, 11>& rows, const char* marker) {
    for (int r = 1; r <= 10; ++r) {
        const TResultsRow& row = rows[r];
        if (row.leader.empty()) {
            BattleLog.emplace_back(marker);
            continue;
        }
        BattleLog.insert(BattleLog.end(), {row.leader, row.brigades, row.casualties, row.disruption});
    }
}

}  // namespace

bool RecordsBattleHistory() { return GameRec->GameKind > 2; }

void WriteBattleHistoryHeader(const TCombatResolutionView& v) {
    if (!RecordsBattleHistory()) return;
    Bump(GameRec->BattlesThisTurn, 1);
    BattleLog.insert(BattleLog.end(), {kBattleLine, v.place, "Union Forces", v.unionLeader, "Confederate Forces",
                                       v.confederateLeader, v.terrain, v.weather});
}

void WriteBattleHistory(const TBattleResultsView& v) {
    if (!RecordsBattleHistory()) return;
    BattleLog.insert(BattleLog.end(), {kResultLine, v.initiative, v.intensity, Text(505), v.unionLeader, v.unionLosses});
    WriteRows(v.unionRows, "EndOfUnion");
    BattleLog.insert(BattleLog.end(), {Text(506), v.confederateLeader, v.confederateLosses});
    WriteRows(v.confederateRows, "EndOfConfed");
    BattleLog.insert(BattleLog.end(), {v.result, v.weapons, kEndLine});
}

TReplayResolutionView ReadBattleHeader() {
    RecordCursor c(BattleLogLine, static_cast<std::size_t>(BattleLogLine) + 1);
    TReplayResolutionView v;
    for (std::string* label : {&v.place, &v.unionHeading, &v.unionLeader, &v.confederateHeading,
                               &v.confederateLeader, &v.terrain, &v.weather}) {
        c.Advance();
        if (const std::string* line = c.Line()) *label = *line;
    }
    c.Advance();
    c.Leave();
    return v;
}

bool ReadBattleResults(TReplayResultsView& v) {
    RecordCursor c(BattleLogLine, BattleLogLine);
    while (c.Line() != nullptr && *c.Line() != kResultLine) c.Advance();
    const bool found = c.Line() != nullptr;
    if (found) ReadResultLines(c, v);
    c.Leave();
    return found;
}

bool StepPastBattleRecord() {
    const std::size_t end = LogEnd();
    std::size_t i = std::min<std::size_t>(BattleLogLine, end);
    while (i < end && !EndsRecord(BattleLog[i])) ++i;
    if (i < end && BattleLog[i] == kEndLine) ++i;
    BattleLogLine = static_cast<std::uint16_t>(i);
    return i < end && BattleLog[i] != kTurnOverLine;
}

}  // namespace kvt
