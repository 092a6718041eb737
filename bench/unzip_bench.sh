#!/bin/sh
# Compares UNZDLL.DLL with unzip and bsdtar on a 256 MiB package of a few hundred files of
# mixed compressibility (text-like, random, zeros), made once with Info-ZIP zip.
# Usage: bench/unzip_bench.sh [build folder] [rounds]     (default: build 5)
# Needs: zip, unzip, bsdtar (Debian: zip unzip libarchive-tools), python3; the targets
# unzip_run and unzdll built in the build folder.
set -eu

build=${1:-build}
rounds=${2:-5}
run="$build/bin/unzip_run"
dll="$build/bin/UNZDLL.DLL"
for tool in zip unzip bsdtar python3; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 2; }
done
[ -x "$run" ] && [ -f "$dll" ] || { echo "build unzip_run and unzdll in $build first" >&2; exit 2; }
run=$(cd "$(dirname "$run")" && pwd)/unzip_run
dll=$(cd "$(dirname "$dll")" && pwd)/UNZDLL.DLL

work=$(mktemp -d "${TMPDIR:-/tmp}/unzip-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

echo "building the package in $work ..."
python3 - "$work/pkg" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(170)
words = [''.join(rng.choice('abcdefghijklmnopqrstuvwxyz') for _ in range(rng.randint(2, 9)))
         for _ in range(4000)]
text = ' '.join(rng.choice(words) for _ in range(200000)).encode()  # about 1 MiB
total, target, i = 0, 256 << 20, 0
while total < target:
    kind = ('txt', 'bin', 'dat')[i % 3]
    size = min(rng.randint(64 << 10, 1600 << 10), target - total)
    if kind == 'txt':
        start = rng.randrange(len(text) - 1)
        data = (text[start:] + text) * (size // len(text) + 2)
    elif kind == 'bin':
        data = os.urandom(size)
    else:
        data = bytes(size)
    folder = os.path.join(root, 'dir%02d' % (i % 12))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'file%04d.%s' % (i, kind)), 'wb') as f:
        f.write(data[:size])
    total += size
    i += 1
print('%d files, %d MiB' % (i, total >> 20))
PY
(cd "$work/pkg" && zip -q -r "$work/package.zip" .)
rm -rf "$work/pkg"
echo "package: $(du -m "$work/package.zip" | cut -f1) MiB compressed"

now() { date +%s.%N; }
# time_one NAME COMMAND...: extracts into a fresh folder, appends the seconds to NAME's list.
time_one() {
  name=$1
  shift
  rm -rf "$work/out"
  mkdir "$work/out"
  sync
  start=$(now)
  "$@" >/dev/null
  end=$(now)
  awk -v a="$end" -v b="$start" 'BEGIN { print a - b }' >>"$work/$name.times"
}

ours() { "$run" "$dll" "$work/package.zip" "$work/out"; }
infozip() { unzip -o -q "$work/package.zip" -d "$work/out"; }
libarchive() { bsdtar -xf "$work/package.zip" -C "$work/out"; }

ours  # warm-up, and a check that it extracts without problems
r=1
while [ "$r" -le "$rounds" ]; do
  # Alternate the order so that no tool always runs right after another's writes.
  if [ $((r % 2)) -eq 1 ]; then
    time_one ours ours; time_one unzip infozip; time_one bsdtar libarchive
  else
    time_one bsdtar libarchive; time_one unzip infozip; time_one ours ours
  fi
  r=$((r + 1))
done

median() { sort -n "$work/$1.times" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
m_ours=$(median ours)
m_unzip=$(median unzip)
m_bsdtar=$(median bsdtar)
printf 'median of %d rounds (s): UNZDLL.DLL %.3f  unzip %.3f  bsdtar %.3f\n' \
  "$rounds" "$m_ours" "$m_unzip" "$m_bsdtar"
printf 'UNZDLL.DLL time / unzip: %.2f   / bsdtar: %.2f   (below 1 is faster)\n' \
  "$(awk -v a="$m_ours" -v b="$m_unzip" 'BEGIN { print a / b }')" \
  "$(awk -v a="$m_ours" -v b="$m_bsdtar" 'BEGIN { print a / b }')"
