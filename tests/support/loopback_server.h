// A small scriptable HTTP/1.x server on 127.0.0.1 for the tests of the web layer. It listens on a
// port the system picks, serves every connection on a thread of its own, records each request
// exactly as it arrived and answers with a scripted response: status line, headers, body, and
// optionally a stall, a slow trickle or a connection reset in the middle of the body. Requests in
// absolute form (what a client sends to a proxy) are served and recorded like any other, so the
// same server stands in for a proxy. Nothing but 127.0.0.1 is ever bound or contacted.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace loopback {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// One request as it reached the server.
struct RecordedRequest {
  std::string raw;          // every byte of the request: head and body
  std::string requestLine;  // "GET /a?b=1 HTTP/1.0"
  std::string method;       // "GET"
  std::string target;       // "/a?b=1", or "http://host.example/a?b=1" in absolute form
  std::string version;      // "HTTP/1.0"
  HeaderList headers;       // in the order sent, names and values as sent (value trimmed)
  std::string body;         // the Content-Length bytes after the head

  // Header: the value of the first header of that name (letter case ignored), or nullopt.
  // Example: request.Header("user-agent") finds "User-Agent: x" and gives "x".
  std::optional<std::string> Header(std::string_view name) const;

  // Path: the target in origin form: "/a?b=1" for both "/a?b=1" and "http://h.example/a?b=1".
  std::string Path() const;
};

// How to answer one request.
struct ScriptedResponse {
  std::string statusLine = "HTTP/1.1 200 OK";
  HeaderList headers;
  std::string body;
  // Adds "Content-Length: <body size>" unless headers already name one. Without it the body
  // runs to the end of the connection, which the server then closes.
  bool contentLength = true;
  // Waits this long before sending anything; -1 sends nothing until the server stops.
  int stallMs = 0;
  // Sends the head and this many body bytes, then resets the connection (TCP RST).
  long resetAfterBodyBytes = -1;
  // Sends the body in pieces of this many bytes with a pause after each; a pause of -1 sends
  // nothing after the first piece until the server stops (a stall in the middle of the body).
  int trickleBytes = 0;
  int trickleIntervalMs = 0;
};

// Convenience: a 200 response with the given body and headers.
ScriptedResponse Ok(std::string body, HeaderList headers = {});

class Server {
 public:
  using Handler = std::function<ScriptedResponse(const RecordedRequest&)>;

  // Starts listening on 127.0.0.1 at once; every request gets the handler's answer
  // (an empty 200 response until one is set).
  Server();
  explicit Server(Handler handler);
  ~Server();  // Stop()
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // The port the system chose; 0 when listening failed.
  int port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string BaseUrl() const;

  void SetHandler(Handler handler);
  // Every request gets this one response.
  void SetResponse(ScriptedResponse response);

  // The requests seen so far, in the order their heads were complete.
  std::vector<RecordedRequest> Requests() const;
  size_t RequestCount() const;

  // Stops accepting, wakes every stalled or trickling answer, closes every connection and
  // joins all threads. Idempotent.
  void Stop();

 private:
  void AcceptLoop();
  void Serve(int fd);
  // Sleeps up to ms (forever for -1) unless the server stops first; false when it stopped.
  bool Pause(int ms);
  bool SendAll(int fd, std::string_view bytes);

  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptThread_;

  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  Handler handler_;
  std::vector<RecordedRequest> requests_;
  std::vector<std::thread> connectionThreads_;
};

// A port on 127.0.0.1 that refuses connections: bound but never listening, held while the
// object lives, so that no other server takes it meanwhile.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  // "http://127.0.0.1:<port>"
  std::string BaseUrl() const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

// ClearProxyEnvironment: unsets the proxy variables libcurl reads (http_proxy, https_proxy,
// all_proxy, no_proxy and their upper-case forms), so that requests to 127.0.0.1 go straight
// to the test's server. Call it before any request thread runs.
void ClearProxyEnvironment();

}  // namespace loopback
