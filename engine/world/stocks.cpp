// Saturating stock changes and their ledger.
#include "engine/world/stocks.h"

#include <algorithm>

#include "engine/world/globals.h"

namespace kvt {

namespace {

bool ledgerOn = false;
std::vector<TStockEntry> ledger;

void Note(const U16& word, int change, StockRule rule) {
    if (!ledgerOn || change == 0 || GameRec == nullptr) return;
    const auto* base = reinterpret_cast<const std::uint8_t*>(GameRec);
    const auto* at = reinterpret_cast<const std::uint8_t*>(&word);
    // Scratch elements of a bad index and words outside the record are not pools of the game.
    if (at < base || at >= base + sizeof(TGameRec)) return;
    ledger.push_back({static_cast<std::size_t>(at - base), change, rule});
}

}  // namespace

const char* StockRuleName(StockRule rule) {
    static const char* const names[kStockRuleCount] = {
        "income", "weapons", "bounties", "draft", "split", "orders", "refunds", "upkeep", "corps supply",
        "allocation", "conquest", "battle", "naval", "arming", "politics", "dialog", "other"};
    const int i = static_cast<int>(rule);
    return i >= 0 && i < kStockRuleCount ? names[i] : "?";
}

int SetStock(U16& word, long long value, StockRule rule, int cap) {
    const long long top = std::clamp(cap, 0, kStockCap);
    const int old = word;
    const int now = static_cast<int>(std::clamp(value, 0LL, top));
    word = static_cast<std::uint16_t>(now);
    Note(word, now - old, rule);
    return now - old;
}

int ChangeStock(U16& word, long long delta, StockRule rule, int cap) {
    const long long old = word;
    // A rise never cuts back a word that already stands above a rule's lower cap.
    const long long top = std::max<long long>(old, std::clamp(cap, 0, kStockCap));
    const long long now = std::clamp(old + delta, 0LL, top);
    word = static_cast<std::uint16_t>(now);
    Note(word, static_cast<int>(now - old), rule);
    return static_cast<int>(now - old);
}

int TakeStock(U16& word, long long wanted, StockRule rule) {
    if (wanted <= 0) return 0;
    return -ChangeStock(word, -wanted, rule);
}

void SetStockLedger(bool on) { ledgerOn = on; }
bool StockLedgerOn() { return ledgerOn; }
const std::vector<TStockEntry>& StockLedger() { return ledger; }
void ClearStockLedger() { ledger.clear(); }

}  // namespace kvt
