#!/usr/bin/env bash
# End-to-end test of the trainer: runs the built program under openbox on a private Xvfb in a
# fresh working folder and drives it with real X input (category choice, Vertiefungsmodus,
# answering, Klar and Unklar, saving the knowledge state, the exam dialog, F10), checking the
# saved knowledge file and that the windows sit where the program places them.
# Usage: aerolern_e2e_test.sh RUN_DIR KATALOG_TOOL OUTPUT_DIR   (exit 77: no X server)
set -u
# shellcheck disable=SC2034 # read by program_x11.sh
run_dir=${1:?usage: aerolern_e2e_test.sh RUN_DIR KATALOG_TOOL OUTPUT_DIR}
katalog=${2:?usage: aerolern_e2e_test.sh RUN_DIR KATALOG_TOOL OUTPUT_DIR}
out=${3:?usage: aerolern_e2e_test.sh RUN_DIR KATALOG_TOOL OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=program_x11.sh
source "$here/program_x11.sh"

[[ -x $katalog ]] || { echo "FAIL: the catalogue tool $katalog is missing"; exit 1; }
start_session
rm -f "$out"/step-*.png "$out"/fenster-*.png "$out"/*.log "$out"/Wissensstand-*.dat

# The questions the chosen licence brings: licence 1's four areas and the licence-0 questions,
# which belong to every selection. The check output lists "KAT  COUNT  NAME" per category.
check_out=$("$katalog" check "$work/Aerolern.dat") || fail "aerolern-katalog check failed: $check_out"
licence01=$(awk '$1 ~ /^(00|1[1-4])$/ { sum += $2 } END { print sum + 0 }' <<<"$check_out")
[[ $licence01 -gt 1 ]] || fail "the demo catalogue has no questions of licence 1: $check_out"
grep -q '^Gelöschte Datensätze: 0$' <<<"$check_out" ||
  fail "the demo catalogue has deleted records; the counts below assume none"
# Record numbers of licence 0 and 1 and those among them without any correct answer. The first
# five CSV columns are never quoted, so they can be read line by line.
"$katalog" export "$work/Aerolern.dat" -o "$work/katalog.csv" || fail "aerolern-katalog export failed"
catalogue01=$(grep -E '^[0-9]+;[01];[0-9]+;[0-9]*;[A-D]*;' "$work/katalog.csv" | cut -d';' -f1 | sort)
no_answer01=$(grep -E '^[0-9]+;[01];[0-9]+;[0-9]*;;' "$work/katalog.csv" | cut -d';' -f1 | sort)
[[ $(wc -l <<<"$catalogue01") -eq $licence01 ]] ||
  fail "export and check disagree on the number of licence-0/1 questions"
# "Lösung" greys the boxes of the wrong answers; the checks below see it because every question
# has at least one wrong answer.
! grep -qE '^[0-9]+;[01];[0-9]+;[0-9]*;ABCD;' "$work/katalog.csv" ||
  fail "the demo catalogue has a question whose four answers are all right"

# Waits until the program has replaced the knowledge file (a new file is renamed over it), copies
# it to OUTPUT_DIR under NAME and prints its path.
wait_saved() {
  local name=$1 old_inode=$2 inode
  for _ in $(seq 50); do
    inode=$(stat -c %i "$work/Wissensstand.dat" 2>/dev/null)
    if [[ -n $inode && $inode != "$old_inode" ]]; then
      cp "$work/Wissensstand.dat" "$out/$name"
      echo "$out/$name"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Checks a saved knowledge file: whole 12-byte entries, the tool's count line, every entry in use,
# open and of licence 0 or 1, no record twice. Prints the record numbers, sorted as comm wants.
check_knowledge() {
  local file=$1 size entries listing
  size=$(stat -c %s "$file")
  [[ $((size % 12)) -eq 0 ]] || fail "$file has $size bytes, not a multiple of 12"
  entries=$((size / 12))
  listing=$("$katalog" wissen "$file") || fail "aerolern-katalog wissen $file failed"
  grep -q ": $entries Einträge, davon $entries offen$" <<<"$listing" ||
    fail "$file: expected \"$entries Einträge, davon $entries offen\", got: $(head -1 <<<"$listing")"
  local wrong
  wrong=$(awk 'NR > 2 && ($2 != 1 || $3 != 1 || ($4 != 0 && $4 != 1)) { print }' <<<"$listing")
  [[ -z $wrong ]] || fail "$file holds entries that are not open questions of licence 0 or 1: $wrong"
  local records
  records=$(awk 'NR > 2 { print $6 }' <<<"$listing" | sort)
  [[ $(wc -l <<<"$records") -eq $entries ]] || fail "$file: the listing has not $entries entries"
  [[ -z $(uniq -d <<<"$records") ]] || fail "$file names a question twice"
  echo "$records"
}

start_program

# --- The splash is the first window: borderless, so openbox gives it no frame.
for _ in $(seq 50); do
  splash=$(managed_windows | head -1)
  [[ -n $splash ]] && break
  sleep 0.1
done
[[ -n $splash ]] || { shot "kein-startbild"; fail "no splash window appeared"; }
wait_quiet "$splash" 0.5 || fail "the splash does not settle"
shot "startbild"
window_shot "$splash" startbild
check_placement "$splash" "splash"
[[ $(xprop -id "$splash" -notype _NET_FRAME_EXTENTS) == *"= 0, 0, 0, 0" ]] ||
  fail "openbox framed the splash: $(xprop -id "$splash" -notype _NET_FRAME_EXTENTS)"

# --- The category dialog appears after the five-second splash, with the input focus, so that a
# learner can answer it from the keyboard at once.
dialog=$(find_window '^Auswahl der zu lernenden Kategorien$' 20)
[[ -n $dialog ]] || { shot "no-dialog"; fail "the category dialog did not appear"; }
main=$(find_window 'Aerolern Version IV$' 5)
[[ -n $main ]] || fail "the main window is not shown"
wait_quiet "$dialog" 0.5 || fail "the category dialog does not settle"
shot "kategorien"
check_placement "$main" "main window"
check_placement "$dialog" "category dialog"
wait_active "$dialog" || fail "the category dialog did not get the input focus"

# Licence box at 24,16 (425x17), Meteorologie at 48,40 and Technik at 360,40 in client coordinates.
licence_box=17x17+24+16
area_boxes=330x17+48+40
licence_before=$(region "$dialog" "$licence_box")
areas_before=$(region "$dialog" "$area_boxes")
xdotool mousemove --window "$dialog" 32 24 click 1
wait_region_change "$dialog" "$licence_box" "$licence_before" >/dev/null ||
  fail "a click on the licence box did not tick it"
wait_region_change "$dialog" "$area_boxes" "$areas_before" >/dev/null ||
  fail "ticking the licence did not tick its subject areas"
shot "lizenz-gewaehlt"
window_shot "$dialog" kategorien

# "&Ok" is the default button: Return closes the dialog.
xdotool key Return
wait_window_gone '^Auswahl der zu lernenden Kategorien$' || fail "Return did not close the dialog"
wait_quiet "$main" 1.5 || fail "the main window does not settle after the category choice"
shot "lernmodus"
window_shot "$main" hauptfenster-lernmodus

# --- Vertiefungsmodus: the fourth entry of "Programm". Its "Lösung" button (8,296 + 19 of menu
# bar, 75x25) appears; in Lernmodus that place is empty.
loesung=75x25+8+315
loesung_before=$(region "$main" "$loesung")
choose_programm_entry 4
wait_region_change "$main" "$loesung" "$loesung_before" >/dev/null ||
  { shot "kein-vertiefungsmodus"; fail "the menu did not switch to Vertiefungsmodus (no Lösung button)"; }
wait_quiet "$main" 0.5 || fail "the main window does not settle in Vertiefungsmodus"
shot "vertiefungsmodus"
height_learning=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')

# First save: in Lernmodus a question without any correct answer closes by itself after a
# second (no ticks are its right answer), so some of those may be gone already; nothing else.
# The keys go to the window with the focus, which the menu left with the main window.
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 300 60 key ctrl+s
first=$(wait_saved Wissensstand-1.dat "") || fail "Ctrl+S did not save Wissensstand.dat"
records1=$(check_knowledge "$first") || exit 1
open1=$(wc -l <<<"$records1")
closed_early=$(comm -23 <(echo "$catalogue01") <(echo "$records1"))
[[ -z $(comm -23 <(echo "$records1") <(echo "$catalogue01")) ]] ||
  fail "the first save names questions outside licence 0 and 1"
not_self_closing=$(comm -23 <(echo "$closed_early" | sed '/^$/d') <(echo "$no_answer01"))
[[ -z $not_self_closing ]] ||
  fail "questions closed without Klar: $(tr '\n' ' ' <<<"$not_self_closing")"
echo "first save: $open1 of $licence01 questions open; closed by themselves (no correct answer):" \
  "$(tr '\n' ' ' <<<"${closed_early:-none}")"

# Answer boxes at 8,96+48*i (17x17) plus the menu bar: A at y 115, B at y 163.
answers=17x162+8+115
box_a=17x17+8+115
counter=134x16+360+387
auto_klar=17x17+8+387
# Untick "Automatisch Klar wenn Antwort richtig" so a right answer does not close the question.
before=$(region "$main" "$auto_klar")
xdotool mousemove --window "$main" 16 395 click 1
wait_region_change "$main" "$auto_klar" "$before" >/dev/null || fail "the Automatisch-Klar box did not toggle"

# Question 1: tick A, "Lösung" marks the wrong answers (greyed boxes), then "Unklar".
before=$(region "$main" "$box_a")
xdotool mousemove --window "$main" 16 123 click 1
wait_region_change "$main" "$box_a" "$before" >/dev/null || fail "a click on answer box A did not tick it"
before=$(region "$main" "$answers")
counter_before=$(region "$main" "$counter")
xdotool mousemove --window "$main" 45 327 click 1
wait_region_change "$main" "$answers" "$before" >/dev/null || fail "Lösung did not mark the answers"
shot "loesung"
before=$(region "$main" "$answers")
xdotool mousemove --window "$main" 45 359 click 1
wait_region_change "$main" "$answers" "$before" >/dev/null || fail "Unklar did not show the next question"
shot "unklar"
[[ $(region "$main" "$counter") == "$counter_before" ]] || fail "Unklar changed the counter of unclear questions"

# Question 2: tick B, "Lösung", then "Klar" closes it and the counter goes down.
before=$(region "$main" "$answers")
xdotool mousemove --window "$main" 16 171 click 1
wait_region_change "$main" "$answers" "$before" >/dev/null || fail "a click on answer box B did not tick it"
before=$(region "$main" "$answers")
xdotool mousemove --window "$main" 45 327 click 1
wait_region_change "$main" "$answers" "$before" >/dev/null || fail "Lösung did not mark the answers"
shot "loesung-2"
window_shot "$main" hauptfenster-vertiefungsmodus
xdotool mousemove --window "$main" 125 359 click 1
wait_region_change "$main" "$counter" "$counter_before" >/dev/null || fail "Klar did not change the counter"
shot "klar"

# Second save: exactly the question closed by Klar is gone.
inode1=$(stat -c %i "$work/Wissensstand.dat")
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 300 60 key ctrl+s
second=$(wait_saved Wissensstand-2.dat "$inode1") ||
  fail "the second Ctrl+S did not replace Wissensstand.dat"
records2=$(check_knowledge "$second") || exit 1
open2=$(wc -l <<<"$records2")
[[ $open2 -eq $((open1 - 1)) ]] || fail "after one Klar $open2 questions are open, expected $((open1 - 1))"
[[ -z $(comm -13 <(echo "$records1") <(echo "$records2")) ]] || fail "the second save names a new question"
echo "second save: $open2 open after one Klar ($(stat -c %s "$second") bytes)"

# --- Prüfungsmodus (sixth entry): the exam dialog, and after Ok the exam layout, which is 73
# pixels lower than the learning layout (372 instead of 445).
choose_programm_entry 6
# The title is matched around the "ü": FLTK stores the UTF-8 title also in WM_NAME, typed as
# Latin-1, and xdotool decodes it as Latin-1.
exam_dialog=$(find_window '^Kategoriewahl Pr.*fungsmodus$' 5)
[[ -n $exam_dialog ]] || { shot "kein-pruefungsdialog"; fail "the exam dialog did not appear"; }
wait_quiet "$exam_dialog" 0.5 || fail "the exam dialog does not settle"
shot "pruefung-kategorie"
window_shot "$exam_dialog" pruefungsdialog
check_placement "$exam_dialog" "exam dialog"
# Ok at 112,205 (57x25): its top is the dialog's outer height (255) minus 50.
xdotool mousemove --window "$exam_dialog" 140 217 click 1
wait_window_gone '^Kategoriewahl Pr.*fungsmodus$' || fail "Ok did not close the exam dialog"
wait_quiet "$main" 0.5 || fail "the exam window does not settle"
shot "pruefung"
window_shot "$main" hauptfenster-pruefung
height_exam=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
[[ $((height_learning - height_exam)) -eq 73 ]] ||
  fail "the exam window is $height_exam pixels high, the learning window $height_learning"

# --- F10 ends the program, with exit status 0.
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 300 60 key F10
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && { shot "nach-f10"; fail "the program did not end after F10"; }
wait "$app_pid"
status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "the program ended with status $status"
cmp -s "$work/Wissensstand.dat" "$second" || fail "ending the program changed Wissensstand.dat"

echo "PASS: aerolern under openbox on Xvfb: $open1 open after the category choice, $open2 after Klar;" \
  "exam dialog and exam window shown; F10 ended it with status 0 (screenshots in $out)"
