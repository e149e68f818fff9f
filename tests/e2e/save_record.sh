#!/usr/bin/env bash
# The career record the player cannot read, may not change, keeps behind a link, or that is not a
# file at all: each survives a played run exactly as it was (or, for a link, its target is
# updated and the link stays). A writable record in a folder closed to new files or renames, and
# one with a second name, are rewritten in place. Played as another user when root. Also: a
# second copy on the same record ends at once and the first keeps its run, and a killed game's
# log keeps every line printed before the kill.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

e2e_require_seed_one_blade "$SEEDMAP"


env_scratch
env_open_display
started=$SECONDS
player_navro=$(env_player_binary "$NAVRO")
env_copy_runtime "$E2E_DIR/assets" res fonts shaders audio
# Best score 123456789, 4321 diamonds, 77 runs.
record='\x15\xcd\x5b\x07\x00\x00\x00\x00\xe1\x10\x00\x00\x4d\x00\x00\x00'

# A play folder the player may write in, with the run-time folders linked in.
play_folder() {
  local dir="$E2E_DIR/$1"
  mkdir -m 777 "$dir"
  for d in res fonts shaders audio; do ln -s "../assets/$d" "$dir/$d"; done
  echo "$dir"
}
# The same record after one more run ended with seed 1's blade (score 0, no diamond): 78 runs.
record_after='15cd5b0700000000e11000004e000000'
# Owner, mode, link text (if any) and bytes of a path, for before-and-after comparisons.
state_of() {
  local p="$1"
  if [ -L "$p" ]; then
    echo "link $(readlink "$p")"
  elif [ -d "$p" ]; then
    echo "folder $(stat -c '%u %a' "$p") $(ls -A "$p" | tr '\n' ' ')"
  elif [ -e "$p" ]; then
    echo "file $(stat -c '%u %a' "$p") $(od -An -tx1 "$p" | tr -d ' \n')"
  else
    echo "missing"
  fi
}
# Fails the test, naming what it found, unless the path is in the state expected.
expect_state() {
  local got
  got=$(state_of "$1")
  [ "$got" = "$2" ] || e2e_fail "$3: $got"
}
as_player() {
  if env_is_root; then chown -h "$ENV_PLAYER_UID:$ENV_PLAYER_GID" "$@"; fi
}
# Plays seed 1 in folder $1 into its first blade, then quits: a run end and the shutdown both
# try to save.
play_one_run() {
  e2e_start "$(env_player_launcher "$player_navro" "$1")"
  env_type_seed 1
  e2e_key Return
  e2e_wait_output "Collision detected!" 40
  env_quit "$2"
}
# Nothing but the run-time links and the named entries may be left in folder $1.
only_left() {
  local dir="$1" want
  shift
  want=$(printf '%s\n' audio fonts res shaders "$@" | sort | tr '\n' ' ')
  [ "$(ls -A "$dir" | sort | tr '\n' ' ')" = "$want" ] \
    || e2e_fail "$dir holds '$(ls -A "$dir" | tr '\n' ' ')', expected '$want'"
}

# 1. A record the player cannot read: another user's, mode 600. It starts at zero and is never
# replaced, whatever the session plays.
dir=$(play_folder unreadable)
printf "$record" >"$dir/save.esf"
chmod 600 "$dir/save.esf"
if ! env_is_root; then chmod 000 "$dir/save.esf"; fi
before=$(state_of "$dir/save.esf")
play_one_run "$dir" "unreadable record"
env_count_lines "Could not read the career record save.esf (Permission denied); it will not be written" 1
env_count_lines "diamonds 0" 1
env_count_prefix "Could not save" 0
tail -n 1 "$GAME_LOG" | grep -qx "diamonds 0runs 1" || e2e_fail "unreadable record: the session's count was not kept"
expect_state "$dir/save.esf" "$before" "unreadable record changed"
only_left "$dir" save.esf

