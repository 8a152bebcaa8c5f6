// Brigade display rows, reinforcement and re-arming. Weapon and recruit pools change only through
// the stock helpers; the played nation pays for every brigade it reinforces or re-arms.
#include "engine/orders/brigade_display.h"

#include "engine/forces/brigade_rules.h"
#include "engine/orders/weapon_orders.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/notice.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

// Brigade units shown as guns for artillery, men otherwise.
int Shown(int type, int units) { return units * (type == kBrigadeArtillery ? 2 : 50); }

std::string ReinforcementText(const TBrigadeRec& b) {
    if (b.HomeState == 0) return "0";
    U16* pool = RecruitPool(GameRec->States[b.HomeState], b.BrigadeType);
    return std::to_string(pool ? Shown(b.BrigadeType, *pool) : 0);
}

const char* TypeText(int type) {
    switch (type) {
        case kBrigadeArtillery: return "Arty";
        case kBrigadeInfantry: return "Inf";
        case kBrigadeCavalry: return "Cav";
        default: return "";
    }
}

const char* QualityText(int q) {
    if (q <= 2) return "Untried";
    if (q <= 4) return "Trained";
    if (q <= 8) return "Veteran";
    if (q <= 100) return "Crack";
    return "";
}

U16& PlayedPool(int kind) { return GameRec->Nations[SidePlayed].WeaponPool[kind]; }

bool ReinforcementOffered(const TCorpsRec& corps, const TBrigadeRec& b) {
    const int target = BrigadeTargetStrength(b.BrigadeType);
    // Offered and paid from the same pool, the played nation's; an ally's brigade is not ours to fill.
    return corps.SupplyDistance < 2 && b.Strength < target && b.Weapon >= 1 && b.Weapon <= 7 &&
           b.Nation == SidePlayed && PlayedPool(b.Weapon) >= target - b.Strength;
}

}  // namespace

bool OpenBrigadeDisplay(TBrigadeDisplay& d) {
    d = TBrigadeDisplay{};
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(SelectedCorps) || !CorpsInUse(GameRec->Corps[SelectedCorps])) return false;
    d.corps = SelectedCorps;
    const TCorpsRec& corps = GameRec->Corps[d.corps];
    int row = 0;
    for (int i = 1; i <= kBrigadeCount && row < kBrigadeDisplayRows; ++i) {
        const TBrigadeRec& b = GameRec->Brigades[i];
        if (b.AttachKind != kAttachCorps || b.AttachIndex != d.corps || b.BrigadeType == 0 || b.HomeState == 0) continue;
        TBrigadeRow& r = d.rows[row++];
        r.brigade = i;
        r.name = OrdinalText(b.Ordinal) + GameRec->States[b.HomeState].ShortName.str();
        r.type = TypeText(b.BrigadeType);
        r.quality = QualityText(b.Quality);
        r.strength = std::to_string(Shown(b.BrigadeType, b.Strength));
        r.reinforcements = ReinforcementText(b);
        r.weapon = WeaponName(b.Weapon);
        r.reinforceOffered = r.reinforcementsShown = ReinforcementOffered(corps, b);
    }
    return true;
}

void ReinforceBrigade(int brigade) {
    if (!Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return;
    TGameRec& g = *GameRec;
    TBrigadeRec& b = g.Brigades[brigade];
    const int target = BrigadeTargetStrength(b.BrigadeType);
    if (b.Strength >= target || b.Weapon == 0 || b.Weapon >= 8) return;
    if (b.Nation != SidePlayed) return;
    const int need = target - b.Strength;
    U16& weapons = PlayedPool(b.Weapon);
    if (weapons < need) {
        RaiseEventNotice(0, "Not enough weapons on hand", "to equip new troops");
        return;
    }
    if (b.HomeState == 0) return;
    const int added = TakeStock(*RecruitPool(g.States[b.HomeState], b.BrigadeType), need, StockRule::Dialog);
    const int old = b.Strength;
    const int now = old + added;
    // Recruits count as quality 1, weighed against the men already there; nobody there keeps it.
    if (now > 0) {
        int q = (b.Quality * old + added) / now;
        if (b.Nation == kNationConfederacy && b.Quality > q) q += 1;
        b.Quality = static_cast<U8>(q);
    }
    b.Strength = static_cast<U8>(now);
    ChangeStock(weapons, -added, StockRule::Dialog);
    RecalcCorpsFromBrigades();
}

void ReinforceDisplayRow(TBrigadeDisplay& d, int row) {
    if (row < 0 || row >= kBrigadeDisplayRows || d.rows[row].brigade == 0) return;
    TBrigadeRow& r = d.rows[row];
    ReinforceBrigade(r.brigade);
    const TBrigadeRec& b = GameRec->Brigades[r.brigade];
    r.reinforceOffered = false;
    r.strength = std::to_string(Shown(b.BrigadeType, b.Strength));
    r.reinforcements = ReinforcementText(b);
    // Rows of the same state and arm draw on the same pool.
    for (TBrigadeRow& other : d.rows) {
        if (other.brigade == 0) continue;
        const TBrigadeRec& o = GameRec->Brigades[other.brigade];
        if (o.HomeState == b.HomeState && o.BrigadeType == b.BrigadeType) other.reinforcements = r.reinforcements;
    }
}

void RefreshDisplayWeapon(TBrigadeDisplay& d, int row) {
    if (row < 0 || row >= kBrigadeDisplayRows || d.rows[row].brigade == 0) return;
    d.rows[row].weapon = WeaponName(GameRec->Brigades[d.rows[row].brigade].Weapon);
}

TWeaponChoice OpenWeaponChoice(int brigade) {
    TWeaponChoice w;
    w.brigade = brigade;
    const TBrigadeRec& b = GameRec->Brigades[brigade];
    for (int k = 1; k <= kWeaponKinds; ++k) {
        const int pool = PlayedPool(k);
        w.counts[k] = std::to_string(WeaponsShown(k, pool));
        w.offered[k] = WeaponFitsBrigadeType(k, b.BrigadeType) && pool >= b.Strength;
    }
    return w;
}

void ApplyWeaponChoice(int brigade, int kind) {
    if (!Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade) || kind < 1 || kind > kWeaponKinds) return;
    TBrigadeRec& b = GameRec->Brigades[brigade];
    if (kind == b.Weapon || !WeaponFitsBrigadeType(kind, b.BrigadeType) || PlayedPool(kind) < b.Strength) return;
    // The old arms go back to the pool, which stops at its cap rather than wrapping.
    if (b.Weapon >= 1 && b.Weapon <= kWeaponKinds) ChangeStock(PlayedPool(b.Weapon), b.Strength, StockRule::Dialog);
    ChangeStock(PlayedPool(kind), -b.Strength, StockRule::Dialog);
    b.Weapon = static_cast<U8>(kind);
}

}  // namespace kvt
