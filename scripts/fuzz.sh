#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs them.
#
#   scripts/fuzz.sh short              about 60 s over all four targets (the test command's session)
#   scripts/fuzz.sh long [executions]  all four targets at once, each until it has run that many
#                                      inputs, 10 million by default
#   scripts/fuzz.sh run TARGET [seconds] [executions]
#                                      one target for that long (default 60 s; 0 means no
#                                      time limit) or until it has run that many inputs
#   scripts/fuzz.sh repro TARGET FILE...   runs the inputs once through a target, e.g. a saved finding
#
# Targets: fuzz_decodexml (BACnetStack_DecodeAsXML and its buffer sizes),
# fuzz_roundtrip (decode -> encode -> decode), fuzz_report (the report's
# analysis of XML text), fuzz_capture (tarnwick's capture reading).
#
# The seed corpora are written fresh from samples/ and fuzz/seeds/ into
# build/fuzz/seeds; what the fuzzers find grows in build/fuzz/corpus/<target>
# and is reused by the next session. An input that crashes, leaks, hangs or
# breaks a promise is saved under build/fuzz/findings/<target>/ and makes the
# script fail; replay it with `scripts/fuzz.sh repro <target> <file>`.
#
# The sessions run with AddressSanitizer keeping no allocation stacks, which
# spares every allocation and release a stack walk; a finding still shows
# where it happened, and its replay (repro) shows where the memory came from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
mode=${1:-short}

build_targets() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target fuzz_all
  rm -rf "$build/seeds"
  "$build/fuzz/fuzz_seeds" "$root" "$build/seeds"
}

# target -> seed folder, longest input, dictionary
seeds_of() { case $1 in fuzz_report) echo report ;; fuzz_capture) echo capture ;; *) echo payload ;; esac; }
max_len_of() { case $1 in fuzz_report) echo 8192 ;; fuzz_capture) echo 8192 ;; *) echo 2048 ;; esac; }
dict_of() { case $1 in fuzz_report) echo xml.dict ;; fuzz_capture) echo pcap.dict ;; *) echo bacnet.dict ;; esac; }

check_target() {
  case $1 in
    fuzz_decodexml|fuzz_roundtrip|fuzz_report|fuzz_capture) ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
  esac
}

# Runs one target for $2 seconds, or, with $3, until it has run $3 inputs;
# prints its executions and fails on a finding.
run_target() {
  local target=$1 seconds=$2 runs_limit=${3:--1}
  local corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$build/logs"
  local status=0 started=$SECONDS
  # -close_fd_mask=1: the driver's console lines are not wanted here; the
  # sanitizers and libFuzzer report on standard error.
  ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0} \
  "$build/fuzz/$target" -max_total_time="$seconds" -runs="$runs_limit" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$(max_len_of "$target")" -dict="$root/fuzz/$(dict_of "$target")" \
    -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$build/seeds/$(seeds_of "$target")" >"$log" 2>&1 || status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%-16s %10s executions in %5s s, corpus %s inputs\n' "$target" "${runs:-?}" "$((SECONDS - started))" \
    "$(find "$corpus" -type f | wc -l)"
  if [ "$status" -ne 0 ]; then
    echo "FINDING in $target (exit $status); the end of its log ($log):" >&2
    tail -n 60 "$log" >&2
    echo "Saved inputs: $(ls "$findings" 2>/dev/null | tr '\n' ' ')" >&2
    return 1
  fi
}

targets=(fuzz_decodexml fuzz_roundtrip fuzz_report fuzz_capture)
case $mode in
  short)
    build_targets
    failed=0
    for target in "${targets[@]}"; do run_target "$target" 15 || failed=1; done
    exit $failed
    ;;
  long)
    executions=${2:-10000000}
    build_targets
    # All four at once: the quick targets finish first and leave their
    # processors to the slow ones, so no processor idles while one target
    # still runs.
    failed=0
    for target in "${targets[@]}"; do run_target "$target" 0 "$executions" & done
    for job in $(jobs -p); do wait "$job" || failed=1; done
    exit $failed
    ;;
  run)
    check_target "${2:?target name}"
    build_targets
    run_target "$2" "${3:-60}" "${4:--1}"
    ;;
  repro)
    target=${2:?target name}
    check_target "$target"
    shift 2
    [ $# -gt 0 ] || { echo "usage: scripts/fuzz.sh repro TARGET FILE..." >&2; exit 2; }
    cmake --build "$build" -j2 --target "$target" 2>/dev/null || build_targets
    "$build/fuzz/$target" -runs=1 "$@"
    ;;
  *)
    echo "usage: scripts/fuzz.sh short | long [executions] | run TARGET [seconds] [executions] | repro TARGET FILE..." >&2
    exit 2
    ;;
esac
