#include "field_format.h"

#include "field_forms.h"
#include "processor_features.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scf1s {
namespace {

void requireWidth(int w, const char* field) {
  if (w < 1) throw std::invalid_argument(std::string(field) + " field width must be at least 1, got " + std::to_string(w));
}

// The background of a narrow field, laid down in one block.
constexpr char kBlankBlock[] = "                                ";
constexpr char kAsteriskBlock[] = "********************************";
static_assert(sizeof kBlankBlock == kFieldReach + 1 && sizeof kAsteriskBlock == kFieldReach + 1);

constexpr int kMaxPow10 = 19;
constexpr std::uint64_t kPow10[kMaxPow10 + 1] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};

char* putAsterisks(char* at, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (width <= kFieldReach)
    std::memcpy(at, kAsteriskBlock, kFieldReach);
  else
    std::memset(at, '*', width);
  return at + width;
}

// The same for a field of at most kFieldReach columns.
char* putAsteriskBlock(char* at, int w) {
  std::memcpy(at, kAsteriskBlock, kFieldReach);
  return at + w;
}

char* putRightJustified(char* at, const char* s, std::size_t len, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (len > width) return putAsterisks(at, w);
  std::copy_n(s, len, std::fill_n(at, width - len, ' '));
  return at + width;
}

// "00" to "99": the digits of a number below 100.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The same pairs with a blank for the leading zero of " 0" to " 9".
constexpr char kBlankLedPairs[] =
    " 0 1 2 3 4 5 6 7 8 910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";
static_assert(sizeof kBlankLedPairs == sizeof kDigitPairs);

// The decimal digits of v, ending just before `end`; returns their start.
// Two at a time from a table: the report's numbers mostly have one or two.
template <class Unsigned>
char* putDigitsBefore(char* end, Unsigned v) {
  while (v >= 100) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * (v % 100), 2);
    v /= 100;
  }
  if (v >= 10) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * v, 2);
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

// Puts the sign and the magnitude text "I.F" (followed by `zeros` further
// zero decimals) right-justified into a field of w columns. The zero of a
// magnitude below 1 is left out when the field is exactly one column short,
// but never when it is the only digit (d = 0).
char* putFixed(char* at, bool negative, const char* mag, std::size_t len, std::size_t zeros, int w, int d) {
  const auto width = static_cast<std::size_t>(w);
  std::size_t total = (negative ? 1 : 0) + len + zeros;
  std::size_t skip = 0;
  if (total == width + 1 && d > 0 && mag[0] == '0') {
    skip = 1;
    --total;
  }
  if (total > width) return putAsterisks(at, w);
  char* p = std::fill_n(at, width - total, ' ');
  if (negative) *p++ = '-';
  std::fill_n(std::copy(mag + skip, mag + len, p), zeros, '0');
  return at + width;
}

// Decimals beyond the 1074th of a double are all zero, so the library is
// asked for at most this many and the rest are put as zeros.
constexpr int kLibraryDecimals = 1100;

// The general case: the library's correctly rounded fixed notation.
char* putRealByLibrary(char* at, bool negative, double magnitude, int w, int d) {
  char buf[1 + 309 + 1 + kLibraryDecimals + 8];  // the largest double has 309 integer digits
  const int asked = std::min(d, kLibraryDecimals);
  auto r = std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::fixed, asked);
  if (r.ec != std::errc()) return putAsterisks(at, w);
  auto len = static_cast<std::size_t>(r.ptr - buf);
  if (asked == 0) buf[len++] = '.';
  return putFixed(at, negative, buf, len, static_cast<std::size_t>(d - asked), w, d);
}

