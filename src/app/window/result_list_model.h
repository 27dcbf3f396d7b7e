// The window's mirror of one report list: the rows the view shows, shared with the control
// (rows are immutable once published), brought up to date only by the change journal.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app/controls/change_journal.h"

class ResultListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultListModel(QObject* parent = nullptr);

  // The header texts of the seven columns, in order.
  static QStringList Headers();
  // The initial column widths in pixels: 32, 306, 57, 51, 36, 62, 0.
  static const std::vector<int>& Widths();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Journal changes, applied in order. AppendRows takes a whole burst in one insertion.
  void AppendRows(std::vector<RowCells> rows);
  void ClearRows();
  void SetCell(int row, int column, const Text& text);
  // order: new row i is old row order[i]; persistent indexes (the selection) move with rows.
  void Reorder(const std::vector<int>& order);

  // A snapshot of the rows for start-up; replaces whatever the mirror holds.
  void ResetRows(std::vector<RowCells> rows);

 private:
  std::vector<RowCells> rows_;
};
