#include "text/text_pieces.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "support/print_text.h"

namespace {

struct SplitCase {
  const char* name;
  std::string_view text;
  std::string_view delimiter;
  std::vector<std::string_view> expected;
};

const SplitCase kSplitCases[] = {
    {"empty text, as after a failed fetch", "", "<li>", {}},
    {"empty delimiter", "a,b", "", {"a,b"}},
    {"no delimiter in the text", "ab", ",", {"ab"}},
    {"plain pieces", "a,b,c", ",", {"a", "b", "c"}},
    {"leading delimiter", ",a", ",", {"", "a"}},
    {"adjacent delimiters", "a,,b", ",", {"a", "", "b"}},
    {"trailing delimiter", "a,b,", ",", {"a", "b"}},
    {"only the delimiter", ",", ",", {""}},
    {"letter case matters", "aXb", "x", {"aXb"}},
    {"longer delimiter", "<li>1</li><li>2</li>", "</li>", {"<li>1", "<li>2"}},
    {"delimiter on a second byte", "\xB0,a,b", ",", {"\xB0,a", "b"}},
    {"Chinese pieces", "九块邮|聚划算", "|", {"九块邮", "聚划算"}},
    {"lone lead byte as delimiter", "a\xB0", "\xB0", {"a"}},
};

TEST(SplitTextTest, Cases) {
  for (const SplitCase& c : kSplitCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(SplitText(c.text, c.delimiter)), Shown(TextViews(c.expected)));
  }
}

struct MidCase {
  const char* name;
  std::string_view text;
  int start;
  int length;
  std::string_view expected;
};

const MidCase kMidCases[] = {
    {"middle", "abcdef", 2, 3, "bcd"},
    {"from the first byte", "abcdef", 1, 2, "ab"},
    {"start 0", "abcdef", 0, 2, ""},
    {"negative start", "abcdef", INT_MIN, 2, ""},
    {"last byte", "abcdef", 6, 5, "f"},
    {"start past the end", "abcdef", 7, 1, ""},
    {"largest start", "abcdef", INT_MAX, INT_MAX, ""},
    {"length past the end", "abcdef", 4, INT_MAX, "def"},
    {"length 0", "abcdef", 2, 0, ""},
    {"negative length", "abcdef", 2, -1, ""},
    {"cuts a two-byte character", "\xD0\xC2\xBF\xEE", 2, 2, "\xC2\xBF"},
};

TEST(MidTextTest, Cases) {
  for (const MidCase& c : kMidCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(MidText(c.text, c.start, c.length)), Shown(c.expected));
  }
}

struct RemoveCase {
  const char* name;
  std::string_view text;
  std::string_view target;
  std::string_view expected;
};

const RemoveCase kRemoveCases[] = {
    {"spaces between Chinese characters", "九 块 邮 包邮", " ", "九块邮包邮"},
    {"space as a second byte stays", "\xB0\x20\x20x", " ", "\xB0\x20x"},
    {"carriage returns", "a\r\nb\r\n", "\r", "a\nb\n"},
    {"letter case matters", "aAa", "a", "A"},
    {"without overlap, left to right", "aaa", "aa", "a"},
    {"longer target", "<b>新款</b>", "</b>", "<b>新款"},
    {"target not there", "abc", "x", "abc"},
    {"empty target", "abc", "", "abc"},
    {"empty text", "", "a", ""},
    {"everything", "xxxx", "x", ""},
    {"lone lead byte kept", "a \xB0", " ", "a\xB0"},
    {"lone lead byte as target", "a\xB0", "\xB0", "a"},
    {"full-width space across two characters stays", "\xB0\xA1\xA1x", "\xA1\xA1", "\xB0\xA1\xA1x"},
};

TEST(RemoveAllTest, Cases) {
  for (const RemoveCase& c : kRemoveCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(RemoveAll(c.text, c.target)), Shown(c.expected));
  }
}

struct TrimCase {
  const char* name;
  std::string_view text;
  std::string_view expected;
};

const TrimCase kTrimCases[] = {
    {"ASCII spaces", "  a b  ", "a b"},
    {"full-width spaces", "\xA1\xA1九块邮\xA1\xA1", "九块邮"},
    {"mixed spaces", " \xA1\xA1 x \xA1\xA1 ", "x"},
    {"only spaces", " \xA1\xA1 ", ""},
    {"empty", "", ""},
    {"tabs are not spaces", "\ta\t", "\ta\t"},
    {"lone lead byte at the end", "ab\xB0", "ab"},
    {"spaces before a lone lead byte", "ab \xB0", "ab"},
    {"A1 A1 across two characters is not a space", "\xB0\xA1\xA1", "\xB0\xA1"},
    {"A1 A1 across characters, then a lone lead byte", "\xB0\xA1\xA1\xA1\xA1", "\xB0\xA1"},
};

TEST(TrimSpacesTest, Cases) {
  for (const TrimCase& c : kTrimCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(TrimSpaces(c.text)), Shown(c.expected));
  }
}

TEST(BytesToTextTest, EndsAtTheFirstZeroByte) {
  EXPECT_EQ(Shown(BytesToText(std::string_view("ab\0cd", 5))), Shown("ab"));
  EXPECT_EQ(Shown(BytesToText(std::string_view("\0x", 2))), Shown(""));
  EXPECT_EQ(Shown(BytesToText("九块邮")), Shown("九块邮"));
  EXPECT_EQ(Shown(BytesToText(std::string_view())), Shown(""));
}

}  // namespace
