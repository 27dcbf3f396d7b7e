#include "text/text_between.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/print_text.h"
#include "text/find_text.h"
#include "text/text_pieces.h"

namespace {

struct BetweenCase {
  const char* name;
  std::string_view text;
  std::string_view left;
  std::string_view right;
  std::vector<std::string_view> expected;
};

const BetweenCase kBetweenCases[] = {
    {"one fragment", "<b>九块邮</b>", "<b>", "</b>", {"九块邮"}},
    {"overlapping fragments", "<b>x<b>y</b>", "<b>", "</b>", {"x<b>y", "y"}},
    {"fragments one after another", "<b>1</b><b>2</b>", "<b>", "</b>", {"1", "2"}},
    {"markers directly adjacent", "<b></b>", "<b>", "</b>", {""}},
    {"no right marker", "<b>x<b>y", "<b>", "</b>", {}},
    {"no left marker", "x</b>", "<b>", "</b>", {}},
    {"left markers after the last right", "<b>1</b><b>2<b>3", "<b>", "</b>", {"1"}},
    {"markers in other letter case", "<B>x</B>", "<b>", "</b>", {"x"}},
    {"left marker on a second byte", "\xB0<b>x</b><b>y</b>", "<b>", "</b>", {"y"}},
    {"right marker on a second byte", "<b>x\xB0</b>y</b>", "<b>", "</b>", {"x\xB0</b>y"}},
    {"right marker inside the left one", "<ab", "<a", "a", {}},
    {"Chinese markers", "价格：１９元，原价：２９元", "：", "元", {"１９", "２９"}},
    {"empty right marker", "<b>x", "<b>", "", {""}},
    {"empty text", "", "<b>", "</b>", {}},
};

TEST(TextBetweenTest, Cases) {
  for (const BetweenCase& c : kBetweenCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(TextBetweenAll(c.text, c.left, c.right)), Shown(TextViews(c.expected)));
    const std::string_view first = c.expected.empty() ? std::string_view() : c.expected[0];
    EXPECT_EQ(Shown(TextBetween(c.text, c.left, c.right)), Shown(first));
  }
}

TEST(TextBetweenTest, FragmentsPointIntoTheText) {
  const std::string page = "<i>a</i><i>b</i>";
  const TextViews fragments = TextBetweenAll(page, "<i>", "</i>");
  ASSERT_EQ(fragments.size(), 2u);
  EXPECT_EQ(fragments[1].data(), page.data() + 11);
}

// An empty left marker is found at position 1 every time; the walk takes that one round and
// stops instead of repeating it for ever.
TEST(TextBetweenTest, EmptyLeftMarkerTakesOneRound) {
  EXPECT_EQ(Shown(TextBetweenAll("abc</b>x</b>", "", "</b>")), Shown({"abc"}));
  EXPECT_EQ(Shown(TextBetween("abc</b>", "", "</b>")), Shown("abc"));
  EXPECT_EQ(Shown(TextBetweenAll("abc", "", "</b>")), Shown(TextViews{}));
}

// Many left markers and a right marker far away: every fragment runs to that one right marker.
TEST(TextBetweenTest, ManyLeftMarkersBeforeOneRight) {
  std::string page;
  for (int i = 0; i < 50000; ++i) page += "<li>";
  page += "end</ul>";
  const TextViews fragments = TextBetweenAll(page, "<LI>", "</ul>");
  ASSERT_EQ(fragments.size(), 50000u);
  EXPECT_EQ(fragments.front().size(), page.size() - 4 - 5);
  EXPECT_EQ(Shown(fragments.back()), Shown("end"));
  EXPECT_TRUE(TextBetweenAll(page.substr(0, page.size() - 5), "<li>", "</ul>").empty());
}

// The plain loop, on the plain walk of FindText.
TextViews ReferenceBetweenAll(std::string_view text, std::string_view left,
                              std::string_view right) {
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; };
  auto find = [&](std::string_view target, int start) {
    std::size_t i = start >= 2 ? static_cast<std::size_t>(start) - 1 : 0;
    if (i >= text.size()) return -1;
    if (target.empty()) return 1;
    while (i + target.size() <= text.size()) {
      if (IsLeadByte(text[i]) && i + 1 == text.size()) return -1;
      std::size_t k = 0;
      while (k < target.size() && fold(text[i + k]) == fold(target[k])) ++k;
      if (k == target.size()) return static_cast<int>(i) + 1;
      i += IsLeadByte(text[i]) ? 2 : 1;
    }
    return -1;
  };
  TextViews fragments;
  int p = 0;
  for (int at; (at = find(left, p)) != -1;) {
    p = at + static_cast<int>(left.size());
    const int q = find(right, p);
    if (q != -1) fragments.push_back(MidText(text, p, q - p));
  }
  return fragments;
}

std::string RandomText(std::mt19937& random, const std::vector<std::string_view>& pieces,
                       std::size_t count) {
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += pieces[pick(random)];
  return text;
}

// The shortcuts of the walk (the remembered right marker, the early end) against the plain
// loop, with markers of whole characters and markers that end in a lead byte.
TEST(TextBetweenTest, AgreesWithThePlainLoop) {
  std::mt19937 random(9);
  const std::vector<std::string_view> pieces = {"<", "L", "l", "R", "r", "x", "\xB0", "\xC1"};
  const std::string_view markers[][2] = {{"L", "R"},     {"<l", "r"},   {"l\xB0", "R"},
                                         {"\xB0", "r"},  {"L", "\xB0"}, {"lL", "Rr"},
                                         {"\xB0L", "R"}, {"<", "<"},    {"l", ""}};
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(random, pieces, round % 60);
    const auto& marker = markers[round % 9];
    ASSERT_EQ(Shown(TextBetweenAll(text, marker[0], marker[1])),
              Shown(ReferenceBetweenAll(text, marker[0], marker[1])))
        << "text " << HexBytes(text) << " left " << marker[0] << " right " << marker[1];
  }
}

}  // namespace
