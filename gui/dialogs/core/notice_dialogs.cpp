// Which dialog shows which notice kind. A kind without a dialog shows nothing.
#include "gui/dialogs/core/notice_dialogs.h"

#include "engine/view/notice_layouts.h"
#include "gui/dialogs/core/choice_notice.h"
#include "gui/dialogs/core/combat_roles_notice.h"
#include "gui/dialogs/core/foreign_affairs_notice.h"
#include "gui/dialogs/core/plain_notice.h"
#include "gui/platform/cursor.h"

namespace kvt::gui {

namespace {

template <class Dialog>
void RunNotice() {
    Dialog dialog;
    dialog.Execute();
}

void ShowStandardNotice() { RunNotice<TStndDial>(); }
void ShowCityFallNotice() { RunNotice<TCity_Fall>(); }
void ShowDraftRiotingNotice() { RunNotice<TDraft_Rioting>(); }
void ShowRailMoveNotice() { RunNotice<TRail_Move>(); }
void ShowFortBuildNotice() { RunNotice<TFort_Build>(); }
void ShowFleetEmbarkNotice() { RunNotice<TFleet_Embark>(); }
void ShowInaugurationNotice() { RunNotice<TInauguration>(); }
void ShowCombatRolesNotice() { RunNotice<TCombat_Roles>(); }
void ShowRebellionNotice() { RunNotice<TRebellion>(); }
void ShowScuttledNotice() { RunNotice<TScuttled>(); }
void ShowFleetUnloadNotice() { RunNotice<TFleetSpls>(); }
void ShowStateLostNotice() { RunNotice<TState_Lost>(); }
void ShowTrainingNotice() {
    SetScreenCursor(crHourGlass);
    RunNotice<TTraining>();
}
void ShowArmyFormedNotice() { RunNotice<TArmyFormed>(); }
void ShowCorpsFormedNotice() { RunNotice<TCorpsFrm>(); }
void ShowBrigadeFormedNotice() { RunNotice<TBrgdFormed>(); }
void ShowForcesAddedNotice() { RunNotice<TForces_Added>(); }
void ShowNewspaperNotice() { RunNotice<TNewspapr>(); }
void ShowForeignAffairsNotice() { RunNotice<TForeign_Affairs>(); }

}  // namespace

void ShowNoticeDialog(int kind) {
    switch (kind) {
        case 0: ShowStandardNotice(); break;
        case 3: ShowCityFallNotice(); break;
        case 4: ShowDraftRiotingNotice(); break;
        case 6: ShowRailMoveNotice(); break;
        case 7: ShowFortBuildNotice(); break;
        case 9: ShowFleetEmbarkNotice(); break;
        case 10: ShowInaugurationNotice(); break;
        case 11: ShowCombatRolesNotice(); break;
        case 14: ShowRebellionNotice(); break;
        case 15: ShowScuttledNotice(); break;
        case 17: ShowFleetUnloadNotice(); break;
        case 18: ShowStateLostNotice(); break;
        case 19: ShowTrainingNotice(); break;
        case 20: ShowArmyFormedNotice(); break;
        case 21: ShowCorpsFormedNotice(); break;
        case 22: ShowBrigadeFormedNotice(); break;
        case 23: ShowForcesAddedNotice(); break;
        case 24: ShowNewspaperNotice(); break;
        case 25: ShowForeignAffairsNotice(); break;
        default: break;
    }
}

}  // namespace kvt::gui
