#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "value.h"

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

// The same fields written in place, for a writer that keeps room ahead of
// its text: each puts its w characters at `at` and returns at + w. A narrow
// field is formed with whole blocks of kFieldReach bytes, so the bytes after
// it up to at + kFieldReach may be overwritten too; the caller provides
// max(w, kFieldReach) bytes. The width must be at least 1 and d not negative
// (the layout parser sees to that).
inline constexpr std::size_t kFieldReach = 32;
char* putInteger(char* at, int value, int w);
char* putReal(char* at, double value, int w, int d);
char* putChars(char* at, std::string_view value, int w);

// The put function for one item of a layout, chosen once for its w (and d):
// narrow fields with few decimals have functions of their own, which skip
// the tests of the general case.
using IntegerField = char* (*)(char* at, int value, int w);
using RealField = char* (*)(char* at, double value, int w, int d);
IntegerField integerFieldFor(int w);
RealField realFieldFor(int w, int d);

// A repeated value item: puts the values from `first` up to `last` as
// consecutive fields of the same w (and d), each as the put functions above
// do, and stops early at the first value of another kind. Returns where it
// stopped and moves `at` past the fields put. The caller provides
// (last - first) * w + kFieldReach bytes.
using IntegerFields = const Value* (*)(char*& at, const Value* first, const Value* last, int w);
using RealFields = const Value* (*)(char*& at, const Value* first, const Value* last, int w, int d);
IntegerFields integerFieldsFor(int w);
RealFields realFieldsFor(int w, int d);

}  // namespace scf1s
