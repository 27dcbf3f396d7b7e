#include "results/keyword_search.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/controls/controls.h"
#include "results/column_sort.h"
#include "text/text_numbers.h"

namespace {

class KeywordSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { Controls().Reset(); }
  void TearDown() override {
    AwaitSearches();
    Controls().Reset();
  }
  static void Add(const char* title, const char* price) {
    Controls().超级列表框1.AppendNumberedRow(
        Cells{"", title, "99", price, "3.5", "九块邮", Text("http://item.example/") + price});
  }
  static void Search(const char* keyword) {
    Controls().编辑框2.WriteText(keyword);
    ToggleSearch();
    AwaitSearches();
  }
};

TEST_F(KeywordSearchTest, CopiesMatchingRowsWithNumbersOfTheirOwn) {
  Add("夏季连衣裙", "19.9");
  Add("男士T恤", "9.9");
  Add("碎花连衣裙长款", "29");
  Add("儿童鞋", "15");
  Add("连衣裙", "39");
  Search("连衣裙");
  WindowControls& c = Controls();
  ASSERT_EQ(c.超级列表框2.RowCount(), 3);
  const char* expected[][7] = {
      {"1", "夏季连衣裙", "99", "19.9", "3.5", "九块邮", "http://item.example/19.9"},
      {"2", "碎花连衣裙长款", "99", "29", "3.5", "九块邮", "http://item.example/29"},
      {"3", "连衣裙", "99", "39", "3.5", "九块邮", "http://item.example/39"},
  };
  for (int r = 0; r < 3; ++r) {
    for (int col = 0; col < 7; ++col) EXPECT_EQ(c.超级列表框2.GetCell(r, col), expected[r][col]);
  }
  EXPECT_TRUE(c.超级列表框2.Visible());
  EXPECT_EQ(c.搜索按钮.ReadCaption(), "还原");
  EXPECT_EQ(c.超级列表框1.RowCount(), 5);
}

TEST_F(KeywordSearchTest, MatchRespectsCaseAndCharacterStarts) {
  Add("new tshirt", "1");
  // B0 41 is one character whose second byte reads as 'A': "A" must not match inside it.
  Add("\xB0\x41\xB0\x41 x", "2");
  Add("ABC", "3");
  struct Case {
    const char* keyword;
    int found;
  } cases[] = {{"TSHIRT", 0}, {"tshirt", 1}, {"A", 1}, {"", 3}};
  for (const Case& k : cases) {
    Controls().搜索按钮.WriteCaption("搜索");
    Search(k.keyword);
    EXPECT_EQ(Controls().超级列表框2.RowCount(), k.found) << k.keyword;
  }
}

TEST_F(KeywordSearchTest, CaptionCycleAndEnter) {
  WindowControls& c = Controls();
  Add("连衣裙", "1");
  Search("连衣裙");
  ASSERT_EQ(c.超级列表框2.RowCount(), 1);
  ToggleSearch();  // "还原": hide, rows kept
  EXPECT_EQ(c.搜索按钮.ReadCaption(), "搜索");
  EXPECT_FALSE(c.超级列表框2.Visible());
  EXPECT_EQ(c.超级列表框2.RowCount(), 1);
  Search("连衣裙");
  // Enter while "还原" shows: emptied and filled again, the caption stays.
  Add("连衣裙二", "2");
  StartSearch();
  AwaitSearches();
  EXPECT_EQ(c.搜索按钮.ReadCaption(), "还原");
  EXPECT_EQ(c.超级列表框2.RowCount(), 2);
  EXPECT_TRUE(c.超级列表框2.Visible());
  c.搜索按钮.WriteCaption("别的");
  ToggleSearch();
  EXPECT_EQ(c.搜索按钮.ReadCaption(), "别的");
}

TEST_F(KeywordSearchTest, AnEmptyMainListGivesAnEmptyShownSearchList) {
  Search("x");
  EXPECT_EQ(Controls().超级列表框2.RowCount(), 0);
  EXPECT_TRUE(Controls().超级列表框2.Visible());
}

// Searches racing appends, sorts and clears of the main list never copy a row with cells of
// two items.
TEST_F(KeywordSearchTest, SearchesRacingRunsSortsAndClearsKeepRowsWhole) {
  WindowControls& c = Controls();
  std::atomic<bool> stop{false};
  std::thread appender([&] {
    for (int i = 0; !stop; ++i) {
      const Text n = IntToText(i % 300);
      c.超级列表框1.AppendNumberedRow(Cells{"", "连衣裙" + n, n, n, n, "l" + n, "http://a/" + n});
      if (i % 1500 == 1499) c.超级列表框1.DeleteAllRows();
    }
  });
  std::thread sorter([&] {
    while (!stop) SortByColumn(c.超级列表框1, 3);
  });
  c.编辑框2.WriteText("连衣裙");
  for (int k = 0; k < 40; ++k) {
    StartSearch();
    if (k % 5 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  AwaitSearches();
  stop = true;
  appender.join();
  sorter.join();
  const int n = c.超级列表框2.RowCount();
  for (int r = 0; r < n; ++r) {
    const RowCells row = c.超级列表框2.GetRow(r);
    ASSERT_TRUE(row);
    EXPECT_EQ((*row)[1], "连衣裙" + (*row)[2]);
    EXPECT_EQ((*row)[6], "http://a/" + (*row)[3]);
  }
}

}  // namespace
