# One Wine session for the Windows tests; sourced. Wine keeps a server and a few helper programs
# per prefix: started on demand, they would outlive each test, holding its output pipes open
# (ctest then waits for them) or starting again for every test. wine_session_start starts them
# once, with their output sent to /dev/null; wine_session_stop ends them.
# The prefix is build/windows-cache/wineprefix (tools/windows-libraries.sh makes it) unless
# WINEPREFIX names another.

wine_session_start() {
  local repo
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export WINEPREFIX="${WINEPREFIX:-$repo/build/windows-cache/wineprefix}"
  # No debugging chatter; no offer to install .NET or a browser engine.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
}
