// What each user action in the window does. Handlers run on the GUI thread and return at once;
// long work goes to the threads the bound operations start. What the user changes in a widget
// is written into its control at once, so that runs on other threads read the latest state.
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/window/caption_widgets.h"
#include "app/window/input_widgets.h"
#include "app/window/main_window.h"
#include "app/window/qt_text.h"
#include "app/window/result_list_view.h"
#include "app/window/window_operations.h"
#include "clearance/clearance_run.h"
#include "deals/deal_run.h"
#include "results/column_sort.h"
#include "results/keyword_search.h"

namespace {

// Double-clicks anywhere on a list's rows area open the selected row, like the list's own
// notification would; the press before it has already moved the selection.
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(ReportList& list, QObject* parent) : QObject(parent), list_(list) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      OpenSelectedItem(list_);
    }
    return false;
  }

 private:
  ReportList& list_;
};

}  // namespace

void MainWindow::BindEvents() {
  WindowControls& c = Controls();

  connect(Named<QPushButton>(c.获取特价列表按钮.name), &QPushButton::clicked, this,
          [] { ToggleDealRun(); });
  for (const ClearancePanel& panel : ClearancePanels()) {
    connect(Named<QPushButton>((c.*panel.button).name), &QPushButton::clicked, this,
            [&panel] { ToggleClearanceRun(panel); });
  }
  connect(Named<QPushButton>(c.搜索按钮.name), &QPushButton::clicked, this, [] { ToggleSearch(); });

  // Every check box: the click toggles its mark, and the control learns it at once.
  for (CheckBox* box : c.CheckBoxes()) {
    connect(Named<QCheckBox>(box->name), &QCheckBox::clicked, this,
            [box](bool checked) { box->UserSetChecked(checked); });
  }
  CheckBox* const channels[] = {&c.九块邮选择框, &c.聚划算选择框, &c.卷皮折扣选择框,
                                &c.天天特价选择框};
  for (int channel = 0; channel < 4; ++channel) {
    Named<WrappingCheckBox>(channels[channel]->name)->onRightPress = [channel] {
      OpenChannelHome(channel);
    };
  }

  // Edit boxes: typed text goes into the control as it changes.
  for (EditBox* box : c.EditBoxes()) {
    connect(Named<QLineEdit>(box->name), &QLineEdit::textChanged, this,
            [this, box](const QString& text) {
              if (applying_ == 0) box->UserSetText(ToGbk(text));
            });
  }
  Named<SpinArrows>(std::string(c.折扣编辑框.name) + "箭头")->onStep = [](int step) {
    StepDiscountLimit(step);
  };
  auto* price = Named<HookedLineEdit>(c.价格编辑框.name);
  Named<SpinArrows>(std::string(c.价格编辑框.name) + "箭头")->onStep = [price](int step) {
    StepPriceLimit(*price, step);
  };
  price->onFocusOut = [price] {
    price->setText(FromGbk(PriceLimitAfterEditing(ToGbk(price->text()))));
  };
  Named<HookedLineEdit>(c.编辑框2.name)->onKeyPress = [](const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) StartSearch();
  };

  // The about label shows on the first page only.
  auto* about = Named<ClickLabel>("标签1");
  about->onLeftPress = [this] { ShowAuthorContact(this); };
  connect(tabs_, &QTabWidget::currentChanged, about,
          [about](int page) { about->setVisible(page == 0); });

  for (ListView& list : lists_) {
    ReportList* control = list.list;
    connect(list.view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [control](int column) { StartSortByColumn(*control, column); });
    list.view->viewport()->installEventFilter(new DoubleClickFilter(*control, list.view));
    connect(list.view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, &list] {
              if (applying_ == 0) list.list->UserSelectRow(list.view->SelectedRow());
            });
  }

  connect(log_, &QPlainTextEdit::textChanged, this, [this] { LogEditedByUser(); });
}
