#!/usr/bin/env bash
# Checks that every tracked C++ source and header is laid out as the
# repository's .clang-format asks (Debian's clang-format-14) and fails when
# any file differs, naming the files. Fix them with clang-format-14 -i.
# Usage: scripts/check-format.sh   (CLANG_FORMAT=<program> to use another)
set -euo pipefail
cd "$(dirname "$0")/.."

clang_format=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$clang_format" >/dev/null 2>&1; then
  echo "$clang_format is not installed (scripts/install-deps.sh format)" >&2
  exit 2
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
# One run over all files; each difference is reported as
# "<file>:<line>:<column>: error: code should be clang-formatted".
status=0
report=$(printf '%s\0' "${files[@]}" | xargs -0 -r "$clang_format" --style=file --dry-run --Werror 2>&1) || status=$?
if [ "$status" -ne 0 ]; then
  differing=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
  if [ -z "$differing" ]; then
    # Not a formatting difference: clang-format itself failed.
    echo "$report" >&2
  else
    echo "$(wc -l <<<"$differing") of ${#files[@]} files differ from .clang-format:" >&2
    sed 's/^/  /' <<<"$differing" >&2
    echo "Format them with: $clang_format -i <file>..." >&2
  fi
  exit 1
fi
echo "format check: ${#files[@]} files as .clang-format asks"