// The digits of v, exactly D of them with leading zeros, into at[0..D). The
// number is split into a high and a low part, each written on its own, so
// the divisions form short chains instead of one of length D; the low part
// has an even number of digits, and the parts end in pairs of digits taken
// from a table. Halves of nine digits or fewer are divided in 32 bits.
template <int D>
void putDigits(char* at, std::uint64_t v) {
  if constexpr (D == 1) {
    at[0] = static_cast<char>('0' + v);
  } else if constexpr (D == 2) {
    std::memcpy(at, kDigitPairs + 2 * v, 2);
  } else if constexpr (D > 2) {
    constexpr int kLow = (D / 2) % 2 == 0 ? D / 2 : D / 2 + 1;
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

// "I.F" of a magnitude into buf when its digits fit in 64 bits (below).
std::size_t exactFixed(double magnitude, int d, char* buf);

// Any finite value in any field: exactly in integers when the digits fit in
// 64 bits, otherwise by the library.
char* putAnyFinite(char* at, double value, int w, int d) {
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  char buf[48];
  if (std::size_t len = exactFixed(magnitude, d, buf); len != 0) return putFixed(at, negative, buf, len, 0, w, d);
  return putRealByLibrary(at, negative, magnitude, w, d);
}

// Fw.d fields outside the fast path: NaN and infinities, fields too narrow
// for their decimals, and the wide, the very large and the many-decimal ones.
// Kept out of line: inlined into the fast paths it would give each a stack frame.
[[gnu::noinline]] char* putRealGeneral(char* at, double value, int w, int d) {
  if (!std::isfinite(value)) {
    const char* s = std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    return putRightJustified(at, s, std::char_traits<char>::length(s), w);
  }
  // The point and d decimals alone already need d + 1 columns.
  if (d >= w) return putAsterisks(at, w);
  return putAnyFinite(at, value, w, d);
}

// The narrow Fw.d fields have their own functions up to this many decimals.
constexpr int kNarrowMaxDecimals = 12;

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Uint128;

constexpr int kExactMaxDecimals = kMaxPow10;
constexpr std::size_t kExactTextSize = 20 + 1 + kExactMaxDecimals;  // q < 2^64 has at most 20 digits

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
  p = putDigitsBefore(p, digits);
  const auto len = static_cast<std::size_t>(tmp + kExactTextSize - p);
  std::copy(p, tmp + kExactTextSize, buf);
  return len;
}

// The rounded digits the exact way, for what nearestDigits below leaves
// undecided: few decimals (d = D) and a magnitude below 2^53. Sets q to
// magnitude * 10^D rounded, ties to even, as exactFixed forms it; false for
// larger magnitudes, infinities and NaN. m * 10^D < 2^93 here, so from s = 94
// on the value rounds to zero. The bit below the quotient decides the
// rounding, the bits below that only a tie.
template <int D>
bool roundedDigits(double value, std::uint64_t& q) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  if (biased > 1074) return false;
  // Zero and the subnormals have biased = 0 and round to zero.
  const unsigned s = static_cast<unsigned>(1075 - biased);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  q = 0;
  if (s < 94) {
    const Uint128 scaled = static_cast<Uint128>(m) * kPow10[D];
    const Uint128 withHalf = scaled >> (s - 1);
    const Uint128 down = withHalf >> 1;
    if ((down >> 63) != 0) return false;  // rounding up must not leave 64 bits
    q = static_cast<std::uint64_t>(down);
    if ((withHalf & 1) != 0 && ((q & 1) != 0 || (scaled & ((static_cast<Uint128>(1) << (s - 1)) - 1)) != 0)) ++q;
  }
  return true;
}

#else
std::size_t exactFixed(double, int, char*) { return 0; }
template <int D>
bool roundedDigits(double, std::uint64_t&) { return false; }
#endif

