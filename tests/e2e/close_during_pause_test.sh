#!/usr/bin/env bash
# Closing the main window during the one-second pause after "Weiter" ends the program at once:
# runs the built program under openbox on a private Xvfb with an exam of one question per
# subject area, presses "Weiter" on the last question of an area and, 300 ms later, asks openbox
# to close the main window (Alt+F4, which sends WM_DELETE_WINDOW). The program must end within
# two seconds with status 0 and show no grading message. The first area, left to run its course,
# shows that "Weiter" does lead to that message.
# Usage: close_during_pause_test.sh RUN_DIR OUTPUT_DIR   (exit 77: no X server)
set -u
# shellcheck disable=SC2034 # read by program_x11.sh
run_dir=${1:?usage: close_during_pause_test.sh RUN_DIR OUTPUT_DIR}
out=${2:?usage: close_during_pause_test.sh RUN_DIR OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=program_x11.sh
source "$here/program_x11.sh"

start_session
rm -f "$out"/step-*.png "$out"/fenster-*.png "$out"/*.log "$out"/*.err
# One question per area of the first licence, the one the exam dialog offers first; its limits
# of wrong answers cannot exceed that one question.
LC_ALL=C sed -i -e 's/^AnzPrfFragenGSA=[0-9]*/AnzPrfFragenGSA=1/' \
  -e 's/^AnzMuendlichGSA=[0-9]*/AnzMuendlichGSA=1/' -e 's/^AnzNichtBestGSA=[0-9]*/AnzNichtBestGSA=1/' \
  "$work/aerolern.ini"
grep -q '^AnzPrfFragenGSA=1\b' "$work/aerolern.ini" || fail "the settings file has no AnzPrfFragenGSA"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_program
dialog=$(find_window '^Auswahl der zu lernenden Kategorien$' 20)
[[ -n $dialog ]] || { shot "kein-dialog"; fail "the category dialog did not appear"; }
main=$(find_window 'Aerolern Version IV$' 5)
[[ -n $main ]] || fail "the main window is not shown"
wait_active "$dialog" || fail "the category dialog did not get the input focus"
xdotool key Return
wait_window_gone '^Auswahl der zu lernenden Kategorien$' || fail "Return did not close the dialog"
wait_quiet "$main" 1 || fail "the main window does not settle after the category choice"

# The exam of the first licence: "Prüfungsmodus" (sixth entry of "Programm"), "Ok".
choose_programm_entry 6
exam_dialog=$(find_window '^Kategoriewahl Pr.*fungsmodus$' 5)
[[ -n $exam_dialog ]] || { shot "kein-pruefungsdialog"; fail "the exam dialog did not appear"; }
wait_quiet "$exam_dialog" 0.5 || fail "the exam dialog does not settle"
xdotool mousemove --window "$exam_dialog" 140 217 click 1
wait_window_gone '^Kategoriewahl Pr.*fungsmodus$' || fail "Ok did not close the exam dialog"
wait_quiet "$main" 0.5 || fail "the exam window does not settle"
shot "pruefung-gebiet-1"

# "Weiter" at 8,315 (75x25); the answer boxes, which it greys where an answer is wrong, at 8,115.
weiter_x=45 weiter_y=327
answers=17x162+8+115
windows_before=$(managed_windows | sort)

# First area: "Weiter" on its only question leads, after the pause, to the grading message.
xdotool mousemove --window "$main" "$weiter_x" "$weiter_y" click 1
message=""
for _ in $(seq 40); do
  message=$(comm -13 <(echo "$windows_before") <(managed_windows | sort) | head -1)
  [[ -n $message ]] && break
  sleep 0.1
done
[[ -n $message ]] || { shot "keine-bewertung"; fail "Weiter on the last question showed no grading message"; }
wait_quiet "$message" 0.3 || fail "the grading message does not settle"
shot "pruefungsergebnis"
window_shot "$message" pruefungsergebnis
check_placement "$message" "grading message"
wait_active "$message" || fail "the grading message did not get the input focus"
xdotool key Return
for _ in $(seq 30); do
  [[ $(managed_windows | sort) == "$windows_before" ]] && break
  sleep 0.1
done
[[ $(managed_windows | sort) == "$windows_before" ]] || fail "Return did not close the grading message"
wait_quiet "$main" 0.5 || fail "the second area of the exam does not settle"
shot "pruefung-gebiet-2"

# Second area: "Weiter", and once the solution shows (the pause has begun) but 300 ms after the
# click at the earliest, Alt+F4. The close request must come well inside the one-second pause.
xdotool windowactivate --sync "$main"
before=$(region "$main" "$answers")
clicked=$(now_ms)
xdotool mousemove --window "$main" "$weiter_x" "$weiter_y" click 1
shown=""
while [[ $(($(now_ms) - clicked)) -lt 700 ]]; do
  [[ $(region "$main" "$answers") != "$before" ]] && { shown=1; break; }
done
[[ -n $shown ]] || { shot "keine-loesung"; fail "Weiter did not show the solution within 0.7 s"; }
wait_ms=$((300 - ($(now_ms) - clicked)))
[[ $wait_ms -gt 0 ]] && sleep "$(awk -v ms="$wait_ms" 'BEGIN { print ms / 1000 }')"
closed=$(now_ms)
xdotool key alt+F4
echo "close request $((closed - clicked)) ms after Weiter"

# Until the program ends, but two seconds at most: no new window may appear.
stray=""
while kill -0 "$app_pid" 2>/dev/null && [[ $(($(now_ms) - closed)) -lt 2000 ]]; do
  [[ -z $stray ]] && stray=$(comm -13 <(echo "$windows_before") <(managed_windows | sort) | head -1)
  sleep 0.05
done
ended=$(now_ms)
if [[ -n $stray ]]; then
  stray_name=$(xdotool getwindowname "$stray" 2>/dev/null)
  shot "nach-schliessen"
  framed_shot "$stray" "$out/fenster-nach-schliessen.png"
fi
if kill -0 "$app_pid" 2>/dev/null; then
  [[ -n $stray ]] || shot "nach-schliessen"
  fail "the program still runs 2 s after the close request${stray:+ and shows the window \"$stray_name\"}"
fi
wait "$app_pid"
status=$?
app_pid=""
[[ -z $stray ]] || fail "the window \"$stray_name\" appeared after the close request"
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "PASS: closing the main window $((closed - clicked)) ms after Weiter ended the program" \
  "$((ended - closed)) ms later with status 0 and no grading message (screenshots in $out)"
