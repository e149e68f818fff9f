# The packing steps of every release artifact, and their comparison; sourced by tools/release.sh,
# tools/package.sh, tools/package-windows.sh and the packing test, so all pack the same way.
#
# Every step gives the same bytes for the same input whatever the clock, time zone, locale, umask
# and folder it runs in: each time stamp is SOURCE_DATE_EPOCH (which the caller exports), members
# are in a fixed order with fixed owners and modes, and no compressor writes a name or a time.

# release_version REPO: the project's version, from the one place it is written.
release_version() {
  sed -n 's/^project(navro VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt"
}

# release_epoch REPO: the time of the commit checked out, which stamps everything packed from it.
# An unpacked source archive is no git checkout, but keeps that time on every file.
release_epoch() {
  if git -C "$1" rev-parse --git-dir > /dev/null 2>&1; then
    git -C "$1" log -1 --format=%ct HEAD
  else
    stat -c %Y "$1/CMakeLists.txt"
  fi
}

packing_fail() {
  echo "packing: $*" >&2
  return 1
}

packing_need_epoch() {
  [[ "${SOURCE_DATE_EPOCH:-}" =~ ^[0-9]+$ ]] ||
    packing_fail "SOURCE_DATE_EPOCH must hold the commit's time (release_epoch)"
}

