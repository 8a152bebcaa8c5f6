// The one way the nations' and states' stocks change: supplies, cotton, weapons, recruits and
// orders. Each change is floored at 0 and capped (65,535 or the rule's own cap), never wrapped, and,
// with the ledger on, noted with the rule that made it, so a whole turn can be audited: every pool
// must equal its start plus its noted changes. A write around these helpers breaks that audit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/world/game_record.h"
#include "engine/world/record_types.h"

namespace kvt {

// Which rule moved a stock; the report groups a month's flows by it.
enum class StockRule : std::uint8_t {
    Income,         // the monthly state economy
    Weapons,        // weapon production delivered
    Bounties,       // draft bounties paid
    Draft,          // recruits raised by the monthly draft
    Split,          // recruits split between arms and the navy
    Orders,         // weapon and supply orders placed
    Refunds,        // orders cut or given back
    Upkeep,         // end-of-turn refills, repairs, forts, rail, yards
    CorpsSupply,    // corps drawing on the theatre pools
    Allocation,     // supplies moved between theatres
    Conquest,       // cities sacked, taken or lost
    Battle,         // captured weapons and battle losses
    Naval,          // fleets loading and unloading, cotton trade
    Arming,         // waiting brigades armed, brigades raised
    Politics,       // capitals, capitulation, intervention, events
    Dialog,         // a person's orders in a dialog
    Other,
};
constexpr int kStockRuleCount = static_cast<int>(StockRule::Other) + 1;
const char* StockRuleName(StockRule rule);

constexpr int kStockCap = 65535;

// Adds delta (negative to take) to the word, kept within 0..cap; answers the change made.
int ChangeStock(U16& word, long long delta, StockRule rule, int cap = kStockCap);
// Sets the word to value kept within 0..cap; answers the change made.
int SetStock(U16& word, long long value, StockRule rule, int cap = kStockCap);
// Takes up to `wanted` from the word; answers what was taken (never more than the word held).
int TakeStock(U16& word, long long wanted, StockRule rule);

// One noted change: the word's byte offset in the game record, the change and its rule.
struct TStockEntry {
    std::size_t offset;
    int change;
    StockRule rule;
};

// The ledger notes only words inside the game record, and only while it is on.
void SetStockLedger(bool on);
bool StockLedgerOn();
const std::vector<TStockEntry>& StockLedger();
void ClearStockLedger();

// Calls f(word) for every stock word of the record: the nations' supplies, cotton, weapons, naval
// and monthly recruits; the states' recruits, income, recruit pools and weapon orders; the cities'
// orders. An audit compares them with the ledger.
template <typename F>
void ForEachStockWord(TGameRec& g, F f) {
    for (TNationRec& n : g.Nations) {
        for (U16& w : n.TheatreSupplies) f(w);
        for (U16& w : n.TheatreCotton) f(w);
        for (U16& w : n.WeaponPool) f(w);
        f(n.NavalManpower);
        f(n.MonthlyRecruits);
    }
    for (TStateRec& s : g.States) {
        for (U16* w : {&s.Recruits, &s.MonthlyIncome, &s.InfantryPool, &s.CavalryPool, &s.ArtilleryPool, &s.NewRecruits})
            f(*w);
        for (U16& w : s.WeaponCapacity) f(w);
    }
    for (TCityRec& c : g.Cities)
        for (U16& w : c.Production) f(w);
}

}  // namespace kvt
