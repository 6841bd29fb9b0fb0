#pragma once

#include <string>
#include <string_view>

namespace scf1s {

// The output fields of a record layout. Each appends exactly w characters.
// A width below 1 (or a negative d) is a fault of the caller's layout and
// throws std::invalid_argument.

// Iw: right-justified, minus sign when negative; w asterisks when too wide.
void appendInteger(std::string& out, int value, int w);

// Fw.d: exactly d decimals, correctly rounded from the binary value (ties to
// even); right-justified; a magnitude below 1 has "0" before the point unless
// the field is one column too narrow for it (with d = 0 that zero is the only
// digit and always stays); w asterisks when too wide.
// A value below zero that rounds to zero keeps its sign; -0.0 prints as 0.
// NaN and infinities print as "NaN", "Inf", "-Inf" when they fit.
void appendReal(std::string& out, double value, int w, int d);

// Aw: the first w characters of the value; a shorter value is right-justified.
void appendChars(std::string& out, std::string_view value, int w);

}  // namespace scf1s
