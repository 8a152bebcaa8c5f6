// Who holds each city and state after forces have moved. One pass: incidents off neutral ports,
// captured cities in index order, then states whose capital changed hands.
#include "engine/logistics/conquest.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/logistics/hex_control.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/record_queries.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kCityFallNotice = 3;
constexpr int kStateLostNotice = 18;
constexpr int kNewspaperNotice = 24;
// The border state whose neutral cities all take the other side once any of them is taken.
constexpr int kBorderStateWithNeutralCities = 20;
constexpr int kPortIncidentRange = 4;
constexpr int kCapitalLossWill = 150;
constexpr int kMaxDefence = 3;
constexpr int kMaxDamage = 100;
constexpr int kMaxLoyalty = 100;
constexpr int kGarrisonQualityBelow = 10;
constexpr int kMaxGarrisonStatus = 4;

// The side a border state's neutral cities join: the one opposed to `side`.
int OppositeSide(int side) { return side == kUnion ? kConfederacy : kUnion; }

std::int16_t Clamped16(long long v) { return static_cast<std::int16_t>(std::clamp<long long>(v, -32768, 32767)); }

void AddWill(int nation, int amount) {
    if (!IsNation(nation)) return;
    I16& will = GameRec->Nations[nation].Will;
    will = Clamped16(static_cast<long long>(will) + amount);
}

// Will never drops below 0 by a loss: a nation with no more than the loss ends at 0.
void LoseWill(int nation, int amount) {
    if (!IsNation(nation)) return;
    I16& will = GameRec->Nations[nation].Will;
    will = will <= amount ? std::int16_t{0} : Clamped16(static_cast<long long>(will) - amount);
}

void GainLoyalty(TStateRec& st, int amount) { st.Loyalty = static_cast<U8>(std::min(kMaxLoyalty, st.Loyalty + amount)); }
void LoseLoyalty(TStateRec& st, int amount) { st.Loyalty = static_cast<U8>(st.Loyalty <= amount ? 0 : st.Loyalty - amount); }

// Attitudes move only while inside 1..99.
bool AttitudeMovable(const TNationRec& n) { return n.Attitude >= 1 && n.Attitude <= 99; }

std::string LeaderName(int leader) { return GameRec->Leaders[leader].Name.str(); }

U8 IncrementedByte(U8 v) { return static_cast<U8>(v < 255 ? v + 1 : v); }

// Step 1: one fleet near neutral French or British ports causes a diplomatic incident at each.
// The sweep lists those ports once: an incident changes attitudes, never who holds a port.
template <bool kRescan>
void NeutralPortIncidents() {
    TGameRec& g = *GameRec;
    std::array<std::uint8_t, kCityCount> ports{};
    int portCount = 0;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (kRescan || (city.Owner == 0 && (city.Nation == kNationFrance || city.Nation == kNationBritain)))
            ports[static_cast<std::size_t>(portCount++)] = static_cast<std::uint8_t>(c);
    }
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& fleet = g.Fleets[f];
        if (fleet.BuildCounter != 0 || fleet.Side == 0 || fleet.Mission < 4) continue;
        bool incident = false;
        for (int p = 0; p < portCount; ++p) {
            const int c = ports[static_cast<std::size_t>(p)];
            const TCityRec& city = g.Cities[c];
            if (city.Owner != 0 || (city.Nation != kNationFrance && city.Nation != kNationBritain)) continue;
            if (HexDistance(city.HexX, city.HexY, fleet.HexX, fleet.HexY) >= kPortIncidentRange) continue;
            incident = true;
            RaiseEventNotice(kNewspaperNotice, g.Nations[city.Nation].Name.str() + Text(13),
                             g.Nations[fleet.Owner].Name.str() + Text(14), Text(15), Text(16));
            // Only a Union fleet sours the port's nation; the fleet's own nation is not the offended one.
            TNationRec& port = g.Nations[city.Nation];
            if (fleet.Owner == kNationUnion && AttitudeMovable(port)) port.Attitude = static_cast<std::int16_t>(port.Attitude - 1);
        }
        if (incident) return;
    }
}

void ThrowNeutralCitiesToOtherSide(int state, int side, int except) {
    TGameRec& g = *GameRec;
    const int other = OppositeSide(side);
    for (int i = 1; i <= kCityCount; ++i) {
        TCityRec& city = g.Cities[i];
        if (i == except || city.State != state || city.Owner != 0) continue;
        city.Owner = static_cast<U8>(other);
        city.Nation = static_cast<U8>(other);
        for (TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachGarrison && b.AttachIndex == i) b.Nation = static_cast<U8>(other);
    }
}

