#include "text/fetch_page.h"

#include <string>

#include "text/request_object.h"

namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

}  // namespace

std::string FetchPage(std::string_view address) {
  http::EasyTransfer transfer;
  CURL* h = transfer.handle();
  if (h == nullptr) return {};
  std::string url(address);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
  // Our headers are the user agent and this one; "Proxy-Connection:" keeps libcurl from adding
  // its own on a proxy hop. libcurl adds Host and nothing else (no Accept-Encoding is asked for).
  if (!transfer.AddHeader("Accept: */*") || !transfer.AddHeader("Proxy-Connection:")) return {};
  transfer.Perform();
  // Whatever arrived of the body, also when the transfer broke off; nothing after a failure
  // before the body.
  return transfer.TakeBody();
}

void SetHttpTimeoutsForTesting(long connectMs, long lowSpeedSeconds, long totalMs) {
  http::SetLimits({connectMs, lowSpeedSeconds, totalMs});
}
