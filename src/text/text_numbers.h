#pragma once

#include <string_view>

#include "text/text.h"

// TextToInt: full-width forms become ASCII, then C's atoi reading (white space, sign, digits,
// stop at the first other character); no digits give 0. Values outside the signed 32-bit range
// are clamped to it. TextToInt("2.1") is 2, TextToInt("￥5") is 0.
int TextToInt(std::string_view text);

// TextToInt of a real: truncation toward zero, clamped to the signed 32-bit range (NaN gives 0).
int TextToInt(double value);

// TextToNumber: the same full-width replacement, then C's atof reading; no number gives 0.
double TextToNumber(std::string_view text);

// IntToText: printf "%d".
Text IntToText(int value);

// RealToText: printf "%.13g". RealToText(10.0) is "10", RealToText(4.9) is "4.9".
Text RealToText(double value);

// RoundTo: halves away from zero after a 1e-12 nudge of the magnitude, so that RoundTo(4.85, 1)
// is 4.9 and RoundTo(-4.85, 1) is -4.9. Negative places round to tens, hundreds, ...
double RoundTo(double x, int places);
