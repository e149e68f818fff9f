#!/usr/bin/env bash
# Builds every release artifact of the commit checked out into dist/, the same bytes on any machine
# of the same Debian release; --verify builds them twice, as two machines would, and compares.
#   tools/release.sh            the .deb, the Windows zip, the web folder's zip (once the web
#                               edition exists), the source archive and SHA256SUMS, from a clean clone
#   tools/release.sh --verify   the same from two clean clones in two folders, the second under a
#                               faked clock, time zone, locale and umask; fails naming what differs
# Installs what it needs first. The builds run in build/release/ and are removed when they pass.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/release_packing.bash

# Run by the steps below inside a fresh clone: builds and packs its artifacts into the folder $2.
if [ "${1:-}" = --artifacts ]; then
  out=$2
  version=$(release_version .)
  echo "release: this build's clock says $(date '+%Y-%m-%d %H:%M %Z'), its locale is" \
    "${LC_ALL:-${LANG:-none}}, its umask $(umask)"
  bash tools/package.sh
  bash tools/package-windows.sh
  if [ -f tools/package-web.sh ]; then
    bash tools/package-web.sh
    web=$(web_artifact dist "$version")
    if [ -z "$web" ]; then
      echo "release: tools/package-web.sh left no web edition in dist/" >&2
      exit 1
    fi
    # Packed again by the same step as the Windows zip, so that its bytes do not depend on how
    # the web command packs it.
    pack_web "$web" dist > /dev/null
  fi
  pack_source . dist > /dev/null
  rm -rf "$out" && mkdir -p "$out"
  cp dist/navro_"$version"_*.deb dist/navro-"$version"-*.zip dist/navro-"$version".tar.gz "$out/"
  write_sums "$out"
  exit 0
fi

case "${1:-}" in
  "") verify="" ;;
  --verify) verify=yes ;;
  *)
    echo "usage: $0 [--verify]" >&2
    exit 2
    ;;
esac

started=$SECONDS
repo=$PWD
work=$repo/build/release
bash tools/bootstrap.sh
bash tools/bootstrap-windows.sh
commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: the uncommitted changes are left out; the release is of $commit" >&2
fi
echo "release: navro $(release_version .), commit $commit," \
  "time stamps $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')"

# build_clone DIR OUT [PREFIX...]: a fresh clone of the commit in DIR builds its artifacts into OUT,
# its command run through PREFIX. The clones share this checkout's caches of what is built once
# per machine from Debian's sources: the Windows libraries and Wine's prefix (build/windows-cache,
# whose folder tools/windows-libraries.sh maps out of them) and the web edition's libraries
# (build/web-cache, mapped out likewise). They are inputs like the compilers; the game itself is
# built in each clone.
build_clone() {
  local dir=$1 out=$2 step=$SECONDS cache
  shift 2
  rm -rf "$dir" "$out"
  mkdir -p "$(dirname "$dir")"
  git clone -q --no-checkout "$repo" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  for cache in windows-cache web-cache; do
    mkdir -p "$repo/build/$cache" "$dir/build"
    ln -s "$repo/build/$cache" "$dir/build/$cache"
  done
  echo "release: building in $dir"
  (cd "$dir" && "$@" bash tools/release.sh --artifacts "$out") ||
    { echo "release: the build in $dir failed; it is kept there" >&2; return 1; }
  echo "release: built in $dir ($((SECONDS - step)) s)"
}

if [ -z "$verify" ]; then
  build_clone "$work/clone" "$work/artifacts"
  result=$work/artifacts
  clones=("$work/clone")
else
  make_locales "$work/locales"
  # Two folders of different lengths, as two machines would have.
  first=$work/first/navro
  second=$work/verify/a-second-clone-elsewhere/navro
  build_clone "$first" "$work/first-artifacts" env TZ=UTC0 LC_ALL=C.UTF-8
  build_clone "$second" "$work/second-artifacts" another_clock "$work/locales"
  echo "release: comparing the two builds"
  if ! compare_artifacts "$work/first-artifacts" "$work/second-artifacts"; then
    echo "release: the two builds differ (above); both are kept in $work" >&2
    exit 1
  fi
  result=$work/first-artifacts
  clones=("$work/first" "$work/verify" "$work/second-artifacts")
fi

rm -rf dist && mkdir dist
cp "$result"/* dist/
rm -rf "${clones[@]}" "$result"
(cd dist && sha256sum --check --quiet SHA256SUMS)
echo "release: dist/ holds ($((SECONDS - started)) s${verify:+, built twice the same}):"
(cd dist && cat SHA256SUMS)
