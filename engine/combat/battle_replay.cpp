// The replay of a recorded field battle: the record read back and shown through the Frontend.
#include "engine/combat/battle_replay.h"

#include "engine/combat/battle_history.h"
#include "engine/world/frontend.h"
#include "engine/world/text_table.h"

namespace kvt {

void ShowReplayCombatResolution() {
    const TReplayResolutionView view = ReadBattleHeader();
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    fe.ShowReplayCombatResolution(view);
    fe.SetCursor(CursorKind::Hourglass);
}

void ShowReplayBattleResults() {
    TReplayResultsView view;
    if (!ReadBattleResults(view)) return;
    view.caption = Text(663);
    view.okCaption = Text(66);
    view.columns = Text(664);
    view.subHeader = Text(665);
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    fe.ShowReplayBattleResults(view);
    fe.SetCursor(CursorKind::Hourglass);
}

}  // namespace kvt
