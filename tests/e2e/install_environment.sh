#!/usr/bin/env bash
# The installed navro launcher in bad environments: one line on standard error naming the folder
# and the reason, status 1, and nothing written anywhere; a folder holding a record is never
# changed. Then where the record goes when only HOME says, and that the game's own status comes
# back. No display is given, so a game started by mistake fails at once. Plays as another user if root.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"

env_scratch
started=$SECONDS
log="$E2E_DIR/log"
mkdir "$log"
env_install "$NAVRO" "$E2E_DIR/pre fix" "$log/install"
launcher="$E2E_DIR/pre fix/games/navro"
cwd="$E2E_DIR/started here"
mkdir -m 777 "$cwd"
player=()
if env_is_root; then player=(setpriv "--reuid=$ENV_PLAYER_UID" "--regid=$ENV_PLAYER_GID" --clear-groups); fi
record=$'\x15\xcd\x5b\x07\x00\x00\x00\x00\xe1\x10\x00\x00\x4d\x00\x00\x00'

# Every path of the scratch folder but the logs, with its type, size, mode, link target and time.
snapshot() { find "$E2E_DIR" -path "$log" -prune -o -printf '%p %y %s %m %l %T@\n' | sort; }

# Runs the launcher as the player from $cwd with only PATH and the settings given ($2...).
launch() {
  local settings=("$@")
  (cd "$cwd" && exec "${player[@]}" env -i "PATH=$PATH" "${settings[@]}" "$launcher") \
    >"$log/out" 2>"$log/err"
}

# The launcher must refuse with exactly the line "navro: $1" and status 1, print nothing else,
# start no game and leave every file as it was.
refuses() {
  local expected="navro: $1" before status
  shift
  before=$(snapshot)
  launch "$@"
  status=$?
  [ "$(cat "$log/err")" = "$expected" ] ||
    e2e_fail "expected the line '$expected', got: $(cat "$log/err")"
  [ "$status" -eq 1 ] || e2e_fail "'$expected' came with status $status"
  [ ! -s "$log/out" ] || e2e_fail "'$expected': the game started: $(cat "$log/out")"
  [ "$(snapshot)" = "$before" ] ||
    e2e_fail "'$expected', yet written: $(diff <(echo "$before") <(snapshot) | head -n 10)"
}

# A folder of the player's ($1) with a record in it.
player_folder() {
  mkdir -p "$1"
  printf '%s' "$record" >"$1/save.esf"
  chmod -R a+rwX "$1"
}

nothing="no folder for the record: neither XDG_DATA_HOME nor HOME is set to an absolute path"
refuses "$nothing"
refuses "$nothing" HOME= XDG_DATA_HOME=relative/data
refuses "$nothing" HOME=home XDG_DATA_HOME=

d="$E2E_DIR/a file"
player_folder "$d"
printf 'notes' >"$d/navro"
refuses "cannot use the folder $d/navro: it is a file, not a folder" "XDG_DATA_HOME=$d"

d="$E2E_DIR/dangling"
mkdir -m 777 "$d"
ln -s "$E2E_DIR/gone" "$d/navro"
refuses "cannot use the folder $d/navro: it is a link to nothing" "XDG_DATA_HOME=$d"

printf 'notes' >"$E2E_DIR/plain file"
refuses "cannot create the folder $E2E_DIR/plain file/data/navro: $E2E_DIR/plain file is a file, not a folder" \
  "XDG_DATA_HOME=$E2E_DIR/plain file/data"

d="$E2E_DIR/locked"
mkdir -m 555 "$d"
refuses "cannot create the folder $d/share/navro: $d is not writable" "XDG_DATA_HOME=$d/share"

# A read-only folder holding a record: refused, the record keeps its bytes.
d="$E2E_DIR/read only"
player_folder "$d/navro"
chmod 555 "$d/navro"
refuses "cannot use the folder $d/navro: it is not writable" "XDG_DATA_HOME=$d"
[ "$(cat "$d/navro/save.esf")" = "$record" ] || e2e_fail "the read-only folder's record changed"

# The player's own res/ where the link goes: refused before any link is made.
d="$E2E_DIR/own data"
player_folder "$d/navro"
mkdir -m 777 "$d/navro/res"
printf 'mine' >"$d/navro/res/texture.png"
refuses "cannot use the folder $d/navro: $d/navro/res is in the way, where a link to the game's data goes" \
  "XDG_DATA_HOME=$d"

# Only HOME (a relative XDG_DATA_HOME does not count): the private folder ~/.local/share/navro
# with the four links, nothing in the starting folder, and the game's own refusal without a
# display (status 1) passed on.
home="$E2E_DIR/home"
launch "HOME=$home" XDG_DATA_HOME=relative
status=$?
[ "$status" -eq 1 ] || e2e_fail "the game without a display should end with 1, got $status"
grep -q "no display" "$log/out" "$log/err" || e2e_fail "the game did not run: $(cat "$log/out" "$log/err")"
folder="$home/.local/share/navro"
listing=$(cd "$home" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$listing" = "./.local ./.local/share ./.local/share/navro ./.local/share/navro/audio ./.local/share/navro/fonts ./.local/share/navro/res ./.local/share/navro/shaders " ] ||
  e2e_fail "unexpected files in the home folder: $listing"
[ "$(stat -c %a "$folder")" = "700" ] || e2e_fail "$folder is not private"
[ -z "$(ls -A "$cwd")" ] || e2e_fail "written in the starting folder: $(ls -A "$cwd")"
[ -f "$folder/res/zell-ico.png" ] || e2e_fail "the links in $folder do not reach the data"

echo "install_environment: ok ($((SECONDS - started)) s)"
