#!/usr/bin/env bash
# Installs what is missing, builds tarnwick and runs it on the sample
# captures (in a scratch copy, so the repository stays clean).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF >/dev/null
cmake --build "$root/build/release" -j2 --target tarnwick
run="$root/build/demo"
rm -rf "$run" && mkdir -p "$run"
cp "$root"/samples/*.pcap "$run"/
cd "$run"
"$root/build/release/tarnwick"
echo
echo "Outputs (XML per packet, Report.txt, logTiming.csv) are in $run"
