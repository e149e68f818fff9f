#!/usr/bin/env bash
# The release's packing steps give the same bytes wherever and whenever they run: the .deb, the
# Windows zip, the source archive (and the web folder's zip, once built) are each packed twice
# from one build, the second time in another folder under another clock, time zone, locale and
# umask, and must be identical; a member changed on purpose must be named by the comparison.
# The compilers are not checked here: tools/release.sh --verify rebuilds everything twice.
# Usage: release_packing.sh NATIVE_BUILD WINDOWS_BUILD [WEB_FOLDER_OR_ZIP]
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
source "$repo/tools/release_packing.bash"

# Run again by this script, once per packing: packs every artifact into the folder $2.
if [ "${1:-}" = --pack ]; then
  out=$2 native=$3 windows=$4 web=${5:-}
  pack_deb "$native" "$out" > /dev/null
  pack_windows "$windows" "$out" > /dev/null
  pack_source "$repo" "$out" > /dev/null
  if [ -n "$web" ]; then
    pack_web "$web" "$out" > /dev/null
  fi
  write_sums "$out"
  exit 0
fi

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
web=""
[ -n "${3:-}" ] && web=$(realpath "$3")
started=$SECONDS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOURCE_DATE_EPOCH=$(release_epoch "$repo")
export SOURCE_DATE_EPOCH

# Two packings, in folders of different lengths, one with a space.
first=$work/first/out
second="$work/the second packing, elsewhere/out"
mkdir -p "$first" "$second"
(umask 022 && TZ=UTC0 LC_ALL=C.UTF-8 bash "$0" --pack "$first" "$native" "$windows" "$web") ||
  fail "the first packing failed"
make_locales "$work/locales"
another_clock "$work/locales" bash "$0" --pack "$second" "$native" "$windows" "$web" ||
  fail "the packing under another clock failed"
[ "$(find "$first" -type f | wc -l)" -ge 4 ] || fail "too few artifacts: $(ls "$first")"
compare_artifacts "$first" "$second" > "$work/compare" || fail "$(cat "$work/compare")"
cat "$work/compare"

# A packed zip unpacked and packed again is the same zip: the step keeps nothing of where and
# when it ran.
zip=$(cd "$first" && ls navro-*-windows-x86_64.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$first/$zip")
folder=$work/unpacked/${zip%.zip}
pack_zip "$folder" "$work/repacked/$zip"
cmp -s "$first/$zip" "$work/repacked/$zip" || fail "the unpacked zip packs to other bytes"

# One byte changed in a member of the zip and of the .deb: the comparison fails and names it.
printf 'x' | dd of="$folder/README.txt" bs=1 seek=10 conv=notrunc status=none
pack_zip "$folder" "$work/changed/$zip"
deb=$(cd "$first" && ls navro_*.deb)
dpkg-deb -R "$first/$deb" "$work/deb"
printf 'x' | dd of="$work/deb/usr/share/doc/navro/copyright" bs=1 seek=10 conv=notrunc status=none
dpkg-deb --root-owner-group -Zxz -b "$work/deb" "$work/changed/$deb" > /dev/null
report=$(compare_artifacts "$first" "$work/changed" 2>&1) &&
  fail "a changed zip and .deb compared the same"
grep -q "bytes differ: ${zip%.zip}/README.txt" <<<"$report" ||
  fail "the changed zip member is not named: $report"
grep -q "bytes differ: usr/share/doc/navro/copyright" <<<"$report" ||
  fail "the changed .deb member is not named: $report"

echo "release_packing: ok ($((SECONDS - started)) s)"
