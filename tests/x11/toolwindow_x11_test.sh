#!/usr/bin/env bash
# X test of the tool windows under a window manager: runs toolkit-demo with openbox on a private
# Xvfb, opens the message box and the info window, checks that each is transient for the main
# window and out of the task list, closes each with the window manager's close (Alt+F4) and
# checks that the program goes on.
# Usage: toolwindow_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR   (exit 77: no X server could be started)
set -u
demo=${1:?usage: toolwindow_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR}
out=${2:?usage: toolwindow_x11_test.sh TOOLKIT_DEMO OUTPUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb.sh
source "$here/xvfb.sh"

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIP: Xvfb is not installed, so no X server can be started"
  exit 77
fi
for tool in openbox xdotool xprop import; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
if ! start_xvfb; then
  echo "SKIP: no X server could be started (Xvfb missing or failing)"
  exit 77
fi

mkdir -p "$out"
log=$out/toolwindow_x11.log
demo_pid="" wm_pid=""
cleanup() {
  [[ -n $demo_pid ]] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null
  [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  stop_xvfb
  remove_demo_tmp
}
trap cleanup EXIT
# shellcheck source=demo_support.sh
source "$here/demo_support.sh"

# Checks that a tool window names the main window as its owner and stays out of the task list.
check_hints() {
  local window=$1 what=$2 transient state
  transient=$(xprop -id "$window" WM_TRANSIENT_FOR)
  [[ $transient == *"window id # $(printf '0x%x' "$main")" ]] ||
    fail "$what is not transient for the main window ($(printf '0x%x' "$main")): $transient"
  state=$(xprop -id "$window" _NET_WM_STATE)
  [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* ]] || fail "$what is in the task list: $state"
}

# Closes a window as its close box does: openbox's Alt+F4 on the active window.
wm_close() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  xdotool key alt+F4
}

openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; then
  echo "FAIL: openbox did not start"
  exit 1
fi

# A desktop that cannot open links: a link of the info window then ends in the message box.
mkdir -p "$out/opener"
printf '#!/bin/sh\nexit 4\n' >"$out/opener/xdg-open"
chmod +x "$out/opener/xdg-open"
PATH="$out/opener:$PATH" "$demo" >"$log" 2>"$out/toolwindow_x11.err" &
demo_pid=$!
main=$(timeout 10 xdotool search --sync --name '^Aerolern Toolkit-Demo$' | head -1)
if [[ -z $main ]]; then
  echo "FAIL: the demo window did not appear"
  cat "$out/toolwindow_x11.err"
  exit 1
fi
wait_line "shown"
sleep 0.3

# The message box: closed by the window manager as by its time-out, with result 0.
click_control btnFrage
box=$(timeout 5 xdotool search --sync --onlyvisible --name '^Frage$' | head -1)
if [[ -n $box ]]; then
  sleep 0.3
  check_hints "$box" "the message box"
  import -window root "$out/toolwindow_x11_msgbox.png" 2>/dev/null
  wm_close "$box"
  wait_line "xmsgbox result=0"
else
  fail "the message box did not appear"
fi
# The program goes on: the main window still reacts.
click_control chkDemo1 6
wait_line "chkDemo1 checked=1"

# The info window: closed by the window manager as by its OkiDoki button.
click_control btnInfo
info=$(timeout 5 xdotool search --sync --onlyvisible --name ' - Info$' | head -1)
if [[ -n $info ]]; then
  sleep 0.3
  check_hints "$info" "the info window"
  import -window root "$out/toolwindow_x11_info.png" 2>/dev/null
  # The message box over the info window belongs to the main window too.
  click_in "$info" 0 frmInfo.txtInfoText03
  error=$(timeout 5 xdotool search --sync --onlyvisible --name '^Fehler beim' | head -1)
  if [[ -n $error ]]; then
    sleep 0.3
    check_hints "$error" "the message box over the info window"
    wm_close "$error"
    sleep 0.5
    [[ -z $(xdotool search --onlyvisible --name '^Fehler beim') ]] || fail "the message box stays"
  else
    fail "the message box for the link did not appear"
  fi
  wm_close "$info"
  wait_line "info closed"
  sleep 0.3
  [[ -z $(xdotool search --onlyvisible --name ' - Info$') ]] ||
    fail "the info window is still shown"
else
  fail "the info window did not appear"
fi
click_control chkDemo1 6
wait_line "chkDemo1 checked=0"
# And it opens once more.
click_control btnInfo
timeout 5 xdotool search --sync --onlyvisible --name ' - Info$' >/dev/null ||
  fail "the info window did not open a second time"

if [[ -s $out/toolwindow_x11.err ]]; then
  echo "demo standard error:"
  cat "$out/toolwindow_x11.err"
fi
if [[ $failures -gt 0 ]]; then
  echo "demo output:"
  cat "$log"
  exit 1
fi
echo "PASS: tool windows under openbox (screenshots in $out)"
