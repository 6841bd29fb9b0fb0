// The output fields Iw, Fw.d and Aw on their own.
#include "field_format.h"
#include "field_forms.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace scf1s {
namespace {

std::string I(int value, int w) {
  std::string out;
  appendInteger(out, value, w);
  return out;
}

std::string F(double value, int w, int d) {
  std::string out;
  appendReal(out, value, w, d);
  return out;
}

std::string A(std::string_view value, int w) {
  std::string out;
  appendChars(out, value, w);
  return out;
}

TEST(FieldFormatInteger, RightJustifiedWithSign) {
  EXPECT_EQ(I(7, 3), "  7");
  EXPECT_EQ(I(0, 2), " 0");
  EXPECT_EQ(I(-99, 3), "-99");
  EXPECT_EQ(I(999, 3), "999");
  EXPECT_EQ(I(INT_MIN, 11), "-2147483648");
}

TEST(FieldFormatInteger, TooWideBecomesAsterisks) {
  EXPECT_EQ(I(1000, 3), "***");  // lit = 1000 in the parameter echo
  EXPECT_EQ(I(-100, 3), "***");  // the minus sign needs a column too
  EXPECT_EQ(I(INT_MIN, 10), "**********");
}

TEST(FieldFormatReal, CatalogueExamples) {
  EXPECT_EQ(F(1.0, 4, 1), " 1.0");             // a nuclear charge of 1
  EXPECT_EQ(F(-0.5, 10, 6), " -0.500000");      // an orbital energy of -0.5
  EXPECT_EQ(F(0.3753110989, 11, 6), "   0.375311");  // S(1,2) of the H2 deck
  EXPECT_EQ(F(-0.7, 10, 6), " -0.700000");
  EXPECT_EQ(F(2.0, 20, 10), "        2.0000000000");
}

TEST(FieldFormatReal, LeadingZeroDroppedOnlyWhenOneColumnShort) {
  EXPECT_EQ(F(0.5, 3, 1), "0.5");
  EXPECT_EQ(F(0.5, 2, 1), ".5");
  EXPECT_EQ(F(0.5, 1, 1), "*");  // even without the zero it does not fit
  EXPECT_EQ(F(-0.5, 4, 1), "-0.5");
  EXPECT_EQ(F(-0.5, 3, 1), "-.5");
  EXPECT_EQ(F(-0.5, 2, 1), "**");
  EXPECT_EQ(F(0.732861, 9, 6), " 0.732861");
  EXPECT_EQ(F(0.732861, 7, 6), ".732861");
  EXPECT_EQ(F(-0.04, 3, 1), "-.0");  // rounds to zero, keeps its sign, drops the zero
  // A value of 1 or more has no optional zero to drop.
  EXPECT_EQ(F(1.5, 2, 1), "**");
  // With no decimals the zero is the only digit and must stay.
  EXPECT_EQ(F(0.4, 2, 0), "0.");
  EXPECT_EQ(F(0.4, 1, 0), "*");
}

TEST(FieldFormatReal, TooWideBecomesAsterisks) {
  EXPECT_EQ(F(10000.0, 11, 6), "***********");
  EXPECT_EQ(F(-1000.0, 11, 6), "***********");
  EXPECT_EQ(F(9999.999999, 11, 6), "9999.999999");
  EXPECT_EQ(F(-999.999999, 11, 6), "-999.999999");
  // Rounding can carry a value out of its field.
  EXPECT_EQ(F(9999.9999996, 11, 6), "***********");
  EXPECT_EQ(F(-999.9999996, 11, 6), "***********");
  EXPECT_EQ(F(0.96, 3, 1), "1.0");
  EXPECT_EQ(F(-0.96, 3, 1), "***");
  // The point and d decimals alone need d + 1 columns.
  EXPECT_EQ(F(0.0, 3, 3), "***");
  EXPECT_EQ(F(0.0, 4, 3), ".000");
}

TEST(FieldFormatReal, ExactTiesRoundToEven) {
  EXPECT_EQ(F(6.25, 4, 1), " 6.2");
  EXPECT_EQ(F(6.75, 4, 1), " 6.8");
  EXPECT_EQ(F(-6.25, 5, 1), " -6.2");
  EXPECT_EQ(F(0.125, 5, 2), " 0.12");
  EXPECT_EQ(F(0.375, 5, 2), " 0.38");
  EXPECT_EQ(F(2.5, 2, 0), "2.");
  EXPECT_EQ(F(3.5, 2, 0), "4.");
  EXPECT_EQ(F(0.5, 3, 0), " 0.");
  EXPECT_EQ(F(1.0000005, 10, 6), "  1.000001");  // not a tie: stored as 1.00000050000000007...
  // 2^-7 = 0.0078125, a tie at six decimals; 0.0000005 is not exactly representable.
  EXPECT_EQ(F(0.0078125, 10, 6), "  0.007812");
  EXPECT_EQ(F(0.0234375, 10, 6), "  0.023438");  // 3 * 2^-7: odd neighbour, rounds up
}

TEST(FieldFormatReal, RoundsTheExactBinaryValue) {
  // These decimals have no exact binary form; the stored value lies below the tie.
  EXPECT_EQ(F(0.15, 4, 1), " 0.1");    // 0.1499999999999999944...
  EXPECT_EQ(F(0.35, 3, 1), "0.3");     // 0.3499999999999999777...
  EXPECT_EQ(F(2.675, 4, 2), "2.67");   // 2.6749999999999998223...
  EXPECT_EQ(F(1.005, 4, 2), "1.00");   // 1.0049999999999998934...
  // ... and here above it.
  EXPECT_EQ(F(0.45, 3, 1), "0.5");     // 0.4500000000000000111...
  // 0.1 is 0.1000000000000000055511151231257827...
  EXPECT_EQ(F(0.1, 23, 19), "  0.1000000000000000056");
  EXPECT_EQ(F(0.1, 25, 20), "   0.10000000000000000555");
  // 1e23 is stored as 99999999999999991611392.
  EXPECT_EQ(F(1e23, 30, 0), "      99999999999999991611392.");
}

TEST(FieldFormatReal, NegativeZeroAndTinyNegatives) {
  EXPECT_EQ(F(-0.0, 10, 6), "  0.000000");  // an IEEE negative zero is not negative
  EXPECT_EQ(F(-0.0, 3, 1), "0.0");
  EXPECT_EQ(F(0.0, 11, 6), "   0.000000");
  EXPECT_EQ(F(-1e-7, 10, 6), " -0.000000");
  EXPECT_EQ(F(-4.9e-7, 10, 6), " -0.000000");
  EXPECT_EQ(F(-6e-7, 10, 6), " -0.000001");
  EXPECT_EQ(F(-1e-300, 10, 6), " -0.000000");
  EXPECT_EQ(F(-std::numeric_limits<double>::denorm_min(), 10, 6), " -0.000000");
  EXPECT_EQ(F(std::numeric_limits<double>::denorm_min(), 10, 6), "  0.000000");
  EXPECT_EQ(F(-1e-7, 9, 6), "-0.000000");
  EXPECT_EQ(F(-1e-7, 8, 6), "-.000000");
}

TEST(FieldFormatReal, HugeValues) {
  EXPECT_EQ(F(1e300, 11, 6), "***********");
  EXPECT_EQ(F(-DBL_MAX, 20, 10), std::string(20, '*'));
  EXPECT_EQ(F(1e15, 25, 6), "  1000000000000000.000000");
  EXPECT_EQ(F(9007199254740992.0, 20, 1), "  9007199254740992.0");  // 2^53
  EXPECT_EQ(F(1e19, 30, 2), "       10000000000000000000.00");
  EXPECT_EQ(F(-1e22, 30, 1), "    -10000000000000000000000.0");
  // DBL_MAX has 309 integer digits: 1797693134862315708145274237317043567981...
  const std::string big = F(DBL_MAX, 320, 1);
  ASSERT_EQ(big.size(), 320u);
  EXPECT_EQ(big.substr(0, 9), std::string(9, ' '));
  EXPECT_EQ(big.substr(9, 16), "1797693134862315");
  EXPECT_EQ(big.substr(318), ".0");
}

TEST(FieldFormatReal, ManyDecimalsAreExact) {
  const std::string half = F(0.5, 130, 120);
  EXPECT_EQ(half, std::string(8, ' ') + "0.5" + std::string(119, '0'));
  // The smallest subnormal 2^-1074 = 5^1074 / 10^1074: 1074 decimals ending in 5,
  // all further decimals zero; its leading digits are 4940656458412465...
  const std::string tiny = F(std::numeric_limits<double>::denorm_min(), 1300, 1200);
  ASSERT_EQ(tiny.size(), 1300u);
  const std::string digits = tiny.substr(1300 - 1200);
  EXPECT_EQ(tiny.substr(0, 98), std::string(98, ' '));
  EXPECT_EQ(tiny.substr(98, 2), "0.");
  EXPECT_EQ(digits.substr(0, 323), std::string(323, '0'));
  EXPECT_EQ(digits.substr(323, 16), "4940656458412465");
  EXPECT_EQ(digits[1073], '5');
  EXPECT_EQ(digits.substr(1074), std::string(1200 - 1074, '0'));
}

TEST(FieldFormatReal, NanAndInfinity) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(F(std::nan(""), 10, 6), "       NaN");
  EXPECT_EQ(F(inf, 10, 6), "       Inf");
  EXPECT_EQ(F(-inf, 10, 6), "      -Inf");
  EXPECT_EQ(F(std::nan(""), 2, 1), "**");
  EXPECT_EQ(F(-inf, 3, 1), "***");
}

