// End-of-turn upkeep. Recruits, weapons and supplies change through the stock helpers; every
// brigade moved between a corps and a garrison updates both counts at once, so the record stays
// true without waiting for the next recount.
#include "engine/logistics/upkeep.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/fleet_records.h"
#include "engine/forces/force_recount.h"
#include "engine/forces/force_tally.h"
#include "engine/forces/forming.h"
#include "engine/forces/leader_choice.h"
#include "engine/logistics/home_front.h"
#include "engine/logistics/naval_planning.h"
#include "engine/world/map_grid.h"
#include "engine/world/naming.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kFortBuiltNotice = 7, kFleetLostNotice = 15, kFleetReadyNotice = 16;
constexpr int kBrigadeFormedNotice = 22, kForcesAddedNotice = 23;
constexpr U8 kArmyCandidate = 100;
constexpr int kMostCorps = 31;
constexpr int kLowestFortCost = 50;
constexpr int kLastBrigadeForLine = kBrigadeCount - 1;

// The theatre of a brigade's home state, 0 when it has none.
int HomeTheatre(const TBrigadeRec& b) { return IsState(b.HomeState) ? GameRec->States[b.HomeState].Theatre : 0; }

bool AboveReserve(const TNationRec& n, int theatre, long long margin) {
    return IsHomeFrontTheatre(theatre) && n.TheatreSupplies[theatre] > SupplyReserve(n, theatre) + margin;
}

// The brigades a sweep visits, in index order: every one for the plain reading, else those that
// `keep` passes when the list is made. A pass that only ever takes brigades out of what `keep` asks
// for meets the same first match on the short list.
class TBrigadeList {
public:
    template <typename Keep>
    TBrigadeList(bool all, Keep keep) {
        for (int i = 1; i <= kBrigadeCount; ++i)
            if (all || keep(GameRec->Brigades[i])) at_[size_++] = static_cast<std::uint16_t>(i);
    }
    // Those of `from` that `keep` passes.
    template <typename Keep>
    TBrigadeList(const TBrigadeList& from, Keep keep) {
        for (const int i : from)
            if (keep(GameRec->Brigades[i])) at_[size_++] = static_cast<std::uint16_t>(i);
    }
    const std::uint16_t* begin() const { return at_.data(); }
    const std::uint16_t* end() const { return at_.data() + size_; }

private:
    std::array<std::uint16_t, kBrigadeCount> at_;
    int size_ = 0;
};

// A nation's brigades: no step of its upkeep raises a brigade or hands one to another nation, so
// those listed at its start are all it can ever meet.
TBrigadeList NationBrigades(bool all, int n) {
    return TBrigadeList(all, [n](const TBrigadeRec& b) { return b.Nation == n; });
}

// 1. Brigades in supplied corps are brought up to strength from their home state's recruits.
void RefillBrigades(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    for (const int i : own) {
        TBrigadeRec& b = g.Brigades[i];
        if (b.Nation != n || b.AttachKind != kAttachCorps) continue;
        const int target = BrigadeTargetStrength(b.BrigadeType);
        const TCorpsRec& corps = g.Corps[b.AttachIndex];
        if (target == 0 || !CorpsInUse(corps) || corps.SupplyDistance > 1 || b.Strength >= target) continue;
        if (!IsState(b.HomeState)) continue;
        TStateRec& home = g.States[b.HomeState];
        const int t = home.Theatre;
        if (!IsHomeFrontTheatre(t) || nation.TheatreSupplies[t] < SupplyReserve(nation, t) || home.Controller != n) continue;
        const int need = target - b.Strength;
        U16& pool = *RecruitPool(home, b.BrigadeType);
        if (pool < need) continue;
        const int oldQuality = b.Quality, oldStrength = b.Strength;
        b.Strength = static_cast<U8>(target);
        TakeStock(pool, need, StockRule::Upkeep);
        ReportBrigadeEvent(n, 0, i, need, kBrigadeRefilled);
        int quality = (oldQuality * oldStrength + need) / target;
        if (n == kNationConfederacy && quality < oldQuality) quality += 1;
        b.Quality = static_cast<U8>(std::min(quality, 255));
        // The men come armed with the brigade's weapon; the best cannon are not drawn from the pool.
        if (b.Weapon >= 1 && b.Weapon <= 7 && nation.WeaponPool[b.Weapon] >= need)
            TakeStock(nation.WeaponPool[b.Weapon], need, StockRule::Upkeep);
    }
}

void MakeGarrison(int n, int b, int c) {
    TGameRec& g = *GameRec;
    TBrigadeRec& brigade = g.Brigades[b];
    TCityRec& city = g.Cities[c];
    brigade.AttachKind = kAttachGarrison;
    brigade.AttachIndex = static_cast<U8>(c);
    city.Garrison = static_cast<std::uint16_t>(std::min(city.Garrison + 1, 65535));
    if (city.Status != 0) city.Status -= 1;
    ReportBrigadeEvent(n, c, b, 0, kBrigadeGarrisoned);
    if (brigade.Weapon == 0) brigade.Weapon = brigade.BrigadeType == kBrigadeCavalry ? 4 : 1;
}

