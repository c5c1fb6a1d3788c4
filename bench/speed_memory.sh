#!/usr/bin/env bash
# Measures the trainer's start-up, peak memory, sketch opening and idle splash against baselines.
#
# Usage: bench/speed_memory.sh [BUILD_FOLDER]   (default: build; a Release build gives the
# figures that count). Starts and ends its own Xvfb. Needs xdotool, djpeg (libjpeg-turbo-progs)
# and the helpers built from bench/ (minimal_fltk, first_map, sketch_open).
#
# Everything is measured in this one run, so that each ratio compares figures taken on the same
# machine under the same load:
# 1. start-up: from starting the program to its 640x480 window being mapped, the trainer's
#    splash against a minimal FLTK program's window; medians of several runs each.
# 2. peak memory (VmHWM): the trainer showing the largest sketch against the minimal program
#    showing its window.
# 3. opening the largest sketch (decode, show, drawn) against djpeg decoding the same file.
# 4. processor time the trainer uses while its splash waits, against the wall time.
set -uo pipefail
# The programs run in a UTF-8 locale, as on a learner's desktop, whatever the caller has: the
# locale decides how much Xlib sets up for keyboard input when a program opens the display
# (under plain C it skips the UTF-8 compose table), which moves both start-up times by several
# milliseconds. LC_NUMERIC=C keeps the decimal point that awk and sort read here.
unset LC_ALL LC_CTYPE
export LANG=C.UTF-8 LC_NUMERIC=C

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
build=$(cd "$build" 2>/dev/null && pwd) || { echo "no build folder: ${1:-build}" >&2; exit 2; }

trainer=$build/run/aerolern
katalog=$build/tools/aerolern-katalog
minimal=$build/bench/minimal_fltk
first_map=$build/bench/first_map
sketch_open=$build/bench/sketch_open
for program in "$trainer" "$katalog" "$minimal" "$first_map" "$sketch_open"; do
  [[ -x $program ]] || { echo "missing $program: build the project first" >&2; exit 2; }
done
for tool in Xvfb xdpyinfo xdotool djpeg; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "missing $tool (scripts/deps.sh installs it)" >&2; exit 2; }
done

# Runs per program for the start-up median; openings and djpeg runs for the sketch medians;
# splashes whose processor time is taken (each takes five seconds).
startup_runs=5
sketch_runs=50
splash_runs=3
# The splash stays 5 s from being shown; the processor time is taken over most of it.
splash_sample_s=4.5