// Against the C library's fixed notation, which glibc rounds exactly, ties to
// even: random bit patterns, values spread over many binary scales, exact
// ties at the printed decimal, and short decimals.
TEST(FieldFormatReal, AgreesWithCLibraryOnRandomValues) {
  std::mt19937_64 random(20240607);
  char reference[2048];
  int checked = 0;
  for (int n = 0; n < 200000; ++n) {
    const int d = static_cast<int>(random() % 22);
    double x = 0;
    switch (n % 4) {
      case 0: x = std::bit_cast<double>(random()); break;
      case 1: x = std::ldexp(static_cast<double>(random() >> 11) - 0x1p52, static_cast<int>(random() % 100) - 110); break;
      case 2: x = std::ldexp(2.0 * static_cast<double>(random() % 2000000) - 1999999.0, -(d + 1)); break;
      case 3: x = static_cast<double>(static_cast<long long>(random() % 2000001) - 1000000) / std::pow(10.0, random() % 9); break;
    }
    if (!std::isfinite(x)) continue;
    std::snprintf(reference, sizeof reference, "%.*f", d, x == 0 ? 0.0 : x);
    std::string expected = reference;
    if (d == 0) expected += '.';
    // Wide fields and the narrow ones of the report, where a lone zero
    // before the point goes when the field is one column short.
    const int w = n % 2 == 0 ? 60 : 11;
    const std::size_t zeroAt = expected[0] == '-' ? 1 : 0;
    if (expected.size() == w + 1u && d > 0 && expected.compare(zeroAt, 2, "0.") == 0) expected.erase(zeroAt, 1);
    expected = expected.size() > static_cast<std::size_t>(w) ? std::string(w, '*')
                                                             : std::string(w - expected.size(), ' ') + expected;
    ASSERT_EQ(F(x, w, d), expected) << "value " << std::hexfloat << x << " with " << d << " decimals";
    ++checked;
  }
  EXPECT_GT(checked, 190000);
}

