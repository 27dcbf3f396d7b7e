#include "text/text_numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "support/print_text.h"

namespace {

struct IntCase {
  std::string_view text;
  int expected;
};

const IntCase kTextToIntCases[] = {
    {"50", 50},
    {"2.1", 2},
    {"19.9", 19},
    {"", 0},
    {"￥5", 0},
    {"$5", 0},
    {"abc", 0},
    {"包邮5", 0},
    {"  42", 42},
    {"\t\n\v\f\r7", 7},
    {"+8", 8},
    {"-12abc", -12},
    {"- 5", 0},
    {"+-1", 0},
    {"0x1A", 0},
    {"007", 7},
    {"５０", 50},
    {"１９．９元", 19},
    {"－３", -3},
    {"＋４", 4},
    {"　１２", 12},
    {"\xA1\xA1 3", 3},
    {"5\xB0", 5},
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"-2147483648", INT_MIN},
    {"-2147483649", INT_MIN},
    {"99999999999999999999999999", INT_MAX},
    {"-99999999999999999999999999", INT_MIN},
};

TEST(TextToIntTest, Cases) {
  for (const IntCase& c : kTextToIntCases) {
    SCOPED_TRACE(::testing::PrintToString(Shown(c.text)));
    EXPECT_EQ(TextToInt(c.text), c.expected);
  }
}

struct RealToIntCase {
  double value;
  int expected;
};

const RealToIntCase kRealToIntCases[] = {
    {4.9, 4},
    {-4.9, -4},
    {19.9, 19},
    {0.0, 0},
    {2147483647.9, INT_MAX},
    {-2147483648.9, INT_MIN},
    {1e20, INT_MAX},
    {-1e20, INT_MIN},
    {std::numeric_limits<double>::infinity(), INT_MAX},
    {-std::numeric_limits<double>::infinity(), INT_MIN},
    {std::numeric_limits<double>::quiet_NaN(), 0},
};

TEST(TextToIntTest, FromReals) {
  for (const RealToIntCase& c : kRealToIntCases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(TextToInt(c.value), c.expected);
  }
}

struct NumberCase {
  std::string_view text;
  double expected;
};

const NumberCase kTextToNumberCases[] = {
    {"4.9", 4.9}, {"1.20", 1.2},        {"", 0},    {"abc", 0},
    {".5", 0.5},  {" -1.5e3x", -1500},  {"1,5", 1}, {"４．５", 4.5},
    {"－２", -2}, {"１．２１版", 1.21}, {"3元", 3}, {"　7.5", 7.5},
};

TEST(TextToNumberTest, Cases) {
  for (const NumberCase& c : kTextToNumberCases) {
    SCOPED_TRACE(::testing::PrintToString(Shown(c.text)));
    EXPECT_EQ(TextToNumber(c.text), c.expected);
  }
}

// A program that sets a locale with a decimal comma must still read "1.5" as 1.5.
TEST(TextToNumberTest, DecimalPointWhateverTheLocale) {
  const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const double value = TextToNumber("1.5");
  const Text text = RealToText(2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(value, 1.5);
  EXPECT_EQ(text, "2.5");
}

TEST(IntToTextTest, PlainDecimal) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(39), "39");
  EXPECT_EQ(IntToText(-5), "-5");
  EXPECT_EQ(IntToText(INT_MAX), "2147483647");
  EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
}

struct RealTextCase {
  double value;
  std::string_view expected;
};

const RealTextCase kRealToTextCases[] = {
    {5.0, "5"},
    {10.0, "10"},
    {4.9, "4.9"},
    {2.1 + 0.1, "2.2"},
    {0.1 + 0.2, "0.3"},
    {11 + 1.0, "12"},
    {-0.5, "-0.5"},
    {1.0 / 3, "0.3333333333333"},
    {1234567890123.0, "1234567890123"},
    {12345678901234.0, "1.234567890123e+13"},
    {0.0001, "0.0001"},
};

TEST(RealToTextTest, ThirteenSignificantDigits) {
  for (const RealTextCase& c : kRealToTextCases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(RealToText(c.value), c.expected);
  }
}

// Whole numbers take a shortcut around printf; it must print what "%.13g" prints, at its edges
// too.
TEST(RealToTextTest, WholeNumbersPrintAsPrintfDoes) {
  const double values[] = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           7.0,
                           100000.0,
                           9999999999999.0,
                           1e13,
                           -1e13,
                           1e12,
                           -123456789012.0,
                           4294967296.0,
                           9007199254740992.0,
                           1e300,
                           -2147483648.0};
  for (double v : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.13g", v);
    EXPECT_EQ(RealToText(v), expected) << expected;
  }
}

struct RoundCase {
  double x;
  int places;
  double expected;
};

// 1.005 is stored a hair below the half; the nudge lifts it.
const RoundCase kRoundCases[] = {
    {4.871794871794, 1, 4.9},
    {4.85, 1, 4.9},
    {-4.85, 1, -4.9},
    {4.84, 1, 4.8},
    {1.005, 2, 1.01},
    {0.05, 1, 0.1},
    {2.5, 0, 3},
    {-2.5, 0, -3},
    {2.4999, 0, 2},
    {1234.5, -2, 1200},
    {1250, -2, 1300},
    {-1250, -2, -1300},
    {0, 1, 0},
    {7.0, 1, 7.0},
};

TEST(RoundToTest, HalvesAwayFromZero) {
  for (const RoundCase& c : kRoundCases) {
    SCOPED_TRACE(::testing::Message() << "RoundTo(" << c.x << ", " << c.places << ")");
    EXPECT_EQ(RoundTo(c.x, c.places), c.expected);
  }
}

TEST(RoundToTest, DiscountsPrintAsShown) {
  EXPECT_EQ(RealToText(RoundTo(9.5 / 19.5 * 10, 1)), "4.9");
  EXPECT_EQ(RealToText(RoundTo(10.0, 1)), "10");
}

TEST(RoundToTest, ExtremePlacesStayFinite) {
  EXPECT_EQ(RoundTo(4.85, 400), 4.85);
  EXPECT_EQ(RoundTo(4.85, -400), 0);
  EXPECT_TRUE(std::isnan(RoundTo(std::numeric_limits<double>::quiet_NaN(), 1)));
}

}  // namespace
