// Manpower settings.
#include "engine/orders/manpower.h"

#include <algorithm>

#include "engine/orders/raising_lists.h"
#include "engine/players/policy_events.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {

constexpr int kBondage = 0, kLastCombatRoles = 10, kEmancipated = 11;
constexpr int kAppealMonths = 9;

int ShareTotal(const TNationRec& n) {
    int total = 0;
    for (int s = kShareInfantry; s <= kShareNavy; ++s) total += n.RecruitPercent[s];
    return total;
}

bool AppealOffered(int nation) {
    const TGameRec& g = *GameRec;
    const TNationRec& n = g.Nations[nation];
    // In units of 50 men: 35,000 Union or 25,000 Confederate casualties before an appeal is heard.
    const unsigned needed = nation == kNationUnion ? 700 : 500;
    return g.Year != 1861 && n.AppealCounter < 0 && g.Casualties[nation] > needed;
}

}  // namespace

TManpowerSettings ManpowerSettings() {
    TManpowerSettings out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    const TGameRec& g = *GameRec;
    const TNationRec& n = g.Nations[nation];
    out.appealChecked = n.AppealCounter >= 1;
    out.appealOffered = AppealOffered(nation);
    out.recruitsPerMonth = std::to_string(n.MonthlyRecruits * 5) + "0";  // fifties of men
    out.bounty = std::min<int>(n.Bounty, kMaxBounty);
    if (n.Policy == kBondage) out.stance = kStanceBondage;
    else if (n.Policy <= kLastCombatRoles) out.stance = kStanceCombatRoles;
    else if (n.Policy == kEmancipated) out.stance = kStanceEmancipation;
    // Compared in int: a will near the bounds of its word must not wrap.
    const int unionWill = g.Nations[kNationUnion].Will;
    const int confederateWill = g.Nations[kNationConfederacy].Will;
    if (nation == kNationUnion) {
        if (unionWill > confederateWill - 25 && n.Policy >= 1 && n.Policy <= kLastCombatRoles)
            out.stanceOffered[kStanceEmancipation] = true;
    } else if (n.Policy < kEmancipated && confederateWill < unionWill) {
        if (n.Policy == kLastCombatRoles) out.stanceOffered[kStanceEmancipation] = true;
        else out.stanceOffered[kStanceCombatRoles] = n.Policy == kBondage;
    }
    for (int s = kShareInfantry; s <= kShareNavy; ++s) out.percent[s] = n.RecruitPercent[s];
    return out;
}

bool RaiseRecruitShare(int share) {
    const int nation = RaisingNation();
    if (nation == 0 || share < kShareInfantry || share > kShareNavy) return false;
    TNationRec& n = GameRec->Nations[nation];
    if (n.RecruitPercent[share] >= 100 || ShareTotal(n) >= 100) return false;
    n.RecruitPercent[share] += 1;
    return true;
}

bool LowerRecruitShare(int share) {
    const int nation = RaisingNation();
    if (nation == 0 || share < kShareInfantry || share > kShareNavy) return false;
    TNationRec& n = GameRec->Nations[nation];
    if (n.RecruitPercent[share] == 0) return false;
    n.RecruitPercent[share] -= 1;
    return true;
}

void ApplyManpowerSettings(int bounty, bool appeal, int stance) {
    const int nation = RaisingNation();
    if (nation == 0) return;
    // What was offered is judged as the dialog showed it, before anything here changes.
    const TManpowerSettings shown = ManpowerSettings();
    TNationRec& n = GameRec->Nations[nation];
    n.Bounty = static_cast<std::uint16_t>(std::clamp(bounty, 0, kMaxBounty));
    if (appeal && shown.appealOffered) n.AppealCounter = kAppealMonths;
    if (stance < kStanceEmancipation || stance > kStanceBondage || !shown.stanceOffered[stance]) return;
    if (nation == kNationUnion) {
        if (stance == kStanceEmancipation && n.Policy != kEmancipated) UnionPolicyEvent();
    } else if (stance == kStanceEmancipation && n.Policy != kEmancipated) {
        n.Policy = kEmancipated;
    } else if (stance == kStanceCombatRoles && n.Policy == kBondage) {
        ConfederatePolicyEvent();
    }
}

}  // namespace kvt
