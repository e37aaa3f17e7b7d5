#!/usr/bin/env bash
# Pictures of the editor for docs/: the main window (status bar, filter, text pane) in Czech and
# in English, and the replace dialog, on a virtual screen of 1280x800 with a window manager.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build-dev, docs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-dev}" && pwd)"
out="$(mkdir -p "${2:-$root/docs}" && cd "${2:-$root/docs}" && pwd)"
"$root/scripts/deps.sh"

work="$(mktemp -d)"
trap 'kill ${wm:-} ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/bin/verbaria" "$work/"
cp -r "$root/jazyky" "$work/jazyky"
cp "$root/examples/files/notepad.lnd" "$root/examples/files/english.lng" "$work/"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
export DISPLAY="$display"
sleep 1
openbox &
wm=$!
sleep 1

shoot() { # LANGUAGE-FILE NAME
    printf '[Obecne]\r\nJazyk=%s\r\n[Naposledy otevreny]\r\nJazyk=%s\r\nJazyk pro popisy=\r\nSablona=%s\r\n' \
        "$1" "$work/english.lng" "$work/notepad.lnd" >"$work/glotra.ini"
    "$work/verbaria" &
    local pid=$!
    local window=""
    for _ in $(seq 40); do
        window="$(xdotool search --onlyvisible --name 'english.lng' 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.25
    done
    xdotool windowactivate --sync "$window"
    sleep 0.5
    xdotool key ctrl+j                 # the one text left to translate
    xdotool type --delay 40 "Done"
    xdotool key Return Escape
    xdotool key ctrl+l Down            # the filter: untranslated texts only, then all again
    sleep 0.3
    xdotool key Up
    xdotool key ctrl+f Escape          # back to the grid
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 700)) $((Y + 218)) click 1   # a row, shown whole in the pane
    sleep 0.5
    import -window root "$out/$2-main.png"
    xdotool key ctrl+h
    sleep 0.5
    xdotool type --delay 30 "file"
    xdotool key Tab
    xdotool type --delay 30 "document"
    xdotool key Return               # the preview
    sleep 0.5
    import -window root "$out/$2-replace.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

shoot czech.lng workbench-cs
shoot english.lng workbench-en
echo "Pictures in $out"
