// The controls publish every change, in the order it was applied, to one optional listener (the
// window). A control records its change while it still holds its own lock, so the journal's
// order is the order of the controls' states; the listener is woken after every lock is released
// and drains the journal on its own thread. Without a listener nothing is recorded.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "text/text.h"

using Cells = std::array<Text, 7>;
using RowCells = std::shared_ptr<const Cells>;

enum class ChangeKind {
  kCaption,        // text: the new caption
  kChecked,        // flag
  kText,           // text: the new text of an edit box
  kLogAppended,    // text: what was appended; number: the log's length in bytes right after it
                   // (a user's later edit of the box changes what that length counts)
  kVisible,        // flag
  kRowsAppended,   // rows: the new rows, at the end
  kRowsCleared,    //
  kCellSet,        // row, column, text
  kRowsReordered,  // order: new row i is old row order[i]; number: the selected row after it
};

struct Change {
  const void* control = nullptr;
  ChangeKind kind = ChangeKind::kCaption;
  Text text;
  bool flag = false;
  int row = -1;
  int column = -1;
  long long number = 0;
  std::vector<RowCells> rows;
  std::vector<int> order;
};

// Sets (or, with an empty function, removes) the listener. wake is called on the thread that
// made a change, with no control lock held; it must only schedule the drain.
void SetChangeListener(std::function<void()> wake);

// True while a listener is set: only then are changes recorded.
bool ChangesObserved();

// Records one change; called by the controls under their own lock.
void RecordChange(Change change);

// Calls the listener, if any, after a change was recorded.
void WakeChangeListener();

// Takes every change recorded so far, oldest first.
std::vector<Change> TakeChanges();
