#pragma once

#include <string>
#include <string_view>

namespace vorden {

// A whole number in decimal with at least minimumDigits digits, padded with
// zeros on the left, a minus sign in front of negative values ("-02" for -2
// with two digits).
std::string formatWholeNumber(long value, int minimumDigits);

// The text a numeric field of lobe.dat takes from a form's text box: the
// number written in the box (blanks around it allowed), rounded to a whole
// number with halves away from zero, in the form of formatWholeNumber. A box
// text that is not a number, the empty text included, is returned unchanged:
// the form has validated the boxes and the writer does not judge them again.
std::string formatBoxNumber(std::string_view boxText, int minimumDigits);

}  // namespace vorden
