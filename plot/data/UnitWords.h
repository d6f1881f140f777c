#pragma once

#include <string_view>

// Whether a header entry reads as a unit (s, mV, kHz, Volt, °C, m/s^2, [V], (s)), as the row
// of units below a table's header holds them.
bool isUnitText(std::string_view text);
