#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix and a home folder of its own: a silent install puts
# the program into "C:\Program Files\Aerolern" with its Start-menu entry; the installed program,
# started as the entry starts it, makes the learner's folder "Dokumente\Aerolern" with the demo
# catalogue and shows the category dialog; a silent uninstall removes the program folder and the
# entry and leaves the learner's folder alone.
# Usage: wine_installer_test.sh SETUP_EXE OUTPUT_DIR   (exit 77: no X server)
set -u
setup=${1:?usage: wine_installer_test.sh SETUP_EXE OUTPUT_DIR}
out=${2:?usage: wine_installer_test.sh SETUP_EXE OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
# shellcheck source-path=SCRIPTDIR source=../e2e/program_x11.sh
source "$here/../e2e/program_x11.sh"

[[ -f $setup ]] || { echo "FAIL: the installer $setup is missing"; exit 1; }
start_xvfb || { echo "SKIP: no X server could be started"; exit 77; }
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-setup.XXXXXX")
trap 'wineserver -k 2>/dev/null; cleanup' EXIT
start_openbox "$work/openbox" || fail "openbox did not start: $(cat "$work/openbox/openbox.log")"
export HOME=$work/home AEROLERN_WINEPREFIX=$work/wine WINEPREFIX=$work/wine
mkdir -p "$HOME"
program="$WINEPREFIX/drive_c/Program Files/Aerolern"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Aerolern"

"$wine_run" "$setup" /S >"$out/setup.log" 2>&1 || fail "the silent install failed: $(cat "$out/setup.log")"
wineserver -w
for file in aerolern.exe aerolern-katalog.exe aerolern.ini assets/sketches vorlage/Aerolern.dat \
  vorlage/Hilfe.htm Deinstallieren.exe; do
  [[ -e $program/$file ]] || fail "the install left no $file in the program folder"
done
[[ -f $menu/Aerolern.lnk ]] || fail "the install made no Start-menu entry"

"$wine_run" "C:\\Program Files\\Aerolern\\aerolern.exe" /lernordner >"$out/installed.log" 2>&1 &
app_pid=$!
dialog=$(find_window '^Auswahl der zu lernenden Kategorien$' 60) ||
  { shot "installiert-kein-dialog"; fail "the installed program showed no category dialog"; }
window_shot "$dialog" installiert-kategorien
data=$(find "$WINEPREFIX/drive_c/users" "$HOME" -path '*/Aerolern/Aerolern.dat' 2>/dev/null | head -1)
[[ -n $data ]] || fail "the installed program made no learner's folder with the demo catalogue"
data=$(dirname "$data")
[[ -f $data/Hilfe.htm ]] || fail "the learner's folder $data has no help page"
kill "$app_pid" 2>/dev/null
wineserver -k 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""

"$wine_run" "C:\\Program Files\\Aerolern\\Deinstallieren.exe" /S >"$out/uninstall.log" 2>&1
wineserver -w
[[ ! -e $program ]] || fail "the uninstall left the program folder: $(ls -R "$program")"
[[ ! -e $menu ]] || fail "the uninstall left the Start-menu entry"
[[ -f $data/Aerolern.dat ]] || fail "the uninstall removed the learner's folder $data"
echo "PASS: silent install, the installed program in the learner's folder ${data#"$work"/}," \
  "silent uninstall that kept it"
