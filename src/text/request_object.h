// The HTTP request object of the scripted web request, on libcurl, and the libcurl basics it
// shares with FetchPage: one easy handle per request, bounded in time and size, limited to
// http and https, with libcurl's standard proxy environment (http_proxy, no_proxy) in force.
#pragma once

#include <curl/curl.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/text.h"

namespace http {

// The limits every request starts from (see SetHttpTimeoutsForTesting in fetch_page.h).
struct Limits {
  long connectMs;        // name resolution and connecting together
  long lowSpeedSeconds;  // abort when below 1 byte/s for this long
  long totalMs;          // the whole transfer, redirects included
};
Limits CurrentLimits();
void SetLimits(Limits limits);

// At most this many redirects are followed.
inline constexpr long kMaxRedirects = 5;
// Response heads larger than this abort the transfer.
inline constexpr size_t kMaxHeadBytes = 1 << 20;

// EnsureCurlGlobalInit: curl_global_init once per process, for callers that come before (or
// without) the program's own start-up call. A second global init only counts up a reference.
void EnsureCurlGlobalInit();

// EasyTransfer: a non-copyable owner of one easy handle, its request header list and what the
// transfer collects. The constructor sets the common options (no signals, http/https only, also
// for redirects, redirects followed up to kMaxRedirects, the current limits, the collecting
// callbacks); the caller adds its own and calls Perform() once.
// Example: EasyTransfer t; curl_easy_setopt(t.handle(), CURLOPT_URL, url); t.Perform();
class EasyTransfer {
 public:
  EasyTransfer();
  ~EasyTransfer();
  EasyTransfer(const EasyTransfer&) = delete;
  EasyTransfer& operator=(const EasyTransfer&) = delete;

  // Null when the handle could not be created; then nothing else may be called but Perform().
  CURL* handle() const { return handle_; }

  // AddHeader: one line for CURLOPT_HTTPHEADER ("Name: value", "Name;" for an empty value,
  // "Name:" to suppress one of libcurl's own). False when it could not be added.
  bool AddHeader(const std::string& line);

  // Perform: runs the transfer. A body that reaches kMaxBodyBytes is cut there and the transfer
  // counts as complete. Returns CURLE_OK on success, else the failure.
  CURLcode Perform();

  // The body bytes received, at most kMaxBodyBytes, also after a failure (as far as read).
  const std::string& body() const { return body_; }
  std::string TakeBody() { return std::move(body_); }
  // The header lines of the last response, without the status line and without CR LF.
  const std::vector<std::string>& headerLines() const { return headerLines_; }

 private:
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);

  CURL* handle_ = nullptr;
  curl_slist* headers_ = nullptr;
  std::string body_;
  bool capped_ = false;
  std::vector<std::string> headerLines_;
  size_t headBytes_ = 0;
  char error_[CURL_ERROR_SIZE] = {};
};

}  // namespace http

// RequestObject: a synchronous HTTP request with the operations the scripted web request calls,
// in the order it calls them: Open, SetOption, SetTimeouts, SetRequestHeader, SetProxy, Send,
// GetAllResponseHeaders, ResponseText. Every operation returns false (and changes nothing) when
// it fails; after a failed Send, or on an object that was never opened, every value read is the
// empty text. HTTP/1.1.
// Example: RequestObject r; r.Open("GET", "http://a.example/"); r.Send(); r.ResponseText();
class RequestObject {
 public:
  // The user agent the request object sends, as the platform's own request object does.
  static constexpr const char* kUserAgent =
      "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";
  // The option number that switches the following of redirects (value 0 turns it off).
  static constexpr int kOptionEnableRedirects = 6;

  RequestObject();

  // Open: prepares a request, forgetting what an earlier Open set. method is compared byte for
  // byte: only "POST", "GET" and "HEAD" open; any other method (also "post") leaves the object
  // unopened.
  bool Open(std::string_view method, std::string_view url);

  // SetOption: option kOptionEnableRedirects, value 0 stops redirects, any other follows them.
  bool SetOption(int option, long value);

  // SetTimeouts: limits in milliseconds; 0 or less keeps the default of that phase. Resolution
  // and connecting share one budget (resolveMs + connectMs); sending and receiving abort the
  // transfer when it moves less than 1 byte/s for max(sendMs, receiveMs), in whole seconds
  // rounded up. SetTimeouts(500, 500, 500, 500): connect within 1 s, no 1-second stall.
  bool SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs);

  // SetRequestHeader: adds a header; an empty value is sent as an empty header. A name that is
  // empty or holds ':' or a value with CR, LF or a zero byte is refused (no header injection).
  bool SetRequestHeader(std::string_view name, std::string_view value);

  // SetProxy: sends the request through the named proxy server ("host:port").
  bool SetProxy(std::string_view server);

  // Send: performs the request and waits for the whole response. The body goes with POST only.
  bool Send();
  bool Send(std::string_view body);

  // GetAllResponseHeaders: the header lines of the final response (without its status line),
  // each followed by CR LF. Example: "Content-Type: text/html\r\nSet-Cookie: a=1\r\n".
  Text GetAllResponseHeaders() const;

  // ResponseText: the body decoded by the charset the response declares, as GBK text:
  // GBK, GB2312 and GB18030 stay as they are, other charsets are converted; with none declared
  // a valid UTF-8 body is converted and any other body kept as it is.
  Text ResponseText() const;

 private:
  bool opened_ = false;
  bool answered_ = false;
  std::string method_;
  std::string url_;
  bool followRedirects_ = true;
  http::Limits limits_;
  std::vector<std::string> headerLines_;  // request headers, as libcurl lines
  std::string proxy_;
  // The answer.
  std::vector<std::string> responseHeaders_;
  std::string responseBody_;
  std::string contentType_;
};
