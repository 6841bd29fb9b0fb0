#include "box_number.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorden {
namespace {

TEST(LobeBoxNumber, PadsToTheMinimumDigits) {
  EXPECT_EQ(formatBoxNumber("5", 2), "05");
  EXPECT_EQ(formatBoxNumber("30", 2), "30");
  EXPECT_EQ(formatBoxNumber("3", 2), "03");
  EXPECT_EQ(formatBoxNumber("0", 2), "00");
  EXPECT_EQ(formatBoxNumber("0", 1), "0");
  EXPECT_EQ(formatBoxNumber("123", 2), "123");
}

TEST(LobeBoxNumber, NegativeValuesKeepTheirSignInFront) {
  EXPECT_EQ(formatBoxNumber("-2", 2), "-02");
  EXPECT_EQ(formatBoxNumber("-1", 2), "-01");
  EXPECT_EQ(formatBoxNumber("-0", 2), "00");  // no negative zero
  EXPECT_EQ(formatBoxNumber("-0.2", 2), "00");
}

TEST(LobeBoxNumber, WritesTheNumberNotTheText) {
  EXPECT_EQ(formatBoxNumber("007", 2), "07");
  EXPECT_EQ(formatBoxNumber("5.", 2), "05");
  EXPECT_EQ(formatBoxNumber(" 4 ", 1), "4");
}

TEST(LobeBoxNumber, FractionsRoundHalvesAwayFromZero) {
  EXPECT_EQ(formatBoxNumber("2.5", 1), "3");
  EXPECT_EQ(formatBoxNumber("2.49", 1), "2");
  EXPECT_EQ(formatBoxNumber("-2.5", 2), "-03");
  EXPECT_EQ(formatBoxNumber("9.5", 2), "10");
  EXPECT_EQ(formatBoxNumber(".5", 2), "01");
  EXPECT_EQ(formatBoxNumber("99999999999999999999.7", 1), "100000000000000000000");
}

TEST(LobeBoxNumber, TextsThatAreNotNumbersStayUnchanged) {
  EXPECT_EQ(formatBoxNumber("", 2), "");
  EXPECT_EQ(formatBoxNumber(".", 1), ".");
  EXPECT_EQ(formatBoxNumber("-", 2), "-");
  EXPECT_EQ(formatBoxNumber("-.", 2), "-.");
  EXPECT_EQ(formatBoxNumber("1.2.", 1), "1.2.");
}

TEST(LobeWholeNumber, ItemValues) {
  EXPECT_EQ(formatWholeNumber(0, 2), "00");
  EXPECT_EQ(formatWholeNumber(8, 2), "08");
  EXPECT_EQ(formatWholeNumber(81, 2), "81");
  EXPECT_EQ(formatWholeNumber(7, 1), "7");
  EXPECT_EQ(formatWholeNumber(-2, 2), "-02");
  EXPECT_EQ(formatWholeNumber(LONG_MIN, 1), std::to_string(LONG_MIN));
}

}  // namespace
}  // namespace vorden
