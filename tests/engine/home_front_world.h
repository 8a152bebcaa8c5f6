// The synthetic game with numbered texts, both sides played by the computer, and one-line helpers
// for the brigades, states and ports the home-front tests add to it.
#pragma once

#include "engine/core/globals.h"
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
    static TBrigadeRec& Brigade(int i, int nation, int type, int strength, int attachKind, int attachIndex, int home,
                                int weapon = 1) {
        TBrigadeRec& b = GameRec->Brigades[i];
        b = {};
        b.Nation = static_cast<U8>(nation);
        b.BrigadeType = static_cast<U8>(type);
        b.Strength = static_cast<U8>(strength);
        b.AttachKind = static_cast<U8>(attachKind);
        b.AttachIndex = static_cast<U8>(attachIndex);
        b.HomeState = static_cast<U8>(home);
        b.Weapon = static_cast<U8>(weapon);
        b.Quality = 2;
        b.Ordinal = static_cast<U8>(i);
        return b;
    }
    // State s held and controlled by the nation in theatre t, without a capital.
    static TStateRec& State(int s, int nation, int theatre = 1) {
        TStateRec& st = GameRec->States[s];
        st.Owner = st.ControlSide = GameRec->Nations[nation].Side;
        st.Controller = static_cast<U8>(nation);
        st.Theatre = static_cast<U8>(theatre);
        st.Loyalty = 60;
        return st;
    }
    // City c held by the nation in state s and theatre t.
    static TCityRec& City(int c, int nation, int s, int theatre = 1) {
        TCityRec& city = GameRec->Cities[c];
        city.Name = "City " + std::to_string(c);
        city.Nation = city.OriginalOwner = static_cast<U8>(nation);
        city.Owner = GameRec->Nations[nation].Side;
        city.State = static_cast<U8>(s);
        city.Theatre = static_cast<U8>(theatre);
        city.HexX = static_cast<U8>(10 + c % 60);
        city.HexY = static_cast<U8>(5 + c / 60);
        return city;
    }
};

}  // namespace kvt::testing
