#include "results/keyword_search.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/controls/controls.h"
#include "text/find_text.h"

namespace {

constexpr std::string_view kSearch = "搜索";
constexpr std::string_view kRestore = "还原";

// The newest search; a search that is no longer the newest ends before its next row.
std::atomic<std::uint64_t> latestSearch{0};

struct Searches {
  std::mutex mutex;
  std::condition_variable ended;
  std::uint64_t endedThrough = 0;
  std::uint64_t started = 0;
};

Searches& TheSearches() {
  static Searches* searches = new Searches;
  return *searches;
}

void EndSearch(std::uint64_t id) {
  Searches& s = TheSearches();
  {
    std::lock_guard lock(s.mutex);
    s.endedThrough = std::max(s.endedThrough, id);
  }
  s.ended.notify_all();
}

// seq numbers the search threads; generation is the value of latestSearch the search belongs to.
void RunSearch(std::uint64_t seq, std::uint64_t generation) {
  WindowControls& c = Controls();
  Searches& s = TheSearches();
  {
    // An earlier search stops at its next row; this one begins once it has.
    std::unique_lock lock(s.mutex);
    s.ended.wait(lock, [&] { return s.endedThrough + 1 >= seq; });
  }
  if (latestSearch == generation) {
    // Rows an ended search appended after the start's clear go too.
    c.超级列表框2.DeleteAllRows();
    const int n = c.超级列表框1.RowCount();
    for (int i = 0; i < n && latestSearch == generation; ++i) {
      // The six cells of a row are read in one step: a sort or clear of the main list can move
      // rows between two reads, never mix the cells of two items.
      const RowCells row = c.超级列表框1.GetRow(i);
      if (!row) continue;
      const Text keyword = c.编辑框2.ReadText();
      if (FindText((*row)[1], keyword) == -1) continue;
      Cells copied = *row;
      c.超级列表框2.AppendNumberedRow(std::move(copied));
    }
  }
  EndSearch(seq);
}

}  // namespace

void StartSearch() {
  WindowControls& c = Controls();
  const std::uint64_t generation = ++latestSearch;
  std::uint64_t seq;
  {
    std::lock_guard lock(TheSearches().mutex);
    seq = ++TheSearches().started;
  }
  c.超级列表框2.DeleteAllRows();
  // Shown here rather than on the search's thread, so that a restore can never be followed by
  // a late show.
  c.超级列表框2.SetVisible(true);
  try {
    std::thread(RunSearch, seq, generation).detach();
  } catch (const std::system_error&) {
    EndSearch(seq);
  }
  c.搜索按钮.WriteCaption(kRestore);
}

void ToggleSearch() {
  WindowControls& c = Controls();
  const Text caption = c.搜索按钮.ReadCaption();
  if (caption == kSearch) {
    StartSearch();
  } else if (caption == kRestore) {
    ++latestSearch;  // the restore ends the search that was going
    c.搜索按钮.WriteCaption(kSearch);
    c.超级列表框2.SetVisible(false);
  }
}

void AwaitSearches() {
  Searches& s = TheSearches();
  std::unique_lock lock(s.mutex);
  s.ended.wait(lock, [&] { return s.endedThrough >= s.started; });
}
