// Record helpers that need more than a field.
#include "engine/world/game_record.h"

namespace kvt {

U16& TGameRec::BattleLosses(int side) {
    if (side == kUnion) return BattleLossesUnion;
    if (side == kConfederacy) return BattleLossesConfed;
    if (side != 0) NoteCheckedAccessFault();
    static U16 scratch;
    scratch = 0;
    return scratch;
}

}  // namespace kvt
