#include "field_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace scf1s {
namespace {

void appendRightJustified(std::string& out, const char* s, std::size_t len, int w) {
  if (len > static_cast<std::size_t>(w)) {
    out.append(static_cast<std::size_t>(w), '*');
    return;
  }
  out.append(static_cast<std::size_t>(w) - len, ' ');
  out.append(s, len);
}

}  // namespace

void appendInteger(std::string& out, int value, int w) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  appendRightJustified(out, buf, static_cast<std::size_t>(r.ptr - buf), w);
}

void appendReal(std::string& out, double value, int w, int d) {
  if (!std::isfinite(value)) {
    const char* s = std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    appendRightJustified(out, s, std::strlen(s), w);
    return;
  }
  if (value == 0.0) value = 0.0;  // an IEEE negative zero is not negative
  char buf[512];  // room for the largest double in fixed notation, 100 decimals
  char* end = buf;
  if (d > 100) d = 100;
  auto r = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::fixed, d);
  if (r.ec != std::errc()) {
    out.append(static_cast<std::size_t>(w), '*');
    return;
  }
  end = r.ptr;
  if (d == 0) *end++ = '.';
  std::size_t len = static_cast<std::size_t>(end - buf);
  // The optional zero before the point: dropped only when the field is one column short.
  char* digits = buf[0] == '-' ? buf + 1 : buf;
  if (len == static_cast<std::size_t>(w) + 1 && digits[0] == '0' && digits[1] == '.') {
    std::memmove(digits, digits + 1, static_cast<std::size_t>(end - digits - 1));
    --len;
  }
  appendRightJustified(out, buf, len, w);
}

void appendChars(std::string& out, std::string_view value, int w) {
  std::size_t width = static_cast<std::size_t>(w);
  if (value.size() >= width) {
    out.append(value.substr(0, width));
  } else {
    out.append(width - value.size(), ' ');
    out.append(value);
  }
}

}  // namespace scf1s
