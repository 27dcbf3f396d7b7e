#include "print_items.h"

#include <iconv.h>

#include "categories.h"
#include "goods.h"

namespace {

// GBK to UTF-8; a byte that does not convert becomes '?', so a bad page shows in the output.
std::string ToUtf8(const std::string& gbk) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) return gbk;
  std::string out(gbk.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(gbk.data());
  std::size_t in_left = gbk.size();
  char* to = out.data();
  std::size_t to_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in, &in_left, &to, &to_left) == static_cast<std::size_t>(-1)) {
      if (to_left == 0) break;
      *to++ = '?';
      --to_left;
      ++in;
      --in_left;
    }
  }
  out.resize(out.size() - to_left);
  iconv_close(cd);
  return out;
}

bool PrintPage(const MarketPage& page, std::FILE* out) {
  for (const TruthRow& row : page.items) {
    std::string line = TruthLine(row) + "\n";
    if (std::fwrite(line.data(), 1, line.size(), out) != line.size()) return false;
  }
  return true;
}

}  // namespace

std::string TruthLine(const TruthRow& row) {
  std::string line = ToUtf8(row.source) + "\t" + Decimal(row.page);
  for (const std::string* field :
       {&row.title, &row.original_price, &row.price, &row.discount, &row.link}) {
    line += "\t" + ToUtf8(*field);
  }
  line += row.plausible ? "\tyes" : "\tno";
  return line;
}

int PrintItems(std::uint64_t seed, std::FILE* out) {
  bool ok = true;
  for (int p = 1; p <= kNineYuanPages; ++p) ok = ok && PrintPage(BuildNineYuanPage(seed, p), out);
  for (int p = 1; p <= kGroupBuyPages; ++p) ok = ok && PrintPage(BuildGroupBuyPage(seed, p), out);
  for (int p = 1; p <= kDiscountShopPages; ++p) {
    ok = ok && PrintPage(BuildDiscountShopPage(seed, p), out);
  }
  for (int list = 1; list <= 2; ++list)
    ok = ok && PrintPage(BuildDailySpecialsPage(seed, list), out);
  for (const FeedCategory& c : FeedCategories()) {
    for (int p = 1; p <= ClearancePageCount(c.id); ++p) {
      ok = ok && PrintPage(BuildClearanceFeed(seed, c.id, p, ""), out);
    }
  }
  return ok && std::fflush(out) == 0 ? 0 : 1;
}