# pack_deb BUILD OUT: packs the .deb of a configured and built folder into the folder OUT and
# prints its path. CPack stamps the ar and tar members with SOURCE_DATE_EPOCH, lists them sorted
# and owned by root; the umask is fixed because the folders it makes take their modes from it.
pack_deb() {
  local build=$1 out=$2 work status=0
  packing_need_epoch || return 1
  work=$(mktemp -d)
  (umask 022 && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" \
    > "$work/cpack.log" 2>&1) || status=$?
  if [ "$status" != 0 ] || ! compgen -G "$work/*.deb" > /dev/null; then
    tail -n 30 "$work/cpack.log" >&2
    rm -rf "$work"
    packing_fail "cpack could not pack $build"
    return 1
  fi
  mkdir -p "$out"
  local deb
  deb=$(cd "$work" && ls ./*.deb)
  mv "$work/$deb" "$out/"
  rm -rf "$work"
  echo "$out/${deb#./}"
}

# pack_zip FOLDER ZIP: packs FOLDER as one top folder of the same name into ZIP (replaced). The
# folder's own files are stamped and given plain modes first: a zip keeps each entry's time as a
# local time (so zip runs in UTC) and each mode as the umask left it.
pack_zip() {
  local folder=$1 zip=$2 parent name
  packing_need_epoch || return 1
  [ -d "$folder" ] || { packing_fail "no folder $folder to pack"; return 1; }
  parent=$(dirname "$folder")
  name=$(basename "$folder")
  chmod -R u=rwX,go=rX "$folder"
  find "$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  mkdir -p "$(dirname "$zip")"
  zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
  rm -f "$zip"
  # Names in byte order, folders included; -X leaves out Unix owners and extra time fields.
  (cd "$parent" && find "$name" | LC_ALL=C sort | TZ=UTC0 zip -q -X -@ "$zip")
}

# pack_windows BUILD OUT: installs the Windows build's zip layout (packaging/windows) stripped and
# packs it into OUT/navro-<version>-windows-x86_64.zip; prints the zip's path.
pack_windows() {
  local build=$1 out=$2 version name stage
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  [ -n "$version" ] || { packing_fail "$build is no configured build"; return 1; }
  name=navro-$version-windows-x86_64
  stage=$(mktemp -d)
  cmake --install "$build" --prefix "$stage/$name" --strip > /dev/null || {
    rm -rf "$stage"
    packing_fail "cannot install $build"
    return 1
  }
  mkdir -p "$out"
  pack_zip "$stage/$name" "$out/$name.zip" || { rm -rf "$stage"; return 1; }
  rm -rf "$stage"
  echo "$out/$name.zip"
}

# web_artifact DIST VERSION: what the web edition's tools/package-web.sh left in DIST: its folder
# navro-<version>-web, or else only its zip; prints nothing when there is neither.
web_artifact() {
  local web=$1/navro-$2-web
  if [ -d "$web" ]; then
    echo "$web"
  elif [ -f "$web.zip" ]; then
    echo "$web.zip"
  fi
  return 0
}

# pack_web WEB OUT: packs the web edition, its folder or the zip the web command wrote (unpacked
# first), into OUT/navro-<version>-web.zip by the same step as the Windows zip; prints its path.
# A copy is packed, so the folder keeps its own times and modes.
pack_web() {
  local web=$1 out=$2 name scratch
  name=$(basename "$web" .zip)
  scratch=$(mktemp -d)
  if [ -d "$web" ]; then
    cp -R "$web" "$scratch/$name"
  else
    unzip -q "$web" -d "$scratch"
  fi
  if [ ! -d "$scratch/$name" ]; then
    rm -rf "$scratch"
    packing_fail "$web holds no folder $name"
    return 1
  fi
  mkdir -p "$out"
  pack_zip "$scratch/$name" "$out/$name.zip" || { rm -rf "$scratch"; return 1; }
  rm -rf "$scratch"
  echo "$out/$name.zip"
}

# pack_source REPO OUT: the commit checked out in REPO as OUT/navro-<version>.tar.gz, every file
# under navro-<version>/. git stamps the members with the commit's time; the modes, line ends
# and compressor are fixed here so that no one's git or gzip settings change the bytes.
pack_source() {
  local repo=$1 out=$2 version archive
  version=$(release_version "$repo")
  archive=$out/navro-$version.tar.gz
  mkdir -p "$out"
  git -C "$repo" -c tar.umask=0022 -c core.autocrlf=false -c core.eol=lf \
    archive --format=tar --prefix="navro-$version/" HEAD | env -u GZIP gzip -9n > "$archive.new"
  mv "$archive.new" "$archive"
  echo "$archive"
}

# write_sums DIR: DIR/SHA256SUMS over every other file in DIR, in byte order of their names.
write_sums() {
  (
    cd "$1"
    rm -f SHA256SUMS
    find . -maxdepth 1 -type f ! -name 'SHA256SUMS*' -printf '%P\n' | LC_ALL=C sort |
      xargs -r -d '\n' sha256sum > SHA256SUMS.new
    mv SHA256SUMS.new SHA256SUMS
  )
}

# another_clock LOCALES COMMAND...: runs COMMAND as if on another machine: a clock two years on
# (faketime; files keep their real times, as on a machine whose clock is simply set otherwise,
# and the steady clocks that build tools time themselves with stay real), the time zone UTC+14,
# German (a decimal comma, and a collation that is not byte order) and a umask that lets no one
# else read. LOCALES is a folder made by make_locales.
another_clock() {
  local locales=$1
  shift
  (
    umask 077
    exec env TZ='<+14>-14' LOCPATH="$locales" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LANGUAGE=de \
      NO_FAKE_STAT=1 DONT_FAKE_MONOTONIC=1 faketime -f +731d "$@"
  )
}

# make_locales DIR: compiles the German locale another_clock uses into DIR, without touching the
# system's locales.
make_locales() {
  [ -f "$1/de_DE.UTF-8/LC_COLLATE" ] && return 0
  mkdir -p "$1"
  localedef -i de_DE -f UTF-8 "$1/de_DE.UTF-8" ||
    packing_fail "cannot compile the de_DE.UTF-8 locale (the locales package)"
}

# unpack_members FILE DIR: lists FILE's members with their metadata, in their order inside it,
# into DIR/listing, and unpacks their contents into DIR/contents. Archives inside a .deb are
# listed and unpacked too.
unpack_members() {
  local file=$1 dir=$2
  mkdir -p "$dir/contents"
  case "$file" in
    *.deb)
      {
        echo "== ar members"
        ar tv "$file"
        echo "== control.tar"
        dpkg-deb --ctrl-tarfile "$file" | tar -tv --full-time --numeric-owner -f -
        echo "== data.tar"
        dpkg-deb --fsys-tarfile "$file" | tar -tv --full-time --numeric-owner -f -
      } > "$dir/listing"
      dpkg-deb -R "$file" "$dir/contents"
      ;;
    *.zip)
      zipinfo -l "$file" | sed 1d > "$dir/listing"  # not the line naming its path
      unzip -q "$file" -d "$dir/contents"
      ;;
    *.tar.gz | *.tar.xz)
      tar -tv --full-time --numeric-owner -f "$file" > "$dir/listing"
      tar -x -C "$dir/contents" -f "$file"
      ;;
    *)
      : > "$dir/listing"
      cp "$file" "$dir/contents/"
      ;;
  esac
}

# report_difference A B: names what differs inside two versions of one artifact: diffoscope's
# report where it is installed, and in any case the members whose listed metadata (time, owner,
# mode, size, order) or bytes differ, from the first (A) or the second (B) version.
report_difference() {
  local a=$1 b=$2 work
  if command -v diffoscope > /dev/null; then
    diffoscope --text - --max-report-size 200000 "$a" "$b" || true
  fi
  work=$(mktemp -d)
  (
    export LC_ALL=C
    unpack_members "$a" "$work/first" 2> /dev/null
    unpack_members "$b" "$work/second" 2> /dev/null
    diff "$work/first/listing" "$work/second/listing" |
      sed -n -e 's/^< /  first:  /p' -e 's/^> /  second: /p'
    (cd "$work" && diff -rq first/contents second/contents) |
      sed -e 's|^Files first/contents/\(.*\) and second/contents/.* differ$|  bytes differ: \1|' \
        -e 's|^Only in \([a-z]*\)/contents/*\([^:]*\): \(.*\)$|  only in the \1: \2/\3|'
  )
  rm -rf "$work"
}

# compare_artifacts A B: compares two folders of artifacts byte for byte; names each artifact
# that differs or exists in one only, with the members inside that differ. Fails on any.
compare_artifacts() {
  local a=$1 b=$2 name differ=0
  while IFS= read -r name; do
    if [ ! -f "$a/$name" ] || [ ! -f "$b/$name" ]; then
      echo "compare: $name was written by one run only"
      differ=1
    elif cmp -s "$a/$name" "$b/$name"; then
      echo "compare: same bytes: $name ($(sha256sum < "$a/$name" | cut -c1-16)...)"
    else
      echo "compare: DIFFERENT: $name"
      report_difference "$a/$name" "$b/$name"
      differ=1
    fi
  done < <(find "$a" "$b" -mindepth 1 -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort -u)
  return "$differ"
}
