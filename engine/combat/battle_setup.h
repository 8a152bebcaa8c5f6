// Field battle setup: records the forces before the fight, names the place, terrain and weather,
// builds the factor table, picks each side's leader, lets a person choose an intensity and gives the
// computer's sides one by rule, writes a mail game's history header and runs the combat-resolution
// dialog through the Frontend. Execute in that dialog fights the battle (field_battle.h).
#pragma once

#include <array>
#include <string>

namespace kvt {

// A graphic button as a dialog shows it.
struct TDialogButton {
    std::string caption;
    bool enabled = false;
    bool visible = true;
};

// What the combat-resolution dialog shows.
struct TCombatResolutionView {
    std::string caption = "Combat resolution";
    std::string unionHeading, confederateHeading;  // Label1, Label2
    std::string place;                             // Label43
    std::string unionLeader, confederateLeader;    // Label44, Label45
    std::string terrain;                           // Label3; class 0 leaves it empty
    std::string weather;                           // Label4; empty when no city was found
    TDialogButton setUnionIntensity;               // Button3
    TDialogButton execute;                         // Button1
    TDialogButton setConfederateIntensity;         // Button4
};

// The combat-resolution dialog's state for one battle: the frontend shows `view` and calls the
// handlers of the buttons pressed. A press on a hidden or disabled button does nothing.
class TCombatResolution {
public:
    TCombatResolutionView view;

    // "Set Union Intensity": the intensity dialog for the Union leader.
    void Button3Click();
    // "Set Confederate Intensity".
    void Button4Click();
    // "Execute": fights the battle and shows the results; the dialog closes afterwards.
    void Button1Click();
    // Nobody at the screen: the enabled intensity buttons, then Execute.
    void RunUnattended();
};

// One row of the intensity dialog: a corps' leader, brigades, troops and guns, or "???".
struct TIntensityRow {
    std::string leader, brigades, troops, artillery;
    bool shown = false;
};

// What the intensity dialog shows. Options and rows are indexed from 1.
struct TBattleIntensityView {
    std::string caption;                     // text 49
    std::string readyCaption;                // Button1, text 50
    std::string columnHeader;                // Label200, text 509
    std::string leftHeading, rightHeading;   // Label3, Label4
    std::string panelCaption = "Set Combat Intensity";
    std::array<std::string, 6> optionCaption;  // RadioButton1..5, texts 511..515
    std::array<bool, 6> optionShown{};
    int checked = 1;
    std::array<TIntensityRow, 11> unionRows{}, confederateRows{};
};

// Prepares and runs the field battle at BattleX, BattleY among the corps drawn in.
void SetUpFieldBattle();
// The intensity dialog for side s (1 Union, 2 Confederacy) and its leader; the choice 1..5, also
// left in EventNotice.Answer. An answer the dialog did not offer counts as Skirmish.
int ShowBattleIntensity(int side, int leader);
// The view ShowBattleIntensity shows.
TBattleIntensityView BattleIntensityView(int side, int leader);
// A computer side's intensity: its leader's rating halved (rounded up for the Confederacy), one
// more with twice the enemy's brigades, one less (not below 1) when outnumbered two to one; 1..5.
int RuleIntensity(int side);

}  // namespace kvt
