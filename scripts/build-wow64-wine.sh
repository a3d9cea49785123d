#!/usr/bin/env bash
# Builds Wine from Debian's bookworm source package in Wine's WoW64 mode
# (--enable-archs=i386,x86_64): 32-bit Windows code runs inside 64-bit Unix
# processes, so the shipped i686 program runs on a kernel that cannot execute
# 32-bit Linux binaries.
#
#   scripts/build-wow64-wine.sh          builds if needed; prints the Wine build
#                                        folder (holding the `wine` wrapper) on
#                                        its last line
#   scripts/build-wow64-wine.sh --find   prints that folder when a complete
#                                        build is cached, else exits 1; never
#                                        builds, installs or downloads
#
# The result is cached outside the clone, keyed by the source package version
# and this script's own text, so any change of how Wine is built builds it
# again and nothing else does. Two builds at once wait for each other (a lock);
# a build that was interrupted is found by its missing stamp and started over.
# The first build takes about 45 minutes on two cores; it runs at the lowest
# CPU priority so that it only takes idle time. Its full output goes to a log
# file beside the build (the path is printed); QUIB_WOW64_CACHE overrides the
# cache folder and QUIB_WOW64_JOBS the number of make jobs (2).
set -euo pipefail

CACHE=${QUIB_WOW64_CACHE:-${HOME:-/root}/.cache/quibFMarchive/wow64-wine}
JOBS=${QUIB_WOW64_JOBS:-2}
MODE=${1:-build}
case "$MODE" in build|--find) ;; *) echo "usage: build-wow64-wine.sh [--find]" >&2; exit 2;; esac

# The .dsc name carries the exact source version; --print-uris asks apt's
# lists without downloading anything (the URI spells ~ as %7e).
dsc_name() {
  apt-get source --print-uris wine 2>/dev/null | grep -o "wine_[^' ]*\.dsc" | head -n 1 | sed 's/%7e/~/g'
}
DSC=$(dsc_name || true)
if [ -z "$DSC" ]; then
  if [ "$MODE" = --find ]; then exit 1; fi
  echo "build-wow64-wine: apt knows no source of wine; the bookworm deb-src entry is needed (scripts/install-packages.sh adds it)" >&2
  exit 1
fi
KEY=$( { echo "$DSC"; sha1sum < "$0"; } | sha1sum | cut -c1-12)
DIR=$CACHE/$KEY
WINEBUILD=$DIR/build

if [ "$MODE" = --find ]; then
  [ -f "$DIR/.done" ] || exit 1
  echo "$WINEBUILD"
  exit 0
fi

mkdir -p "$CACHE"
exec 9>"$CACHE/.lock"
if ! flock -n 9; then
  echo "build-wow64-wine: another build of this Wine is running; waiting for it" >&2
  flock 9
fi
if [ -f "$DIR/.done" ]; then
  echo "$WINEBUILD"
  exit 0
fi

LOG=$CACHE/$KEY.log
: > "$LOG"
step() { echo "== $* ($(date +%H:%M:%S))" | tee -a "$LOG" >&2; }
fail() {
  echo "build-wow64-wine: $*" >&2
  echo "---- last lines of $LOG" >&2
  tail -n 40 "$LOG" >&2
  exit 1
}
run() { "$@" >>"$LOG" 2>&1; }
echo "build-wow64-wine: building Wine ($DSC) in WoW64 mode into $DIR; full log: $LOG" >&2

step "installing the build dependencies"
if [ "$(id -u)" != 0 ]; then
  fail "installing Wine's build dependencies needs root (apt-get build-dep wine)"
fi
export DEBIAN_FRONTEND=noninteractive
# On amd64 Debian's build-dep only names the 64-bit MinGW compiler; WoW64 mode
# also builds every DLL for i386. The image tools rebuild icons the repacked
# source leaves out.
# Debian's build-dep pulls in the win32-thread MinGW compilers, whose
# alternatives outrank the posix ones the project builds with: pin the posix
# ones first so that installing Wine's dependencies changes nothing else.
for t in x86_64-w64-mingw32 i686-w64-mingw32; do
  for tool in gcc g++; do
    if [ -x "/usr/bin/$t-$tool-posix" ]; then
      update-alternatives --set "$t-$tool" "/usr/bin/$t-$tool-posix" >>"$LOG" 2>&1 || true
    fi
  done
done
run apt-get build-dep -y -q wine || { run apt-get update -q; run apt-get build-dep -y -q wine; } \
  || fail "apt-get build-dep wine failed"
run apt-get install -y -q --no-install-recommends gcc-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix \
  libz-mingw-w64-dev imagemagick icoutils librsvg2-bin autoconf automake \
  || fail "installing the compilers and image tools failed"

step "fetching the source package"
SRCPKG=$CACHE/src
mkdir -p "$SRCPKG"
sources_complete() {
  [ -f "$SRCPKG/$DSC" ] || return 1
  awk '/^Checksums-Sha256:/{on=1; next} /^[^ ]/{on=0} on && NF==3 {print $1 "  " $3}' "$SRCPKG/$DSC" > "$SRCPKG/.check"
  [ -s "$SRCPKG/.check" ] || return 1
  (cd "$SRCPKG" && sha256sum --quiet -c .check >/dev/null 2>&1)
}
if ! sources_complete; then
  rm -f "$SRCPKG"/wine_*
  (cd "$SRCPKG" && run apt-get source --download-only wine) || fail "apt-get source wine failed"
  sources_complete || fail "the downloaded sources of wine do not match their checksums"
