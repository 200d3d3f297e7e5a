#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get and runs the installed program: its
# version, then a start with a fresh home under Xvfb that must make ~/mame/roms and
# ~/mame/snap, show the window and end cleanly when asked to (SIGTERM).
# Usage: bash scripts/package-test.sh   (as root or with sudo: it installs the package)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/package.sh

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
# Reinstalled when this version is there already: the files checked below are this build's.
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install --reinstall -y -q \
    --no-install-recommends ./build/kestrun_*.deb

desktop-file-validate /usr/share/applications/org.example.kestrun.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.example.kestrun.metainfo.xml
for size in 16 32 48 64 128 256; do
    test -s "/usr/share/icons/hicolor/${size}x${size}/apps/org.example.kestrun.png"
done
test -s /usr/share/doc/kestrun/kestrun.htm

version=$(kestrun --version)
echo "$version"
[[ "$version" == "Kestrun "* ]]

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/runtime" "$home/.config/Pellworth"
chmod 700 "$home/runtime"
# Answered already: the desktop shortcut question would hold the window back.
printf '[Kestrun]\nShortcut=1\n' >"$home/.config/Pellworth/kestrun.ini"
# The emulator, as a user links it into the game folder; nothing starts it here.
mkdir -p "$home/mame"
ln -s "$(PATH=/usr/games:$PATH command -v mame || echo /bin/true)" "$home/mame/mame.exe"

export HOME=$home XDG_RUNTIME_DIR=$home/runtime
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
    kestrun 2>"$HOME/stderr" &
    pid=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^Kestrun\$" >/dev/null
    test -d "$HOME/mame/roms" && test -d "$HOME/mame/snap"
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    cat "$HOME/stderr" >&2
    echo "kestrun ended with status $status"
    test "$status" -eq 0
'
# The close saved the options, as Exit does.
grep -q '^Video=' "$home/.config/Pellworth/kestrun.ini"
echo "package test passed"
