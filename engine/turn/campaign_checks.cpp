// The campaign's invariants.
#include "engine/turn/campaign_checks.h"

#include <cstdint>
#include <unordered_map>

#include "engine/movement/corps_movement.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/stocks.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

namespace {

constexpr int kStrengthCeiling = 60000;

bool KnownPlanTag(int tag) { return tag == 0 || (tag >= 1 && tag <= 7) || tag == 9 || (tag >= 10 && tag <= 14); }

std::string Hex(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

// The first record of a kind carrying an unknown plan tag, described; "" when none.
std::string UnknownPlanTag(const TGameRec& g) {
    for (int k = 1; k <= kCorpsCount; ++k)
        if (CorpsInUse(g.Corps[k]) && !KnownPlanTag(g.Corps[k].PlanTag))
            return "corps " + std::to_string(k) + " has plan tag " + std::to_string(g.Corps[k].PlanTag);
    for (int a = 1; a <= kArmyCount; ++a)
        if (!KnownPlanTag(g.Armies[a].PlanTag))
            return "army " + std::to_string(a) + " has plan tag " + std::to_string(g.Armies[a].PlanTag);
    for (int c = 1; c <= kCityCount; ++c)
        if (!KnownPlanTag(g.Cities[c].PlanTag))
            return "city " + std::to_string(c) + " has plan tag " + std::to_string(g.Cities[c].PlanTag);
    for (int f = 1; f <= kFleetCount; ++f)
        if (FleetInUse(g.Fleets[f]) && g.Fleets[f].TransportTag != 0 && g.Fleets[f].TransportTag != 9)
            return "fleet " + std::to_string(f) + " has plan tag " + std::to_string(g.Fleets[f].TransportTag);
    return "";
}

std::string CorpsOutOfPlace(const TGameRec& g, bool orders) {
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!CorpsInUse(c)) continue;
        const std::string name = "corps " + std::to_string(k);
        if (c.Strength > kStrengthCeiling) return name + " has strength " + std::to_string(c.Strength) + " (wrapped)";
        if (c.OrderMode == kOrderEmbarked) {
            int carriers = 0;
            for (const TFleetRec& f : g.Fleets) carriers += FleetInUse(f) && f.Cargo == k;
            if (carriers != 1)
                return name + " is embarked and carried by " + std::to_string(carriers) + " fleets";
        }
        const bool computer = c.Nation >= 1 && c.Nation <= kNationCount && g.Nations[c.Nation].Human == 0;
        if (orders && computer && !OnMap(c.DestX, c.DestY))
            return name + " of nation " + std::to_string(c.Nation) + " is sent off the map to " + Hex(c.DestX, c.DestY);
    }
    return "";
}

}  // namespace

TCampaignChecks::~TCampaignChecks() { End(); }

void TCampaignChecks::Begin() {
    const TGameRec& g = *GameRec;
    broken_.clear();
    day_ = g.Day, month_ = g.Month, year_ = g.Year;
    SetStockLedger(true);
    ledgerSeen_ = StockLedger().size();
    TakeStocks();
    ResetCheckedAccessFaults();
    watching_ = true;
    SetTurnWatcher([this](TurnCheckpoint point, int index) {
        switch (point) {
            case TurnCheckpoint::ComputerPlayersPlanned: CheckAll("after the computer players planned", true); break;
            case TurnCheckpoint::BattlesDue: break;
            case TurnCheckpoint::AssignedCorpsEmbarked: CheckAll("after assigned corps embarked", false); break;
            case TurnCheckpoint::CorpsLostAtSea: {
                const TCorpsRec& k = GameRec->Corps[index];
                if (MapGrid->Cell(k.HexX, k.HexY).Terrain() != kTerrainWater)
                    Fail("as a corps was lost at sea",
                         "corps " + std::to_string(index) + " lost at sea on the land hex " + Hex(k.HexX, k.HexY));
                break;
            }
        }
    });
}

void TCampaignChecks::End() {
    if (!watching_) return;
    watching_ = false;
    SetTurnWatcher(nullptr);
}

void TCampaignChecks::LedgerCleared() { ledgerSeen_ = 0; }

void TCampaignChecks::AfterTurn() {
    const TGameRec& g = *GameRec;
    int day = day_ + 10, month = month_, year = year_;
    if (day > 21) {
        day = 1;
        if (++month > 12) month = 1, ++year;
    }
    if (g.Day != day || g.Month != month || g.Year != year)
        Fail("after the turn", "the date moved from " + std::to_string(day_) + "/" + std::to_string(month_) + "/" +
                                   std::to_string(year_) + " to " + std::to_string(g.Day) + "/" +
                                   std::to_string(g.Month) + "/" + std::to_string(g.Year));
    day_ = g.Day, month_ = g.Month, year_ = g.Year;
    CheckAll("after the turn", false);
}

void TCampaignChecks::TakeStocks() {
    stocks_.clear();
    offsets_.clear();
    const auto* base = reinterpret_cast<const std::uint8_t*>(GameRec);
    ForEachStockWord(*GameRec, [&](U16& w) {
        offsets_.push_back(static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(&w) - base));
        stocks_.push_back(w);
    });
}

void TCampaignChecks::CheckAll(const char* where, bool orders) {
    if (!broken_.empty()) return;
    const TGameRec& g = *GameRec;
    if (CheckedAccessFaults() != 0) Fail(where, std::to_string(CheckedAccessFaults()) + " record accesses out of range");
    if (const std::string why = ValidateGameImages(g, *MapGrid); !why.empty()) Fail(where, "game images: " + why);
    if (const std::string why = UnknownPlanTag(g); !why.empty()) Fail(where, why);
    if (const std::string why = CorpsOutOfPlace(g, orders); !why.empty()) Fail(where, why);
    const auto& ledger = StockLedger();
    std::unordered_map<std::size_t, long long> noted;
    for (std::size_t i = ledgerSeen_; i < ledger.size(); ++i) noted[ledger[i].offset] += ledger[i].change;
    ledgerSeen_ = ledger.size();
    std::size_t i = 0;
    ForEachStockWord(*GameRec, [&](U16& w) {
        const auto it = noted.find(offsets_[i]);
        if (w != stocks_[i] + (it == noted.end() ? 0 : it->second))
            Fail(where, "the stock word at byte " + std::to_string(offsets_[i]) + " moved around the ledger");
        ++i;
    });
    TakeStocks();
}

void TCampaignChecks::Fail(const char* where, const std::string& what) {
    if (broken_.empty()) broken_ = what + " (" + where + ")";
}

}  // namespace kvt
