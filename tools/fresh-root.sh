#!/usr/bin/env bash
# Runs a command in a brand-new minimal Debian root of the given release, on a clean clone of
# this repository, as a new player or contributor would on a fresh install. Usage (as root):
#   tools/fresh-root.sh RELEASE COMMAND...      e.g.  tools/fresh-root.sh trixie bash tools/test.sh
# RELEASE is a Debian suite (bookworm, trixie). The clone is of this checkout's HEAD (commit
# first). The root is made with debootstrap from the mirror the machine's apt sources name, under
# NAVRO_ROOTS (default /var/tmp/navro-roots), and removed afterwards unless NAVRO_KEEP_ROOT=1.
# Exits with the command's status; prints the time each step took.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$#" -lt 2 ]; then
  echo "usage: $0 RELEASE COMMAND..." >&2
  exit 2
fi
release="$1"
shift
if [ "$(id -u)" != "0" ]; then
  echo "fresh-root: must run as root (debootstrap, mounts and chroot)" >&2
  exit 2
fi
if ! command -v debootstrap >/dev/null; then
  apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

source tools/apt_mirror.bash
mirror=$(apt_mirror) || { echo "fresh-root: no Debian mirror in the apt sources" >&2; exit 1; }

repo=$(pwd)
base="${NAVRO_ROOTS:-/var/tmp/navro-roots}"
mkdir -p "$base"
root=$(mktemp -d "$base/$release.XXXXXX")
chmod 755 "$root"
mounted=()

cleanup() {
  local i
  # Innermost first: /dev/pts and /dev/shm sit inside /dev.
  for (( i = ${#mounted[@]} - 1; i >= 0; i-- )); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
  if [ -n "${NAVRO_KEEP_ROOT:-}" ]; then
    echo "fresh-root: root kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
trap "exit 143" TERM INT HUP

started=$SECONDS
echo "fresh-root: debootstrap $release into $root"
debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
  tail -n 20 "$root.debootstrap.log" >&2
  exit 1
}
rm -f "$root.debootstrap.log"
echo "fresh-root: root ready ($(( SECONDS - started )) s)"

mount_in() {
  mkdir -p "$root$2"
  mount "${@:3}" "$1" "$root$2"
  mounted+=("$root$2")
}
mount_in proc /proc -t proc
mount_in sysfs /sys -t sysfs
mount_in /dev /dev --bind
mount_in devpts /dev/pts -t devpts -o newinstance,ptmxmode=0666
mount_in tmpfs /dev/shm -t tmpfs -o mode=1777
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# A minimal root has no git: the clone is made from outside, then owned by the root's root.
git clone -q "$repo" "$root/root/navro"
echo "fresh-root: cloned $(git -C "$root/root/navro" rev-parse --short HEAD) into /root/navro"

step=$SECONDS
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /root/navro && exec "$@"' bash "$@" || status=$?
echo "fresh-root: '$*' on $release exited $status after $(( SECONDS - step )) s" \
  "($(( SECONDS - started )) s with the root's creation)"
exit "$status"
