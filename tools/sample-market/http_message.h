// The HTTP request and response as the sample marketplace sees them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct HttpRequest {
  std::string method;           // as sent, e.g. "GET"
  std::string target;           // as sent: origin form "/x?y" or absolute form "http://h/x?y"
  std::string version;          // e.g. "HTTP/1.0"
  std::string scheme = "http";  // from the absolute form, else "http"
  std::string host;             // from the absolute form, else the Host header; may be empty
  std::string origin;           // path and query as in the origin form, e.g. "/d/jiu?&u=jiu/all/3"
  std::vector<std::pair<std::string, std::string>> headers;  // in the order sent
  std::string body;

  std::string_view Path() const;   // origin up to "?": "/d/jiu"
  std::string_view Query() const;  // after the first "?": "&u=jiu/all/3"; empty without one
};

struct HttpResponse {
  int status = 200;
  std::string content_type;  // empty: no Content-Type header
  std::string body;
};

// ParseRequestHead: the request line and header lines of head (up to, not including, the empty
// line; CR LF or bare LF line ends), or nothing when the request line is malformed.
// Example: ParseRequestHead("GET http://daily.market.example/ten.htm HTTP/1.1") gives host
// "daily.market.example" and origin "/ten.htm".
std::optional<HttpRequest> ParseRequestHead(std::string_view head);

// HeaderValue: the first header of that name (letter case ignored), or empty.
// Example: HeaderValue(request, "content-length").
std::string HeaderValue(const HttpRequest& request, std::string_view name);

// QueryValue: the value of the first key=value pair of query with that key, not decoded;
// nothing when the key is absent. Example: QueryValue("&u=jiu/all/3", "u") == "jiu/all/3".
std::optional<std::string_view> QueryValue(std::string_view query, std::string_view key);

// AbsoluteUrl: scheme, host, path and query of the request as one address; fallback_host
// stands in when the request names no host. Example: "http://nine.market.example/d/jiu?&u=..".
std::string AbsoluteUrl(const HttpRequest& request, std::string_view fallback_host);

// ResponseHead: status line and headers of response for a body of content_length bytes,
// always with "Connection: close", ending in the empty line.
std::string ResponseHead(const HttpResponse& response, std::size_t content_length);

// ReasonPhrase: the usual phrase of a status code. Example: ReasonPhrase(404) == "Not Found".
std::string_view ReasonPhrase(int status);
