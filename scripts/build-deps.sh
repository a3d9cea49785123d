#!/usr/bin/env bash
# Builds the third-party libraries from Debian's bookworm source packages for one
# Windows target: PCRE2 (16-bit, JIT) for the program, and xz, bzip2, zstd and
# libarchive for the stand-in archiver DLL. zlib is Debian's MinGW package.
#
#   scripts/build-deps.sh x86_64|i686      prints the install prefix on its last line
#
# Results are cached outside the clone, keyed by the source package versions,
# this script, the toolchain file and the compiler's version, so a second build
# (or a CI run on the same machine) reuses them and any change of how they are
# built builds them again. Two builds at once wait for each other (a lock), and
# a partial download is found by the checksums of the .dsc files and fetched
# again. QUIB_DEPS_CACHE overrides the cache folder.
set -euo pipefail

ARCH=${1:?usage: build-deps.sh x86_64|i686}
case "$ARCH" in x86_64|i686) ;; *) echo "unknown arch $ARCH" >&2; exit 2;; esac
BUILD_REV=3
TRIPLE=$ARCH-w64-mingw32
CACHE=${QUIB_DEPS_CACHE:-${HOME:-/root}/.cache/quibFMarchive/deps}
SRC=$CACHE/src
HERE=$(cd "$(dirname "$0")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
PKGS=(pcre2 xz-utils bzip2 libzstd libarchive)

mkdir -p "$SRC"
exec 9>"$CACHE/.lock"
flock 9

# A package's sources are complete when its .dsc is there and every file it
# lists has the size and SHA-256 it names.
sources_complete() { # package
  local dsc
  dsc=$(ls "$SRC/$1"_*.dsc 2>/dev/null | sort | tail -n 1)
  [ -n "$dsc" ] || return 1
  awk '/^Checksums-Sha256:/{on=1; next} /^[^ ]/{on=0} on && NF==3 {print $1 "  " $3}' "$dsc" > "$SRC/.check"
  [ -s "$SRC/.check" ] || return 1
  (cd "$SRC" && sha256sum --quiet -c .check >/dev/null 2>&1)
}
for p in "${PKGS[@]}"; do
  if ! sources_complete "$p"; then
    echo "== fetching the sources of $p" >&2
    rm -f "$SRC/${p}"_*
    (cd "$SRC" && apt-get source --download-only "$p" >&2)
    sources_complete "$p" || { echo "build-deps: the sources of $p are incomplete after download" >&2; exit 1; }
  fi
done
rm -f "$SRC/.check"

TOOLCHAIN=$HERE/cmake/toolchain-$ARCH.cmake
KEY=$( { (cd "$SRC" && ls ./*.dsc | sort); echo "rev=$BUILD_REV"; sha1sum < "$0"; sha1sum < "$TOOLCHAIN";
         "$TRIPLE-gcc-posix" --version | head -n 1; } | sha1sum | cut -c1-12)
PREFIX=$CACHE/$KEY/$ARCH
if [ -f "$PREFIX/.done" ]; then
  echo "$PREFIX"
  exit 0
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quibdeps.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
rm -rf "$PREFIX"
mkdir -p "$PREFIX/include" "$PREFIX/lib"

extract() { # package -> prints the extracted folder
  local dsc
  dsc=$(ls "$SRC/$1"_*.dsc | sort | tail -n 1)
  if ! (cd "$WORK" && dpkg-source -x "$dsc" "$WORK/$1" >"$WORK/$1.log" 2>&1); then
    cat "$WORK/$1.log" >&2
    echo "build-deps: extracting $dsc failed" >&2
    return 1
  fi
  echo "$WORK/$1"
}

CMAKE_COMMON=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release
              -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF
              -DCMAKE_C_FLAGS="-O2" -DCMAKE_POSITION_INDEPENDENT_CODE=OFF)

echo "== pcre2 ($ARCH)" >&2
d=$(extract pcre2)
cmake -S "$d" -B "$d/b" "${CMAKE_COMMON[@]}" -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
  -DPCRE2_BUILD_PCRE2_32=OFF -DPCRE2_SUPPORT_JIT=ON -DPCRE2_SUPPORT_UNICODE=ON \
  -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF -DPCRE2_SUPPORT_LIBBZ2=OFF \
  -DPCRE2_SUPPORT_LIBZ=OFF -DPCRE2_SUPPORT_LIBEDIT=OFF -DPCRE2_SUPPORT_LIBREADLINE=OFF >&2
cmake --build "$d/b" -j "$JOBS" >&2
cmake --install "$d/b" >&2

echo "== xz ($ARCH)" >&2
d=$(extract xz-utils)
cmake -S "$d" -B "$d/b" "${CMAKE_COMMON[@]}" >&2
cmake --build "$d/b" -j "$JOBS" --target liblzma >&2
cp "$d/b/liblzma.a" "$PREFIX/lib/"
cp -r "$d/src/liblzma/api/lzma.h" "$d/src/liblzma/api/lzma" "$PREFIX/include/"

echo "== bzip2 ($ARCH)" >&2
d=$(extract bzip2)
make -C "$d" -j "$JOBS" libbz2.a CC="$TRIPLE-gcc-posix" AR="$TRIPLE-ar" RANLIB="$TRIPLE-ranlib" \
  CFLAGS="-O2 -D_FILE_OFFSET_BITS=64" >&2
cp "$d/libbz2.a" "$PREFIX/lib/"
cp "$d/bzlib.h" "$PREFIX/include/"

echo "== zstd ($ARCH)" >&2
d=$(extract libzstd)
cmake -S "$d/build/cmake" -B "$d/b" "${CMAKE_COMMON[@]}" -DZSTD_BUILD_STATIC=ON -DZSTD_BUILD_SHARED=OFF \
  -DZSTD_BUILD_PROGRAMS=OFF -DZSTD_BUILD_TESTS=OFF -DZSTD_LEGACY_SUPPORT=OFF -DZSTD_MULTITHREAD_SUPPORT=OFF >&2
cmake --build "$d/b" -j "$JOBS" >&2
cmake --install "$d/b" >&2
rm -f "$PREFIX"/lib/libzstd.dll.a

echo "== libarchive ($ARCH)" >&2
d=$(extract libarchive)
# The header and library are lower-case on MinGW; on a case-sensitive file system
# the check for "Bcrypt.h" fails and silently drops zip AES support.
sed -i 's/"Bcrypt.h"/"bcrypt.h"/; s/ADDITIONAL_LIBS "Bcrypt"/ADDITIONAL_LIBS "bcrypt"/' "$d/CMakeLists.txt"
# The one run-check (ZLIB_WINAPI) cannot run for i686 here; Debian's MinGW zlib
# is not built with WINAPI, which /bin/false as emulator answers correctly.
cmake -S "$d" -B "$d/b" "${CMAKE_COMMON[@]}" -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false \
  -DENABLE_TEST=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_UNZIP=OFF \
  -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF \
  -DENABLE_ICONV=OFF -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF \
  -DENABLE_PCREPOSIX=OFF -DENABLE_CNG=ON -DPOSIX_REGEX_LIB=NONE -DWINDOWS_VERSION=WIN7 \
  -DENABLE_ZLIB=ON -DENABLE_BZip2=ON -DENABLE_LZMA=ON -DENABLE_ZSTD=ON \
  -DZLIB_INCLUDE_DIR=/usr/$TRIPLE/include -DZLIB_LIBRARY=/usr/$TRIPLE/lib/libz.a \
  -DBZIP2_INCLUDE_DIR="$PREFIX/include" -DBZIP2_LIBRARIES="$PREFIX/lib/libbz2.a" \
  -DBZIP2_LIBRARY_RELEASE="$PREFIX/lib/libbz2.a" \
  -DLIBLZMA_INCLUDE_DIR="$PREFIX/include" -DLIBLZMA_LIBRARY="$PREFIX/lib/liblzma.a" \
  -DZSTD_INCLUDE_DIR="$PREFIX/include" -DZSTD_LIBRARY="$PREFIX/lib/libzstd.a" >&2
grep -q 'HAVE_BCRYPT_H 1' "$d/b/config.h" || { echo "libarchive: bcrypt not found, zip AES would be lost" >&2; exit 1; }
cmake --build "$d/b" -j "$JOBS" --target archive_static >&2
cp "$d/b/libarchive/libarchive_static.a" "$PREFIX/lib/libarchive_static.a" 2>/dev/null \
  || cp "$(find "$d/b" -name 'libarchive*.a' | head -n 1)" "$PREFIX/lib/libarchive_static.a"
cp "$d/libarchive/archive.h" "$d/libarchive/archive_entry.h" "$PREFIX/include/"

(cd "$SRC" && ls ./*.dsc) > "$PREFIX/VERSIONS"
touch "$PREFIX/.done"
echo "$PREFIX"