void TakeGarrison(int c, int side) {
    TGameRec& g = *GameRec;
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g.Brigades[i];
        if (b.AttachIndex != c || b.AttachKind < kAttachGarrison || !IsState(b.HomeState)) continue;
        // Brigades of the capturer's side waiting in the city are no prisoners: they stay as they are.
        if (IsNation(b.Nation) && g.Nations[b.Nation].Side == side) continue;
        if (IsNation(b.Nation)) {
            U32& prisoners = g.Prisoners[b.Nation];
            prisoners = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{prisoners} + b.Strength, 0xFFFFFFFFu));
        }
        U16& casualties = g.States[b.HomeState].StateCasualties;
        casualties = static_cast<std::uint16_t>(std::min(casualties + b.Strength, 65535));
        ClearBrigade(i);
    }
}

// Step 9: a computer nation leaves its weakest untried infantry to hold a city it did not own.
void LeaveGarrison(int c, int k) {
    TGameRec& g = *GameRec;
    TCityRec& city = g.Cities[c];
    TCorpsRec& corps = g.Corps[k];
    city.Status = static_cast<U8>(std::min(city.Output / 500 + 1, kMaxGarrisonStatus));
    auto green = [&](const TBrigadeRec& b) {
        return b.AttachKind == kAttachCorps && b.AttachIndex == k && b.BrigadeType == kBrigadeInfantry &&
               b.Quality < kGarrisonQualityBelow;
    };
    const int count = static_cast<int>(std::count_if(g.Brigades.begin(), g.Brigades.end(), green));
    if (count <= 1) return;
    const int n = city.Status < count ? city.Status : 1;
    for (int left = 0; left < n && corps.LineCount >= 2; ++left) {
        int pick = 0;
        for (int i = 1; i <= kBrigadeCount; ++i)
            if (green(g.Brigades[i]) && (pick == 0 || g.Brigades[i].Quality < g.Brigades[pick].Quality)) pick = i;
        if (pick == 0) return;
        TBrigadeRec& b = g.Brigades[pick];
        b.AttachIndex = static_cast<U8>(c);
        b.AttachKind = kAttachGarrison;
        // The corps' figures and the city's garrison count follow the brigade at once.
        corps.LineCount = static_cast<U8>(corps.LineCount - 1);
        corps.Strength = static_cast<std::uint16_t>(corps.Strength > b.Strength ? corps.Strength - b.Strength : 0);
        city.Garrison = static_cast<std::uint16_t>(std::min(city.Garrison + 1, 65535));
        if (city.Status > 0) city.Status = static_cast<U8>(city.Status - 1);
    }
}

void SackCity(int c, int k, int formerNation, bool personDecided) {
    TGameRec& g = *GameRec;
    TCityRec& city = g.Cities[c];
    TCorpsRec& corps = g.Corps[k];
    const int side = corps.Side;
    corps.SupplyDistance = 1;
    city.Fortifications = 0;
    city.Damage = static_cast<std::uint16_t>(std::min(city.Damage + corps.Strength / 10, kMaxDamage));
    corps.Fatigue = IncrementedByte(corps.Fatigue);
    ForEachAttachedBrigade(k, [](TBrigadeRec& b) { b.Fatigue = IncrementedByte(b.Fatigue); });
    if (IsState(city.State)) {
        TStateRec& st = g.States[city.State];
        st.OccupationCount = IncrementedByte(st.OccupationCount);
        GainLoyalty(st, city.Damage / (personDecided ? 10 : 15));
    }
    AnnounceCityFall(c, k, formerNation);
    for (TStateRec& st : g.States) {
        if (st.Owner == side) GainLoyalty(st, city.Value / 3);
        else if (personDecided) LoseLoyalty(st, city.Value / 3);
    }
}

