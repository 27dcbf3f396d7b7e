// A report list as the window shows it: a header that reports clicks and never sorts, single
// full-row selection, grid lines, no editing, columns resizable but not movable.
#pragma once

#include <QHeaderView>
#include <QTableView>

class ResultListModel;

// A column header on which a zero-width column can still be widened by dragging its divider
// (the address column starts at width 0 and is meant to be opened that way).
class ResultListHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit ResultListHeader(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The rightmost zero-width section whose divider lies under x, or -1.
  int ZeroSectionAt(int x) const;
  int dragged_ = -1;
  int dragOrigin_ = 0;
  bool splitCursor_ = false;
};

class ResultListView : public QTableView {
  Q_OBJECT

 public:
  ResultListView(ResultListModel* model, QWidget* parent);

  // The selected row of the view, or -1.
  int SelectedRow() const;
  // Selects row (or nothing for -1) without scrolling.
  void SelectRow(int row);
};
