// The request log: one line per request the server read.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "http_message.h"

// RequestLog: appends, for each request, a line of TAB-separated fields: the method, the
// absolute address (scheme, host, path and query), the protocol version, then one field per
// header as "Name: value" in the order sent. Bytes below 32, DEL and the backslash are written
// as \t, \r, \n, \\ or \xHH, so a field never holds a TAB or a line end. Each line is flushed at
// once, so a test can read the log while the server runs. Thread-safe.
class RequestLog {
 public:
  RequestLog() = default;
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;
  ~RequestLog();

  // Open: appends to path (created when missing); false when it cannot be opened.
  bool Open(const std::string& path);

  // Write: the line of one request. Example: "GET\thttp://daily.market.example/ten.htm\t
  // HTTP/1.0\tUser-Agent: Mozilla/4.0 ...\tAccept: */*".
  void Write(const HttpRequest& request, std::string_view url);

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

// EscapeLogField: a field as the log writes it. Example: EscapeLogField("a\tb") == "a\\tb".
std::string EscapeLogField(std::string_view field);