void TakeCity(int c, int k) {
    TGameRec& g = *GameRec;
    TCityRec& city = g.Cities[c];
    TCorpsRec& corps = g.Corps[k];
    const int side = corps.Side;
    const int nation = corps.Nation;
    const int formerSide = city.Owner;
    const int formerNation = city.Nation;

    city.ScoreValue = 1;
    AddWill(nation, city.Value);
    LoseWill(formerSide, city.Value);
    if (formerSide == 0 && city.State == kBorderStateWithNeutralCities) {
        ThrowNeutralCitiesToOtherSide(kBorderStateWithNeutralCities, side, c);
        UpdateHexControl();
    }
    city.Owner = static_cast<U8>(side);
    city.Nation = static_cast<U8>(nation);
    city.EnemyTally = static_cast<std::uint16_t>(k);

    std::string place = city.Name.str() + " " + g.States[city.State].ShortName.str();
    if (IsNation(formerNation) && g.Nations[formerNation].Capital == c) {
        place += Text(32);
        LoseWill(formerNation, kCapitalLossWill);
    }
    RaiseEventNotice(kCityFallNotice, IsNation(nation) ? Text(16 + nation) : std::string(),
                     Text(21) + LeaderName(corps.Leader), Text(22), place);

    TakeGarrison(c, side);
    for (int t = 1; t <= kStateCount; ++t) {
        TStateRec& st = g.States[t];
        if (t != city.State && st.Owner != 0 && st.Owner != side) LoseLoyalty(st, city.Value / 2 + 1);
    }

    // A side retaking its own city neither sacks it nor is praised for it.
    if (city.OriginalOwner == nation) return;
    // In a mail game the player executing the turn must not choose for the absent player's corps.
    const bool personDecides =
        IsNation(nation) && g.Nations[nation].Human != 0 && g.GameKind != 2 && OwnForcesMessageShown(nation);
    bool sack = false;
    if (personDecides) {
        ClearEventNotice();
        EventNotice.Kind = kCityFallNotice;
        EventNotice.SetLine(1, Text(23));
        OfferChoice(1, Text(4));
        OfferChoice(2, Text(3));
        ShowEventNotice();
        sack = EventNotice.Answer == 2;
    } else {
        const int chance = g.Leaders[corps.Leader].Tactics + (corps.SupplyType == 2 ? 50 : 0);
        sack = Random(120) < chance;
    }
    if (sack) SackCity(c, k, formerNation, personDecides);

    if (!personDecides || sack) {
        TNationRec& britain = g.Nations[kNationBritain];
        if (AttitudeMovable(britain)) {
            if (side == kUnion) britain.Attitude = static_cast<std::int16_t>(britain.Attitude - 1);
            else if (side == kConfederacy) britain.Attitude = static_cast<std::int16_t>(britain.Attitude + 1);
        }
        if (Random(4) == 3) RaiseEventNotice(kNewspaperNotice, Text(24), Text(25), Text(28), Text(458));
    }

    if (corps.Leader != 0) {
        I8& prestige = g.Leaders[corps.Leader].Political;
        prestige = static_cast<I8>(std::min(127, prestige + std::max<int>(city.Value, 3) / 3));
    }
    if (IsNation(nation) && g.Nations[nation].Human == 0) LeaveGarrison(c, k);
}

// The corps slots in use, by hex and then by index, so that a city finds the corps on it without
// reading every slot. Nothing in the pass moves a corps or puts a slot in use.
class TCorpsByHex {
public:
    TCorpsByHex() {
        const TGameRec& g = *GameRec;
        for (int k = 1; k <= kCorpsCount; ++k)
            if (CorpsInUse(g.Corps[k])) keys_[static_cast<std::size_t>(count_++)] = Key(g.Corps[k].HexX, g.Corps[k].HexY) | k;
        std::sort(keys_.begin(), keys_.begin() + count_);
    }
    template <typename Visit>
    void ForEachOn(int x, int y, Visit visit) const {
        const std::uint32_t hex = Key(x, y);
        auto it = std::lower_bound(keys_.begin(), keys_.begin() + count_, hex);
        for (; it != keys_.begin() + count_ && (*it & ~0xFFu) == hex; ++it) visit(static_cast<int>(*it & 0xFFu));
    }

private:
    static std::uint32_t Key(int x, int y) { return (static_cast<std::uint32_t>(x) << 16) | (static_cast<std::uint32_t>(y) << 8); }
    std::array<std::uint32_t, kCorpsCount> keys_{};
    int count_ = 0;
};

