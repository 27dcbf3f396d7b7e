#include "app/window/result_list_view.h"

#include <QMouseEvent>

#include "app/window/result_list_model.h"

ResultListHeader::ResultListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setSectionsMovable(false);
  setHighlightSections(false);
  setSortIndicatorShown(false);
  setStretchLastSection(false);
  setSectionResizeMode(QHeaderView::Interactive);
  setMinimumSectionSize(0);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setMouseTracking(true);
}

int ResultListHeader::ZeroSectionAt(int x) const {
  const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
  for (int visual = count() - 1; visual >= 0; --visual) {
    const int logical = logicalIndex(visual);
    if (isSectionHidden(logical) || sectionSize(logical) != 0) continue;
    const int edge = sectionViewportPosition(logical);
    if (x >= edge - grip && x <= edge + grip) return logical;
  }
  return -1;
}

void ResultListHeader::mousePressEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  if (event->button() == Qt::LeftButton) {
    dragged_ = ZeroSectionAt(x);
    if (dragged_ >= 0) {
      dragOrigin_ = sectionViewportPosition(dragged_);
      return;
    }
  }
  QHeaderView::mousePressEvent(event);
}

void ResultListHeader::mouseMoveEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  if (dragged_ >= 0) {
    resizeSection(dragged_, std::max(0, x - dragOrigin_));
    return;
  }
  if (event->buttons() == Qt::NoButton) {
    const bool overDivider = ZeroSectionAt(x) >= 0;
    if (overDivider != splitCursor_) {
      splitCursor_ = overDivider;
      if (overDivider) {
        setCursor(Qt::SplitHCursor);
      } else {
        unsetCursor();
      }
    }
    if (overDivider) return;
  }
  QHeaderView::mouseMoveEvent(event);
}

void ResultListHeader::mouseReleaseEvent(QMouseEvent* event) {
  if (dragged_ >= 0) {
    dragged_ = -1;
    return;
  }
  QHeaderView::mouseReleaseEvent(event);
}

ResultListView::ResultListView(ResultListModel* model, QWidget* parent) : QTableView(parent) {
  setHorizontalHeader(new ResultListHeader(this));
  setModel(model);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setSortingEnabled(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);
  setMouseTracking(false);
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setFixedHeight(fontMetrics().height() + 6);
  const auto& widths = ResultListModel::Widths();
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    horizontalHeader()->resizeSection(column, widths[column]);
  }
}

int ResultListView::SelectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ResultListView::SelectRow(int row) {
  if (row < 0 || row >= model()->rowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->select(model()->index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
