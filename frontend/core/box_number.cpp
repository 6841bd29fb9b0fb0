#include "box_number.h"

#include <optional>

#include "plain_decimal.h"

namespace vorden {
namespace {

std::string padWithZeros(std::string digits, int minimumDigits) {
  if (static_cast<int>(digits.size()) < minimumDigits) {
    digits.insert(0, static_cast<std::size_t>(minimumDigits) - digits.size(), '0');
  }
  return digits;
}

// Adds one to a string of decimal digits.
std::string incremented(std::string digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string formatWholeNumber(long value, int minimumDigits) {
  // Digits from the magnitude, computed without negating (which could overflow).
  std::string digits;
  long rest = value;
  do {
    const long digit = rest % 10;
    digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
    rest /= 10;
  } while (rest != 0);
  return (value < 0 ? "-" : "") + padWithZeros(digits, minimumDigits);
}

std::string formatBoxNumber(std::string_view boxText, int minimumDigits) {
  const std::optional<PlainDecimal> number = parsePlainDecimal(trimBlanks(boxText));
  if (!number) return std::string(boxText);

  // Work on the digits as text: a box may hold more digits than any integer type.
  std::string digits(number->integerDigits);
  if (!number->fractionDigits.empty() && number->fractionDigits.front() >= '5') {
    digits = incremented(digits.empty() ? std::string("0") : digits);
  }
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  digits = firstNonZero == std::string::npos ? std::string() : digits.substr(firstNonZero);

  const bool negative = number->sign == '-' && !digits.empty();
  return (negative ? "-" : "") + padWithZeros(digits.empty() ? "0" : digits, minimumDigits);
}

}  // namespace vorden
