# Sourced by the scripts that start Wine programs: the one place that finds Wine's tools.
#   WINESERVER  the wineserver of the installed Wine (Debian names it wineserver or
#               wineserver-stable, or keeps it under /usr/lib/wine)
WINESERVER=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
