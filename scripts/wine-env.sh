# Sourced by the scripts that run Wine: one place for the settings every Wine
# process of this project gets. The build tree passes SM_WINE_ROOT; the
# template prefix lives there, never in the user's ~/.wine.
: "${SM_WINE_ROOT:?SM_WINE_ROOT must name the wine folder of a build tree}"
# A build tree says which Windows its programs need (win32, or win64 for
# the x86-64 test build); its prefix is made for that.
export WINEARCH=win32
[ -f "$SM_WINE_ROOT/arch" ] && read -r WINEARCH <"$SM_WINE_ROOT/arch"
if [ "$WINEARCH" = win64 ]; then
  here_env=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  case ":$PATH:" in *":$here_env/wine64:"*) ;; *) export PATH="$here_env/wine64:$PATH" ;; esac
fi
export WINEDEBUG=-all
# No .desktop files in the real home folder, no offers to install Mono/Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export SM_WINE_TEMPLATE="$SM_WINE_ROOT/template"
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$SM_WINE_TEMPLATE}"
