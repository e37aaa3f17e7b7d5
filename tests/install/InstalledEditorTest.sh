#!/usr/bin/env bash
# Installs the editor into a temporary prefix, makes its program folder read-only and starts the
# installed editor once (offscreen): the settings must land in $XDG_CONFIG_HOME/verbaria/, the
# editor must have found its own template under share/verbaria/jazyky/, and nothing may be
# written beside the executable.
set -euo pipefail
build_dir=$1
# In the temporary folder, not the build tree: the user the editor runs as must reach it.
work=$(mktemp -d "${TMPDIR:-/tmp}/verbaria-installed.XXXXXX")
cmake --install "$build_dir" --prefix "$work/prefix" --component Editor >/dev/null
prefix=$work/prefix
[ -x "$prefix/bin/verbaria" ] || { echo "no installed editor"; exit 1; }
[ -f "$prefix/share/verbaria/jazyky/glotra11.lnd" ] || { echo "no installed languages"; exit 1; }
[ ! -e "$prefix/bin/jazyky" ] || { echo "languages installed beside the executable"; exit 1; }
chmod a-w "$prefix/bin"
trap 'chmod u+w "$prefix/bin"; rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=offscreen VERBARIA_QUIT_AFTER_START=1 ASAN_OPTIONS=detect_leaks=0

check() { # config-home label [program-folder languages-folder]
    local ini=$1/verbaria/glotra.ini bin=${3:-$prefix/bin} languages=${4:-$prefix/share/verbaria/jazyky}
    [ -f "$ini" ] || { echo "$2: no settings in $1/verbaria/"; ls -laR "$1" "$bin"; exit 1; }
    grep -q "^Sablona=$languages/glotra11.lnd" "$ini" ||
        { echo "$2: the editor did not open its own template:"; cat "$ini"; exit 1; }
    if ls "$bin" | grep -qv '^\(verbaria\(-tool\)\?\|jazyky\)$'; then
        echo "$2: files written beside the executable:"; ls "$bin"; exit 1
    fi
}
as_user() { # runs a command as a user who may not write to read-only folders
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work" XDG_RUNTIME_DIR= "$@"
    else
        env "$@"
    fi
}

# A folder the user may not write to. Root may write anywhere, so it starts the editor as nobody.
chmod 755 "$work"
mkdir -m 777 "$work/user-config"
cd "$work"
as_user XDG_CONFIG_HOME="$work/user-config" "$prefix/bin/verbaria"
check "$work/user-config" "installed, read-only program folder"

# A copy with its languages beside it on a read-only folder: the settings still go to the user's.
mkdir "$work/readonly"
cp "$prefix/bin/verbaria" "$work/readonly/"
cp -r "$prefix/share/verbaria/jazyky" "$work/readonly/"
chmod a-w "$work/readonly"
mkdir -m 777 "$work/readonly-config"
as_user XDG_CONFIG_HOME="$work/readonly-config" "$work/readonly/verbaria"
chmod u+w "$work/readonly"
check "$work/readonly-config" "read-only copy" "$work/readonly" "$work/readonly/jazyky"

# An unpacked copy in a folder it may write to keeps everything beside itself, as always.
mkdir -m 777 "$work/unpacked" "$work/unpacked-config"
cp "$prefix/bin/verbaria" "$work/unpacked/"
cp -r "$prefix/share/verbaria/jazyky" "$work/unpacked/"
chmod -R a+rwX "$work/unpacked"
as_user XDG_CONFIG_HOME="$work/unpacked-config" "$work/unpacked/verbaria"
[ -f "$work/unpacked/glotra.ini" ] || { echo "writable copy: no glotra.ini beside the executable"; exit 1; }
[ ! -e "$work/unpacked-config/verbaria" ] || { echo "writable copy: wrote into the configuration folder"; exit 1; }

# Root, for whom every folder is writable, still treats the installed layout as installed.
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/root-config"
    XDG_CONFIG_HOME="$work/root-config" "$prefix/bin/verbaria"
    check "$work/root-config" "installed layout, started by root"
fi
echo "settings written under XDG_CONFIG_HOME/verbaria/"
