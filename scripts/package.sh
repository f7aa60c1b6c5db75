#!/usr/bin/env bash
# Builds the Debian package of Veltrix from a build of its own, optimised as
# Debian builds (-O2; the package leaves the debugging symbols out), and says
# where it is. Install it with `apt install ./build-package/veltrix_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIX_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/veltrix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
echo "Paquete: $(ls "$build"/veltrix_*.deb)"
