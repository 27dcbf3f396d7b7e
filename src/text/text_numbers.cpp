#include "text/text_numbers.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kEnd = -2;    // past the last byte
constexpr int kOther = -1;  // a character with no ASCII form

// Reads a text character by character, giving each full-width form as its ASCII counterpart
// (A3 A1..A3 FE as 0x21..0x7E, A1 A1 as a space, A1 AB as '~', A1 EE and A1 EF as '*'), so the
// numbers are read without first copying the text.
class HalfWidthReader {
 public:
  explicit HalfWidthReader(std::string_view text) : text_(text) { Read(); }

  // The current character's ASCII form, kOther for any other character, kEnd at the end.
  int Peek() const { return code_; }
  void Advance() {
    pos_ += width_;
    Read();
  }

 private:
  void Read() {
    if (pos_ >= text_.size()) {
      code_ = kEnd;
      width_ = 0;
      return;
    }
    const auto b = static_cast<unsigned char>(text_[pos_]);
    if (b < 0x80) {
      code_ = b;
      width_ = 1;
      return;
    }
    if (pos_ + 1 == text_.size()) {  // a lone lead byte
      code_ = kOther;
      width_ = 1;
      return;
    }
    const auto b2 = static_cast<unsigned char>(text_[pos_ + 1]);
    width_ = 2;
    code_ = kOther;
    if (b == 0xA3 && b2 >= 0xA1 && b2 <= 0xFE) {
      code_ = 0x21 + (b2 - 0xA1);
    } else if (b == 0xA1) {
      if (b2 == 0xA1) code_ = ' ';
      if (b2 == 0xAB) code_ = '~';
      if (b2 == 0xEE || b2 == 0xEF) code_ = '*';
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t width_ = 0;
  int code_ = kEnd;
};

// White space as isspace sees it in the "C" locale.
bool IsCSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Characters that C's strtod may take as part of a number: digits, sign, point, the letters
// of exponents, hexadecimal digits, "inf", "nan", and the "(chars)" after "nan".
bool MayBelongToNumber(int c) {
  return IsCSpace(c) || IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         c == '+' || c == '-' || c == '.' || c == '_' || c == '(' || c == ')';
}

locale_t CLocale() {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c_locale;
}

// The integer part i of y after the 1e-12 nudge, one up when the fraction is a half or more.
double RoundHalfUp(double y) {
  double whole = 0;
  const double fraction = std::modf(y + 0.000000000001, &whole);
  return fraction >= 0.5 ? whole + 1 : whole;
}

}  // namespace

int TextToInt(std::string_view text) {
  HalfWidthReader reader(text);
  while (IsCSpace(reader.Peek())) reader.Advance();
  bool negative = false;
  if (reader.Peek() == '+' || reader.Peek() == '-') {
    negative = reader.Peek() == '-';
    reader.Advance();
  }
  // Growth stops once the value is beyond any int; the clamp below does the rest.
  std::int64_t value = 0;
  for (; IsDigit(reader.Peek()); reader.Advance()) {
    if (value <= INT64_C(10000000000)) value = value * 10 + (reader.Peek() - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int TextToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);  // truncates toward zero
}

double TextToNumber(std::string_view text) {
  // Only the leading characters that can belong to a number are converted; strtod stops at the
  // first other one anyway. Reading in the "C" locale keeps the decimal point a point.
  std::string number;
  for (HalfWidthReader reader(text); MayBelongToNumber(reader.Peek()); reader.Advance()) {
    number.push_back(static_cast<char>(reader.Peek()));
  }
  if (number.empty()) return 0;
  const locale_t c_locale = CLocale();
  if (c_locale == static_cast<locale_t>(nullptr)) return strtod(number.c_str(), nullptr);
  return strtod_l(number.c_str(), nullptr, c_locale);
}

Text IntToText(int value) {
  char buffer[16];
  const int length = std::snprintf(buffer, sizeof buffer, "%d", value);
  return Text(buffer, static_cast<std::size_t>(length));
}

Text RealToText(double value) {
  // Whole numbers below 1e13 print under "%.13g" as their plain digits; the running number of
  // every row is one, so they skip printf's floating-point path.
  if (std::fabs(value) < 1e13 && value == std::trunc(value) &&
      !(value == 0 && std::signbit(value))) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
    return Text(digits, end.ptr);
  }
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return Text(buffer, static_cast<std::size_t>(length));
}

double RoundTo(double x, int places) {
  if (x == 0 || std::isnan(x)) return x;
  const double magnitude = std::fabs(x);
  double rounded;
  if (places > 0) {
    const double scale = std::pow(10.0, places);
    const double y = magnitude * scale;
    // Past the range of doubles rounding changes nothing.
    if (!std::isfinite(y)) return x;
    rounded = RoundHalfUp(y) / scale;
  } else if (places == 0) {
    rounded = RoundHalfUp(magnitude);
  } else {
    const double scale = std::pow(10.0, -static_cast<double>(places));
    if (!std::isfinite(scale)) return std::copysign(0.0, x);
    rounded = RoundHalfUp(magnitude / scale) * scale;
  }
  return std::copysign(rounded, x);
}
