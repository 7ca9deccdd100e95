# Sourced by the scripts that run Wine: one place for the settings every Wine
# process of this project gets. The build tree passes SM_WINE_ROOT; the
# template prefix lives there, never in the user's ~/.wine.
: "${SM_WINE_ROOT:?SM_WINE_ROOT must name the wine folder of a build tree}"
export WINEARCH=win32
export WINEDEBUG=-all
# No .desktop files in the real home folder, no offers to install Mono/Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export SM_WINE_TEMPLATE="$SM_WINE_ROOT/template"
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$SM_WINE_TEMPLATE}"
