// The synthetic game with numbered texts, both sides played by the computer, and one-line helpers
// for the brigades, states and ports the home-front tests add to it.
#pragma once

#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt::testing {

class HomeFrontTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        BuildSyntheticGame(false, false);
        UseNumberedTexts();
    }
    static TGameRec& G() { return *GameRec; }
    // Brigade i of the nation: type, strength, attachment and home state; muskets unless told.
    static TBrigadeRec& Brigade(int i, int nation, int type, int strength, int kind, int index, int home, int weapon = 1) {
        TBrigadeRec& b = GameRec->Brigades[i];
        b = {static_cast<U8>(nation), static_cast<U8>(index), static_cast<U8>(type), static_cast<U8>(strength),
             static_cast<U8>(weapon), 2, static_cast<U8>(home), static_cast<U8>(i), static_cast<U8>(kind), 0};
        return b;
    }
    // State s held and controlled by the nation in theatre t, without a capital.
    static TStateRec& State(int s, int nation, int theatre = 1) {
        TStateRec& st = GameRec->States[s];
        st.Owner = st.ControlSide = GameRec->Nations[nation].Side;
        st.Controller = static_cast<U8>(nation);
        st.Theatre = static_cast<U8>(theatre);
        return st;
    }
    // City c held by the nation in state s and theatre t.
    static TCityRec& City(int c, int nation, int s, int theatre = 1) {
        TCityRec& city = GameRec->Cities[c];
        city.Nation = city.OriginalOwner = static_cast<U8>(nation);
        city.Owner = GameRec->Nations[nation].Side;
        city.State = static_cast<U8>(s);
        city.Theatre = static_cast<U8>(theatre);
        city.HexX = static_cast<U8>(10 + c % 60), city.HexY = 5;
        return city;
    }
};

}  // namespace kvt::testing
