// The side's manpower policy: the shares of the month's recruits going to infantry, cavalry,
// artillery and the navy (together at most 100 percent), the volunteer bounty (0..20), the
// presidential appeal and the stance on slavery. Only settings are written here; the monthly draft
// acts on them.
#pragma once

#include <array>
#include <string>

namespace kvt {

// Stance choices as the dialog offers them.
enum : int { kStanceNone = 0, kStanceEmancipation = 1, kStanceCombatRoles = 2, kStanceBondage = 3 };
// Rows of the recruitment shares, the index of RecruitPercent.
enum : int { kShareInfantry = 1, kShareCavalry = 2, kShareArtillery = 3, kShareNavy = 4 };
constexpr int kMaxBounty = 20;

struct TManpowerSettings {
    bool appealChecked = false;
    bool appealOffered = false;
    // Label14: the men, written as the recruits word x 5 and a nought ("00" for none).
    std::string recruitsPerMonth;
    int bounty = 0;
    int stance = kStanceNone;  // the stance in force
    std::array<bool, 4> stanceOffered{};  // by stance 1..3
    std::array<int, 5> percent{};         // by share 1..4
};

// The settings of the side played as the dialog opens.
TManpowerSettings ManpowerSettings();
// One step of a share up (while it and the total are below 100) or down (while above 0); true when
// the share changed.
bool RaiseRecruitShare(int share);
bool LowerRecruitShare(int share);
// What the dialog collected: the bounty, the appeal box and the stance checked. An appeal or a stance
// the side may not choose now is ignored; a change of stance raises at most one policy event.
void ApplyManpowerSettings(int bounty, bool appeal, int stance);

}  // namespace kvt
