#!/usr/bin/env bash
# navro-seedmap prints the published run of seed 12345 and rejects anything that is not a seed.
set -uo pipefail
SEEDMAP="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$SEEDMAP" 12345) || fail "seed 12345 exited with $?"
[ "$(echo "$out" | wc -l)" -eq 258 ] || fail "expected 256 platform lines, next and the summary"
for line in "0 3 - 2" "1 3 door:2 1" "2 3 diamond:2 1" "4 3 item:1:9 2" "11 3 item:0:4 2" \
            "35 4 diamond:3 2,0" "254 10 diamond:7 3,6,5,2" "255 10 diamond:9 7,5" \
            "next 172143689783847580" "diamonds 133 items 51 doors 15 empty 57"; do
  grep -qx -- "$line" <<<"$out" || fail "missing line '$line'"
done
# Leading zeros and saturation read as on the seed screen.
[ "$("$SEEDMAP" 0000000000000012345)" = "$out" ] || fail "leading zeros change the run"
[ "$("$SEEDMAP" 99999999999999999999 | tail -n 2)" = "$("$SEEDMAP" 9223372036854775807 | tail -n 2)" ] \
  || fail "an oversized seed does not saturate"

for bad in "" "12a" "-5" " 7"; do
  err=$("$SEEDMAP" "$bad" 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 2 ] || fail "'$bad' gave status $status"
  [ "$(echo "$err" | wc -l)" -eq 1 ] && grep -q usage <<<"$err" || fail "'$bad': no one-line usage"
done
"$SEEDMAP" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no argument must give status 2"
echo "seedmap: ok"
