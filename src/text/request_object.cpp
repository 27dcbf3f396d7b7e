#include "text/request_object.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <mutex>

#include "text/fetch_page.h"
#include "text/gbk.h"

namespace http {
namespace {

std::atomic<long> connectMs{kDefaultConnectTimeoutMs};
std::atomic<long> lowSpeedSeconds{kDefaultLowSpeedSeconds};
std::atomic<long> totalMs{kDefaultTotalTimeoutMs};

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

Limits CurrentLimits() { return {connectMs.load(), lowSpeedSeconds.load(), totalMs.load()}; }

void SetLimits(Limits limits) {
  connectMs = limits.connectMs;
  lowSpeedSeconds = limits.lowSpeedSeconds;
  totalMs = limits.totalMs;
}

void EnsureCurlGlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

EasyTransfer::EasyTransfer() {
  EnsureCurlGlobalInit();
  handle_ = curl_easy_init();
  if (handle_ == nullptr) return;
  Limits limits = CurrentLimits();
  curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, error_);
  // The path and query go out exactly as they stand in the address.
  curl_easy_setopt(handle_, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle_, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle_, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds);
  curl_easy_setopt(handle_, CURLOPT_TIMEOUT_MS, limits.totalMs);
  curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &EasyTransfer::OnBody);
  curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &EasyTransfer::OnHeader);
  curl_easy_setopt(handle_, CURLOPT_HEADERDATA, this);
}

EasyTransfer::~EasyTransfer() {
  if (handle_ != nullptr) curl_easy_cleanup(handle_);
  curl_slist_free_all(headers_);
}

bool EasyTransfer::AddHeader(const std::string& line) {
  curl_slist* grown = curl_slist_append(headers_, line.c_str());
  if (grown == nullptr) return false;
  headers_ = grown;
  return true;
}

CURLcode EasyTransfer::Perform() {
  if (handle_ == nullptr) return CURLE_FAILED_INIT;
  if (headers_ != nullptr) curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, headers_);
  CURLcode result = curl_easy_perform(handle_);
  // The body callback refuses the bytes past the cap, which libcurl reports as a write error.
  if (result == CURLE_WRITE_ERROR && capped_) return CURLE_OK;
  return result;
}

size_t EasyTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
  auto* transfer = static_cast<EasyTransfer*>(self);
  size_t length = size * count;
  if (transfer->body_.empty()) {
    // One allocation for an announced body instead of growing it chunk by chunk; a false length
    // costs no more than the cap.
    curl_off_t announced = -1;
    if (curl_easy_getinfo(transfer->handle_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) ==
            CURLE_OK &&
        announced > 0) {
      transfer->body_.reserve(static_cast<size_t>(std::min<curl_off_t>(announced, kMaxBodyBytes)));
    }
  }
  size_t room = static_cast<size_t>(kMaxBodyBytes) - transfer->body_.size();
  if (length > room) {
    transfer->body_.append(data, room);
    transfer->capped_ = true;
    return 0;
  }
  transfer->body_.append(data, length);
  return length;
}

size_t EasyTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto* transfer = static_cast<EasyTransfer*>(self);
  size_t length = size * count;
  transfer->headBytes_ += length;
  if (transfer->headBytes_ > kMaxHeadBytes) return 0;
  std::string_view line(data, length);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (StartsWithIgnoreCase(line, "HTTP/")) {
    // A new response (after a redirect, a 100 Continue or a proxy's CONNECT answer): only the
    // last one's headers are kept.
    transfer->headerLines_.clear();
    transfer->headBytes_ = length;
  } else if (!line.empty()) {
    transfer->headerLines_.emplace_back(line);
  }
  return length;
}

}  // namespace http

