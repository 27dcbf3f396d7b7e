#include "gui_test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "app/controls/controls.h"
#include "app/window/desktop_actions.h"
#include "results/keyword_search.h"
#include "text/gbk.h"

void FreshControls() {
  WindowControls& c = Controls();
  for (Button* button : {&c.获取特价列表按钮, &c.获取年末清仓夜场按钮}) {
    button->StopRuns("获取列表");
    button->AwaitRunsFinished();
  }
  AwaitSearches();
  c.Reset();
}

std::unique_ptr<MainWindow> OpenWindow() {
  FreshControls();
  auto window = std::make_unique<MainWindow>();
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  return window;
}

namespace {
void PointProxyAt(int port) {
  const QByteArray address = "http://127.0.0.1:" + QByteArray::number(port);
  qputenv("http_proxy", address);
  qunsetenv("no_proxy");
  qunsetenv("NO_PROXY");
}

QString SampleMarketProgram() {
  return QDir(QString::fromLocal8Bit(qgetenv("DH_BUILD_DIR")))
      .filePath(QStringLiteral("sample-market"));
}
}  // namespace

SampleMarket::SampleMarket(const QStringList& switches) {
  QTemporaryDir dir;
  const QString portFile = dir.filePath(QStringLiteral("port"));
  QStringList arguments = {QStringLiteral("--port"), QStringLiteral("0"),
                           QStringLiteral("--port-file"), portFile};
  arguments += switches;
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // A test that is killed (a timeout) takes its server with it.
  process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process_.start(SampleMarketProgram(), arguments);
  if (!process_.waitForStarted(5000)) return;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 10000 && process_.state() == QProcess::Running) {
    QFile file(portFile);
    if (file.open(QIODevice::ReadOnly)) {
      const int port = file.readAll().trimmed().toInt();
      if (port > 0) {
        port_ = port;
        break;
      }
    }
    QTest::qWait(10);
  }
  if (port_ > 0) PointProxyAt(port_);
}

SampleMarket::~SampleMarket() {
  qunsetenv("http_proxy");
  if (process_.state() != QProcess::NotRunning) {
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
      process_.kill();
      process_.waitForFinished(3000);
    }
  }
}

DeadProxy::DeadProxy() {
  // A port that was just free and is closed again: connections to it are refused.
  int port = 9;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd >= 0) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port = ntohs(address.sin_port);
    }
    ::close(fd);
  }
  PointProxyAt(port);
}

DeadProxy::~DeadProxy() { qunsetenv("http_proxy"); }

DesktopRecorder::DesktopRecorder() {
  SetUrlOpener([this](const QUrl& url) { opened.push_back(url); });
  SetMessageBoxHook([this](const Text& title, const Text& text) {
    boxes.push_back({title, text});
  });
}

DesktopRecorder::~DesktopRecorder() {
  SetUrlOpener({});
  SetMessageBoxHook({});
}

QByteArray Printable(const Text& gbk) { return QByteArray::fromStdString(GbkToUtf8(gbk)); }
