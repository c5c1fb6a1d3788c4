#!/usr/bin/env bash
# Runs a Windows program under Wine, in the Wine prefix AEROLERN_WINEPREFIX (default: a prefix of
# the project's own in the user's cache), without Wine's own messages and without the browser and
# .NET installers that a new prefix would offer.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
export WINEPREFIX=${AEROLERN_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/aerolern/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
mkdir -p "$(dirname "$WINEPREFIX")"
exec wine "$@"
