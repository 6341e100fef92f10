#!/usr/bin/env bash
# Builds the browser page: the codec and its bindings compiled to WebAssembly with Debian's
# emscripten, embedded with the page's script into one file, build-web/huecipher.html.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
mkdir -p "$out"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}
python3 - "$root/web/shell.html" "$root/web/page.js" "$out/shell.html" <<'PY'
import sys
shell, script, target = sys.argv[1:]
page = open(shell).read().replace("<!-- PAGE SCRIPT -->", "<script>\n" + open(script).read() + "</script>")
open(target, "w").write(page)
PY
em++ -std=c++17 -O2 -Wall -Wextra --bind -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web \
  -sFILESYSTEM=0 -sMINIFY_HTML=0 -I"$root/src/codec" --shell-file "$out/shell.html" -o "$out/huecipher.html" \
  "$root/web/Binding.cpp" "$root"/src/codec/*.cpp
echo "built $out/huecipher.html ($(stat -c %s "$out/huecipher.html") bytes)"
