#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program. Without arguments it opens
# the window with the demo project; on a machine without a display it plays the demo project's
# four patterns through the audio device of the settings instead, 16 seconds each (about a
# minute; Ctrl+C ends it sooner). With arguments it runs `tond ARGUMENTS`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tond
program=build/src/app
if (($#)); then
  exec "$program/tond" "$@"
fi
status=0
"$program/tond" "$program/Projects/demo.blp" || status=$?
# 3: no display to open the window on (tond has said so).
if ((status != 3)); then
  exit "$status"
fi
# tond finishes cleanly on Ctrl+C; the script then stops too instead of going on to the next.
trap 'exit 0' INT TERM
for pattern in 0 1 2 3; do
  "$program/tond" play "$program/Projects/demo.blp" --pattern "$pattern" --seconds 16
done
