#!/usr/bin/env bash
# Throughput of our FTP client against curl on a 256 MiB file from a real FTP server on
# loopback (pyftpdlib with sendfile, so the server is not the slow end). The two clients
# take turns for several rounds; the script prints each median, the ratio ours/curl and
# the peak resident memory of each.
#
# Usage: bench/ftp_bench.sh [BUILD_DIR]   (default: build; needs its ftp_fetch target)
# Environment: ROUNDS (default 5), SIZE_MIB (default 256).
set -euo pipefail

build=${1:-build}
rounds=${ROUNDS:-5}
size_mib=${SIZE_MIB:-256}
here=$(cd "$(dirname "$0")" && pwd)
fetch="$build/bin/ftp_fetch"
server_script="$here/../tests/support/ftp/real_ftp_server.py"
user=quandel
password='KaqWrBe%%7391%%'

if [[ ! -x $fetch ]]; then
  echo "no $fetch: run 'cmake --build $build --target ftp_fetch' first" >&2
  exit 1
fi
command -v curl >/dev/null || { echo "curl is not installed" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
  if [[ -n ${SERVER_PID:-} ]]; then
    exec {SERVER[1]}>&- 2>/dev/null || true   # closing its stdin ends the server
    kill "$SERVER_PID" 2>/dev/null || true
    wait "$SERVER_PID" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/root/files"
head -c $((size_mib * 1024 * 1024)) /dev/urandom >"$work/root/files/big.bin"
size_bytes=$((size_mib * 1024 * 1024))

coproc SERVER { exec /usr/bin/python3 "$server_script" --root "$work/root" --user "$user" --password "$password"; }
read -r -t 10 port <&"${SERVER[0]}"
echo "server: pyftpdlib on 127.0.0.1:$port; file: $size_mib MiB; rounds: $rounds"

# run NAME COMMAND... : times one download; appends "seconds rss_kib" to $work/NAME.
run() {
  local name=$1
  shift
  rm -f "$work/out.bin"
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/rss" "$@"
  end=$(date +%s%N)
  local got
  got=$(stat -c %s "$work/out.bin")
  if [[ $got -ne $size_bytes ]]; then
    echo "$name fetched $got bytes, expected $size_bytes" >&2
    exit 1
  fi
  echo "$(((end - start) / 1000)) $(cat "$work/rss")" >>"$work/$name"
}

for ((i = 1; i <= rounds; i++)); do
  run ours "$fetch" 127.0.0.1 "$port" "$user" "$password" /files/big.bin "$work/out.bin"
  if ((i == 1)); then cmp -s "$work/out.bin" "$work/root/files/big.bin" || { echo "ours: content differs" >&2; exit 1; }; fi
  run curl curl -sS --user "$user:$password" -o "$work/out.bin" "ftp://127.0.0.1:$port/files/big.bin"
done

# median of the first column (microseconds), as MiB/s
median_rate() {
  sort -n "$1" | awk -v n="$rounds" -v mib="$size_mib" \
    '{ t[NR] = $1 } END { m = (n % 2) ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2; printf "%.1f", mib / (m / 1e6) }'
}
peak_mib() { awk '{ if ($2 > m) m = $2 } END { printf "%.1f", m / 1024 }' "$1"; }

ours=$(median_rate "$work/ours")
theirs=$(median_rate "$work/curl")
echo "ours: median $ours MiB/s, peak RSS $(peak_mib "$work/ours") MiB"
echo "curl: median $theirs MiB/s, peak RSS $(peak_mib "$work/curl") MiB"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio ours/curl: %.3f\n", a / b }'
