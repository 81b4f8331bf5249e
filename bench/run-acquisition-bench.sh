#!/usr/bin/env bash
# Measures the measurement run against kalvira-unit on a pseudo-terminal and prints the figures:
#   - a 16000-sample record (160 blocks, 160 acks) from START, unit as fast as the terminal goes
#     (target under 100 ms) and unit pacing at 115200 baud (target within 2 % of 2.81 s), each
#     beside a reference host that only reads and acknowledges, which shows the unit's own pace;
#     the paced record once more with the spectrum window open (target: within 0.5 % of the line
#     time of the record without it);
#   - the same paced record behind a USB adapter's latency timer, 16 ms (the default of an FTDI
#     adapter) and 1 ms (what it sets for low latency): the cost of the timer per record and block;
#   - the program's CPU time while the run waits 9.5 s for a silent unit (target under 1 %), and
#     over 10 s at rest after a run, Timer1 still ticking (target under 0.2 %);
#   - the continuous soak: 1000 records of 16000 samples, each checked against the unit's signal,
#     resident memory sampled throughout (target flat and under 100 MB). About six minutes.
# Usage: bench/run-acquisition-bench.sh [build-dir] [--no-soak] [--records N]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
soak=1
records=1000
while [ $# -gt 0 ]; do
    case "$1" in
        --no-soak) soak=0 ;;
        --records) records="$2"; shift ;;
        *) build="$1" ;;
    esac
    shift
done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target kalvira_bench_acquisition kalvira_soak_acquisition >/dev/null
export QT_QPA_PLATFORM=offscreen

echo "== record of 16000 samples from START; CPU while the unit is silent"
"$build/bin/kalvira_bench_acquisition" --benchmark_format=json 2>/dev/null | python3 -c '
import json, sys
runs = {b["name"].split("/iterations")[0]: b for b in json.load(sys.stdin)["benchmarks"]}
line = 32332 * 10 / 115200
def ms(name): return runs[name]["real_time"]
fast, fast_ref = ms("recordOf16000/fast_unit"), ms("referenceHost/fast_unit")
paced, paced_ref = ms("recordOf16000/paced_unit"), ms("referenceHost/paced_unit")
print(f"fast unit:  {fast:7.1f} ms from START to the committed record (target < 100 ms); "
      f"reference host {fast_ref:.1f} ms")
print(f"paced unit: {paced:7.1f} ms, line time {line*1000:.0f} ms: {(paced/1000-line)/line*100:+.1f} % "
      f"(target within 2 %)")
print(f"            reference host {paced_ref:.1f} ms ({(paced_ref/1000-line)/line*100:+.1f} % of the line time: "
      f"the unit'"'"'s own pace); program over reference {(paced-paced_ref)/paced_ref*100:+.1f} %")
spectrum = ms("recordOf16000/paced_unit_spectrum_open")
print(f"paced unit, spectrum window open: {spectrum:7.1f} ms, {(spectrum/1000-line)/line*100:+.2f} % of the line "
      f"time; {spectrum-paced:+.1f} ms ({(spectrum-paced)/(line*1000)*100:+.2f} % of it) over the window alone "
      f"(target within 0.5 %)")
for latency in (16, 1):
    usb = ms(f"recordOf16000/paced_unit_usb_{latency}ms")
    print(f"paced unit behind a USB latency timer of {latency:2d} ms: {usb:7.1f} ms, "
          f"{usb-paced:+.1f} ms over the paced unit ({(usb-paced)/160:+.2f} ms a block)")
silent = runs["silentUnit"]
wait, cpu, share = silent["real_time"] / 1000, silent["cpu_ms"], silent["cpu_pct_of_wall"]
print(f"silent unit: {wait:.2f} s wait, program CPU {cpu:.1f} ms = {share:.2f} % of wall (target < 1 %)")
rest = runs["restAfterRun"]
# No single quotes in here: the program is one single-quoted shell word.
rest_s, rest_cpu, rest_share = rest["real_time"] / 1000, rest["cpu_ms"], rest["cpu_pct_of_wall"]
empty_share = runs["emptyTimer"]["cpu_pct_of_wall"]
print(f"at rest after a run: {rest_s:.2f} s, program CPU {rest_cpu:.1f} ms = "
      f"{rest_share:.3f} % of wall (target < 0.2 %); an empty 100 ms timer alone "
      f"{empty_share:.3f} %")
'

if [ "$soak" = 1 ]; then
    echo "== continuous soak, $records records"
    "$build/bin/kalvira_soak_acquisition" "$records"
fi
