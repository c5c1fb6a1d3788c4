# shellcheck shell=bash disable=SC2154 # run_dir, out and main come from the sourcing script
# Shared by the end-to-end scripts: the program's run folder copied to a fresh working folder, a
# private Xvfb with openbox as the window manager, and the means to find, shoot and watch the
# program's windows. Sourced; the script sets run_dir (the build's run folder) and out (where
# screenshots and logs are kept) and calls start_session first.

# shellcheck source-path=SCRIPTDIR source=../x11/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../x11/xvfb.sh"
# shellcheck source-path=SCRIPTDIR source=../x11/openbox.sh
source "$(dirname "${BASH_SOURCE[0]}")/../x11/openbox.sh"

work=""
app_pid=""

cleanup() {
  if [[ -n $app_pid ]]; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
  stop_openbox
  stop_xvfb
  [[ -n $work ]] && rm -rf "$work"
}

# Ends the test; on standard error, so that it also shows from inside a command substitution
# (whose caller then stops with "|| exit 1").
fail() {
  {
    echo "FAIL: $*"
    echo "screenshots and logs: $out"
    if [[ -s $out/aerolern.err ]]; then
      echo "program standard error:"
      cat "$out/aerolern.err"
    fi
  } >&2
  exit 1
}

# Checks the tools and the run folder, starts Xvfb and openbox and fills a fresh working folder
# (exit 77 when no X server can be started). The whole run folder is copied, program included:
# the settings file and the pictures are found beside the program, the catalogue and the help
# page in the working folder. A knowledge file left there by a manual run is removed.
start_session() {
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed, so no X server can be started"
    exit 77
  fi
  # With an X server at hand, a missing tool is a fault of the machine, not a reason to skip.
  local tool file
  for tool in xdotool xdpyinfo xprop xwininfo import convert openbox; do
    command -v "$tool" >/dev/null 2>&1 ||
      { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
  done
  for file in aerolern aerolern.ini Aerolern.dat Hilfe.htm assets; do
    [[ -e $run_dir/$file ]] || { echo "FAIL: $run_dir/$file is missing (build first)"; exit 1; }
  done
  if ! start_xvfb; then
    echo "SKIP: no X server could be started (Xvfb missing or failing)"
    exit 77
  fi
  mkdir -p "$out"
  work=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-e2e.XXXXXX")
  trap cleanup EXIT
  start_openbox "$work/openbox" ||
    fail "openbox did not start on the private display: $(cat "$work/openbox/openbox.log")"
  cp -r "$run_dir"/. "$work"/
  rm -f "$work/Wissensstand.dat" "$work/Wissensstand.dat.neu"
  # A knowledge folder configured for manual runs would send the saved file elsewhere.
  LC_ALL=C sed -i 's/^KnowledgeLevelLocation=.*/KnowledgeLevelLocation=/' "$work/aerolern.ini"
}

# Starts the program in the working folder; its output goes to OUTPUT_DIR.
start_program() {
  cd "$work" || fail "no working folder"
  "$work/aerolern" >"$out/aerolern.log" 2>"$out/aerolern.err" &
  app_pid=$!
}

step=0
# Keeps a screenshot of the whole screen for the step.
shot() {
  step=$((step + 1))
  import -window root "$(printf '%s/step-%02d-%s.png' "$out" "$step" "$1")" 2>/dev/null ||
    fail "no screenshot of step $1"
}

# Keeps a screenshot of one window with the frame openbox gives it, as fenster-NAME.png.
window_shot() {
  framed_shot "$1" "$out/fenster-$2.png" || fail "no screenshot of the window $2"
}

# The window must sit where the program placed it: openbox keeps a position the program gives
# as user-specified, so a window elsewhere was not placed by the program, or placed too late.
check_placement() {
  local window=$1 what=$2 hint at
  hint=$(xprop -id "$window" WM_NORMAL_HINTS 2>/dev/null | sed -n 's/.*user specified location: //p')
  [[ -n $hint ]] || fail "the program gives the $what no position of its own"
  at=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } END { print x ", " y }')
  [[ $at == "$hint" ]] || fail "the $what is at $at under openbox, the program placed it at $hint"
}

