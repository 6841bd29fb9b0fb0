#include "field_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace scf1s {
namespace {

void requireWidth(int w, const char* field) {
  if (w < 1) throw std::invalid_argument(std::string(field) + " field width must be at least 1, got " + std::to_string(w));
}

void appendAsterisks(std::string& out, int w) { out.append(static_cast<std::size_t>(w), '*'); }

void appendRightJustified(std::string& out, const char* s, std::size_t len, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (len > width) return appendAsterisks(out, w);
  out.append(width - len, ' ');
  out.append(s, len);
}

// Puts the sign and the magnitude text "I.F" (followed by `zeros` further
// zero decimals) right-justified into a field of w columns. The zero of a
// magnitude below 1 is left out when the field is exactly one column short,
// but never when it is the only digit (d = 0).
void appendFixed(std::string& out, bool negative, const char* mag, std::size_t len, std::size_t zeros,
                 int w, int d) {
  const auto width = static_cast<std::size_t>(w);
  std::size_t total = (negative ? 1 : 0) + len + zeros;
  std::size_t skip = 0;
  if (total == width + 1 && d > 0 && mag[0] == '0') {
    skip = 1;
    --total;
  }
  if (total > width) return appendAsterisks(out, w);
  if (width <= 64 && zeros == 0) {  // the usual narrow field: one append
    char field[64];
    char* p = std::fill_n(field, width - total, ' ');
    if (negative) *p++ = '-';
    std::copy(mag + skip, mag + len, p);
    out.append(field, width);
    return;
  }
  out.append(width - total, ' ');
  if (negative) out += '-';
  out.append(mag + skip, len - skip);
  out.append(zeros, '0');
}

// Decimals beyond the 1074th of a double are all zero, so the library is
// asked for at most this many and the rest are appended as zeros.
constexpr int kLibraryDecimals = 1100;

// The general case: the library's correctly rounded fixed notation.
void appendRealByLibrary(std::string& out, bool negative, double magnitude, int w, int d) {
  char buf[1 + 309 + 1 + kLibraryDecimals + 8];  // the largest double has 309 integer digits
  const int asked = std::min(d, kLibraryDecimals);
  auto r = std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::fixed, asked);
  if (r.ec != std::errc()) return appendAsterisks(out, w);
  auto len = static_cast<std::size_t>(r.ptr - buf);
  if (asked == 0) buf[len++] = '.';
  appendFixed(out, negative, buf, len, static_cast<std::size_t>(d - asked), w, d);
}

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Uint128;

constexpr int kExactMaxDecimals = 19;
constexpr std::size_t kExactTextSize = 20 + 1 + kExactMaxDecimals;  // q < 2^64 has at most 20 digits
constexpr std::uint64_t kPow10[kExactMaxDecimals + 1] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};

// The common case, done exactly in integers: a magnitude below 2^53 is
// m * 2^-s with m < 2^53, so m * 10^d (d <= 19) fits in 117 bits, and the
// rounded quotient by 2^s, ties to even, is the field's digit string. Sets
// result to that quotient; false when the magnitude or the quotient (more
// than 64 bits) is outside this range.
bool scaledToInteger(double magnitude, int d, std::uint64_t& result) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = -1074;  // subnormals and zero
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e = biased - 1075;
  }
  if (e > 0) return false;
  const unsigned s = static_cast<unsigned>(-e);
  const Uint128 scaled = static_cast<Uint128>(m) * kPow10[d];
  Uint128 q = 0;
  if (s == 0) {
    q = scaled;
  } else if (s < 118) {  // from 118 on, scaled < 2^(s-1): rounds down to 0
    q = scaled >> s;
    const Uint128 rest = scaled - (q << s);
    const Uint128 half = static_cast<Uint128>(1) << (s - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  }
  if ((q >> 64) != 0) return false;
  result = static_cast<std::uint64_t>(q);
  return true;
}

