#!/usr/bin/env bash
# The capture-scale benchmark: installs what is missing (Google Benchmark
# included), builds an optimised tree with the benchmarks, writes mixed
# captures of 50,000 and 200,000 packets and prints one table of packets per
# second and peak memory for a bare libpcap read loop, tarnwick's run without
# its XML files, and the full tarnwick run, beside this machine's rate of
# creating small files.
#
#   bash scripts/bench.sh                 the table (a few minutes)
#   bash scripts/bench.sh --packets       also the per-packet micro-benchmarks
#
# Environment: BENCH_SIZES (default 50000,200000), BENCH_REPEAT (default 3),
# BENCH_WORK (default build/bench-run; it must have room for one XML file per
# packet). Benchmarks are not tests: nothing here fails on a timing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
if ! dpkg-query -W -f='${Status}' libbenchmark-dev 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: libbenchmark-dev"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq libbenchmark-dev
fi

build="$root/build/bench"
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON -DTARNWICK_TESTS=OFF &&
       cmake --build "$build" -j2 --target capturebench bench_packets; } >"$build/build.log" 2>&1; then
  cat "$build/build.log"
  echo "bench.sh: the build failed" >&2
  exit 1
fi

if [ "${1:-}" = "--packets" ]; then
  echo "== Per-packet costs (time, heap allocations and bytes per packet)"
  "$build/bench/bench_packets" --benchmark_min_time=0.5
  echo
fi

work="${BENCH_WORK:-$root/build/bench-run}"
mkdir -p "$work"
echo "== Capture-scale benchmark"
"$build/bench/capturebench" "$work" --sizes "${BENCH_SIZES:-50000,200000}" --repeat "${BENCH_REPEAT:-3}"
