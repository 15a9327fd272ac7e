#!/usr/bin/env bash
# Lines of tests against lines of code (non-blank lines that are not only a comment, in C++,
# shell and Python files): per test folder against its src/ or tools/ folder, and in all
# (tests/ against src/ and tools/). --total prints the last line only.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.ptr' -o -name '*.sh' \
    -o -name '*.py' \) -print0 2>/dev/null |
    xargs -0 -r awk '
      FNR == 1 { block = 0; hash = FILENAME ~ /\.(sh|py)$/ }
      {
        line = $0
        gsub(/^[ \t]+|[ \t\r]+$/, "", line)
        if (hash) { if (line != "" && line !~ /^#/) n++; next }
        if (block) { if (index(line, "*/")) { block = 0; line = substr(line, index(line, "*/") + 2) } else next }
        else if (line ~ /^\/\*/) {
          line = substr(line, 3)
          if (index(line, "*/")) line = substr(line, index(line, "*/") + 2); else { block = 1; next }
        }
        gsub(/^[ \t]+/, "", line)
        if (line != "" && line !~ /^\/\//) n++
      }
      END { print n + 0 }'
}

ratio() { awk -v t="$1" -v c="$2" 'BEGIN { printf "%.1f%%", c ? 100 * t / c : 0 }'; }

if [[ ${1:-} != --total ]]; then
  for dir in tests/*/; do
    name=$(basename "$dir")
    tests=$(count "$dir")
    code=
    for candidate in src/$name tools/$name; do
      [[ -d $candidate ]] && code=$candidate
    done
    if [[ -n $code ]]; then
      lines=$(count "$code")
      printf '%-20s %6d / %6d  %-20s %6s\n' "$dir" "$tests" "$lines" "($code)" "$(ratio "$tests" "$lines")"
    else
      printf '%-20s %6d\n' "$dir" "$tests"
    fi
  done
fi
tests=$(count tests) code=$(count src tools)
printf 'tests: %d lines against %d of src/ and tools/: %s\n' "$tests" "$code" "$(ratio "$tests" "$code")"
