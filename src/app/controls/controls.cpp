#include "app/controls/controls.h"

#include <algorithm>
#include <numeric>

#include "text/text_numbers.h"

namespace {

Change MakeChange(const void* control, ChangeKind kind) {
  Change change;
  change.control = control;
  change.kind = kind;
  return change;
}

// Records a change that carries a text (a caption or an edit box's text) for the window; called
// under the control's lock, so the journal keeps the order of the control's states.
void RecordText(const void* control, ChangeKind kind, std::string_view text) {
  if (!ChangesObserved()) return;
  Change change = MakeChange(control, kind);
  change.text = text;
  RecordChange(std::move(change));
}

void RecordFlag(const void* control, ChangeKind kind, bool flag) {
  if (!ChangesObserved()) return;
  Change change = MakeChange(control, kind);
  change.flag = flag;
  RecordChange(std::move(change));
}

bool InRange(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

// ---- Button ----

Button::Button(const char* name, const char* caption)
    : name(name), initialCaption_(caption), caption_(caption) {}

Text Button::ReadCaption() const {
  std::lock_guard lock(mutex_);
  return caption_;
}

void Button::WriteCaption(std::string_view caption) {
  {
    std::lock_guard lock(mutex_);
    caption_ = caption;
    RecordText(this, ChangeKind::kCaption, caption_);
  }
  WakeChangeListener();
}

std::uint64_t Button::StartRun(std::string_view runningCaption) {
  std::uint64_t id;
  {
    std::lock_guard lock(mutex_);
    caption_ = runningCaption;
    id = ++latestRun_;
    RecordText(this, ChangeKind::kCaption, caption_);
  }
  WakeChangeListener();
  return id;
}

void Button::StopRuns(std::string_view idleCaption) {
  {
    std::lock_guard lock(mutex_);
    caption_ = idleCaption;
    stoppedThrough_ = latestRun_;
    RecordText(this, ChangeKind::kCaption, caption_);
  }
  WakeChangeListener();
}

bool Button::RunStopped(std::uint64_t id, std::string_view idleCaption) const {
  std::lock_guard lock(mutex_);
  return caption_ == idleCaption || id <= stoppedThrough_;
}

void Button::AwaitEarlierRuns(std::uint64_t id) const {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&] { return finishedThrough_ + 1 >= id; });
}

void Button::FinishRun(std::uint64_t id, std::string_view idleCaption) {
  bool wrote = false;
  {
    std::lock_guard lock(mutex_);
    finishedThrough_ = std::max(finishedThrough_, id);
    if (id >= latestRun_) {
      caption_ = idleCaption;
      wrote = true;
      RecordText(this, ChangeKind::kCaption, caption_);
    }
  }
  finished_.notify_all();
  if (wrote) WakeChangeListener();
}

void Button::AwaitRunsFinished() const {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&] { return finishedThrough_ >= latestRun_; });
}

void Button::Reset() { WriteCaption(initialCaption_); }

// ---- CheckBox ----

CheckBox::CheckBox(const char* name, const char* caption, bool checked)
    : name(name),
      initialCaption_(caption),
      initialChecked_(checked),
      caption_(caption),
      checked_(checked) {}

bool CheckBox::ReadChecked() const {
  std::lock_guard lock(mutex_);
  return checked_;
}

Text CheckBox::ReadCaption() const {
  std::lock_guard lock(mutex_);
  return caption_;
}

void CheckBox::WriteCaption(std::string_view caption) {
  {
    std::lock_guard lock(mutex_);
    caption_ = caption;
    RecordText(this, ChangeKind::kCaption, caption_);
  }
  WakeChangeListener();
}

void CheckBox::SetChecked(bool checked) {
  {
    std::lock_guard lock(mutex_);
    checked_ = checked;
    RecordFlag(this, ChangeKind::kChecked, checked);
  }
  WakeChangeListener();
}

void CheckBox::UserSetChecked(bool checked) {
  std::lock_guard lock(mutex_);
  checked_ = checked;
}

void CheckBox::Reset() {
  WriteCaption(initialCaption_);
  SetChecked(initialChecked_);
}

// ---- EditBox ----

EditBox::EditBox(const char* name, const char* text)
    : name(name), initialText_(text), text_(text) {}

Text EditBox::ReadText() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void EditBox::WriteText(std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    text_ = text;
    RecordText(this, ChangeKind::kText, text_);
  }
  WakeChangeListener();
}

void EditBox::UserSetText(std::string_view text) {
  std::lock_guard lock(mutex_);
  text_ = text;
}

void EditBox::Reset() { WriteText(initialText_); }

// ---- LogBox ----

LogBox::LogBox(const char* name) : name(name) {}

void LogBox::Append(std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    text_.append(text);
    if (ChangesObserved()) {
      Change change = MakeChange(this, ChangeKind::kLogAppended);
      change.text = text;
      change.number = static_cast<long long>(text_.size());
      RecordChange(std::move(change));
    }
  }
  WakeChangeListener();
}

