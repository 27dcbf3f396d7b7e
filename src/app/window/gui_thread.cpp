#include "app/window/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <mutex>

namespace {
struct Gate {
  std::mutex mutex;
  bool open = false;
};

// Never destroyed: detached threads may still try to post while the program ends.
Gate& TheGate() {
  static Gate* gate = new Gate;
  return *gate;
}
}  // namespace

bool PostToGui(std::function<void()> task) {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  QCoreApplication* app = QCoreApplication::instance();
  if (!gate.open || app == nullptr) return false;
  QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
  return true;
}

void OpenGuiGate() {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  gate.open = true;
}

void CloseGuiGate() {
  Gate& gate = TheGate();
  std::lock_guard lock(gate.mutex);
  gate.open = false;
}
