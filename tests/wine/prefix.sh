#!/usr/bin/env bash
# Makes sure the build's Wine prefix exists and its wineserver runs, with every
# helper process detached from the caller's output: services.exe, the desktop
# process and the server itself otherwise keep a test's pipe open (the server
# keeps the descriptors behind inherited handles), and ctest waits for them.
#   prefix.sh WINE_DIR [DPI]
# DPI (default 96) is the screen's pixels per inch the prefix's user has
# (LogPixels), as a Windows user's display scale: 144 is 150 %, 192 is 200 %.
set -e
WINE_DIR=$1
DPI=${2:-96}
HERE=$(cd "$(dirname "$0")" && pwd)
QUIB_WINE_LOADER=/usr/lib/wine/wine64 QUIB_WINESERVER=/usr/lib/wine/wineserver QUIB_WINE_WOW64=0
[ -f "$WINE_DIR/paths.sh" ] && . "$WINE_DIR/paths.sh"
wine() { "$QUIB_WINE_LOADER" "$@"; }
wineserver() { "$QUIB_WINESERVER" "$@"; }
export WINEPREFIX="$WINE_DIR/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINE_DIR"

# Runs a Wine command detached from our streams and from the lock descriptor
# (a long-lived wineserver would otherwise hold the lock forever).
detached() { "$@" 9>&- </dev/null >/dev/null 2>&1; }

exec 9>"$WINE_DIR/lock"
flock 9
if [ ! -f "$WINEPREFIX/.quib-ready-3" ]; then
  rm -rf "$WINEPREFIX"
  detached wineserver -p120 || true
  if [ "$QUIB_WINE_WOW64" = 1 ]; then
    # Built against the system zlib (as Debian builds it), user32 loads
    # zlib1.dll, already while wineboot makes the prefix: both halves get it
    # before that.
    mkdir -p "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/syswow64"
    cp /usr/x86_64-w64-mingw32/lib/zlib1.dll "$WINEPREFIX/drive_c/windows/system32/"
    cp /usr/i686-w64-mingw32/lib/zlib1.dll "$WINEPREFIX/drive_c/windows/syswow64/"
  fi
  detached wine wineboot -i
  # A crashing test must end, not wait in the crash debugger.
  detached wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f || true
  # 32-bit programs read the 32-bit view of that key (run.sh also keeps
  # WoW64's winedbg from starting at all).
  detached wine reg delete 'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f || true
  # No window manager runs on the test display: unmanaged windows hide at once
  # instead of waiting two seconds for a manager that never answers.
  detached wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || true
  # Japanese face names render with the IPA fonts under any locale.
  iconv -f UTF-8 -t UTF-16 "$HERE/fonts.reg" > "$WINE_DIR/fonts-utf16.reg"
  detached wine regedit /S 'Z:'"$(echo "$WINE_DIR/fonts-utf16.reg" | tr / '\\')"
  detached wineserver -w
  touch "$WINEPREFIX/.quib-ready-3"
fi
# The display scale is read by every program at its start.
if [ "$(cat "$WINEPREFIX/.quib-dpi" 2>/dev/null || echo 96)" != "$DPI" ]; then
  detached wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f
  echo "$DPI" > "$WINEPREFIX/.quib-dpi"
fi
# Cheap when the server already runs: the second one exits at once.
detached wineserver -p120 || true
detached wine wineboot || true
# The desktop process starts with the first window of any program and inherits
# that program's standard handles; started here, it holds /dev/null instead.
if [ -n "${DISPLAY:-}" ]; then
  detached wine rundll32.exe user32.dll,GetDesktopWindow || true
fi
