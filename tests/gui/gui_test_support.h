// What the window's tests share: a fresh set of controls and a window over them, the sample
// marketplace on a loopback port with libcurl's proxy pointed at it, and recorders for the
// desktop actions.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <vector>

#include "app/window/main_window.h"
#include "text/text.h"

class QApplication;

// Stops whatever runs, sorts and searches a test left going and puts every control back into
// its start-up state.
void FreshControls();

// FreshControls, then a window over the controls, shown and exposed (offscreen).
std::unique_ptr<MainWindow> OpenWindow();

// A widget of the window by its control name (UTF-8), or null.
template <typename T>
T* Widget(const MainWindow& window, const QString& name) {
  return window.findChild<T*>(name);
}

// The sample marketplace, started with extra switches on a port the system picks and stopped
// when this goes out of scope. While it lives, http_proxy points at it (no_proxy unset), so
// every request of the program goes to it.
class SampleMarket {
 public:
  explicit SampleMarket(const QStringList& switches = {});
  ~SampleMarket();
  bool Started() const { return port_ > 0; }
  int Port() const { return port_; }

 private:
  QProcess process_;
  int port_ = 0;
};

// While it lives, http_proxy points at a loopback port where nothing listens.
class DeadProxy {
 public:
  DeadProxy();
  ~DeadProxy();
};

// Records every URL the window hands to the desktop's open action, and every message box.
class DesktopRecorder {
 public:
  DesktopRecorder();
  ~DesktopRecorder();
  std::vector<QUrl> opened;
  struct Box {
    Text title;
    Text text;
  };
  std::vector<Box> boxes;
};

// A GBK text as UTF-8 for failure messages.
QByteArray Printable(const Text& gbk);
