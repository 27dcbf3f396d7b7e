#include "app/controls/change_journal.h"

#include <atomic>
#include <mutex>

namespace {
struct Journal {
  std::mutex mutex;
  std::vector<Change> changes;
  std::mutex listenerMutex;
  std::shared_ptr<std::function<void()>> wake;
  std::atomic<bool> observed{false};
};

// Never destroyed: detached threads may still change controls while the program ends.
Journal& TheJournal() {
  static Journal* journal = new Journal;
  return *journal;
}
}  // namespace

void SetChangeListener(std::function<void()> wake) {
  Journal& j = TheJournal();
  std::lock_guard lock(j.listenerMutex);
  if (wake) {
    j.wake = std::make_shared<std::function<void()>>(std::move(wake));
    j.observed = true;
  } else {
    j.wake.reset();
    j.observed = false;
    std::lock_guard changesLock(j.mutex);
    j.changes.clear();
  }
}

bool ChangesObserved() { return TheJournal().observed.load(std::memory_order_acquire); }

void RecordChange(Change change) {
  Journal& j = TheJournal();
  if (!j.observed.load(std::memory_order_acquire)) return;
  std::lock_guard lock(j.mutex);
  j.changes.push_back(std::move(change));
}

void WakeChangeListener() {
  Journal& j = TheJournal();
  if (!j.observed.load(std::memory_order_acquire)) return;
  std::shared_ptr<std::function<void()>> wake;
  {
    std::lock_guard lock(j.listenerMutex);
    wake = j.wake;
  }
  if (wake) (*wake)();
}

std::vector<Change> TakeChanges() {
  Journal& j = TheJournal();
  std::vector<Change> taken;
  std::lock_guard lock(j.mutex);
  taken.swap(j.changes);
  return taken;
}
