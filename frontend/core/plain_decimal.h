#pragma once

#include <optional>
#include <string_view>

namespace vorden {

// A plain decimal number as written: an optional sign, digits, an optional
// point and digits, with at least one digit on either side of the point.
// No blanks, exponents or thousands separators.
struct PlainDecimal {
  char sign = 0;                 // '-', '+' or 0 when none is written
  std::string_view integerDigits;   // digits before the point, possibly empty
  bool hasPoint = false;
  std::string_view fractionDigits;  // digits after the point, possibly empty
};

// The parts of text when it is a plain decimal number, nothing otherwise.
// The parts view into text.
std::optional<PlainDecimal> parsePlainDecimal(std::string_view text);

}  // namespace vorden
