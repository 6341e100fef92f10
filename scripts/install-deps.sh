#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Huecipher need.
# Does nothing when all of them are present already. With --bench, also the benchmarks' peers.
set -euo pipefail

PACKAGES=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  fonts-liberation2 fontconfig
  xvfb xauth openbox x11-utils
  qpdf poppler-utils strace
  python3 python3-fonttools python3-brotli fonts-urw-base35
  libhpdf-dev libcairo2-dev pkg-config
  cups cups-client printer-driver-cups-pdf libcups2-dev mupdf-tools
  clang libclang-rt-14-dev
  dpkg-dev lintian appstream desktop-file-utils shared-mime-info xdg-utils libxml2-utils libfile-mimeinfo-perl
  emscripten chromium
)

# npm brings the page's accessibility audit; a machine may have it from Node.js's own packages.
if ! command -v npm >/dev/null; then
  PACKAGES+=(npm)
fi

# The benchmarks' peers (make bench), not needed to build or test: steghide is the peer that
# huecipher-cli's single calls are timed against.
if [ "${1:-}" = "--bench" ]; then
  PACKAGES+=(steghide)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The page's tests audit it with axe-core from npm, kept beside them. Where npm cannot reach its
# registry the audit cannot run: said here, and by the page test (a failure under CI).
tests=$(cd "$(dirname "$0")/../tests/web" && pwd)
if [ ! -f "$tests/node_modules/axe-core/axe.min.js" ]; then
  if ! npm install --prefix "$tests" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
      axe-core@4.14.1; then
    echo "axe-core could not be installed from npm: the page's accessibility audit will not run" >&2
  fi
fi
