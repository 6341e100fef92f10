#!/usr/bin/env bash
# Builds the Debian package from the build and checks its control data and contents with
# dpkg-deb, and lintian's verdict (no error, no warning).
# Usage: check-deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null 2>&1) || fail "cpack failed"
arch=$(dpkg --print-architecture)
deb="$out/huecipher_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = huecipher ] || fail "Package"
[ "$(field Version)" = "$version" ] || fail "Version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture"
[ "$(field Section)" = graphics ] || fail "Section"
[ -n "$(field Maintainer)" ] || fail "Maintainer"
depends=$(field Depends)
for p in fonts-liberation2 xdg-utils libqt6widgets6 libqt6printsupport6 libcups2 libc6; do
  grep -q "\b$p\b" <<<"$depends" || fail "Depends lacks $p: $depends"
done
[ "$(dpkg-deb -f "$deb" Description | head -1)" = "hide a text in a coded picture and get it back" ] || fail "Description"

listing=$(dpkg-deb -c "$deb")
contents=$(awk '{print $6}' <<<"$listing")
for f in ./usr/bin/huecipher ./usr/share/applications/org.hollowbrandt.Huecipher.desktop \
         ./usr/share/mime/packages/org.hollowbrandt.Huecipher.xml \
         ./usr/share/metainfo/org.hollowbrandt.Huecipher.metainfo.xml ./usr/share/man/man1/huecipher.1.gz \
         ./usr/share/icons/hicolor/256x256/apps/org.hollowbrandt.Huecipher.png \
         ./usr/share/icons/hicolor/scalable/apps/org.hollowbrandt.Huecipher.svg \
         ./usr/share/doc/huecipher/copyright ./usr/share/doc/huecipher/changelog.gz \
         ./usr/share/huecipher/huecipher.html ./usr/libexec/huecipher/huecipher-layout; do
  grep -qx "$f" <<<"$contents" || fail "missing $f"
done
grep ' ./usr/bin/huecipher$' <<<"$listing" | grep -q '^-rwxr-xr-x root/root' || fail "executable mode or owner"

verdict=$(lintian --allow-root "$deb" 2>&1 || true)
! grep -qE '^[EW]: ' <<<"$verdict" || fail "lintian: $verdict"
echo "check-deb: 1 passed, 0 failed"
