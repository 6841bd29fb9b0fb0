#include "fixed_fields.h"

#include <charconv>
#include <climits>
#include <string>

namespace scf1s {
namespace {

std::string withoutBlanks(std::string_view field) {
  std::string s;
  s.reserve(field.size());
  for (char c : field)
    if (c != ' ') s += c;
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> readIntegerField(std::string_view field) {
  std::string s = withoutBlanks(field);
  if (s.empty()) return 0;
  std::size_t pos = 0;
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    pos = 1;
  }
  if (pos == s.size()) return std::nullopt;
  long long value = 0;
  for (; pos < s.size(); ++pos) {
    if (!isDigit(s[pos])) return std::nullopt;
    value = value * 10 + (s[pos] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<double> readRealField(std::string_view field, int decimals) {
  std::string s = withoutBlanks(field);
  if (s.empty()) return 0.0;
  std::size_t pos = 0;
  bool negative = false;
  if (s[pos] == '+' || s[pos] == '-') negative = s[pos++] == '-';

  std::string digits;  // the mantissa's digits, point removed
  long long pointShift = 0;  // power of ten the digits are scaled by
  bool point = false;
  std::size_t intDigits = 0, fracDigits = 0;
  for (; pos < s.size(); ++pos) {
    char c = s[pos];
    if (isDigit(c)) {
      digits += c;
      (point ? fracDigits : intDigits)++;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (intDigits + fracDigits == 0) return std::nullopt;  // a bare sign or point
  pointShift = point ? -static_cast<long long>(fracDigits) : -static_cast<long long>(decimals);

  long long exponent = 0;
  if (pos < s.size()) {
    char e = s[pos];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return std::nullopt;
    ++pos;
    bool expNegative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) expNegative = s[pos++] == '-';
    if (pos == s.size()) return std::nullopt;  // exponent letter without digits
    for (; pos < s.size(); ++pos) {
      if (!isDigit(s[pos])) return std::nullopt;
      if (exponent < 100000) exponent = exponent * 10 + (s[pos] - '0');
    }
    if (expNegative) exponent = -exponent;
  }

  // Let the library round the exact decimal value once: digits e (exponent + shift).
  std::string text = digits + "e" + std::to_string(exponent + pointShift);
  double value = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Out of range below is a value too small for a double: it reads as zero.
    bool allZero = digits.find_first_not_of('0') == std::string::npos;
    long long magnitude = static_cast<long long>(digits.size()) + exponent + pointShift;
    if (!allZero && magnitude > 0) return std::nullopt;
    value = 0.0;
  } else if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace scf1s
