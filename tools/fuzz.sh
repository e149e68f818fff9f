#!/usr/bin/env bash
# Runs the libFuzzer targets for a bounded time each, on a scratch copy of the committed corpus.
# Usage: tools/fuzz.sh [seconds-per-target] [target...]   (default: 20 s; save seed text)
#   tools/fuzz.sh 600 save             a long run of one target by hand
#   FUZZ_MERGE=1 tools/fuzz.sh 600     afterwards, add the inputs that reach new code to
#                                      tests/fuzz/corpus/<target>/ (review and commit by hand)
# Exits non-zero when a target crashes, leaks, times out or runs out of memory; the failing
# input stays in the scratch folder, whose path is printed with a hex dump of the input.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

seconds="${1:-20}"
[ "$#" -gt 0 ] && shift
targets=("$@")
[ "${#targets[@]}" -eq 0 ] && targets=(save seed text)

if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz: the time per target must be a whole number of seconds, not '$seconds'" >&2
  exit 2
fi

# Longest input per target: a save file is 16 bytes, so a few records' worth covers every length
# case; seed keys and the text target's long prefixes need more room.
max_len_of() {
  case "$1" in
    save) echo 64 ;;
    seed) echo 256 ;;
    text) echo 4096 ;;
    *) return 1 ;;
  esac
}
for t in "${targets[@]}"; do
  if ! max_len_of "$t" >/dev/null || [ ! -d "tests/fuzz/corpus/$t" ]; then
    echo "fuzz: unknown target '$t' (known: save seed text)" >&2
    exit 2
  fi
done

# Configuring every time keeps NAVRO_FUZZ on in a sanitize folder configured before it existed.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target "${targets[@]/#/navro-fuzz-}"

work=$(mktemp -d /tmp/navro-fuzz-XXXXXX)
failed=()
for t in "${targets[@]}"; do
  dir="$work/$t"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  cp -R "tests/fuzz/corpus/$t/." "$dir/corpus/"
  args=(-max_total_time="$seconds" -print_final_stats=1 -max_len="$(max_len_of "$t")"
        -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$dir/artifacts/")
  [ -f "tests/fuzz/$t.dict" ] && args+=(-dict="tests/fuzz/$t.dict")
  echo "fuzz: $t for ${seconds} s (log: $dir/log)"
  rc=0
  TMPDIR="$dir" "build/sanitize/tests/fuzz/navro-fuzz-$t" "${args[@]}" "$dir/corpus" \
    >"$dir/log" 2>&1 || rc=$?
  grep -E '^#[0-9]+[[:space:]]+DONE' "$dir/log" | tail -n 1 || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' \
    "$dir/log" || true
  artifacts=("$dir"/artifacts/*)
  if [ "$rc" -ne 0 ] || [ -e "${artifacts[0]}" ]; then
    failed+=("$t")
    echo "fuzz: $t FAILED (exit $rc); the end of its log:" >&2
    tail -n 40 "$dir/log" >&2
    for a in "${artifacts[@]}"; do
      [ -e "$a" ] || continue
      echo "fuzz: failing input $a ($(stat -c %s "$a") bytes):" >&2
      od -A x -t x1z -v "$a" | head -n 32 >&2
      echo "fuzz: reproduce with build/sanitize/tests/fuzz/navro-fuzz-$t $a" >&2
    done
    continue
  fi
  if [ "${FUZZ_MERGE:-0}" = "1" ]; then
    # Only inputs that reach code the committed corpus does not are added, and only a small set
    # of them: edges without hit counts, covered greedily, keep the corpus a few dozen files.
    TMPDIR="$dir" "build/sanitize/tests/fuzz/navro-fuzz-$t" -set_cover_merge=1 -use_counters=0 \
      -max_len="$(max_len_of "$t")" \
      "$repo/tests/fuzz/corpus/$t" "$dir/corpus" >"$dir/merge.log" 2>&1
    grep -E 'MERGE-OUTER: [0-9]+ new files' "$dir/merge.log" || true
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: failures in ${failed[*]}; inputs and logs kept in $work" >&2
  exit 1
fi
rm -rf "$work"
if [ "${FUZZ_MERGE:-0}" = "1" ]; then
  echo "fuzz: merged; see 'git status tests/fuzz/corpus' and commit what is worth keeping"
fi
echo "fuzz: ${targets[*]} passed, ${seconds} s each"
