#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (default 60 s
# each), starting from seeds that the program's own writers make. FUZZ_TARGETS may name
# some of them (data_file_fuzzer bmp_fuzzer journal_fuzzer clipboard_content_fuzzer
# encrypted_container_fuzzer) to run only those. Crashing inputs land in
# build/fuzz/artifacts/; the corpus grows in build/fuzz/corpus/ from run to run.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
out=build/fuzz
"$out/fuzz/make_fuzz_seeds" "$out/seeds/data_file_fuzzer" "$out/seeds/bmp_fuzzer" \
  "$out/seeds/journal_fuzzer" "$out/seeds/clipboard_content_fuzzer"
status=0
for target in ${FUZZ_TARGETS:-data_file_fuzzer bmp_fuzzer journal_fuzzer clipboard_content_fuzzer encrypted_container_fuzzer}; do
  mkdir -p "$out/corpus/$target" "$out/artifacts/$target"
  echo "== $target for ${seconds}s"
  # A few header bytes may rightly ask for a 512 MiB picture, which takes seconds to make
  # under the sanitizers on a busy machine: that is slow, not hung.
  "$out/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 \
    -artifact_prefix="$out/artifacts/$target/" -print_final_stats=1 \
    "$out/corpus/$target" "$out/seeds/$target" 2>&1 | tail -15 || status=1
done
exit $status