bool Waiting(const TBrigadeRec& b) { return b.AttachKind == kAttachWaiting || b.AttachKind == kAttachUnarmed; }

// The brigades WaitingLineBrigade may answer while a pass only garrisons them.
TBrigadeList WaitingLineBrigades(const TBrigadeList& own, int n) {
    return TBrigadeList(own, [n](const TBrigadeRec& b) {
        return Waiting(b) && b.Nation == n && b.BrigadeType != kBrigadeArtillery && b.BrigadeType != 0;
    });
}

// The first line brigade of the nation waiting for a corps or for weapons whose home lies in the theatre.
int WaitingLineBrigade(int n, int theatre, const TBrigadeList& brigades) {
    for (const int i : brigades) {
        if (i > kLastBrigadeForLine) break;
        const TBrigadeRec& b = GameRec->Brigades[i];
        if (!Waiting(b) || b.Nation != n) continue;
        if (b.BrigadeType == kBrigadeArtillery || b.BrigadeType == 0) continue;
        if (IsHomeFrontTheatre(theatre) && HomeTheatre(b) == theatre) return i;
    }
    return 0;
}

bool GarrisonCandidate(const TCityRec& c, int n) {
    return c.Nation == n && c.Owner == GameRec->Nations[n].Side && IsSupplySource(c);
}

// 3. An ungarrisoned city with enemy corps within 10 hexes takes one waiting brigade.
// No corps moves meanwhile, so the corps are sorted for the tally once.
template <bool kRescan>
void GarrisonThreatenedCities(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    std::optional<TBrigadeList> waiting;
    std::optional<TTallyCorps> corps;
    for (int c = kCityCount; c >= 1; --c) {
        TCityRec& city = g.Cities[c];
        if (!GarrisonCandidate(city, n) || city.Garrison != 0) continue;
        if (kRescan) {
            TallyForcesNearCity(c, n, 10);
        } else {
            if (!corps) corps.emplace();
            corps->TallyNear(c, n, 10);
        }
        city.ScoreValue = EnemyCorpsTally;
        if (EnemyCorpsTally == 0) continue;
        if (!waiting) waiting.emplace(WaitingLineBrigades(own, n));
        if (const int b = WaitingLineBrigade(n, city.Theatre, *waiting)) MakeGarrison(n, b, c);
    }
}

// 6. A city that asks for garrison brigades takes one.
void GarrisonWantingCities(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    std::optional<TBrigadeList> waiting;
    for (int c = kCityCount; c >= 1; --c) {
        const TCityRec& city = g.Cities[c];
        if (!GarrisonCandidate(city, n) || city.Status == 0) continue;
        if (!waiting) waiting.emplace(WaitingLineBrigades(own, n));
        if (const int b = WaitingLineBrigade(n, city.Theatre, *waiting)) MakeGarrison(n, b, c);
    }
}

// Joins brigade b to corps k, keeping the corps' figures and its former garrison's count true.
void JoinCorps(int n, int k, int b) {
    TGameRec& g = *GameRec;
    TCorpsRec& corps = g.Corps[k];
    TBrigadeRec& brigade = g.Brigades[b];
    if (brigade.AttachKind == kAttachGarrison && IsCity(brigade.AttachIndex)) {
        U16& garrison = g.Cities[brigade.AttachIndex].Garrison;
        if (garrison != 0) garrison -= 1;
    }
    if (brigade.BrigadeType == kBrigadeArtillery) {
        corps.Artillery = static_cast<U8>(std::min(corps.Artillery + brigade.Strength, 255));
        corps.ArtilleryCount += 1;
    } else {
        corps.Strength = static_cast<std::uint16_t>(std::min(corps.Strength + brigade.Strength, 65535));
        corps.LineCount += 1;
    }
    brigade.AttachKind = kAttachCorps;
    brigade.AttachIndex = static_cast<U8>(k);
    ReportBrigadeEvent(n, k, b, 0, kBrigadeJoinedCorps);
}

bool LineFits(const TCorpsRec& corps, const TBrigadeRec& b, int index) {
    if (index > kLastBrigadeForLine) return false;
    return (b.BrigadeType == kBrigadeInfantry && corps.Kind < 2) || (b.BrigadeType == kBrigadeCavalry && corps.Kind == 2);
}

