#!/usr/bin/env bash
# Builds the .deb from an optimised build folder (default build-release-check), unpacks it into a
# scratch root and checks it as a user's system would meet it: every file in its place, the
# desktop entry and the AppStream file valid, the MIME type registered for .tcf, no maintainer
# scripts, dependencies from the linked libraries; then starts the unpacked editor offscreen with
# a .tcf file and watches it read the file, and asks the other programs for their --version.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build-release-check}"
desktop_id="$(sed -n 's/^set(TRA1_DESKTOP_ID "\(.*\)")$/\1/p' CMakeLists.txt)"
version="$(sed -n 's/^project(.* VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)"
if [ -z "$desktop_id" ] || [ -z "$version" ]; then
    echo "check-package: cannot read the desktop id or the version from CMakeLists.txt" >&2
    exit 1
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tra1-package-check.XXXXXX")"
editor_pid=""
watch_pid=""
cleanup() {
    if [ -n "$editor_pid" ]; then kill "$editor_pid" 2>/dev/null || true; fi
    if [ -n "$watch_pid" ]; then kill "$watch_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "check-package: $*" >&2
    failures=$((failures + 1))
}

# The package.
rm -rf "$build_dir/package"
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
debs=("$build_dir"/package/*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "check-package: expected one .deb in $build_dir/package" >&2
    exit 1
fi
deb="${debs[0]}"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$scratch/control"

# Control: no maintainer scripts; dependencies from the linked libraries and the display plugins.
for script in preinst postinst prerm postrm config triggers; do
    [ -e "$scratch/control/$script" ] && fail "the package has a maintainer script: $script"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins; do
    case ", $depends" in
        *", $dependency "* | *", $dependency,"* | *", $dependency") ;;
        *) fail "Depends lacks $dependency: $depends" ;;
    esac
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"

# Every file in its place, and nothing else.
share="$root/usr/share"
programs=()
for program in "$root"/usr/bin/*; do
    programs+=("$(basename "$program")")
done
expected=()
for program in "${programs[@]}"; do
    expected+=("usr/bin/$program" "usr/share/man/man1/$program.1.gz")
done
expected+=(
    "usr/share/applications/$desktop_id.desktop"
    "usr/share/metainfo/$desktop_id.metainfo.xml"
    "usr/share/mime/packages/$desktop_id.xml"
    "usr/share/icons/hicolor/scalable/apps/$desktop_id.svg"
)
icon_sizes=(16 24 32 48 64 128 256)
for size in "${icon_sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$desktop_id.png")
done
for required in tr-a1-editor tr-a1-sim tr-a1ctl; do
    [ -x "$root/usr/bin/$required" ] || fail "usr/bin/$required is missing"
done
(cd "$root" && find . -type f | sed 's|^\./||' | sort) > "$scratch/found"
printf '%s\n' "${expected[@]}" | sort > "$scratch/expected"
if ! diff -u "$scratch/expected" "$scratch/found" > "$scratch/files.diff"; then
    fail "the package's files differ from the expected ones (- missing, + unexpected):"
    sed -n '3,$p' "$scratch/files.diff" | grep '^[-+]' >&2 || true
fi

# The icon pictures are the sizes their folders say (PNG header: width and height at byte 16).
for size in "${icon_sizes[@]}"; do
    picture="$share/icons/hicolor/${size}x${size}/apps/$desktop_id.png"
    [ -f "$picture" ] || continue
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$picture")
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "$picture is ${width}x$height, not ${size}x$size"
done

# Manual pages: compressed roff that names its program.
for program in "${programs[@]}"; do
    page="$share/man/man1/$program.1.gz"
    [ -f "$page" ] || continue
    gzip -t "$page" && zcat "$page" | grep -q "^\.TH \"\?${program^^}" ||
        fail "$page is not the manual page of $program"
done

# The desktop entry, the AppStream file and the MIME type, as the desktop reads them.
entry="$share/applications/$desktop_id.desktop"
if [ -f "$entry" ]; then
    desktop-file-validate "$entry" > "$scratch/desktop.log" 2>&1 ||
        { cat "$scratch/desktop.log" >&2; fail "desktop-file-validate rejects $entry"; }
    grep -q '^Exec=tr-a1-editor %f$' "$entry" || fail "$entry does not open a file with %f"
    grep -q "^Icon=$desktop_id$" "$entry" || fail "$entry does not name the icon $desktop_id"
fi
metainfo="$share/metainfo/$desktop_id.metainfo.xml"
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" > "$scratch/appstream.log" 2>&1 ||
        { cat "$scratch/appstream.log" >&2; fail "appstreamcli rejects $metainfo"; }
    grep -q '<screenshot type="default">' "$metainfo" || fail "$metainfo has no screenshot"
fi
[ -s "$build_dir/packaging/screenshots/main-window.png" ] ||
    fail "the offscreen screenshot $build_dir/packaging/screenshots/main-window.png is missing"
if [ -d "$share/mime/packages" ]; then
    cp -r "$share/mime" "$scratch/mime"
    update-mime-database "$scratch/mime" > /dev/null 2>&1 || fail "update-mime-database failed"
    mime_type="$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/$desktop_id.xml")"
    grep -q ":$mime_type:\*\.tcf" "$scratch/mime/globs2" 2>/dev/null ||
        fail "*.tcf is not registered as $mime_type"
    grep -q "^MimeType=$mime_type;$" "$entry" || fail "$entry does not open $mime_type"
fi

# The other programs answer --version with their name and the package's version.
for program in "${programs[@]}"; do
    line="$("$root/usr/bin/$program" --version 2>&1 | head -n 1)" || true
    [ "$line" = "$program $version" ] || fail "$program --version says '$line'"
done

# The unpacked editor, offscreen, opens the .tcf file it is given and stays up, silently. The
# file is watched with inotify: reading it to the end closes it.
home="$scratch/home"
mkdir -p "$home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
tcf="$scratch/Living room.tcf"
{ printf '\010'; head -c 5394 /dev/zero; } > "$tcf"
exec {events}< <(exec inotifywait -m -e open -e close_nowrite --format '%e' "$tcf" 2>&1)
watch_pid=$!
watching=""
while read -r -t 30 -u "$events" line; do
    if [ "$line" = "Watches established." ]; then
        watching=yes
        break
    fi
done
if [ -z "$watching" ]; then
    fail "inotifywait did not start"
else
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$scratch/runtime" \
        XDG_DATA_DIRS="$share:/usr/share" QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/tr-a1-editor" "$tcf" > "$scratch/editor.out" 2> "$scratch/editor.err" &
    editor_pid=$!
    opened=""
    read_to_end=""
    while read -r -t 60 -u "$events" line; do
        case "$line" in
            OPEN) opened=yes ;;
            CLOSE_NOWRITE*) read_to_end=yes; break ;;
        esac
    done
    if [ -z "$opened" ] || [ -z "$read_to_end" ]; then
        fail "the unpacked editor did not open and read $tcf"
    elif ! kill -0 "$editor_pid" 2>/dev/null; then
        fail "the unpacked editor ended after reading $tcf"
    fi
    kill "$editor_pid" 2>/dev/null || true
    wait "$editor_pid" 2>/dev/null || true
    editor_pid=""
    if [ -s "$scratch/editor.out" ] || [ -s "$scratch/editor.err" ]; then
        fail "the editor printed on the terminal:"
        cat "$scratch/editor.out" "$scratch/editor.err" >&2
    fi
fi
kill "$watch_pid" 2>/dev/null || true
watch_pid=""
exec {events}<&-

if [ "$failures" -ne 0 ]; then
    echo "check-package: $failures check(s) failed for $deb" >&2
    exit 1
fi
echo "Package $(basename "$deb"): every file in place, desktop entry and AppStream valid," \
    "the editor opens a .tcf file: OK"
