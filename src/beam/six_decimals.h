#pragma once

#include <string>

namespace veldra::beam {

// The text of v as C's "%f" prints it: six digits after a decimal point that is
// always '.', whatever the locale. Non-finite values are spelled "inf", "-inf"
// and "nan" on every platform: runtime libraries disagree on how "%f" shows
// them, and a NaN's sign bit means nothing (x86 and ARM even set it
// differently for 0/0).
std::string sixDecimals(double v);

// Appends sixDecimals(v) to `text`, without a string of its own.
void appendSixDecimals(std::string& text, double v);

}  // namespace veldra::beam
