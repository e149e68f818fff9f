# Finds the Debian mirror this machine's apt sources already use (never the security archive),
# so tools can fetch from another suite or make a new root without naming a host; sourced.

# apt_mirror: prints the mirror's URI, or fails when the sources name none.
apt_mirror() {
  local uri="" f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }' "$f")
    [ -n "$uri" ] && break
  done
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^(http|https|ftp|file):/) { print $i; exit } }' /etc/apt/sources.list)
  fi
  [ -n "$uri" ] || return 1
  echo "$uri"
}

# apt_security_mirror: prints the security archive's URI the sources name, or else the one beside
# the mirror (…/debian → …/debian-security, as Debian's own mirrors lay them out); fails when
# neither can be told.
apt_security_mirror() {
  local uri="" f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i ~ /security/) { print $i; exit } }' "$f")
    [ -n "$uri" ] && break
  done
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^(http|https|ftp|file):/ && $i ~ /security/) { print $i; exit } }' /etc/apt/sources.list)
  fi
  if [ -z "$uri" ]; then
    uri=$(apt_mirror) || return 1
    uri=${uri%/}
    case "$uri" in */debian) uri="$uri-security" ;; *) return 1 ;; esac
  fi
  echo "$uri"
}
