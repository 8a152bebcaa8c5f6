// Battle analysis: figures and captions only; the game state is read, never written.
#include "engine/combat/battle_analysis.h"

#include "engine/combat/battle_state.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

TAnalysisFigures Figures(int side, int battleIntensity) {
    const TGameRec& g = *GameRec;
    TAnalysisFigures f;
    long long n = 0, start = 0, final = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (PreBattleStrength[k] == 0 || c.Side != side) continue;
        ++n;
        f.troops += PreBattleStrength[k];
        f.guns += PreBattleGuns[k];
        start += PreBattleCohesion[k];
        // Disruption is added here, where the resolution's own average subtracts it.
        final += c.Condition + c.Disruption;
    }
    if (n == 0) n = 1;
    f.startCondition = start / n;
    f.finalCondition = final / n;

    auto F = [&](int p) -> long long { return BattleFactors[p][side]; };
    const long long f0 = F(0);
    long long b = F(3) != 0 ? f0 * 110 / 80 : f0;
    b += F(3) != 0 ? f0 * (F(8) / 4) / 30 * 3 : f0 * (F(8) / 2) / 30;
    b += f0 * F(9) / 30 * 10;
    b += f0 * F(10) / 30 * 25;
    b += f0 * F(11) / 30 * 5;
    f.base = b;
    long long e = b - f0 * F(1) * 5 / 30 + f0 * F(2) * 10 / 30 + f0 * F(5) / 30 * 25 + f0 * F(6) / 30 * 20 +
                  f0 * F(7) / 30 - f0 * F(3) / 30 + f0 * F(4);
    f.expected = e / 5;
    f.friction = f.expected * F(12) * battleIntensity / 7;
    f.terrain = F(3) + F(4);
    f.fatigue = F(1);
    f.condition = F(2);
    f.leadership = F(5);
    f.quality = F(6);
    f.firepower = F(7);
    f.inflicted = static_cast<long long>(GameRec->BattleLosses(3 - side)) * 50;
    return f;
}

}  // namespace

TBattleAnalysisView BattleAnalysis(int battleIntensity) {
    TBattleAnalysisView v;
    for (int s = 1; s <= 2; ++s) {
        TAnalysisColumn& col = v.side[s];
        const TAnalysisFigures f = Figures(s, battleIntensity);
        col.figures = f;
        col.title = Text(s == 1 ? 487 : 488);
        const int labels[14] = {0, 489, 490, 492, 493, 494, 496, 497, 502, 501, 504, 498, 499, 500};
        for (int r = 1; r <= 13; ++r) col.label[r] = Text(labels[r]);
        auto num = [](long long x) { return std::to_string(x); };
        col.value[1] = num(f.troops * 50) + ", " + num(f.guns);
        col.value[2] = num(f.terrain) + " x20";
        col.value[3] = num(f.fatigue) + " x8";
        col.value[4] = num(f.condition) + " x15";
        col.value[5] = num(f.leadership) + " x40";
        col.value[6] = num(f.quality) + " x20";
        col.value[7] = num(f.firepower) + " x7";
        col.value[8] = num(f.expected);
        col.value[9] = num(f.friction);
        col.value[10] = num(f.inflicted);
        col.value[11] = num(f.startCondition);
        col.value[12] = num(f.startCondition - f.finalCondition);
        col.value[13] = num(f.finalCondition);
    }
    const int result = GameRec->BattleResult;
    if (result < 2) v.result = Text(63);
    else if (result == 2) v.result = Text(64);
    else if (result == 3) v.result = Text(65);
    v.okCaption = Text(477);
    return v;
}

}  // namespace kvt
