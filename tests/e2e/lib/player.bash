# Playing the game from the outside: mouse moves and clicks, and looking at
# regions of a screenshot. Sourced after lib/game.bash by the menu and run tests.

# Puts the pointer on window pixel ($1, $2). The first motion after a captured cursor is taken
# as relative, so the pointer arrives from a nearby spot and then settles.
e2e_hover() {
  xdotool mousemove --window "$GAME_WIN" $(( $1 + 4 )) $(( $2 + 3 ))
  sleep 0.25
  xdotool mousemove --window "$GAME_WIN" "$1" "$2"
  sleep "${E2E_KEY_GAP:-0.3}"
}

e2e_click() {
  xdotool click 1
  sleep "${E2E_KEY_GAP:-0.3}"
}

# Takes a screenshot into the scratch directory (and into $E2E_KEEP when set) and prints its path.
e2e_shot() {
  local file="$E2E_DIR/$1.png"
  sleep "${E2E_FRAME_WAIT:-0.4}"
  import -window root "$file"
  if [ -n "${E2E_KEEP:-}" ]; then mkdir -p "$E2E_KEEP" && cp "$file" "$E2E_KEEP/"; fi
  echo "$file"
}

# Takes screenshots named $1 until the check $3 (called with the file and the remaining
# arguments) passes, for at most $2 seconds; prints the passing file, or fails quietly with
# status 1. A loaded machine may draw slowly, so every look at the screen waits like this.
e2e_see() {
  local name="$1" limit="$2" check="$3"
  shift 3
  local deadline=$((SECONDS + limit)) shot
  while :; do
    shot=$(E2E_FRAME_WAIT=0.1 e2e_shot "$name")
    if "$check" "$shot" "$@"; then
      echo "$shot"
      return 0
    fi
    [ "$SECONDS" -ge "$deadline" ] && return 1
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.2
  done
}

# Negations for e2e_see.
e2e_not_red_in() { ! e2e_red_in "$@"; }
e2e_not_white_in() { ! e2e_white_in "$@"; }

# Mean red, green and blue (0..1) of a rectangle: file x y width height. A screenshot with no
# colour is stored grey; ImageMagick 7 then has no green or blue channel unless told sRGB.
e2e_means() {
  convert "$1" -colorspace sRGB -crop "$4x$5+$2+$3" +repage -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:
}

# True when the rectangle holds a red caption (a selected button).
e2e_red_in() {
  e2e_means "$@" | awk '{ exit !($1 > 0.03 && $1 > 3 * $2 + 0.01) }'
}

# True when the rectangle holds white text (bright in all three channels).
e2e_white_in() {
  e2e_means "$@" | awk '{ exit !($1 > 0.03 && $2 > 0.03 && $3 > 0.03) }'
}

# Fails unless the game printed exactly $2 lines matching $1.
e2e_count_output() {
  local n
  n=$(grep -c -- "$1" "$GAME_LOG" || true)
  [ "$n" -eq "$2" ] || e2e_fail "expected $2 x '$1' in the output, found $n"
}

# The main menu is on screen: its buttons in the middle and the career figures at bottom left.
e2e_menu_drawn() { e2e_white_in "$1" 520 190 240 60 && e2e_white_in "$1" 40 650 300 70; }

# Seed 1's first platform has a blade on lane 0, so a run of it ends at once without a key.
e2e_require_seed_one_blade() {
  grep -qx "0 3 - 0" <<<"$("$1" 1)" || e2e_fail "seed 1 no longer starts with a blade on lane 0"
}

