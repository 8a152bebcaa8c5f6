// The weather of the three theatres for the coming turn, from the scenario's weather table.
#include "engine/logistics/weather.h"

#include <algorithm>

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"

namespace kvt {

namespace {
constexpr int kWeatherColumns = 12;
constexpr int kWeatherRows = 9;
}  // namespace

void UpdateWeather() {
    TGameRec& g = *GameRec;
    // The turn's days (1, 11, 21) are all odd; any other day leaves the weather as it is.
    if (TestBit(g.Day, 0) == 0) return;
    for (int t = 1; t <= kTheatreCount; ++t) {
        int r = Random(15);
        if (r > 2) r -= 3;
        // A code above 11 from a damaged table would index the next row; the mean stays a column.
        const int mean = std::min((g.TheatreWeather[t] + r) / 2, kWeatherColumns - 1);
        g.WeatherScratch = static_cast<U8>(mean);
        // January..June are rows 0..5, July..December rows 3..8.
        int m = g.Month - 1;
        if (m > 5) m -= 3;
        m = std::clamp(m, 0, kWeatherRows - 1);
        int weather = g.WeatherTable[m][mean];
        if (t == kMississippi) weather = weather / 2 + 1;
        if (t == kSeaboard && weather > 1) weather -= 1;
        g.TheatreWeather[t] = static_cast<std::uint16_t>(weather);
    }
}

}  // namespace kvt
