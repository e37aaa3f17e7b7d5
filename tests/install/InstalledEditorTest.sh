#!/usr/bin/env bash
# Installs the editor into a temporary prefix, makes its program folder read-only and starts the
# installed editor once (offscreen): the settings must land in $XDG_CONFIG_HOME/verbaria/, the
# editor must have found its own template under share/verbaria/jazyky/, and nothing may be
# written beside the executable.
set -euo pipefail
build_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build_dir" --prefix "$work/prefix" --component Editor >/dev/null
prefix=$work/prefix
[ -x "$prefix/bin/verbaria" ] || { echo "no installed editor"; exit 1; }
[ -f "$prefix/share/verbaria/jazyky/glotra11.lnd" ] || { echo "no installed languages"; exit 1; }
[ ! -e "$prefix/bin/jazyky" ] || { echo "languages installed beside the executable"; exit 1; }
chmod a-w "$prefix/bin"
trap 'chmod u+w "$prefix/bin"' EXIT

export QT_QPA_PLATFORM=offscreen VERBARIA_QUIT_AFTER_START=1 ASAN_OPTIONS=detect_leaks=0

check() { # config-home label
    local ini=$1/verbaria/glotra.ini
    [ -f "$ini" ] || { echo "$2: no settings in $1/verbaria/"; ls -laR "$1" "$prefix/bin"; exit 1; }
    grep -q "^Sablona=$prefix/share/verbaria/jazyky/glotra11.lnd" "$ini" ||
        { echo "$2: the editor did not open its installed template:"; cat "$ini"; exit 1; }
    if ls "$prefix/bin" | grep -qv '^verbaria\(-tool\)\?$'; then
        echo "$2: files written beside the executable:"; ls "$prefix/bin"; exit 1
    fi
}

# A folder the user may not write to. Root may write anywhere, so it starts the editor as nobody.
chmod 755 "$work"
mkdir -m 777 "$work/user-config"
cd "$work"
if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work" XDG_CONFIG_HOME="$work/user-config" \
        XDG_RUNTIME_DIR= "$prefix/bin/verbaria"
else
    XDG_CONFIG_HOME="$work/user-config" "$prefix/bin/verbaria"
fi
check "$work/user-config" "read-only program folder"

# Root, for whom every folder is writable, still treats the installed layout as installed.
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/root-config"
    XDG_CONFIG_HOME="$work/root-config" "$prefix/bin/verbaria"
    check "$work/root-config" "installed layout, started by root"
fi
echo "settings written under XDG_CONFIG_HOME/verbaria/"
