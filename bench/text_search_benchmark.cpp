// Marker searches over a 1 MiB GBK list page, each next to glibc memmem doing the same scan on
// the same buffer. After the runs a table gives each search's time as a multiple of memmem's.
#include <benchmark/benchmark.h>
#include <string.h>  // memmem

#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/find_text.h"
#include "text/text_between.h"

namespace {

constexpr std::size_t kPageSize = 1 << 20;

const char* const kTitles[] = {
    "新款夏季女装纯棉短袖T恤 宽松百搭 包邮", "加厚保暖羽绒服 男士中长款 冬季外套",
    "不锈钢保温杯大容量 500ml 送杯套",       "儿童益智积木玩具 3-6岁 男孩女孩",
    "有机五常大米 5kg 东北新米 真空包装",    "无线蓝牙耳机 超长续航 降噪运动款",
};

// Item blocks of ASCII markup and Chinese titles, as the channels send them, then the page's
// foot with the pagination block; the case-insensitive marker is written in upper case there.
std::string MakePage() {
  std::string page =
      "<html><head><meta charset=\"gbk\"><title>九块邮 - 今日特价</title></head>"
      "<body><ul class=\"deal-list\">\r\n";
  char block[1024];
  for (int item = 0; page.size() < kPageSize - 2048; ++item) {
    std::snprintf(block, sizeof block,
                  "<li class=\"deal-item\"><a href=\"http://item.market.example/item.htm?id=%d\" "
                  "target=\"_blank\"><img src=\"http://img.market.example/%d.jpg\" alt=\"\"/></a>"
                  "\r\n<h3 class=\"title\">%s</h3><span class=\"price\">￥<em>%d.9</em></span>"
                  "<del>原价：%d.00</del><span class=\"discount\">%d.%d折</span>"
                  "<span class=\"tag\">包邮 限时特价</span></li>\r\n",
                  100000 + item, 500000 + item, kTitles[item % 6], 9 + item % 30, 39 + item % 90,
                  1 + item % 9, item % 10);
    page += block;
  }
  page += "</ul><DIV ID=\"Pagination\"><a href=\"/d/jiu?&u=jiu/all/2\">下一页</a></DIV>";
  page += "<div id=\"pagination-end\">共 39 页</div></body></html>";
  page.resize(kPageSize, ' ');
  return page;
}

const std::string& Page() {
  static const std::string page = MakePage();
  return page;
}

// A hostile page: 1 MiB of left markers with the one right marker at the very end.
const std::string& LeftMarkerPage() {
  static const std::string page = [] {
    std::string text;
    while (text.size() < kPageSize - 5) text += "<li>";
    return text + "</ul>";
  }();
  return page;
}

// A hostile page for the character steps: 1 MiB of the target standing on second bytes, the
// one real match at the end.
const std::string& SecondBytePage() {
  static const std::string page = [] {
    std::string text;
    while (text.size() < kPageSize - 9) text += "\xB0<li>";
    return text + "<li>";
  }();
  return page;
}

// The upper-case marker as it stands on the page, and as the readers ask for it.
constexpr std::string_view kExact = "<div id=\"pagination-end\">";
constexpr std::string_view kOnPage = "<DIV ID=\"Pagination\">";
constexpr std::string_view kAsked = "<div id=\"pagination\">";
constexpr std::string_view kTitleLeft = "<h3 class=\"title\">";
constexpr std::string_view kTitleRight = "</h3>";

std::size_t MemmemFirst(std::string_view text, std::string_view target) {
  const void* hit = memmem(text.data(), text.size(), target.data(), target.size());
  return hit == nullptr ? 0 : static_cast<const char*>(hit) - text.data();
}

// Every occurrence, each search going on just after the previous hit.
std::size_t MemmemAll(std::string_view text, std::string_view target) {
  std::size_t count = 0;
  const char* from = text.data();
  const char* end = text.data() + text.size();
  while (const void* hit = memmem(from, end - from, target.data(), target.size())) {
    ++count;
    from = static_cast<const char*>(hit) + target.size();
  }
  return count;
}

struct Pair {
  std::string name;      // the search under test
  std::string baseline;  // memmem on the same buffer and target
};
std::vector<Pair> pairs;

using PageOf = const std::string& (*)();

template <typename F>
void Register(const std::string& name, PageOf page_of, F body) {
  benchmark::RegisterBenchmark(name.c_str(), [page_of, body](benchmark::State& state) {
    const std::string& page = page_of();
    for (auto _ : state) benchmark::DoNotOptimize(body(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * page.size());
  });
}

template <typename F, typename G>
void RegisterPair(const std::string& name, F search, const std::string& baseline, G memmem_body,
                  PageOf page_of = &Page) {
  Register(baseline, page_of, memmem_body);
  Register(name, page_of, search);
  pairs.push_back({name, baseline});
}

void RegisterAll() {
  RegisterPair(
      "FindText/exact/near_end", [](std::string_view p) { return FindText(p, kExact); },
      "memmem/exact/near_end", [](std::string_view p) { return MemmemFirst(p, kExact); });
  RegisterPair(
      "FindText/ignore_case/near_end",
      [](std::string_view p) { return FindText(p, kAsked, 0, true); },
      "memmem/upper_case_marker/near_end",
      [](std::string_view p) { return MemmemFirst(p, kOnPage); });
  RegisterPair(
      "TextBetweenAll/ignore_case/near_end",
      [](std::string_view p) { return TextBetweenAll(p, kAsked, "</div>").size(); },
      "memmem/upper_case_marker/near_end#2",
      [](std::string_view p) { return MemmemFirst(p, kOnPage); });
  RegisterPair(
      "TextBetweenAll/every_title",
      [](std::string_view p) { return TextBetweenAll(p, kTitleLeft, kTitleRight).size(); },
      "memmem/every_title", [](std::string_view p) { return MemmemAll(p, kTitleLeft); });
  RegisterPair(
      "TextBetweenAll/hostile_left_markers",
      [](std::string_view p) { return TextBetweenAll(p, "<li>", "</ul>").size(); },
      "memmem/hostile_left_markers", [](std::string_view p) { return MemmemAll(p, "<li>"); },
      &LeftMarkerPage);
  RegisterPair(
      "FindText/hostile_second_bytes", [](std::string_view p) { return FindText(p, "<li>"); },
      "memmem/hostile_second_bytes", [](std::string_view p) { return MemmemAll(p, "<li>"); },
      &SecondBytePage);
  RegisterPair(
      "FindText/hostile_second_bytes/ignore_case",
      [](std::string_view p) { return FindText(p, "<LI>", 0, true); },
      "memmem/hostile_second_bytes#2", [](std::string_view p) { return MemmemAll(p, "<li>"); },
      &SecondBytePage);
}

// Prints as the console does and keeps each run's real time for the table of ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    std::printf("\nCPU time as a multiple of memmem's on the same 1 MiB page:\n");
    for (const Pair& pair : pairs) {
      const auto search = times_.find(pair.name);
      const auto baseline = times_.find(pair.baseline);
      if (search == times_.end() || baseline == times_.end() || baseline->second <= 0) continue;
      std::printf("  %-40s %6.2fx  (memmem: %s)\n", pair.name.c_str(),
                  search->second / baseline->second, pair.baseline.c_str());
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
