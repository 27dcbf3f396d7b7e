#!/usr/bin/env bash
# End to end: the real program in a real X session (Xvfb) against the sample marketplace. It
# opens with the update notice (the marketplace announces a newer version), the notice is
# dismissed, a click on 获取特价列表按钮 harvests through the proxy, and closing the window ends
# the program with exit code 0. Screenshots of the start and of the harvested list are kept in
# BUILD_DIR/artifacts. Usage: end_to_end.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: end_to_end.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DH_E2E_DISPLAY:-}" ]; then
  # A display of our own, whatever the caller has.
  exec xvfb-run -a -s "-screen 0 1024x768x24" env DH_E2E_DISPLAY=1 bash "$0" "$build"
fi

artifacts="$build/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
market_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$market_pid" ] && kill "$market_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "end_to_end: $*" >&2
  import -window root "$artifacts/end-to-end-failure.png" 2>/dev/null || true
  exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    ((tries > 0)) || return 1
    sleep 0.1
  done
}

"$build/sample-market" --port 0 --port-file "$work/port" --version-answer 1.21 \
  --log "$work/requests.log" >/dev/null &
market_pid=$!
wait_for 10 test -s "$work/port" || fail "the sample marketplace did not start"
port=$(cat "$work/port")

unset no_proxy NO_PROXY
http_proxy="http://127.0.0.1:$port" QT_QPA_PLATFORM=xcb "$build/deal-harvester" \
  >"$work/program.out" 2>&1 &
program_pid=$!

title="Deal Harvester 1.20"
wait_for 20 xwininfo -name "$title" || fail "the window did not open"
info=$(xwininfo -name "$title")
window_id=$(awk '/Window id:/ {print $4}' <<<"$info")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
[ "$width" = 601 ] && [ "$height" = 407 ] || fail "client area is ${width}x${height}"
# Centred on the 1024 x 768 screen (the outer frame of 607 x 436; no window manager here).
[ "$left" = $(((1024 - 607) / 2)) ] && [ "$top" = $(((768 - 436) / 2)) ] ||
  fail "window at $left,$top is not centred"

# The marketplace announces 1.21: the update notice comes up over the window.
notice="版本有更新"
wait_for 20 xwininfo -name "$notice" || fail "no update notice"
sleep 0.5
import -window root "$artifacts/end-to-end-start.png"
python3 "$here/x11_input.py" key Escape
if ! wait_for 3 bash -c "! xwininfo -name '$notice'"; then
  # Without a window manager the notice may lack the keyboard focus: press its OK button.
  box=$(xwininfo -name "$notice")
  bx=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$box")
  by=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$box")
  bw=$(awk '/Width:/ {print $2}' <<<"$box")
  bh=$(awk '/Height:/ {print $2}' <<<"$box")
  python3 "$here/x11_input.py" click $((bx + bw - 50)) $((by + bh - 22))
  wait_for 5 bash -c "! xwininfo -name '$notice'" || fail "the update notice does not close"
fi

# 获取特价列表按钮: tab control at 170,7; 分组框4 at 8,23 in it; the button at 311,15 in that.
python3 "$here/x11_input.py" click $((left + 170 + 8 + 311 + 36)) $((top + 7 + 23 + 15 + 23))
deal_pages() { grep -c -E 'market\.example/(d/jiu|tg/today_items|d/index|ten)' "$work/requests.log" || true; }
wait_for 30 bash -c "[ \$(grep -c -E 'market\\.example/(d/jiu|tg/today_items|d/index|ten)' '$work/requests.log') -ge 30 ]" ||
  fail "the click harvested $(deal_pages) pages"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended during the harvest"
sleep 1.5
import -window root -crop "601x407+$left+$top" +repage "$artifacts/end-to-end-harvest.png"

# Closing the window ends the program.
python3 "$here/x11_input.py" close "$window_id"
for _ in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program is still running after its window closed"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" = 0 ] || fail "the program ended with $status: $(cat "$work/program.out")"
echo "end_to_end: $(deal_pages) deal pages harvested; screenshots in $artifacts"
