#include "app/controls/controls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "text/text_numbers.h"

namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { Controls().Reset(); }
  void TearDown() override { Controls().Reset(); }
};

TEST_F(ControlsTest, StartUpStates) {
  WindowControls& c = Controls();
  for (CheckBox* box : {&c.九块邮选择框, &c.聚划算选择框, &c.卷皮折扣选择框, &c.天天特价选择框,
                        &c.精品女鞋选择框, &c.大家电选择框, &c.都市型男选择框}) {
    EXPECT_TRUE(box->ReadChecked()) << box->name;
  }
  int checked = 0;
  for (CheckBox* box : c.CheckBoxes()) checked += box->ReadChecked();
  EXPECT_EQ(checked, 7);
  EXPECT_FALSE(c.价格选择框.ReadChecked());
  EXPECT_FALSE(c.折扣选择框.ReadChecked());
  EXPECT_EQ(c.价格编辑框.ReadText(), "50");
  EXPECT_EQ(c.折扣编辑框.ReadText(), "2.1");
  EXPECT_EQ(c.价格选择框.ReadCaption(), "价格<");
  for (Button* b : {&c.获取特价列表按钮, &c.获取年末清仓夜场按钮, &c.获取年末清仓白天按钮1,
                    &c.获取年末清仓白天按钮2}) {
    EXPECT_EQ(b->ReadCaption(), "获取列表");
  }
  EXPECT_EQ(c.搜索按钮.ReadCaption(), "搜索");
  EXPECT_EQ(c.编辑框2.ReadText(), "");
  EXPECT_EQ(c.编辑框1.Content(), "");
  EXPECT_TRUE(c.超级列表框1.Visible());
  EXPECT_FALSE(c.超级列表框2.Visible());
  EXPECT_EQ(c.超级列表框1.SelectedRow(), -1);
  ASSERT_NE(c.FindCheckBox("居家床品选择框"), nullptr);
  EXPECT_EQ(c.FindCheckBox("居家床品选择框")->ReadCaption(), "居家床品");
  EXPECT_EQ(c.FindCheckBox("nonexistent"), nullptr);
}

TEST_F(ControlsTest, CellsOutOfRangeAnswerSoundly) {
  ReportList& list = Controls().超级列表框1;
  for (int i = 0; i < 3; ++i) list.AppendNumberedRow(Cells{"", "t" + IntToText(i)});
  struct Case {
    int row, column;
  } cases[] = {{5, 1}, {-1, 1}, {3, 0}, {0, 7}, {0, -1}};
  for (const Case& k : cases) {
    EXPECT_EQ(list.GetCell(k.row, k.column), "") << k.row << "," << k.column;
    list.SetCell(k.row, k.column, "x");  // changes nothing
    EXPECT_EQ(list.GetRow(k.row < 0 || k.row >= 3 ? k.row : 99), nullptr);
  }
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.GetCell(2, 0), "3");
  EXPECT_EQ(list.GetCell(2, 1), "t2");
  list.SetCell(1, 4, "4.9");
  EXPECT_EQ(list.GetCell(1, 4), "4.9");
}

TEST_F(ControlsTest, ReorderMovesRowsWithCellsAndSelection) {
  ReportList& list = Controls().超级列表框1;
  const int values[] = {29, 9, 19, 9};
  for (int v : values) list.AppendNumberedRow(Cells{"", "item" + IntToText(v)});
  for (int r = 0; r < 4; ++r) list.WriteSortValue(r, values[r]);
  list.UserSelectRow(0);  // the 29
  list.ReorderRows([](int a, int b) { return a < b ? -1 : a > b ? 1 : 0; });
  const char* expected[][2] = {{"2", "item9"}, {"4", "item9"}, {"3", "item19"}, {"1", "item29"}};
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(list.GetCell(r, 0), expected[r][0]);
    EXPECT_EQ(list.GetCell(r, 1), expected[r][1]);
  }
  EXPECT_EQ(list.SelectedRow(), 3);
  list.DeleteAllRows();
  EXPECT_EQ(list.SelectedRow(), -1);
  EXPECT_EQ(list.AppendNumberedRow(Cells{}), 0);
  EXPECT_EQ(list.GetCell(0, 0), "1");
}

