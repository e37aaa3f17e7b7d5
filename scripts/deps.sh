#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Verbaria need, when any is
# missing. Safe to run again: it does nothing once everything is there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev libqt6opengl6-dev qt6-translations-l10n
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang libclang-rt-dev clang-format
    xvfb xauth imagemagick fonts-dejavu-core fonts-ipafont-gothic time openbox xdotool xclip x11-utils
    desktop-file-utils appstream dpkg-dev file librsvg2-bin util-linux
    lintian ccache
    gettext translate-toolkit python3 qtbase5-examples qttools5-examples
    libhunspell-dev hunspell-cs hunspell-sk hunspell-pl hunspell-en-us hunspell-en-gb hunspell-de-de
    hunspell-fr hunspell-es hunspell-it hunspell-hu hunspell-ru hunspell-uk
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
    apt_get=(sudo apt-get)
else
    echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
