// The named controls of the main window as plain records without Qt. They are the system's
// only state: every operation is atomic and complete when it returns (a short critical section
// of the control's own lock), no lock spans two operations, and every change is published to
// the change journal in the order it was applied. Operations named User... carry what the user
// did in the window; the window applies them itself, so they are not published back to it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

#include "app/controls/change_journal.h"
#include "text/text.h"

// A button. A RunButton's caption is its run's state and stop signal; the run binding beside it
// ties a stop and a closing step to the run that was going, so that a stopped run that has not
// yet noticed its stop never carries on beside a newer one.
struct Button {
  Button(const char* name, const char* caption);
  const char* const name;

  Text ReadCaption() const;
  void WriteCaption(std::string_view caption);

  // Writes the running caption and opens a new run in one step; returns the run's id.
  std::uint64_t StartRun(std::string_view runningCaption);
  // Writes the idle caption and marks every run opened so far as stopped, in one step.
  void StopRuns(std::string_view idleCaption);
  // The stop test of run id: the caption reads idleCaption, or the run was stopped.
  bool RunStopped(std::uint64_t id, std::string_view idleCaption) const;
  // Blocks until every run opened before id has finished.
  void AwaitEarlierRuns(std::uint64_t id) const;
  // Marks run id finished; writes idleCaption unless a newer run has been opened since.
  void FinishRun(std::uint64_t id, std::string_view idleCaption);
  // Blocks until every run opened so far has finished.
  void AwaitRunsFinished() const;

  void Reset();

 private:
  const char* const initialCaption_;
  mutable std::mutex mutex_;
  mutable std::condition_variable finished_;
  Text caption_;
  std::uint64_t latestRun_ = 0;
  std::uint64_t stoppedThrough_ = 0;
  std::uint64_t finishedThrough_ = 0;
};

struct CheckBox {
  CheckBox(const char* name, const char* caption, bool checked);
  const char* const name;

  bool ReadChecked() const;
  Text ReadCaption() const;
  void WriteCaption(std::string_view caption);
  // Sets the check mark as the user (or the CLI acting for one) does; published.
  void SetChecked(bool checked);
  void UserSetChecked(bool checked);

  void Reset();

 private:
  const char* const initialCaption_;
  const bool initialChecked_;
  mutable std::mutex mutex_;
  Text caption_;
  bool checked_;
};

struct EditBox {
  EditBox(const char* name, const char* text);
  const char* const name;

  Text ReadText() const;
  void WriteText(std::string_view text);
  void UserSetText(std::string_view text);

  void Reset();

 private:
  const char* const initialText_;
  mutable std::mutex mutex_;
  Text text_;
};

// The multi-line log box: append only for the logic, editable by the user.
struct LogBox {
  explicit LogBox(const char* name);
  const char* const name;

  // Appends after the last character, whatever the box holds.
  void Append(std::string_view text);
  Text Content() const;
  // The user edited the box: the first mirroredLength bytes (all the window had shown) become
  // newText; whatever was appended after them and not yet shown stays behind it.
  void UserReplace(std::size_t mirroredLength, std::string_view newText);

  void Reset();

 private:
  mutable std::mutex mutex_;
  Text text_;
};

// A report list: rows of seven text cells and a sort value, the selected row, visibility.
struct ReportList {
  ReportList(const char* name, bool visible);
  const char* const name;

  void DeleteAllRows();
  // Appends an empty row; returns its index.
  int AppendRow();
  // Appends a row with its seven cells in one step; returns its index.
  int AppendRow(const Cells& cells);
  // Appends a row in one step with column 0 set to its running number, RealToText(index + 1.0);
  // returns its index.
  int AppendNumberedRow(Cells cells);
  // Out of range: nothing changes.
  void SetCell(int row, int column, std::string_view text);
  // Out of range: the empty text.
  Text GetCell(int row, int column) const;
  // All seven cells of a row in one step; null out of range.
  RowCells GetRow(int row) const;
  int RowCount() const;
  void WriteSortValue(int row, int value);
  // Reorders all rows so that their sort values ascend by compare (negative: a before b);
  // stable. Rows move with their cells and the selection travels with its row.
  void ReorderRows(int (*compare)(int a, int b));
  // The selected row, or -1.
  int SelectedRow() const;
  void UserSelectRow(int row);
  bool Visible() const;
  void SetVisible(bool visible);

  void Reset();

 private:
  int AppendCells(Cells cells, bool numbered);

  struct Row {
    RowCells cells;
    int sortValue = 0;
  };
  const bool initialVisible_;
  mutable std::mutex mutex_;
  std::vector<Row> rows_;
  int selected_ = -1;
  bool visible_;
};

// Every control that the logic reads or writes, under its name, in its start-up state.
struct WindowControls {
  WindowControls();

  LogBox 编辑框1;
  ReportList 超级列表框1;
  ReportList 超级列表框2;

  CheckBox 价格选择框;
  EditBox 价格编辑框;
  CheckBox 折扣选择框;
  EditBox 折扣编辑框;

  Button 获取特价列表按钮;
  Button 获取年末清仓夜场按钮;
  Button 获取年末清仓白天按钮1;
  Button 获取年末清仓白天按钮2;

  CheckBox 九块邮选择框;
  CheckBox 聚划算选择框;
  CheckBox 卷皮折扣选择框;
  CheckBox 天天特价选择框;

  EditBox 编辑框2;
  Button 搜索按钮;

  // 年末清仓白天1, 分组框5, in run order.
  CheckBox 厨房用具选择框, 居家日用选择框, 精品女装选择框, 精品女鞋选择框, 热门箱包选择框,
      服饰配件选择框, 流行配饰选择框, 运动包选择框, 运动鞋选择框, 运动服选择框, 户外旅行选择框,
      运动用品选择框, 彩妆香水选择框, 美发护发选择框, 美容护肤选择框;
  // 年末清仓白天2, 分组框6, in run order.
  CheckBox 玩具早教选择框, 童装童鞋选择框, 孕妇用品选择框, 婴儿用品选择框, 住宅家具选择框,
      家装主材选择框, 五金工具选择框, 电子电工选择框, 家居饰品选择框, 大家电选择框, 厨房电器选择框,
      影音电器选择框, 生活电器选择框, 汽车用品选择框;
  // 年末清仓夜场, 分组框2, in run order.
  CheckBox 居家床品选择框, 个人护理选择框, 洗护清洁选择框, 都市型男选择框, 流行男鞋选择框,
      零食特产选择框, 冲饮茶艺选择框, 粮油干货选择框, 水产蔬果选择框, 纯粮酿造选择框,
      滋补佳品选择框, 舒适内衣选择框, 鲜花绿植选择框, 教育培训选择框, 家有爱宠选择框;

  // Every check box, every button, every edit box (for lookups by name).
  std::vector<CheckBox*> CheckBoxes();
  std::vector<Button*> Buttons();
  std::vector<EditBox*> EditBoxes();
  // The check box whose name (GBK) is name, or null.
  CheckBox* FindCheckBox(std::string_view name);

  // Every control back to its start-up state (for tests and the CLI).
  void Reset();
};

// The one set of controls. Created on first use and never destroyed, so that detached threads
// may use it while the program ends.
WindowControls& Controls();
