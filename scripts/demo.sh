#!/usr/bin/env bash
# The demo: builds the assistant, serves the demo product DEMO from a real FTP server on
# loopback (tools/demo/), and runs the assistant as DEMO_setup.
#
# With a display (DISPLAY set and reachable) the window is yours to use. Without one the
# script starts its own Xvfb, drives the window as a user would with xdotool, and keeps
# screenshots in build/demo/screenshots/. Either way it prints what was installed where.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target setup-demo unzdll

cache_value() { sed -n "s/^$1:[A-Z]*=//p" build/CMakeCache.txt; }
port=$(cache_value SETUP_DEMO_PORT)
drive_c=$(cache_value SETUP_DEMO_DRIVE_C)
demo=build/demo
server_root=$demo/server
shots=$demo/screenshots
install_folder="$drive_c/Program Files/DEMO"

# A fresh start each time: the server's files, the demo drive and the screenshots.
rm -rf "$server_root" "$shots" "$drive_c"
mkdir -p "$server_root/files" "$shots" "$drive_c"
/usr/bin/python3 tools/demo/make_descriptor.py tools/demo/DEMO.txt.utf8 "$server_root/files/DEMO.txt"
/usr/bin/python3 tools/demo/make_package.py tools/demo/package "$server_root/files/DEMO.zip" 4
cp build/bin/UNZDLL.DLL "$server_root/files/UNZDLL.DLL"
cp build/bin/setup-demo "$demo/DEMO_setup"

pids=()
stop_all() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_all EXIT

# Polls a command until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# 512 KiB/s: the 4 MiB package takes a few seconds, long enough to see the gauge move.
/usr/bin/python3 tools/demo/ftp_server.py --root "$server_root" --port "$port" --rate 524288 \
  >"$demo/server.log" 2>&1 &
pids+=($!)
if ! wait_for 10 grep -qs listening "$demo/server.log"; then
  echo "The demo server did not start (is port $port in use?):" >&2
  cat "$demo/server.log" >&2
  exit 1
fi
echo "Demo server: ftp://127.0.0.1:$port/files/ serving $server_root/files"

run_assistant() { (cd "$demo" && exec ./DEMO_setup) >"$demo/setup.log" 2>&1; }

report() {
  local status=$1
  echo
  echo "DEMO_setup exit status: $status"
  echo "Installed files ($install_folder/):"
  if [[ -d $install_folder ]]; then
    (cd "$install_folder" && find . -type f | sed 's|^\./|  |' | sort)
  else
    echo "  (none)"
  fi
  if [[ -f $install_folder/pelinst.log ]]; then
    echo "pelinst.log:"
    sed 's/^/  /' "$install_folder/pelinst.log"
  fi
  if [[ -s $demo/setup.log ]]; then
    echo "DEMO_setup printed:"
    sed 's/^/  /' "$demo/setup.log"
  fi
}

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Running $demo/DEMO_setup on $DISPLAY; close its window or install to finish."
  status=0
  run_assistant || status=$?
  wait_for 10 test -f "$install_folder/pelinst.log" || true
  report "$status"
  exit "$status"
fi

# No display: a private Xvfb, and the script plays the user.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$demo/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 -u "$display_fd" number || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"
if ! wait_for 10 xdpyinfo >/dev/null 2>&1; then
  echo "Xvfb on $DISPLAY does not answer:" >&2
  cat "$demo/xvfb.log" >&2
  exit 1
fi
echo "No display: running on a private Xvfb ($DISPLAY) and clicking for you."

run_assistant &
app=$!
pids+=("$app")

window_count() { xdotool search --onlyvisible --class '^SetupAssistant$' 2>/dev/null | wc -l; }
has_windows() { (($(window_count) >= $1)); }
has_window_count() { (($(window_count) == $1)); }
# The buttons are enabled once the descriptor is shown: the install button's label turns
# from grey to black (and the window is painted, so its background is light).
ready() {
  local range
  range=$(import -window "$window" -crop 28x12+238+252 +repage -colorspace gray \
    -format '%[fx:minima] %[fx:maxima]' info: 2>/dev/null) || return 1
  awk -v r="$range" 'BEGIN { split(r, v, " "); exit !(v[1] < 0.3 && v[2] > 0.8) }'
}
shot() { import -window root "$shots/$1"; }

wait_for 30 has_windows 1 || { echo "The window did not appear" >&2; exit 1; }
window=$(xdotool search --onlyvisible --class '^SetupAssistant$' | head -1)
wait_for 30 ready || { echo "The window did not become ready" >&2; report 1; exit 1; }
shot 1-ready.png

xdotool mousemove --window "$window" 361 200 click 1 # "변경"
wait_for 10 has_windows 2
shot 2-dialog.png
xdotool key Escape
wait_for 10 has_window_count 1

xdotool mousemove --window "$window" 252 258 click 1 # "설 치"
# The server sends the package slowly: a moment later the gauge is part way.
sleep 1.5
if kill -0 "$app" 2>/dev/null && has_windows 1; then shot 3-installing.png; fi

status=0
wait "$app" || status=$?
if wait_for 10 xdotool search --onlyvisible --class '^Xmessage$' >/dev/null 2>&1; then
  shot 4-installer.png
fi

report "$status"
echo "Screenshots: $shots/"
ls "$shots" | sed 's/^/  /'
exit "$status"