// Writes "I.F" for the quotient of scaledToInteger to buf (at least
// kExactTextSize chars) and returns its length, or 0 when the magnitude or
// the result is outside that range.
std::size_t exactFixed(double magnitude, int d, char* buf) {
  std::uint64_t q = 0;
  if (d > kExactMaxDecimals || !scaledToInteger(magnitude, d, q)) return 0;
  // The digits of q from the right, with the point d digits from the end.
  std::uint64_t digits = q;
  char tmp[kExactTextSize];
  char* p = tmp + kExactTextSize;
  if (d == 0) *--p = '.';
  for (int k = 0; k < d; ++k) {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  if (d > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  const auto len = static_cast<std::size_t>(tmp + kExactTextSize - p);
  std::copy(p, tmp + kExactTextSize, buf);
  return len;
}

// The digits of v, exactly D of them with leading zeros, into at[0..D). The
// number is halved into a high and a low part, each written on its own, so
// the divisions by ten form short chains instead of one of length D; parts
// of nine digits or fewer are divided in 32 bits.
template <int D>
void putDigits(char* at, std::uint64_t v) {
  if constexpr (D == 1) {
    at[0] = static_cast<char>('0' + v);
  } else if constexpr (D > 1) {
    constexpr int kLow = D / 2;
    if constexpr (D <= 9) {
      const auto small = static_cast<std::uint32_t>(v);
      constexpr auto split = static_cast<std::uint32_t>(kPow10[kLow]);
      putDigits<D - kLow>(at, small / split);
      putDigits<kLow>(at + (D - kLow), small % split);
    } else {
      putDigits<D - kLow>(at, v / kPow10[kLow]);
      putDigits<kLow>(at + (D - kLow), v % kPow10[kLow]);
    }
  }
}

// The Fw.d field with d = D <= 12 written straight into its place: the
// rounded integer q = magnitude * 10^D (as exactFixed forms it) is split
// into its integer part and D decimals, the digits are set right-justified
// in a field buffer, and the field is appended in one piece. Returns false,
// appending nothing, when the magnitude, the result or the width is outside
// this fast path.
template <int D>
bool appendShortFixed(std::string& out, bool negative, std::uint64_t q, int w) {
  constexpr std::size_t kField = 64;  // 20 integer digits, the point, 12 decimals, a sign; w <= 32
  if (w > 32) return false;
  char field[kField];
  char* const end = field + kField;
  std::uint64_t integer = q / kPow10[D];
  const std::uint64_t decimals = q - integer * kPow10[D];
  putDigits<D>(end - D, decimals);
  char* p = end - D;
  *--p = '.';
  const bool zeroInteger = integer == 0;
  do {
    *--p = static_cast<char>('0' + integer % 10);
    integer /= 10;
  } while (integer != 0);
  const auto width = static_cast<std::size_t>(w);
  std::size_t total = (negative ? 1 : 0) + static_cast<std::size_t>(end - p);
  // The zero before the point goes when the field is exactly one column short.
  if (D > 0 && zeroInteger && total == width + 1) {
    ++p;
    --total;
  }
  if (total > width) {
    appendAsterisks(out, w);
    return true;
  }
  if (negative) *--p = '-';
  char* const start = end - width;
  std::fill(start, p, ' ');
  out.append(start, width);
  return true;
}

// The report's fields have few decimals; for those the field is formed
// without the intermediate text of exactFixed.
bool appendFewDecimals(std::string& out, bool negative, double magnitude, int w, int d) {
  std::uint64_t q = 0;
  if (d > 12 || !scaledToInteger(magnitude, d, q)) return false;
  switch (d) {
    case 0: return appendShortFixed<0>(out, negative, q, w);
    case 1: return appendShortFixed<1>(out, negative, q, w);
    case 2: return appendShortFixed<2>(out, negative, q, w);
    case 3: return appendShortFixed<3>(out, negative, q, w);
    case 4: return appendShortFixed<4>(out, negative, q, w);
    case 5: return appendShortFixed<5>(out, negative, q, w);
    case 6: return appendShortFixed<6>(out, negative, q, w);
    case 7: return appendShortFixed<7>(out, negative, q, w);
    case 8: return appendShortFixed<8>(out, negative, q, w);
    case 9: return appendShortFixed<9>(out, negative, q, w);
    case 10: return appendShortFixed<10>(out, negative, q, w);
    case 11: return appendShortFixed<11>(out, negative, q, w);
    default: return appendShortFixed<12>(out, negative, q, w);
  }
}
#else
std::size_t exactFixed(double, int, char*) { return 0; }
bool appendFewDecimals(std::string&, bool, double, int, int) { return false; }
#endif

}  // namespace

void appendInteger(std::string& out, int value, int w) {
  requireWidth(w, "I");
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  appendRightJustified(out, buf, static_cast<std::size_t>(r.ptr - buf), w);
}

void appendReal(std::string& out, double value, int w, int d) {
  requireWidth(w, "F");
  if (d < 0) throw std::invalid_argument("F field decimals must not be negative, got " + std::to_string(d));
  if (!std::isfinite(value)) {
    const char* s = std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    appendRightJustified(out, s, std::char_traits<char>::length(s), w);
    return;
  }
  // The point and d decimals alone already need d + 1 columns.
  if (d >= w) return appendAsterisks(out, w);
  const bool negative = value < 0;  // an IEEE negative zero is not negative
  const double magnitude = std::fabs(value);
  if (appendFewDecimals(out, negative, magnitude, w, d)) return;
  char buf[48];
  if (std::size_t len = exactFixed(magnitude, d, buf); len != 0)
    return appendFixed(out, negative, buf, len, 0, w, d);
  appendRealByLibrary(out, negative, magnitude, w, d);
}

void appendChars(std::string& out, std::string_view value, int w) {
  requireWidth(w, "A");
  const auto width = static_cast<std::size_t>(w);
  if (value.size() >= width) {
    out.append(value.substr(0, width));
  } else {
    out.append(width - value.size(), ' ');
    out.append(value);
  }
}

}  // namespace scf1s
