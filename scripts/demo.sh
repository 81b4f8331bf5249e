#!/usr/bin/env bash
# Installs what is missing, builds, starts the virtual acquisition unit on a pseudo-terminal and
# runs KALVIRA connected to it as COM1. Extra arguments go to the unit (see tools/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh kalvira kalvira-unit  # only what the demo runs

workdir=$(mktemp -d)
link="$workdir/com1"
build/bin/kalvira-unit --link "$link" --wave sine --frequency 200 "$@" >"$workdir/unit.out" &
unit=$!
trap 'kill "$unit" 2>/dev/null; wait "$unit" 2>/dev/null; rm -rf "$workdir"' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
[ -e "$link" ] || { echo "the virtual unit did not start" >&2; exit 1; }
echo "Virtual unit on $(head -n 1 "$workdir/unit.out"), linked as $link"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running under xvfb-run."
    KALVIRA_COM1="$link" xvfb-run -a build/bin/kalvira
else
    KALVIRA_COM1="$link" build/bin/kalvira
fi
