#pragma once

#include <optional>

#include <QString>
#include <QStringView>

#include "message.h"

// What a numeric box of the form holds after it has lost the focus. Whatever
// it holds then is what lobe.dat receives, so every text that is not a whole
// number in range is replaced here: out-of-range values with a message, every
// other unusable text silently with the box's default.
struct FieldCorrection {
  QString text;                    // the box's text afterwards
  std::optional<Message> message;  // shown first; the focus then returns to the box
};

// txtCharge: -2 to 7.
FieldCorrection correctCharge(const QString& text);
// txtSpin: 0 to 6.
FieldCorrection correctSpin(const QString& text);
// txtN, the optimisation level n: 0 to 6.
FieldCorrection correctOptimizationLevel(const QString& text);
// txtITSD, the steepest-descent iterations: 1 to 99, 30 by default.
FieldCorrection correctSteepestDescent(const QString& text);
// txtNaturalOrbital, the natural-orbital iterations: one digit.
FieldCorrection correctNaturalOrbital(const QString& text);

// The whole text read as a plain decimal number (optional minus sign, digits,
// optional full stop and digits, at least one digit), or nothing.
std::optional<double> plainDecimalValue(QStringView text);
// The number read from the start of the text as far as it goes; 0 when the
// text does not begin with one (so also for an empty text).
double leadingNumericValue(QStringView text);
// Nearest whole number, halves to the even neighbour.
double roundHalfToEven(double value);
