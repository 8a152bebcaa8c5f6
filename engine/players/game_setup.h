// The new-game setup, shown when a start point comes into play at its start date and before its
// setup has run: who plays each side, the campaign length, leader ratings, the slavery policy,
// foreign intervention, the Confederate capital, handicaps for computer sides, face-to-face or
// mail play and, in 1861 before August, whether Kentucky and Missouri join the Confederacy.
#pragma once

namespace kvt {

// What the person chose; the defaults are the rows the dialog opens with.
struct TSetupChoices {
    enum class Ratings { AsInHistory, SlightVariation, Random };
    enum class Slavery { AsInHistory, CombatRoles, Emancipation };
    enum class Intervention { Never, AsInHistory, Likely };
    enum class Capital { Montgomery, Richmond, Raleigh, Atlanta };

    bool fullCampaign = false;  // to June 1865
    Ratings ratings = Ratings::AsInHistory;
    bool ratingsShown = false;
    Slavery slavery = Slavery::AsInHistory;
    Intervention intervention = Intervention::AsInHistory;
    Capital capital = Capital::Richmond;
    bool unionPerson = true;
    bool confederatePerson = true;
    // 0 even terms, 1 advantage, 2 great advantage; only for a side the computer plays.
    int unionHandicap = 0;
    int confederateHandicap = 0;
    bool mail = false;  // only between two persons
    // Only where the border row is offered (SetupBorderRowShown).
    bool kentucky = false;
    bool missouri = false;
};

// Whether the setup offers Kentucky and Missouri: the 1861 start point before August.
bool SetupBorderRowShown();

// Whether a game that has just been read is to be set up: a start point at its start date, not a
// mail game, whose setup has not run yet.
bool SetupDue();

// The setup dialog through the frontend, then ApplySetup and FinishGameSetup.
void ShowGameSetup();

// Writes the choices into the record (the closing steps of the dialog): the off-map states' output,
// the border states, players, length, ratings, capital, sides, policy, attitudes, handicaps and the
// kind of game. Draws four Random numbers for every leader slot when ratings vary.
void ApplySetup(const TSetupChoices& choices);

// Called once the choices are written: a mail game starts its battle history ("No History", written
// beside the game) with the Union to move and no battles; computer players start without plans
// unless both sides are person-played.
void FinishGameSetup();

}  // namespace kvt
