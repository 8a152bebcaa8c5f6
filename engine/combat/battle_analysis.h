// Battle analysis: for each side of the field battle just fought, the troops it brought, the
// factors of the battle table with their printed weights, the casualties they let it expect to
// inflict, what intensity and friction add, the losses it inflicted and how its corps' average
// condition moved. A pure function of what the setup and the resolution left: it writes nothing.
// Troops are in men (units of 50 shown x 50), guns as recorded; divisions truncate toward zero.
#pragma once

#include <array>
#include <string>

namespace kvt {

struct TAnalysisFigures {
    long long troops = 0, guns = 0;
    long long terrain = 0;                          // F(3) + F(4)
    long long fatigue = 0, condition = 0, leadership = 0, quality = 0, firepower = 0;  // F(1), F(2), F(5), F(6), F(7)
    long long base = 0;                             // B
    long long expected = 0;                         // E
    long long friction = 0;                         // the intensity and friction term
    long long inflicted = 0;                        // the enemy's losses in men
    long long startCondition = 0, finalCondition = 0;
};

// One side's column: rows 1..13 as label and value captions, with the figures behind them.
struct TAnalysisColumn {
    std::string title;
    std::array<std::string, 14> label, value;
    TAnalysisFigures figures;
};

struct TBattleAnalysisView {
    std::string caption = "Analysis";
    std::array<TAnalysisColumn, 3> side;  // 1 Union, 2 Confederacy
    std::string result;                   // texts 63..65; empty for an unknown result
    std::string okCaption;                // text 477
};

// The analysis of the battle at the given intensity, from the battle work, the corps and the
// battle block as they now stand.
TBattleAnalysisView BattleAnalysis(int battleIntensity);

}  // namespace kvt
