// The start of the program: the first log entry, and the update notice against the sample
// marketplace's version endpoint, both through its message-box seam and as the real box that
// must leave the window usable.
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <thread>

#include "app/controls/controls.h"
#include "app/window/program.h"
#include "app/window/window_look.h"
#include "gui_test_support.h"

namespace {
// Runs UpdateNotice on a thread of its own and keeps the event loop going until it returns.
bool RunUpdateNotice(int timeoutMs = 15000) {
  std::atomic<bool> done{false};
  std::thread check([&done] {
    UpdateNotice();
    done = true;
  });
  const bool finished = QTest::qWaitFor([&done] { return done.load(); }, timeoutMs);
  if (finished) {
    check.join();
  } else {
    check.detach();
  }
  return finished;
}

QMessageBox* OpenMessageBox() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) return box;
  }
  return nullptr;
}
}  // namespace

class StartUpTest : public QObject {
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

  // First, so that the check it starts is over before the others run.
  void readySetsVersionWritesStartEntryAndChecks() {
    DesktopRecorder desktop;
    SampleMarket market({QStringLiteral("--version-answer"), QStringLiteral("1.21")});
    QVERIFY(market.Started());
    MainWindowReady(*window_);
    QVERIFY(CurrentVersion() == "1.20");
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    QTRY_VERIFY(!log->toPlainText().isEmpty());
    // The start entry is the log's first line, with no line break before it.
    const Text content = Controls().编辑框1.Content();
    QVERIFY2(content.starts_with("[") && content.ends_with("]启动软件") &&
                 content.find('\n') == Text::npos && content.find('\r') == Text::npos,
             Printable(content).constData());
    QCOMPARE(log->blockCount(), 1);
    QVERIFY(log->toPlainText().startsWith(u'['));
    // The newer version is reported once.
    QTRY_COMPARE_WITH_TIMEOUT(desktop.boxes.size(), std::size_t{1}, 15000);
    QTest::qWait(100);
    QCOMPARE(desktop.boxes.size(), std::size_t{1});
  }

  void noticeOnlyForNewerVersion_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("shown");
    QTest::newRow("1.21") << "1.21" << true;
    QTest::newRow("1.20") << "1.20" << false;
    QTest::newRow("1.2") << "1.2" << false;
    QTest::newRow("1.20000005 is within 1e-7") << "1.20000005" << false;
    QTest::newRow("1.2000002 is beyond 1e-7") << "1.2000002" << true;
    QTest::newRow("older 1.10") << "1.10" << false;
    QTest::newRow("leading spaces") << "   1.30" << true;
    QTest::newRow("text after the number") << "1.30 beta" << true;
    QTest::newRow("letters first") << "version 1.30" << false;
    QTest::newRow("empty") << "" << false;
  }

  void noticeOnlyForNewerVersion() {
    QFETCH(QString, answer);
    QFETCH(bool, shown);
    DesktopRecorder desktop;
    SampleMarket market({QStringLiteral("--version-answer"), answer});
    QVERIFY(market.Started());
    const Text logBefore = Controls().编辑框1.Content();
    QVERIFY(RunUpdateNotice());
    QCoreApplication::processEvents();
    QCOMPARE(desktop.boxes.size(), std::size_t{shown ? 1u : 0u});
    if (shown) {
      QVERIFY2(desktop.boxes[0].title == "版本有更新", Printable(desktop.boxes[0].title));
      const Text expected =
          "版本有更新!请至http://maker.example/soft/获取最新版本\r\n"
          "或者至downloads-mirror.example获取新版本\r\n";
      QVERIFY2(desktop.boxes[0].text == expected, Printable(desktop.boxes[0].text));
    }
    // The check logs nothing, whatever the answer.
    QVERIFY(Controls().编辑框1.Content() == logBefore);
  }

  void noServerShowsAndLogsNothing() {
    DesktopRecorder desktop;
    DeadProxy proxy;
    QVERIFY(RunUpdateNotice());
    QCoreApplication::processEvents();
    QVERIFY(desktop.boxes.empty());
    QVERIFY(Controls().编辑框1.Content().empty());
  }

  void realBoxLeavesWindowUsable() {
    SampleMarket market({QStringLiteral("--version-answer"), QStringLiteral("1.21")});
    QVERIFY(market.Started());
    std::atomic<bool> done{false};
    std::thread check([&done] {
      UpdateNotice();
      done = true;
    });
    QMessageBox* box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = OpenMessageBox()) != nullptr, 15000);
    QCOMPARE(box->windowTitle(), QStringLiteral("版本有更新"));
    QVERIFY(box->text().startsWith(QStringLiteral("版本有更新!请至http://maker.example/soft/")));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->windowModality(), Qt::NonModal);
    // The window goes on answering while the box is open, and the check waits for it.
    auto* price = Widget<QCheckBox>(*window_, QStringLiteral("价格选择框"));
    QTest::mouseClick(price, Qt::LeftButton, {}, QPoint(5, price->height() / 2));
    QVERIFY(Controls().价格选择框.ReadChecked());
    QTest::qWait(50);
    QVERIFY(!done);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(done);
    check.join();
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