// 4.4: the first waiting brigade that fits; 4.5: else the first of the supply city's garrison.
bool FillCorps(int n, int k, bool fromGarrison, int city, const TBrigadeList& brigades) {
    TGameRec& g = *GameRec;
    const TCorpsRec& corps = g.Corps[k];
    for (const int i : brigades) {
        const TBrigadeRec& b = g.Brigades[i];
        // The attachment first: brigades free to join a corps are few.
        if (fromGarrison ? b.AttachIndex != city || b.AttachKind != kAttachGarrison : b.AttachKind != kAttachWaiting)
            continue;
        if (b.Nation != n || b.HomeState == 0) continue;
        const bool fits = b.BrigadeType == kBrigadeArtillery
                              ? (fromGarrison ? corps.Artillery == 0 : corps.ArtilleryCount == 0)
                              : LineFits(corps, b, i);
        if (!fits) continue;
        JoinCorps(n, k, i);
        return true;
    }
    return false;
}

// 4.2: line brigades beyond the corps' limit go to its supply city's garrison.
void ShedExcess(int k, int city) {
    TGameRec& g = *GameRec;
    TCorpsRec& corps = g.Corps[k];
    int kept = 0;
    for (TBrigadeRec& b : g.Brigades) {
        if (b.AttachKind != kAttachCorps || b.AttachIndex != k || b.BrigadeType != kBrigadeInfantry) continue;
        if (++kept <= corps.BrigadeLimit) continue;
        b.AttachKind = kAttachGarrison;
        b.AttachIndex = static_cast<U8>(city);
        g.Cities[city].Garrison = static_cast<std::uint16_t>(std::min(g.Cities[city].Garrison + 1, 65535));
        if (corps.LineCount != 0) corps.LineCount -= 1;
        corps.Strength = static_cast<std::uint16_t>(corps.Strength > b.Strength ? corps.Strength - b.Strength : 0);
    }
}

// 4.3: cannon do not stand in garrisons; they wait for a corps.
void ReleaseArtilleryGarrisons(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    for (const int i : own) {
        TBrigadeRec& b = g.Brigades[i];
        if (b.BrigadeType != kBrigadeArtillery || b.AttachKind != kAttachGarrison || b.Nation != n) continue;
        if (IsCity(b.AttachIndex) && g.Cities[b.AttachIndex].Garrison != 0) g.Cities[b.AttachIndex].Garrison -= 1;
        b.AttachKind = kAttachWaiting;
        b.AttachIndex = 0;
    }
}

// 4. Corps in supply are trimmed to their limit and filled one brigade a turn.
// Once the artillery garrisons are released nothing here makes a brigade wait (shedding garrisons
// infantry, filling takes brigades into corps): later releases find nothing, and the waiting
// brigades are listed once.
template <bool kRescan>
void CorpsHousekeeping(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    const TNationRec& nation = g.Nations[n];
    // The nation's garrison brigades are listed again after a corps sheds some.
    std::optional<TBrigadeList> waiting, garrisoned;
    for (int t = kTheatreCount; t >= 1; --t) {
        for (int k = 1; k <= kCorpsCount; ++k) {
            TCorpsRec& corps = g.Corps[k];
            if (!CorpsInUse(corps) || corps.Nation != n || corps.OrderMode >= 4 || corps.Region != t) continue;
            if (corps.SupplyDistance > 1) continue;
            if (corps.BrigadeLimit > 9) corps.BrigadeLimit = 9;
            const int city = IsCity(corps.SupplyCity) ? corps.SupplyCity : 0;
            if (corps.LineCount > corps.BrigadeLimit && city != 0 && g.Cities[city].Nation == n) {
                ShedExcess(k, city);
                garrisoned.reset();
            }
            if (kRescan || !waiting) {
                ReleaseArtilleryGarrisons(n, own);
                waiting.emplace(own, [n](const TBrigadeRec& b) { return b.AttachKind == kAttachWaiting && b.Nation == n; });
            }
            // Only a corps under its limit takes a brigade: taking one back from the garrison it has
            // just shed would swap the same brigade in and out every turn.
            if (corps.LineCount >= corps.BrigadeLimit) continue;
            if (FillCorps(n, k, false, 0, *waiting)) continue;
            if (city == 0 || city == nation.Capital || g.Cities[city].Status != 0) continue;
            if (kRescan || !garrisoned)
                garrisoned.emplace(own, [n](const TBrigadeRec& b) { return b.AttachKind == kAttachGarrison && b.Nation == n; });
            FillCorps(n, k, true, city, *garrisoned);
        }
    }
}

