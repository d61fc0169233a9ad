#!/usr/bin/env bash
# Builds the Debian packages (`make package`: fokalis and, where the build makes the
# host tools, fokalis-integrator-tools), installs the same build into a staging folder
# and checks both as a user meets them: every file the README promises is in its
# package, the validators accept the desktop entry, the AppStream metadata, the manual
# pages and the packages, no installed program carries a runpath or lacks Debian's
# hardening, the installed program starts through its link in bin/ with no dictionary
# beside it and the installed ones where it looks for them, and the installed
# fokalis-render writes a PNG.
#
#   scripts/check-install.sh [BUILD_DIR]     (default build-package)
#
# CHECK_TITLE=1 also starts the program under Xvfb in a German and in the C locale and
# requires the window title of each locale's dictionary (needs xvfb and x11-utils).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/xvfb.sh
. scripts/lib/dictionary.sh
build_dir=${1:-build-package}

# What the README's "Install" section promises, below the prefix /usr: for the
# student's package, then for the integrators'.
promised=(
    bin/fokalis
    bin/fokalis-render
    libexec/fokalis/fokalis
    share/fokalis/dictionaries/english.itl
    share/fokalis/dictionaries/german.itl
    share/applications/org.fokalis.Fokalis.desktop
    share/metainfo/org.fokalis.Fokalis.metainfo.xml
    share/icons/hicolor/scalable/apps/org.fokalis.Fokalis.svg
    share/man/man1/fokalis.1.gz
    share/man/man1/fokalis-render.1.gz
    share/doc/fokalis/copyright
    share/doc/fokalis/dictionary-format.md
    share/doc/fokalis/host-protocol.md
)
for size in $(cat packaging/icon-sizes); do
    promised+=("share/icons/hicolor/${size}x${size}/apps/org.fokalis.Fokalis.png")
done
# The host tools are promised with their manual pages wherever the build makes them.
promised_tools=()
for tool in lernix-host lernix-client; do
    if find "$build_dir/tools" -name "$tool" -type f -perm -u+x 2>/dev/null | grep -q .; then
        promised_tools+=("bin/$tool" "share/man/man1/$tool.1.gz")
    fi
