#!/usr/bin/env bash
# Runs each libFuzzer driver for the given number of seconds (default 60) in build-fuzz/.
# Findings land in build-fuzz/findings/<target>/; copy a crasher into
# tests/io/fuzz/corpus/<target>/ once fixed, so that the unit tests replay it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DTINTROW_FUZZ=ON -DTINTROW_BUILD_DATA=OFF >/dev/null
cmake --build "$build" --target fuzz-archive fuzz-data -j"$(nproc)"
for target in archive data; do
  work="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$work" "$findings"
  echo "fuzz: $target for ${seconds}s"
  "$build/fuzz-$target" "$work" "$root/tests/io/fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 -timeout=10 \
    -artifact_prefix="$findings/" -print_final_stats=1 2>&1 | tail -n 12
done
