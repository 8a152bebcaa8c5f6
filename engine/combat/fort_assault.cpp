// Fort and city assault. Every per-corps step takes only the corps drawn in by the dispatcher that
// belong to the attacking side and are not disrupted.
#include "engine/combat/fort_assault.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "engine/combat/battle_state.h"
#include "engine/combat/field_battle.h"
#include "engine/forces/brigade_rules.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kPurgedState = 20;
constexpr int kExchangesMax = 7;
constexpr int kMaxFortHits = 3;

long Warships(const TFleetRec& f) { return f.Ironclads + f.Wooden + f.DamagedIronclads + f.DamagedWooden; }

// Calls f(corps index) for every attacking corps.
template <typename F>
void ForEachAttacker(int side, F f) {
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = G().Corps[k];
        if (FightsAtBattleHex(k) && c.Side == side && c.Disruption == 0) f(k);
    }
}

// A side breaks when the mean of four draws is at most its morale.
bool Breaks(long losses, long men) {
    const long morale = men != 0 && losses <= men ? 100 - losses * 10 / men : 100;
    const long mean = (Random(100) + Random(100) + Random(100) + Random(100)) / 4;
    return mean <= morale;
}

long Count(long draws, int range, long below) {
    long hits = 0;
    for (long i = 0; i < draws; ++i)
        if (Random(range) < below) ++hits;
    return hits;
}

bool InGarrison(const TBrigadeRec& b, int city) { return b.AttachKind == kAttachGarrison && b.AttachIndex == city; }

// One pass of losses in record order over the brigades `hit` picks: each still holding men loses
// one while any of the n hits are left (counted into `losses`). Answers what the picked brigades
// hold after the pass. `listed` holds, in record order, every brigade `hit` could pick: losses only
// thin or clear a brigade and none joins meanwhile, so a spread's passes need look at no other.
template <typename Pick>
long LossPass(long& n, long& losses, std::span<const std::uint16_t> listed, Pick hit) {
    long remaining = 0;
    for (const int b : listed) {
        const TBrigadeRec& r = G().Brigades[b];
        if (!hit(r)) continue;
        if (r.Strength != 0 && n > 0) {
            ApplyBrigadeLosses(3, b, 1);
            n -= 1;
            losses += 1;
        }
        remaining += r.Strength;
    }
    return remaining;
}

}  // namespace

void SetUpFortAssault(int city, int attacker) {
    TGameRec& g = G();
    Frontend& fe = CurrentFrontend();
    TFortAssault d;
    TFortAssaultView& v = d.view;
    g.BattleResult = 1;
    fe.SetCursor(CursorKind::Hourglass);
    const TCityRec& c = g.Cities[city];
    v.caption = Text(126);
    v.lines[1] = Text(112) + c.Name.str();
    d.city = city;
    d.attacker = attacker;
    ForEachAttacker(attacker, [&](int k) {
        TCorpsRec& corps = g.Corps[k];
        if (corps.OrderMode > 2) corps.OrderMode = 1;
        ForEachAttachedBrigade(k, [&](const TBrigadeRec& b) { (b.BrigadeType == kBrigadeArtillery ? d.aa : d.ai) += b.Strength; });
    });
    d.aaAtStart = d.aa;
    for (const TBrigadeRec& b : g.Brigades)
        if (InGarrison(b, city)) (b.BrigadeType == kBrigadeArtillery ? d.da : d.di) += b.Strength;
    d.fort = c.Fortifications;
    d.dg = c.CoastalGuns;
    for (const TFleetRec& f : g.Fleets)
        if (FleetInUse(f) && f.HexX == c.HexX && f.HexY == c.HexY) (f.Side == c.Owner ? d.dg : d.ag) += Warships(f);

    const long figures[9] = {0, 0, d.fort, d.di * 50, d.da, d.dg, d.ai * 50, d.aa, d.ag};
    for (int n = 2; n <= 8; ++n) v.lines[n] = std::to_string(figures[n]) + Text(111 + n);
    for (int n = 1; n <= 8; ++n) v.lineShown[n] = (n != 4 && n != 5 && n != 7 && n != 8) || figures[n] != 0;

    d.phase = TFortAssault::kReady;
    d.bombardment = TFortAssault::kNoBombardment;
    v.execute = {Text(120), true, true};
    v.ok = {Text(66), false, false};
    fe.SetCursor(CursorKind::Arrow);
    fe.RunFortAssault(d);
}