// The rounded digits the quick way: y = magnitude * 10^D, rounded once. Below
// 2^52, n + 1/2 (n the integer part of y) is a double, and rounding never
// moves a number past a double, so the exact product lies on the same side
// of n + 1/2 as y: the integer nearest to y is the digits, unless y's
// fraction is exactly 1/2. False then, for larger values and for NaN. The
// processor's conversion takes the nearest integer in its rounding mode, to
// nearest (the program never changes it); the distance from y to it is
// exact and only tells a tie apart, so the digits need not wait for it.
template <int D>
bool nearestDigits(double value, std::uint64_t& q) {
  const double scaled = std::fabs(value) * static_cast<double>(kPow10[D]);
  if (!(scaled < 0x1p52)) return false;
#if defined(__SSE2__)
  const std::int64_t nearest = _mm_cvtsd_si64(_mm_set_sd(scaled));
  if (std::fabs(scaled - static_cast<double>(nearest)) == 0.5) return false;
  q = static_cast<std::uint64_t>(nearest);
#else
  const auto whole = static_cast<std::int64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);  // exact
  if (fraction == 0.5) return false;
  q = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
#endif
  return true;
}

// The Fw.d field with d = D < w <= kFieldReach, written straight into its
// place: the rounded digits are split into the integer part and D decimals;
// whether they fit is decided first, so the digits can go right-justified
// onto a background of blanks laid down as one block.
// An integer part below 100 with two columns left for it beside the sign
// (the common case) is put without branches on the value, whose sign and
// digit count follow no pattern down a matrix: its two columns come from the
// table of pairs with a blank for a leading zero, and a '-' goes before the
// digits, or, for a value that is not negative, where the point goes next.
template <int D>
char* putNarrowFixed(char* at, double value, int w, int d) {
  std::uint64_t q = 0;
  if (!nearestDigits<D>(value, q) && !roundedDigits<D>(value, q)) return putRealGeneral(at, value, w, d);
  const bool negative = value < 0;  // an IEEE negative zero is not negative
  const std::uint64_t integer = q / kPow10[D];
  const std::uint64_t decimals = q - integer * kPow10[D];
  // Columns left for the integer digits beside the sign, the point and the decimals.
  const int room = w - D - 1 - (negative ? 1 : 0);
  const int pointAt = w - D - 1;
  if (integer < 100 && room >= 2) {
    std::memcpy(at, kBlankBlock, kFieldReach);
    putDigits<D>(at + pointAt + 1, decimals);
    std::memcpy(at + pointAt - 2, kBlankLedPairs + 2 * integer, 2);
    // Where the sign goes: pointAt - 2 or - 3 when negative, else pointAt
    // (in arithmetic, which the compiler keeps free of a branch).
    at[pointAt - static_cast<int>(negative) * (2 + static_cast<int>(integer >= 10))] = '-';
    at[pointAt] = '.';
    return at + w;
  }
  // The zero before the point goes when the field is exactly one column short.
  const bool dropZero = D > 0 && integer == 0 && room == 0;
  const bool fits = integer == 0 ? room >= 1 || dropZero : room >= 1 && (room > kMaxPow10 || integer < kPow10[room]);
  if (!fits) return putAsteriskBlock(at, w);
  std::memcpy(at, kBlankBlock, kFieldReach);
  char* p = at + w - D;
  putDigits<D>(p, decimals);
  *--p = '.';
  if (!dropZero) p = putDigitsBefore(p, integer);
  if (negative) *--p = '-';
  return at + w;
}

constexpr RealField kNarrowFixed[kNarrowMaxDecimals + 1] = {
    putNarrowFixed<0>, putNarrowFixed<1>, putNarrowFixed<2>, putNarrowFixed<3>, putNarrowFixed<4>,
    putNarrowFixed<5>, putNarrowFixed<6>, putNarrowFixed<7>, putNarrowFixed<8>, putNarrowFixed<9>,
    putNarrowFixed<10>, putNarrowFixed<11>, putNarrowFixed<12>};

char* putOtherNarrowInteger(char* at, int value, int w);

// The Iw field with w <= kFieldReach. Counters and indices below 100 take
// their two columns from the table of pairs with a blank for a leading zero.
// Inlined into the runs of Iw fields: a row of indices is then one loop of
// table copies.
[[gnu::always_inline]] inline char* putNarrowInteger(char* at, int value, int w) {
  if (value >= 0 && value < 100 && w >= 2) {
    std::memcpy(at, kBlankBlock, kFieldReach);
    std::memcpy(at + w - 2, kBlankLedPairs + 2 * value, 2);
    return at + w;
  }
  return putOtherNarrowInteger(at, value, w);
}