fi
rm -f "$SRCPKG/.check"

rm -rf "$DIR"
mkdir -p "$DIR"
SRC=$DIR/src
step "unpacking with Debian's patches"
(cd "$DIR" && run dpkg-source -x "$SRCPKG/$DSC" "$SRC") || fail "dpkg-source -x failed"

step "generating the files Debian's rules generate before configure"
# The lines of debian/rules' override_dh_auto_configure between the compiler
# banners and configure: generated sources, config.sub/guess and the .svg links
# the icons are made from. Make variables (only in the banners and configure)
# are left out. Each line runs in its own subshell, as make runs it.
awk '/^override_dh_auto_configure:/{on=1; next}
     on && /^[^\t]/ && !/^(ifneq|ifeq|endif)/ {on=0}
     on && /^\t/ {sub(/^\t/, ""); if ($0 !~ /^#/ && $0 !~ /\$\(/ && $0 !~ /^\.\/configure/) print "(" $0 ")"}' \
  "$SRC/debian/rules" > "$DIR/generate.sh"
grep -q make_requests "$DIR/generate.sh" || fail "debian/rules has no generation steps where this script expects them"
(cd "$SRC" && run bash -e "$DIR/generate.sh") || fail "the generation steps of debian/rules failed"

step "rebuilding the icons the repacked source leaves out"
# Every image a resource script names (@makedep lines) that is missing beside
# an .svg of the same name is drawn from the .svg.
cd "$SRC"
while IFS= read -r rc; do
  d=$(dirname "$rc")
  while IFS= read -r img; do
    [ -e "$d/$img" ] && continue
    svg="$d/${img%.*}.svg"
    [ -e "$svg" ] || continue
    run env CONVERT=/usr/bin/convert ICOTOOL=icotool RSVG=rsvg-convert perl tools/buildimage "$svg" "$d/$img" \
      || fail "drawing $d/$img failed"
  done < <(sed -n 's#.*@makedep: *\([^ ]*\.\(ico\|bmp\|cur\)\).*#\1#p' "$rc")
done < <(grep -rl '@makedep:.*\.\(ico\|bmp\|cur\)' --include='*.rc' . | sed 's|^\./||' | sort)
cd "$DIR"

step "autoreconf"
(cd "$SRC" && run nice -n 19 autoreconf -f) || fail "autoreconf failed"

step "configure (i386 and x86_64 PE code, WoW64)"
mkdir -p "$WINEBUILD"
(cd "$WINEBUILD" && run nice -n 19 "$SRC/configure" --enable-archs=i386,x86_64 --with-mingw ZLIB_PE_LIBS=z \
  --disable-tests --without-cups --without-sane --without-gphoto --without-v4l2 --without-capi \
  --without-krb5 --without-gssapi --without-opencl --without-osmesa --without-vulkan --without-pcap \
  --without-netapi --without-oss) || fail "configure failed"

step "building the headers"
# Before anything else, or MinGW's own headers clash with Wine's.
# A failure here shows again, and is judged, in the full build below.
run nice -n 19 make -C "$WINEBUILD" -j "$JOBS" include/all || run nice -n 19 make -C "$WINEBUILD/include" -j "$JOBS" \
  || echo "build-wow64-wine: building the headers first failed; going on" | tee -a "$LOG" >&2
# version.h is written in the build folder but included from the source folder.
run make -C "$WINEBUILD" dlls/ntdll/unix/version.h || fail "generating version.h failed"
cp "$WINEBUILD/dlls/ntdll/unix/version.h" "$SRC/dlls/ntdll/unix/version.h"

step "building Wine (about 45 minutes on two cores)"
# -k: the fonts fail, their sources are not in the repacked source; Wine runs
# without them. The last pass shows what is still failing: only fonts may.
run nice -n 19 make -C "$WINEBUILD" -j "$JOBS" -k || true
LAST=$DIR/last-pass.log
nice -n 19 make -C "$WINEBUILD" -k > "$LAST" 2>&1 || true
cat "$LAST" >> "$LOG"
grep -E '^make(\[[0-9]+\])?: \*\*\*' "$LAST" | sort -u > "$DIR/failed-targets.txt" || true
if grep -v 'fonts/' "$DIR/failed-targets.txt" > "$DIR/failed-other.txt"; then
  fail "the build fails outside the fonts: $(head -n 5 "$DIR/failed-other.txt" | tr '\n' ' ')"
fi
for f in wine loader/wine server/wineserver; do
  [ -x "$WINEBUILD/$f" ] || fail "the build has no $f"
done
for f in ntdll.dll user32.dll comctl32.dll; do
  for arch in i386 x86_64; do
    [ -n "$(find "$WINEBUILD/dlls" -path "*/$arch-windows/$f" -print -quit)" ] || fail "the build has no $arch $f"
  done
done
[ -n "$(find "$WINEBUILD/dlls" -path '*/x86_64-windows/wow64.dll' -print -quit)" ] || fail "the build has no wow64.dll"

{ echo "source=$DSC"; echo "script=$(sha1sum < "$0" | cut -c1-40)"; date -u +%FT%TZ; } > "$DIR/.done"
step "done"
echo "$WINEBUILD"
