#include "key_filters.h"

namespace {
constexpr int kBackspace = 8;
constexpr int kFullStop = 46;
constexpr int kMinus = 45;
}  // namespace

void AllowOnlyNumeric(int& AsciiValue) {
  const bool digit = AsciiValue >= '0' && AsciiValue <= '9';
  if (!digit && AsciiValue != kBackspace && AsciiValue != kFullStop) AsciiValue = 0;
}

void AllowChargeKey(int& AsciiValue, const QString& currentText) {
  if (currentText.isEmpty() && AsciiValue == kMinus) return;
  AllowOnlyNumeric(AsciiValue);
}
