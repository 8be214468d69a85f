#pragma once

#include <cstdint>
#include <string>

#include "beam/cases.h"

namespace veldra::beam {

// The results of load case Nr for the beam `in`, as the lines that key g prints:
// the header "Ergebnisse Biegefall <Nr>" and, when Nr names one of the thirteen
// cases, that case's result lines in its fixed order and spacing. A number that
// names no case gives the header alone. Every line ends in "\n".
std::string resultReport(std::int32_t Nr, const Inputs& in);

// True when Nr is the number of one of the thirteen load cases.
bool namesLoadCase(std::int32_t Nr);

}  // namespace veldra::beam
