#!/usr/bin/env bash
# Wall time of a deal run of the CLI against the sample marketplace on loopback, beside curl
# fetching the same addresses one after another through the same proxy; prints the ratio.
# Usage: bench/harvest_vs_curl.sh [all|九块邮] [repeats]   (build first: scripts/setup)
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
repeats=${2:-5}
dir=$(mktemp -d)
build/sample-market --port 0 --port-file "$dir/port" >/dev/null &
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

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
run_times() {
  for _ in $(seq "$repeats"); do
    local t0 t1
    t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
    echo $(((t1 - t0) / 1000))
  done | median
}
cli_us=$(run_times build/deal-harvester-cli deals "${channels[@]}")
curl_us=$(run_times curl -s -0 "${curl_args[@]}")
echo "pages: ${#urls[@]}"
echo "deal-harvester-cli: ${cli_us} us (median of $repeats)"
echo "curl one after another: ${curl_us} us (median of $repeats)"
awk -v a="$cli_us" -v b="$curl_us" 'BEGIN { printf "ratio cli/curl: %.2f (budget 1.5)\n", a / b }'
