// Weather: each turn every theatre draws its weather from the weather table and the month.
#pragma once

namespace kvt {

void UpdateWeather();

}  // namespace kvt
