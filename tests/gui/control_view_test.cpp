// The window as a view of the controls: changes made on other threads arrive in order, bursts
// of appends reach the list's mirror in one insertion, and the mirror always ends up equal to
// the control it shows.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <thread>

#include "app/controls/activity_log.h"
#include "app/controls/controls.h"
#include "app/window/qt_text.h"
#include "app/window/window_look.h"
#include "gui_test_support.h"

namespace {
Cells Numbered(int i) {
  const Text n = std::to_string(i);
  return Cells{n, "item " + n, n, n, "1", "九块邮", "http://item.market.example/i?id=" + n};
}

// Every row and cell of the mirror equals the control's.
bool MirrorEquals(const QAbstractItemModel& model, ReportList& list) {
  if (model.rowCount() != list.RowCount()) return false;
  for (int row = 0; row < model.rowCount(); ++row) {
    for (int column = 0; column < 7; ++column) {
      if (model.index(row, column).data().toString() != FromGbk(list.GetCell(row, column))) {
        return false;
      }
    }
  }
  return true;
}
}  // namespace

class ControlViewTest : public QObject {
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

  void burstOfAppendsIsOneInsertion() {
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QSignalSpy inserted(view->model(), &QAbstractItemModel::rowsInserted);
    // The GUI thread drains nothing while the other thread appends.
    std::thread producer([] {
      for (int i = 1; i <= 2000; ++i) Controls().超级列表框1.AppendRow(Numbered(i));
    });
    producer.join();
    QTRY_COMPARE(view->model()->rowCount(), 2000);
    QCOMPARE(inserted.count(), 1);
    QVERIFY(MirrorEquals(*view->model(), Controls().超级列表框1));
  }

  void changesOfOtherThreadsArriveInOrder() {
    ReportList& list = Controls().超级列表框1;
    std::thread producer([&list] {
      for (int i = 1; i <= 5; ++i) list.AppendRow(Numbered(i));
      list.DeleteAllRows();
      for (int i = 11; i <= 13; ++i) list.AppendRow(Numbered(i));
      list.SetCell(1, 1, "changed");
      list.SetCell(7, 1, "no such row");
      Controls().超级列表框2.SetVisible(true);
      Controls().九块邮选择框.WriteCaption("九块邮[3]");
      Controls().获取特价列表按钮.WriteCaption("暂停获取");
      Controls().折扣编辑框.WriteText("1.5");
    });
    producer.join();
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("11"));
    QCOMPARE(view->model()->index(1, 1).data().toString(), QStringLiteral("changed"));
    QVERIFY(MirrorEquals(*view->model(), list));
    QVERIFY(Widget<QTableView>(*window_, QStringLiteral("超级列表框2"))->isVisible());
    QCOMPARE(Widget<QCheckBox>(*window_, QStringLiteral("九块邮选择框"))->text(),
             QStringLiteral("九块邮[3]"));
    QCOMPARE(Widget<QPushButton>(*window_, QStringLiteral("获取特价列表按钮"))->text(),
             QStringLiteral("暂停获取"));
    QCOMPARE(Widget<QLineEdit>(*window_, QStringLiteral("折扣编辑框"))->text(),
             QStringLiteral("1.5"));
  }

  void reorderMovesRowsAndSelection() {
    ReportList& list = Controls().超级列表框1;
    const int keys[] = {30, 10, 20};
    for (int i = 0; i < 3; ++i) {
      list.AppendRow(Numbered(i + 1));
      list.WriteSortValue(i, keys[i]);
    }
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(view->model()->rowCount(), 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 1)).center());
    QCOMPARE(list.SelectedRow(), 0);
    list.ReorderRows([](int a, int b) { return a < b ? -1 : a > b ? 1 : 0; });
    QTRY_COMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("2"));
    QVERIFY(MirrorEquals(*view->model(), list));
    QCOMPARE(view->selectionModel()->selectedRows().value(0).row(), 2);
    QCOMPARE(list.SelectedRow(), 2);
  }

  void clearedListHasNoSelection() {
    ReportList& list = Controls().超级列表框1;
    list.AppendRow(Numbered(1));
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(view->model()->rowCount(), 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 1)).center());
    list.DeleteAllRows();
    list.AppendRow(Numbered(2));
    QTRY_COMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("2"));
    QVERIFY(view->selectionModel()->selectedRows().isEmpty());
    QCOMPARE(list.SelectedRow(), -1);
  }

  void logFollowsItsEnd() {
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    std::thread writer([] {
      for (int i = 0; i < 300; ++i) ActivityLog("第" + std::to_string(i) + "页");
    });
    writer.join();
    QTRY_VERIFY(log->toPlainText().endsWith(QStringLiteral("第299页")));
    // CR LF is one line break: one block per entry, the first line holding the first entry.
    QCOMPARE(log->blockCount(), 301);
    QCOMPARE(log->toPlainText(), FromGbk(Controls().编辑框1.Content())
                                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QScrollBar* bar = log->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
  }

  void windowShowsStatesItOpensOver() {
    window_.reset();
    Controls().超级列表框1.AppendRow(Numbered(1));
    Controls().超级列表框1.AppendRow(Numbered(2));
    Controls().超级列表框1.UserSelectRow(1);
    Controls().编辑框1.Append("earlier");
    Controls().价格选择框.SetChecked(true);
    MainWindow window;
    auto* view = Widget<QTableView>(window, QStringLiteral("超级列表框1"));
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(view->selectionModel()->selectedRows().value(0).row(), 1);
    QCOMPARE(Widget<QPlainTextEdit>(window, QStringLiteral("编辑框1"))->toPlainText(),
             QStringLiteral("earlier"));
    QVERIFY(Widget<QCheckBox>(window, QStringLiteral("价格选择框"))->isChecked());
    // Nothing that happened before the window is applied twice.
    QTest::qWait(20);
    QCOMPARE(view->model()->rowCount(), 2);
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ControlViewTest)
#include "control_view_test.moc"
