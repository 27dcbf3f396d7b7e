#include "text/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/print_text.h"

namespace {

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// The build compiles narrow literals into GBK; everything else rests on that.
TEST(GbkTest, NarrowLiteralsAreGbkBytes) {
  EXPECT_EQ(HexBytes("九块邮"), "BE C5 BF E9 D3 CA");
  EXPECT_EQ(HexBytes("聚划算"), "BE DB BB AE CB E3");
}

TEST(GbkTest, ConvertsBothWays) {
  EXPECT_EQ(GbkToUtf8("九块邮 1.20"), Utf8(u8"九块邮 1.20"));
  EXPECT_EQ(Shown(Utf8ToGbk(Utf8(u8"九块邮 1.20"))), Shown("九块邮 1.20"));
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(Utf8ToGbk(""), "");
}

// Every two-byte GBK code comes back as the same bytes.
TEST(GbkTest, EveryGbkCharacterRoundTrips) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all.push_back(static_cast<char>(lead));
      all.push_back(static_cast<char>(trail));
    }
  }
  const std::string utf8 = GbkToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(utf8.find('?'), std::string::npos);
  EXPECT_TRUE(Utf8ToGbk(utf8) == all);
}

struct BadCase {
  const char* name;
  std::string_view bytes;
  std::string_view expected;
};

TEST(GbkTest, UnconvertibleBytesBecomeQuestionMarks) {
  const BadCase gbk_cases[] = {
      {"lone lead byte at the end", "ab\xB0", "ab?"},
      {"byte 0xFF", "a\xFF.", "a?."},
      {"byte 0x80", "\x80", "?"},
      {"lead byte before a control byte", "\xB0\x01x", "?\x01x"},
  };
  for (const BadCase& c : gbk_cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GbkToUtf8(c.bytes), c.expected);
  }
  const BadCase utf8_cases[] = {
      {"cut sequence", "\xE4\xB9", "??"},
      {"stray continuation byte", "a\x80.", "a?."},
      {"overlong form", "\xC0\xAF", "??"},
      {"character outside GBK", "\xF0\x9F\x98\x80!", "?!"},
  };
  for (const BadCase& c : utf8_cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToGbk(c.bytes), c.expected);
  }
}

struct CharsetCase {
  const char* name;
  std::string bytes;
  std::string_view charset;
  std::string expected;
};

TEST(GbkTest, ConvertToGbkByDeclaredCharset) {
  const CharsetCase cases[] = {
      {"GBK kept", "九块邮\xB0", "GBK", "九块邮\xB0"},
      {"gbk in lower case kept", "九块邮", "gbk", "九块邮"},
      {"GB2312 kept", "九块邮", "GB2312", "九块邮"},
      {"GB18030 kept with its four-byte forms", "\x81\x30\x81\x30", "gb18030", "\x81\x30\x81\x30"},
      {"no charset: unchanged", Utf8(u8"九块邮"), "", Utf8(u8"九块邮")},
      {"unknown charset: unchanged", Utf8(u8"九块邮"), "x-no-such-set", Utf8(u8"九块邮")},
      {"iconv suffix refused", Utf8(u8"九块邮"), "utf-8//IGNORE", Utf8(u8"九块邮")},
      {"utf-8", Utf8(u8"九块邮"), "utf-8", "九块邮"},
      {"UTF-8 quoted", Utf8(u8"九块邮"), "\"UTF-8\"", "九块邮"},
      {"utf-8, character outside GBK", Utf8(u8"包邮\U0001F600"), "utf-8", "包邮?"},
      {"utf-8, invalid byte", "a\xFF.", "utf-8", "a?."},
      {"big5", "\xA4\x45", "big5", "九"},
      {"iso-8859-1", "caf\xE9", "ISO-8859-1", "caf\xA8\xA6"},
  };
  for (const CharsetCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(ConvertToGbk(c.bytes, c.charset)), Shown(c.expected));
  }
}

// Output four times the input (each À becomes a four-byte form before it turns into '?') and an
// undefined byte at the end: whatever the length, the output buffer holds the last '?'.
TEST(GbkTest, UnconvertibleByteAfterAFullOutputBuffer) {
  for (std::size_t length = 0; length < 300; ++length) {
    SCOPED_TRACE(length);
    const std::string bytes = std::string(length, '\xC0') + "\x81";
    EXPECT_EQ(ConvertToGbk(bytes, "windows-1252"), std::string(length + 1, '?'));
  }
}

TEST(GbkTest, IsValidUtf8) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"abc", true},
      {Utf8(u8"九块邮"), true},
      {Utf8(u8"\U0001F600"), true},
      {"九块邮", false},
      {"\xE4\xB9", false},
      {"\xC0\xAF", false},
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\xF5\x80\x80\x80", false},
      {"\x80", false},
  };
  for (const auto& [bytes, valid] : cases) {
    SCOPED_TRACE(HexBytes(bytes));
    EXPECT_EQ(IsValidUtf8(bytes), valid);
  }
}

// Run threads and the window convert at the same time.
TEST(GbkTest, ThreadsConvertAtTheSameTime) {
  const Text text = "九块邮 聚划算 卷皮折扣 天天特价";
  const std::string expected = GbkToUtf8(text);
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if (GbkToUtf8(text) != expected || Utf8ToGbk(expected) != text) ++wrong[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
