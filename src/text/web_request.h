#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

// The parameters of one scripted request. Every one but url may be left out; for cookies,
// forwardedFor, referer and contentType being given (even as an empty text) differs from being
// left out.
struct WebRequestParams {
  Text url;
  Text method;                       // "POST", "GET" or "HEAD"; empty means GET; exact bytes
  Text postData;                     // the body, sent only with "POST" (through TrimSpaces)
  std::optional<Text> cookies;       // in: the Cookie header; out: the cookies the response set
  std::optional<Text> forwardedFor;  // in: "1", "2", "3" or a value; out: the address sent
  std::optional<Text> referer;       // the Referer header
  std::optional<Text> contentType;   // default "application/x-www-form-urlencoded"
  Text resultKind;                   // "头部" headers, "内容" or empty body, "全部" both
  bool noRedirect = false;
  int timeoutMs = 0;  // above 0: the limit of each phase in milliseconds
};

// WebRequest: one synchronous request, the result as GBK text (the body decoded by the charset
// the response declares). On return params.cookies holds the cookies the response set, each
// followed by "; ", and params.forwardedFor (when given) the address that was sent. A failure
// gives the empty text ("全部" gives CR LF alone) and empty cookies.
Text WebRequest(WebRequestParams& params);

// The usual call: only the address, a GET whose result is the body text.
Text WebRequest(std::string_view url);