# 2. A record its owner made read-only (mode 444): read, never replaced, one line for the session.
dir=$(play_folder read-only)
printf "$record" >"$dir/save.esf"
as_player "$dir/save.esf"
chmod 444 "$dir/save.esf"
before=$(state_of "$dir/save.esf")
play_one_run "$dir" "read-only record"
env_count_lines "diamonds 4321" 1
env_count_lines "runs 77" 1
env_count_lines "The career record save.esf is read-only; it is kept as it is" 1
env_count_prefix "Could not save" 0
tail -n 1 "$GAME_LOG" | grep -qx "diamonds 4321runs 78" || e2e_fail "read-only record: shutdown totals are not 4321 and 78"
expect_state "$dir/save.esf" "$before" "read-only record changed"
only_left "$dir" save.esf

# 3. A record kept elsewhere behind a relative link: the target is updated, the link stays.
dir=$(play_folder linked)
mkdir -m 777 "$E2E_DIR/records"
printf "$record" >"$E2E_DIR/records/career.esf"
as_player "$E2E_DIR/records/career.esf"
ln -s ../records/career.esf "$dir/save.esf"
play_one_run "$dir" "linked record"
env_count_lines "runs 77" 1
expect_state "$dir/save.esf" "link ../records/career.esf" "the link was replaced"
runs=$(od -An -t d4 -j 12 -N 4 "$E2E_DIR/records/career.esf" | tr -d ' ')
[ "$runs" = "78" ] || e2e_fail "linked record: the target counts '$runs' runs, expected 78"
[ "$(ls -A "$E2E_DIR/records")" = "career.esf" ] || e2e_fail "linked record: left beside the target: $(ls -A "$E2E_DIR/records")"
only_left "$dir" save.esf

# 4. A dangling link into an existing folder: the record is made as the link's target.
dir=$(play_folder dangling)
ln -s ../records/new.esf "$dir/save.esf"
play_one_run "$dir" "dangling link"
env_count_prefix "Could not" 0
expect_state "$dir/save.esf" "link ../records/new.esf" "the dangling link was replaced"
[ "$(stat -c %s "$E2E_DIR/records/new.esf" 2>/dev/null)" = "16" ] || e2e_fail "no 16-byte record at the link's target"

# 5. A dangling link into a folder that does not exist: left as it is, one line.
dir=$(play_folder nowhere)
ln -s ../no-such-folder/save.esf "$dir/save.esf"
play_one_run "$dir" "link into a missing folder"
env_count_prefix "Could not read the career record save.esf (it links to " 1
expect_state "$dir/save.esf" "link ../no-such-folder/save.esf" "the link into nowhere was replaced"
[ -e "$E2E_DIR/no-such-folder" ] && e2e_fail "the link's missing folder was made"
only_left "$dir" save.esf

# 6. A folder named save.esf, with something of the player's inside.
dir=$(play_folder folder)
mkdir -m 777 "$dir/save.esf"
echo "notes" >"$dir/save.esf/notes.txt"
before=$(state_of "$dir/save.esf")
play_one_run "$dir" "folder named save.esf"
env_count_lines "The career record save.esf is a folder, not a file; it is left untouched" 1
env_count_lines "diamonds 0" 1
expect_state "$dir/save.esf" "$before" "the folder named save.esf changed"
[ "$(cat "$dir/save.esf/notes.txt")" = "notes" ] || e2e_fail "the folder's contents changed"
only_left "$dir" save.esf

# 7. A folder the player may not add to (another user's, mode 755; the player's own made 555
# when not root) holding the player's writable record: the run is saved in the record itself,
# the same file with its mode and owner, and nothing else appears.
dir="$E2E_DIR/closed"
mkdir "$dir"
for d in res fonts shaders audio; do ln -s "../assets/$d" "$dir/$d"; done
printf "$record" >"$dir/save.esf"
as_player "$dir/save.esf"
chmod 644 "$dir/save.esf"
if env_is_root; then chmod 755 "$dir"; else chmod 555 "$dir"; fi
before=$(state_of "$dir/save.esf")
inode=$(stat -c %i "$dir/save.esf")
play_one_run "$dir" "record in a closed folder"
env_count_lines "runs 77" 1
env_count_prefix "Could not" 0
expect_state "$dir/save.esf" "${before% *} $record_after" "the record in a closed folder"
[ "$(stat -c %i "$dir/save.esf")" = "$inode" ] || e2e_fail "closed folder: the record is a new file"
chmod 755 "$dir"
only_left "$dir" save.esf

