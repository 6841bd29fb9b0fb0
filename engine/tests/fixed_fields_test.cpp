#include "fixed_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace scf1s {
namespace {

// An F10.6 field (atom and sphere coordinates) and an F20.14 field (sphere
// exponents): the widths only matter through the text, the decimals through d.
std::optional<double> f10_6(std::string_view text) { return readRealField(text, 6); }
std::optional<double> f20_14(std::string_view text) { return readRealField(text, 14); }

// ---------------------------------------------------------------------------
// Implied decimal point of Fw.d

TEST(RealFieldImpliedPoint, DigitsWithoutPointGetDDecimals) {
  EXPECT_EQ(f10_6("        15"), 0.000015);
  EXPECT_EQ(f10_6("15        "), 0.000015);  // anywhere in the field
  EXPECT_EQ(f10_6("       150"), 0.000150);  // 150 in columns 8-10
  EXPECT_EQ(f10_6("   1000000"), 1.0);
  EXPECT_EQ(f10_6("-  1500000"), -1.5);
  EXPECT_EQ(f20_14("                   1"), 1.0e-14);
  EXPECT_EQ(readRealField("12", 0), 12.0);
  EXPECT_EQ(readRealField("12", 1), 1.2);
}

TEST(RealFieldImpliedPoint, AppliesToTheMantissaBeforeTheExponent) {
  EXPECT_EQ(f10_6("      15E2"), 0.0015);
  EXPECT_EQ(f10_6("     15E+2"), 0.0015);
  EXPECT_EQ(f10_6("      15D6"), 15.0);
  EXPECT_EQ(f10_6("     15e-2"), 1.5e-7);
  EXPECT_EQ(f20_14("         1234567D+14"), 1234567.0);
}

TEST(RealFieldImpliedPoint, AnExplicitPointOverridesIt) {
  EXPECT_EQ(f10_6("       15."), 15.0);
  EXPECT_EQ(f10_6("      1.5 "), 1.5);
  EXPECT_EQ(f10_6("       .15"), 0.15);
  EXPECT_EQ(f10_6(" -0.700000"), -0.7);
  EXPECT_EQ(f20_14("    1.00000000000000"), 1.0);
  EXPECT_EQ(f10_6("    1.5E2 "), 150.0);
  EXPECT_EQ(f10_6("     .5E-1"), 0.05);
}

TEST(RealFieldImpliedPoint, TheDecimalValueIsRoundedOnce) {
  // The scaled digits must round to the double nearest the decimal value, as
  // the compiler rounds the same decimal literal.
  EXPECT_EQ(f20_14("  123456789012345678"), 1234.56789012345678);
  EXPECT_EQ(f20_14("  0.1234567890123456"), 0.1234567890123456);
  EXPECT_EQ(f10_6("         1"), 0.000001);
  EXPECT_EQ(f10_6("   3333333"), 3.333333);
  EXPECT_EQ(f10_6("       0.1"), 0.1);
  EXPECT_EQ(f10_6("    2.5E-1"), 0.25);
}

// ---------------------------------------------------------------------------
// Blanks

TEST(RealFieldBlanks, AreIgnoredAnywhereInTheField) {
  EXPECT_EQ(f10_6(" 1 . 2 5  "), 1.25);
  EXPECT_EQ(f10_6("-   0.5   "), -0.5);
  EXPECT_EQ(f10_6("  1 5     "), 0.000015);
  EXPECT_EQ(f10_6(" 1.5 E 2  "), 150.0);
  EXPECT_EQ(f10_6(" 2.0E -  1"), 0.2);
}

TEST(RealFieldBlanks, AnAllBlankOrEmptyFieldReadsZero) {
  EXPECT_EQ(f10_6("          "), 0.0);
  EXPECT_EQ(f20_14("                    "), 0.0);
  EXPECT_EQ(f10_6(""), 0.0);
  EXPECT_FALSE(std::signbit(*f10_6("          ")));
}

// ---------------------------------------------------------------------------
// Exponents

TEST(RealFieldExponent, AcceptsEAndDInBothCasesWithSigns) {
  EXPECT_EQ(f10_6("    1.5E2 "), 150.0);
  EXPECT_EQ(f10_6("    1.5e2 "), 150.0);
  EXPECT_EQ(f10_6("    1.5D2 "), 150.0);
  EXPECT_EQ(f10_6("    1.5d2 "), 150.0);
  EXPECT_EQ(f10_6("   1.5E+02"), 150.0);
  EXPECT_EQ(f10_6("   1.5D-02"), 0.015);
  EXPECT_EQ(f10_6("  -1.5d-02"), -0.015);
  EXPECT_EQ(f10_6("  +2.5e+00"), 2.5);
  EXPECT_EQ(f10_6("     2.E1 "), 20.0);
  EXPECT_EQ(f10_6("      1E0 "), 0.000001);
}

TEST(RealFieldExponent, ALetterWithoutDigitsIsAFailure) {
  EXPECT_FALSE(f10_6("      1.5E"));
  EXPECT_FALSE(f10_6("     1.5E+"));
  EXPECT_FALSE(f10_6("     1.5d-"));
  EXPECT_FALSE(f10_6("    1.5E  "));
}

TEST(RealFieldExponent, DigitsWithoutALetterAreAFailure) {
  // An exponent must be introduced by E, e, D or d.
  EXPECT_FALSE(f10_6("    1.5+02"));
  EXPECT_FALSE(f10_6("    1.5-02"));
  EXPECT_FALSE(f10_6("      15-2"));
}

TEST(RealFieldExponent, AnExponentWithoutAMantissaIsAFailure) {
  EXPECT_FALSE(f10_6("        E2"));
  EXPECT_FALSE(f10_6("       -E2"));
  EXPECT_FALSE(f10_6("       .E2"));
  EXPECT_FALSE(f10_6("         d"));
}

TEST(RealFieldExponent, MalformedExponentsAreFailures) {
  EXPECT_FALSE(f10_6("   1.5E2.0"));
  EXPECT_FALSE(f10_6("    1.5EE2"));
  EXPECT_FALSE(f10_6("   1.5E2E1"));
  EXPECT_FALSE(f10_6("   1.5E+-2"));
  EXPECT_FALSE(f10_6("   1.5Q2  "));
}

// ---------------------------------------------------------------------------
// What is not a number

TEST(RealFieldFailure, ABareSignOrPointIsAFailure) {
  for (const char* text : {"         +", "         -", "         .", "        +.", "        -.", "  -       "})
    EXPECT_FALSE(f10_6(text)) << '"' << text << '"';
}

TEST(RealFieldFailure, NanAndInfinityAreFailures) {
  for (const char* text : {"       NaN", "       nan", "      -NaN", "       Inf", "       inf", "      -Inf",
                           "  Infinity", "  INFINITY"})
    EXPECT_FALSE(f10_6(text)) << '"' << text << '"';
}

TEST(RealFieldFailure, LettersAndStrayCharactersAreFailures) {
  for (const char* text : {"       abc", "      1.5x", "  1.5 zero", "      1..5", "     1.2.3", "      0x10",
                           "      --15", "      +-15", "      15- ", "     1,500", "\t      1.5", "     1.5\r"})
    EXPECT_FALSE(f10_6(text)) << '"' << text << '"';
}

TEST(RealFieldFailure, OverflowIsAFailure) {
  EXPECT_FALSE(f10_6("     1E400"));
  EXPECT_FALSE(f10_6("    -1E400"));
  EXPECT_FALSE(f10_6("  1.0D+309"));
  EXPECT_FALSE(f20_14("1E99999999999999999"));
  // Just inside the range of a double, and the implied decimals bringing a
  // large exponent back into range.
  EXPECT_EQ(f10_6("   1.0E308"), 1.0e308);
  EXPECT_EQ(f10_6("    15E310"), 1.5e305);
}

TEST(RealFieldFailure, ZeroWithAHugeExponentIsStillZero) {
  EXPECT_EQ(f10_6("   0.0E999"), 0.0);
  EXPECT_EQ(f10_6("     0E400"), 0.0);
}

// ---------------------------------------------------------------------------
// Integer fields (Iw)

TEST(IntegerField, ReadsOptionallySignedDigitsAnywhereInTheField) {
  EXPECT_EQ(readIntegerField("  2"), 2);
  EXPECT_EQ(readIntegerField("2  "), 2);
  EXPECT_EQ(readIntegerField(" 20"), 20);
  EXPECT_EQ(readIntegerField(" -5"), -5);
  EXPECT_EQ(readIntegerField(" +5"), 5);
  EXPECT_EQ(readIntegerField("-0 "), 0);
  EXPECT_EQ(readIntegerField(" 1"), 1);  // I2 (par)
}

TEST(IntegerField, BlanksInsideAreIgnored) {
  EXPECT_EQ(readIntegerField("1 2"), 12);
  EXPECT_EQ(readIntegerField("- 1"), -1);
  EXPECT_EQ(readIntegerField("+ 7"), 7);
  EXPECT_EQ(readIntegerField("1 0"), 10);
}

TEST(IntegerField, AnAllBlankOrEmptyFieldReadsZero) {
  EXPECT_EQ(readIntegerField("   "), 0);
  EXPECT_EQ(readIntegerField("  "), 0);
  EXPECT_EQ(readIntegerField(""), 0);
}

TEST(IntegerField, AnythingButSignAndDigitsIsAFailure) {
  for (const char* text : {"  +", "  -", " +-", "1.0", " 1.", "1E2", "1D1", "  a", "1-2", "--1", " 1+", "0x1", "\t1 ",
                           " 1\r", "NaN"})
    EXPECT_FALSE(readIntegerField(text)) << '"' << text << '"';
}

TEST(IntegerField, ValuesBeyondThirtyTwoBitsAreFailures) {
  EXPECT_EQ(readIntegerField("2147483647"), 2147483647);
  EXPECT_EQ(readIntegerField("-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(readIntegerField("2147483648"));
  EXPECT_FALSE(readIntegerField("-2147483649"));
  EXPECT_FALSE(readIntegerField("99999999999999999999999"));
}

}  // namespace
}  // namespace scf1s
