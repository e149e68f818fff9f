#!/usr/bin/env bash
# The same seed gives the same run on every system: navro-seedmap built for Windows and run under
# Wine, or built for the web and run under Node.js, prints, for fixed and random seeds, exactly the
# lines the Linux build prints (Windows ends its text lines with CR LF; the lines themselves must
# be equal).
# Usage: seedmap_compare.sh LINUX_SEEDMAP OTHER_SEEDMAP(.exe|.js) [RANDOM_SEEDS]
set -uo pipefail
linux="$1"
other="$2"
random_count="${3:-40}"
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/windows-cache/wineprefix}"
export WINEDEBUG=-all
fail() { echo "FAIL: $*" >&2; exit 1; }
case "$other" in
  *.exe) system=Windows; run_other() { wine "$other" "$@"; } ;;
  *.js) system=web; run_other() { node "$other" "$@"; } ;;
  *) fail "$other is neither a Windows program (.exe) nor a web one (.js)" ;;
esac
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The edges of seed text: zero, one, the largest signed value and past it (saturating), leading
# zeros, nineteen digits, and seeds the other tests know.
seeds=(0 1 2 7 42 12345 0000000000000012345 1000000000000000000 9223372036854775806
       9223372036854775807 9223372036854775808 99999999999999999999 18446744073709551615
       172143689783847580)
for _ in $(seq 1 "$random_count"); do
  digits=$(( $(od -An -N1 -tu1 /dev/urandom) % 19 + 1 ))
  seeds+=("$(tr -dc 0-9 </dev/urandom | head -c "$digits")")
done

for seed in "${seeds[@]}"; do
  "$linux" "$seed" >"$scratch/linux" 2>&1
  linux_status=$?
  # Into a file, not a pipe: a Wine server started by this call would hold a pipe open.
  run_other "$seed" >"$scratch/other.crlf" 2>&1
  other_status=$?
  tr -d '\r' <"$scratch/other.crlf" >"$scratch/other"
  [ "$linux_status" -eq 0 ] || fail "seed '$seed': the Linux build exited with $linux_status"
  [ "$other_status" -eq 0 ] || fail "seed '$seed': the $system build exited with $other_status"
  [ "$(wc -l <"$scratch/linux")" -eq 258 ] || fail "seed '$seed': not a whole run"
  cmp -s "$scratch/linux" "$scratch/other" ||
    fail "seed '$seed' gives another run on $system:"$'\n'"$(diff "$scratch/linux" "$scratch/other" | head -n 10)"
done
echo "seedmap: ${#seeds[@]} seeds give the same runs on Linux and $system"
