# What the X tests of toolkit-demo share, sourced after $log (the demo's output) is set: counting
# failures, waiting for a line of the demo, clicking a control it laid out, and a temporary
# folder for the demo's files that goes with the test.

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Waits up to five seconds until the demo has printed the line (exactly) COUNT times.
wait_line() {
  local line=$1 count=${2:-1}
  for _ in $(seq 50); do
    [[ $(grep -cxF -- "$line" "$log") -ge $count ]] && return 0
    sleep 0.1
  done
  fail "the demo did not report \"$line\" (x$count)"
  return 1
}

# Clicks the middle of a control whose "at NAME X Y W H" line the demo printed (client-area
# coordinates), or the point DX pixels from its left edge when DX is given. click_control
# clicks in the main window $main, below its menu bar; click_in clicks in another window.
MENU_BAR=19
click_in() {
  local window=$1 offset=$2 name=$3 dx=${4:-}
  local x y w h
  read -r x y w h < <(awk -v n="$name" '$1 == "at" && $2 == n { print $3, $4, $5, $6 }' "$log")
  [[ -n $x ]] || { fail "no layout line for $name"; return 1; }
  xdotool mousemove --window "$window" $((x + ${dx:-$((w / 2))})) $((y + offset + h / 2)) click 1
}
click_control() { click_in "$main" "$MENU_BAR" "$@"; }

# The demo writes its picture into the temporary folder; a test may kill it before it removes
# the picture, so the folder is the test's own and goes in remove_demo_tmp.
demo_tmp=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-x11-test.XXXXXX")
export TMPDIR=$demo_tmp
remove_demo_tmp() { rm -rf "$demo_tmp"; }
