#!/usr/bin/env bash
# Runs a command under a private virtual display (see tools/virtual_display.bash), then ends the
# display; exits with the command's status. Usage: with_virtual_display.sh COMMAND [ARGS...]
set -uo pipefail
source "$(dirname "$0")/virtual_display.bash"
trap vd_stop EXIT
trap "exit 143" TERM INT HUP
vd_start "${NAVRO_SCREEN:-1280x720x24}" || exit 1
"$@"
