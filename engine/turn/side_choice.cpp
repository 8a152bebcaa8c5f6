// Choosing the side whose orders are given.
#include "engine/turn/side_choice.h"

#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {
bool PersonPlayed(int nation) { return GameRec->Nations[nation].Human != 0; }

// In a mail game the side to move, unless this program has handed the turn over: the side to move
// is then the opponent's, whose forces are not for this screen.
std::uint16_t MailSideToPlay() { return MailTurnHandedOver ? 0 : GameRec->SideToMove; }
}  // namespace

void ChooseSideToPlay() {
    const TGameRec& g = *GameRec;
    if (g.GameKind >= 2) {
        SidePlayed = MailSideToPlay();
    } else {
        if (!PersonPlayed(kNationUnion)) SidePlayed = kConfederacy;
        if (!PersonPlayed(kNationConfederacy)) SidePlayed = kUnion;
        if (!PersonPlayed(kNationUnion) && !PersonPlayed(kNationConfederacy)) SidePlayed = 0;
    }
    if (SidePlayed != 0) SideMenuState();
    // With no person-played side there is no side to choose, and the choice could not be left.
    SetMenuItem(MenuItem::SideChange, g.GameKind >= 2 || PersonPlayed(kNationUnion) || PersonPlayed(kNationConfederacy));
    SetSideChangeCaption();
}

void ShowSideChoice() {
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    const bool unionOffered = PersonPlayed(kNationUnion);
    const bool confederacyOffered = PersonPlayed(kNationConfederacy);
    // With no person-played side there is nothing to choose, and a dialog with both buttons
    // disabled could never be closed.
    if (!unionOffered && !confederacyOffered) {
        SidePlayed = 0;
        return;
    }
    const int side = fe.ShowSideChoice(unionOffered, confederacyOffered);
    if ((side == kUnion && unionOffered) || (side == kConfederacy && confederacyOffered))
        SidePlayed = static_cast<std::uint16_t>(side);
}

void SelectSideToPlay() {
    TGameRec& g = *GameRec;
    if (g.GameKind >= 2) {
        SidePlayed = MailSideToPlay();
    } else {
        ShowSideChoice();
        if (SidePlayed == kUnion || SidePlayed == kConfederacy) g.Nations[SidePlayed].OrdersGiven = 1;
    }
    SetSideChangeCaption();
    if (SidePlayed != 0) SideMenuState();
    SelectedCorps = SelectedFleet = SelectedArmy = SelectedCity = 0;
    CurrentFrontend().Repaint();
    CurrentFrontend().SetCursor(CursorKind::Arrow);
}

}  // namespace kvt
