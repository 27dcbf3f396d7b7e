#include "results/column_sort.h"

#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "text/text_numbers.h"

namespace {

// One gate per list: a later sort of a list waits until the earlier one has reordered, so that
// no reorder ever orders by a mix of two sorts' keys.
std::mutex& SortGate(const ReportList& list) {
  static std::mutex* mapMutex = new std::mutex;
  static auto* gates = new std::map<const ReportList*, std::mutex>;
  std::lock_guard lock(*mapMutex);
  return (*gates)[&list];
}

}  // namespace

int CompareSortKeys(int a, int b) { return (a > b) - (a < b); }

void SortByColumn(ReportList& list, int column) {
  std::lock_guard gate(SortGate(list));
  const int n = list.RowCount();
  for (int r = 0; r < n; ++r) list.WriteSortValue(r, TextToInt(list.GetCell(r, column)));
  list.ReorderRows(CompareSortKeys);
}

void StartSortByColumn(ReportList& list, int column) {
  try {
    std::thread(SortByColumn, std::ref(list), column).detach();
  } catch (const std::system_error&) {
    // No thread, no sort: the list stays as it is.
  }
}
