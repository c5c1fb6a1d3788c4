#!/usr/bin/env bash
# End-to-end test of the Windows program aerolern.exe under Wine, on a private Xvfb with openbox,
# in a working folder whose path holds umlauts and a blank: without a catalogue it says so in a
# message box; with one it shows the category dialog, Return takes the choice, Alt+K three times
# sorts three questions as "Klar", Strg+S saves, Strg+T opens the statistics window and F10 ends
# it. The knowledge file then holds whole 12-byte entries and the history the three answers.
# Screenshots of every window stay in OUTPUT_DIR.
# Usage: wine_program_test.sh WINDOWS_FOLDER OUTPUT_DIR   (exit 77: no X server)
set -u
windows_folder=${1:?usage: wine_program_test.sh WINDOWS_FOLDER OUTPUT_DIR}
out=${2:?usage: wine_program_test.sh WINDOWS_FOLDER OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
# shellcheck source-path=SCRIPTDIR source=../e2e/program_x11.sh
source "$here/../e2e/program_x11.sh"

windows_folder=$(cd "$windows_folder" && pwd) || { echo "FAIL: no folder $1"; exit 1; }
for file in aerolern.exe aerolern.ini Aerolern.dat Hilfe.htm assets; do
  [[ -e $windows_folder/$file ]] || { echo "FAIL: $windows_folder/$file is missing"; exit 1; }
done
for tool in wine xdotool xdpyinfo import sqlite3 openbox; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing"; exit 1; }
done
start_xvfb || { echo "SKIP: no X server could be started"; exit 77; }
mkdir -p "$out"
rm -f "$out"/step-*.png "$out"/fenster-*.png
work=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-wine.XXXXXX")
trap cleanup EXIT
start_openbox "$work/openbox" || fail "openbox did not start: $(cat "$work/openbox/openbox.log")"
learner="$work/Jürgen Ölmann/Aerolern"
mkdir -p "$learner"

# Starts aerolern.exe in the learner's folder (not from it: the program lies elsewhere, as
# installed, and finds its settings and pictures beside itself).
start_wine_program() {
  cd "$learner" || fail "no working folder"
  "$wine_run" "$windows_folder/aerolern.exe" >"$out/aerolern.log" 2>"$out/aerolern.err" &
  app_pid=$!
}

wait_program_end() {
  for _ in $(seq 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && { shot "$1"; fail "the program did not end after $1"; }
  wait "$app_pid"
  local status=$?
  app_pid=""
  return "$status"
}

# --- Without a catalogue: the standard message box names the missing file and the folder.
start_wine_program
box=$(find_window "^Aerolern$" 30) || { shot "keine-meldung"; fail "no message box without a catalogue"; }
wait_quiet "$box" 0.5 || fail "the message box does not settle"
window_shot "$box" meldung-ohne-katalog
xdotool windowactivate --sync "$box" key Return
wait_program_end "meldung" && fail "without a catalogue the program ended with status 0"

# --- With the demo catalogue: splash, category dialog, main window.
cp "$windows_folder/Aerolern.dat" "$learner/"
start_wine_program
dialog=$(find_window '^Auswahl der zu lernenden Kategorien$' 40) ||
  { shot "kein-dialog"; fail "the category dialog did not appear"; }
main=$(find_window '^Talwinder Flugschule Ost Aerolern Version IV$' 5) ||
  { shot "kein-hauptfenster"; fail "the main window with its title did not appear"; }
wait_quiet "$dialog" 0.5 || fail "the category dialog does not settle"
window_shot "$dialog" kategorien
# Space ticks the focused first licence (and its areas), Return presses "&Ok".
xdotool windowactivate --sync "$dialog" key space
sleep 0.5
shot "lizenz-gewaehlt"
xdotool key Return
wait_window_gone '^Auswahl der zu lernenden Kategorien$' || fail "Return did not close the dialog"
wait_quiet "$main" 1 || fail "the main window does not settle"
window_shot "$main" hauptfenster

for n in 1 2 3; do
  xdotool windowactivate --sync "$main" key alt+k
  sleep 0.7
  shot "klar-$n"
done
xdotool windowactivate --sync "$main" key ctrl+s
for _ in $(seq 50); do
  [[ -s $learner/Wissensstand.dat ]] && break
  sleep 0.1
done
[[ -s $learner/Wissensstand.dat ]] || { shot "nicht-gespeichert"; fail "Strg+S wrote no Wissensstand.dat"; }

xdotool windowactivate --sync "$main" key ctrl+t
statistics=$(find_window '^Lernstand$' 15) || { shot "keine-statistik"; fail "Strg+T opened no statistics window"; }
wait_quiet "$statistics" 1 || fail "the statistics window does not settle"
window_shot "$statistics" statistik
# Closed as by its close box: the window manager asks the window to close (xdotool windowclose
# would destroy the X window behind Wine's back, and the modal window would stay open).
xdotool windowactivate --sync "$statistics" key alt+F4
wait_window_gone '^Lernstand$' || fail "the statistics window did not close"

xdotool windowactivate --sync "$main" key F10
wait_program_end "F10" || fail "the program ended with a failure status after F10"

size=$(stat -c %s "$learner/Wissensstand.dat")
[[ $size -gt 0 && $((size % 12)) -eq 0 ]] || fail "Wissensstand.dat has $size bytes, not whole 12-byte entries"
answers=$(sqlite3 "$learner/Lernverlauf.sqlite" 'select * from antworten') ||
  fail "sqlite3 cannot read Lernverlauf.sqlite"
[[ $(grep -c . <<<"$answers") -eq 3 ]] || fail "the history holds not three answers: $answers"
echo "$answers" >"$out/antworten.txt"
echo "PASS: aerolern.exe under Wine in \"$learner\": message box without a catalogue, category" \
  "dialog, main window, three times Klar, $((size / 12)) entries saved, three answers in the" \
  "history, statistics window (screenshots in $out)"
