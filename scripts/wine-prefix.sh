#!/usr/bin/env bash
# Creates the template Wine prefix of a build tree once: a 32-bit Windows
# (64-bit for the x86-64 test build) with the fonts that captions and message boxes need and a virtual desktop,
# so that windows get their frame and timing is steady.
# Usage: wine-prefix.sh WINE_ROOT
set -euo pipefail
export SM_WINE_ROOT="$1"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

stamp="$SM_WINE_TEMPLATE/.sm-ready-2"
[ -f "$stamp" ] && exit 0

# Wine's 32-bit loader needs a kernel that runs 32-bit programs; some 64-bit
# kernels are started without that (ia32_emulation=off).
if ! version=$(wine --version 2>&1); then
  echo "wine-prefix.sh: Wine cannot start on this machine: ${version##*$'\n'}" >&2
  [ "$WINEARCH" = win32 ] && echo "wine-prefix.sh: the kernel must run 32-bit programs (ia32_emulation=on)" >&2
  exit 1
fi
rm -rf "$SM_WINE_TEMPLATE"
mkdir -p "$SM_WINE_ROOT"
if ! timeout 600 wineboot -i >/dev/null 2>&1 </dev/null; then
  echo "wine-prefix.sh: wineboot could not make the prefix in $SM_WINE_TEMPLATE" >&2
  wineserver -k 2>/dev/null
  exit 1
fi
wineserver -w
# Wine links the user's shell folders (Documents, Desktop, ...) to the Unix
# home; a test machine must never write there, so they become plain folders.
for link in "$SM_WINE_TEMPLATE"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link"; mkdir "$link"; fi
done
fonts="$SM_WINE_TEMPLATE/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
  [ -f "/usr/share/wine/fonts/$f" ] && cp "/usr/share/wine/fonts/$f" "$fonts/"
done
cat > "$SM_WINE_ROOT/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
wine regedit /S "$(winepath -w "$SM_WINE_ROOT/desktop.reg")" >/dev/null 2>&1 </dev/null
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
touch "$stamp"
