// Program start. libcurl is initialised once, before any thread exists. The process ends with
// quick_exit: detached runs may still be inside a request, and nothing of theirs (nor the
// controls they use) may be destroyed under them.
#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>

#include "app/window/program.h"

int main(int argc, char** argv) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const int exitCode = RunProgram(argc, argv);
  std::fflush(nullptr);
  std::quick_exit(exitCode);
}
