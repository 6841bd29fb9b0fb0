#include "coordinate_field.h"

#include "plain_decimal.h"

namespace vorden {

CoordinateTextProblem checkCoordinateText(std::string_view text) {
  const std::optional<PlainDecimal> number = parsePlainDecimal(text);
  if (!number) return CoordinateTextProblem::NotADecimalNumber;
  if (number->integerDigits.size() > kMostCoordinateIntegerDigits) {
    return CoordinateTextProblem::TooManyIntegerDigits;
  }
  return CoordinateTextProblem::None;
}

std::string normaliseCoordinate(std::string_view text) {
  std::string field;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() != '-') field += ' ';
  field += text;
  if (text.find('.') == std::string_view::npos) field += '.';
  field += "000000000";
  field.resize(kCoordinateColumns);
  return field;
}

}  // namespace vorden
