#pragma once

#include <string>
#include <string_view>

// FetchPage: a plain GET of a complete "http://" address, as HTTP/1.0 with the user agent
// "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)" and "Accept: */*" and no other header of
// ours. Returns the body bytes whatever the status; a failure gives no bytes; a body whose
// reading breaks off is returned as far as it was read. Redirects are followed (a few), a
// connect timeout and a low-speed abort keep a stalled server from holding a run, and the body
// is capped at kMaxBodyBytes. Safe from several threads at once. libcurl's standard proxy
// environment (http_proxy, no_proxy) stays in force.
std::string FetchPage(std::string_view address);

inline constexpr long kMaxBodyBytes = 16L * 1024 * 1024;

// The limits every request (FetchPage and WebRequest) starts from: connecting (name resolution
// included) within 10 s, an abort when the transfer moves less than 1 byte/s for 15 s, and at
// most 5 minutes for the whole transfer. A transfer cut off by a limit keeps the body read so far.
inline constexpr long kDefaultConnectTimeoutMs = 10'000;
inline constexpr long kDefaultLowSpeedSeconds = 15;
inline constexpr long kDefaultTotalTimeoutMs = 300'000;

// SetHttpTimeoutsForTesting: replaces those limits for the requests started after it, so that a
// test of a stalled server ends in a second. Not for the program itself.
// Example: SetHttpTimeoutsForTesting(1000, 1, 5000); ... SetHttpTimeoutsForTesting(
//   kDefaultConnectTimeoutMs, kDefaultLowSpeedSeconds, kDefaultTotalTimeoutMs);
void SetHttpTimeoutsForTesting(long connectMs, long lowSpeedSeconds,
                               long totalMs = kDefaultTotalTimeoutMs);