# Waits up to three seconds until the window has the input focus (the window manager's active
# window).
wait_active() {
  for _ in $(seq 30); do
    [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

# The pixel hash of a rectangle of a window (window-relative), or of the whole window. One
# process and raw pixels: fast enough to watch a window within its one-second pauses.
region() {
  local window=$1 geometry=${2:-} pixels
  pixels=$(import -window "$window" ${geometry:+-crop "$geometry"} rgb:- 2>/dev/null | md5sum) ||
    return 1
  # Nothing captured (the window is gone) is no hash.
  [[ $pixels == d41d8cd98f00b204e9800998ecf8427e* ]] && return 1
  echo "${pixels%% *}"
}

# Waits up to five seconds until the rectangle differs from the hash OLD; prints the new hash.
wait_region_change() {
  local window=$1 geometry=$2 old=$3 now
  for _ in $(seq 25); do
    now=$(region "$window" "$geometry")
    [[ -n $now && $now != "$old" ]] && { echo "$now"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits until the window has not changed for QUIET seconds (at most 15 s). The program blocks
# all input during its one-second pauses (a question closing by itself); input sent then is lost.
wait_quiet() {
  local window=$1 quiet=$2 last="" now since
  since=$(date +%s.%N)
  local deadline=$(($(date +%s) + 15))
  while [[ $(date +%s) -lt $deadline ]]; do
    now=$(region "$window")
    if [[ $now != "$last" ]]; then
      last=$now
      since=$(date +%s.%N)
    elif awk -v a="$since" -v b="$(date +%s.%N)" -v q="$quiet" 'BEGIN { exit !(b - a >= q) }'; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# The first visible window whose name matches, waiting up to SECONDS for it.
find_window() {
  local id
  for _ in $(seq $(($2 * 10))); do
    id=$(x_search --onlyvisible --name "$1" | head -1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

wait_window_gone() {
  local ids
  for _ in $(seq 50); do
    ids=$(x_search --onlyvisible --name "$1") && [[ -z $ids ]] && return 0
    sleep 0.1
  done
  return 1
}

# The visible windows, openbox's frames included, one id a line, sorted as comm wants.
visible_windows() { x_search --onlyvisible --name '' | sort; }

# The top-level windows openbox manages, one id a line (menus and other override-redirect
# windows are not among them).
managed_windows() {
  xprop -root -notype _NET_CLIENT_LIST 2>/dev/null | sed -n 's/.*# //p' | tr ',' '\n' |
    while read -r id; do [[ -n $id ]] && printf '%d\n' "$id"; done
}

# Opens the "Programm" menu of the main window $main with a click on its title and picks the
# DOWN-th entry with the arrow keys (separators are skipped), once the drop-down window is there.
# Keeps a screenshot of the drop-down as fenster-menue-programm.png.
choose_programm_entry() {
  local down=$1 before menu="" keys=() id
  before=$(visible_windows)
  xdotool mousemove --window "$main" 34 9 click 1
  # FLTK shows the highlighted title in a small window of its own above the drop-down list; the
  # list is the new window more than two entries high.
  for _ in $(seq 30); do
    for id in $(comm -13 <(echo "$before") <(visible_windows)); do
      [[ $(xwininfo -id "$id" 2>/dev/null | awk '/Height:/ { print $NF }') -gt 60 ]] && menu=$id
    done
    [[ -n $menu ]] && break
    sleep 0.1
  done
  [[ -n $menu ]] || fail "the Programm menu did not drop down"
  shot "menu"
  window_shot "$menu" menue-programm
  for _ in $(seq "$down"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}
