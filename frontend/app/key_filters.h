#pragma once

#include <QString>

// Key filters of the numeric boxes. Each receives the code of a typed
// character and sets it to 0 to discard the key press.

// Lets digits, backspace and the full stop through; discards everything else.
void AllowOnlyNumeric(int& AsciiValue);

// The charge box: a minus sign is accepted only as the first character of an
// empty box; otherwise as AllowOnlyNumeric.
void AllowChargeKey(int& AsciiValue, const QString& currentText);
