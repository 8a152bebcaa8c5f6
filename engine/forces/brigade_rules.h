// Brigade rules: keep brigades and the corps figures derived from them in step (freeing slots,
// spreading losses, recounting corps, drill, weapon prices, raising and arming brigades, handing a
// corps to a garrison). Plain procedures over the game record; they report nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/world/globals.h"
#include "engine/world/record_types.h"

namespace kvt {

// Reinforcement targets of a brigade's Strength by type.
constexpr int kArtilleryBrigadeStrength = 16;
constexpr int kInfantryBrigadeStrength = 80;
constexpr int kCavalryBrigadeStrength = 50;
// The target of the brigade type (artillery, infantry, cavalry); 0 for any other type.
int BrigadeTargetStrength(int brigadeType);
// The state's recruit pool that raises and refills brigades of the type; none for any other type.
U16* RecruitPool(TStateRec& state, int brigadeType);

// Union guns lost by weapon kind in the current battle, which a Confederate victory captures
// (battle work value, never saved).
extern Arr1<std::uint16_t, 8> GunsLost;

// Frees a brigade slot. Ordinal, weapon, quality and attachment index keep their values.
void ClearBrigade(int brigade);
// Frees every brigade serving in corps k, whatever its nation: the corps is gone and takes them along.
void ClearAttachedBrigades(int corps);
// Mode 1: attrition of n strength points off corps `index`; mode 3: n battle losses of brigade `index`.
void ApplyBrigadeLosses(int mode, int index, int n);
// The brigades serving in each corps as the records stood when listed, whatever their nation, by
// corps and in index order within a corps (what ForEachAttachedBrigade visits), from one look over
// all brigades.
class TCorpsBrigades {
public:
    // From the game's brigades.
    void List();
    // From kBrigadeCount records laid out as the game's.
    void List(const TBrigadeRec* records);
    // None for a number out of range.
    std::span<const std::uint16_t> Of(int corps) const;

private:
    std::array<std::uint16_t, kBrigadeCount> brigades_{};
    // Corps k's brigades are brigades_[first_[k] .. first_[k + 1]).
    std::array<std::uint16_t, kCorpsCount + 2> first_{};
};

// The brigades serving in a corps, whatever their nation, in index order (what
// ForEachAttachedBrigade visits), and whether any brigade at all has a nation past the last.
struct TAttachedBrigades {
    std::array<std::uint16_t, kBrigadeCount> index;
    int count = 0;
    bool strayNation = false;
};
// Lists corps k's brigades in one look over all brigades (none for a number out of range).
void ListAttachedBrigades(int corps, TAttachedBrigades& list);
// Every corps' brigades from one look over all brigades, for a pass over the corps in which a
// corps' rules change only its own brigades and nobody joins a corps: a brigade freed meanwhile is
// left out when read (`Of`).
struct TAttachedByCorps {
    TCorpsBrigades lists;
    bool strayNation = false;
    // What ListAttachedBrigades(corps, list) would give now.
    void Of(int corps, TAttachedBrigades& list) const;
};
void ListEveryCorpsBrigades(TAttachedByCorps& lists);
// ApplyBrigadeLosses(1, corps, n) from a list made by ListAttachedBrigades with no brigade changed
// since: attrition need not look over every brigade a second time.
void ApplyCorpsAttrition(int corps, int n, const TAttachedBrigades& list);
// Line brigades a corps (kind 0) or division may hold under a commander of this initiative, as the
// rating gives them (a new formation fills up to this) and as kept afterwards (at most 10).
int CorpsCapacity(int kind, int nation, int initiative);
int CorpsBrigadeLimit(int kind, int nation, int initiative);
// The line brigades a corps (kind 0) or division may take under a commander of this initiative, as
// the turn's force recount keeps them: the same for every nation and with no cap, unlike the limit
// the recalculation stores. Transfers and new formations keep to this one.
int CommanderLineLimit(int kind, int initiative);
// Recomputes every corps' strength, artillery, brigade counts, mean quality and fatigue and
// brigade limit from its brigades, and every held city's garrison count.
void RecalcCorpsFromBrigades();
// Drills the brigades of corps k; the number whose quality rose.
int DrillCorpsBrigades(int corps);
// Resets the per-nation prices of weapon kinds 2..8 (first turn of every month).
void InitBrigadeTypeTable();
// The lowest weapon kind of the type's range with more than `strength` in the nation's pool; 0 none.
int PickBrigadeWeapon(int nation, int brigadeType, int strength);
// Arms the nation's brigades waiting for weapons and sends them to their muster city.
void ArmWaitingBrigades(int nation);
// Raises a brigade of the type in state s from its recruit pool.
void RaiseBrigadeAtCity(int brigadeType, int state);
// Hands every brigade of corps k to the garrison of its supply city (nothing without one).
void ReleaseCorpsBrigades(int corps);

// Applies f(brigade record) to every brigade serving in corps k that belongs to the corps' nation.
template <typename F>
void ForEachCorpsBrigade(int corps, F f) {
    if (corps < 1 || corps > kCorpsCount) return;
    const int nation = GameRec->Corps[corps].Nation;
    for (TBrigadeRec& b : GameRec->Brigades)
        if (b.AttachIndex == corps && b.AttachKind == kAttachCorps && b.Nation == nation) f(b);
}

// Applies f(brigade record) to every brigade serving in corps k, whatever its nation: fatigue,
// losses and freeing reach every brigade the corps holds.
template <typename F>
void ForEachAttachedBrigade(int corps, F f) {
    if (corps < 1 || corps > kCorpsCount) return;
    for (TBrigadeRec& b : GameRec->Brigades)
        if (b.AttachIndex == corps && b.AttachKind == kAttachCorps) f(b);
}

// The brigades serving in each corps, whatever their nation, in index order: what
// ForEachAttachedBrigade visits. The lists are made from a copy of the brigade records and made
// again as soon as any record differs from that copy, so a rule that reaches a corps' brigades on
// every step of every corps need not look over all brigades each time. Fatigue written through
// SetFatigue keeps the copy, and so the lists, standing.
class TBrigadesByCorps {
public:
    // Brigade numbers serving in corps k (none for a number out of range).
    std::span<const std::uint16_t> Of(int corps);
    void SetFatigue(int brigade, U8 fatigue);
    // For a pass whose rules move no brigade between corps but through Forget: the lists are
    // checked once now and trusted until Release, sparing the look at the copy on every read.
    void Hold();
    void Release() { held_ = false; }
    // A brigade was moved while held: the next read lists again.
    void Forget() { listed_ = false; }

private:
    void List();

    bool listed_ = false;
    bool held_ = false;
    std::array<TBrigadeRec, kBrigadeCount> copy_;
    TCorpsBrigades lists_;
};

void ResetBrigadeRuleGlobals();

}  // namespace kvt
