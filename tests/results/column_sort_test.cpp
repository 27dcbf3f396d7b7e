#include "results/column_sort.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "text/text_numbers.h"

namespace {

class ColumnSortTest : public ::testing::Test {
 protected:
  void SetUp() override { Controls().Reset(); }
  void TearDown() override { Controls().Reset(); }

  static void Fill(ReportList& list, std::initializer_list<const char*> keys, int column) {
    for (const char* key : keys) {
      Cells cells;
      cells[1] = "标题";
      cells[column] = key;
      list.AppendNumberedRow(cells);
    }
  }
  static std::vector<Text> Column(const ReportList& list, int column) {
    std::vector<Text> texts;
    for (int r = 0; r < list.RowCount(); ++r) texts.push_back(list.GetCell(r, column));
    return texts;
  }
};

TEST_F(ColumnSortTest, AscendsByLeadingIntegerStably) {
  struct Case {
    std::initializer_list<const char*> keys;
    std::vector<Text> sorted;
  } cases[] = {
      {{"29", "9.9", "19.9"}, {"9.9", "19.9", "29"}},
      // Equal integer parts keep their order; 10 follows.
      {{"10", "2.9", "2.1"}, {"2.9", "2.1", "10"}},
      // A currency sign counts 0, a minus counts negative.
      {{"5", "￥3", "-2", "abc"}, {"-2", "￥3", "abc", "5"}},
      // Full-width digits count as digits.
      {{"１２", "3"}, {"3", "１２"}},
  };
  for (const Case& k : cases) {
    ReportList& list = Controls().超级列表框1;
    list.DeleteAllRows();
    Fill(list, k.keys, 3);
    SortByColumn(list, 3);
    EXPECT_EQ(Column(list, 3), k.sorted);
  }
}

TEST_F(ColumnSortTest, SortingByRunningNumberRestoresTheAppendingOrder) {
  ReportList& list = Controls().超级列表框1;
  for (int i = 0; i < 12; ++i) Fill(list, {IntToText((i * 7) % 12).c_str()}, 3);
  list.UserSelectRow(4);
  const Text selectedTitle = list.GetCell(4, 3);
  SortByColumn(list, 3);
  const std::vector<Text> once = Column(list, 3);
  SortByColumn(list, 3);
  EXPECT_EQ(Column(list, 3), once);  // two clicks give the order of one
  EXPECT_EQ(list.GetCell(list.SelectedRow(), 3), selectedTitle);
  SortByColumn(list, 0);
  for (int r = 0; r < 12; ++r) EXPECT_EQ(list.GetCell(r, 0), IntToText(r + 1));
  // Words and addresses all count 0: the order stays.
  SortByColumn(list, 5);
  for (int r = 0; r < 12; ++r) EXPECT_EQ(list.GetCell(r, 0), IntToText(r + 1));
}

TEST_F(ColumnSortTest, CompareSortKeysNeverOverflows) {
  EXPECT_LT(CompareSortKeys(INT_MIN, INT_MAX), 0);
  EXPECT_GT(CompareSortKeys(INT_MAX, INT_MIN), 0);
  EXPECT_EQ(CompareSortKeys(-7, -7), 0);
}

TEST_F(ColumnSortTest, TheSearchListSortsAlone) {
  WindowControls& c = Controls();
  Fill(c.超级列表框1, {"3", "1", "2"}, 3);
  Fill(c.超级列表框2, {"3", "1", "2"}, 3);
  SortByColumn(c.超级列表框2, 3);
  EXPECT_EQ(Column(c.超级列表框2, 3), (std::vector<Text>{"1", "2", "3"}));
  EXPECT_EQ(Column(c.超级列表框1, 3), (std::vector<Text>{"3", "1", "2"}));
}

// Rows appended while a sort reads its keys keep the value 0 and land among the zeros; sorts
// racing appends and clears never mix the cells of two items.
TEST_F(ColumnSortTest, SortsRacingAppendsAndClearsKeepRowsWhole) {
  ReportList& list = Controls().超级列表框1;
  std::atomic<bool> stop{false};
  std::thread appender([&] {
    for (int i = 0; !stop; ++i) {
      const Text n = IntToText(i % 500);
      list.AppendNumberedRow(Cells{"", "t" + n, n, n, n, "l" + n, "http://a/" + n});
      if (i % 2000 == 1999) list.DeleteAllRows();
    }
  });
  std::vector<std::thread> sorters;
  for (int s = 0; s < 2; ++s) {
    sorters.emplace_back([&, s] {
      for (int k = 0; k < 30; ++k) SortByColumn(list, 2 + s);
    });
  }
  for (auto& t : sorters) t.join();
  stop = true;
  appender.join();
  for (int r = 0; r < list.RowCount(); ++r) {
    const RowCells row = list.GetRow(r);
    ASSERT_TRUE(row);
    EXPECT_EQ((*row)[1], "t" + (*row)[2]);
    EXPECT_EQ((*row)[6], "http://a/" + (*row)[3]);
  }
}

}  // namespace