TEST_F(ControlsTest, LogUserEditKeepsEntriesAppendedMeanwhile) {
  LogBox& log = Controls().编辑框1;
  log.Append("one");
  // The user typed into a box that showed "one" while "two" was appended but not yet shown.
  log.Append("two");
  log.UserReplace(3, "one!");
  EXPECT_EQ(log.Content(), "one!two");
}

// Rows are whole items: each row's cells all come from one append, whatever other threads do
// to the list meanwhile.
TEST_F(ControlsTest, ConcurrentUseNeverMixesCellsOfTwoItems) {
  ReportList& list = Controls().超级列表框1;
  std::atomic<bool> stop{false};
  std::atomic<int> mixed{0};
  auto appender = [&](int seed) {
    for (int i = 0; !stop; ++i) {
      const Text tag = IntToText(seed * 1000000 + i);
      list.AppendNumberedRow(
          Cells{"", "t" + tag, "o" + tag, "p" + tag, "d" + tag, "l" + tag, "http://x/" + tag});
    }
  };
  auto reader = [&] {
    while (!stop) {
      const int n = list.RowCount();
      for (int r = 0; r < n; r += 7) {
        RowCells row = list.GetRow(r);
        if (!row) continue;
        const Text tag = (*row)[1].substr(1);
        if ((*row)[2] != "o" + tag || (*row)[6] != "http://x/" + tag) ++mixed;
      }
    }
  };
  auto sorter = [&] {
    for (int k = 0; !stop; ++k) {
      const int n = list.RowCount();
      for (int r = 0; r < n; ++r) list.WriteSortValue(r, (r * 7919 + k) % 101);
      list.ReorderRows([](int a, int b) { return (a > b) - (a < b); });
    }
  };
  auto clearer = [&] {
    while (!stop) {
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
      list.DeleteAllRows();
    }
  };
  std::vector<std::thread> threads;
  threads.emplace_back(appender, 1);
  threads.emplace_back(appender, 2);
  threads.emplace_back(reader);
  threads.emplace_back(sorter);
  threads.emplace_back(clearer);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  stop = true;
  for (auto& t : threads) t.join();
  EXPECT_EQ(mixed.load(), 0);
  // Running numbers stay 1..n without gaps after the last clear, in appending order.
  const int n = list.RowCount();
  std::vector<bool> seen(n + 1, false);
  for (int r = 0; r < n; ++r) {
    const int number = TextToInt(list.GetCell(r, 0));
    ASSERT_GE(number, 1);
    ASSERT_LE(number, n);
    EXPECT_FALSE(seen[number]);
    seen[number] = true;
  }
}

TEST_F(ControlsTest, ChangesArePublishedInOrderOnlyWhileObserved) {
  WindowControls& c = Controls();
  c.超级列表框1.AppendNumberedRow(Cells{});  // not observed: not recorded
  std::atomic<int> wakes{0};
  SetChangeListener([&] { ++wakes; });
  c.获取特价列表按钮.WriteCaption("暂停获取");
  c.超级列表框1.AppendNumberedRow(Cells{"", "a"});
  c.编辑框1.Append("x");
  c.价格编辑框.UserSetText("20");  // the window's own edit: not sent back to it
  c.超级列表框1.DeleteAllRows();
  std::vector<Change> changes = TakeChanges();
  SetChangeListener({});
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].kind, ChangeKind::kCaption);
  EXPECT_EQ(changes[0].control, &c.获取特价列表按钮);
  EXPECT_EQ(changes[0].text, "暂停获取");
  EXPECT_EQ(changes[1].kind, ChangeKind::kRowsAppended);
  ASSERT_EQ(changes[1].rows.size(), 1u);
  EXPECT_EQ((*changes[1].rows[0])[0], "2");
  EXPECT_EQ(changes[2].kind, ChangeKind::kLogAppended);
  EXPECT_EQ(changes[2].number, 1);
  EXPECT_EQ(changes[3].kind, ChangeKind::kRowsCleared);
  EXPECT_EQ(wakes.load(), 4);
  EXPECT_EQ(c.价格编辑框.ReadText(), "20");
}

}  // namespace
