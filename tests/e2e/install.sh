#!/usr/bin/env bash
# The installed game: installed under a prefix with spaces, its desktop files validate, and the
# navro launcher, started by name from another folder, plays with the record kept in the player's
# data folder; after the install moves, the next start heals its links and reads the record.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
source "$(dirname "$0")/lib/appstream.bash"
NAVRO="$1"
SEEDMAP="$2"

version=$(sed -n 's/^project(navro VERSION \([0-9.]*\).*/\1/p' "$E2E_REPO/CMakeLists.txt")
[ -n "$version" ] || e2e_fail "no project version in CMakeLists.txt"
e2e_require_seed_one_blade "$SEEDMAP"
app_id=org.navro.Navro
runs_in() { od -An -t d4 -j 12 -N 4 "$1" 2>/dev/null | tr -d ' '; }

env_scratch
started=$SECONDS
prefix="$E2E_DIR/first prefix/usr"
env_install "$NAVRO" "$prefix" "$E2E_DIR/install.log"

# Debian's places for a game: the launcher on the PATH, the game private, the data shared.
[ -f "$prefix/games/navro" ] && [ -x "$prefix/games/navro" ] || e2e_fail "no launcher in games/"
[ -x "$prefix/lib/games/navro/navro" ] || e2e_fail "no game in lib/games/navro/"
data="$prefix/share/games/navro"
for kind in "shaders glsl" "res png" "fonts ttf" "audio wav"; do
  set -- $kind
  [ -d "$data/$1" ] || e2e_fail "no $1/ in the installed data"
  mine=$(cd "$E2E_REPO/$1" && ls -- *."$2")
  [ "$(cd "$data/$1" && ls)" = "$mine" ] || e2e_fail "installed $1/ holds other files than the repository"
  for f in $mine; do cmp -s "$E2E_REPO/$1/$f" "$data/$1/$f" || e2e_fail "installed $1/$f differs"; done
done
env_read_asset_lists
for p in "${textures[@]}" "${shaders[@]}"; do
  [ -f "$data/${p#./}" ] || e2e_fail "the game opens $p, which is not installed"
done
[ -z "$(find "$data" -perm /022)" ] || e2e_fail "installed data writable by others: $(find "$data" -perm /022)"

# The desktop entry, the metadata and the icons agree with each other and validate.
desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || e2e_fail "desktop-file-validate: $out"
out=$(appstream_problems "$metainfo")
[ -z "$out" ] || e2e_fail "appstreamcli validate: $out"
grep -qx "Exec=navro" "$desktop" || e2e_fail "the desktop entry does not start the launcher navro"
grep -qx "Icon=$app_id" "$desktop" || e2e_fail "the desktop entry names another icon"
grep -q "<id>$app_id</id>" "$metainfo" || e2e_fail "the metadata has another id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  e2e_fail "the metadata launches another desktop entry"
first_release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$first_release" = "$version" ] || e2e_fail "newest release in the metadata is $first_release, not $version"
changelog=$(gzip -dc "$prefix/share/doc/navro/changelog.gz" | head -n 1)
[[ "$changelog" == "navro ($version) "* ]] || e2e_fail "changelog does not start at $version: $changelog"
for size in 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] ||
    e2e_fail "no ${size} px icon at $icon"
done
gzip -t "$prefix/share/man/man6/navro.6.gz" || e2e_fail "no manual page in section 6"
copyright="$prefix/share/doc/navro/copyright"
grep -q "not yet granted" "$copyright" && grep -q "SIL OPEN FONT LICENSE Version 1.1" "$copyright" ||
  e2e_fail "the copyright file lacks the game's licence state or the font's licence"

# Writes a script that starts navro by name, from folder $1, with $2 first on the PATH.
env_open_display
elsewhere="$E2E_DIR/some folder"
datahome="$E2E_DIR/data home"
mkdir -p "$elsewhere" "$E2E_DIR/home/bin"
by_name() {
  local script="$E2E_DIR/by-name.$RANDOM.sh"
  {
    echo '#!/bin/sh'
    printf 'cd %q || exit 97\n' "$1"
    printf 'PATH=%q:"$PATH" exec env HOME=%q XDG_DATA_HOME=%q navro\n' \
      "$2" "$E2E_DIR/home" "$datahome"
  } >"$script"
  chmod 755 "$script"
  echo "$script"
}

# First start: the folder is made, the menu drawn, one run played, Escape ends it with 0.
e2e_start "$(by_name "$elsewhere" "$prefix/games")"
e2e_wait_output "runs 0" 10
e2e_see install-menu 20 e2e_menu_drawn >/dev/null || e2e_fail "first start: no main menu"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
xprop -id "$GAME_WIN" WM_CLASS | grep -q "\"$wm_class\"\$" ||
  e2e_fail "the window's class is not the desktop entry's StartupWMClass $wm_class"
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 40
env_quit "first start"
save="$datahome/navro/save.esf"
[ "$(runs_in "$save")" = "1" ] || e2e_fail "first start: no record of one run in $save"
[ -z "$(ls -A "$elsewhere")" ] || e2e_fail "the game wrote into the folder it was started from"
[ "$(find "$E2E_DIR" -name save.esf | wc -l)" -eq 1 ] || e2e_fail "more than one save.esf written"
[ "$(stat -c %a "$datahome/navro")" = "700" ] || e2e_fail "the player's folder is not private"
real_data=$(cd "$data" && pwd -P)
for d in shaders res fonts audio; do
  [ "$(readlink "$datahome/navro/$d")" = "$real_data/$d" ] || e2e_fail "$d is not linked to $real_data/$d"
done

# An upgrade moves the data; the second start, through a link to the launcher, heals the links
# and reads the record.
mv "$E2E_DIR/first prefix" "$E2E_DIR/moved prefix"
prefix="$E2E_DIR/moved prefix/usr"
ln -s "$prefix/games/navro" "$E2E_DIR/home/bin/navro"
e2e_start "$(by_name "$elsewhere" "$E2E_DIR/home/bin")"
e2e_wait_output "runs 1" 10
e2e_see install-menu-again 20 e2e_menu_drawn >/dev/null || e2e_fail "second start: no main menu"
env_quit "second start"
tail -n 1 "$GAME_LOG" | grep -qx "diamonds [0-9]*runs 1" || e2e_fail "second start: totals are not one run"
real_data=$(cd "$prefix/share/games/navro" && pwd -P)
for d in shaders res fonts audio; do
  [ "$(readlink "$datahome/navro/$d")" = "$real_data/$d" ] || e2e_fail "$d still points at the old place"
done
[ "$(runs_in "$save")" = "1" ] || e2e_fail "second start: the record changed"

echo "install: ok ($((SECONDS - started)) s)"
