#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace loopback {
namespace {

// Every wait polls at this interval, so that Stop() is seen promptly.
constexpr int kTickMs = 20;
// A request head larger than this is not a request our clients send.
constexpr size_t kMaxHeadBytes = 1 << 20;

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name) {
  for (const auto& [n, v] : headers) {
    if (EqualsIgnoreCase(n, name)) return v;
  }
  return std::nullopt;
}

// Parses the head (request line and header lines, without the blank line) into request.
void ParseHead(std::string_view head, RecordedRequest& request) {
  size_t lineEnd = head.find("\r\n");
  request.requestLine = std::string(head.substr(0, lineEnd));
  std::string_view line = request.requestLine;
  size_t sp1 = line.find(' ');
  size_t sp2 = sp1 == std::string_view::npos ? sp1 : line.find(' ', sp1 + 1);
  if (sp2 != std::string_view::npos) {
    request.method = std::string(line.substr(0, sp1));
    request.target = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));
    request.version = std::string(line.substr(sp2 + 1));
  }
  while (lineEnd != std::string_view::npos) {
    size_t start = lineEnd + 2;
    lineEnd = head.find("\r\n", start);
    std::string_view headerLine =
        head.substr(start, lineEnd == head.npos ? head.npos : lineEnd - start);
    size_t colon = headerLine.find(':');
    if (colon == std::string_view::npos) continue;
    request.headers.emplace_back(std::string(headerLine.substr(0, colon)),
                                 std::string(TrimBlanks(headerLine.substr(colon + 1))));
  }
}

}  // namespace

std::optional<std::string> RecordedRequest::Header(std::string_view name) const {
  return FindHeader(headers, name);
}

std::string RecordedRequest::Path() const {
  size_t scheme = target.find("://");
  if (target.empty() || target[0] == '/' || scheme == std::string::npos) return target;
  size_t path = target.find('/', scheme + 3);
  return path == std::string::npos ? "/" : target.substr(path);
}

ScriptedResponse Ok(std::string body, HeaderList headers) {
  ScriptedResponse response;
  response.body = std::move(body);
  response.headers = std::move(headers);
  return response;
}

Server::Server() : Server([](const RecordedRequest&) { return ScriptedResponse(); }) {}

Server::Server(Handler handler) : handler_(std::move(handler)) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof(address);
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(listenFd_, 64) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(listenFd_);
    listenFd_ = -1;
    return;
  }
  port_ = ntohs(address.sin_port);
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

Server::~Server() { Stop(); }

std::string Server::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

void Server::SetHandler(Handler handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  handler_ = std::move(handler);
}

void Server::SetResponse(ScriptedResponse response) {
  SetHandler([response = std::move(response)](const RecordedRequest&) { return response; });
}

std::vector<RecordedRequest> Server::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

size_t Server::RequestCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_.size();
}

void Server::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  if (acceptThread_.joinable()) acceptThread_.join();
  // The accept thread has ended, so no connection thread is added from here on.
  std::vector<std::thread> threads;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    threads.swap(connectionThreads_);
  }
  for (auto& t : threads) t.join();
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    listenFd_ = -1;
  }
}

void Server::AcceptLoop() {
  while (!stopping_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kTickMs) <= 0) continue;
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    connectionThreads_.emplace_back([this, fd] { Serve(fd); });
  }
}

bool Server::Pause(int ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (ms < 0) {
    stopped_.wait(lock, [this] { return stopping_.load(); });
    return false;
  }
  return !stopped_.wait_for(lock, std::chrono::milliseconds(ms),
                            [this] { return stopping_.load(); });
}

bool Server::SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    if (stopping_) return false;
    pollfd p{fd, POLLOUT, 0};
    int ready = ::poll(&p, 1, kTickMs);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

void Server::Serve(int fd) {
  std::string pending;
  // Reads more bytes into pending; false at the end of the connection, an error or a stop.
  auto receive = [&]() {
    char chunk[65536];
    while (!stopping_) {
      pollfd p{fd, POLLIN, 0};
      int ready = ::poll(&p, 1, kTickMs);
      if (ready < 0 && errno != EINTR) return false;
      if (ready <= 0) continue;
      ssize_t got = ::recv(fd, chunk, sizeof(chunk), 0);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      pending.append(chunk, static_cast<size_t>(got));
      return true;
    }
    return false;
  };

  bool keepOpen = true;
  while (keepOpen) {
    size_t headEnd;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
      if (pending.size() > kMaxHeadBytes || !receive()) {
        ::close(fd);
        return;
      }
    }
    RecordedRequest request;
    ParseHead(std::string_view(pending).substr(0, headEnd), request);
    size_t bodyLength = 0;
    if (auto length = request.Header("Content-Length")) {
      bodyLength = std::strtoul(length->c_str(), nullptr, 10);
    }
    size_t total = headEnd + 4 + bodyLength;
    while (pending.size() < total) {
      if (!receive()) {
        ::close(fd);
        return;
      }
    }
    request.raw = pending.substr(0, total);
    request.body = pending.substr(headEnd + 4, bodyLength);
    pending.erase(0, total);

    Handler handler;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
      handler = handler_;
    }
    ScriptedResponse response = handler(request);

    bool hasLength = FindHeader(response.headers, "Content-Length").has_value();
    std::string head = response.statusLine + "\r\n";
    for (const auto& [name, value] : response.headers) head += name + ": " + value + "\r\n";
    if (response.contentLength && !hasLength) {
      head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
      hasLength = true;
    }
    head += "\r\n";
    std::string_view body = response.body;
    if (request.method == "HEAD") body = {};

    if (response.stallMs != 0 && !Pause(response.stallMs)) break;
    if (response.resetAfterBodyBytes >= 0) {
      size_t cut = std::min(body.size(), static_cast<size_t>(response.resetAfterBodyBytes));
      SendAll(fd, head + std::string(body.substr(0, cut)));
      Pause(50);  // lets the client take in what was sent before the reset
      linger abort{1, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
      break;
    }
    bool sent;
    if (response.trickleBytes > 0) {
      sent = SendAll(fd, head);
      while (sent && !body.empty()) {
        size_t piece = std::min(body.size(), static_cast<size_t>(response.trickleBytes));
        sent = SendAll(fd, body.substr(0, piece)) && Pause(response.trickleIntervalMs);
        body.remove_prefix(piece);
      }
    } else {
      sent = SendAll(fd, head) && SendAll(fd, body);
    }
    auto closeHeader = [](const std::optional<std::string>& v) {
      return v && EqualsIgnoreCase(*v, "close");
    };
    auto requestConnection = request.Header("Connection");
    keepOpen = sent && hasLength && request.version == "HTTP/1.1" &&
               !closeHeader(requestConnection) &&
               !closeHeader(FindHeader(response.headers, "Connection"));
    if (!keepOpen && sent) ::shutdown(fd, SHUT_WR);
  }
  ::close(fd);
}

RefusingPort::RefusingPort() {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port_ = ntohs(address.sin_port);
  }
}

RefusingPort::~RefusingPort() {
  if (fd_ >= 0) ::close(fd_);
}

std::string RefusingPort::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

void ClearProxyEnvironment() {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                           "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
    ::unsetenv(name);
  }
}

}  // namespace loopback
