#!/usr/bin/env bash
# Builds the Debian package from a build directory, unpacks it into a scratch root and
# checks what a person gets after installing it: the files where the desktop and the
# program look for them, a launcher and metadata that validate, and installed programs
# that run from the unpacked tree alone.
#
# Usage: check-package.sh BUILD_DIR PROJECT_VERSION [CPACK_COMMAND]
set -euo pipefail

build_dir=$(cd "${1:?usage: check-package.sh BUILD_DIR PROJECT_VERSION [CPACK_COMMAND]}" && pwd)
version=${2:?project version missing}
cpack=${3:-cpack}
# A small photo from Debian's mate-backgrounds package (tools/install-dependencies --tests).
photo=/usr/share/backgrounds/mate/nature/FreshFlower.jpg

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {
    if ! command -v "$1" >/dev/null; then
        echo "missing command '$1' (run tools/install-dependencies --tests)" >&2
        exit 1
    fi
}
for command in "$cpack" dpkg-deb desktop-file-validate appstreamcli file readelf; do
    need "$command"
done

scratch=$(mktemp -d)
gui_pid=
cleanup() {
    [[ -n "$gui_pid" ]] && kill "$gui_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
unset LD_LIBRARY_PATH

# --- The package --------------------------------------------------------------------
if ! "$cpack" --config "$build_dir/CPackConfig.cmake" -G DEB -B "$scratch/out" \
    >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
packages=("$scratch"/out/kadrela_*.deb)
if [[ ${#packages[@]} -ne 1 || ! -f ${packages[0]} ]]; then
    echo "FAIL: expected one kadrela_*.deb, found: ${packages[*]}" >&2
    exit 1
fi
deb=${packages[0]}
echo "package: $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == kadrela ]] || fail "package name is '$(field Package)'"
[[ $(field Version) == "$version"-* ]] || fail "package version '$(field Version)' is not $version"
[[ $(field Section) == graphics ]] || fail "section is '$(field Section)'"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] ||
    fail "architecture is '$(field Architecture)'"
depends=$(field Depends)
echo "depends: $depends"
dependency_names=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g')
for dependency in libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins; do
    grep -qx "$dependency" <<<"$dependency_names" || fail "Depends lacks $dependency"
done

# Owned by root and writable only by root, so that the installed program cannot keep its
# settings beside itself and uses the user's configuration directory.
while read -r mode owner _ _ _ name _; do
    [[ $owner == root/root ]] || fail "$name is owned by $owner"
    [[ $mode == l* || (${mode:5:1} != w && ${mode:8:1} != w) ]] ||
        fail "$name is writable by others ($mode)"
    [[ $name == ./usr/* || $name == ./ || $name == ./usr/ ]] || fail "$name lies outside /usr"
done < <(dpkg-deb --contents "$deb")

root=$scratch/root
dpkg-deb --extract "$deb" "$root"

# --- Layout ---------------------------------------------------------------------------
program=$root/usr/bin/kadrela
if [[ ! -L $program ]]; then
    [[ -x $program ]] || fail "usr/bin/kadrela missing"
fi
real_program=$(readlink -f "$program" || true)
case $real_program in
"$root"/usr/*) ;;
*) fail "usr/bin/kadrela leads to '$real_program', outside the package" ;;
esac
[[ -x $real_program && -f $real_program ]] || fail "the program '$real_program' is missing"
program_dir=$(dirname "$real_program")
# The version check looks for the library in the program's own directory first.
[[ -f $program_dir/libupdate.so ]] || fail "libupdate.so is not beside the program in $program_dir"

batch=$root/usr/bin/kadrela-batch
[[ -x $batch && -f $batch ]] || fail "usr/bin/kadrela-batch missing"

for binary in "$real_program" "$program_dir/libupdate.so" "$batch"; do
    [[ -f $binary ]] || continue
    if readelf --dynamic "$binary" | grep -E 'R(UN)?PATH' | grep -qF "$build_dir"; then
        fail "$binary still searches the build directory for libraries"
    fi
done

icons=$root/usr/share/icons/hicolor
for size in 16 24 32 48 64 128 256; do
    icon=$icons/${size}x$size/apps/kadrela.png
    if [[ ! -f $icon ]]; then
        fail "icon ${size}x$size missing"
    elif ! file "$icon" | grep -q "PNG image data, $size x $size,"; then
        fail "icon ${size}x$size is $(file -b "$icon")"
    fi
done
[[ -f $icons/scalable/apps/kadrela.svg ]] || fail "scalable icon missing"

# --- Launcher and metadata -----------------------------------------------------------
desktop_file=$root/usr/share/applications/kadrela.desktop
if [[ -f $desktop_file ]]; then
    # Hints count too: a launcher without a main category lands in a catch-all menu.
    if ! report=$(desktop-file-validate "$desktop_file" 2>&1) || [[ -n $report ]]; then
        echo "$report" >&2
        fail "the launcher does not validate cleanly"
    fi
    exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_file")
    [[ -x $root/usr/bin/$exec_command ]] || fail "the launcher starts '$exec_command', not installed"
    [[ $(sed -n 's/^Icon=//p' "$desktop_file") == kadrela ]] || fail "the launcher names another icon"
    grep -q '^Name\[pl\]=\|^Comment\[pl\]=' "$desktop_file" || fail "the launcher has no Polish texts"
else
    fail "usr/share/applications/kadrela.desktop missing"
fi

metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
if [[ ${#metainfo[@]} -eq 1 && -f ${metainfo[0]} ]]; then
    appstreamcli validate --no-net --strict "${metainfo[0]}" || fail "the metadata does not validate"
    grep -q '<launchable type="desktop-id">kadrela.desktop</launchable>' "${metainfo[0]}" ||
        fail "the metadata does not name the launcher"
    newest=$(grep -o '<release version="[^"]*"' "${metainfo[0]}" | head -n 1 | cut -d'"' -f2)
    [[ $newest == "$version" ]] || fail "the metadata's newest release is '$newest', not $version"
else
    fail "expected one metainfo file, found: ${metainfo[*]}"
fi
# The launcher, metadata and icons checked together, the way software centres read them.
appstreamcli validate-tree --no-net "$root" || fail "the installed tree does not validate"

# --- The installed programs run from the package alone --------------------------------
# The window starts and its version check loads the installed library.
mkdir -p "$scratch/home"
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_QPA_PLATFORM=offscreen \
    LD_DEBUG=files "$program" >/dev/null 2>"$scratch/gui.log" &
gui_pid=$!
loaded=false
for _ in $(seq 1 200); do
    if grep -qF "calling init: $program_dir/libupdate.so" "$scratch/gui.log"; then
        loaded=true
        break
    fi
    kill -0 "$gui_pid" 2>/dev/null || break
    sleep 0.1
done
kill "$gui_pid" 2>/dev/null || true
wait "$gui_pid" 2>/dev/null || true
gui_pid=
$loaded || fail "the installed program did not load $program_dir/libupdate.so"

# kadrela-batch answers and makes an album of one photo.
batch_version=$("$batch" --version 2>&1) || fail "kadrela-batch --version failed"
[[ $batch_version == *"$version"* ]] || fail "kadrela-batch --version said '$batch_version'"
if [[ ! -f $photo ]]; then
    fail "no test photo at $photo (run tools/install-dependencies --tests)"
else
    cp "$photo" "$scratch/photo.jpg"
    mkdir -p "$scratch/album"
    if main_page=$(HOME=$scratch/home "$batch" --quiet --title "Pakiet" \
        --location "$scratch/album" "$scratch/photo.jpg" 2>"$scratch/batch.log"); then
        [[ -s $main_page && $main_page == "$scratch/album/"* ]] ||
            fail "kadrela-batch named '$main_page' as the main page"
        pictures=$(find "$scratch/album" -iname '*.jpg' | wc -l)
        [[ $pictures -ge 2 ]] || fail "the album holds $pictures JPEG files, not photo and thumbnail"
    else
        cat "$scratch/batch.log" >&2
        fail "kadrela-batch could not make an album"
    fi
fi

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
