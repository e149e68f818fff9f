# Fetches one of Debian's source packages for this machine's release without changing the
# system's apt sources; sourced by the tools that build libraries for another system.
source "$(dirname "${BASH_SOURCE[0]}")/apt_mirror.bash"

# Debian's source packages, through an apt configuration of our own: a deb-src entry for the suite
# this machine already uses, on the mirror its apt sources name. The system's sources stay as
# they are.
fetch_source() {  # package work-folder -> prints the unpacked folder
  local package=$1 work=$2
  if [ ! -f "$work/sources.list" ]; then
    local uri="" suite=""
    uri=$(apt_mirror) || true
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ -z "$uri" ] || [ -z "$suite" ]; then
      echo "debian-source: no Debian mirror or release found in the apt sources" >&2
      exit 1
    fi
    mkdir -p "$work/lists/partial"
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg security=""
    {
      echo "deb-src [signed-by=$keyring] $uri $suite main"
      echo "deb-src [signed-by=$keyring] $uri $suite-updates main"
    } > "$work/sources.list.new"
    # The security archive too: a mirror can list a point release's source before it holds its
    # files, and the security suite then still offers the version before it.
    if security=$(apt_security_mirror); then
      echo "deb-src [signed-by=$keyring] $security $suite-security main" >> "$work/sources.list.new"
    fi
    APT_OPTS=(-o "Dir::Etc::SourceList=$work/sources.list.new" -o "Dir::Etc::SourceParts=-"
              -o "Dir::State::Lists=$work/lists" -o "APT::Get::List-Cleanup=0"
              -o "Acquire::Languages=none" -o "APT::Sandbox::User=root")
    if ! apt-get "${APT_OPTS[@]}" update -qq >&2 && [ -n "$security" ]; then
      # Not every mirror carries the security archive: go on with the release's own suites.
      sed -i '/-security main$/d' "$work/sources.list.new"
      apt-get "${APT_OPTS[@]}" update -qq >&2
    fi
    mv "$work/sources.list.new" "$work/sources.list"
  fi
  APT_OPTS=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=-"
            -o "Dir::State::Lists=$work/lists" -o "APT::Get::List-Cleanup=0"
            -o "Acquire::Languages=none" -o "APT::Sandbox::User=root")
  # Newest first; a mirror may list a version whose files it does not hold yet (a point release's
  # update), so an older one of the same indexes is taken rather than failing the build.
  local version
  : > "$work/$package.log"
  for version in $(apt-cache "${APT_OPTS[@]}" showsrc "$package" 2>/dev/null |
                   awk '/^Version:/ { print $2 }' | sort -u -r -V); do
    rm -rf "$work/$package" && mkdir -p "$work/$package"
    if (cd "$work/$package" &&
        apt-get "${APT_OPTS[@]}" source -qq "$package=$version" >> "$work/$package.log" 2>&1); then
      find "$work/$package" -mindepth 1 -maxdepth 1 -type d | head -n 1
      return 0
    fi
    echo "debian-source: $package $version could not be fetched; trying an older one" >&2
  done
  cat "$work/$package.log" >&2
  exit 1
}
