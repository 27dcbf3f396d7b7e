// Every reader on the hostile bodies of tests/integration/hostile_pages.h: time per body and the
// peak resident memory while reading it. Budget: every reader under 2 s and 256 MiB per body.
// The peak is the process's high-water mark, reset once the body is built (/proc/self/clear_refs),
// so it includes the body itself and whatever the harness holds; read_MiB is the part the reading
// added.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/controls/controls.h"
#include "clearance/clearance_reader.h"
#include "deals/deal_run.h"
#include "integration/hostile_pages.h"
#include "text/gbk.h"

namespace {

// The value of a "Name:   123 kB" line of /proc/self/status, in KiB; 0 when absent.
long StatusKb(const char* name) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name, 0) == 0) return std::atol(line.c_str() + std::strlen(name));
  }
  return 0;
}

// Starts the high-water mark of the resident set afresh at the current resident set.
void ResetPeakRss() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

void BM_HostileBody(benchmark::State& state, const hostile::Reader* reader, hostile::Kind kind) {
  Controls().Reset();
  const std::string body = hostile::Body(*reader, kind);
  // The body is the reader's input: it counts, the garbage of building it does not.
  const long before = StatusKb("VmRSS:");
  ResetPeakRss();
  for (auto _ : state) {
    for (int ch = 0; ch < 4; ++ch) ChannelItemCounter(ch) = 0;
    ClearanceItemCounter() = 0;
    reader->harvest(body);
    state.PauseTiming();
    Controls().Reset();
    state.ResumeTiming();
  }
  state.counters["body_MiB"] = static_cast<double>(body.size()) / (1 << 20);
  state.counters["peak_rss_MiB"] = static_cast<double>(StatusKb("VmHWM:")) / 1024;
  state.counters["read_MiB"] = static_cast<double>(StatusKb("VmHWM:") - before) / 1024;
}

const int registered = [] {
  for (const hostile::Reader& r : hostile::Readers()) {
    for (hostile::Kind kind : hostile::Kinds()) {
      const std::string name =
          "BM_HostileBody/" + GbkToUtf8(r.name) + "/" + hostile::KindName(kind);
      benchmark::RegisterBenchmark(name.c_str(), BM_HostileBody, &r, kind)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(3);
    }
  }
  return 0;
}();

}  // namespace

BENCHMARK_MAIN();
