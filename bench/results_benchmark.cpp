// Sorting and searching 100,000 rows of the main list (keys read row by row, one reorder step;
// each row's cells read in one step and matching rows copied).
#include <benchmark/benchmark.h>

#include "app/controls/controls.h"
#include "results/column_sort.h"
#include "results/keyword_search.h"
#include "text/text_numbers.h"

namespace {

constexpr int kRows = 100000;

void FillMainList() {
  ReportList& list = Controls().超级列表框1;
  list.DeleteAllRows();
  for (int i = 0; i < kRows; ++i) {
    const int price = (i * 7919) % 600;
    list.AppendNumberedRow(
        Cells{"", (i % 10 == 0 ? "夏季新款连衣裙 " : "男士纯棉短袖T恤 ") + IntToText(i),
              IntToText(price * 2) + ".9", IntToText(price) + ".9", RealToText((i % 100) / 10.0),
              "九块邮", "http://item.market.example/item.htm?id=" + IntToText(i)});
  }
}

void BM_SortByPrice(benchmark::State& state) {
  FillMainList();
  ReportList& list = Controls().超级列表框1;
  int column = 3;
  for (auto _ : state) {
    SortByColumn(list, column);
    column = column == 3 ? 0 : 3;  // each round reorders for real
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortByPrice)->Unit(benchmark::kMillisecond);

void BM_SearchKeyword(benchmark::State& state) {
  FillMainList();
  Controls().编辑框2.WriteText("连衣裙");
  for (auto _ : state) {
    StartSearch();
    AwaitSearches();
  }
  state.counters["found"] = Controls().超级列表框2.RowCount();
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SearchKeyword)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
