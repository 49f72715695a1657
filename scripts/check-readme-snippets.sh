#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every program the README quotes ("This program is `examples/snippets/NAME.cpp`" followed by a
# cpp block) must be that file as it stands (without its licence line), so the README cannot rot.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0 checked=0
while IFS= read -r file; do
  block=$(awk -v f="$file" 'index($0, "This program is `" f "`") {s=1} s && /^```cpp/ {g=1; next}
                             g && /^```/ {exit} g {print}' README.md)
  if [ "$block" != "$(tail -n +2 "$file")" ]; then
    echo "check-readme-snippets: README's copy of $file differs from the file"
    status=1
  fi
  checked=$((checked + 1))
done < <(grep -o 'This program is `examples/snippets/[a-z_]*\.cpp`' README.md | sed 's/.*`\(.*\)`/\1/')
[ "$status" -eq 0 ] && echo "check-readme-snippets: $checked quoted program(s) match their files"
exit "$status"
