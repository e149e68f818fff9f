#!/usr/bin/env bash
# The same seed gives the same run on Windows as on Linux: navro-seedmap built for Windows and
# run under Wine prints, for fixed and random seeds, exactly the lines the Linux build prints
# (Windows ends its text lines with CR LF; the lines themselves must be equal).
# Usage: seedmap_compare.sh LINUX_SEEDMAP WINDOWS_SEEDMAP_EXE [RANDOM_SEEDS]
set -uo pipefail
linux="$1"
windows="$2"
random_count="${3:-40}"
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows-cache/wineprefix}"
export WINEDEBUG=-all
fail() { echo "FAIL: $*" >&2; exit 1; }
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
  wine "$windows" "$seed" >"$scratch/windows.crlf" 2>&1
  windows_status=$?
  tr -d '\r' <"$scratch/windows.crlf" >"$scratch/windows"
  [ "$linux_status" -eq 0 ] || fail "seed '$seed': the Linux build exited with $linux_status"
  [ "$windows_status" -eq 0 ] || fail "seed '$seed': the Windows build exited with $windows_status"
  [ "$(wc -l <"$scratch/linux")" -eq 258 ] || fail "seed '$seed': not a whole run"
  cmp -s "$scratch/linux" "$scratch/windows" ||
    fail "seed '$seed' gives another run on Windows:"$'\n'"$(diff "$scratch/linux" "$scratch/windows" | head -n 10)"
done
echo "seedmap: ${#seeds[@]} seeds give the same runs on Linux and Windows"