// 5. The capital asks for brigades while its garrison is small; waiting infantry of its theatre come.
void GarrisonCapital(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    const int c = g.Nations[n].Capital;
    if (!IsCity(c)) return;
    TCityRec& capital = g.Cities[c];
    if (capital.Nation == n && capital.Garrison < 8 && capital.Status < 255) capital.Status += 1;
    if (capital.Status != 0 && capital.Garrison > 8) capital.Status = 0;
    const int holder = capital.Nation;
    if (capital.Status == 0) return;
    // A capital held by another nation draws on that nation's brigades.
    const std::optional<TBrigadeList> others = holder == n ? std::nullopt : std::optional(NationBrigades(true, holder));
    // The capital's own theatre: a capital away from the Seaboard draws on the brigades around it.
    for (const int i : others ? *others : own) {
        if (capital.Status == 0) break;
        const TBrigadeRec& b = g.Brigades[i];
        if (b.Nation != holder || b.BrigadeType != kBrigadeInfantry) continue;
        if (b.AttachKind != kAttachWaiting && b.AttachKind != kAttachUnarmed) continue;
        if (HomeTheatre(b) == capital.Theatre && IsHomeFrontTheatre(capital.Theatre)) MakeGarrison(holder, i, c);
    }
}

void CountFormation(int n, int theatre) {
    TNationRec& nation = GameRec->Nations[n];
    if (nation.CorpsTally < 255) nation.CorpsTally += 1;
    if (nation.CorpsInTheatre[theatre] < 255) nation.CorpsInTheatre[theatre] += 1;
}

// The city of the nation in the theatre with the highest value plus three for each enemy corps near
// it, the last on a tie; 0 none. `corps`: the corps sorted for the tally, or none to measure every one.
int MostThreatenedCity(int n, int theatre, const TTallyCorps* corps) {
    TGameRec& g = *GameRec;
    int city = 0;
    long long best = -1;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& at = g.Cities[c];
        if (at.Nation != n || at.Theatre != theatre) continue;
        const int range = theatre == 1 ? 5 : 10;
        if (corps) corps->TallyNear(c, n, range);
        else TallyForcesNearCity(c, n, range);
        const long long score = at.Value + 3LL * EnemyCorpsTally;
        if (score >= best) {
            best = score;
            city = c;
        }
    }
    return city;
}

// 7. Waiting brigades are formed into corps and divisions at the most threatened city of a theatre
// short of corps.
// Between rounds only a formation changes the record (the rest are draws): the waiting brigades
// and each theatre's most threatened city are counted again only after one was tried.
template <bool kRescan>
void FormNewCorps(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    static constexpr int kTheatreWeight[] = {0, 3, 1, 2};
    std::array<int, 4> waiting{};
    std::array<int, kTheatreCount + 1> threatened{};  // the city, -1 not yet found
    std::optional<TTallyCorps> corps;
    bool counted = false;
    for (;;) {
        if (nation.CorpsTally >= kMostCorps) return;
        int theatre = n == kNationFrance ? 2 : n == kNationBritain ? 1 : 0;
        if (n == kNationUnion || n == kNationConfederacy) {
            int best = 45;
            for (int t = 1; t <= kTheatreCount; ++t) {
                const int score = kTheatreWeight[t] * nation.CorpsInTheatre[t] + Random(15);
                if (score < best) {
                    best = score;
                    theatre = t;
                }
            }
        }
        if (kRescan || !counted) {
            waiting = {};
            const bool foreign = n == kNationFrance || n == kNationBritain;
            // Waiting brigades are few: their mark is tested first.
            for (const int i : own) {
                const TBrigadeRec& b = g.Brigades[i];
                if (b.AttachKind != kAttachWaiting && !(foreign && b.AttachKind == kAttachGarrison)) continue;
                if (b.Nation == n && b.HomeState != 0 && b.BrigadeType <= 3) ++waiting[b.BrigadeType];
            }
            threatened.fill(-1);
            corps.reset();
            counted = true;
        }
        if (theatre != 0 && threatened[theatre] < 0) {
            if (!kRescan && !corps) corps.emplace();
            threatened[theatre] = MostThreatenedCity(n, theatre, corps ? &*corps : nullptr);
        }
        const int city = theatre != 0 ? threatened[theatre] : 0;
        if (city != 0) {
            int& infantry = waiting[kBrigadeInfantry];
            auto form = [&](int kind) {
                if (nation.CorpsTally >= kMostCorps) return 0;
                counted = false;
                const int k = FormCorpsFromWaitingBrigades(kind, city, n, 2);
                if (k != 0) CountFormation(n, theatre);
                return k;
            };
            if (infantry > 3 && waiting[kBrigadeArtillery] >= 1) {
                if (const int k = form(0)) {
                    infantry -= g.Corps[k].LineCount;
                    waiting[kBrigadeArtillery] -= 1;
                }
            }
            if (infantry > 2) form(1);
            if (waiting[kBrigadeCavalry] > 1) form(2);
        }
        // The repeat is drawn for before the corps count is looked at again.
        if (city == 0 || theatre == 0 || Random(100) > 90) return;
    }
}

// Repairs as many damaged ships as the supplies pay for.
void Repair(U8& damaged, U8& sound, U16& supplies, int price) {
    const int k = std::min({static_cast<int>(damaged), static_cast<int>(supplies) / price, 255 - sound});
    if (k <= 0) return;
    TakeStock(supplies, static_cast<long long>(k) * price, StockRule::Upkeep);
    damaged = static_cast<U8>(damaged - k);
    sound = static_cast<U8>(sound + k);
}