Text LogBox::Content() const {
  std::lock_guard lock(mutex_);
  return text_;
}

void LogBox::UserReplace(std::size_t mirroredLength, std::string_view newText) {
  std::lock_guard lock(mutex_);
  Text rest = mirroredLength < text_.size() ? text_.substr(mirroredLength) : Text();
  text_.assign(newText);
  text_.append(rest);
}

void LogBox::Reset() {
  {
    std::lock_guard lock(mutex_);
    text_.clear();
    if (ChangesObserved()) {
      Change change = MakeChange(this, ChangeKind::kText);
      RecordChange(std::move(change));
    }
  }
  WakeChangeListener();
}

// ---- ReportList ----

ReportList::ReportList(const char* name, bool visible)
    : name(name), initialVisible_(visible), visible_(visible) {}

void ReportList::DeleteAllRows() {
  {
    std::lock_guard lock(mutex_);
    rows_.clear();
    selected_ = -1;
    if (ChangesObserved()) RecordChange(MakeChange(this, ChangeKind::kRowsCleared));
  }
  WakeChangeListener();
}

int ReportList::AppendRow() { return AppendRow(Cells{}); }

int ReportList::AppendRow(const Cells& cells) { return AppendCells(Cells(cells), false); }

int ReportList::AppendNumberedRow(Cells cells) { return AppendCells(std::move(cells), true); }

int ReportList::AppendCells(Cells cells, bool numbered) {
  int index;
  {
    std::lock_guard lock(mutex_);
    index = static_cast<int>(rows_.size());
    if (numbered) cells[0] = RealToText(index + 1.0);
    auto shared = std::make_shared<const Cells>(std::move(cells));
    rows_.push_back(Row{shared, 0});
    if (ChangesObserved()) {
      Change change = MakeChange(this, ChangeKind::kRowsAppended);
      change.rows.push_back(shared);
      RecordChange(std::move(change));
    }
  }
  WakeChangeListener();
  return index;
}

void ReportList::SetCell(int row, int column, std::string_view text) {
  if (column < 0 || column >= 7) return;
  {
    std::lock_guard lock(mutex_);
    if (!InRange(row, rows_.size())) return;
    // Cells are shared with the window's mirror: a change makes a copy of its own.
    auto copy = std::make_shared<Cells>(*rows_[row].cells);
    (*copy)[column] = text;
    rows_[row].cells = std::move(copy);
    if (ChangesObserved()) {
      Change change = MakeChange(this, ChangeKind::kCellSet);
      change.row = row;
      change.column = column;
      change.text = text;
      RecordChange(std::move(change));
    }
  }
  WakeChangeListener();
}

Text ReportList::GetCell(int row, int column) const {
  if (column < 0 || column >= 7) return Text();
  std::lock_guard lock(mutex_);
  if (!InRange(row, rows_.size())) return Text();
  return (*rows_[row].cells)[column];
}

RowCells ReportList::GetRow(int row) const {
  std::lock_guard lock(mutex_);
  if (!InRange(row, rows_.size())) return nullptr;
  return rows_[row].cells;
}

int ReportList::RowCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(rows_.size());
}

void ReportList::WriteSortValue(int row, int value) {
  std::lock_guard lock(mutex_);
  if (!InRange(row, rows_.size())) return;
  rows_[row].sortValue = value;
}

void ReportList::ReorderRows(int (*compare)(int a, int b)) {
  {
    std::lock_guard lock(mutex_);
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      return compare(rows_[a].sortValue, rows_[b].sortValue) < 0;
    });
    std::vector<Row> reordered;
    reordered.reserve(rows_.size());
    int selected = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
      reordered.push_back(std::move(rows_[order[i]]));
      if (order[i] == selected_) selected = static_cast<int>(i);
    }
    rows_ = std::move(reordered);
    selected_ = selected;
    if (ChangesObserved()) {
      Change change = MakeChange(this, ChangeKind::kRowsReordered);
      change.order = std::move(order);
      change.number = selected;
      RecordChange(std::move(change));
    }
  }
  WakeChangeListener();
}

int ReportList::SelectedRow() const {
  std::lock_guard lock(mutex_);
  return selected_;
}

void ReportList::UserSelectRow(int row) {
  std::lock_guard lock(mutex_);
  selected_ = InRange(row, rows_.size()) ? row : -1;
}

bool ReportList::Visible() const {
  std::lock_guard lock(mutex_);
  return visible_;
}

void ReportList::SetVisible(bool visible) {
  {
    std::lock_guard lock(mutex_);
    visible_ = visible;
    RecordFlag(this, ChangeKind::kVisible, visible);
  }
  WakeChangeListener();
}

void ReportList::Reset() {
  DeleteAllRows();
  SetVisible(initialVisible_);
}
