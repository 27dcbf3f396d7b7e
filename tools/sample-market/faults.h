// The fault switches: --fault KIND[=VALUE][@PATHPREFIX], each for the requests whose path and
// query begin with the prefix (every request without one).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "http_message.h"

enum class FaultKind {
  kLatency,    // latency=MS: wait before answering
  kStall,      // read the request, then send nothing
  kStallBody,  // send the head and half the body, then nothing
  kReset,      // send the head and half the body, then reset the connection
  kStatus,     // status=CODE: that status with an error page
  kEmpty,      // 200 with no body
  kGarbage,    // 200 with random bytes
  kOversize,   // the page padded to about 20 MiB
  kCharset,    // charset=NAME declared in Content-Type
  kNoCharset,  // no charset in Content-Type
  kPageCount,  // pagecount=N: the clearance feed announces N pages
};

struct Fault {
  FaultKind kind;
  std::string value;   // as given after "=", checked by the kind's rule
  std::string prefix;  // after "@"; empty: every request
};

// ParseFault: one switch value, or nothing with error set. Example: ParseFault("status=503@/ten",
// e) gives kind kStatus, value "503", prefix "/ten".
std::optional<Fault> ParseFault(std::string_view text, std::string& error);

// FaultKindNames: the kinds' names for the usage text, e.g. "latency=MS stall ...".
std::string FaultKindNames();

// FaultsFor: the faults whose prefix begins origin (path and query), in the order given.
std::vector<const Fault*> FaultsFor(const std::vector<Fault>& faults, std::string_view origin);

// AnnouncedPages: the value of the last pagecount fault, or empty.
std::string AnnouncedPages(const std::vector<const Fault*>& faults);

// ShapeResponse: applies the status, body and header faults to response in the order given
// (status, empty, garbage, oversize, charset, nocharset). Garbage is the same bytes for the same
// seed and origin.
void ShapeResponse(HttpResponse& response, const std::vector<const Fault*>& faults,
                   std::uint64_t seed, std::string_view origin);

// How the answer goes out.
enum class SendMode { kWhole, kStall, kStallBody, kReset };
struct Delivery {
  int latency_ms = 0;                // the sum of the latency faults
  SendMode mode = SendMode::kWhole;  // the first of stall, stall-body and reset
};

// DeliveryFor: the latency and send mode the faults ask for.
Delivery DeliveryFor(const std::vector<const Fault*>& faults);

// ErrorPage: the small GBK page that goes with an error status. Example: ErrorPage(404).
HttpResponse ErrorPage(int status);
