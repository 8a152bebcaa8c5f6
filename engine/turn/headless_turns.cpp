// Headless turns.
#include "engine/turn/headless_turns.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/campaign_checks.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/game_start.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_end.h"
#include "engine/turn/turn_report.h"
#include "engine/turn/turn_start.h"
#include "engine/world/calendar.h"
#include "engine/world/fnv_hash.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

// Far more ticks than a turn can take (20 steps of every fleet and corps).
constexpr long kTickLimit = 100000;

// The start points are read by name at start-up, never through the Open dialog, so they do not
// take the dialog's data marks.
bool IsStartPoint(const std::string& file) {
    std::string name = std::filesystem::path(file).filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char ch) { return std::tolower(ch); });
    for (int answer = 1; answer <= 3; ++answer)
        if (name == ScenarioFileName(answer)) return true;
    return false;
}

}  // namespace

std::uint64_t GameChecksum() {
    std::uint64_t h = Fnv1a(kFnvOffsetBasis, GameRec, sizeof(TGameRec));
    return Fnv1a(h, MapGrid, sizeof(TMapGrid));
}

bool HandGameToComputer() {
    TGameRec& g = *GameRec;
    if (g.GameKind >= 2) return false;
    for (int n : {kNationUnion, kNationConfederacy}) {
        g.Nations[n].Human = 0;
        g.Nations[n].OrdersGiven = 0;
    }
    return true;
}

bool PlayHeadlessTurn() {
    if (GameStatus != 0) return false;
    ExecuteTurn();
    if (!Timer1Enabled()) return false;
    for (long ticks = 0; Timer1Enabled(); ++ticks) {
        if (ticks == kTickLimit) return false;
        MovementTick();
    }
    return true;
}

int PlayHeadlessTurns(int turns, std::ostream& out, bool report, TCampaignChecks* checks) {
    int played = 0;
    // The report's flows are read from the stock ledger, one turn at a time.
    if (report) SetStockLedger(true);
    while (played < turns && GameStatus == 0) {
        ClearStockLedger();
        if (checks) checks->LedgerCleared();
        if (!PlayHeadlessTurn()) break;
        ++played;
        if (checks) checks->AfterTurn();
        char sum[17];
        std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(GameChecksum()));
        out << played << ' ' << DateText() << ' ' << sum;
        if (report) out << "  " << TurnReportColumns();
        out << '\n';
        if (checks && !checks->Broken().empty()) break;
        // A run whose games are not kept is not the run that was asked for.
        if (AutosaveFailed()) break;
    }
    if (GameStatus != 0) out << "game over, status " << GameStatus << '\n';
    return played;
}

std::string Winner() {
    if (GameStatus == 2) return "Union";
    if (GameStatus == 3) return "Confederacy";
    switch (TerritorialVerdictText(TerritorialBasis())) {
        case 641: case 642: return "Union";
        case 644: case 645: return "Confederacy";
        default: return "draw";
    }
}

std::string CampaignSummaryLine() {
    const TGameRec& g = *GameRec;
    int cities[3] = {};
    for (const TCityRec& c : g.Cities)
        if (c.Owner == kUnion || c.Owner == kConfederacy) ++cities[c.Owner];
    long long casualties[3] = {};
    for (int n = 1; n <= kNationCount; ++n) {
        const int side = n <= kNationConfederacy ? n : g.Nations[n].Side;
        if (side == kUnion || side == kConfederacy) casualties[side] += 50LL * g.Casualties[n];
    }
    const bool capitulation = GameStatus == 2 || GameStatus == 3;
    return "winner: " + Winner() + (capitulation ? " by capitulation  " : " by territory  ") + DateText() +
           "  cities U " + std::to_string(cities[kUnion]) + " C " + std::to_string(cities[kConfederacy]) +
           "  casualties U " + std::to_string(casualties[kUnion]) + " C " + std::to_string(casualties[kConfederacy]);
}

int RunHeadlessGame(const std::string& file, int turns, std::uint64_t seed, std::ostream& out, std::string* error,
                    bool report, bool check) {
    AutomaticFrontend frontend;
    InstallFrontend(&frontend);
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(seed);
    int status = 0;
    std::string why;
    if (!ReadGameImages(file, *GameRec, *MapGrid, &why)) {
        status = 2;
    } else if (!HandGameToComputer()) {
        why = "\"" + file + "\" is a mail game; it is played by its two players.";
        status = 2;
    } else {
        BringGameIntoPlay(file);
        if (!IsStartPoint(file)) ApplyLoadDataMarks();
        TCampaignChecks checks;
        if (check) checks.Begin();
        const int played = PlayHeadlessTurns(turns, out, report, check ? &checks : nullptr);
        checks.End();
        if (!checks.Broken().empty()) {
            why = "check failed: " + checks.Broken();
            status = 3;
        } else if (played > 0 && AutosaveFailed()) {
            std::error_code ec;
            why = "The Autosave failed: the game could not be saved as \"" + std::string(kAutosaveName) + "\" in \"" +
                  std::filesystem::current_path(ec).string() + "\"" +
                  (AutosaveTrouble().empty() ? std::string() : ": " + AutosaveTrouble()) + ".";
            status = 4;
        } else if (played < turns && GameStatus == 0) {
            why = "a turn did not run to its end";
            status = 1;
        }
        out << CampaignSummaryLine() << '\n';
    }
    InstallFrontend(nullptr);
    if (error) *error = why;
    return status;
}

}  // namespace kvt
