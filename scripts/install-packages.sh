#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, enables
# the bookworm source pocket for the dependency sources and generates the
# Japanese locale. Safe to run again: it only does what is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make dpkg-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  libz-mingw-w64-dev
  wine64 xvfb x11-utils imagemagick
  locales fonts-ipafont-gothic
  googletest
  zip p7zip-full tar xz-utils zstd bzip2 genisoimage gcab jlha-utils
  python3 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_update=0
srclist=/etc/apt/sources.list.d/quibfmarchive-src.sources
if [ ! -f "$srclist" ]; then
  # Only bookworm main: the security pocket answers 404 for source files.
  # deb822 form with the same Signed-By as the binary entry, or apt refuses the pair.
  cat > "$srclist" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The MinGW posix thread model must be the default for both compilers.
for t in x86_64-w64-mingw32 i686-w64-mingw32; do
  for tool in gcc g++; do
    if [ -x "/usr/bin/$t-$tool-posix" ] && [ "$(readlink -f /usr/bin/$t-$tool)" != "/usr/bin/$t-$tool-posix" ]; then
      update-alternatives --set "$t-$tool" "/usr/bin/$t-$tool-posix" >/dev/null 2>&1 || true
    fi
  done
done

# Without the generated locale Wine turns Japanese file names into garbage.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
