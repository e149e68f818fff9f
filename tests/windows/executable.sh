#!/usr/bin/env bash
# navro.exe as a player's Windows sees it: linked static, so it imports only DLLs every
# Windows 10 has (none of MinGW's libstdc++, libgcc or libwinpthread, no GLFW or FreeType); a
# window program, so no console opens beside the game; and carrying the game's icon and the
# project's version in its resources.
# Usage: executable.sh NAVRO_EXE VERSION
set -uo pipefail
exe="$1"
version="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

dump=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"
imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump" | sort -u)
[ -n "$imports" ] || fail "no imports found"
# Windows' own libraries, and the C runtime it has carried since Windows XP. OpenGL is opened
# by the window library at run time.
system="kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll ole32.dll oleaut32.dll
  opengl32.dll msvcrt.dll winmm.dll imm32.dll shlwapi.dll version.dll"
for dll in $imports; do
  grep -qw -- "$dll" <<<"$system" || fail "navro.exe imports $dll, which Windows does not have"
done
grep -q 'Subsystem[[:space:]]*00000002' <<<"$dump" || fail "navro.exe is not a window program"

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null) || fail "no resources"
grep -q 'RT_GROUP_ICON' <<<"$resources" || fail "navro.exe has no icon"
icons=$(grep -c 'RT_ICON \*/' <<<"$resources")
[ "$icons" -eq 7 ] || fail "navro.exe has $icons icon images, not the 7 sizes of navro.ico"
IFS=. read -r major minor patch <<<"$version"
grep -q "FILEVERSION $major, $minor, $patch, 0" <<<"$resources" || fail "file version is not $version"
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "product version is not $version"
echo "navro.exe: imports $(echo $imports), a window program, icon and version $version"
