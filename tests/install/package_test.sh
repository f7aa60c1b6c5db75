#!/usr/bin/env bash
# Makes the Debian package from the build and checks it as apt would see it:
# its name, its control fields (the Depends that dpkg-shlibdeps found), and
# that it carries the programs, desktop entry, icons and MIME type, owned by
# root and without debugging symbols.
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FALLO: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack no hizo el paquete"; }
arch=$(dpkg --print-architecture)
deb=$work/veltrix_${version}_${arch}.deb
[ -f "$deb" ] || fail "no está veltrix_${version}_${arch}.deb: $(ls "$work")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = veltrix ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = science ] || fail "Section: $(field Section)"
maintainer=$(field Maintainer)
grep -qE '^[^<]+ <[^@>]+@[^>]+>$' <<<"$maintainer" || fail "Maintainer: $maintainer"
# Read whole, not cut short by head: with pipefail dpkg-deb's broken pipe would fail the check.
description=$(field Description)
grep -q "planos de calles" <<<"${description%%$'\n'*}" || fail "Description: $description"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libqt6svg6 libjpeg62-turbo libgif7; do
    tr ',' '\n' <<<"$depends" |
        awk -v l="$library" '$1 == l && $2 == "(>=" { f = 1 } END { exit !f }' ||
        fail "Depends no pide $library con su versión: $depends"
done

[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends: $(field Recommends)"

listing=$(dpkg-deb -c "$deb")
files=$(awk '{ print $6 }' <<<"$listing")
expected=(
    ./usr/bin/veltrix ./usr/bin/veltrix-tool
    ./usr/share/applications/veltrix.desktop
    ./usr/share/mime/packages/veltrix.xml
    ./usr/share/icons/hicolor/scalable/apps/veltrix.svg
    ./usr/share/doc/veltrix/guia/index.html
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/veltrix.png")
done
for f in "${expected[@]}"; do
    grep -qxF "$f" <<<"$files" || fail "el paquete no lleva $f"
done
if awk '$2 != "root/root"' <<<"$listing" | grep -q .; then
    fail "el paquete tiene archivos que no son de root: $(awk '$2 != "root/root"' <<<"$listing")"
fi

dpkg-deb -x "$deb" "$work/root"
for program in veltrix veltrix-tool; do
    if readelf -S "$work/root/usr/bin/$program" | grep -q '\.debug_info'; then
        fail "/usr/bin/$program va con símbolos de depuración"
    fi
done
echo "$(basename "$deb"): Depends: $depends"
