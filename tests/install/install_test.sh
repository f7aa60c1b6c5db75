#!/usr/bin/env bash
# Installs the build into a staging folder the way the package does (DESTDIR,
# prefix /usr) and checks what a user gets: the programs run from there with
# nothing of the build tree, answer --version and --help without a display, and
# the desktop entry, map type, icons and guide are where a desktop looks for
# them and agree with each other.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FALLO: $*" >&2
    exit 1
}

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
usr=$stage/usr
share=$usr/share
cd "$work"
# Spanish, whatever the system or the user's editor speaks: the checks read it.
export LC_ALL=C.UTF-8 XDG_CONFIG_HOME=$work/config

sizes=(16 22 24 32 48 64 128 256)
expected=(
    bin/veltrix bin/veltrix-tool
    share/applications/veltrix.desktop
    share/mime/packages/veltrix.xml
    share/icons/hicolor/scalable/apps/veltrix.svg
    share/doc/veltrix/guia/index.html
    share/doc/veltrix/guia/en/index.html
    share/doc/veltrix/README.md
)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/veltrix.png")
done
for f in "${expected[@]}"; do
    [ -f "$usr/$f" ] || fail "no se instaló /usr/$f"
done
for program in veltrix veltrix-tool; do
    [ -x "$usr/bin/$program" ] || fail "/usr/bin/$program no es ejecutable"
    if readelf -d "$usr/bin/$program" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
        fail "/usr/bin/$program aún busca bibliotecas en la carpeta de compilación"
    fi
done

# Each PNG is a real drawing of its size: a blank or wrongly sized image would
# pass for an icon in a file listing.
for size in "${sizes[@]}"; do
    png=$share/icons/hicolor/${size}x${size}/apps/veltrix.png
    read -r w h colours < <(identify -format '%w %h %k\n' "png:$png")
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "el icono de $size mide ${w}x$h"
    [ "$colours" -ge 50 ] || fail "el icono de $size tiene solo $colours colores"
done

# Both programs answer without a display and without the offscreen platform.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${nodisplay[@]}" "$usr/bin/veltrix" --version) || fail "veltrix --version terminó con error"
[ "$out" = "veltrix $version" ] || fail "veltrix --version dice '$out'"
out=$("${nodisplay[@]}" "$usr/bin/veltrix-tool" --version) ||
    fail "veltrix-tool --version terminó con error"
[ "$out" = "veltrix-tool $version" ] || fail "veltrix-tool --version dice '$out'"
help=$("${nodisplay[@]}" "$usr/bin/veltrix" --help) || fail "veltrix --help terminó con error"
for word in "Uso: veltrix" "--no-splash" "--version" "MAPA"; do
    grep -qF -- "$word" <<<"$help" || fail "veltrix --help no menciona $word"
done
help=$("${nodisplay[@]}" "$usr/bin/veltrix-tool" --help) ||
    fail "veltrix-tool --help terminó con error"
for word in "Uso: veltrix-tool" "--version" "set-picture"; do
    grep -qF -- "$word" <<<"$help" || fail "veltrix-tool --help no menciona $word"
done

info=$("$usr/bin/veltrix-tool" info "$source/examples/sample.map") ||
    fail "veltrix-tool info no abrió el mapa de ejemplo"
grep -qx "Ciudad: San Andrés de la Cañada" <<<"$info" || fail "info no da la ciudad: $info"
grep -qx "Manzanas: 2000" <<<"$info" || fail "info no cuenta las manzanas: $info"

# The desktop entry starts the installed editor with the file, for the type the
# MIME package declares, with the icon that was installed.
desktop=$share/applications/veltrix.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rechaza veltrix.desktop"
grep -qx "Exec=veltrix %f" "$desktop" || fail "veltrix.desktop no abre el archivo con veltrix"
grep -qx "Icon=veltrix" "$desktop" || fail "veltrix.desktop no usa el icono veltrix"
mime=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/veltrix.xml")
[ "$mime" = "application/x-veltrix-map" ] || fail "el tipo declarado es '$mime'"
grep -qx "MimeType=$mime;" "$desktop" || fail "veltrix.desktop no declara $mime"

# The type as a desktop sees it: the MIME database built from the staged
# package alone, asked about a map file by GLib's own lookup.
mimedb=$work/data/mime
mkdir -p "$mimedb"
cp -r "$share/mime/packages" "$mimedb/"
cp /usr/share/mime/packages/freedesktop.org.xml "$mimedb/packages/"
export XDG_DATA_HOME=$work/empty XDG_DATA_DIRS=$work/data
messages=$(update-mime-database "$mimedb" 2>&1) || fail "update-mime-database falló: $messages"
[ -z "$messages" ] || fail "update-mime-database se queja: $messages"
cp "$source/examples/sample.map" "$work/ciudad.map"
type=$(gio info -a standard::content-type "$work/ciudad.map" |
    sed -n 's/^ *standard::content-type: //p')
[ "$type" = "$mime" ] || fail "un .map se reconoce como '$type'"

# The guide reads on its own: every page, style sheet and picture it names was
# installed beside it.
guide=$share/doc/veltrix/guia
for page in "$guide"/*.html "$guide"/en/*.html; do
    while read -r target; do
        [ -f "$(dirname "$page")/$target" ] ||
            fail "${page#"$guide"/} nombra $target, que no se instaló"
    done < <(grep -o -E '(href|src)="[^"#:]+' "$page" | sed 's/^[a-z]*="//')
    if grep -q '"qrc:\|":/' "$page"; then
        fail "${page#"$guide"/} aún nombra los recursos del editor"
    fi
done
echo "Instalación correcta en $(find "$stage" -type f | wc -l) archivos"
