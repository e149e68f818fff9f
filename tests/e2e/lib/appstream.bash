# The AppStream metadata check shared by the install and package tests; sourced.

# Prints appstreamcli's errors and warnings for metadata file $1 (nothing when it is clean), and
# fails when the validator cannot run. The project has no website yet: AppStream 1.0 (Debian 13)
# warns that no homepage is given, 0.16 (Debian 12) does not; that one warning is let through.
appstream_problems() {
  local out status=0
  out=$(appstreamcli validate --no-net --no-color "$1" 2>&1) || status=$?
  grep -E '^[EW]:' <<<"$out" | grep -v ': url-homepage-missing' || true
  # A failure the lines above do not explain (the validator itself broken) is a problem too.
  if [ "$status" -ne 0 ] && ! grep -qE '^[EW]:' <<<"$out"; then echo "$out"; fi
}
