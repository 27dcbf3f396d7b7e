// deal-harvester-cli: a harvest without the window, on the same procedures. It creates the
// controls in their start-up states, applies its options to them as a user would, runs, waits
// and prints the rows (stdout) and the activity log (stderr), UTF-8.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/controls/controls.h"
#include "clearance/clearance_run.h"
#include "deals/deal_run.h"
#include "results/column_sort.h"
#include "results/keyword_search.h"
#include "text/gbk.h"
#include "text/text_pieces.h"

namespace {

constexpr const char* kUsage =
    "usage: deal-harvester-cli {deals [--channels LIST] | clearance PANEL [--categories LIST]} "
    "[--price-below N] [--discount-below X] [--sort COL] [--search KEYWORD]";

struct Options {
  bool clearance = false;
  const ClearancePanel* panel = nullptr;
  std::optional<std::string> list;  // --channels or --categories, UTF-8
  std::optional<std::string> priceBelow;
  std::optional<std::string> discountBelow;
  int sortColumn = -1;
  std::optional<std::string> keyword;
};

[[noreturn]] void UsageError(const std::string& why) {
  std::fprintf(stderr, "deal-harvester-cli: %s; %s\n", why.c_str(), kUsage);
  std::exit(2);
}

std::vector<std::string> SplitCommas(const std::string& list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = list.find(',', start);
    const std::size_t end = comma == std::string::npos ? list.size() : comma;
    if (end > start) names.push_back(list.substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

bool IsWholeNumber(const std::string& s, bool allowPoint) {
  if (s.empty()) return false;
  bool digit = false, point = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char ch = s[i];
    if (ch >= '0' && ch <= '9') {
      digit = true;
    } else if (ch == '-' && i == 0) {
    } else if (ch == '.' && allowPoint && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  if (argc < 2) UsageError("a sub-command is needed");
  const std::string command = argv[1];
  int i = 2;
  if (command == "deals") {
  } else if (command == "clearance") {
    o.clearance = true;
    if (argc < 3 || argv[2][0] == '-') UsageError("clearance needs a PANEL");
    const Text page = Utf8ToGbk(argv[2]);
    for (const ClearancePanel& panel : ClearancePanels()) {
      if (page == panel.page) o.panel = &panel;
    }
    if (!o.panel) UsageError(std::string("unknown panel: ") + argv[2]);
    i = 3;
  } else {
    UsageError("unknown sub-command: " + command);
  }
  for (; i < argc; ++i) {
    const std::string option = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) UsageError(option + " needs a value");
      return argv[++i];
    };
    if (option == (o.clearance ? "--categories" : "--channels")) {
      o.list = value();
    } else if (option == "--price-below") {
      o.priceBelow = value();
      if (!IsWholeNumber(*o.priceBelow, false)) UsageError("--price-below takes a whole number");
    } else if (option == "--discount-below") {
      o.discountBelow = value();
      if (!IsWholeNumber(*o.discountBelow, true)) UsageError("--discount-below takes a number");
    } else if (option == "--sort") {
      const std::string col = value();
      if (col.size() != 1 || col[0] < '0' || col[0] > '6') UsageError("--sort takes 0 to 6");
      o.sortColumn = col[0] - '0';
    } else if (option == "--search") {
      o.keyword = value();
    } else {
      UsageError("unknown option: " + option);
    }
  }
  return o;
}

// The boxes named in list are checked, the others of that page unchecked.
void ApplyList(const std::string& list, const std::vector<std::pair<Text, CheckBox*>>& boxes,
               const char* what) {
  std::vector<CheckBox*> chosen;
  for (const std::string& name : SplitCommas(list)) {
    const Text gbk = Utf8ToGbk(name);
    CheckBox* found = nullptr;
    for (const auto& [caption, box] : boxes) {
      if (caption == gbk) found = box;
    }
    if (!found) UsageError(std::string("unknown ") + what + ": " + name);
    chosen.push_back(found);
  }
  for (const auto& [caption, box] : boxes) {
    box->SetChecked(std::find(chosen.begin(), chosen.end(), box) != chosen.end());
  }
}

void PrintList(const ReportList& list) {
  const int n = list.RowCount();
  for (int r = 0; r < n; ++r) {
    RowCells row = list.GetRow(r);
    if (!row) break;
    std::string line;
    for (int col = 0; col < 7; ++col) {
      if (col) line += '\t';
      line += GbkToUtf8((*row)[col]);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
}

// An entry per line; the CR LF that leads the first entry gives no empty line.
void PrintLog(const LogBox& log) {
  const Text content = log.Content();
  for (std::string_view entry : SplitText(content, "\r\n")) {
    if (entry.empty()) continue;
    const std::string line = GbkToUtf8(entry) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  WindowControls& c = Controls();
  const Options o = ParseOptions(argc, argv);

  // Every check of the options comes before the first request.
  std::vector<std::pair<Text, CheckBox*>> boxes;
  if (o.clearance) {
    for (const ClearanceCategory& category : o.panel->categories) {
      boxes.emplace_back(category.caption, &(c.*category.box));
    }
  } else {
    for (const DealChannel& channel : DealChannels()) {
      boxes.emplace_back(channel.name, &(c.*channel.box));
    }
  }
  if (o.list) ApplyList(*o.list, boxes, o.clearance ? "category" : "channel");
  if (o.priceBelow) {
    c.价格选择框.SetChecked(true);
    c.价格编辑框.WriteText(*o.priceBelow);
  }
  if (o.discountBelow) {
    c.折扣选择框.SetChecked(true);
    c.折扣编辑框.WriteText(*o.discountBelow);
  }

  if (o.clearance) {
    ToggleClearanceRun(*o.panel);
    c.获取年末清仓夜场按钮.AwaitRunsFinished();
  } else {
    ToggleDealRun();
    c.获取特价列表按钮.AwaitRunsFinished();
  }
  if (o.sortColumn >= 0) SortByColumn(c.超级列表框1, o.sortColumn);
  if (o.keyword) {
    c.编辑框2.WriteText(Utf8ToGbk(*o.keyword));
    StartSearch();
    AwaitSearches();
    PrintList(c.超级列表框2);
  } else {
    PrintList(c.超级列表框1);
  }
  PrintLog(c.编辑框1);
  std::fflush(stdout);
  return 0;
}
