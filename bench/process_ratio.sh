#!/usr/bin/env bash
# Times the whole veldra process on a session that uses every key and every
# load case, against a minimal C program that only writes the same bytes (and
# against cat of those bytes), and prints the ratios: how much the calculator's
# own work adds to process start.
#
#   bench/process_ratio.sh [path/to/veldra] [runs]
set -euo pipefail
veldra=${1:-build/default/veldra}
runs=${2:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every key and every load case once; then the same 20 times over, where the
# formatting of numbers is most of the work (about 0.4 MB of output).
round="i b   w l4000 210000 8.356e7\nf10000\na1500\n"
for nr in 1 2 31 32 4 5 6 7 8 9 10 11 12; do round+="n$nr\nx2000\n700\ng "; done
printf "${round}n3\n q" >"$work/typical"
for ((i = 0; i < 20; i++)); do printf "${round}n3\n "; done >"$work/formatting"
printf q >>"$work/formatting"

# Nanoseconds for $runs runs of the command "${@:2}" on session "$1".
time_runs() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "${@:2}" <"$1" >/dev/null || true; done
  end=$(date +%s%N)
  echo $((end - start))
}

# Times veldra on one session against a C program that writes the same bytes.
measure() {
  local name=$1 session=$work/$1 status=0
  "$veldra" <"$session" >"$work/expected" || status=$?
  [[ $status -eq 113 ]] || { echo "veldra exited with $status" >&2; exit 1; }
  {
    echo '#include <unistd.h>'
    echo 'static const unsigned char out[] = {'
    od -An -v -tx1 "$work/expected" | sed -E 's/ ([0-9a-f]{2})/0x\1,/g'
    echo '};'
    echo 'int main(void) { return write(1, out, sizeof out) == sizeof out ? 113 : 1; }'
  } >"$work/minimal.c"
  cc -O2 -o "$work/minimal" "$work/minimal.c"
  "$work/minimal" >"$work/minimal.out" || true
  cmp -s "$work/expected" "$work/minimal.out" || { echo "minimal program differs" >&2; exit 1; }

  time_runs "$session" "$veldra" >/dev/null  # warm the caches
  local veldra_ns=0 minimal_ns=0 cat_ns=0
  for round in 1 2 3 4 5; do  # interleaved, so that load on the machine hits all alike
    veldra_ns=$((veldra_ns + $(time_runs "$session" "$veldra")))
    minimal_ns=$((minimal_ns + $(time_runs "$session" "$work/minimal")))
    cat_ns=$((cat_ns + $(time_runs "$session" cat "$work/expected")))
  done
  echo "$name session: $(wc -c <"$session") bytes in, $(wc -c <"$work/expected") bytes out"
  awk -v v="$veldra_ns" -v m="$minimal_ns" -v c="$cat_ns" -v n="$((5 * runs))" 'BEGIN {
    printf "  veldra          %8.3f ms a run\n", v / n / 1e6
    printf "  minimal C       %8.3f ms a run   ratio %5.2f\n", m / n / 1e6, v / m
    printf "  cat             %8.3f ms a run   ratio %5.2f\n", c / n / 1e6, v / c
  }'
}

measure typical
measure formatting