# 8. A record with a second name (a hard link in another folder): both names show the new
# record, still one file.
dir=$(play_folder hard-linked)
printf "$record" >"$dir/save.esf"
as_player "$dir/save.esf"
chmod 640 "$dir/save.esf"
ln "$dir/save.esf" "$E2E_DIR/records/second-name.esf"
before=$(state_of "$dir/save.esf")
play_one_run "$dir" "hard-linked record"
env_count_prefix "Could not" 0
expect_state "$dir/save.esf" "${before% *} $record_after" "the hard-linked record"
expect_state "$E2E_DIR/records/second-name.esf" "${before% *} $record_after" "the record's second name"
[ "$(stat -c %h "$dir/save.esf")" = "2" ] || e2e_fail "hard-linked record: the names no longer share one file"
only_left "$dir" save.esf

if env_is_root; then
  # 9. A shared folder with the sticky bit holding another user's record that every user may
  # write: the folder refuses the rename over it, so the run is saved in the record itself.
  dir="$E2E_DIR/sticky"
  mkdir -m 1777 "$dir"
  for d in res fonts shaders audio; do ln -s "../assets/$d" "$dir/$d"; done
  printf "$record" >"$dir/save.esf"
  chmod 666 "$dir/save.esf"
  before=$(state_of "$dir/save.esf")
  inode=$(stat -c %i "$dir/save.esf")
  play_one_run "$dir" "record in a sticky folder"
  env_count_prefix "Could not" 0
  expect_state "$dir/save.esf" "${before% *} $record_after" "the record in a sticky folder"
  [ "$(stat -c %i "$dir/save.esf")" = "$inode" ] || e2e_fail "sticky folder: the record is a new file"
  only_left "$dir" save.esf

  # 10. Another user's record the player may read but not write: kept, and the line says why.
  dir=$(play_folder denied)
  printf "$record" >"$dir/save.esf"
  chmod 644 "$dir/save.esf"
  before=$(state_of "$dir/save.esf")
  play_one_run "$dir" "another user's record"
  env_count_lines "The career record save.esf may not be written by this player (permission denied); it is kept as it is" 1
  env_count_prefix "The career record save.esf is read-only" 0
  expect_state "$dir/save.esf" "$before" "another user's record changed"
  only_left "$dir" save.esf
fi

# 11. Two copies on one record: the second ends at once with one line and a failure status,
# having opened nothing, while the first plays on and keeps its run. A killed copy leaves
# nothing behind that refuses the next.
dir=$(play_folder two-copies)
launcher=$(env_player_launcher "$player_navro" "$dir")
e2e_start "$launcher"
e2e_see first-copy-menu 30 e2e_menu_drawn >/dev/null || e2e_fail "no main menu in the first copy"
second_log="$E2E_DIR/second-copy.log"
"$launcher" >"$second_log" 2>&1 &
second=$!
for _ in $(seq 1 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && { kill -9 "$second"; e2e_fail "the second copy did not end by itself within 10 s"; }
wait "$second"
second_status=$?
[ "$second_status" -eq 1 ] || e2e_fail "the second copy ended with status $second_status"
[ "$(cat "$second_log")" = "NAVRO is already running on this record (save.esf); close that copy first, so that no run is lost" ] \
  || e2e_fail "the second copy printed: $(cat "$second_log")"
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 40
env_quit "the first of two copies"
[ "$(od -An -t d4 -j 12 -N 4 "$dir/save.esf" | tr -d ' ')" = "1" ] || e2e_fail "two copies: the first copy's run was not kept"

# 12. A game killed on the main menu, its output going to a file: every start-up line printed
# before the kill is in the file, the last texture and the totals included; the next copy on the
# same record starts.
dir=$(play_folder killed)
e2e_start "$(env_player_launcher "$player_navro" "$dir")"
e2e_see killed-menu 30 e2e_menu_drawn >/dev/null || e2e_fail "no main menu to kill the game on"
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
GAME_PID=""
env_count_lines "Loaded texture: ./res/zell-sheet3.png" 1
env_count_lines "diamonds 0" 1
env_count_lines "runs 0" 1
e2e_start "$(env_player_launcher "$player_navro" "$dir")"
env_quit "the copy after a killed one"

echo "save_record: ok ($(( SECONDS - started )) s)"
