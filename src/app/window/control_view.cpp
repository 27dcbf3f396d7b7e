// The view of the controls. A control change wakes the window from whatever thread made it;
// the wake only schedules one drain on the GUI thread (coalesced by a flag), and the drain
// applies the journal in order: bursts of row appends become one insertion into the list's
// mirror, bursts of log entries one insertion into the log box.
#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <atomic>

#include "app/window/caption_widgets.h"
#include "app/window/gui_thread.h"
#include "app/window/main_window.h"
#include "app/window/qt_text.h"
#include "app/window/result_list_model.h"
#include "app/window/result_list_view.h"

namespace {
MainWindow* theWindow = nullptr;        // GUI thread only
std::atomic<bool> drainPending{false};  // a drain is queued and has not yet started

void WakeWindow() {
  if (drainPending.exchange(true)) return;
  const bool posted = PostToGui([] {
    drainPending = false;
    if (theWindow != nullptr) theWindow->DrainChanges();
  });
  if (!posted) drainPending = false;
}

// The program's own changes to a widget must not read as the user's.
struct ProgramChange {
  explicit ProgramChange(int& depth) : depth_(depth) { ++depth_; }
  ~ProgramChange() { --depth_; }
  int& depth_;
};

QString LogText(std::string_view gbk) {
  // CR LF is one line break in the box (a bare CR would make a second one).
  QString text = FromGbk(gbk);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}
}  // namespace

MainWindow::MainWindow() {
  BuildLayout();
  BindControls();
  BindEvents();
  theWindow = this;
  OpenGuiGate();
  drainPending = false;
  SetChangeListener(WakeWindow);
  // Whatever was recorded before is already part of the states shown next.
  TakeChanges();
  ShowControlStates();
}

MainWindow::~MainWindow() {
  SetChangeListener({});
  CloseGuiGate();
  drainPending = false;
  if (theWindow == this) theWindow = nullptr;
  // The widgets go first, while the members their handlers use are still there.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

MainWindow* MainWindow::Current() { return theWindow; }

void MainWindow::BindControls() {
  WindowControls& c = Controls();
  for (Button* button : c.Buttons()) {
    auto* widget = Named<QPushButton>(button->name);
    appliers_[button] = [widget](const Change& change) {
      if (change.kind == ChangeKind::kCaption) widget->setText(FromGbk(change.text));
    };
  }
  for (CheckBox* box : c.CheckBoxes()) {
    auto* widget = Named<QCheckBox>(box->name);
    appliers_[box] = [widget](const Change& change) {
      if (change.kind == ChangeKind::kCaption) widget->setText(FromGbk(change.text));
      if (change.kind == ChangeKind::kChecked) widget->setChecked(change.flag);
    };
  }
  for (EditBox* box : c.EditBoxes()) {
    auto* widget = Named<QLineEdit>(box->name);
    appliers_[box] = [this, widget](const Change& change) {
      if (change.kind != ChangeKind::kText) return;
      ProgramChange program(applying_);
      const QString text = FromGbk(change.text);
      if (widget->text() != text) widget->setText(text);
    };
  }
  appliers_[&c.编辑框1] = [this](const Change& change) {
    if (change.kind == ChangeKind::kLogAppended) {
      pendingLog_ += change.text;
    } else if (change.kind == ChangeKind::kText) {
      // The log was emptied (a reset): what it holds now starts from change.text.
      pendingLog_.clear();
      ProgramChange program(applying_);
      log_->setPlainText(LogText(change.text));
      logMirrored_ = change.text.size();
    }
  };
  for (ListView& list : lists_) {
    appliers_[list.list] = [this, &list](const Change& change) {
      if (change.kind == ChangeKind::kRowsAppended) {
        list.pendingRows.insert(list.pendingRows.end(), change.rows.begin(), change.rows.end());
        return;
      }
      FlushRows(list);
      ProgramChange program(applying_);
      switch (change.kind) {
        case ChangeKind::kRowsCleared:
          list.model->ClearRows();
          break;
        case ChangeKind::kCellSet:
          list.model->SetCell(change.row, change.column, change.text);
          break;
        case ChangeKind::kRowsReordered:
          list.model->Reorder(change.order);
          list.view->SelectRow(static_cast<int>(change.number));
          break;
        case ChangeKind::kVisible:
          list.view->setVisible(change.flag);
          break;
        default:
          break;
      }
    };
  }
}

void MainWindow::ShowControlStates() {
  ProgramChange program(applying_);
  WindowControls& c = Controls();
  for (Button* button : c.Buttons()) {
    Named<QPushButton>(button->name)->setText(FromGbk(button->ReadCaption()));
  }
  for (CheckBox* box : c.CheckBoxes()) {
    auto* widget = Named<QCheckBox>(box->name);
    widget->setText(FromGbk(box->ReadCaption()));
    widget->setChecked(box->ReadChecked());
  }
  for (EditBox* box : c.EditBoxes()) Named<QLineEdit>(box->name)->setText(FromGbk(box->ReadText()));
  const Text log = c.编辑框1.Content();
  log_->setPlainText(LogText(log));
  logMirrored_ = log.size();
  for (ListView& list : lists_) {
    std::vector<RowCells> rows;
    const int count = list.list->RowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
      if (RowCells cells = list.list->GetRow(row)) rows.push_back(std::move(cells));
    }
    list.model->ResetRows(std::move(rows));
    list.view->SelectRow(list.list->SelectedRow());
    list.view->setVisible(list.list->Visible());
  }
}

void MainWindow::DrainChanges() {
  const std::vector<Change> changes = TakeChanges();
  for (const Change& change : changes) Apply(change);
  for (ListView& list : lists_) FlushRows(list);
  FlushLog();
}

void MainWindow::Apply(const Change& change) {
  const auto applier = appliers_.find(change.control);
  if (applier != appliers_.end()) applier->second(change);
}

void MainWindow::FlushRows(ListView& list) {
  if (list.pendingRows.empty()) return;
  ProgramChange program(applying_);
  list.model->AppendRows(std::move(list.pendingRows));
  list.pendingRows.clear();
}

void MainWindow::FlushLog() {
  if (pendingLog_.empty()) return;
  ProgramChange program(applying_);
  QTextCursor end(log_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(LogText(pendingLog_));
  logMirrored_ += pendingLog_.size();
  pendingLog_.clear();
  QScrollBar* bar = log_->verticalScrollBar();
  bar->setValue(bar->maximum());
}

void MainWindow::LogEditedByUser() {
  if (applying_ > 0) return;
  QString text = log_->toPlainText();
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  const Text gbk = ToGbk(text);
  Controls().编辑框1.UserReplace(logMirrored_, gbk);
  logMirrored_ = gbk.size();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (onClosed) onClosed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabStack_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
    PlaceTabContents();
  }
  return QWidget::eventFilter(watched, event);
}
