#pragma once

#include <string>

namespace veldra::beam {

// The text of v as C's "%f" prints it: six digits after a decimal point that is
// always '.', whatever the locale. Non-finite values are spelled "inf", "-inf",
// "nan" and "-nan" (the sign bit decides) on every platform, because runtime
// libraries disagree on how "%f" shows them.
std::string fixed(double v);

}  // namespace veldra::beam
