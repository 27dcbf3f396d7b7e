#include "faults.h"

#include <cstdlib>

#include "goods.h"
#include "rng.h"

namespace {

enum class Rule { kNone, kMillis, kStatus, kSigned, kToken };

struct FaultKindEntry {
  const char* name;
  FaultKind kind;
  Rule rule;
  const char* shown;  // how the usage text shows it
};

constexpr FaultKindEntry kKinds[] = {
    {"latency", FaultKind::kLatency, Rule::kMillis, "latency=MS"},
    {"stall", FaultKind::kStall, Rule::kNone, "stall"},
    {"stall-body", FaultKind::kStallBody, Rule::kNone, "stall-body"},
    {"reset", FaultKind::kReset, Rule::kNone, "reset"},
    {"status", FaultKind::kStatus, Rule::kStatus, "status=CODE"},
    {"empty", FaultKind::kEmpty, Rule::kNone, "empty"},
    {"garbage", FaultKind::kGarbage, Rule::kNone, "garbage"},
    {"oversize", FaultKind::kOversize, Rule::kNone, "oversize"},
    {"charset", FaultKind::kCharset, Rule::kToken, "charset=NAME"},
    {"nocharset", FaultKind::kNoCharset, Rule::kNone, "nocharset"},
    {"pagecount", FaultKind::kPageCount, Rule::kSigned, "pagecount=N"},
};

constexpr std::size_t kGarbageBytes = 48 * 1024;
constexpr std::size_t kOversizeBytes = 20 * 1024 * 1024;

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool Obeys(Rule rule, std::string_view v) {
  switch (rule) {
    case Rule::kNone:
      return v.empty();
    case Rule::kMillis:
      return AllDigits(v) && v.size() <= 7;
    case Rule::kStatus:
      return AllDigits(v) && v.size() == 3 && v[0] != '0';
    case Rule::kSigned:
      return AllDigits(!v.empty() && (v[0] == '-' || v[0] == '+') ? v.substr(1) : v);
    case Rule::kToken:
      if (v.empty()) return false;
      for (char c : v) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '-' || c == '_' || c == '.' || c == ':';
        if (!ok) return false;
      }
      return true;
  }
  return false;
}

// Random bytes with what breaks careless readers: zero bytes (the first after 4 KiB, so some
// text comes before it), lead bytes before a line feed, and a lead byte as the very last byte.
std::string Garbage(std::uint64_t seed, std::string_view origin) {
  std::uint64_t h = 0;
  for (unsigned char c : origin) h = h * 131 + c;
  Rng rng(StreamKey(seed, "garbage", static_cast<std::int64_t>(h)));
  std::string out(kGarbageBytes, '\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto byte = static_cast<unsigned char>(rng.Next() & 0xFF);
    if (i < 4096 && byte == 0) byte = 0x80;
    out[i] = static_cast<char>(byte);
  }
  out[4096] = '\0';
  for (std::size_t i = 512; i + 1 < out.size(); i += 1021) {
    out[i] = static_cast<char>(0x81);
    out[i + 1] = '\n';
  }
  out.back() = static_cast<char>(0xB0);
  return out;
}

// Page-like text without any item: rows of recommendation tiles as a runaway page repeats them.
const std::string& OversizeFiller() {
  static const std::string filler = [] {
    const std::string row =
        "<div class=\"rec-row\"><span class=\"rec-tip\">猜你喜欢</span><a class=\"rec-more\" "
        "rel=\"nofollow\">换一批</a><p class=\"rec-text\">更多好货正在加载中，请稍候。"
        "</p></div>\n";
    std::string f;
    f.reserve(kOversizeBytes + row.size());
    while (f.size() < kOversizeBytes) f += row;
    return f;
  }();
  return filler;
}