// 8. Idle fleets in their home port are repaired at its yards.
void RepairInPort(int n) {
    TGameRec& g = *GameRec;
    for (TFleetRec& f : g.Fleets) {
        if (f.Owner != n || f.BuildCounter != 0 || f.Mission > kMissionRefit) continue;
        if (!IsCity(f.HomePort) || !FleetOnCity(f, f.HomePort)) continue;
        const TCityRec& port = g.Cities[f.HomePort];
        if (port.IroncladYards == 0 && port.WoodenYards == 0) {
            f.Mission = kMissionNothing;
            continue;
        }
        if (!IsHomeFrontTheatre(port.Theatre)) continue;
        U16& supplies = g.Nations[n].TheatreSupplies[port.Theatre];
        if (port.IroncladYards != 0) Repair(f.DamagedIronclads, f.Ironclads, supplies, 50);
        if (port.WoodenYards != 0) {
            Repair(f.DamagedWooden, f.Wooden, supplies, 10);
            Repair(f.DamagedTransports, f.Transports, supplies, 1);
        }
        if (FleetDamagedCount(f) == 0) f.Mission = kMissionNothing;
    }
}

// 9. Fleets on the stocks advance nine turns in ten; a fleet whose port has fallen is lost.
void AdvanceConstruction(int n) {
    TGameRec& g = *GameRec;
    for (int i = 1; i <= kFleetCount; ++i) {
        TFleetRec& f = g.Fleets[i];
        if (f.Owner != n || f.BuildCounter < 1 || f.BuildCounter >= kFleetFreeFrom) continue;
        const int p = f.HomePort;
        const std::string port = IsCity(p) ? g.Cities[p].Name.str() : std::string();
        if (!IsCity(p) || g.Cities[p].Owner != f.Side) {
            RaiseEventNotice(kFleetLostNotice, Text(150 + n), port + Text(155));
            FreeFleet(i);
            continue;
        }
        if (Random(100) < 90) f.BuildCounter -= 1;
        const TCityRec& city = g.Cities[p];
        f.HexX = city.HexX;
        f.HexY = city.HexY;
        f.StartX = city.HexX;
        f.StartY = city.HexY;
        // The ready notice has no dialog: it fills the notice and shows nothing.
        if (f.BuildCounter == 0) RaiseEventNotice(kFleetReadyNotice, Text(150 + n), port + Text(143));
    }
}

// 10. Garrisons larger than their city wants are formed into corps and divisions.
// Only a formation changes corps or garrisons here: the corps sorted for the tally and the garrison
// brigades counted by city serve until one is tried.
template <bool kRescan>
void GarrisonIntoCorps(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    for (TCityRec& city : g.Cities)
        if (city.Status > 200) city.Status = 0;
    const int capital = g.Nations[n].Capital;
    std::optional<TTallyCorps> corps;
    std::optional<std::array<std::array<int, 4>, kCityCount + 1>> garrisons;
    auto form = [&](int kind, int c) {
        corps.reset();
        garrisons.reset();
        return FormCorpsFromWaitingBrigades(kind, c, n, 0);
    };
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Owner != n || city.Garrison <= city.Status) continue;
        if (kRescan) {
            TallyForcesNearCity(c, n, 3);
        } else {
            if (!corps) corps.emplace();
            corps->TallyNear(c, n, 3);
        }
        const bool threatened = EnemyCorpsTally != 0;
        int wanted = city.Status;
        bool used = false;
        if (c == capital) {
            wanted += 8;
            if (!threatened) wanted += 2;
            if (n != kNationUnion) wanted /= 2;
            used = city.Garrison > wanted;
        } else {
            used = threatened || city.Garrison > wanted;
        }
        if (!used) continue;
        if (kRescan || !garrisons) {
            garrisons.emplace();
            for (const int i : own) {
                const TBrigadeRec& b = g.Brigades[i];
                if (b.AttachKind == kAttachGarrison && b.Nation == n && b.BrigadeType <= 3 && IsCity(b.AttachIndex))
                    ++(*garrisons)[b.AttachIndex][b.BrigadeType];
            }
        }
        const std::array<int, 4> held = (*garrisons)[c];
        if (held[1] + held[2] + held[3] == 0) continue;
        int formed = 0;
        if (held[kBrigadeInfantry] > 2) formed = form(0, c);
        if (c == capital) continue;
        if (held[kBrigadeInfantry] > 1 && formed == 0) form(1, c);
        if (held[kBrigadeCavalry] >= 1) form(2, c);
    }
}

