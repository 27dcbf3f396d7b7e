#include "app/window/result_list_model.h"

#include "app/window/qt_text.h"

ResultListModel::ResultListModel(QObject* parent) : QAbstractTableModel(parent) {}

QStringList ResultListModel::Headers() {
  return {QStringLiteral("序"),      QStringLiteral("物品名称(双击标题即可打开)"),
          QStringLiteral("原价"),    QStringLiteral("价格"),
          QStringLiteral("折扣"),    QStringLiteral("活动"),
          QStringLiteral("抢购地址")};
}

const std::vector<int>& ResultListModel::Widths() {
  static const std::vector<int> widths = {32, 306, 57, 51, 36, 62, 0};
  return widths;
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 7;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  if (role == Qt::DisplayRole) {
    // Converted only for the cells being drawn; a title's line breaks show as spaces so that
    // the row stays one line high.
    QString text = FromGbk((*rows_[index.row()])[index.column()]);
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= 7) return {};
  if (role == Qt::DisplayRole) return Headers().at(section);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ResultListModel::AppendRows(std::vector<RowCells> rows) {
  if (rows.empty()) return;
  const int first = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  endInsertRows();
}

void ResultListModel::ClearRows() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void ResultListModel::SetCell(int row, int column, const Text& text) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= 7) return;
  // The control shares its cells with this mirror, so a change gets a copy of its own.
  auto copy = std::make_shared<Cells>(*rows_[row]);
  (*copy)[column] = text;
  rows_[row] = std::move(copy);
  emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void ResultListModel::Reorder(const std::vector<int>& order) {
  if (order.size() != rows_.size()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<RowCells> reordered;
  reordered.reserve(rows_.size());
  std::vector<int> newRowOf(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    reordered.push_back(std::move(rows_[order[i]]));
    newRowOf[order[i]] = static_cast<int>(i);
  }
  rows_ = std::move(reordered);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    after.push_back(old.row() < static_cast<int>(newRowOf.size())
                        ? index(newRowOf[old.row()], old.column())
                        : QModelIndex());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListModel::ResetRows(std::vector<RowCells> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}
