// The invariants a whole campaign keeps, tested after every turn, after the computer players have
// planned and after fleets have taken their assigned corps aboard: record indexes in range, sound
// game images, known plan tags, every embarked corps carried by one fleet in service, no wrapped
// corps strength, every stock word moved only through the ledger, computer corps sent only to
// hexes of the map, the date one step on, and no corps lost at sea on dry land. The headless
// runner's --check and the campaign tests share them. They read the game and never change it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kvt {

class TCampaignChecks {
public:
    TCampaignChecks() = default;
    ~TCampaignChecks();
    TCampaignChecks(const TCampaignChecks&) = delete;
    TCampaignChecks& operator=(const TCampaignChecks&) = delete;

    // Starts on the game in play: takes its stock words and date, turns the stock ledger on and
    // watches the turn's checkpoints until End.
    void Begin();
    void End();
    // The stock ledger was emptied (each turn's flows are read from it alone).
    void LedgerCleared();
    // After a whole turn.
    void AfterTurn();
    // The first invariant broken and where, "" while every one holds.
    const std::string& Broken() const { return broken_; }

private:
    void CheckAll(const char* where, bool orders);
    void Fail(const char* where, const std::string& what);
    void TakeStocks();
    std::vector<long long> stocks_;
    std::vector<std::size_t> offsets_;
    std::size_t ledgerSeen_ = 0;
    int day_ = 0, month_ = 0, year_ = 0;
    bool watching_ = false;
    std::string broken_;
};

}  // namespace kvt