// 12. One more train a turn when the railways are full.
void BuyRailCapacity(int n) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    if (n != kNationUnion && n != kNationConfederacy) return;
    if (nation.RailUsed + 1 < nation.RailCapacity || nation.RailCapacity == 255) return;
    for (const TCityRec& c : g.Cities) {
        if (c.Nation != n || !AboveReserve(nation, c.Theatre, 500)) continue;
        TakeStock(nation.TheatreSupplies[c.Theatre], 20, StockRule::Upkeep);
        nation.RailCapacity += 1;
        return;
    }
}

bool ArmyBaseNear(int n, int t, int x, int y) {
    for (const TArmyRec& a : GameRec->Armies)
        if (ArmyInUse(a) && a.Nation == n && a.Theatre == t && IsCity(a.BaseCity) &&
            HexDistance(GameRec->Cities[a.BaseCity].HexX, GameRec->Cities[a.BaseCity].HexY, x, y) < 4)
            return true;
    return false;
}

bool SuppliedFromSource(const TCorpsRec& corps) {
    if (!IsCity(corps.SupplyCity)) return false;
    const int code = GameRec->Cities[corps.SupplyCity].SupplySource;
    return code >= 2 && code <= 3;
}

bool ArmyCandidate(const TCorpsRec& corps, int n, int t) {
    return CorpsInUse(corps) && corps.Nation == n && corps.Army == 0 && corps.Region == t && corps.OrderMode < 4;
}

void ClearMarks(int n) {
    for (TCorpsRec& c : GameRec->Corps)
        if (c.Nation == n && c.Army == kArmyCandidate) c.Army = 0;
}

// The state with the most brigades among the marked corps whose capital the side holds, the first
// on a tie; a state none of them comes from is still taken. 0 none.
int ArmyState(int n, int t) {
    TGameRec& g = *GameRec;
    int chosen = 0, best = -1;
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g.States[s];
        if (st.Priority <= best || !IsCity(st.CapitalCity) || g.Cities[st.CapitalCity].Owner != g.Nations[n].Side) continue;
        chosen = s;
        best = st.Priority;
    }
    if (chosen == 0) return 0;
    for (const TArmyRec& a : g.Armies)
        if (ArmyInUse(a) && a.Nation == n && a.Theatre == t && IsCity(a.BaseCity) && g.Cities[a.BaseCity].State == chosen)
            return 0;
    return chosen;
}

// Raises the army for corps k and its marked neighbours; false when anything was missing.
bool RaiseArmy(int n, int t, int k, int state) {
    TGameRec& g = *GameRec;
    const TCorpsRec& corps = g.Corps[k];
    const int base = IsCity(corps.SupplyCity) ? corps.SupplyCity : g.States[state].CapitalCity;
    if (!IsCity(base)) return false;
    const int leader = PickCommander(n, kCommandArmy, 0, 0);
    if (!Arr1<TLeaderRec, kLeaderCount>::InRange(leader) || !ReplaceCorpsCommander(n, leader)) return false;
    const int a = AllocateArmySlot(n);
    TLeaderRec& l = g.Leaders[leader];
    if (a == 0) {
        // Chosen for a command that never came: he is free for the next one.
        l.Status = kLeaderAvailable;
        return false;
    }
    TNationRec& nation = g.Nations[n];
    if (nation.ArmyTally < 255) nation.ArmyTally += 1;
    TArmyRec& army = g.Armies[a];
    army.BaseCity = army.SupplyBase = army.Objective = static_cast<U8>(base);
    army.Leader = static_cast<U8>(leader);
    army.ArmyValue = 50;
    army.Stance = 1;
    army.CorpsCount = 1;  // the corps gathered with it are counted in by the next recount
    army.Readiness = corps.FatigueLimit;
    army.SupplyPriority = 0;
    army.FreeCorps = 1;
    army.Condition = corps.Condition;
    army.Theatre = static_cast<U8>(t);
    army.Side = nation.Side;
    army.Nation = static_cast<U8>(n);
    l.Status = kLeaderActive;
    l.Rank = 5;
    FormArmyWithPoolName(n, a, state);
    for (TCorpsRec& c : g.Corps)
        if (c.Nation == n && c.Region == t && c.Army == kArmyCandidate) c.Army = static_cast<U8>(a);
    return true;
}

// Marks corps k and up to five supplied corps within 10 hexes; the number marked. Each adds its
// brigades to its home state's tally when that state lies in the theatre.
int MarkArmyCorps(int n, int t, int k) {
    TGameRec& g = *GameRec;
    for (TStateRec& s : g.States) s.Priority = 0;
    auto count = [&](const TCorpsRec& c) {
        if (IsState(c.HomeState) && g.States[c.HomeState].Theatre == t)
            g.States[c.HomeState].Priority = static_cast<std::uint16_t>(g.States[c.HomeState].Priority + c.LineCount);
    };
    TCorpsRec& lead = g.Corps[k];
    count(lead);
    lead.Army = kArmyCandidate;
    int marked = 1;
    for (int j = 1; j <= kCorpsCount && marked < 6; ++j) {
        TCorpsRec& c = g.Corps[j];
        if (j == k || !ArmyCandidate(c, n, t) || !SuppliedFromSource(c)) continue;
        if (HexDistance(lead.HexX, lead.HexY, c.HexX, c.HexY) >= 10) continue;
        c.Army = kArmyCandidate;
        count(c);
        ++marked;
    }
    return marked;
}

