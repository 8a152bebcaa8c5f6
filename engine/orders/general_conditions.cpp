// The general conditions' gauge values and weather texts.
#include "engine/orders/general_conditions.h"

#include <algorithm>

#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

// A gauge shows 0..100; the words behind it reach further (will, an attitude above 100 or below 0).
int Gauge(int value) { return std::clamp(value, 0, 100); }

int MeanLoyalty(int nation) {
    int sum = 0, states = 0;
    for (const TStateRec& s : GameRec->States)
        if (s.Controller == nation) {
            sum += s.Loyalty;
            ++states;
        }
    return states == 0 ? 0 : sum / states;
}

}  // namespace

std::string WeatherText(int code) {
    switch (code) {
        case 2: return Text(82);
        case 3: case 4: return Text(83);
        case 5: return Text(84);
        case 6: return Text(85);
        case 7: case 8: return Text(86);
        default: return Text(87);
    }
}

TGeneralConditions ReadGeneralConditions() {
    TGeneralConditions g;
    const int attitude = GameRec->Nations[kNationBritain].Attitude;
    g.intervention = Gauge(100 - std::min(attitude, 100));
    // Division truncates toward zero, as the will word is signed.
    g.international = Gauge(GameRec->Nations[kNationConfederacy].Will / 10);
    g.unionPrestige = Gauge(MeanLoyalty(kNationUnion));
    g.confederatePrestige = Gauge(MeanLoyalty(kNationConfederacy));
    for (int t = 1; t <= 3; ++t) g.weather[static_cast<std::size_t>(t - 1)] = WeatherText(GameRec->TheatreWeather[t]);
    return g;
}

}  // namespace kvt
