#!/usr/bin/env bash
# Times each benchmark and the tool a researcher would use instead (../shared/peers) on the same
# machine in the same run and prints the table of ratios peer / program. Not part of CI.
#   bench/run-peers.sh [BUILD_DIR=build-release] [PROBES=1000000]
# The build directory is configured as a Release build when missing. A peer that is not installed
# is skipped. Generated inputs go to $QB_PEER_WORK (default /tmp/qb-peers, about 6 GB).
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
probes=${2:-1000000}
# The peers' scripts: ../shared/peers beside the main checkout (a worktree sits one level deeper).
peers=${QB_PEERS:-}
for d in ../shared/peers ../../shared/peers; do [ -z "$peers" ] && [ -d "$d" ] && peers=$(cd "$d" && pwd); done
work=${QB_PEER_WORK:-/tmp/qb-peers}
runs=${QB_RUNS:-3}
mkdir -p "$work"
bin=$build/bin
if [ ! -x "$bin/bench_grouptests" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j "${QB_JOBS:-3}" --target bench_grouptests bench_transforms bench_cgm \
    bench_feature_load bench_expression_load bench_map_render gen_feature_file gen_cgm \
    gen_expression_matrix >/dev/null || exit 1
fi
py=/usr/bin/python3
have_numpy() { "$py" -c 'import numpy, scipy' 2>/dev/null; }
have_r() { command -v Rscript >/dev/null && Rscript -e 'library(data.table)' >/dev/null 2>&1; }

# Median of the numbers on stdin.
median() { sort -g | awk '{a[NR] = $1} END {if (NR) print a[int((NR + 1) / 2)]}'; }
# Runs "$@" $runs times; prints the median of the first number after the text $1 in its output.
timed() {
  local key=$1; shift
  for _ in $(seq "$runs"); do
    "$@" 2>&1 | grep -m1 -- "$key" | grep -oE '[0-9]+\.[0-9]+' | head -1
  done | median
}
# Median wall-clock seconds of the whole process; a run that fails counts for nothing.
wall() {
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e' -o "$work/wall.txt" "$@" >/dev/null 2>&1 && cat "$work/wall.txt"
  done | median
}
row() { # work, program seconds, peer text, peer seconds
  local ratio="-"
  [ -n "$2" ] && [ -n "$4" ] && ratio=$(awk -v a="$4" -v b="$2" 'BEGIN {printf "%.2f", a / b}')
  printf '| %s | %s s | %s %s | %s |\n' "$1" "${2:-?}" "$3" "${4:+$4 s}" "$ratio"
}
one=(taskset -c 0)

echo "| work | program | peer | ratio peer / program |"
echo "|---|---|---|---|"

feature=$work/features.txt
[ -f "$feature" ] || "$bin/gen_feature_file" "$feature" "$probes" >/dev/null
prog=$(wall "$bin/bench_feature_load" "$feature")
if have_r; then
  row "feature file $probes rows, whole process" "$prog" "fread" \
    "$(wall Rscript "$peers/fread_table.R" "$feature" 0)"
  row "feature file, with parse + sort" "$prog" "fread + parse + sort" \
    "$(wall Rscript "$peers/peer_fread2.R" "$feature" 0)"
else
  row "feature file $probes rows, whole process" "$prog" "(R data.table not installed)" ""
fi

matrix=$work/matrix.f32
if have_numpy; then
  [ -f "$matrix" ] || "$py" "$peers/gen_matrix.py" "$probes" "$matrix"
  welch_peer=$(timed compute "${one[@]}" "$py" "$peers/ttest_only.py" "$matrix" welch)
  anova_peer=$(timed compute "${one[@]}" "$py" "$peers/ttest_only.py" "$matrix" anova)
fi
welch1=$(timed "2 groups" "$bin/bench_grouptests" "$probes" 50 2 1)
welch8=$(timed "2 groups" "$bin/bench_grouptests" "$probes" 50 2 0)
anova1=$(timed "3 groups" "$bin/bench_grouptests" "$probes" 50 3 1)
row "Welch $probes x 50 (25/25), compute, one core" "$welch1" "scipy" "${welch_peer:-}"
row "same, all threads" "$welch8" "scipy" "${welch_peer:-}"
row "ANOVA $probes x 50 (3 groups), one core" "$anova1" "scipy f_oneway" "${anova_peer:-}"
welch3m=$(timed "2 groups" "$bin/bench_grouptests" $((3 * probes)) 50 2 1)
growth=$(awk -v a="$welch3m" -v b="$welch1" 'BEGIN {printf "%.2f", a / b}')
echo "| Welch one core, $((3 * probes)) probes | $welch3m s | growth from $probes: ${growth}x (linear: 3x) | |"

if have_numpy; then
  np_out=$(taskset -c 0 "$py" "$peers/transforms_numpy.py" 50 "$probes" "$runs")
  z_peer=$(grep ztransform <<<"$np_out" | grep -oE '[0-9]+\.[0-9]+' | head -1)
  smooth_peer=$(grep "mean + SD" <<<"$np_out" | grep -oE '[0-9]+\.[0-9]+' | head -1)
fi
tr_out=$("$bin/bench_transforms" 50 "$probes" 1)
z=$(grep ZTransformHybridisations <<<"$tr_out" | grep -oE '[0-9]+\.[0-9]+' | head -1)
smooth=$(grep "SmoothCGHData width" <<<"$tr_out" | grep -oE '[0-9]+\.[0-9]+' | head -1)
row "z-transform 50 x $probes, one core" "$z" "numpy" "${z_peer:-}"
row "smoothing width 35, mean + SD, one core" "$smooth" "numpy" "${smooth_peer:-}"

cgm=$work/data.cgm
[ -f "$cgm" ] || "$bin/gen_cgm" "$probes" 50 "$cgm" >/dev/null
cat "$cgm" >/dev/null # into the page cache
# Ours and the peers take turns, $runs times; every write makes a new file, as dd's does, and
# is removed at once (a full disk would fail the next).
cgm_log=$work/cgm.log
: >"$cgm_log"
for _ in $(seq "$runs"); do
  "$bin/bench_cgm" "$cgm" "$work/out.cgm" >>"$cgm_log"
  rm -f "$work/out.cgm"
  (/usr/bin/time -f 'dd read %e' dd if="$cgm" of=/dev/null bs=16M) 2>&1 | tail -1 >>"$cgm_log"
  (/usr/bin/time -f 'dd write %e' dd if="$cgm" of="$work/dd.cgm" bs=16M conv=fsync) 2>&1 |
    tail -1 >>"$cgm_log"
  rm -f "$work/dd.cgm"
  if have_numpy; then "$py" "$peers/np_io.py" write "$cgm" "$work/np.cgm" >>"$cgm_log"; fi
  rm -f "$work/np.cgm"
done
first_number() { grep -- "^$1" "$cgm_log" | sed -E 's/^[^0-9]*([0-9]+\.[0-9]+).*/\1/' | median; }
read_s=$(first_number "read into")
write_s=$(first_number "write (synced")
dd_read=$(first_number "dd read")
dd_write=$(first_number "dd write")
np_read=$(first_number "fromfile")
np_write=$(first_number "tofile")
# Peak memory of a load, and of a load followed by a reload over it, each a process of its own.
peak() { /usr/bin/time -f '%M' "$bin/bench_cgm" "$cgm" "$work/out.cgm" "$1" 2>&1 >/dev/null |
  tail -1 | awk '{printf "%.2f GiB", $1 / 1048576}'; }
load_rss=$(peak read)
reload_rss=$(peak reload)
row "CGH matrix file read, $(du -h "$cgm" | cut -f1), page cache" "$read_s" \
  "numpy.fromfile (dd: $dd_read s)" "${np_read:-}"
row "CGH matrix file write" "$write_s" "dd with fsync (numpy tofile + fdatasync: ${np_write:-?} s)" \
  "$dd_write"
echo "| CGH matrix peak RSS, load; load + reload | $load_rss; $reload_rss | | |"

expr=$work/expression.txt
[ -f "$expr" ] || "$bin/gen_expression_matrix" "$expr" >/dev/null
expr_s=$("$bin/bench_expression_load" "$expr" "$runs" | grep median | grep -oE '[0-9]+\.[0-9]+' | tail -1)
if have_r; then
  row "expression matrix 55,000 x 1,000, all threads" "$expr_s" "fread" \
    "$(wall Rscript "$peers/expr_fread.R" "$expr" 8)"
else
  row "expression matrix 55,000 x 1,000, all threads" "$expr_s" "(R data.table not installed)" ""
fi

map_out=$(QT_QPA_PLATFORM=offscreen "$bin/bench_map_render" 50 "$probes" 2>&1)
echo "| map re-render 50 x $probes | $(grep -oE 'full re-render [0-9.]+ ms' <<<"$map_out");\
 $(grep -oE 'cached image [0-9.]+ ms' <<<"$map_out") | none | |"

mem=$("$bin/bench_feature_load" "$feature" 50)
echo "| memory, 50 x $probes loaded + z-transformed | $(grep -m1 "z-transformed" <<<"$mem" |
  grep -oE '[0-9]+ MB') peak RSS; group test $(grep -m1 "group test" <<<"$mem" |
  grep -oE '[0-9]+ MB') | the values: $((probes * 4 * 50 / 1000000)) MB per slot | |"
