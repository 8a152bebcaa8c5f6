// General conditions: the four gauges of the war (the Confederacy's standing abroad, each side's
// morale at home, European intervention), each 0..100, and the weather of the three theatres.
// Reads the record and changes nothing.
#pragma once

#include <array>
#include <string>

namespace kvt {

struct TGeneralConditions {
    int international = 0;         // InternationalGuage
    int unionPrestige = 0;         // USAPrestigeGuage
    int confederatePrestige = 0;   // CSAPrestigeGuage
    int intervention = 0;          // InterveneGuage
    std::array<std::string, 3> weather;  // theatre t at [t - 1]
};

TGeneralConditions ReadGeneralConditions();
// The text of a theatre's weather code.
std::string WeatherText(int code);

}  // namespace kvt
