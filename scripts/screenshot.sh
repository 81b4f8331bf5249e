#!/usr/bin/env bash
# Runs the real program against the virtual unit (fast, 200 Hz sine) on a private X server, plays
# a list of steps, and writes screenshots of the window. Steps:
#   X,Y        click at window coordinates X,Y (e.g. 544,519 is START at the design size)
#   sleep:S    wait S seconds
#   key:KEY    press a key in the window, e.g. key:m (the measurement readout)
#   type:TEXT  type TEXT, e.g. a file name into a file dialog
#   shot:FILE  write a screenshot of the window's area to FILE (PNG)
#   screen:FILE  write a screenshot of the whole screen (the spectrum window too) to FILE
# Example: scripts/screenshot.sh 544,519 sleep:1.5 523,232 shot:/tmp/kalvira-1msec.png
# KALVIRA_UNIT_ARGS adds options to the unit, e.g. KALVIRA_UNIT_ARGS="--fault wrong-start".
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bin/kalvira ] && [ -x build/bin/kalvira-unit ] || scripts/build.sh kalvira kalvira-unit

display=:$((90 + RANDOM % 100))
workdir=$(mktemp -d)
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$workdir"' EXIT
export DISPLAY=$display
sleep 1
# shellcheck disable=SC2086 # the extra options are meant to split into words
build/bin/kalvira-unit --link "$workdir/com1" --fast --wave sine --frequency 200 \
    ${KALVIRA_UNIT_ARGS:-} >/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$workdir/com1" ] && break; sleep 0.1; done
KALVIRA_COM1="$workdir/com1" build/bin/kalvira 2>/dev/null &
pids+=($!)
sleep 2

for step in "$@"; do
    case $step in
        shot:*) import -window root -crop 760x600+0+0 "${step#shot:}" ;;
        screen:*) import -window root "${step#screen:}" ;;
        sleep:*) sleep "${step#sleep:}" ;;
        key:*) xdotool key "${step#key:}"; sleep 0.5 ;;
        type:*) xdotool type "${step#type:}"; sleep 0.5 ;;
        *,*) xdotool mousemove "${step%,*}" "${step#*,}" click 1; sleep 0.5 ;;
        *) echo "unknown step: $step" >&2; exit 2 ;;
    esac
done
