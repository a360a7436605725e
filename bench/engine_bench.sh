#!/usr/bin/env bash
# ZIP engine side by side with its peers on the same bytes, in one run:
#   create:   kasto-cli add --recurse   vs  zip -6 -r        (a generated tree, ~80 MB)
#   test:     kasto-cli test            vs  unzip -t  and  7zz t     (Kasto's archive)
#   extract:  kasto-cli extract         vs  unzip     and  7zz x     (Kasto's archive)
# The tree is half text that deflates well, half random data that is stored. Prints medians and
# ratios to Kasto at the end. Needs hyperfine (apt-get install hyperfine), zip, unzip, 7zz, python3.
# Usage: bench/engine_bench.sh [BUILD_DIR] [SIZE_MB]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
mb=${2:-80}
cli=$build/src/app/kasto-cli
for p in hyperfine zip unzip 7zz python3; do
  command -v "$p" >/dev/null || { echo "$p fehlt (apt-get install ${p/7zz/7zip})" >&2; exit 1; }
done
cmake --build "$build" --target kasto-cli >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/kasto-enginebench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
out=$work/results
mkdir "$out"

# 20 folders, each with text files of ~100 kB and random files of ~200 kB; the same bytes every time.
python3 - tree "$mb" <<'PY'
import os, random, sys
root, mb = sys.argv[1], int(sys.argv[2])
rng = random.Random(7)
words = [''.join(rng.choice('abcdefghijklmnopqrstuvwxyzäöü') for _ in range(rng.randint(2, 11)))
         for _ in range(4000)]
weights = [1 / (r + 1) for r in range(len(words))]  # a few words often, most rarely, as in prose
per_half = mb * 10**6 // 2
folders = 20
text_files = per_half // 100_000 // folders
bin_files = per_half // 200_000 // folders
for d in range(folders):
    path = os.path.join(root, f"ordner{d:02}", "unter" if d % 3 == 0 else "")
    os.makedirs(path, exist_ok=True)
    for i in range(text_files):
        line_words = rng.choices(words, weights, k=13_000)
        text = '\n'.join(' '.join(line_words[k:k + 12]) for k in range(0, len(line_words), 12))
        with open(os.path.join(path, f"text{i:03}.txt"), 'w', encoding='utf-8') as f:
            f.write(text)
    for i in range(bin_files):
        with open(os.path.join(path, f"daten{i:03}.bin"), 'wb') as f:
            f.write(rng.randbytes(200_000))
PY
echo "Baum: $(find tree -type f | wc -l) Dateien, $(du -sm tree | cut -f1) MB"

# Create: the previous run's archive is freed just before each timed run.
hyperfine -N --warmup 1 --runs 5 --export-markdown "$out/add.md" --export-json "$out/add.json" \
  -n kasto --prepare "rm -f k.zip" "$cli add k.zip $work/tree --recurse" \
  -n zip --prepare "rm -f z.zip" "zip -6 -r -q z.zip tree"
echo "Archive: kasto $(stat -c %s k.zip) Bytes, zip $(stat -c %s z.zip) Bytes"

# Test: all three read Kasto's archive (cached after the warm-up).
hyperfine -N --warmup 1 --runs 5 --export-markdown "$out/test.md" --export-json "$out/test.json" \
  -n kasto "$cli test k.zip" \
  -n unzip "unzip -tq k.zip" \
  -n 7zz "7zz t k.zip"

# Extract: each run into a fresh folder (deleting many files between runs slows the next ones
# down); "cur" points at it, everything goes at the end.
mkdir x
frisch="sh -c 'n=\$((\$(cat x/n 2>/dev/null || echo 0) + 1)); echo \$n > x/n; mkdir x/\$n; ln -sfn \$n x/cur'"
hyperfine -N --warmup 1 --runs 5 --export-markdown "$out/extract.md" --export-json "$out/extract.json" \
  -n kasto --prepare "$frisch" "$cli extract k.zip x/cur" \
  -n unzip --prepare "$frisch" "unzip -q k.zip -d x/cur" \
  -n 7zz --prepare "$frisch" "7zz x -y -ox/cur k.zip"
# The last run of each tool (warm-up and timed runs alike got a folder) gave back the tree.
per=$(($(cat x/n) / 3))
for last in "$per" $((2 * per)) $((3 * per)); do
  diff -r tree "x/$last/${work#/}/tree" >/dev/null || { echo "Entpacktes weicht ab (x/$last)" >&2; exit 1; }
done

# Medians and their ratio to Kasto, from this one run.
python3 - "$out" <<'PY'
import json, sys
for name in ("add", "test", "extract"):
    runs = json.load(open(f"{sys.argv[1]}/{name}.json"))["results"]
    kasto = next(r["median"] for r in runs if r["command"] == "kasto")
    print(name + ": " + ", ".join(f'{r["command"]} {r["median"]:.3f} s ({r["median"] / kasto:.2f})' for r in runs))
PY