// 13. Corps standing together in a theatre short of armies are formed into one.
void FormArmies(int n) {
    TGameRec& g = *GameRec;
    const TNationRec& nation = g.Nations[n];
    for (int t = 1; t <= kTheatreCount; ++t) {
        const int corpsHere = nation.CorpsInTheatre[t];
        if (corpsHere % 3 < 2 && !(nation.ArmiesInTheatre[t] == 0 && corpsHere > 1)) continue;
        if (n == kNationFrance && t <= 2) continue;
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec& corps = g.Corps[k];
            if (!ArmyCandidate(corps, n, t) || !SuppliedFromSource(corps)) continue;
            if (ArmyBaseNear(n, t, corps.HexX, corps.HexY)) continue;
            const int marked = MarkArmyCorps(n, t, k);
            const int home = IsState(corps.HomeState) ? g.States[corps.HomeState].Priority : 0;
            if (home < 3 || nation.ArmyTally > 9 || marked < 2) {
                if (home < 3 && IsState(corps.HomeState)) g.States[corps.HomeState].Priority = 0;
                // A candidate that fails must not carry its marks into the next one's army.
                ClearMarks(n);
                continue;
            }
            const int state = ArmyState(n, t);
            if (state == 0 || !RaiseArmy(n, t, k, state)) ClearMarks(n);
            break;
        }
    }
    ClearMarks(n);
}

// 14. Forts where the garrison outgrows them or a port lacks them, and free harbour guns.
void BuildForts(int n) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    const int years = g.Year - 1860;
    const int cost = std::max(350 - 75 * (g.Year - 1861), kLowestFortCost);
    for (TCityRec& c : g.Cities) {
        // Works grow up to two levels a year of war, so level 10 comes only in 1865.
        if (c.Nation != n || c.FortifiedThisTurn != 0 || c.Fortifications >= 2 * years) continue;
        if (!IsHomeFrontTheatre(c.Theatre)) continue;
        const bool port = c.Port != 0 || c.RiverLink != 0;
        const bool wanted = c.Garrison > c.Fortifications || (port && (c.Fortifications < c.CoastalGuns || c.Fortifications < 2));
        U16& supplies = nation.TheatreSupplies[c.Theatre];
        if (wanted && AboveReserve(nation, c.Theatre, 2000)) {
            TakeStock(supplies, cost, StockRule::Upkeep);
            c.Fortifications += 1;
            c.FortifiedThisTurn = 1;
            if (g.EnemyVisibility == n || g.EnemyVisibility == 3)
                RaiseEventNotice(kFortBuiltNotice, Text(229), Text(687) + c.Name.str());
        }
        if (supplies > 2000 && port && c.CoastalGuns < years && c.CoastalGuns <= 8) c.CoastalGuns += 1;
    }
}

// 15. With many corps in the field, divisions under proven leaders become corps.
void PromoteDivisions(int n) {
    TGameRec& g = *GameRec;
    if (g.Nations[n].CorpsTally <= 25) return;
    for (TCorpsRec& c : g.Corps) {
        if (!CorpsInUse(c) || c.Nation != n || c.Kind != 1 || c.Leader == 0) continue;
        TLeaderRec& l = g.Leaders[c.Leader];
        if (l.Political < 0 && l.Rank <= 2) continue;
        c.Kind = 0;
        c.BrigadeLimit = static_cast<U8>(CommanderLineLimit(0, l.Initiative));
        if (l.Rank < 3) l.Rank = 3;
    }
}

// Percent of the line brigades counted that carry muskets; 0 when none are counted.
long long MusketShare(long long muskets, long long others) {
    return muskets + others == 0 ? 0 : muskets * 100 / (muskets + others);
}

