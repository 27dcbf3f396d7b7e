#!/usr/bin/env bash
# Wall time of a deal run of the CLI against the sample marketplace on loopback, beside curl
# fetching the same addresses one after another through the same proxy; prints the ratio.
# Usage: bench/harvest_vs_curl.sh [all|九块邮] [repeats]   (build first: scripts/setup)
#   DH_BUILD=build-bench bench/harvest_vs_curl.sh all 11   uses another build directory.
#
# Fairness: the CLI runs in one process and opens one connection per page; curl runs in one
# process too, as HTTP/1.0, with every address on one command line. It could reuse a
# connection, but the marketplace answers every request with "Connection: close", so it opens
# one per address as well (checked below with curl -v before any timing). One untimed run of
# each comes first, so the marketplace has built and cached every page before the clock runs.
# Runs of the two alternate, so a load that comes and goes hits both alike.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${DH_BUILD:-build}
which=${1:-all}
repeats=${2:-5}
dir=$(mktemp -d)
"$build/sample-market" --port 0 --port-file "$dir/port" --log "$dir/requests" >/dev/null &
market=$!
trap 'kill $market 2>/dev/null; wait $market 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.05; done
unset no_proxy NO_PROXY
export http_proxy="http://127.0.0.1:$(cat "$dir/port")"

urls=()
for p in $(seq 9); do urls+=("http://nine.market.example/d/jiu?&u=jiu/all/$p"); done
channels=(--channels 九块邮)
if [ "$which" = all ]; then
  channels=()
  for p in $(seq 19); do
    urls+=("http://groupbuy.market.example/tg/today_items.htm?&stype=newest&reverse=down&page=$p")
  done
  for p in $(seq 9); do urls+=("http://discountshop.market.example/d/index?u=index/all/all/$p"); done
  urls+=("http://daily.market.example/ten.htm" "http://daily.market.example/ten/fuyou.htm")
fi
curl_args=()
for u in "${urls[@]}"; do curl_args+=(-o /dev/null "$u"); done

# The untimed runs: the CLI must ask for exactly our addresses, and curl must open a new
# connection for every one of them.
"$build/deal-harvester-cli" deals "${channels[@]}" >"$dir/rows" 2>/dev/null
cut -f2 "$dir/requests" >"$dir/cli-urls"
if ! printf '%s\n' "${urls[@]}" | cmp -s - "$dir/cli-urls"; then
  echo "the CLI asked for other addresses than curl will:" >&2
  printf '%s\n' "${urls[@]}" | diff - "$dir/cli-urls" >&2 || true
  exit 1
fi
connections=$(curl -v -s -0 "${curl_args[@]}" 2>&1 | grep -c '^\* Connected to' || true)
reused=$(curl -v -s -0 "${curl_args[@]}" 2>&1 | grep -ci 're-using existing connection' || true)

# Microseconds from bash itself: a clock read by a forked `date` would add its own start-up to
# every interval, which shrinks the ratio.
now() { local t=$EPOCHREALTIME; now_us=${t/[.,]/}; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
: >"$dir/cli-us"
: >"$dir/curl-us"
for _ in $(seq "$repeats"); do
  now; t0=$now_us
  "$build/deal-harvester-cli" deals "${channels[@]}" >/dev/null 2>&1
  now; t1=$now_us
  curl -s -0 "${curl_args[@]}"
  now; t2=$now_us
  echo $((t1 - t0)) >>"$dir/cli-us"
  echo $((t2 - t1)) >>"$dir/curl-us"
done
cli_us=$(median <"$dir/cli-us")
curl_us=$(median <"$dir/curl-us")
echo "pages: ${#urls[@]}, rows: $(wc -l <"$dir/rows")"
echo "curl connections: $connections opened, $reused reused"
echo "deal-harvester-cli: ${cli_us} us (median of $repeats; all: $(sort -n "$dir/cli-us" | xargs))"
echo "curl one after another: ${curl_us} us (median of $repeats; all: $(sort -n "$dir/curl-us" | xargs))"
awk -v a="$cli_us" -v b="$curl_us" 'BEGIN { printf "ratio cli/curl: %.2f (budget 1.5)\n", a / b }'