void TFortAssault::Button1Click() {
    if (!view.execute.visible || !view.execute.enabled) return;
    if (phase == kReady) {
        if (fort != 0) AssaultBombardment();
        else AssaultAttack();
    }
    if (phase == kStormToFollow) AssaultAttack();
    if (phase >= kOver) {
        view.ok.visible = view.ok.enabled = true;
        view.execute.visible = view.execute.enabled = false;
    }
}

void TFortAssault::RunUnattended() { Button1Click(); }

void TFortAssault::AssaultBombardment() {
    TCityRec& c = G().Cities[city];
    int exchanges = 0;
    bombardment = kRunning;
    while (bombardment == kRunning && exchanges < kExchangesMax) {
        long h = da + dg + fort != 0 ? Count(da + dg + fort + 1, 100, 70) : 0;

        const bool fired = aa + ag != 0;
        if (fired) {
            int chance = 25, hits = 0;
            for (long i = 0; i < aa + ag + 1; ++i)
                if (Random(100) < chance) {
                    ++hits;
                    chance /= 2;
                }
            hits = std::min(hits, kMaxFortHits);
            if (hits != 0) {
                if (c.Fortifications > hits) {
                    c.Fortifications = static_cast<U8>(c.Fortifications - hits);
                    bombardment = kBreached;
                } else {
                    c.Fortifications = 0;
                }
            }
            fort = c.Fortifications;
        }

        // The forts' fire, in passes over the attackers' brigades.
        while (h > 0) {
            bool landed = false;
            ForEachAttacker(attacker, [&](int k) {
                for (int b = 1; b <= kBrigadeCount && h > 0; ++b) {
                    const TBrigadeRec& r = G().Brigades[b];
                    if (r.AttachKind != kAttachCorps || r.AttachIndex != k || r.Strength == 0) continue;
                    if (Random(50) >= 20) continue;
                    ApplyBrigadeLosses(3, b, 1);
                    h -= 1;
                    if (aa != 0) aa -= 1;
                    landed = true;
                }
            });
            if (!landed) h = 0;
            if (aa == 0) bombardment = kSilenced;
        }

        exchanges += 1;
        if (exchanges == kExchangesMax) bombardment = kFailed;
        if (fired && aa + ag == 0) bombardment = kSilenced;
        if (fort == 0) bombardment = kBreached;
        if (bombardment == kSilenced && aaAtStart == 0) bombardment = kFailed;
    }
    view.bombardmentShown = true;
    if (bombardment == kBreached) {
        view.bombardment = Text(121);
        phase = kStormToFollow;
        c.Fortifications = 0;
        c.CoastalGuns = 0;
    } else {
        view.bombardment = Text(bombardment == kSilenced ? 122 : 123);
        phase = kOver;
    }
}