namespace {

// The charset parameter of a Content-Type value, without quotes; empty when there is none.
std::string CharsetOf(std::string_view contentType) {
  std::string lower(contentType);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  size_t at = lower.find("charset=");
  if (at == std::string::npos) return {};
  std::string_view value = std::string_view(contentType).substr(at + 8);
  size_t end = value.find_first_of("; \t");
  value = value.substr(0, end);
  while (!value.empty() && (value.front() == '"' || value.front() == '\'')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == '"' || value.back() == '\'')) value.remove_suffix(1);
  return std::string(value);
}

bool HasAny(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string_view::npos;
}

}  // namespace

RequestObject::RequestObject() : limits_(http::CurrentLimits()) {}

bool RequestObject::Open(std::string_view method, std::string_view url) {
  *this = RequestObject();
  if (method != "POST" && method != "GET" && method != "HEAD") return false;
  method_ = std::string(method);
  url_ = std::string(url);
  opened_ = true;
  return true;
}

bool RequestObject::SetOption(int option, long value) {
  if (!opened_ || option != kOptionEnableRedirects) return false;
  followRedirects_ = value != 0;
  return true;
}

bool RequestObject::SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) {
  if (!opened_) return false;
  long connectBudget = std::max(resolveMs, 0) + static_cast<long>(std::max(connectMs, 0));
  if (connectBudget > 0) limits_.connectMs = connectBudget;
  long stallMs = std::max(sendMs, receiveMs);
  if (stallMs > 0) limits_.lowSpeedSeconds = (stallMs + 999) / 1000;
  return true;
}

bool RequestObject::SetRequestHeader(std::string_view name, std::string_view value) {
  if (!opened_ || name.empty() || HasAny(name, std::string_view(":\r\n\0 \t", 6)) ||
      HasAny(value, std::string_view("\r\n\0", 3))) {
    return false;
  }
  // libcurl sends "Name;" as an empty header; "Name:" would remove the header instead.
  headerLines_.push_back(value.empty() ? std::string(name) + ";"
                                       : std::string(name) + ": " + std::string(value));
  return true;
}

bool RequestObject::SetProxy(std::string_view server) {
  if (!opened_ || server.empty() || HasAny(server, std::string_view("\0", 1))) return false;
  proxy_ = std::string(server);
  return true;
}

bool RequestObject::Send() { return Send({}); }

bool RequestObject::Send(std::string_view body) {
  answered_ = false;
  responseHeaders_.clear();
  responseBody_.clear();
  contentType_.clear();
  if (!opened_) return false;

  http::EasyTransfer transfer;
  CURL* h = transfer.handle();
  if (h == nullptr) return false;
  curl_easy_setopt(h, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, followRedirects_ ? 1L : 0L);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits_.connectMs);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits_.lowSpeedSeconds);
  if (!proxy_.empty()) curl_easy_setopt(h, CURLOPT_PROXY, proxy_.c_str());
  if (method_ == "POST") {
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(h, CURLOPT_COPYPOSTFIELDS, body.data() == nullptr ? "" : body.data());
  } else if (method_ == "HEAD") {
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
  } else {
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  }
  for (const std::string& line : headerLines_) {
    if (!transfer.AddHeader(line)) return false;
  }
  // The request object waits for no 100 Continue.
  if (!transfer.AddHeader("Expect:")) return false;

  if (transfer.Perform() != CURLE_OK) return false;
  const char* contentType = nullptr;
  if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK &&
      contentType != nullptr) {
    contentType_ = contentType;
  }
  responseHeaders_ = transfer.headerLines();
  responseBody_ = transfer.TakeBody();
  answered_ = true;
  return true;
}

Text RequestObject::GetAllResponseHeaders() const {
  Text text;
  if (!answered_) return text;
  for (const std::string& line : responseHeaders_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

Text RequestObject::ResponseText() const {
  if (!answered_) return {};
  std::string charset = CharsetOf(contentType_);
  if (!charset.empty()) return ConvertToGbk(responseBody_, charset);
  if (IsValidUtf8(responseBody_)) return ConvertToGbk(responseBody_, "UTF-8");
  return responseBody_;
}
