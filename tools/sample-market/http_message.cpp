#include "http_message.h"

#include <cstdio>
#include <ctime>

namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Splits an absolute-form target into scheme, host and origin; false for any other form.
bool SplitAbsolute(std::string_view target, HttpRequest& r) {
  std::size_t colon = target.find("://");
  if (colon == std::string_view::npos || colon == 0) return false;
  std::string_view scheme = target.substr(0, colon);
  if (!EqualsIgnoreCase(scheme, "http") && !EqualsIgnoreCase(scheme, "https")) return false;
  std::string_view rest = target.substr(colon + 3);
  std::size_t end = rest.find_first_of("/?");
  r.scheme.assign(scheme);
  for (char& c : r.scheme) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  r.host.assign(rest.substr(0, end));
  if (end == std::string_view::npos) {
    r.origin = "/";
  } else if (rest[end] == '?') {
    r.origin = "/" + std::string(rest.substr(end));
  } else {
    r.origin.assign(rest.substr(end));
  }
  return !r.host.empty();
}

}  // namespace

std::string_view HttpRequest::Path() const {
  std::string_view o = origin;
  return o.substr(0, o.find('?'));
}

std::string_view HttpRequest::Query() const {
  std::string_view o = origin;
  std::size_t q = o.find('?');
  return q == std::string_view::npos ? std::string_view() : o.substr(q + 1);
}

std::optional<HttpRequest> ParseRequestHead(std::string_view head) {
  HttpRequest r;
  std::size_t eol = head.find('\n');
  std::string_view line = Trim(head.substr(0, eol));
  std::size_t sp1 = line.find(' ');
  std::size_t sp2 = line.rfind(' ');
  if (sp1 == std::string_view::npos || sp2 == sp1) return std::nullopt;
  r.method.assign(line.substr(0, sp1));
  r.target.assign(Trim(line.substr(sp1 + 1, sp2 - sp1 - 1)));
  r.version.assign(line.substr(sp2 + 1));
  if (r.method.empty() || r.target.empty() || r.version.rfind("HTTP/", 0) != 0) return std::nullopt;
  if (r.target.front() == '/') {
    r.origin = r.target;
  } else if (!SplitAbsolute(r.target, r)) {
    return std::nullopt;
  }
  while (eol != std::string_view::npos) {
    std::size_t start = eol + 1;
    eol = head.find('\n', start);
    std::string_view h = head.substr(start, eol == std::string_view::npos ? eol : eol - start);
    if (!h.empty() && h.back() == '\r') h.remove_suffix(1);
    if (h.empty()) continue;
    std::size_t colon = h.find(':');
    if (colon == std::string_view::npos) continue;
    r.headers.emplace_back(std::string(Trim(h.substr(0, colon))),
                           std::string(Trim(h.substr(colon + 1))));
  }
  if (r.host.empty()) r.host = HeaderValue(r, "Host");
  return r;
}

std::string HeaderValue(const HttpRequest& request, std::string_view name) {
  for (const auto& [n, v] : request.headers) {
    if (EqualsIgnoreCase(n, name)) return v;
  }
  return {};
}

std::optional<std::string_view> QueryValue(std::string_view query, std::string_view key) {
  while (true) {
    std::size_t amp = query.find('&');
    std::string_view pair = query.substr(0, amp);
    std::size_t eq = pair.find('=');
    if (pair.substr(0, eq) == key) {
      return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
    }
    if (amp == std::string_view::npos) return std::nullopt;
    query.remove_prefix(amp + 1);
  }
}

std::string AbsoluteUrl(const HttpRequest& request, std::string_view fallback_host) {
  std::string out = request.scheme + "://";
  out += request.host.empty() ? std::string(fallback_host) : request.host;
  return out + request.origin;
}

std::string_view ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 204:
      return "No Content";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 304:
      return "Not Modified";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 408:
      return "Request Timeout";
    case 413:
      return "Payload Too Large";
    case 429:
      return "Too Many Requests";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 502:
      return "Bad Gateway";
    case 503:
      return "Service Unavailable";
    case 504:
      return "Gateway Timeout";
    default:
      return "Unknown";
  }
}

std::string ResponseHead(const HttpResponse& response, std::size_t content_length) {
  char date[64] = "";
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  if (gmtime_r(&now, &tm) != nullptr) {
    std::strftime(date, sizeof date, "%a, %d %b %Y %H:%M:%S GMT", &tm);
  }
  char status[16];
  std::snprintf(status, sizeof status, "%03d", response.status);
  char length[32];
  std::snprintf(length, sizeof length, "%zu", content_length);
  std::string head = "HTTP/1.1 ";
  head += status;
  head += ' ';
  head += ReasonPhrase(response.status);
  head += "\r\nServer: sample-market\r\nDate: ";
  head += date;
  head += "\r\n";
  if (!response.content_type.empty()) head += "Content-Type: " + response.content_type + "\r\n";
  head += "Content-Length: ";
  head += length;
  head += "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
  return head;
}
