#pragma once

#include <optional>
#include <string_view>

namespace scf1s {

// Numeric fields of a fixed-column record. Blanks anywhere in the field are
// ignored and an all-blank field reads 0.

// Iw: an optionally signed integer. Empty optional when the field is not one.
std::optional<int> readIntegerField(std::string_view field);

// Fw.d: an optionally signed number with or without a decimal point and with
// an optional exponent (E, e, D or d). Without a point, the last d digits of
// the mantissa are decimals ("15" in F10.6 reads 0.000015). Empty optional
// when the field is not a number or the value overflows.
std::optional<double> readRealField(std::string_view field, int decimals);

}  // namespace scf1s
