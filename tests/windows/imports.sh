#!/usr/bin/env bash
# navro.exe is linked static: it imports only DLLs every Windows 10 has, none of MinGW's own
# (libstdc++, libgcc, libwinpthread) and no GLFW or FreeType; and it is a window program, so
# no console opens beside the game.
set -uo pipefail
exe="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

dump=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"
imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump" | sort -u)
[ -n "$imports" ] || fail "no imports found"
# Windows' own libraries, and the C runtime it has carried since Windows XP.
system="kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll ole32.dll oleaut32.dll
  opengl32.dll msvcrt.dll winmm.dll imm32.dll shlwapi.dll version.dll dinput8.dll xinput1_4.dll"
for dll in $imports; do
  grep -qw -- "$dll" <<<"$system" || fail "navro.exe imports $dll, which Windows does not have"
done
grep -qw opengl32.dll <<<"$imports" || fail "navro.exe does not import opengl32.dll"
grep -q 'Subsystem[[:space:]]*00000002' <<<"$dump" || fail "navro.exe is not a window program"
echo "imports: $(echo $imports)"