// The vector form of a repeated Fw.d item against the scalar field, value by
// value, for every d and w it takes: ordinary values, and the ones it must
// leave to the scalar field (ties after scaling, ties at the printed decimal
// and the values an ulp either side, magnitudes that round to 100 or more,
// a '-' without room, NaN, infinities), in chunks of one to eight fields
// ended by a value of another kind.
TEST(FieldFormatReal, VectorRunMatchesScalarFields) {
#if !defined(FIELD_FORMAT_HAS_AVX512_FORM)
  GTEST_SKIP() << "no vector form is built for this processor family";
#else
  if (!field_forms::narrowFixedVectorAvailable()) GTEST_SKIP() << "no AVX-512 F/DQ/BW/VBMI here: no vector form to compare";
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> xs = {0.0, -0.0, 0.375311, -11.2345678, 99.9999995, -99.9999995, 9.9999995, 100.0, -1e-9,
                            5e-324, 0x1p52, 0x1p53, 1e300, inf, -inf, std::nan(""), 0.125, -0.5, 2.5, 0.0000125};
  for (double k : {0.0, 1.0, 9.0, 10.0, 99.0, 12345.0, 999999.0, 99999999.0, 9999999999.0})
    for (double half : {0.0, 0.5})
      for (int d = 0; d <= 8; ++d) {
        const double at = (k + half) / std::pow(10.0, d);
        xs.insert(xs.end(), {at, -at, std::nextafter(at, 0.0), std::nextafter(at, inf)});
      }
  std::mt19937_64 random(20240611);
  for (int n = 0; n < 2000; ++n)
    xs.push_back(std::ldexp(static_cast<double>(random() >> 11) - 0x1p52, -52 + static_cast<int>(random() % 8)));
  int vectorChunks = 0;
  for (int d = 0; d <= field_forms::kVectorMaxDecimals; ++d)
    for (int w = d + 3; w <= field_forms::kVectorMaxWidth; ++w)
      for (std::size_t first = 0, count = 1; first < xs.size(); first += count, count = count % 8 + 1) {
        count = std::min(count, xs.size() - first);
        std::vector<Value> values(xs.begin() + first, xs.begin() + first + count);
        values.push_back(7);
        std::string expected;
        for (std::size_t k = 0; k < count; ++k) expected += F(xs[first + k], w, d);
        std::string got(count * w + kFieldReach, '?');
        char* at = got.data();
        const Value* stop = realFieldsFor(w, d)(at, values.data(), values.data() + values.size(), w, d);
        ASSERT_EQ(stop, values.data() + count);
        ASSERT_EQ(got.substr(0, static_cast<std::size_t>(at - got.data())), expected) << "F" << w << "." << d;
        vectorChunks += field_forms::kNarrowFixedAvx512[d](got.data(), &xs[first], static_cast<int>(count), w);
      }
  EXPECT_GT(vectorChunks, 20000);  // most chunks of random values are the vector form's
#endif
}

TEST(FieldFormatChars, TakesTheFirstWCharactersOrRightJustifies) {
  EXPECT_EQ(A("H2", 2), "H2");
  EXPECT_EQ(A("abc", 2), "ab");
  EXPECT_EQ(A("ab", 4), "  ab");
  EXPECT_EQ(A("", 3), "   ");
}

TEST(FieldFormatAll, AppendToWhatIsThere) {
  std::string out = "x=";
  appendInteger(out, 5, 3);
  appendReal(out, 0.25, 6, 2);
  appendChars(out, "ok", 3);
  EXPECT_EQ(out, "x=  5  0.25 ok");
}

TEST(FieldFormatAll, NonPositiveWidthIsRejected) {
  std::string out;
  EXPECT_THROW(appendInteger(out, 1, 0), std::invalid_argument);
  EXPECT_THROW(appendReal(out, 1.0, -3, 1), std::invalid_argument);
  EXPECT_THROW(appendReal(out, 1.0, 5, -1), std::invalid_argument);
  EXPECT_THROW(appendChars(out, "a", 0), std::invalid_argument);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace scf1s
