#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on a copy of its seed corpus and prints how many
# inputs it executed and the coverage it reached. Usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# With FUZZ_RUNS set, each target runs that many inputs instead of for a time.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
failed=0
shift 2 || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_bmp_reader fuzz_picture_file fuzz_text_file fuzz_codec fuzz_folium fuzz_cli_text)
if [ -n "${FUZZ_RUNS:-}" ]; then limit=(-runs="$FUZZ_RUNS"); else limit=(-max_total_time="$seconds"); fi
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  cp -n "$here/corpus/$target"/* "$corpus"/ 2>/dev/null || true
  log="$build/$target.log"
  if "$build/fuzz/$target" "${limit[@]}" -print_final_stats=1 -rss_limit_mb=2048 \
       -artifact_prefix="$build/$target-" "$corpus" >"$log" 2>&1; then
    runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || echo "?")
    cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$' || echo "?")
    printf '%-18s %12s executions   coverage %6s   no crash\n' "$target" "$runs" "$cov"
  else
    failed=1
    printf '%-18s FAILED: see %s\n' "$target" "$log"
    tail -30 "$log"
  fi
done
exit $failed
