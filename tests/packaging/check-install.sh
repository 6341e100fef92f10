#!/usr/bin/env bash
# Installs the build into a scratch tree under /usr and checks what a desktop gets from it:
# every file in its place, the validators' verdicts, the icon sizes, the picture type as the
# desktop's mime database reports it, and the installed program itself.
# Usage: check-install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
share="$root/usr/share"
id=org.hollowbrandt.Huecipher
expected=(
  usr/bin/huecipher
  usr/bin/huecipher-cli
  usr/libexec/huecipher/huecipher-layout
  usr/share/huecipher/huecipher.html
  usr/share/applications/$id.desktop
  usr/share/mime/packages/$id.xml
  usr/share/metainfo/$id.metainfo.xml
  usr/share/man/man1/huecipher.1.gz
  usr/share/man/man1/huecipher-cli.1.gz
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/doc/huecipher/copyright
  usr/share/doc/huecipher/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${expected[@]}"; do
  [ -f "$root/$f" ] || fail "missing $f"
done
# Nothing else: above all no pictures folder beside the executable.
extra=$(cd "$root" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$extra" ] || fail "unexpected files: $extra"
[ ! -e "$root/usr/bin/Pictures" ] || fail "a pictures folder is installed beside the executable"

# Validators: no error, no warning.
out=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=huecipher %f' "$share/applications/$id.desktop" || fail "Exec line"
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "Icon line"
out=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
! grep -qE '^[EW]:' <<<"$out" || fail "appstreamcli: $out"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" || fail "release $version missing"
xmllint --noout "$share/mime/packages/$id.xml" || fail "xmllint"
zcat "$share/man/man1/huecipher.1.gz" | grep -q '^\.TH HUECIPHER 1' || fail "manual page"

# The files agree on the ids that tie them together: the picture type, the desktop entry that
# claims it, the AppStream file that provides it, the icon each names, and the program.
desktop="$share/applications/$id.desktop"
meta="$share/metainfo/$id.metainfo.xml"
mime="$share/mime/packages/$id.xml"
picture=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
[ "$picture" = application/x-huecipher-picture ] || fail "the picture type is '$picture'"
grep -qE "^MimeType=(.*;)?$picture;" "$desktop" || fail "the desktop entry does not claim $picture"
[ "$(xmllint --xpath 'string(/component/provides/mediatype)' "$meta")" = "$picture" ] || fail "AppStream's type"
[ "$(xmllint --xpath 'string(/component/id)' "$meta")" = "$id" ] || fail "AppStream's id"
[ "$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$meta")" = "$id.desktop" ] ||
  fail "AppStream's launchable"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ "$(xmllint --xpath 'string(/component/provides/binary)' "$meta")" = "$program" ] || fail "AppStream's binary"
[ -x "$root/usr/bin/$program" ] || fail "the desktop entry starts $program, which is not installed"
icon=$(xmllint --xpath 'string(//*[local-name()="icon"]/@name)' "$mime")
[ "$icon" = "$id" ] && [ "$(sed -n 's/^Icon=//p' "$desktop")" = "$icon" ] || fail "the icons are named apart"
grep -qa "$id" "$root/usr/bin/$program" || fail "the window does not give the desktop its id"

# Every PNG is as large as its folder says; the SVG is the 32 x 32 design.
for size in 16 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  dims=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
  [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/$id.svg" || fail "svg"
grep -q 'viewBox="0 0 32 32"' "$share/icons/hicolor/scalable/apps/$id.svg" || fail "svg size"

# The desktop's mime database: a .hqc file is a coded picture, a .bmp stays a bitmap.
update-mime-database "$share/mime"
# The start of a real bitmap (file header, then an information header of 40 bytes), which
# the bitmap type's own magic recognises: only the name can make it a coded picture.
header() { printf 'BM'; head -c 12 /dev/zero; printf '\050'; head -c 39 /dev/zero; }
header > "$root/letter.hqc"
header > "$root/photo.bmp"
header > "$root/untitled"
type=$(XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$root/none" xdg-mime query filetype "$root/letter.hqc" 2>/dev/null)
[ "$type" = "application/x-huecipher-picture" ] || fail "letter.hqc is $type"
type=$(XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$root/none" xdg-mime query filetype "$root/photo.bmp" 2>/dev/null)
[ "$type" = "image/bmp" ] || fail "photo.bmp is $type"
type=$(XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$root/none" xdg-mime query filetype "$root/untitled" 2>/dev/null)
[ "$type" = "image/bmp" ] || fail "a bitmap without a name is $type"

# The installed program answers without a display.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/huecipher" --version)
[ "$out" = "huecipher $version" ] || fail "--version says $out"
echo "check-install: 1 passed, 0 failed"