void TFortAssault::AssaultAttack() {
    TGameRec& g = G();
    TCityRec& c = g.Cities[city];
    if (bombardment == kRunning || bombardment > kNoBombardment) {
        phase = kOver;
        return;
    }
    long attackerLosses = 0, garrisonLosses = 0;
    int state = 0;
    while (state == 0) {
        const long p = 25L * fort + 35;
        const long g1 = ai != 0 ? Count(ai, 200, 40) : 0;
        const long hitsOnGarrison = g1 + Count(2 * ag + aa + 1, 300, 40);
        const long h1 = di != 0 ? Count(di, 200, p) : 0;
        const long hitsOnAttacker = h1 + Count(4 * dg + da + 1, 200, p);
        attackerLosses += SpreadAttackerLosses(hitsOnAttacker);
        garrisonLosses += SpreadGarrisonLosses(hitsOnGarrison);
        // Both tests nearly always break their side: a storm takes the city only when its first
        // exchange destroys the garrison.
        garrisonBroke = Breaks(garrisonLosses, di);
        attackerBroke = Breaks(attackerLosses, ai);
        if (garrisonBroke) state = 1;
        if (attackerBroke) state = 2;
        if (di == 0 || garrisonLosses >= di) state = 1;
        if (attackerLosses >= ai || ai == 0) state = 2;
    }
    const bool fallen = state == 1;
    view.stormShown = true;
    if (fallen) {
        view.storm = Text(124);
        c.Garrison = 0;
        c.Fortifications = 0;
        c.CoastalGuns = 0;
        // The storming side wins, whoever held the city.
        g.BattleResult = static_cast<std::uint16_t>(attacker + 1);
    } else {
        view.storm = Text(125);
    }
    ForEachAttacker(attacker, [&](int k) {
        TCorpsRec& corps = g.Corps[k];
        if (attackerBroke) corps.Condition /= 2;
        if (garrisonBroke && corps.Condition > 0) corps.Condition -= 1;
    });
    if (fallen) {
        const bool purge = g.States[kPurgedState].Flag == 0;
        for (int b = 1; b <= kBrigadeCount; ++b) {
            TBrigadeRec& r = g.Brigades[b];
            if (purge && r.HomeState == kPurgedState) {
                ClearBrigade(b);
                continue;
            }
            if (!InGarrison(r, city)) continue;
            if (r.Nation != 0) g.Prisoners[r.Nation] += r.Strength;
            ApplyBrigadeLosses(3, b, r.Strength);
        }
    } else {
        c.Fortifications = static_cast<U8>(fort);
        int garrison = 0;
        for (TBrigadeRec& r : g.Brigades) {
            if (!InGarrison(r, city)) continue;
            ++garrison;
            if (fort == 0 || Random(100) < 40) Bump(r.Quality, 1);
        }
        c.Garrison = static_cast<std::uint16_t>(garrison);
    }
    ForEachAttacker(attacker, [&](int k) {
        ForEachAttachedBrigade(k, [&](TBrigadeRec& r) {
            if (Random(100) < 45) Bump(r.Quality, 1);
        });
        g.Corps[k].ContactCode = c.Garrison != 0 ? 1 : 0;
    });
    phase = kOver;
}

long TFortAssault::SpreadAttackerLosses(long n) {
    long losses = 0;
    TCorpsBrigades listed;
    if (n > 0) listed.List();
    while (n > 0) {
        long remaining = 0;
        ForEachAttacker(attacker, [&](int k) {
            remaining += LossPass(n, losses, listed.Of(k), [k](const TBrigadeRec& r) {
                return r.AttachKind == kAttachCorps && r.AttachIndex == k && r.BrigadeType != kBrigadeArtillery;
            });
        });
        if (remaining == 0) n = 0;
    }
    return losses;
}

long TFortAssault::SpreadGarrisonLosses(long n) {
    long losses = 0;
    std::array<std::uint16_t, kBrigadeCount> garrison;
    std::size_t count = 0;
    for (int b = 1; b <= kBrigadeCount; ++b)
        if (InGarrison(G().Brigades[b], city)) garrison[count++] = static_cast<std::uint16_t>(b);
    const std::span<const std::uint16_t> listed(garrison.data(), count);
    while (n > 0)
        if (LossPass(n, losses, listed, [this](const TBrigadeRec& r) { return InGarrison(r, city); }) == 0) n = 0;
    return losses;
}

}  // namespace kvt