// The Iw field for values of other sizes and signs.
[[gnu::noinline]] char* putOtherNarrowInteger(char* at, int value, int w) {
  const bool negative = value < 0;
  const std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  // Columns left for the digits beside the sign; an int has at most ten digits.
  const int room = w - (negative ? 1 : 0);
  if (room < 1 || (room < 10 && magnitude >= kPow10[room])) return putAsteriskBlock(at, w);
  std::memcpy(at, kBlankBlock, kFieldReach);
  char* p = putDigitsBefore(at + w, magnitude);
  if (negative) *--p = '-';
  return at + w;
}

// Makes room for a field at the end of out, puts it there and trims the
// room back to the field's w characters.
template <class Put>
void appendField(std::string& out, int w, Put put) {
  const std::size_t start = out.size();
  const auto width = static_cast<std::size_t>(w);
  out.resize(start + std::max(width, kFieldReach));
  put(out.data() + start);
  out.resize(start + width);
}

// Iw fields wider than a block, by the library's digits.
char* putWideInteger(char* at, int value, int w) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return putRightJustified(at, buf, static_cast<std::size_t>(r.ptr - buf), w);
}

// The fields of a repeated value item, each put by put(at, value) inlined in
// the loop: a matrix row takes one call for all its elements.
template <class T, class Put>
const Value* putRun(char*& at, const Value* first, const Value* last, Put put) {
  char* p = at;
  for (; first != last; ++first) {
    const T* value = std::get_if<T>(first);
    if (value == nullptr) break;
    p = put(p, *value);
  }
  at = p;
  return first;
}

template <int D>
const Value* putNarrowFixedRun(char*& at, const Value* first, const Value* last, int w, int d) {
  return putRun<double>(at, first, last, [w, d](char* p, double v) { return putNarrowFixed<D>(p, v, w, d); });
}

constexpr RealFields kNarrowFixedRun[kNarrowMaxDecimals + 1] = {
    putNarrowFixedRun<0>, putNarrowFixedRun<1>, putNarrowFixedRun<2>, putNarrowFixedRun<3>, putNarrowFixedRun<4>,
    putNarrowFixedRun<5>, putNarrowFixedRun<6>, putNarrowFixedRun<7>, putNarrowFixedRun<8>, putNarrowFixedRun<9>,
    putNarrowFixedRun<10>, putNarrowFixedRun<11>, putNarrowFixedRun<12>};

#if defined(FIELD_FORMAT_HAS_AVX512_FORM)
// The same fields eight at a time by the vector form where it takes them
// (d <= kVectorMaxDecimals, d + 3 <= w <= kVectorMaxWidth): the doubles of
// the run are gathered in chunks of up to eight, and a chunk the vector form
// leaves alone is put field by field by the scalar form.
template <int D>
const Value* putNarrowFixedRunVector(char*& at, const Value* first, const Value* last, int w, int d) {
  char* p = at;
  while (first != last) {
    double chunk[8] = {};  // the vector form reads all eight
    int count = 0;
    for (; count < 8 && first + count != last; ++count) {
      const double* value = std::get_if<double>(first + count);
      if (value == nullptr) break;
      chunk[count] = *value;
    }
    if (count == 0) break;
    if (field_forms::kNarrowFixedAvx512[D](p, chunk, count, w)) {
      p += count * w;
    } else {
      for (int k = 0; k < count; ++k) p = putNarrowFixed<D>(p, chunk[k], w, d);
    }
    first += count;
    if (count < 8) break;  // the end, or a value of another kind
  }
  at = p;
  return first;
}

constexpr RealFields kNarrowFixedRunVector[field_forms::kVectorMaxDecimals + 1] = {
    putNarrowFixedRunVector<0>, putNarrowFixedRunVector<1>, putNarrowFixedRunVector<2>,
    putNarrowFixedRunVector<3>, putNarrowFixedRunVector<4>, putNarrowFixedRunVector<5>,
    putNarrowFixedRunVector<6>, putNarrowFixedRunVector<7>, putNarrowFixedRunVector<8>};

