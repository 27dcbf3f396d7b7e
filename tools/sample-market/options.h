// The command line of sample-market.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faults.h"

struct Options {
  int port = 0;  // 0: the system chooses
  std::string port_file;
  std::uint64_t seed = 1;
  std::string log;
  std::string version_answer = "1.20";
  std::vector<Fault> faults;
  bool print_items = false;
  bool help = false;
};

// ParseOptions: the arguments after the program name, as "--name value" or "--name=value";
// false with error set on an unknown switch or a bad value.
// Example: {"--port", "0", "--fault", "status=503@/ten.htm"}.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

// Usage: the usage text, ending in a line feed.
std::string Usage();
