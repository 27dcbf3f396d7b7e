#include "http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include "goods.h"
#include "routes.h"

namespace {

constexpr std::size_t kMaxHead = 64 * 1024;
constexpr std::size_t kMaxBody = 8 * 1024 * 1024;
constexpr std::size_t kMaxConnections = 1000;
constexpr int kIdleMs = 15000;  // a client that sends nothing for this long is dropped

struct Shared {
  const ServerSettings* settings = nullptr;
  std::string fallback_host;
  std::atomic<bool> stopping{false};
  std::mutex mutex;
  std::condition_variable ended;
  std::set<int> open;  // sockets of live connections, closed only under the mutex
};

enum class Ending { kGraceful, kReset, kAbort };
enum class Wait { kReadable, kTimeout, kStopping };

// Polls in short slices so that a stop is seen within a tenth of a second.
Wait WaitReadable(Shared& s, int fd, int timeout_ms) {
  for (int waited = 0;; waited += 100) {
    if (s.stopping) return Wait::kStopping;
    pollfd p{fd, POLLIN, 0};
    int r = poll(&p, 1, 100);
    if (r > 0) return Wait::kReadable;
    if (r < 0 && errno != EINTR) return Wait::kTimeout;
    if (timeout_ms >= 0 && waited >= timeout_ms) return Wait::kTimeout;
  }
}

bool Sleep(Shared& s, int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    if (s.stopping) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return !s.stopping;
}

// Blocking sends; a stop shuts the socket down, which ends a send that waits on a slow client.
bool SendAll(Shared& s, int fd, std::string_view data) {
  while (!data.empty()) {
    if (s.stopping) return false;
    ssize_t n = send(fd, data.data(), data.size() < 65536 ? data.size() : 65536, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Keeps the connection open, sending nothing, until the client closes it or the server stops.
void HoldUntilGone(Shared& s, int fd) {
  char buf[4096];
  while (WaitReadable(s, fd, -1) == Wait::kReadable) {
    if (recv(fd, buf, sizeof buf, 0) <= 0) return;
  }
}

// Reads one request; on failure error_status is the status to answer with, or 0 for none.
std::optional<HttpRequest> ReadRequest(Shared& s, int fd, int& error_status) {
  error_status = 0;
  std::string data;
  std::size_t head_end = std::string::npos, body_start = 0;
  char buf[16384];
  while (true) {
    if ((head_end = data.find("\r\n\r\n")) != std::string::npos) {
      body_start = head_end + 4;
      break;
    }
    if ((head_end = data.find("\n\n")) != std::string::npos) {
      body_start = head_end + 2;
      break;
    }
    if (data.size() > kMaxHead) {
      error_status = 431;
      return std::nullopt;
    }
    if (WaitReadable(s, fd, kIdleMs) != Wait::kReadable) return std::nullopt;
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return std::nullopt;
    data.append(buf, static_cast<std::size_t>(n));
  }
  std::optional<HttpRequest> request = ParseRequestHead(std::string_view(data).substr(0, head_end));
  if (!request) {
    error_status = 400;
    return std::nullopt;
  }
  std::string length_text = HeaderValue(*request, "Content-Length");
  std::size_t length = 0;
  for (char c : length_text) {
    if (c < '0' || c > '9' || length > kMaxBody) {
      error_status = c < '0' || c > '9' ? 400 : 413;
      return std::nullopt;
    }
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  if (length > kMaxBody) {
    error_status = 413;
    return std::nullopt;
  }
  request->body = data.substr(body_start);
  while (request->body.size() < length) {
    if (WaitReadable(s, fd, kIdleMs) != Wait::kReadable) return std::nullopt;
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return std::nullopt;
    request->body.append(buf, static_cast<std::size_t>(n));
  }
  request->body.resize(length);
  return request;
}

Ending Handle(Shared& s, int fd) {
  const ServerSettings& settings = *s.settings;
  int error_status = 0;
  std::optional<HttpRequest> request = ReadRequest(s, fd, error_status);
  if (!request) {
    if (error_status == 0) return Ending::kAbort;
    HttpResponse error = ErrorPage(error_status);
    SendAll(s, fd, ResponseHead(error, error.body.size()) + error.body);
    return Ending::kGraceful;
  }
  if (settings.log != nullptr)
    settings.log->Write(*request, AbsoluteUrl(*request, s.fallback_host));

  std::vector<const Fault*> faults = FaultsFor(settings.faults, request->origin);
  Delivery delivery = DeliveryFor(faults);
  if (delivery.latency_ms > 0 && !Sleep(s, delivery.latency_ms)) return Ending::kAbort;

  const std::string& method = request->method;
  HttpResponse response;
  if (method == "GET" || method == "HEAD" || method == "POST") {
    RouteContext context{settings.seed, settings.version_answer, AnnouncedPages(faults)};
    response = Route(*request, context);
  } else {
    response = ErrorPage(405);
  }
  ShapeResponse(response, faults, settings.seed, request->origin);
  std::string head = ResponseHead(response, response.body.size());
  std::string_view body = method == "HEAD" ? std::string_view() : response.body;
  std::string_view half = body.substr(0, body.size() / 2);

  switch (delivery.mode) {
    case SendMode::kWhole:
      if (SendAll(s, fd, head)) SendAll(s, fd, body);
      return Ending::kGraceful;
    case SendMode::kStall:
      HoldUntilGone(s, fd);
      return Ending::kAbort;
    case SendMode::kStallBody:
      if (SendAll(s, fd, head) && SendAll(s, fd, half)) HoldUntilGone(s, fd);
      return Ending::kAbort;
    case SendMode::kReset:
      if (SendAll(s, fd, head)) SendAll(s, fd, half);
      Sleep(s, 100);  // let the client take in what was sent before the reset arrives
      return Ending::kReset;
  }
  return Ending::kAbort;
}

void Finish(Shared& s, int fd, Ending ending) {
  if (ending == Ending::kGraceful) {
    // Half-close and wait for the client's end, so unread request bytes cause no reset.
    shutdown(fd, SHUT_WR);
    char buf[4096];
    while (WaitReadable(s, fd, 2000) == Wait::kReadable) {
      if (recv(fd, buf, sizeof buf, 0) <= 0) break;
    }
  } else if (ending == Ending::kReset) {
    linger hard{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  }
  std::lock_guard lock(s.mutex);
  s.open.erase(fd);
  close(fd);
  s.ended.notify_all();
}

void Connection(Shared* s, int fd) {
  Ending ending = Ending::kAbort;
  try {
    ending = Handle(*s, fd);
  } catch (...) {
    ending = Ending::kAbort;
  }
  Finish(*s, fd, ending);
}

}  // namespace

int ListenLoopback(int port, int* bound, std::string& error) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return -1;
  }
  int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 128) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    error = "cannot listen on 127.0.0.1:" + Decimal(port) + ": " + std::strerror(errno);
    close(fd);
    return -1;
  }
  *bound = ntohs(address.sin_port);
  return fd;
}

void ServeMarket(int listen_fd, int port, int stop_fd, const ServerSettings& settings) {
  // Never freed: a connection thread that outlives the wait below must still find it.
  static auto* const s = new Shared;
  s->settings = &settings;
  s->fallback_host = "127.0.0.1:" + Decimal(port);
  pollfd fds[2] = {{listen_fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
  while (true) {
    int r = poll(fds, 2, -1);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 || fds[1].revents != 0) break;
    if ((fds[0].revents & POLLIN) == 0) continue;
    int fd = accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EMFILE || errno == ENFILE)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    {
      std::lock_guard lock(s->mutex);
      if (s->open.size() >= kMaxConnections) {
        close(fd);
        continue;
      }
      s->open.insert(fd);
    }
    try {
      std::thread(Connection, s, fd).detach();
    } catch (...) {
      std::lock_guard lock(s->mutex);
      s->open.erase(fd);
      close(fd);
    }
  }
  s->stopping = true;
  close(listen_fd);
  std::unique_lock lock(s->mutex);
  for (int fd : s->open) shutdown(fd, SHUT_RDWR);
  s->ended.wait_for(lock, std::chrono::seconds(3), [&] { return s->open.empty(); });
}
