#!/usr/bin/env bash
# X test of the FLTK backend: runs toolkit-demo under Xvfb, clicks, types and chooses as a user
# would, and checks the state changes the demo reports and that it ends when asked.
# Usage: demo_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR   (exit 77: no X server could be started)
set -u
demo=${1:?usage: demo_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR}
out=${2:?usage: demo_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb.sh
source "$here/xvfb.sh"

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIP: Xvfb is not installed, so no X server can be started"
  exit 77
fi
# With an X server at hand, a missing driving tool is a fault of the machine, not a reason to skip.
for tool in xdotool xdpyinfo import; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
if ! start_xvfb; then
  echo "SKIP: no X server could be started (Xvfb missing or failing)"
  exit 77
fi

mkdir -p "$out"
log=$out/demo_x11.log
demo_pid=""
cleanup() {
  [[ -n $demo_pid ]] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null
  stop_xvfb
  remove_demo_tmp
}
trap cleanup EXIT
# shellcheck source=demo_support.sh
source "$here/demo_support.sh"

"$demo" >"$log" 2>"$out/demo_x11.err" &
demo_pid=$!
main=$(timeout 10 xdotool search --sync --name '^Aerolern Toolkit-Demo$' | head -1)
if [[ -z $main ]]; then
  echo "FAIL: the demo window did not appear"
  cat "$out/demo_x11.err"
  exit 1
fi
wait_line "shown"

# A click on a check box toggles it once (FLTK's own toggle must not add a second one).
click_control chkDemo1 6
wait_line "chkDemo1 checked=1"
click_control chkDemo1 6
wait_line "chkDemo1 checked=0"
[[ $(grep -c '^chkDemo1 ' "$log") -eq 2 ]] || fail "chkDemo1 reported $(grep -c '^chkDemo1 ' "$log") changes for 2 clicks"

# Radio buttons inside the group box: their positions are relative to the group.
click_control optB 6
wait_line "optB checked=1"

# Typing goes through the model's input: each character once, Backspace deletes.
click_control edtName
xdotool type --delay 80 "Ab"
wait_line "edtName text=A"
wait_line "edtName text=Ab"
xdotool key BackSpace
wait_line "edtName text=A" 2

# Menu shortcuts come from the model, a hidden entry's included.
xdotool key ctrl+s
wait_line "mnuSpeichern click"
xdotool key ctrl+h
wait_line "mnuVersteckt click"

# Alt and a menu's access letter drop the menu down; the keys choose in it. The second entry
# shown is the checked "Gitter anzeigen" (the hidden one is skipped).
xdotool key alt+d
sleep 0.3
import -window root "$out/demo_x11_menu.png" 2>/dev/null
xdotool key Down Down Return
wait_line "mnuGitter checked=0"

# The standard message dialog is a modal window of its own; Enter closes it.
click_control btnMeldung
dialog=$(timeout 5 xdotool search --sync --name '^Toolkit-Demo$' | head -1)
[[ -n $dialog ]] || fail "the message dialog did not appear"
sleep 0.3
import -window root "$out/demo_x11_message.png" 2>/dev/null
xdotool key Return
wait_line "message closed"

# A message box with two run-time buttons; Escape presses its cancel button (number 2).
click_control btnFrage
question=$(timeout 5 xdotool search --sync --name '^Frage$' | head -1)
[[ -n $question ]] || fail "the message box did not appear"
sleep 0.3
import -window root "$out/demo_x11_question.png" 2>/dev/null
xdotool key Escape
wait_line "xmsgbox result=2"

sleep 0.3
import -window root "$out/demo_x11.png" || fail "no screenshot"

# Escape presses the demo's cancel button, which closes the main window and ends the program.
xdotool mousemove --window "$main" 5 60
xdotool key Escape
wait_line "btnSchliessen click"
wait_line "closed"
for _ in $(seq 50); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$demo_pid" 2>/dev/null; then
  fail "the demo did not end after closing its window"
else
  wait "$demo_pid"
  status=$?
  demo_pid=""
  [[ $status -eq 0 ]] || fail "the demo ended with status $status"
fi

if [[ -s $out/demo_x11.err ]]; then
  echo "demo standard error:"
  cat "$out/demo_x11.err"
fi
if [[ $failures -gt 0 ]]; then
  echo "demo output:"
  cat "$log"
  exit 1
fi
echo "PASS: demo under Xvfb ($(grep -vc '^at ' "$log") state lines checked, screenshot $out/demo_x11.png)"
