#include "options.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace {

bool Number(std::string_view v, unsigned long long max, unsigned long long& out) {
  if (v.empty() || v.size() > 20) return false;
  for (char c : v) {
    if (c < '0' || c > '9') return false;
  }
  errno = 0;
  out = std::strtoull(std::string(v).c_str(), nullptr, 10);
  return errno == 0 && out <= max;
}

struct Switch {
  const char* name;
  bool takes_value;
  const char* shown;
  bool (*apply)(Options&, std::string_view, std::string&);
};

constexpr Switch kSwitches[] = {
    {"--port", true, "--port N",
     [](Options& o, std::string_view v, std::string& e) {
       unsigned long long n = 0;
       if (!Number(v, 65535, n)) {
         e = "--port takes 0 to 65535";
         return false;
       }
       o.port = static_cast<int>(n);
       return true;
     }},
    {"--port-file", true, "--port-file FILE",
     [](Options& o, std::string_view v, std::string&) {
       o.port_file = v;
       return true;
     }},
    {"--seed", true, "--seed N",
     [](Options& o, std::string_view v, std::string& e) {
       unsigned long long n = 0;
       if (!Number(v, ~0ULL, n)) {
         e = "--seed takes an unsigned number";
         return false;
       }
       o.seed = n;
       return true;
     }},
    {"--log", true, "--log FILE",
     [](Options& o, std::string_view v, std::string&) {
       o.log = v;
       return true;
     }},
    {"--version-answer", true, "--version-answer TEXT",
     [](Options& o, std::string_view v, std::string&) {
       o.version_answer = v;
       return true;
     }},
    {"--fault", true, "--fault KIND[=VALUE][@PATHPREFIX]",
     [](Options& o, std::string_view v, std::string& e) {
       std::optional<Fault> f = ParseFault(v, e);
       if (f) o.faults.push_back(*f);
       return f.has_value();
     }},
    {"--print-items", false, "--print-items",
     [](Options& o, std::string_view, std::string&) {
       o.print_items = true;
       return true;
     }},
    {"--help", false, "--help",
     [](Options& o, std::string_view, std::string&) {
       o.help = true;
       return true;
     }},
};

}  // namespace

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::size_t eq = arg.find('=');
    std::string_view name = arg.substr(0, eq);
    const Switch* found = nullptr;
    for (const Switch& s : kSwitches) {
      if (name == s.name) found = &s;
    }
    if (found == nullptr) {
      error = "unknown option: " + std::string(arg);
      return false;
    }
    std::string_view value;
    if (found->takes_value) {
      if (eq != std::string_view::npos) {
        value = arg.substr(eq + 1);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        error = std::string(found->name) + " needs a value";
        return false;
      }
    } else if (eq != std::string_view::npos) {
      error = std::string(found->name) + " takes no value";
      return false;
    }
    if (!found->apply(options, value, error)) return false;
  }
  return true;
}

std::string Usage() {
  std::string out = "usage: sample-market";
  for (const Switch& s : kSwitches) out += std::string(" [") + s.shown + "]";
  out +=
      "\n  fault kinds: " + FaultKindNames() +
      "\n  A fault applies to the requests whose path and query begin with PATHPREFIX, to all\n"
      "  without one; --fault may be repeated.\n"
      "  --log appends a line per request: METHOD, URL, VERSION, then each header, TAB-separated.\n"
      "  Serves the sample marketplace on 127.0.0.1; prints \"port N\" first.\n"
      "  --print-items prints every generated item (UTF-8, TAB-separated) and exits.\n";
  return out;
}
