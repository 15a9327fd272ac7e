#!/usr/bin/env bash
# Runs every libFuzzer driver of the tree for the given number of seconds each (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets are named fuzz-*; default: all)
# Findings land in build-fuzz/findings/<target>/; once fixed, copy a crasher into the
# driver's corpus folder (tests/fuzz/corpus/<name>/) so that ./test.sh replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build="$root/build-fuzz"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed (apt-get install clang)" >&2; exit 1; }
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DTINTROW_FUZZ=ON -DTINTROW_BUILD_DATA=OFF >/dev/null

targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\.\.\. \(fuzz-[a-z0-9-]*\).*/\1/p')
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# The store targets write records with fsync: on a tmpfs that costs nothing.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm

for target in "${targets[@]}"; do
  name=${target#fuzz-}
  seeds=("$root/tests/fuzz/corpus/$name")
  work="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$work" "$findings"
  log="$build/logs/$name.log"
  mkdir -p "$build/logs"
  echo "fuzz: $target for ${seconds}s"
  "$build/$target" "$work" "${seeds[@]}" \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 -timeout=10 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 \
    || echo "fuzz: $target stopped on a finding: $findings"
  tail -n 12 "$log"
  # One line per driver for the record: executions, coverage, features, corpus size.
  done_line=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -n 1 || true)
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[^ ]+' <<<"$done_line" || true)
  echo "$name ${seconds}s execs=${execs:-?} $coverage" | tee -a "$build/summary.txt"
done
