#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts Verbaria.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)"

bin=build/bin
if [ -x "$bin/verbaria" ]; then
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec "$bin/verbaria" "$@"
    fi
    # No display: start the editor on a virtual one, take a picture of it and say where it is.
    shot="$PWD/build/verbaria.png"
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$1" & pid=$!
        sleep 4
        import -window root "$2"
        kill $pid 2>/dev/null || true
        wait $pid 2>/dev/null || true' _ "$PWD/$bin/verbaria" "$shot"
    echo "No display here: the editor ran under xvfb-run. Screenshot: $shot"
else
    echo "The editor is not built yet; here is what verbaria-tool reads from the example files:"
    "$bin/verbaria-tool" export examples/files/notepad.lnd examples/files/english.lng
fi
