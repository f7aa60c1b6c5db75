#!/usr/bin/env bash
# Installs what is missing, builds the editor and opens the sample town in it.
# Without a display it draws the town to a PNG with veltrix-tool instead and
# says where the picture is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build-run"
map="$root/examples/sample.map"

scripts/deps.sh

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DVELTRIX_TESTS=OFF >/dev/null
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    ninja -C "$build" veltrix-tool
    out="$build/sample.png"
    QT_QPA_PLATFORM=offscreen "$build/tools/veltrix-tool" render "$map" -o "$out"
    echo "No hay pantalla: el mapa de ejemplo se dibujó en $out"
    exit 0
fi

ninja -C "$build" veltrix
exec "$build/app/veltrix" "$map"
