// The narrow Fw.d field eight values at a time, for processors with
// AVX-512F, DQ, BW and VBMI. It forms the bytes of putNarrowFixed in
// field_format.cpp for the common case (a finite value whose rounded
// magnitude is below 100, with room for its sign) and leaves every other
// case to that function: a chunk with any such value is written by it whole.
//
// A value's rounded digits come from the same single multiplication by 10^d
// as in the scalar field, and become decimal digits by exact operations only
// (each with its reason below); with more than six decimals the integer part
// and the decimals are split first. Each field is first formed right-justified in a 16-byte lane of its
// own; one byte permutation then packs the fields of w bytes side by side.
//
// Every header this file needs is included before the instruction set is
// switched on, so that no function shared with other files (the standard
// library's) is compiled here for AVX-512.
#include <immintrin.h>

#include <cstdint>

#include "field_forms.h"

#if defined(FIELD_FORMAT_HAS_AVX512_FORM)

#pragma GCC push_options
#pragma GCC target("avx512f,avx512dq,avx512bw,avx512vl,avx512vbmi")
// The compiler's own AVX-512 intrinsics start from an undefined vector, which
// it then warns of as (maybe) uninitialized; nothing here reads one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"

namespace scf1s::field_forms {

namespace {

constexpr int kLanes = 8;
constexpr int kLaneBytes = 16;  // one field formed right-justified in a lane of this size

constexpr std::uint64_t pow10(int d) { return d == 0 ? 1 : 10 * pow10(d - 1); }

// Where each byte of the packed fields comes from. A pair of vectors holds
// the eight fields, each in the last w bytes of a 16-byte lane: fields 0, 2,
// 4, 6 in the lanes of the first vector, 1, 3, 5, 7 in those of the second
// (as the unpacking below leaves them). Byte c of field i goes to i * w + c.
struct Packing {
  alignas(64) std::uint8_t from[2 * 64]{};
};

constexpr Packing packingFor(int w) {
  Packing p;
  for (int o = 0; o < kLanes * w; ++o) {
    const int field = o / w;
    const int column = o % w;
    p.from[o] = static_cast<std::uint8_t>((field & 1) * 64 + (field >> 1) * kLaneBytes + kLaneBytes - w + column);
  }
  return p;
}

struct Packings {
  Packing of[kVectorMaxWidth + 1];
};

constexpr Packings kPackings = [] {
  Packings all{};
  for (int w = 1; w <= kVectorMaxWidth; ++w) all.of[w] = packingFor(w);
  return all;
}();

// Where each byte of a field's lane comes from, for D decimals. The lane is
// formed from two words, the first (bytes 0 to 7) with the sign column and
// other characters, the second (8 to 15) with eight digits whose last D are
// the decimals, so that these already lie in the last D bytes of the lane.
// With D <= 6 the second word holds the integer part's two digits too, and
// the first has the sign in byte 0, the point in byte 1, blanks after; with
// more decimals the first word holds sign, tens, ones and point in bytes 0
// to 3 and blanks after.
struct LaneOrder {
  char from[kLaneBytes]{};
};

template <int D>
constexpr LaneOrder kLaneOrder = [] {
  LaneOrder order;
  constexpr int pointAt = kLaneBytes - D - 1;
  for (int j = 0; j < kLaneBytes; ++j) {
    int from = j;  // the decimals, and with D <= 6 the integer's digits
    if (j < pointAt - 3)
      from = D <= 6 ? 2 : 4;  // blanks
    else if (D <= 6 && j == pointAt - 3)
      from = 0;
    else if (D <= 6 && j == pointAt)
      from = 1;
    else if (D > 6 && j <= pointAt)
      from = j - (pointAt - 3);
    else if (D <= 6 && j < pointAt)
      from = j + 1;  // the tens and ones, one byte on in the second word
    order.from[j] = static_cast<char>(from);
  }
  return order;
}();

// The low n bits of a 64-bit mask (n <= 64 here: a chunk has at most 128 bytes).
inline __mmask64 lowBits(int n) { return n >= 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1; }

// The eight decimal digits of each n < 10^8 as characters, the first digit
// in the lowest byte. Each split divides by multiplying with m = ceil(2^k / p)
// and shifting by k: with e = m * p - 2^k, n * m / 2^k = n / p + n * e /
// (p * 2^k), and when n * e < 2^k the added term is below 1 / p, while n / p
// lies at least 1 / p below the next integer, so the floor is that of n / p.
//   p = 10^4: m = 3518437209, k = 45, e = 1168, n < 10^8: n * e < 2^45; n * m < 2^64.
//   p = 100:  m = 5243, k = 19, e = 12, n < 10^4: n * e < 2^19; n * m < 2^32.
//   p = 10:   m = 103, k = 10, e = 6, n < 100: n * e < 2^10; n * m < 2^16.
inline __m512i eightDigits(__m512i n) {
  // The first four digits in the low 32 bits of each word, the last four above.
  const __m512i high4 = _mm512_srli_epi64(_mm512_mul_epu32(n, _mm512_set1_epi64(3518437209)), 45);
  const __m512i low4 = _mm512_sub_epi64(n, _mm512_mul_epu32(high4, _mm512_set1_epi64(10000)));
  const __m512i fours = _mm512_or_si512(high4, _mm512_slli_epi64(low4, 32));
  // Each four as two pairs in 16-bit halves (the upper halves are zero, and stay so).
  const __m512i high2 = _mm512_srli_epi16(_mm512_mulhi_epu16(fours, _mm512_set1_epi32(5243)), 3);
  const __m512i low2 = _mm512_sub_epi16(fours, _mm512_mullo_epi16(high2, _mm512_set1_epi32(100)));
  const __m512i pairs = _mm512_or_si512(high2, _mm512_slli_epi32(low2, 16));
  // Each pair as two digits in bytes.
  const __m512i high1 = _mm512_srli_epi16(_mm512_mullo_epi16(pairs, _mm512_set1_epi16(103)), 10);
  const __m512i low1 = _mm512_sub_epi16(pairs, _mm512_mullo_epi16(high1, _mm512_set1_epi16(10)));
  const __m512i digits = _mm512_or_si512(high1, _mm512_slli_epi16(low1, 8));
  return _mm512_add_epi8(digits, _mm512_set1_epi8('0'));
}

// The eight doubles at `values`, each by a load of its own.
inline __m512d loadEach(const double* values) {
  __m128d pair[4];
  for (int k = 0; k < 4; ++k) {
    __m128d low = _mm_load_sd(values + 2 * k);
    // An empty asm keeps the compiler from merging the two loads into one.
    asm("" : "+v"(low));
    pair[k] = _mm_loadh_pd(low, values + 2 * k + 1);
  }
  const __m256d low = _mm256_insertf128_pd(_mm256_castpd128_pd256(pair[0]), pair[1], 1);
  const __m256d high = _mm256_insertf128_pd(_mm256_castpd128_pd256(pair[2]), pair[3], 1);
  return _mm512_insertf64x4(_mm512_castpd256_pd512(low), high, 1);
}

template <int D>
bool putNarrowFixedChunk(char* at, const double* values, int count, int w) {
  const auto used = static_cast<__mmask8>((1u << count) - 1);
  // The values were stored one by one just before: loaded one by one, each
  // load takes its value straight from its store, where one wide load would
  // wait for all the stores to reach the cache. The results of lanes beyond
  // count are neither tested nor stored.
  const __m512d value = loadEach(values);
  const __m512d one = _mm512_set1_pd(1.0);
  const __m512d half = _mm512_set1_pd(0.5);
  const __m512d power = _mm512_set1_pd(static_cast<double>(pow10(D)));

  // The rounded digits as the scalar field's nearestDigits forms them: the
  // same one multiplication, so the same scaled value; below 2^52 (a NaN
  // fails the test) truncation gives its integer part and the subtraction
  // its fraction exactly, and a fraction of exactly 1/2 is left to the
  // scalar field. q = whole + 1 <= 2^52 is exact.
  const __m512d scaled = _mm512_mul_pd(_mm512_abs_pd(value), power);
  __mmask8 common = _mm512_cmp_pd_mask(scaled, _mm512_set1_pd(0x1p52), _CMP_LT_OQ);
  const __m512d whole = _mm512_roundscale_pd(scaled, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
  const __m512d fraction = _mm512_sub_pd(scaled, whole);
  common &= _mm512_cmp_pd_mask(fraction, half, _CMP_NEQ_OQ);
  const __m512d q = _mm512_mask_add_pd(whole, _mm512_cmp_pd_mask(fraction, half, _CMP_GT_OQ), whole, one);

  // An IEEE negative zero is not negative, as in the scalar field.
  const __mmask8 negative = _mm512_cmp_pd_mask(value, _mm512_setzero_pd(), _CMP_LT_OQ);
  // An integer part below 100 (q < 10^(D+2), both exact), with two columns
  // for it beside the sign.
  common &= _mm512_cmp_pd_mask(q, _mm512_set1_pd(static_cast<double>(pow10(D + 2))), _CMP_LT_OQ);
  if (w - D - 2 < 2) common &= static_cast<__mmask8>(~negative);
  if ((common & used) != used) return false;
  const __mmask8 twoDigits = _mm512_cmp_pd_mask(q, _mm512_set1_pd(static_cast<double>(pow10(D + 1))), _CMP_GE_OQ);

  // Bytes hold ' ' = 0x20, to which the differences to '0' and '-' are added.
  constexpr long long kDigitOffset = '0' - ' ';
  constexpr long long kSignOffset = '-' - ' ';
  __m512i first;   // the sign column, the point (or more) and blanks
  __m512i digits;  // eight digits, the decimals last
  if constexpr (D <= 6) {
    // q < 10^8: its eight digits are the integer part's two (tens in byte
    // 6 - D, ones in 7 - D) and the decimals. A zero tens digit becomes a
    // blank, or the '-' of a negative value. The first word holds the '-'
    // before two digits in byte 0, the point in byte 1, blanks from byte 2.
    digits = eightDigits(_mm512_cvttpd_epu64(q));
    constexpr int tensAt = 8 * (6 - D);
    const __m512i blank = _mm512_sub_epi8(digits, _mm512_set1_epi64(kDigitOffset << tensAt));
    const __m512i minus = _mm512_sub_epi8(digits, _mm512_set1_epi64((kDigitOffset - kSignOffset) << tensAt));
    digits = _mm512_mask_blend_epi64(static_cast<__mmask8>(~twoDigits & ~negative), digits, blank);
    digits = _mm512_mask_blend_epi64(static_cast<__mmask8>(~twoDigits & negative), digits, minus);
    first = _mm512_mask_add_epi64(_mm512_set1_epi64(0x2020202020202e20), negative & twoDigits,
                                  _mm512_set1_epi64(0x2020202020202e20), _mm512_set1_epi64(kSignOffset));
  } else {
    // The integer part: floor(q / 10^D) from the rounded quotient is exact for
    // q < 2^53. The quotient t = q / 10^D lies at least 10^-D below the next
    // integer k + 1, and rounding moves it by at most half an ulp, at most
    // t * 2^-53 < 2^53 / 10^D * 2^-53 = 10^-D; nor can it fall below k, a
    // double. The decimals q - k * 10^D: k * 10^D <= q is an integer below
    // 2^53, so the product and the difference are exact.
    const __m512d integer = _mm512_roundscale_pd(_mm512_div_pd(q, power), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
    const __m512d decimals = _mm512_sub_pd(q, _mm512_mul_pd(integer, power));
    const __m512i integerBits = _mm512_cvttpd_epu64(integer);
    digits = eightDigits(_mm512_cvttpd_epu64(decimals));
    // The first word: blanks, with the point in byte 3; the ones digit goes
    // to byte 2, a nonzero tens digit to byte 1, and a '-' before the first
    // digit. tens = floor(n * 103 / 2^10) for n < 100, as in eightDigits.
    const __m512i tens = _mm512_srli_epi64(_mm512_mul_epu32(integerBits, _mm512_set1_epi64(103)), 10);
    const __m512i ones = _mm512_sub_epi64(integerBits, _mm512_mul_epu32(tens, _mm512_set1_epi64(10)));
    first = _mm512_set1_epi64(0x202020202e202020);
    first = _mm512_add_epi64(first, _mm512_slli_epi64(_mm512_add_epi64(ones, _mm512_set1_epi64(kDigitOffset)), 16));
    first = _mm512_mask_add_epi64(first, twoDigits, first,
                                  _mm512_slli_epi64(_mm512_add_epi64(tens, _mm512_set1_epi64(kDigitOffset)), 8));
    first = _mm512_mask_add_epi64(first, negative & twoDigits, first, _mm512_set1_epi64(kSignOffset));
    first = _mm512_mask_add_epi64(first, negative & static_cast<__mmask8>(~twoDigits), first,
                                  _mm512_set1_epi64(kSignOffset << 8));
  }

  // Each field in its lane, then packed.
  const __m512i order = _mm512_broadcast_i32x4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kLaneOrder<D>.from)));
  const __m512i even = _mm512_shuffle_epi8(_mm512_unpacklo_epi64(first, digits), order);
  const __m512i odd = _mm512_shuffle_epi8(_mm512_unpackhi_epi64(first, digits), order);
  const Packing& packing = kPackings.of[w];
  const __m512i low = _mm512_permutex2var_epi8(even, _mm512_load_si512(packing.from), odd);
  const __m512i high = _mm512_permutex2var_epi8(even, _mm512_load_si512(packing.from + 64), odd);
  const int bytes = count * w;
  _mm512_mask_storeu_epi8(at, lowBits(bytes), low);
  if (bytes > 64) _mm512_mask_storeu_epi8(at + 64, lowBits(bytes - 64), high);
  return true;
}

}  // namespace

const FixedChunk kNarrowFixedAvx512[kVectorMaxDecimals + 1] = {
    putNarrowFixedChunk<0>, putNarrowFixedChunk<1>, putNarrowFixedChunk<2>,
    putNarrowFixedChunk<3>, putNarrowFixedChunk<4>, putNarrowFixedChunk<5>,
    putNarrowFixedChunk<6>, putNarrowFixedChunk<7>, putNarrowFixedChunk<8>};

}  // namespace scf1s::field_forms

#pragma GCC diagnostic pop
#pragma GCC pop_options

#endif
