// Storage of the shared globals and the reset of the world's own.
#include "engine/world/globals.h"
#include "engine/world/stocks.h"

#include <cstring>

#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/notice.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

namespace {
TGameRec gameRecStorage;
TMapGrid mapGridStorage;
bool timer1 = false;
constexpr int kDefaultTimer1Interval = 1000;
int timer1Interval = kDefaultTimer1Interval;
}  // namespace

TGameRec* GameRec = &gameRecStorage;
TMapGrid* MapGrid = &mapGridStorage;

std::uint16_t GameStatus = 0;
std::uint16_t SidePlayed = 0;
std::uint16_t SelectedCorps = 0;
std::uint16_t SelectedFleet = 0;
std::uint16_t SelectedArmy = 0;
std::uint16_t SelectedCity = 0;
std::uint16_t SelectedLeader = 0;
std::uint16_t ViewColumn = 1;
std::uint16_t ViewRow = 1;
bool HexGridShown = false;
bool FleetMovesShown = true;
std::string GameFileBase;
std::vector<std::string> BattleLog;
std::uint16_t BattleLogLine = 0;
std::uint8_t FleetPassDue = 0;
std::uint8_t MovementEnded = 0;
int TurnProgressGauge = 0;
bool MailTurnExecuted = false;
std::string MailHistoryMissing;
bool MailTurnHandedOver = false;

void SetTurnProgressGauge(int value) {
    TurnProgressGauge = value;
    CurrentFrontend().ShowTurnProgress(value);
}

bool Timer1Enabled() { return timer1; }

void SetTimer1Enabled(bool on) {
    if (timer1 == on) return;
    timer1 = on;
    CurrentFrontend().Timer1Changed(on);
}

int Timer1Interval() { return timer1Interval; }

void SetTimer1Interval(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (timer1Interval == milliseconds) return;
    timer1Interval = milliseconds;
    CurrentFrontend().Timer1IntervalChanged(milliseconds);
}

void ClearSelections() {
    SelectedCorps = SelectedFleet = SelectedArmy = SelectedCity = SelectedLeader = 0;
}

void ClampView() {
    int c = ViewColumn, r = ViewRow;
    if (c % 2 == 0) --c;
    if (c < 1) c = 1;
    if (c > kLastViewColumn) c = kLastViewColumn;
    if (r < 1) r = 1;
    if (r > kLastViewRow) r = kLastViewRow;
    ViewColumn = static_cast<std::uint16_t>(c);
    ViewRow = static_cast<std::uint16_t>(r);
}

void ResetWorldGlobals() {
    std::memset(static_cast<void*>(GameRec), 0, sizeof(TGameRec));
    std::memset(static_cast<void*>(MapGrid), 0, sizeof(TMapGrid));
    GameStatus = 0;
    SidePlayed = 0;
    ClearSelections();
    ViewColumn = 1;
    ViewRow = 1;
    HexGridShown = false;
    FleetMovesShown = true;
    GameFileBase.clear();
    BattleLog.clear();
    BattleLogLine = 0;
    FleetPassDue = 0;
    MovementEnded = 0;
    TurnProgressGauge = 0;
    MailTurnExecuted = false;
    MailHistoryMissing.clear();
    MailTurnHandedOver = false;
    timer1 = false;
    timer1Interval = kDefaultTimer1Interval;
    HexCursor = {};
    for (THexPos& n : NeighbourTable) n = {};
    ResetEventNotice();
    ResetCheckedAccessFaults();
    SetStockLedger(false);
    ClearStockLedger();
    SetFileRenamer(nullptr);
    SetFileLinker(nullptr);
    SetFileRemover(nullptr);
    SetSaveStepWatcher(nullptr);
    SetTurnWatcher(nullptr);
}

}  // namespace kvt