# shellcheck source=SCRIPTDIR/../tests/x11/xvfb.sh
source "$here/../tests/x11/xvfb.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/aerolern-speed-XXXXXX")
MAP_PID=""
WATCH_PID=""
cleanup() {
  [[ -n $MAP_PID ]] && kill "$MAP_PID" 2>/dev/null
  [[ -n $WATCH_PID ]] && wait "$WATCH_PID" 2>/dev/null
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb || { echo "no X server could be started" >&2; exit 1; }

# --- small helpers ------------------------------------------------------------------------------

# Milliseconds between two readings of $EPOCHREALTIME, bash's own clock: reading it starts no
# process, so nothing but the work in between is timed.
ms_between() { awk "BEGIN { printf \"%.3f\", (${2/,/.} - ${1/,/.}) * 1000 }"; }

# The median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "nan"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# calc EXPRESSION: floating point arithmetic, printed with the given format (default %.2f).
calc() { awk "BEGIN { printf \"${2:-%.2f}\", $1 }"; }

# Processor time (user and system) of a process and its threads so far, in milliseconds:
# the scheduler's nanosecond count where the kernel keeps it, else the 10 ms clock ticks of stat
# (utime and stime, fields 14 and 15, counted after the command name, which may hold spaces).
cpu_ms() {
  local pid=$1 total=0 task run rest
  if [[ -r /proc/$pid/schedstat ]]; then
    for task in /proc/"$pid"/task/*; do
      read -r run rest <"$task/schedstat" 2>/dev/null || continue
      total=$((total + run))
    done
    calc "$total / 1e6" "%.3f"
  else
    awk -v tick="$(getconf CLK_TCK)" \
      '{ sub(/.*\) /, ""); printf "%.3f", ($12 + $13) * 1000 / tick }' "/proc/$pid/stat"
  fi
}

# Peak resident memory (VmHWM) of a process in kB.
peak_kb() { awk '$1 == "VmHWM:" { print $2 }' "/proc/$1/status"; }

# The watchers report through a pipe that stays open the whole run, so that waiting for a report
# is one blocking read rather than a polling loop that would take processor time from the start.
mkfifo "$work/reports"
exec 3<>"$work/reports"

# Starts PROGRAM under first_map in the current folder and waits until its 640x480 window is
# mapped. Sets MAP_PID (the program), MAP_MS (start to mapped) and WATCH_PID (the watcher).
start_and_wait_for_map() {
  local line="" word pid ms
  "$first_map" 640 480 "$@" >&3 2>>"$work/programs.err" &
  WATCH_PID=$!
  # The watcher itself gives up after 30 s and reports so.
  read -r -t 40 -u 3 line
  read -r word pid ms <<<"$line"
  if [[ $word != mapped ]]; then
    echo "no 640x480 window from $1 (${line:-no report})" >&2
    return 1
  fi
  MAP_PID=$pid
  MAP_MS=$ms
}

# Ends the program started by start_and_wait_for_map; its watcher ends with it.
end_program() {
  kill "$MAP_PID" 2>/dev/null
  wait "$WATCH_PID" 2>/dev/null
  MAP_PID=""
  WATCH_PID=""
}

# --- the folders the trainer runs in ------------------------------------------------------------

# The trainer finds settings and pictures beside itself and the catalogue in its working folder.
# For start-up it gets the demo catalogue, as in the run folder, but in a folder of its own so
# that nothing it might write lands in the build.
start_dir=$work/start
mkdir -p "$start_dir"
cp "$build/run/Aerolern.dat" "$start_dir/"

# The largest sketch by pixel count, and a catalogue of one question that shows it.
read -r sketch_key sketch_w sketch_h < <("$sketch_open" largest "$build/run/assets/sketches")
[[ -n ${sketch_key:-} ]] || { echo "no sketch found in $build/run/assets/sketches" >&2; exit 1; }
sketch_file=$build/run/assets/sketches/$sketch_key.jpg
category=${sketch_key%_*}
licence=${category:0:1}
area=${category:1}
number=${sketch_key#*_}
sketch_dir=$work/sketch
mkdir -p "$sketch_dir"
{
  echo "Nr;Lizenz;Bereich;Skizze;Richtig;Frage;Antwort A;Antwort B;Antwort C;Antwort D;Aktiv"
  echo "0;$licence;$area;$number;A;Frage mit Skizze;a;b;c;d;1"
} >"$work/sketch.csv"
"$katalog" import "$work/sketch.csv" -o "$sketch_dir/Aerolern.dat" >/dev/null ||
  { echo "the one-question catalogue could not be built" >&2; exit 1; }

echo "Build: $build"
echo "Largest sketch: $sketch_key (${sketch_w}x$sketch_h)"
echo

# --- 1: start-up to the window -------------------------------------------------------------------

# One unmeasured start of each first, so that every measured start finds the files in the cache.
cd "$start_dir" || exit 1
start_and_wait_for_map "$minimal" && end_program
start_and_wait_for_map "$trainer" && end_program

# The starts follow each other without pause: after seconds of idling the first process to run
# is slowed down by the processor waking up, which would fall on whichever program came next.
minimal_starts=()
trainer_starts=()
for _ in $(seq "$startup_runs"); do
  # Taken in turns, so that a passing load on the machine falls on both alike.
  start_and_wait_for_map "$minimal" || exit 1
  minimal_starts+=("$MAP_MS")
  end_program
  start_and_wait_for_map "$trainer" || exit 1
  trainer_starts+=("$MAP_MS")
  end_program
done
minimal_start=$(printf '%s\n' "${minimal_starts[@]}" | median)
trainer_start=$(printf '%s\n' "${trainer_starts[@]}" | median)
echo "start-up to window mapped, median of $startup_runs:" \
  "trainer splash $(calc "$trainer_start") ms (runs: ${trainer_starts[*]})," \
  "minimal FLTK window $(calc "$minimal_start") ms (runs: ${minimal_starts[*]})"

# --- 4: processor time during the splash ---------------------------------------------------------

splash_cpu=()
for _ in $(seq "$splash_runs"); do
  start_and_wait_for_map "$trainer" || exit 1
  # The splash is up: from here to shortly before it closes the trainer only waits.
  wall_before=$EPOCHREALTIME
  cpu_before=$(cpu_ms "$MAP_PID")
  sleep "$splash_sample_s"
  wall_after=$EPOCHREALTIME
  cpu_after=$(cpu_ms "$MAP_PID")
  wall_ms=$(ms_between "$wall_before" "$wall_after")
  splash_cpu+=("$(calc "($cpu_after - $cpu_before) * 100 / $wall_ms" "%.3f")")
  end_program
done
splash_cpu_median=$(printf '%s\n' "${splash_cpu[@]}" | median)
echo "processor time during ${splash_sample_s} s of splash, median of $splash_runs:" \
  "$(calc "$splash_cpu_median" "%.3f") % (runs: ${splash_cpu[*]})"

# --- 2: peak memory with the largest sketch on display ------------------------------------------

start_and_wait_for_map "$minimal" || exit 1
# A moment for the first drawing, which may still take memory after the map.
sleep 0.5
minimal_kb=$(peak_kb "$MAP_PID")
end_program

cd "$sketch_dir" || exit 1
start_and_wait_for_map "$trainer" || exit 1
trainer_pid=$MAP_PID
trainer_kb=""
# The category dialog follows the splash; the licence box of the sketch's licence is ticked
# (its box lies at 24,16 + 48 per licence in the dialog) and Ok pressed with Enter. In learning
# mode the solution button is hidden, so Alt+L is the sketch button's access key.
dialog_name='^Auswahl der zu lernenden Kategorien$'
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "$dialog_name" | head -1)
if [[ -n $dialog ]]; then
  sleep 0.3
  xdotool mousemove --window "$dialog" 30 $((16 + 48 * (licence - 1) + 8)) click 1
  sleep 0.2
  xdotool key Return
  main=$(timeout 10 xdotool search --sync --onlyvisible --name 'Aerolern Version' | head -1)
  if [[ -n $main ]]; then
    sleep 0.3
    xdotool windowfocus --sync "$main" 2>/dev/null
    xdotool key alt+l
    sketch_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Skizzen$' | head -1)
    if [[ -n $sketch_window ]]; then
      # The window is mapped; the picture is drawn right after.
      sleep 0.5
      trainer_kb=$(peak_kb "$trainer_pid")
      eval "$(xdotool getwindowgeometry --shell "$sketch_window")"
      echo "sketch window ${WIDTH:-?}x${HEIGHT:-?} for the ${sketch_w}x$sketch_h sketch"
    fi
  fi
fi
end_program
cd "$work" || exit 1
if [[ -z $trainer_kb ]]; then
  echo "peak memory: the trainer did not show the sketch window (see $work/programs.err)" >&2
  cat "$work/programs.err" >&2
  exit 1
fi

# --- 3: opening the largest sketch against djpeg ------------------------------------------------

sketch_times=$("$sketch_open" time "$sketch_file" "$sketch_runs") ||
  { echo "sketch_open failed" >&2; exit 1; }
open_ms=$(awk '$1 == "open_ms" { print $2 }' <<<"$sketch_times")
decode_ms=$(awk '$1 == "decode_ms" { print $2 }' <<<"$sketch_times")
first_open_ms=$(awk '$1 == "first_open_ms" { print $2 }' <<<"$sketch_times")
# djpeg is timed as a command, process start and end included: that is what decoding a file
# with it costs. Its time for a tiny picture shows how much of that is the process alone.
# djpeg_median FILE: the median of sketch_runs runs on FILE, in ms.
djpeg_median() {
  local before after times=()
  djpeg -outfile /dev/null "$1"
  for _ in $(seq "$sketch_runs"); do
    before=$EPOCHREALTIME
    djpeg -outfile /dev/null "$1"
    after=$EPOCHREALTIME
    times+=("$(ms_between "$before" "$after")")
  done
  printf '%s\n' "${times[@]}" | median
}
djpeg_ms=$(djpeg_median "$sketch_file")
djpeg_tiny_ms=$(djpeg_median "$build/run/assets/icons/application.jpg")
echo "opening the $sketch_key sketch, median of $sketch_runs:" \
  "decode and show $(calc "$open_ms" "%.3f") ms" \
  "(first opening $(calc "$first_open_ms" "%.1f") ms)," \
  "decode alone $(calc "$decode_ms" "%.3f") ms;" \
  "djpeg -outfile /dev/null $(calc "$djpeg_ms" "%.3f") ms" \
  "(on a 32x32 icon, nearly all process start: $(calc "$djpeg_tiny_ms" "%.3f") ms)"

# --- the figures --------------------------------------------------------------------------------

echo
echo "ratio startup to splash / minimal FLTK window:" \
  "$(calc "$trainer_start / $minimal_start") (goal <= 2)"
# kB as /proc counts them (1024 bytes); MB are 1024 of them.
echo "peak memory trainer: $(calc "$trainer_kb / 1024" "%.1f") MB," \
  "minimal: $(calc "$minimal_kb / 1024" "%.1f") MB," \
  "difference $(calc "($trainer_kb - $minimal_kb) / 1024" "%.1f") MB (goal <= 15 MB more)"
echo "ratio sketch open (decode and show) / djpeg: $(calc "$open_ms / $djpeg_ms") (goal <= 1.5)"
echo "ratio processor time / wall time during the splash:" \
  "$(calc "$splash_cpu_median" "%.2f") % (goal <= 2 %)"
