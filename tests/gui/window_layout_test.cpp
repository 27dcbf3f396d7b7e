// The window's frame, every control's container, place, size and caption, the look of the
// result lists and the states the window opens with.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "app/window/window_look.h"
#include "gui_test_support.h"

namespace {
// The category captions of the three clearance pages in run order, as the panels list them.
const QStringList kDay1 = {
    QStringLiteral("厨房用具"), QStringLiteral("居家日用"), QStringLiteral("精品女装"),
    QStringLiteral("精品女鞋"), QStringLiteral("热门箱包"), QStringLiteral("服饰配件"),
    QStringLiteral("流行配饰"), QStringLiteral("运动包"),   QStringLiteral("运动鞋"),
    QStringLiteral("运动服"),   QStringLiteral("户外旅行"), QStringLiteral("运动用品"),
    QStringLiteral("彩妆香水"), QStringLiteral("美发护发"), QStringLiteral("美容护肤")};
const QStringList kDay2 = {
    QStringLiteral("玩具早教"), QStringLiteral("童装童鞋"), QStringLiteral("孕妇用品"),
    QStringLiteral("婴儿用品"), QStringLiteral("住宅家具"), QStringLiteral("家装主材"),
    QStringLiteral("五金工具"), QStringLiteral("电子电工"), QStringLiteral("家居饰品"),
    QStringLiteral("大家电"),   QStringLiteral("厨房电器"), QStringLiteral("影音电器"),
    QStringLiteral("生活电器"), QStringLiteral("汽车用品")};
const QStringList kNight = {
    QStringLiteral("居家床品"), QStringLiteral("个人护理"), QStringLiteral("洗护清洁"),
    QStringLiteral("都市型男"), QStringLiteral("流行男鞋"), QStringLiteral("零食特产"),
    QStringLiteral("冲饮茶艺"), QStringLiteral("粮油干货"), QStringLiteral("水产蔬果"),
    QStringLiteral("纯粮酿造"), QStringLiteral("滋补佳品"), QStringLiteral("舒适内衣"),
    QStringLiteral("鲜花绿植"), QStringLiteral("教育培训"), QStringLiteral("家有爱宠")};
}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ApplyWindowLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
  }
  void init() {
    window_ = OpenWindow();
    QVERIFY(window_ != nullptr);
  }
  void cleanup() { window_.reset(); }

  void frameIsFixedAndHasNoMaximiseButton() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Deal Harvester 1.20"));
    QCOMPARE(window_->minimumSize(), MainWindow::ClientSize());
    QCOMPARE(window_->maximumSize(), MainWindow::ClientSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    // Every control of the layout lies inside the client area.
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isWindow()) continue;
      QVERIFY2(window_->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
  }

  void places_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");     // the widget it is a child of
    QTest::addColumn<QString>("container");  // the widget its place counts from
    QTest::addColumn<QRect>("place");
    const QString window = QString();
    const QString tabs = QStringLiteral("选择夹1");
    struct Row {
      QString name, parent, container;
      QRect place;
    };
    std::vector<Row> rows = {
        {QStringLiteral("图片框1"), window, window, {14, 9, 152, 31}},
        {tabs, window, window, {170, 7, 416, 103}},
        {QStringLiteral("分组框1"), window, window, {15, 35, 152, 56}},
        {QStringLiteral("标签2"), window, window, {16, 90, 80, 24}},
        {QStringLiteral("编辑框2"), window, window, {43, 91, 63, 20}},
        {QStringLiteral("搜索按钮"), window, window, {109, 92, 56, 20}},
        {QStringLiteral("分组框3"), window, window, {13, 109, 577, 206}},
        {QStringLiteral("超级列表框2"), window, window, {19, 123, 565, 178}},
        {QStringLiteral("编辑框1"), window, window, {16, 312, 576, 85}},
        {QStringLiteral("超级列表框1"),
         QStringLiteral("分组框3"),
         QStringLiteral("分组框3"),
         {6, 14, 565, 178}},
        // 超级列表框1 lies exactly under 超级列表框2.
        {QStringLiteral("超级列表框1"), QStringLiteral("分组框3"), window, {19, 123, 565, 178}},
        {QStringLiteral("折扣选择框"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {9, 8, 80, 24}},
        {QStringLiteral("折扣编辑框"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {67, 9, 35, 20}},
        {QStringLiteral("折扣编辑框箭头"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {102, 9, 18, 20}},
        {QStringLiteral("标签3"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {129, 8, 17, 24}},
        {QStringLiteral("价格选择框"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {8, 29, 80, 24}},
        {QStringLiteral("价格编辑框"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {68, 31, 35, 20}},
        {QStringLiteral("价格编辑框箭头"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {103, 31, 18, 20}},
        {QStringLiteral("标签4"),
         QStringLiteral("分组框1"),
         QStringLiteral("分组框1"),
         {129, 26, 10, 24}},
        {QStringLiteral("标签1"), tabs, tabs, {356, 3, 47, 16}},
        {QStringLiteral("分组框4"), QStringLiteral("低价包邮"), tabs, {8, 23, 395, 74}},
        {QStringLiteral("分组框5"), QStringLiteral("年末清仓白天1"), tabs, {8, 20, 395, 78}},
        {QStringLiteral("分组框6"), QStringLiteral("年末清仓白天2"), tabs, {8, 20, 395, 78}},
        {QStringLiteral("分组框2"), QStringLiteral("年末清仓夜场"), tabs, {8, 20, 395, 78}},
        {QStringLiteral("九块邮选择框"),
         QStringLiteral("分组框4"),
         QStringLiteral("分组框4"),
         {8, 10, 72, 35}},
        {QStringLiteral("聚划算选择框"),
         QStringLiteral("分组框4"),
         QStringLiteral("分组框4"),
         {70, 10, 72, 35}},
        {QStringLiteral("卷皮折扣选择框"),
         QStringLiteral("分组框4"),
         QStringLiteral("分组框4"),
         {132, 10, 72, 35}},
        {QStringLiteral("天天特价选择框"),
         QStringLiteral("分组框4"),
         QStringLiteral("分组框4"),
         {208, 9, 72, 35}},
        {QStringLiteral("获取特价列表按钮"),
         QStringLiteral("分组框4"),
         QStringLiteral("分组框4"),
         {311, 15, 73, 47}},
        {QStringLiteral("获取年末清仓白天按钮1"),
         QStringLiteral("分组框5"),
         QStringLiteral("分组框5"),
         {311, 18, 73, 47}},
        {QStringLiteral("获取年末清仓白天按钮2"),
         QStringLiteral("分组框6"),
         QStringLiteral("分组框6"),
         {311, 18, 73, 47}},
        {QStringLiteral("获取年末清仓夜场按钮"),
         QStringLiteral("分组框2"),
         QStringLiteral("分组框2"),
         {311, 18, 73, 47}},
    };
    // Category boxes: rows of four at x 4, 80, 152, 224 and y 9, 24, 40, 56, in run order.
    const int columns[] = {4, 80, 152, 224};
    const int lines[] = {9, 24, 40, 56};
    const std::pair<QString, QStringList> pages[] = {{QStringLiteral("分组框5"), kDay1},
                                                     {QStringLiteral("分组框6"), kDay2},
                                                     {QStringLiteral("分组框2"), kNight}};
    for (const auto& [box, captions] : pages) {
      for (int k = 0; k < captions.size(); ++k) {
        rows.push_back({captions[k] + QStringLiteral("选择框"), box, box,
                        QRect(columns[k % 4], lines[k / 4], 72, 19)});
      }
    }
    for (const Row& row : rows) {
      const QString tag = row.name + QStringLiteral(" in ") +
                          (row.container.isEmpty() ? QStringLiteral("window") : row.container);
      QTest::newRow(tag.toUtf8().constData())
          << row.name << row.parent << row.container << row.place;
    }
  }

  void places() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    auto* widget = Widget<QWidget>(*window_, name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QWidget* origin = container.isEmpty() ? window_.get() : Widget<QWidget>(*window_, container);
    QVERIFY(origin != nullptr);
    QCOMPARE(QRect(widget->mapTo(origin, QPoint(0, 0)), widget->size()), place);
    // Nothing is cut off by its parent (a tab page starts below the row of tabs).
    QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
             qPrintable(QStringLiteral("%1 in %2").arg(name, parent)));
  }

  void captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("获取特价列表按钮"), QStringLiteral("获取列表")},
        {QStringLiteral("获取年末清仓白天按钮1"), QStringLiteral("获取列表")},
        {QStringLiteral("获取年末清仓白天按钮2"), QStringLiteral("获取列表")},
        {QStringLiteral("获取年末清仓夜场按钮"), QStringLiteral("获取列表")},
        {QStringLiteral("搜索按钮"), QStringLiteral("搜索")},
        {QStringLiteral("九块邮选择框"), QStringLiteral("九块邮")},
        {QStringLiteral("聚划算选择框"), QStringLiteral("聚划算")},
        {QStringLiteral("卷皮折扣选择框"), QStringLiteral("卷皮折扣")},
        {QStringLiteral("天天特价选择框"), QStringLiteral("天天特价")},
        {QStringLiteral("折扣选择框"), QStringLiteral("折扣<")},
        {QStringLiteral("价格选择框"), QStringLiteral("价格<")},
        {QStringLiteral("折扣编辑框"), QStringLiteral("2.1")},
        {QStringLiteral("价格编辑框"), QStringLiteral("50")},
        {QStringLiteral("编辑框2"), QString()},
        {QStringLiteral("标签1"), QStringLiteral("&关于作者")},
        {QStringLiteral("标签2"), QStringLiteral("搜索")},
        {QStringLiteral("标签3"), QStringLiteral("折")},
        {QStringLiteral("标签4"), QStringLiteral("元")},
        {QStringLiteral("美容护肤选择框"), QStringLiteral("美容护肤")},
        {QStringLiteral("大家电选择框"), QStringLiteral("大家电")},
    };
    for (const auto& [name, caption] : rows) {
      QTest::newRow(name.toUtf8().constData()) << name << caption;
    }
  }

  void captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget* widget = Widget<QWidget>(*window_, name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    QCOMPARE(text, caption);
  }

  void tabPagesInOrderFirstShown() {
    auto* tabs = Widget<QTabWidget>(*window_, QStringLiteral("选择夹1"));
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), QStringLiteral("低价包邮"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("年末清仓白天1"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("年末清仓白天2"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("年末清仓夜场"));
    QCOMPARE(tabs->currentIndex(), 0);
    // The about label stands right of the last tab, not over it.
    auto* about = Widget<QWidget>(*window_, QStringLiteral("标签1"));
    QVERIFY(tabs->tabBar()->geometry().left() + tabs->tabBar()->tabRect(3).right() <
            about->geometry().left());
  }

  void aboutLabelOnlyOnFirstPage() {
    auto* tabs = Widget<QTabWidget>(*window_, QStringLiteral("选择夹1"));
    auto* about = Widget<QWidget>(*window_, QStringLiteral("标签1"));
    QVERIFY(about->isVisible());
    for (int page : {1, 2, 3}) {
      tabs->setCurrentIndex(page);
      QVERIFY(!about->isVisible());
    }
    tabs->setCurrentIndex(0);
    QVERIFY(about->isVisible());
  }

  void startUpStates() {
    const QStringList checked = {QStringLiteral("九块邮选择框"),   QStringLiteral("聚划算选择框"),
                                 QStringLiteral("卷皮折扣选择框"), QStringLiteral("天天特价选择框"),
                                 QStringLiteral("精品女鞋选择框"), QStringLiteral("大家电选择框"),
                                 QStringLiteral("都市型男选择框")};
    const auto boxes = window_->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 2 + 4 + kDay1.size() + kDay2.size() + kNight.size());
    for (QCheckBox* box : boxes) {
      QVERIFY2(box->isChecked() == checked.contains(box->objectName()),
               qPrintable(box->objectName()));
    }
    QVERIFY(Widget<QTableView>(*window_, QStringLiteral("超级列表框1"))->isVisible());
    QVERIFY(!Widget<QTableView>(*window_, QStringLiteral("超级列表框2"))->isVisible());
    for (const QString& name : {QStringLiteral("超级列表框1"), QStringLiteral("超级列表框2")}) {
      QCOMPARE(Widget<QTableView>(*window_, name)->model()->rowCount(), 0);
    }
    QVERIFY(Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"))->toPlainText().isEmpty());
  }

  void resultListsAreReportViews_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("main") << QStringLiteral("超级列表框1");
    QTest::newRow("search") << QStringLiteral("超级列表框2");
  }

  void resultListsAreReportViews() {
    QFETCH(QString, name);
    auto* view = Widget<QTableView>(*window_, name);
    QVERIFY(view != nullptr);
    const QStringList headers = {
        QStringLiteral("序"),      QStringLiteral("物品名称(双击标题即可打开)"),
        QStringLiteral("原价"),    QStringLiteral("价格"),
        QStringLiteral("折扣"),    QStringLiteral("活动"),
        QStringLiteral("抢购地址")};
    const int widths[] = {32, 306, 57, 51, 36, 62, 0};
    QHeaderView* header = view->horizontalHeader();
    QCOMPARE(view->model()->columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
      QCOMPARE(view->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
      QCOMPARE(header->sectionSize(column), widths[column]);
      QCOMPARE(header->sectionResizeMode(column), QHeaderView::Interactive);
      const auto alignment = view->model()
                                 ->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                                 .value<Qt::Alignment>();
      QVERIFY(alignment & Qt::AlignLeft);
    }
    QVERIFY(header->sectionsClickable());
    QVERIFY(!header->sectionsMovable());
    QVERIFY(!view->isSortingEnabled());
    QVERIFY(!view->verticalHeader()->isVisible());
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(view->showGrid());
  }

  void logBoxWrapsAndScrolls() {
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!log->isReadOnly());
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
