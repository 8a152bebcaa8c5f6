// Weather: each turn every theatre draws its weather from the weather table and the month.
// A weather code is a column 0..11 of the table; the new code follows from the mean of the old one
// and a draw, so the weather drifts rather than jumps. Three draws a call, in theatre order.
#pragma once

namespace kvt {

void UpdateWeather();

}  // namespace kvt
