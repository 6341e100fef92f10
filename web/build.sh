#!/usr/bin/env bash
# Builds the browser page: the codec, the PDF writer and their bindings compiled to WebAssembly
# with Debian's emscripten, embedded with the page's script and the text box's fonts into one
# file, build-web/huecipher.html.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
font=${HUECIPHER_BOX_FONT:-/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf}
mkdir -p "$out"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}
/usr/bin/python3 "$root/web/box_fonts.py" "$font" "$root/web/box_overhangs.txt" "$out/box_fonts.css"
/usr/bin/python3 - "$root/web/shell.html" "$root/web/page.js" "$out/box_fonts.css" "$out/shell.html" <<'PY'
import sys
shell, script, fonts, target = sys.argv[1:]
page = open(shell).read().replace("<!-- PAGE SCRIPT -->", "<script>\n" + open(script).read() + "</script>")
page = page.replace("/* TEXT BOX FONTS */", open(fonts).read())
open(target, "w").write(page)
PY
em++ -std=c++17 -O2 -Wall -Wextra --bind -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web \
  -sMINIFY_HTML=0 -I"$root/src/codec" -I"$root/src/pdf" --shell-file "$out/shell.html" -o "$out/huecipher.html" \
  "$root/web/Binding.cpp" "$root"/src/codec/*.cpp "$root"/src/pdf/*.cpp
echo "built $out/huecipher.html ($(stat -c %s "$out/huecipher.html") bytes)"
