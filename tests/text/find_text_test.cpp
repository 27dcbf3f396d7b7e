#include "text/find_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "support/print_text.h"

namespace {

struct FindCase {
  const char* name;
  std::string_view text;
  std::string_view target;
  int start;
  bool ignore_case;
  int expected;
};

// "啊" is B0 A1 and the full-width space is A1 A1, so "啊　" holds A1 A1 on the second byte
// of "啊" as well as at its own character start.
const FindCase kFindCases[] = {
    {"after a two-byte character", "a新b", "b", 0, false, 4},
    {"Chinese target", "九块邮九块邮", "块邮", 0, false, 3},
    {"not on a second byte", "啊　", "　", 0, false, 3},
    {"ASCII second byte is no match", "\xB0\x41", "A", 0, false, -1},
    {"ASCII second byte, case ignored", "\xB0\x61", "A", 0, true, -1},
    {"ASCII after the second byte", "\xB0\x41\x41", "A", 0, false, 3},
    {"case differs", "<a href=\"/D/JIU/\">", "/d/jiu", 0, false, -1},
    {"case ignored", "<a href=\"/D/JIU/\">", "/d/jiu", 0, true, 10},
    {"case ignored on second bytes", "x\x81\x41\x81\x62", "\x81\x61\x81\x42", 0, true, 2},
    {"second bytes differ without ignoring case", "x\x81\x41", "\x81\x61", 0, false, -1},
    {"only letters fold", "{x}", "[x]", 0, true, -1},
    {"only letters fold, @ and backquote", "`", "@", 0, true, -1},
    {"start 0 is the first byte", "abcabc", "abc", 0, false, 1},
    {"start 1 is the first byte", "abcabc", "abc", 1, false, 1},
    {"negative start is the first byte", "abcabc", "abc", -7, false, 1},
    {"start 2 skips the first match", "abcabc", "abc", 2, false, 4},
    {"start on the match itself", "abcabc", "abc", 4, false, 4},
    {"start on the last byte", "abcabc", "c", 6, false, 6},
    {"start one past the end", "abcabc", "c", 7, false, -1},
    {"start far past the end", "abc", "a", 1000, false, -1},
    {"start on a second byte begins a character", "\xB0\x41\x41", "A", 2, false, 2},
    {"position counts from the whole text", "xxabc", "abc", 2, false, 3},
    {"target longer than the rest", "abcd", "cde", 3, false, -1},
    {"target longer than the text", "ab", "abc", 0, false, -1},
    {"empty target", "abc", "", 0, false, 1},
    {"empty target from a later start gives 1", "abc", "", 3, false, 1},
    {"empty target past the end", "abc", "", 4, false, -1},
    {"empty target in empty text", "", "", 0, false, -1},
    {"empty text", "", "a", 0, false, -1},
    {"lone lead byte at the end", "ab\xB0", "\xB0", 0, false, -1},
    {"match before a lone lead byte", "ab\xB0", "b", 0, false, 2},
    {"match that ends on a lone lead byte", "ab\xB0", "b\xB0", 0, false, 2},
    {"no match before a lone lead byte", "a\xB0", "c", 0, false, -1},
    {"lead byte matched as a whole character", "ab\xB0\xA1", "\xB0", 0, false, 3},
};

TEST(FindTextTest, Cases) {
  for (const FindCase& c : kFindCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.target, c.start, c.ignore_case), c.expected);
  }
}

TEST(FindTextTest, StartAndIgnoreCaseDefaults) {
  EXPECT_EQ(FindText("aXbx", "x"), 4);
  EXPECT_EQ(FindText("aXbx", "x", 0, true), 2);
}

// The plain walk: step character by character and compare at each start.
int ReferenceFind(std::string_view text, std::string_view target, int start, bool ignore_case) {
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; };
  std::size_t i = start >= 2 ? static_cast<std::size_t>(start) - 1 : 0;
  if (i >= text.size()) return -1;
  if (target.empty()) return 1;
  while (i + target.size() <= text.size()) {
    if (IsLeadByte(text[i]) && i + 1 == text.size()) return -1;
    std::size_t k = 0;
    while (k < target.size() &&
           (ignore_case ? fold(text[i + k]) == fold(target[k]) : text[i + k] == target[k])) {
      ++k;
    }
    if (k == target.size()) return static_cast<int>(i) + 1;
    i += IsLeadByte(text[i]) ? 2 : 1;
  }
  return -1;
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, std::size_t length) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[pick(random)]);
  return text;
}

// The fast paths (memmem candidates, sixteen-byte blocks, the linear fallback) against the
// plain walk, on texts made of few bytes so that matches on second bytes are common.
TEST(FindTextTest, AgreesWithThePlainWalk) {
  std::mt19937 random(20140115);
  const std::string_view alphabets[] = {"aAb\xB0\xC1", "aA\xB0", "a\xB0", "xX<[{\xA1\xB0\x81"};
  for (int round = 0; round < 20000; ++round) {
    const std::string_view alphabet = alphabets[round % 4];
    const std::size_t length = round % 50 == 0 ? 3000 : round % 5 == 0 ? 300 : round % 40;
    const std::string text = RandomText(random, alphabet, length);
    std::string target;
    if (round % 3 == 0 || text.empty()) {
      target = RandomText(random, alphabet, 1 + round % 4);
    } else {
      std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
      const std::size_t from = at(random);
      target = text.substr(from, 1 + round % 24);
    }
    std::uniform_int_distribution<int> start(-1, static_cast<int>(text.size()) + 2);
    const int s = start(random);
    const bool ignore_case = round % 2 == 1;
    ASSERT_EQ(FindText(text, target, s, ignore_case), ReferenceFind(text, target, s, ignore_case))
        << "text " << HexBytes(text) << " target " << HexBytes(target) << " start " << s
        << " ignoreCase " << ignore_case;
  }
}

// Pages built to give one false candidate after another: the answer stays exact.
TEST(FindTextTest, ManyMatchesOnSecondBytes) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "\xB0\x41";
  const std::string page = text + "A";
  EXPECT_EQ(FindText(page, "A"), 40001);
  EXPECT_EQ(FindText(page, "a", 0, true), 40001);
  EXPECT_EQ(FindText(text + "\x41\xB0", "A\xB0"), 40001);
  EXPECT_EQ(FindText(text, "A"), -1);
  EXPECT_EQ(FindText(text, "a", 0, true), -1);

  // The real match overlaps the false one just before it.
  std::string overlapping;
  for (int i = 0; i < 20000; ++i) overlapping += "\xB0\x41\x41";
  overlapping += "\xB0\x41\x41\x41";
  EXPECT_EQ(FindText(overlapping, "AA"), 60003);
  EXPECT_EQ(FindText(overlapping, "aa", 0, true), 60003);

  // Candidates whose first and last bytes fit but whose middle does not.
  const std::string near = std::string(50, 'a') + "b" + std::string(50, 'a');
  const std::string run = std::string(20000, 'a');
  EXPECT_EQ(FindText(run + near, near, 0, true), 20001);
  EXPECT_EQ(FindText(run + near, near), 20001);
  EXPECT_EQ(FindText(run, near, 0, true), -1);
}

}  // namespace
