// A harvest started and stopped from the window against the sample marketplace: rows and log
// entries arrive while the window keeps answering, and the second click stops the run.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/controls/controls.h"
#include "app/window/window_look.h"
#include "gui_test_support.h"

class HarvestWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ApplyWindowLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
  }
  void init() {
    window_ = OpenWindow();
    QVERIFY(window_ != nullptr);
  }
  void cleanup() {
    window_.reset();
    FreshControls();
  }

  void dealButtonStartsAndStopsTheRun() {
    // Each page takes a while, so that the run is still going at the second click.
    SampleMarket market({QStringLiteral("--fault"), QStringLiteral("latency=100")});
    QVERIFY(market.Started());
    auto* button = Widget<QPushButton>(*window_, QStringLiteral("获取特价列表按钮"));
    auto* list = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    // A timer that keeps firing shows the event loop is never held up by the run.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(5);

    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(button->text(), QStringLiteral("暂停获取"));
    QTRY_VERIFY_WITH_TIMEOUT(list->model()->rowCount() >= 20, 20000);
    QTRY_VERIFY(log->blockCount() >= 2);
    QVERIFY(ticks > 0);
    // Rows show what the control holds.
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("1"));
    QVERIFY(!list->model()->index(0, 1).data().toString().isEmpty());

    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(button->text(), QStringLiteral("获取列表"));
    Controls().获取特价列表按钮.AwaitRunsFinished();
    QTRY_COMPARE(list->model()->rowCount(), Controls().超级列表框1.RowCount());
    QCOMPARE(button->text(), QStringLiteral("获取列表"));
    // Stopped means no more rows.
    const int rows = Controls().超级列表框1.RowCount();
    QTest::qWait(200);
    QCOMPARE(Controls().超级列表框1.RowCount(), rows);
  }

  void dealRunToTheEndCountsInCaptions() {
    SampleMarket market;
    QVERIFY(market.Started());
    auto* button = Widget<QPushButton>(*window_, QStringLiteral("获取特价列表按钮"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(Controls().获取特价列表按钮.ReadCaption() == "暂停获取");
    QTRY_VERIFY_WITH_TIMEOUT(Controls().获取特价列表按钮.ReadCaption() == "获取列表", 60000);
    QTRY_COMPARE(button->text(), QStringLiteral("获取列表"));
    auto* list = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(list->model()->rowCount(), Controls().超级列表框1.RowCount());
    QVERIFY2(list->model()->rowCount() > 100, Printable(Controls().编辑框1.Content()).constData());
    auto* nine = Widget<QAbstractButton>(*window_, QStringLiteral("九块邮选择框"));
    QVERIFY2(nine->text().startsWith(QStringLiteral("九块邮[")), qPrintable(nine->text()));
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    QVERIFY(log->toPlainText().contains(QStringLiteral("特价列表获取完毕!")));
  }

  void clearanceButtonOfAnyPageRunsItsPanel() {
    SampleMarket market;
    QVERIFY(market.Started());
    auto* tabs = Widget<QTabWidget>(*window_, QStringLiteral("选择夹1"));
    tabs->setCurrentIndex(2);
    auto* button = Widget<QPushButton>(*window_, QStringLiteral("获取年末清仓白天按钮2"));
    QTest::mouseClick(button, Qt::LeftButton);
    auto* shared = Widget<QPushButton>(*window_, QStringLiteral("获取年末清仓夜场按钮"));
    auto* list = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_VERIFY_WITH_TIMEOUT(list->model()->rowCount() > 0, 20000);
    // Rows of the panel's checked category, 大家电.
    QCOMPARE(list->model()->index(0, 5).data().toString(), QStringLiteral("大家电"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(shared->text(), QStringLiteral("获取列表"));
    QCOMPARE(button->text(), QStringLiteral("获取列表"));
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(HarvestWindowTest)
#include "harvest_window_test.moc"
