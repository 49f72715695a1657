#!/usr/bin/env bash
# Checks that every source, header, test, benchmark, fuzz target and example file names its
# licence in its first lines. Lists the files that do not and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."

LINES=5
missing=0
checked=0
while IFS= read -r -d '' f; do
  checked=$((checked + 1))
  if ! head -n "$LINES" "$f" | grep -q 'SPDX-License-Identifier: MIT'; then
    echo "no SPDX-License-Identifier: MIT line in the first $LINES lines: $f"
    missing=$((missing + 1))
  fi
done < <(find src tests bench examples fuzz designer -type f \
           \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.h.in' \) \
           -not -path '*/corpus/*' -print0 2>/dev/null | sort -z)

if [ "$checked" -eq 0 ]; then
  echo "check-spdx: no source files found" >&2
  exit 1
fi
if [ "$missing" -ne 0 ]; then
  echo "check-spdx: $missing of $checked files lack the licence line" >&2
  exit 1
fi
echo "check-spdx: all $checked files carry the licence line"