std::string BaseType(std::string_view content_type) {
  std::string_view base = content_type.substr(0, content_type.find(';'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  return std::string(base.empty() ? "text/html" : base);
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text, std::string& error) {
  Fault f{};
  std::size_t at = text.find('@');
  if (at != std::string_view::npos) {
    f.prefix.assign(text.substr(at + 1));
    text = text.substr(0, at);
    if (f.prefix.empty() || f.prefix[0] != '/') {
      error = "a fault's path prefix starts with /";
      return std::nullopt;
    }
  }
  std::size_t eq = text.find('=');
  std::string_view name = text.substr(0, eq);
  std::string_view value = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
  for (const FaultKindEntry& s : kKinds) {
    if (name != s.name) continue;
    if (!Obeys(s.rule, value) || (s.rule != Rule::kNone && eq == std::string_view::npos)) {
      error = std::string("bad fault value, expected ") + s.shown;
      return std::nullopt;
    }
    f.kind = s.kind;
    f.value.assign(value);
    return f;
  }
  error = "unknown fault kind: " + std::string(name);
  return std::nullopt;
}

std::string FaultKindNames() {
  std::string out;
  for (const FaultKindEntry& s : kKinds) {
    if (!out.empty()) out += ' ';
    out += s.shown;
  }
  return out;
}

std::vector<const Fault*> FaultsFor(const std::vector<Fault>& faults, std::string_view origin) {
  std::vector<const Fault*> out;
  for (const Fault& f : faults) {
    if (origin.substr(0, f.prefix.size()) == f.prefix) out.push_back(&f);
  }
  return out;
}

std::string AnnouncedPages(const std::vector<const Fault*>& faults) {
  std::string out;
  for (const Fault* f : faults) {
    if (f->kind == FaultKind::kPageCount) out = f->value;
  }
  return out;
}

HttpResponse ErrorPage(int status) {
  HttpResponse r;
  r.status = status;
  r.content_type = "text/html; charset=gbk";
  std::string code = Decimal(status);
  std::string phrase(ReasonPhrase(status));
  r.body =
      "<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" "
      "content=\"text/html; charset=gbk\" />\n<title>" +
      code + " " + phrase + "</title>\n</head>\n<body>\n<h1>" + code + " " + phrase + "</h1>\n<p>" +
      (status == 404 ? "抱歉，您访问的页面不存在。" : "服务器繁忙，请稍后再试。") +
      "</p>\n<hr />\n<address>sample-market</address>\n</body>\n</html>\n";
  return r;
}

void ShapeResponse(HttpResponse& response, const std::vector<const Fault*>& faults,
                   std::uint64_t seed, std::string_view origin) {
  for (const Fault* f : faults) {
    switch (f->kind) {
      case FaultKind::kStatus:
        response = ErrorPage(std::atoi(f->value.c_str()));
        break;
      case FaultKind::kEmpty:
        response.status = 200;
        response.body.clear();
        break;
      case FaultKind::kGarbage:
        response.status = 200;
        response.body = Garbage(seed, origin);
        break;
      case FaultKind::kOversize: {
        response.status = 200;
        std::size_t end = response.body.rfind("</body>");
        if (end == std::string::npos) end = response.body.size();
        response.body.insert(end, OversizeFiller());
        break;
      }
      case FaultKind::kCharset:
        response.content_type = BaseType(response.content_type) + "; charset=" + f->value;
        break;
      case FaultKind::kNoCharset:
        response.content_type = BaseType(response.content_type);
        break;
      case FaultKind::kLatency:
      case FaultKind::kStall:
      case FaultKind::kStallBody:
      case FaultKind::kReset:
      case FaultKind::kPageCount:
        break;
    }
  }
}

Delivery DeliveryFor(const std::vector<const Fault*>& faults) {
  Delivery d;
  bool chosen = false;
  for (const Fault* f : faults) {
    if (f->kind == FaultKind::kLatency) d.latency_ms += std::atoi(f->value.c_str());
    if (chosen) continue;
    chosen = true;
    if (f->kind == FaultKind::kStall) {
      d.mode = SendMode::kStall;
    } else if (f->kind == FaultKind::kStallBody) {
      d.mode = SendMode::kStallBody;
    } else if (f->kind == FaultKind::kReset) {
      d.mode = SendMode::kReset;
    } else {
      chosen = false;
    }
  }
  return d;
}
