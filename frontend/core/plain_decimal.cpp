#include "plain_decimal.h"

namespace vorden {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t countDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - from;
}

}  // namespace

std::optional<PlainDecimal> parsePlainDecimal(std::string_view text) {
  PlainDecimal number;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) number.sign = text[at++];

  const std::size_t integerLength = countDigits(text, at);
  number.integerDigits = text.substr(at, integerLength);
  at += integerLength;

  if (at < text.size() && text[at] == '.') {
    number.hasPoint = true;
    ++at;
    const std::size_t fractionLength = countDigits(text, at);
    number.fractionDigits = text.substr(at, fractionLength);
    at += fractionLength;
  }

  if (at != text.size()) return std::nullopt;
  if (number.integerDigits.empty() && number.fractionDigits.empty()) return std::nullopt;
  return number;
}

}  // namespace vorden
