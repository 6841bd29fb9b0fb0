#include "field_corrections.h"

#include <cmath>

#include <QRegularExpression>

namespace {

const QRegularExpression& plainDecimalPattern() {
  static const QRegularExpression pattern(QStringLiteral(R"(^-?(\d+\.?\d*|\.\d+)$)"));
  return pattern;
}

bool isDigits(QStringView text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// Digits with an optional leading minus sign.
bool isWholeNumber(QStringView text) {
  return isDigits(text.startsWith(u'-') ? text.mid(1) : text);
}

FieldCorrection keep(const QString& text) { return {text, std::nullopt}; }
FieldCorrection replaceSilently(const QString& text) { return {text, std::nullopt}; }

}  // namespace

std::optional<double> plainDecimalValue(QStringView text) {
  if (!plainDecimalPattern().match(text.toString()).hasMatch()) return std::nullopt;
  return text.toString().toDouble();
}

double leadingNumericValue(QStringView text) {
  static const QRegularExpression leading(QStringLiteral(R"(^-?(\d+\.?\d*|\.\d+))"));
  const auto match = leading.match(text.toString());
  return match.hasMatch() ? match.captured(0).toDouble() : 0.0;
}

double roundHalfToEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

FieldCorrection correctCharge(const QString& text) {
  if (text.isEmpty() || text == u"-" || text == u"-0") return replaceSilently(QStringLiteral("0"));
  if (const auto value = plainDecimalValue(text)) {
    const double charge = roundHalfToEven(*value);
    if (charge > 7 || charge < -2)
      return {QStringLiteral("0"),
              Message{QStringLiteral("Charge can only be between -2 and 7, inclusive."),
                      MessageIcon::Information}};
    if (isWholeNumber(text)) return keep(text);
  }
  return replaceSilently(QStringLiteral("0"));
}

FieldCorrection correctSpin(const QString& text) {
  if (const auto value = plainDecimalValue(text); value && roundHalfToEven(*value) > 6)
    return {QStringLiteral("6"),
            Message{QStringLiteral("Spin can be no more than 6."), MessageIcon::Information}};
  return isDigits(text) ? keep(text) : replaceSilently(QStringLiteral("0"));
}

FieldCorrection correctOptimizationLevel(const QString& text) {
  if (leadingNumericValue(text) > 6)
    return {QStringLiteral("6"),
            Message{QStringLiteral("N should be no larger than 6."), MessageIcon::None}};
  return isDigits(text) ? keep(text) : replaceSilently(QStringLiteral("0"));
}

FieldCorrection correctSteepestDescent(const QString& text) {
  if (!isDigits(text) || text == u"0" || text == u"00") return replaceSilently(QStringLiteral("30"));
  return keep(text);
}

FieldCorrection correctNaturalOrbital(const QString& text) {
  return isDigits(text) ? keep(text) : replaceSilently(QStringLiteral("0"));
}
