// The HTTP server: loopback only, a thread per connection, one request per connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faults.h"
#include "request_log.h"

struct ServerSettings {
  std::uint64_t seed = 1;
  std::string version_answer = "1.20";
  std::vector<Fault> faults;
  RequestLog* log = nullptr;  // nullptr: no log
};

// ListenLoopback: a listening socket on 127.0.0.1:port (0 lets the system choose); the port it
// got through bound. Returns the socket, or -1 with error set. Example: ListenLoopback(0, &p, e).
int ListenLoopback(int port, int* bound, std::string& error);

// ServeMarket: accepts connections on listen_fd until stop_fd becomes readable, each on a
// thread of its own: reads one request (origin or absolute form, HTTP/1.0 or 1.1), logs it,
// applies the faults scoped to it, answers with "Connection: close" and closes. On stop it closes
// the listening socket, cuts the open connections (stalled ones included) and returns once they
// have ended, waiting a few seconds at most. port names the server in logged addresses of
// requests that carry no host.
void ServeMarket(int listen_fd, int port, int stop_fd, const ServerSettings& settings);
