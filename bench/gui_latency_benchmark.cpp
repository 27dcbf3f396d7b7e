// The window under load: while another thread appends rows to 超级列表框1 as fast as it can, a
// probe timer on the GUI thread measures how late it fires (the event latency a user would
// feel); then the resident memory of the program holding 100,000 rows in the controls and the
// window's mirror. Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
// Last, a sort of 100,000 rows until the window shows it.
// Usage: gui_latency_benchmark [rounds]   Budgets: p99 latency < 16 ms, 100,000 rows < 150 MB,
// sorting them < 250 ms.
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/controls/controls.h"
#include "app/window/main_window.h"
#include "app/window/window_look.h"
#include "results/column_sort.h"
#include "text/gbk.h"

namespace {
Cells RealisticRow(int i) {
  const Text n = std::to_string(i);
  return Cells{n,
               Utf8ToGbk("厂家直销特产精选芒果干 休闲零食 独立小包装 第") + n + Utf8ToGbk("款"),
               "72.9",
               "12.5",
               "1.7",
               Utf8ToGbk("九块邮"),
               "http://item.market.example/item.htm?id=" + std::to_string(100000000 + i)};
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t index =
      std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()));
  return values[index];
}

// Keeps the event loop going until done() or the limit.
template <typename Done>
void RunEventsUntil(Done done, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ApplyWindowLook(app);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  constexpr int kRows = 20000;
  constexpr int kProbeMs = 2;

  const long baseline = ResidentKilobytes();
  auto window = std::make_unique<MainWindow>();
  window->show();
  auto* view = window->findChild<QTableView*>(QString::fromStdString(GbkToUtf8("超级列表框1")));
  ReportList& list = Controls().超级列表框1;

  // The probe: each tick records how much later than its interval it came.
  std::vector<double> lateness;
  QElapsedTimer clock;
  clock.start();
  qint64 last = clock.nsecsElapsed();
  bool probing = false;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (probing) lateness.push_back(std::max(0.0, (now - last) / 1e6 - kProbeMs));
    last = now;
  });
  probe.start(kProbeMs);

  double catchUpMs = 0;
  for (int round = 0; round < rounds; ++round) {
    list.DeleteAllRows();
    RunEventsUntil([&] { return view->model()->rowCount() == 0; }, 2000);
    RunEventsUntil([] { return false; }, 50);
    last = clock.nsecsElapsed();
    probing = true;
    QElapsedTimer roundClock;
    roundClock.start();
    std::atomic<bool> appended{false};
    std::thread producer([&] {
      for (int i = 1; i <= kRows; ++i) list.AppendRow(RealisticRow(i));
      appended = true;
    });
    RunEventsUntil([&] { return appended && view->model()->rowCount() == kRows; }, 30000);
    catchUpMs = std::max(catchUpMs, roundClock.nsecsElapsed() / 1e6);
    // Scrolling through the rows while they are there: the user's view of the list.
    for (int i = 0; i < 20; ++i) {
      view->scrollTo(view->model()->index((i * 997) % kRows, 1));
      RunEventsUntil([] { return false; }, 5);
    }
    probing = false;
    producer.join();
  }
  std::printf(
      "GUI event latency while %d rows are appended from another thread (%d rounds, "
      "%zu probes of %d ms)\n",
      kRows, rounds, lateness.size(), kProbeMs);
  std::printf("  p50 %.3f ms   p99 %.2f ms   max %.2f ms   (budget p99 < 16 ms)\n",
              Percentile(lateness, 0.50), Percentile(lateness, 0.99), Percentile(lateness, 1.0));
  std::printf("  slowest round until the mirror held every row: %.1f ms\n", catchUpMs);

  // Memory with 100,000 rows in the control and its mirror.
  list.DeleteAllRows();
  constexpr int kManyRows = 100000;
  for (int i = 1; i <= kManyRows; ++i) list.AppendRow(RealisticRow(i));
  RunEventsUntil([&] { return view->model()->rowCount() == kManyRows; }, 30000);
  view->scrollToBottom();
  RunEventsUntil([] { return false; }, 100);
  const long resident = ResidentKilobytes();
  std::printf(
      "Resident memory with %d rows: %.1f MB (%.1f MB before the window; budget < 150 MB)\n",
      view->model()->rowCount(), resident / 1024.0, baseline / 1024.0);

  // Sorting 100,000 rows, the window's list included: from the header click until the mirror
  // shows the new order. The rows come in descending running numbers; the sort by 序 reverses
  // them.
  list.DeleteAllRows();
  RunEventsUntil([&] { return view->model()->rowCount() == 0; }, 2000);
  for (int i = 0; i < kManyRows; ++i) list.AppendRow(RealisticRow(kManyRows - i));
  RunEventsUntil([&] { return view->model()->rowCount() == kManyRows; }, 30000);
  auto firstNumber = [&] { return view->model()->index(0, 0).data().toString(); };
  QElapsedTimer sortClock;
  sortClock.start();
  StartSortByColumn(list, 0);
  RunEventsUntil([&] { return firstNumber() == "1"; }, 30000);
  std::printf("Sorting %d rows, keys read, reorder and the window's list updated: %.1f ms "
              "(budget < 250 ms)\n",
              kManyRows, sortClock.nsecsElapsed() / 1e6);
  window.reset();
  return 0;
}
