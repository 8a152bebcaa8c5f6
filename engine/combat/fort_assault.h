// Fort and city assault: corps facing no enemy corps but a garrisoned enemy city storm it. One
// press of Execute runs the bombardment of the works (when the city has any) and, unless it failed,
// the storm in exchanges of fire until a side breaks or is spent. Only the corps of the side that
// opened the battle attack. Assaults are not recorded in a mail game's history.
// Strengths are in units of 50 men; artillery and naval guns in units of 2 guns.
#pragma once

#include <array>
#include <string>

#include "engine/combat/battle_setup.h"

namespace kvt {

// What the assault dialog shows; lines are Label1..Label8.
struct TFortAssaultView {
    std::string caption;  // text 126
    std::array<std::string, 9> lines;
    std::array<bool, 9> lineShown{};
    std::string bombardment;  // Label10
    bool bombardmentShown = false;
    std::string storm;        // Label11
    bool stormShown = false;
    TDialogButton execute;    // Button1
    TDialogButton ok;         // Button2
};

class TFortAssault {
public:
    // Phases and bombardment states.
    enum : int { kReady = 1, kStormToFollow = 2, kOver = 3 };
    enum : int { kRunning = 0, kBreached = 1, kSilenced = 2, kNoBombardment = 3, kFailed = 4 };

    TFortAssaultView view;

    // "Execute": the bombardment and the storm, as far as they go; then only OK is offered.
    void Button1Click();
    // Nobody at the screen: Execute, then OK.
    void RunUnattended();

    int city = 0;
    int attacker = 0;                     // the side that opened the battle
    long ai = 0, aa = 0, aaAtStart = 0, ag = 0;
    long di = 0, da = 0, dg = 0;
    int fort = 0;                         // F, the fortification level
    int phase = kReady;
    int bombardment = kNoBombardment;
    bool garrisonBroke = false, attackerBroke = false;

private:
    void AssaultBombardment();
    void AssaultAttack();
    // Spreads hits over the attacking corps' foot (side A) or the garrison; the losses taken.
    long SpreadAttackerLosses(long hits);
    long SpreadGarrisonLosses(long hits);
};

// Builds the assault on the city at the battle hex (PathEnd) and runs its dialog; `attacker` is the
// side of the corps that opened the battle.
void SetUpFortAssault(int city, int attacker);

}  // namespace kvt