// 16. Muskets are replaced from the pools while the nation is no better armed than its enemies.
void Rearm(int n, const TBrigadeList& own) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    // France and Britain rearm whatever the others carry: only the warring nations count muskets.
    if (n != kNationFrance && n != kNationBritain) {
        long long ownMuskets = 0, ownOther = 0, muskets = 0, other = 0;
        for (const TBrigadeRec& b : g.Brigades) {
            if (b.AttachKind != kAttachCorps || (b.BrigadeType != kBrigadeInfantry && b.BrigadeType != kBrigadeCavalry)) continue;
            if (b.Nation == n) (b.Weapon == 1 ? ownMuskets : ownOther) += 1;
            else if (IsHomeFrontNation(b.Nation)) (b.Weapon == 1 ? muskets : other) += 1;
        }
        if (MusketShare(ownMuskets, ownOther) < MusketShare(muskets, other)) return;
    }
    static constexpr int kCavalryKinds[] = {5, 4, 3}, kInfantryKinds[] = {2, 3, 4};
    for (const int i : own) {
        TBrigadeRec& b = g.Brigades[i];
        if (b.Nation != n || b.AttachKind != kAttachCorps || b.Weapon != 1) continue;
        if (b.BrigadeType != kBrigadeInfantry && b.BrigadeType != kBrigadeCavalry) continue;
        for (int kind : b.BrigadeType == kBrigadeCavalry ? kCavalryKinds : kInfantryKinds) {
            if (nation.WeaponPool[kind] <= b.Strength) continue;
            b.Weapon = static_cast<U8>(kind);
            TakeStock(nation.WeaponPool[kind], b.Strength, StockRule::Upkeep);
            break;
        }
    }
}

// A corps record without a nation or marked free is wiped whole. Brigades still naming it stay as
// they are: the next force recount finds the freed record and sends them to wait for a new corps.
// The plain reading frees every free slot through the fleets' sweep; no fleet carries most of them, so
// they are cleared in place.
template <bool kRescan>
void WipeFreedCorps() {
    TGameRec& g = *GameRec;
    // Wiping a slot only ever drops that slot from the fleets, so one look over them serves the sweep.
    std::array<bool, kCorpsCount + 1> carried{};
    for (const TFleetRec& f : g.Fleets)
        if (f.Cargo >= 1 && f.Cargo <= kCorpsCount) carried[f.Cargo] = true;
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& c = g.Corps[k];
        if (c.Nation != 0 && c.Unused == 0) continue;
        // A man still heading a corps of no nation is offered again; a free slot's name is stale.
        if (CorpsInUse(c)) EndCorps(k);
        else if (kRescan || carried[static_cast<std::size_t>(k)]) FreeCorpsRecord(k);
        else {
            TCorpsRec wiped = ClearedCorpsRecord(c);
            wiped.Unused = kCorpsFreed;
            c = wiped;
        }
    }
}

// Both readings of the upkeep: the plain one sweeps every brigade and tallies every city afresh.
template <bool kRescan>
void Upkeep() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        const bool computer = g.Nations[n].Human == 0;
        if (!computer) {
            AdvanceConstruction(n);
            continue;
        }
        const TBrigadeList own = NationBrigades(kRescan, n);
        RefillBrigades(n, own);
        ArmWaitingBrigades(n);
        GarrisonThreatenedCities<kRescan>(n, own);
        CorpsHousekeeping<kRescan>(n, own);
        GarrisonCapital(n, own);
        GarrisonWantingCities(n, own);
        FormNewCorps<kRescan>(n, own);
        RepairInPort(n);
        AdvanceConstruction(n);
        GarrisonIntoCorps<kRescan>(n, own);
        PlanNavalBuilds(n);
        BuyRailCapacity(n);
        FormArmies(n);
        BuildForts(n);
        PromoteDivisions(n);
        Rearm(n, own);
    }
    WipeFreedCorps<kRescan>();
}

}  // namespace

void ComputerSideUpkeep() { Upkeep<false>(); }

void ComputerSideUpkeepFullRescan() { Upkeep<true>(); }

void ReportBrigadeEvent(int n, int index, int brigade, int amount, int kind) {
    const TGameRec& g = *GameRec;
    const int shown = g.EnemyVisibility;
    const bool person = IsHomeFrontNation(n) && g.Nations[n].Human != 0;
    if (!(shown == 3 || ((shown == 1 || shown == 2) && person))) return;
    if (!Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return;
    const TBrigadeRec& b = g.Brigades[brigade];
    if (!IsState(b.HomeState)) return;
    const bool artillery = b.BrigadeType == kBrigadeArtillery;
    const int arm = artillery ? 366 : b.BrigadeType == kBrigadeInfantry ? 364 : 365;
    const std::string line1 = OrdinalText(b.Ordinal) + g.States[b.HomeState].Name.str() + " " + Text(arm);
    switch (kind) {
        case kBrigadeRefilled:
            RaiseEventNotice(kForcesAddedNotice, line1, std::to_string(amount * (artillery ? 2 : 50)) + Text(artillery ? 225 : 226));
            break;
        case kBrigadeGarrisoned:
            RaiseEventNotice(kBrigadeFormedNotice, line1, Text(227) + (IsCity(index) ? g.Cities[index].Name.str() : std::string()));
            break;
        case kBrigadeJoinedCorps:
            if (Arr1<TCorpsRec, kCorpsCount>::InRange(index))
                RaiseEventNotice(kBrigadeFormedNotice, line1, Text(228) + g.Leaders[g.Corps[index].Leader].Name.str());
            break;
        default: break;
    }
}

}  // namespace kvt
