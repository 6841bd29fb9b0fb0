#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorden {

// A coordinate travels from the coordinate file to lobe.dat as text, never as
// a number, and takes nine columns there: a blank or minus sign, then the
// digits cut (not rounded) to fit.
constexpr std::size_t kCoordinateColumns = 9;

// The point must stay inside the nine columns, or the engine would read the
// digits with an implied decimal point: one column for the sign, at most seven
// digits, one for the point.
constexpr std::size_t kMostCoordinateIntegerDigits = 7;

enum class CoordinateTextProblem {
  None,
  NotADecimalNumber,     // not an optional sign, digits, optional point and digits
  TooManyIntegerDigits,  // more than kMostCoordinateIntegerDigits before the point
};

CoordinateTextProblem checkCoordinateText(std::string_view text);

// The nine columns of lobe.dat for a coordinate text that passes
// checkCoordinateText: a text without a point gets one appended ("1" is one,
// not ten million); a plus sign is dropped; a text that does not begin with
// "-" gets a blank in front; nine zeros are appended and the first nine
// characters kept.
std::string normaliseCoordinate(std::string_view text);

}  // namespace vorden
