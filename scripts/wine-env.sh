# Sourced: the Wine environment of the Windows build's tests (the same as ctest's).
# Expects $repo.
export WINEPREFIX="$repo/build/win/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
