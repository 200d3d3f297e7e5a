#!/usr/bin/env bash
# Makes a demo program folder: the kestrun executable, the real MAME as mame.exe, a few ROM set
# names (pong runs without any ROM file) and stand-in snapshots of different sizes.
# Usage: scripts/make-demo-folder.sh <build folder> <demo folder>
set -euo pipefail
build=$(realpath "$1")
demo=$2

mkdir -p "$demo/roms" "$demo/snap" "$demo/artwork"
cp "$build/app/kestrun" "$demo/kestrun"
cp "$build/app/kestrun.htm" "$demo/kestrun.htm"
if [[ -x /usr/games/mame ]]; then
    ln -sfn /usr/games/mame "$demo/mame.exe"
else
    echo "note: /usr/games/mame is missing; Kestrun will say that MAME is not found" >&2
fi

# An empty but valid zip archive: the end-of-central-directory record alone.
empty_zip() { printf 'PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' >"$1"; }
for game in pong 005 1942 galaga pacman tempest asteroid dkong; do
    empty_zip "$demo/roms/$game.zip"
done

snapshot() { QT_QPA_PLATFORM=offscreen "$build/tools/demo/kestrun_demo_snapshot" "$demo/snap/$1.png" "$2" "$3" "$1"; }
snapshot pong 640 480
snapshot 1942 224 256
snapshot galaga 224 288
snapshot pacman 288 224
snapshot tempest 640 480
snapshot dkong 256 224
echo "Demo program folder: $demo"
