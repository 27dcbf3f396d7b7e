// sample-market: the sample marketplace, a loopback HTTP server for tests, benchmarks and the
// demo. See Usage() in options.cpp for the command line.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "http_server.h"
#include "options.h"
#include "print_items.h"

namespace {

int g_stop_pipe[2] = {-1, -1};

void OnStopSignal(int) {
  char byte = 1;
  ssize_t ignored = write(g_stop_pipe[1], &byte, 1);
  (void)ignored;
}

// Written to a temporary name and renamed, so a reader never sees half a port number.
bool WritePortFile(const std::string& path, int port) {
  std::string temp = path + ".tmp." + std::to_string(getpid());
  std::FILE* f = std::fopen(temp.c_str(), "w");
  if (f == nullptr) return false;
  bool ok = std::fprintf(f, "%d\n", port) > 0;
  ok = std::fclose(f) == 0 && ok;
  if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "sample-market: %s\n%s", error.c_str(), Usage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }
  if (options.print_items) return PrintItems(options.seed, stdout);

  // Never destroyed: connection threads cut at stop may still be writing to it.
  static auto* const log = new RequestLog;
  if (!options.log.empty() && !log->Open(options.log)) {
    std::fprintf(stderr, "sample-market: cannot open the log %s\n", options.log.c_str());
    return 1;
  }
  if (pipe2(g_stop_pipe, O_CLOEXEC) != 0) {
    std::perror("sample-market: pipe");
    return 1;
  }
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGTERM, &stop, nullptr);
  sigaction(SIGINT, &stop, nullptr);
  signal(SIGPIPE, SIG_IGN);

  int port = 0;
  int listen_fd = ListenLoopback(options.port, &port, error);
  if (listen_fd < 0) {
    std::fprintf(stderr, "sample-market: %s\n", error.c_str());
    return 1;
  }
  std::printf("port %d\n", port);
  std::fflush(stdout);
  if (!options.port_file.empty() && !WritePortFile(options.port_file, port)) {
    std::fprintf(stderr, "sample-market: cannot write %s\n", options.port_file.c_str());
    return 1;
  }

  // Settings outlive main's return: connection threads cut at stop may still read them.
  static auto* const settings = new ServerSettings;
  settings->seed = options.seed;
  settings->version_answer = options.version_answer;
  settings->faults = options.faults;
  settings->log = options.log.empty() ? nullptr : log;
  ServeMarket(listen_fd, port, g_stop_pipe[0], *settings);
  return 0;
}
