#!/usr/bin/env bash
# Splitter side by side with its peers on the same 1 GiB file, in one run:
#   checksum:  kasto-cli crc32      vs  7zz h -scrcCRC32  and  cksum
#   split:     kasto-cli split      vs  split -b  (100 MiB fragments, 11 of them)
#   join:      kasto-cli join       vs  cat
# plus the in-memory CRC loop (bench_splitter_crc). Prints medians and ratios to Kasto at the end.
# Needs hyperfine (apt-get install hyperfine) and python3.
# Usage: bench/splitter_bench.sh [BUILD_DIR] [SIZE_MIB]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
mib=${2:-1024}
cli=$build/src/app/kasto-cli
crcbench=$build/bench/bench_splitter_crc
command -v hyperfine >/dev/null || { echo "hyperfine fehlt (apt-get install hyperfine)" >&2; exit 1; }
command -v 7zz >/dev/null || { echo "7zz fehlt" >&2; exit 1; }
cmake --build "$build" --target kasto-cli bench_splitter_crc >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/kasto-splitbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir k p
head -c $((mib << 20)) /dev/urandom > k/quelle.bin
ln k/quelle.bin p/quelle.bin
kb=102400
out=$work/results
mkdir "$out"

"$crcbench" 256 | tee "$out/crc_memory.txt"

# Checksum: all three read the same cached file.
hyperfine -N --warmup 1 --runs 5 --export-markdown "$out/crc.md" --export-json "$out/crc.json" \
  -n kasto "$cli crc32 k/quelle.bin" \
  -n 7zz "7zz h -scrcCRC32 k/quelle.bin" \
  -n cksum "cksum k/quelle.bin"
[ "$("$cli" crc32 k/quelle.bin)" = "$(7zz h -scrcCRC32 k/quelle.bin | awk '/CRC32 *for data/ {print $NF}')" ] \
  || { echo "CRC weicht von 7zz ab" >&2; exit 1; }

# Split: the previous run's fragments are freed just before each timed run.
hyperfine --warmup 1 --runs 5 --export-markdown "$out/split.md" --export-json "$out/split.json" \
  -n kasto --prepare "rm -f k/quelle.bin._*" "$cli split k/quelle.bin --size $kb" \
  -n split --prepare "rm -f p/quelle.bin._*" "split -b $((kb * 1024)) -a 3 -d --numeric-suffixes=1 p/quelle.bin p/quelle.bin._"
cmp k/quelle.bin._011 p/quelle.bin._011

# Join the fragments each tool made.
hyperfine --warmup 1 --runs 5 --export-markdown "$out/join.md" --export-json "$out/join.json" \
  -n kasto --prepare "rm -f k/ziel.bin" "$cli join k/quelle.bin._001 k/ziel.bin" \
  -n cat --prepare "rm -f p/ziel.bin" "sh -c 'cat p/quelle.bin._* > p/ziel.bin'"
cmp k/ziel.bin k/quelle.bin
cmp p/ziel.bin p/quelle.bin

# Medians and their ratio to Kasto, from this one run.
python3 - "$out" <<'PY'
import json, sys
for name in ("crc", "split", "join"):
    runs = json.load(open(f"{sys.argv[1]}/{name}.json"))["results"]
    kasto = next(r["median"] for r in runs if r["command"] == "kasto")
    print(name + ": " + ", ".join(f'{r["command"]} {r["median"]:.3f} s ({r["median"] / kasto:.2f})' for r in runs))
PY