done
[ ${#promised_tools[@]} -eq 0 ] || promised_tools+=(
    share/doc/fokalis-integrator-tools/copyright
    share/doc/fokalis-integrator-tools/examples/lernix-web-host/index.html
    share/doc/fokalis-integrator-tools/examples/lernix-web-host/host.js
)

work=$(mktemp -d)
program_pid=
xvfb_pid=
cleanup() {
    for pid in $program_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# Fails naming every file of the rest of the arguments that the listing in $1 (one path
# per line, relative to the prefix) lacks.
require_promised() {
    local listing=$1 where=$2 missing=()
    shift 2
    for file in "$@"; do
        grep -qxF "$file" "$listing" || missing+=("$file")
    done
    [ ${#missing[@]} -eq 0 ] || fail "missing from $where: ${missing[*]}"
}

# Starts the staged program through its link in bin/, from another working folder, with
# a private runtime folder so that no other running copy takes its place, in the locale
# LC_ALL=$3 (default C.UTF-8); sets program_pid.
start_program() {
    local stage=$1 log=$2 locale=${3:-C.UTF-8}
    mkdir -p "$work/cwd" "$work/runtime" "$work/registry"
    chmod 700 "$work/runtime"
    (cd "$work/cwd" && exec env -u LANGUAGE -u FOKALIS_DICTIONARY_DIR LC_ALL="$locale" \
        LERNIX_RUNTIME_DIR="$work/runtime" LERNIX_REGISTRY_DIR="$work/registry" \
        "$stage/usr/bin/fokalis" >"$log" 2>&1) &
    program_pid=$!
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=
}

check_program_starts() {
    local stage=$1 real="$1/usr/libexec/fokalis/fokalis"
    QT_QPA_PLATFORM=offscreen start_program "$stage" "$work/fokalis.log"
    sleep 2
    if ! kill -0 "$program_pid" 2>/dev/null; then
        cat "$work/fokalis.log" >&2
        fail "the installed program did not stay up for 2 s"
    fi
    # The program looks for its dictionaries from its own resolved file, which is what the
    # kernel reports here.
    [ "$(readlink "/proc/$program_pid/exe")" = "$real" ] \
        || fail "started through bin/fokalis, the program runs as $(readlink "/proc/$program_pid/exe")"
    # A dictionary beside the program would overrule the user's locale.
    [ ! -e "${real}.itl" ] || fail "a dictionary beside $real overrules the locale"
    [ -f "$(dirname "$real")/../../share/fokalis/dictionaries/english.itl" ] \
        || fail "no installed dictionaries where $real looks for them"
    stop_program
}

# In each locale the window title must be its dictionary's text for the key "Fokalis", not
# the key.
check_window_titles() {
    local stage=$1
    start_xvfb "$work" || fail "Xvfb did not start"
    check_window_title "$stage" "$DISPLAY" de_DE.UTF-8 german.itl
    check_window_title "$stage" "$DISPLAY" C.UTF-8 english.itl
}

check_window_title() {
    local stage=$1 display=$2 locale=$3 dictionary=$4 expected
    expected=$(dictionary_text "$stage/usr/share/fokalis/dictionaries/$dictionary" Fokalis)
    [ -n "$expected" ] || fail "$dictionary has no title text"
    DISPLAY=$display QT_QPA_PLATFORM=xcb start_program "$stage" "$work/title.log" "$locale"
    for _ in $(seq 50); do
        if LC_ALL=C.UTF-8 xwininfo -display "$display" -root -tree | grep -qF "\"$expected\""; then
            stop_program
            return
        fi
        sleep 0.1
    done
    echo "check-install: the windows are:" >&2
    xwininfo -display "$display" -root -tree | grep -F '"' >&2 || true
    fail "no window titled \"$expected\" in the locale $locale"
}

check_render() {
    local stage=$1 magic
    (cd "$work/cwd" && XDG_RUNTIME_DIR="$work/runtime" "$stage/usr/bin/fokalis-render" diagram.png --lens concave)
    magic=$(head -c 8 "$work/cwd/diagram.png" | od -An -tx1 | tr -d ' \n')
    [ "$magic" = 89504e470d0a1a0a ] || fail "the installed fokalis-render wrote no PNG"
}

check_validators() {
    local root=$1/usr
    desktop-file-validate "$root/share/applications/org.fokalis.Fokalis.desktop"
    appstreamcli validate --no-net "$root/share/metainfo/org.fokalis.Fokalis.metainfo.xml"
    for page in "$root"/share/man/man1/*.1.gz; do
        local warnings
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    done
}

# Every installed program: no runpath (Qt and our libraries need none), and, where
# devscripts' hardening-check is installed, Debian's hardening.
check_binaries() {
    local root=$1/usr file
    for file in "$root"/bin/* "$root"/libexec/fokalis/fokalis; do
        [ -L "$file" ] && continue
        if readelf -d "$file" | grep -qE 'R(UN)?PATH'; then
            fail "$(basename "$file") carries a runpath: $(readelf -d "$file" | grep -E 'R(UN)?PATH')"
        fi
        # Control-flow protection is not among Debian 12's default flags; fortified
        # functions are lintian's to judge, since a program may call none whose size
        # the compiler knows.
        if command -v hardening-check >/dev/null; then
            hardening-check --nocfprotection --nofortify "$file" \
                || fail "$(basename "$file") lacks Debian's hardening"
        fi
    done
}

# Checks the package file $1 holds every file of the rest of the arguments.
check_package() {
    local deb=$1
    shift
    echo "== contents of $(basename "$deb")"
    dpkg-deb --info "$deb"
    dpkg-deb --contents "$deb"
    dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed -n 's|^\./usr/||p' >"$work/package.list"
    require_promised "$work/package.list" "$(basename "$deb")" "$@"
    lintian --pedantic -I --fail-on error,warning "$deb" | tee "$work/lintian.txt"
    if grep -q 'hardening-' "$work/lintian.txt"; then
        fail "$(basename "$deb") is built without Debian's hardening"
    fi
}

# The one file matching the pattern $1, or a failure naming what matched.
one_package() {
    local debs
    mapfile -t debs < <(compgen -G "$1" || true)
    [ ${#debs[@]} -eq 1 ] || fail "expected one package $1, found: ${debs[*]}"
    echo "${debs[0]}"
}

make package PACKAGE_DIR="$build_dir"
deb=$(one_package "$build_dir/fokalis_*.deb")
tools_deb=
if [ ${#promised_tools[@]} -gt 0 ]; then
    tools_deb=$(one_package "$build_dir/fokalis-integrator-tools_*.deb")
fi

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >/dev/null
(cd "$stage/usr" && find . -mindepth 1 \( -type f -o -type l \) | sed 's|^\./||') >"$work/stage.list"
require_promised "$work/stage.list" "the staged install" "${promised[@]}" "${promised_tools[@]}"

check_validators "$stage"
check_binaries "$stage"
check_program_starts "$stage"
check_render "$stage"
if [ "${CHECK_TITLE:-0}" = 1 ]; then
    check_window_titles "$stage"
fi
check_package "$deb" "${promised[@]}"
if [ -n "$tools_deb" ]; then
    check_package "$tools_deb" "${promised_tools[@]}"
    # The student's package holds the student's program, nothing for integrators.
    if dpkg-deb --contents "$deb" | grep -q lernix; then
        fail "$(basename "$deb") holds the host tools"
    fi
fi
echo "check-install: all checks passed"
