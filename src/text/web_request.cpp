#include "text/web_request.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>

#include "text/find_text.h"
#include "text/request_object.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {

// The first octet (with its dot) and the range of the second octet of the client addresses
// that the forwarded-address mode "1" forges.
struct ForwardedAddressPrefix {
  const char* prefix;
  int low;
  int high;
};
constexpr ForwardedAddressPrefix kForwardedAddressPrefixes[] = {
    {"36.", 56, 63},    {"61.", 232, 237}, {"106.", 80, 95}, {"121.", 76, 77}, {"123.", 232, 235},
    {"139.", 196, 215}, {"171.", 8, 15},   {"182.", 80, 92}, {"210.", 25, 47}, {"222.", 16, 95},
};

// The process's one random source. Each use reseeds it from the clock, mixed with a count of
// uses so that two uses within one clock tick still get different seeds.
class RandomSource {
 public:
  // Draws: calls draw(uniform) with the source locked and reseeded; uniform(low, high) gives a
  // uniform integer with both bounds included.
  template <typename Draw>
  Text Use(Draw draw) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch() /
                                     std::chrono::nanoseconds(1));
    uint64_t use = ++uses_;
    std::seed_seq seed{static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32),
                       static_cast<uint32_t>(use), static_cast<uint32_t>(use >> 32)};
    engine_.seed(seed);
    auto uniform = [this](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(engine_);
    };
    return draw(uniform);
  }

 private:
  std::mutex mutex_;
  std::mt19937 engine_;
  uint64_t uses_ = 0;
};

RandomSource& Random() {
  static RandomSource source;
  return source;
}

// ForgeForwardedFor: the X-FORWARDED-FOR value for a mode: "1" an address from the prefix
// table, "2" four numbers 1-255, "3" four numbers 256-999; any other text as it is.
Text ForgeForwardedFor(const Text& mode) {
  if (mode != "1" && mode != "2" && mode != "3") return mode;
  return Random().Use([&mode](auto uniform) {
    Text address;
    if (mode == "1") {
      const ForwardedAddressPrefix& row = kForwardedAddressPrefixes[uniform(1, 10) - 1];
      address = row.prefix + IntToText(uniform(row.low, row.high));
      address += "." + IntToText(uniform(1, 255));
      address += "." + IntToText(uniform(1, 255));
    } else {
      int low = mode == "2" ? 1 : 256;
      int high = mode == "2" ? 255 : 999;
      for (int i = 0; i < 4; ++i) {
        if (i > 0) address += ".";
        address += IntToText(uniform(low, high));
      }
    }
    return address;
  });
}

// A text ends at its first zero byte.
Text UpToZero(Text text) {
  size_t zero = text.find('\0');
  if (zero != Text::npos) text.resize(zero);
  return text;
}

}  // namespace

Text WebRequest(WebRequestParams& params) {
  // 1. The request object (the component library needs no initialisation here).
  RequestObject request;

  // 2. Open by the exact method; any other method opens nothing and every later step fails.
  if (params.method == "POST") {
    request.Open("POST", params.url);
  } else if (params.method == "GET" || params.method.empty()) {
    request.Open("GET", params.url);
  } else if (params.method == "HEAD") {
    request.Open("HEAD", params.url);
  }

  // 3. Redirects.
  if (params.noRedirect) request.SetOption(RequestObject::kOptionEnableRedirects, 0);

  // 4. Time limits.
  if (params.timeoutMs > 0) {
    request.SetTimeouts(params.timeoutMs, params.timeoutMs, params.timeoutMs, params.timeoutMs);
  }

  // 5. Referer.
  if (params.referer) request.SetRequestHeader("Referer", *params.referer);

  // 6. Content-Type, with every method.
  request.SetRequestHeader("Content-Type", params.contentType
                                               ? *params.contentType
                                               : Text("application/x-www-form-urlencoded"));

  // 7. The forwarded client address, forged by mode, handed back to the caller.
  if (params.forwardedFor) {
    params.forwardedFor = ForgeForwardedFor(*params.forwardedFor);
    request.SetRequestHeader("X-FORWARDED-FOR", *params.forwardedFor);
  }

  // 8. A forwarded address with a colon also names the proxy.
  if (params.forwardedFor && FindText(*params.forwardedFor, ":", 0, false) != -1) {
    request.SetProxy(TrimSpaces(*params.forwardedFor));
  }

  // 9. Cookies, unchanged.
  if (params.cookies) request.SetRequestHeader("Cookie", *params.cookies);

  // 10. Send; only POST carries a body.
  if (params.method == "POST") {
    request.Send(TrimSpaces(params.postData));
  } else {
    request.Send();
  }

  // 11. The result by kind.
  Text result;
  if (params.resultKind == "头部") {
    result = UpToZero(request.GetAllResponseHeaders());
  } else if (params.resultKind == "内容" || params.resultKind.empty()) {
    result = UpToZero(request.ResponseText());
  } else if (params.resultKind == "全部") {
    result = UpToZero(request.GetAllResponseHeaders()) + "\r\n" + UpToZero(request.ResponseText());
  }

  // 12. The cookies this response set, each followed by "; ", replacing what was passed in.
  Text headers = request.GetAllResponseHeaders();
  Text cookies;
  for (std::string_view piece : TextBetweenAll(headers, "Set-Cookie: ", ";")) {
    cookies += piece;
    cookies += "; ";
  }
  params.cookies = cookies;

  // 13. The request object is released on return.
  return result;
}

Text WebRequest(std::string_view url) {
  WebRequestParams params;
  params.url = Text(url);
  return WebRequest(params);
}
