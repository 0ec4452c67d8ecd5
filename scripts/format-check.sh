#!/usr/bin/env bash
# Checks that every C++ source and header of the repository is laid out as .clang-format
# says; lists the files that are not. `scripts/format-check.sh --fix` lays them out.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
  echo "These files are not laid out as .clang-format says (scripts/format-check.sh --fix):" >&2
  for file in "${files[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "  $file" >&2
  done
  exit 1
fi
