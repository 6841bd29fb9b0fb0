// The matrix printer: blocks of six columns, headers, rows and closing lines.
#include "matrix_printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace scf1s {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    out.push_back(text.substr(start, nl - start));
  EXPECT_EQ(start, text.size()) << "the report must end with a complete line";
  return out;
}

// Element (i, j) = 100 i + j, so every printed element names its place.
Matrix placeMatrix() {
  Matrix m;
  for (int i = 1; i <= kMaxSpheres; ++i)
    for (int j = 1; j <= kMaxSpheres; ++j) m(i, j) = 100.0 * i + j;
  return m;
}

std::string printed(int n, const Matrix& m) {
  Report report;
  printMatrix(report, n, m);
  return report.text();
}

// The header and row layouts rendered with the C library's formats:
// 1X, 6(8X, I3) and 1X, I2, 2X, 6F11.6.
std::string headerLine(int first, int last) {
  std::string s = " ";
  char buf[16];
  for (int j = first; j <= last; ++j) {
    std::snprintf(buf, sizeof buf, "%11d", j);
    s += buf;
  }
  return s;
}

std::string rowLine(int i, int first, int last, const Matrix& m) {
  char buf[32];
  std::snprintf(buf, sizeof buf, " %2d  ", i);
  std::string s = buf;
  for (int j = first; j <= last; ++j) {
    std::snprintf(buf, sizeof buf, "%11.6f", m(i, j));
    s += buf;
  }
  return s;
}

// Every block: header, two empty lines if the header has six columns, then all rows.
std::vector<std::string> expectedLines(int n, const Matrix& m) {
  std::vector<std::string> out;
  for (int first = 1; first <= n; first += 6) {
    const int last = std::min(first + 5, n);
    out.push_back(headerLine(first, last));
    if (last - first == 5) out.insert(out.end(), {"", ""});
    for (int i = 1; i <= n; ++i) out.push_back(rowLine(i, first, last, m));
  }
  out.insert(out.end(), {"", ""});
  return out;
}

TEST(MatrixPrinter, OrderOneIsHeaderRowAndTwoEmptyLines) {
  Matrix m;
  m(1, 1) = 0.3753110989;
  EXPECT_EQ(printed(1, m),
            "           1\n"
            "  1     0.375311\n"
            "\n"
            "\n");
}

TEST(MatrixPrinter, OrderSixIsOneFullBlock) {
  const std::string expected =
      "           1          2          3          4          5          6\n"
      "\n"
      "\n"
      "  1   101.000000 102.000000 103.000000 104.000000 105.000000 106.000000\n"
      "  2   201.000000 202.000000 203.000000 204.000000 205.000000 206.000000\n"
      "  3   301.000000 302.000000 303.000000 304.000000 305.000000 306.000000\n"
      "  4   401.000000 402.000000 403.000000 404.000000 405.000000 406.000000\n"
      "  5   501.000000 502.000000 503.000000 504.000000 505.000000 506.000000\n"
      "  6   601.000000 602.000000 603.000000 604.000000 605.000000 606.000000\n"
      "\n"
      "\n";
  EXPECT_EQ(printed(6, placeMatrix()), expected);
}

TEST(MatrixPrinter, OrderSevenAddsAOneColumnBlockWithoutEmptyLines) {
  const std::string expected =
      "           1          2          3          4          5          6\n"
      "\n"
      "\n"
      "  1   101.000000 102.000000 103.000000 104.000000 105.000000 106.000000\n"
      "  2   201.000000 202.000000 203.000000 204.000000 205.000000 206.000000\n"
      "  3   301.000000 302.000000 303.000000 304.000000 305.000000 306.000000\n"
      "  4   401.000000 402.000000 403.000000 404.000000 405.000000 406.000000\n"
      "  5   501.000000 502.000000 503.000000 504.000000 505.000000 506.000000\n"
      "  6   601.000000 602.000000 603.000000 604.000000 605.000000 606.000000\n"
      "  7   701.000000 702.000000 703.000000 704.000000 705.000000 706.000000\n"
      "           7\n"
      "  1   107.000000\n"
      "  2   207.000000\n"
      "  3   307.000000\n"
      "  4   407.000000\n"
      "  5   507.000000\n"
      "  6   607.000000\n"
      "  7   707.000000\n"
      "\n"
      "\n";
  EXPECT_EQ(printed(7, placeMatrix()), expected);
}

TEST(MatrixPrinter, OrdersThirteenAndTwentyPrintEveryBlock) {
  const Matrix m = placeMatrix();
  {
    const auto got = lines(printed(13, m));
    EXPECT_EQ(got, expectedLines(13, m));
    ASSERT_EQ(got.size(), 48u);  // 2 x (header, 2 empty, 13 rows) + (header, 13 rows) + 2 empty
    EXPECT_EQ(got[32], "          13");
    EXPECT_EQ(got[45], " 13  1313.000000");
  }
  {
    const auto got = lines(printed(20, m));
    EXPECT_EQ(got, expectedLines(20, m));
    ASSERT_EQ(got.size(), 92u);  // 3 x (header, 2 empty, 20 rows) + (header, 20 rows) + 2 empty
    EXPECT_EQ(got[69], "          19         20");
    EXPECT_EQ(got[89], " 20  2019.0000002020.000000");
  }
}

TEST(MatrixPrinter, ColumnNumberEndsFourColumnsLeftOfItsFieldEnd) {
  const auto got = lines(printed(6, placeMatrix()));
  const std::string& header = got[0];
  const std::string& row = got[3];
  for (int k = 1; k <= 6; ++k) {
    const std::size_t numberEnd = header.find_last_not_of(' ', 11 * k);
    ASSERT_EQ(numberEnd, static_cast<std::size_t>(11 * k)) << "column " << k;
    EXPECT_EQ(header[numberEnd], '0' + k);
    const std::size_t fieldEnd = numberEnd + 4;  // the field's last character
    EXPECT_EQ(row.substr(fieldEnd - 9, 10), std::to_string(100 + k) + ".000000") << "column " << k;
  }
}

TEST(MatrixPrinter, ElementsOutsideF11Point6PrintAsAsterisks) {
  Matrix m;
  m(1, 1) = 10000.0;
  m(1, 2) = -1000.0;
  m(1, 3) = 9999.999999;
  m(2, 1) = -999.999999;
  m(2, 2) = -0.0;
  m(2, 3) = -1e-9;
  m(3, 3) = 1e300;
  EXPECT_EQ(printed(3, m),
            "           1          2          3\n"
            "  1  " + std::string(22, '*') + "9999.999999\n"
            "  2  -999.999999   0.000000  -0.000000\n"
            "  3     0.000000   0.000000***********\n"
            "\n"
            "\n");
}

TEST(MatrixPrinter, OrderAboveTheMatrixSizeIsRejected) {
  Report report;
  EXPECT_THROW(printMatrix(report, kMaxSpheres + 1, Matrix{}), std::out_of_range);
  EXPECT_TRUE(report.text().empty());
}

TEST(MatrixPrinter, OrderZeroPrintsOnlyEmptyLines) {
  EXPECT_EQ(printed(0, Matrix{}), "\n\n\n");
}

}  // namespace
}  // namespace scf1s