bool takenByVectorForm(int w, int d) {
  return d <= field_forms::kVectorMaxDecimals && d + 3 <= w && w <= field_forms::kVectorMaxWidth &&
         field_forms::narrowFixedVectorAvailable();
}
#endif

const Value* putRealGeneralRun(char*& at, const Value* first, const Value* last, int w, int d) {
  return putRun<double>(at, first, last, [w, d](char* p, double v) { return putRealGeneral(p, v, w, d); });
}

const Value* putNarrowIntegerRun(char*& at, const Value* first, const Value* last, int w) {
  return putRun<int>(at, first, last, [w](char* p, int v) { return putNarrowInteger(p, v, w); });
}

const Value* putWideIntegerRun(char*& at, const Value* first, const Value* last, int w) {
  return putRun<int>(at, first, last, [w](char* p, int v) { return putWideInteger(p, v, w); });
}

bool isNarrowFixed(int w, int d) {
  return d < w && d <= kNarrowMaxDecimals && static_cast<std::size_t>(w) <= kFieldReach;
}

// One narrow Iw field on its own, for callers that take a field at a time.
char* putNarrowIntegerField(char* at, int value, int w) { return putNarrowInteger(at, value, w); }

}  // namespace

IntegerField integerFieldFor(int w) {
  return static_cast<std::size_t>(w) <= kFieldReach ? putNarrowIntegerField : putWideInteger;
}

RealField realFieldFor(int w, int d) { return isNarrowFixed(w, d) ? kNarrowFixed[d] : putRealGeneral; }

IntegerFields integerFieldsFor(int w) {
  return static_cast<std::size_t>(w) <= kFieldReach ? putNarrowIntegerRun : putWideIntegerRun;
}

RealFields realFieldsFor(int w, int d) {
#if defined(FIELD_FORMAT_HAS_AVX512_FORM)
  if (takenByVectorForm(w, d)) return kNarrowFixedRunVector[d];
#endif
  return isNarrowFixed(w, d) ? kNarrowFixedRun[d] : putRealGeneralRun;
}

bool field_forms::narrowFixedVectorAvailable() {
#if defined(FIELD_FORMAT_HAS_AVX512_FORM)
  static const bool available =
      SCF1S_PROCESSOR_HAS(AVX512F, "avx512f") && SCF1S_PROCESSOR_HAS(AVX512DQ, "avx512dq") &&
      SCF1S_PROCESSOR_HAS(AVX512BW, "avx512bw") && SCF1S_PROCESSOR_HAS(AVX512VL, "avx512vl") &&
      SCF1S_PROCESSOR_HAS(AVX512_VBMI, "avx512vbmi");
  return available;
#else
  return false;
#endif
}

char* putInteger(char* at, int value, int w) { return integerFieldFor(w)(at, value, w); }

char* putReal(char* at, double value, int w, int d) { return realFieldFor(w, d)(at, value, w, d); }

char* putChars(char* at, std::string_view value, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (value.size() >= width) return std::copy_n(value.data(), width, at);
  return std::copy(value.begin(), value.end(), std::fill_n(at, width - value.size(), ' '));
}

void appendInteger(std::string& out, int value, int w) {
  requireWidth(w, "I");
  appendField(out, w, [&](char* at) { putInteger(at, value, w); });
}

void appendReal(std::string& out, double value, int w, int d) {
  requireWidth(w, "F");
  if (d < 0) throw std::invalid_argument("F field decimals must not be negative, got " + std::to_string(d));
  appendField(out, w, [&](char* at) { putReal(at, value, w, d); });
}

void appendChars(std::string& out, std::string_view value, int w) {
  requireWidth(w, "A");
  appendField(out, w, [&](char* at) { putChars(at, value, w); });
}

}  // namespace scf1s
