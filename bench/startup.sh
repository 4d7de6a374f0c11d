#!/usr/bin/env bash
# Time from launching `tond` to its first painted window, under Xvfb, the audio device opened on
# the way: five runs, each ended with SIGTERM once it has painted. The settings go to a scratch
# folder, so the user's stay as they are.
#   bench/startup.sh [path/to/tond]
set -euo pipefail
tond=$(realpath "${1:-build/src/app/tond}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export tond scratch
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  for run in 1 2 3 4 5; do
    log="$scratch/run$run"
    : >"$log"
    XDG_CONFIG_HOME="$scratch" TOND_REPORT_FIRST_PAINT=$(date +%s%N) "$tond" 2>"$log" &
    pid=$!
    for _ in $(seq 200); do
      grep -q "first paint" "$log" && break
      sleep 0.05
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" || true
    grep "first paint" "$log" || echo "run $run: no paint seen"
  done'
