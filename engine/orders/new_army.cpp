// Raising armies.
#include "engine/orders/new_army.h"

#include <algorithm>
#include <cstring>

#include "engine/forces/command_slots.h"
#include "engine/orders/order_support.h"
#include "engine/orders/raising_lists.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kArmyRank = 5;

bool InList(const std::vector<int>& list, int value) { return std::find(list.begin(), list.end(), value) != list.end(); }

// The next code point of UTF-8 text; a malformed byte counts as one character of its own.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0x80 && extra == 0) return 0xFFFD;
    if (lead >= 0xF8) return 0xFFFD;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (; extra > 0; --extra) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

}  // namespace

std::vector<int> ArmyLeaders() {
    std::vector<int> out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& leader = GameRec->Leaders[l];
        const bool free = leader.Status == kLeaderAvailable || leader.Status == kLeaderRemoved ||
                          leader.Status == kLeaderToBeRemoved;
        if (leader.Nation == nation && leader.Rank >= kArmyRank && free && !LeaderHoldsCommand(l)) out.push_back(l);
    }
    return out;
}

std::vector<int> ArmyCities() {
    std::vector<int> out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    for (int c = 1; c <= kCityCount; ++c)
        if (GameRec->Cities[c].Nation == nation) out.push_back(c);
    return out;
}

std::string ArmyNameForCity(int city) {
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return {};
    return GameRec->States[GameRec->Cities[city].State].Name.str();
}

std::vector<int> ArmyElements() {
    std::vector<int> out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = GameRec->Corps[k];
        if (CorpsInUse(c) && c.Nation == nation && c.Army == 0) out.push_back(k);
    }
    return out;
}

std::string ArmyElementText(int corps) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(corps)) return {};
    const TCorpsRec& c = GameRec->Corps[corps];
    const int kindText = c.Kind <= 2 ? 660 + c.Kind : 660;
    return OrdinalText(c.Ordinal) + Text(kindText) + GameRec->Leaders[c.Leader].Name.str();
}

std::string StoredArmyName(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size() && out.size() < kArmyNameLength;) {
        const char32_t cp = NextCodePoint(utf8, i);
        out += cp <= 0xFF ? static_cast<char>(cp) : '?';
    }
    return out;
}

int RaiseArmy(int city, int leader, std::string_view name, const std::vector<int>& corps) {
    if (!InList(ArmyCities(), city) || !InList(ArmyLeaders(), leader)) return 0;
    const std::vector<int> elements = ArmyElements();
    const int nation = RaisingNation();
    const int a = AllocateArmySlot(nation);
    if (a == 0) return 0;
    TGameRec& g = *GameRec;
    TArmyRec& army = g.Armies[a];
    // A reused record must not carry a former army's plans, targets or march into the new one.
    TArmyRec fresh;
    std::memset(static_cast<void*>(&fresh), 0, sizeof fresh);
    fresh.Nation = army.Nation;
    fresh.Side = army.Side;
    fresh.ArmyNumber = army.ArmyNumber;
    fresh.Name = StoredArmyName(name);
    fresh.BaseCity = fresh.SupplyBase = fresh.Objective = static_cast<U8>(city);
    fresh.Leader = static_cast<U8>(leader);
    fresh.ArmyValue = 50;
    fresh.Stance = 1;
    fresh.March = 1;
    fresh.Readiness = 5;
    fresh.FreeCorps = 1;
    fresh.Condition = 12;
    fresh.Theatre = g.Cities[city].Theatre;
    army = fresh;
    g.Leaders[leader].Status = kLeaderActive;
    for (int k : elements) {
        if (!InList(corps, k)) continue;
        g.Corps[k].Army = static_cast<U8>(a);
        army.CorpsCount += 1;
    }
    return a;
}

}  // namespace kvt