// Step 2: every ungarrisoned city with an enemy corps on it and no defender falls.
template <bool kRescan>
void TakeUndefendedCities() {
    TGameRec& g = *GameRec;
    std::optional<TCorpsByHex> byHex;
    if (!kRescan) byHex.emplace();
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        if (city.Garrison != 0) continue;
        city.ScoreValue = 0;
        city.EnemyTally = 0;
        bool defended = false;
        int capturer = 0;
        auto weigh = [&](int k) {
            TCorpsRec& corps = g.Corps[k];
            if (corps.HexX != city.HexX || corps.HexY != city.HexY || !CorpsInUse(corps) || corps.OrderMode >= 4) return;
            if (corps.Side == city.Owner) {
                defended = true;
                corps.Entrenchment = static_cast<U8>(std::min(corps.Entrenchment + city.Fortifications, kMaxDefence));
            } else {
                capturer = k;
            }
        };
        if (byHex) byHex->ForEachOn(city.HexX, city.HexY, weigh);
        else
            for (int k = 1; k <= kCorpsCount; ++k) weigh(k);
        if (!defended && capturer != 0) TakeCity(c, capturer);
    }
}

const char* const kNationPhrase[] = {"", "the Union.", "the Confederacy.", "France.", "Britain."};

// Step 3: a state follows the nation holding its capital, unless that nation is its holder's ally.
void StatesFollowTheirCapitals() {
    TGameRec& g = *GameRec;
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& st = g.States[s];
        const int capital = st.CapitalCity;
        const int holder = Arr1<TCityRec, kCityCount>::InRange(capital) ? g.Cities[capital].Nation : 0;
        const int previous = st.Controller;
        if (!IsNation(holder) || holder == previous) continue;
        if (previous != 0 && g.Nations[holder].Side == g.Nations[previous].Side) continue;
        const int side = g.Nations[holder].Side;
        st.ControlSide = static_cast<U8>(side);
        st.Controller = static_cast<U8>(holder);
        if (IsBorderState(s)) {
            st.Owner = static_cast<U8>(side);
            for (U16* pool : {&st.InfantryPool, &st.CavalryPool, &st.ArtilleryPool, &st.NewRecruits})
                SetStock(*pool, 0, StockRule::Conquest);
        }
        AddWill(holder, 2 * st.PoliticalValue);
        LoseWill(previous, st.PoliticalValue);
        for (int n : {kNationFrance, kNationBritain}) {
            if (n == holder) continue;
            TNationRec& power = g.Nations[n];
            if (!AttitudeMovable(power)) continue;
            if (power.Side != 0 && power.Attitude > st.PoliticalValue)
                power.Attitude = static_cast<std::int16_t>(power.Attitude - st.PoliticalValue);
            else if (power.Side == 0)
                power.Attitude = static_cast<std::int16_t>(power.Attitude + st.PoliticalValue);
        }
        RaiseEventNotice(kStateLostNotice, st.Name.str() + Text(29), kNationPhrase[holder]);
        if (st.ExtraOutput == 0) continue;
        for (TCityRec& city : g.Cities) {
            if (city.State != s) continue;
            if (city.Owner == st.ControlSide) city.Nation = st.Controller;
            if (IsBorderState(s) && city.Owner == 0) {
                city.Owner = static_cast<U8>(OppositeSide(st.Owner));
                city.Nation = city.Owner;
            }
        }
    }
}

}  // namespace

void AnnounceCityFall(int c, int k, int formerNation) {
    TGameRec& g = *GameRec;
    const TCityRec& city = g.Cities[c];
    const TCorpsRec& corps = g.Corps[k];
    std::string carried, wrecked;
    const int amount = std::max(0, 10 * city.Value - city.Damage / 5);
    const int theatre = city.Theatre;
    if (IsNation(formerNation) && theatre >= 1 && theatre <= kTheatreCount &&
        g.Nations[formerNation].TheatreSupplies[theatre] >= amount) {
        carried = std::to_string(amount) + Text(11);
        const int taken = TakeStock(g.Nations[formerNation].TheatreSupplies[theatre], amount, StockRule::Conquest);
        if (IsNation(corps.Nation)) ChangeStock(g.Nations[corps.Nation].TheatreSupplies[theatre], taken, StockRule::Conquest);
    }
    const int home = city.OriginalOwner;
    if (IsNation(home) && home != corps.Nation && g.Nations[home].RailCapacity > 0) {
        wrecked = Text(12);
        g.Nations[home].RailCapacity = static_cast<U8>(g.Nations[home].RailCapacity - 1);
    }
    RaiseEventNotice(kCityFallNotice, Text(9) + LeaderName(corps.Leader), Text(10) + city.Name.str(), carried, wrecked);
}

void ResolveConquests() {
    NeutralPortIncidents<false>();
    TakeUndefendedCities<false>();
    StatesFollowTheirCapitals();
}

void ResolveConquestsFullRescan() {
    NeutralPortIncidents<true>();
    TakeUndefendedCities<true>();
    StatesFollowTheirCapitals();
}

}  // namespace kvt
