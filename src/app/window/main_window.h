// MainWindow: the system's only window. It shows the named controls and is their observer, not
// their owner: every change of a control reaches the widgets through the change journal,
// drained on the GUI thread, and every user action is written into the controls at once.
#pragma once

#include <QWidget>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/controls/controls.h"
#include "text/gbk.h"

class QPlainTextEdit;
class QTabWidget;
class ResultListModel;
class ResultListView;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // The window with every control in place, showing the controls' current states.
  MainWindow();
  ~MainWindow() override;

  // The window that is open, or null (GUI thread only).
  static MainWindow* Current();

  // Applies every change recorded since the last drain to the widgets, in order.
  void DrainChanges();

  // Runs when the user closes the window.
  std::function<void()> onClosed;

  // The client area's size: the outer frame of 607 x 436 less a title bar and thin borders.
  static QSize ClientSize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ListView {
    ReportList* list;
    ResultListModel* model;
    ResultListView* view;
    std::vector<RowCells> pendingRows;  // appends not yet handed to the model
  };
  struct TabPlace {
    QWidget* widget;
    QRect place;  // relative to the tab control's top-left corner
  };

  void BuildLayout();
  void BindControls();
  void BindEvents();
  void ShowControlStates();
  void PlaceTabContents();
  void Apply(const Change& change);
  void FlushRows(ListView& list);
  void FlushLog();
  void LogEditedByUser();

  // The child widget whose object name is the control name gbkName.
  template <typename T>
  T* Named(std::string_view gbkName) const {
    return findChild<T*>(QString::fromStdString(GbkToUtf8(gbkName)));
  }

  QTabWidget* tabs_ = nullptr;
  QWidget* tabStack_ = nullptr;
  std::vector<TabPlace> tabPlaces_;
  QPlainTextEdit* log_ = nullptr;
  std::vector<ListView> lists_;
  std::unordered_map<const void*, std::function<void(const Change&)>> appliers_;
  Text pendingLog_;
  std::size_t logMirrored_ = 0;  // GBK bytes of the log shown so far
  int applying_ = 0;             // >0 while the program, not the user, changes widgets
};
