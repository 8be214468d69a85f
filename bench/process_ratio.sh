#!/usr/bin/env bash
# Times the whole veldra process on a session that uses every key and every
# load case, against a minimal C program that only writes the same bytes, and
# prints the ratio: how much the calculator's own work adds to process start.
#
#   bench/process_ratio.sh [path/to/veldra] [runs]
set -euo pipefail
veldra=${1:-build/default/veldra}
runs=${2:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

session="i b   w l4000 210000 8.356e7\nf10000\na1500\n"
for nr in 1 2 31 32 4 5 6 7 8 9 10 11 12; do session+="n$nr\nx2000\n700\ng "; done
printf "${session}n3\n q" >"$work/session"

status=0
"$veldra" <"$work/session" >"$work/expected" || status=$?
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

# Nanoseconds for $runs runs of "$1" on the session.
time_runs() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$1" <"$work/session" >/dev/null || true; done
  end=$(date +%s%N)
  echo $((end - start))
}

time_runs "$veldra" >/dev/null  # warm the caches
veldra_ns=0 minimal_ns=0
for round in 1 2 3 4 5; do  # interleaved, so that load on the machine hits both alike
  veldra_ns=$((veldra_ns + $(time_runs "$veldra")))
  minimal_ns=$((minimal_ns + $(time_runs "$work/minimal")))
done
total=$((5 * runs))
echo "session: $(wc -c <"$work/session") bytes in, $(wc -c <"$work/expected") bytes out"
awk -v v="$veldra_ns" -v m="$minimal_ns" -v n="$total" 'BEGIN {
  printf "veldra          %8.3f ms a run\n", v / n / 1e6
  printf "minimal C       %8.3f ms a run\n", m / n / 1e6
  printf "ratio           %8.2f\n", v / m
}'
