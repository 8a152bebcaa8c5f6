// Rows and costs shared by the order dialogs' rules.
#include "engine/orders/order_support.h"

#include <algorithm>

#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

std::string CityRowText(int city) {
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return {};
    const TCityRec& c = GameRec->Cities[city];
    // A state index past the states names no state rather than reading past the record.
    const std::string state = GameRec->States.InRange(c.State) ? GameRec->States[c.State].ShortName.str() : std::string();
    return c.Name.str() + "," + state;
}

bool LeaderHoldsCommand(int leader, int corpsBeingRaised) {
    if (leader == 0) return false;
    for (const TArmyRec& a : GameRec->Armies)
        if (ArmyInUse(a) && a.Leader == leader) return true;
    for (int k = 1; k <= kCorpsCount; ++k)
        if (k != corpsBeingRaised && CorpsInUse(GameRec->Corps[k]) && GameRec->Corps[k].Leader == leader) return true;
    return false;
}

bool CommanderOffered(int leader, int rank, int current) {
    const TLeaderRec& l = GameRec->Leaders[leader];
    const int status = l.Status;
    return l.Nation == SidePlayed && l.Rank == rank && leader != current &&
           (status == kLeaderAvailable || status == kLeaderRemoved || status == kLeaderToBeRemoved) &&
           !LeaderHoldsCommand(leader);
}

TReliefAnswer AskToRelieveCommander(TLeaderRec& former) {
    Frontend& fe = CurrentFrontend();
    if (!fe.ConfirmBox(Text(566))) return TReliefAnswer::Kept;
    if (former.Political < 0) {
        former.Status = kLeaderRemoved;
        fe.WarningBox(former.Name.str() + Text(567));
        return TReliefAnswer::RemovedFreely;
    }
    ClearEventNotice();
    EventNotice.SetLine(1, Text(568) + former.Name.str());
    EventNotice.SetLine(2, Text(569));
    EventNotice.SetLine(3, Text(570));
    EventNotice.SetLine(4, Text(571));
    OfferChoice(1, Text(3));
    OfferChoice(2, Text(4));
    ShowEventNotice();
    if (EventNotice.Answer != 1) return TReliefAnswer::Kept;
    former.Status = kLeaderRemoved;
    return TReliefAnswer::RemovedAtCost;
}

void AnnounceRelief(const std::string& name, int cost) {
    RaiseEventNotice(0, name, Text(572), std::to_string(cost) + Text(573));
}

void ShakeLoyaltyAfterRelief(int side, int odds) {
    for (TStateRec& s : GameRec->States) {
        if (s.Owner != side) continue;
        for (int roll = 0; roll < 3; ++roll)
            if (Random(10) < odds && s.Loyalty > 0) s.Loyalty -= 1;
    }
}

void LowerNationalWill(int nation, int amount) {
    if (!Arr1<TNationRec, kNationCount>::InRange(nation)) return;
    I16& will = GameRec->Nations[nation].Will;
    will = static_cast<std::int16_t>(std::clamp<int>(will - amount, -32768, 32767));
}

}  // namespace kvt
