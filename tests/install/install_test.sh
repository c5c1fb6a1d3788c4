#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout, and runs the installed launcher
# under openbox on a private Xvfb: first start fills the learner's data folder, later starts keep
# the learner's catalogue.
# Usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR   (exit 77: no X server could be started)
set -u
usage="usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR"
cmake=${1:?$usage}
build=${2:?$usage}
source_dir=${3:?$usage}
out=${4:?$usage}
# shellcheck source=../x11/xvfb.sh
source "$source_dir/tests/x11/xvfb.sh"
# shellcheck source=../x11/openbox.sh
source "$source_dir/tests/x11/openbox.sh"

mkdir -p "$out"
tmp=$(mktemp -d)
app_pid=""
cleanup() {
  if [[ -n $app_pid ]]; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
  stop_openbox
  stop_xvfb
  rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
  fi
}

for tool in cmp sha256sum stat identify desktop-file-validate; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done

# --- Install ---------------------------------------------------------------------------------
prefix=$tmp/prefix
if ! "$cmake" --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1; then
  cat "$out/install.log"
  echo "FAIL: cmake --install failed"
  exit 1
fi

# --- Layout ----------------------------------------------------------------------------------
# Exactly these files and no others: a forgotten file breaks the program, a stray one (a test or
# the toolkit demo) does not belong on a learner's machine.
expected=$tmp/expected.txt
{
  printf '%s\n' bin/aerolern bin/aerolern-katalog lib/aerolern/aerolern \
    lib/aerolern/aerolern.ini share/aerolern/Aerolern.dat share/aerolern/Hilfe.htm \
    share/applications/example.talwinder_flugschule.aerolern.desktop \
    share/metainfo/example.talwinder_flugschule.aerolern.metainfo.xml \
    share/man/man1/aerolern.1.gz share/man/man1/aerolern-katalog.1.gz share/man/de/man1/aerolern.1.gz \
    share/man/de/man1/aerolern-katalog.1.gz share/icons/hicolor/64x64/apps/aerolern.png \
    share/icons/hicolor/128x128/apps/aerolern.png
  (cd "$source_dir" && find assets -type f | sed 's|^|lib/aerolern/|')
} | LC_ALL=C sort >"$expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/installed.txt"
if ! diff -u "$expected" "$tmp/installed.txt" >"$tmp/layout.diff"; then
  fail "the installed files differ from the expected layout (- missing, + unexpected):"
  grep '^[-+][^-+]' "$tmp/layout.diff"
fi

for program in bin/aerolern bin/aerolern-katalog lib/aerolern/aerolern; do
  [[ -f $prefix/$program && -x $prefix/$program ]] || fail "$program is not an executable file"
done
# The program reads these beside itself and in the working folder; they must be the build's own.
cmp -s "$source_dir/data/aerolern.ini" "$prefix/lib/aerolern/aerolern.ini" ||
  fail "lib/aerolern/aerolern.ini is not data/aerolern.ini"
diff -r "$source_dir/assets" "$prefix/lib/aerolern/assets" >/dev/null ||
  fail "lib/aerolern/assets differs from assets/"
cmp -s "$build/run/Aerolern.dat" "$prefix/share/aerolern/Aerolern.dat" ||
  fail "share/aerolern/Aerolern.dat is not the demo catalogue the build made"
cmp -s "$source_dir/data/Hilfe.htm" "$prefix/share/aerolern/Hilfe.htm" ||
  fail "share/aerolern/Hilfe.htm is not data/Hilfe.htm"
# A launcher that names the prefix stops working when the install is moved.
if grep -qF "$prefix" "$prefix/bin/aerolern" 2>/dev/null; then
  fail "the launcher names the install prefix $prefix instead of finding it itself"
fi

desktop=$prefix/share/applications/example.talwinder_flugschule.aerolern.desktop
if [[ -f $desktop ]]; then
  desktop-file-validate "$desktop" >"$tmp/validate.log" 2>&1 ||
    { fail "desktop-file-validate rejects the desktop entry:"; cat "$tmp/validate.log"; }
  for line in '[Desktop Entry]' 'Type=Application' 'Name=Aerolern' \
    'GenericName[de]=Theorietrainer Gleitschirm' 'Exec=aerolern' 'Icon=aerolern' \
    'Terminal=false' 'Categories=Education;'; do
    grep -qxF -- "$line" "$desktop" || fail "the desktop entry lacks the line $line"
  done
  grep -q '^Comment=..' "$desktop" || fail "the desktop entry has no Comment"
fi
for size in 64 128; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/aerolern.png
  [[ -f $icon ]] || continue
  got=$(identify -format '%m %w %h' "$icon" 2>/dev/null)
  [[ $got == "PNG $size $size" ]] || fail "${size}x${size} icon is \"$got\", not a ${size}x${size} PNG"
done

# --- Catalogue tool --------------------------------------------------------------------------
katalog=$prefix/bin/aerolern-katalog
if ! "$katalog" check "$prefix/share/aerolern/Aerolern.dat" >"$out/katalog_check.log" 2>&1; then
  fail "the installed aerolern-katalog rejects the installed catalogue:"
  cat "$out/katalog_check.log"
fi
# A learner's catalogue that differs from the demo one but is still valid: the first question
# switched off, as the editor would leave it.
own_catalogue=$tmp/own.dat
if "$katalog" export "$prefix/share/aerolern/Aerolern.dat" -o "$tmp/own.csv" >/dev/null 2>&1 &&
  sed -i '2s/;1\(\r\?\)$/;0\1/' "$tmp/own.csv" &&
  "$katalog" import "$tmp/own.csv" -o "$own_catalogue" >/dev/null 2>&1 &&
  "$katalog" check "$own_catalogue" >/dev/null 2>&1; then
  if cmp -s "$own_catalogue" "$prefix/share/aerolern/Aerolern.dat"; then
    fail "the changed catalogue came out equal to the demo catalogue"
  fi
else
  fail "the installed aerolern-katalog could not export, import and check a changed catalogue"
fi
finish

# --- The launcher under X --------------------------------------------------------------------
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIP: Xvfb is not installed, so no X server can be started (the layout checks passed)"
  exit 77
fi
# With an X server at hand, a missing driving tool is a fault of the machine, not a reason to skip.
for tool in xdotool xdpyinfo xprop xwininfo import convert openbox; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
if ! start_xvfb; then
  echo "SKIP: no X server could be started (the layout checks passed)"
  exit 77
fi
if ! start_openbox "$tmp/openbox"; then
  echo "FAIL: openbox did not start on the private display:"
  cat "$tmp/openbox/openbox.log"
  exit 1
fi

# The main window comes after the five-second splash; its title ends in the version.
MAIN_TITLE='Aerolern Version IV$'
run_name=""

# Starts the launcher LAUNCHER with the environment changes given to env(1). env and the
# launcher exec in turn, so app_pid ends up being the program itself.
start_launcher() {
  run_name=$1
  local launcher=$2
  shift 2
  env "$@" "$launcher" >"$out/$run_name.out" 2>"$out/$run_name.err" &
  app_pid=$!
}

# Waits up to 20 seconds for the main window; fails at once when the program ended instead.
wait_main_window() {
  for _ in $(seq 200); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid"
      local status=$?
      app_pid=""
      fail "$run_name: the launcher ended with status $status before the main window appeared"
      sed 's/^/  stderr: /' "$out/$run_name.err"
      return 1
    fi
    [[ -n $(x_search --name "$MAIN_TITLE") ]] && return 0
    sleep 0.1
  done
  fail "$run_name: the main window did not appear within 20 seconds"
  sed 's/^/  stderr: /' "$out/$run_name.err"
  return 1
}

# The launcher must have become the installed program, running in the data folder.
check_process() {
  local program=$1 folder=$2
  local exe cwd
  exe=$(readlink "/proc/$app_pid/exe")
  cwd=$(readlink "/proc/$app_pid/cwd")
  [[ $exe == "$(readlink -f "$program")" ]] ||
    fail "$run_name: the started process is $exe, not $program (no exec?)"
  [[ $cwd == "$(readlink -f "$folder")" ]] ||
    fail "$run_name: the program runs in $cwd, not in the data folder $folder"
}

# Ends the program and waits until its window is gone, so the next run finds its own window.
stop_program() {
  if [[ -n $app_pid ]]; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
  fi
  local ids
  for _ in $(seq 50); do
    ids=$(x_search --name "$MAIN_TITLE") && [[ -z $ids ]] && return 0
    sleep 0.1
  done
  fail "$run_name: a main window is still open after the program was ended"
}

# The data folder holds the learner's files and nothing half-copied.
check_data_folder() {
  local folder=$1 name
  [[ -d $folder ]] || { fail "$run_name: the data folder $folder was not created"; return; }
  for name in Aerolern.dat Hilfe.htm; do
    [[ -f $folder/$name ]] || { fail "$run_name: $folder holds no $name"; continue; }
    # the editor writes the catalogue back
    [[ $((8#$(stat -c %a "$folder/$name") & 8#200)) -ne 0 ]] ||
      fail "$run_name: $folder/$name is not writable by its owner"
  done
  for name in "$folder"/*; do
    case ${name##*/} in
      Aerolern.dat | Hilfe.htm) ;;
      *) fail "$run_name: unexpected file ${name##*/} in the data folder" ;;
    esac
  done
}

home=$tmp/home
mkdir -p "$home"
# Not created beforehand: the launcher makes the whole path.
xdg=$tmp/xdg-data
data=$xdg/aerolern

# The installed help page dates from long ago, so that below a newer one can be installed that
# is still older than the day of the first start.
touch -d '2020-01-01 12:00' "$prefix/share/aerolern/Hilfe.htm"

# First start: the data folder is made and gets the demo catalogue and the help page.
start_launcher first_start "$prefix/bin/aerolern" HOME="$home" XDG_DATA_HOME="$xdg"
if wait_main_window; then
  check_process "$prefix/lib/aerolern/aerolern" "$data"
  check_data_folder "$data"
  cmp -s "$prefix/share/aerolern/Aerolern.dat" "$data/Aerolern.dat" ||
    fail "first start: the data folder's Aerolern.dat is not the demo catalogue"
  cmp -s "$prefix/share/aerolern/Hilfe.htm" "$data/Hilfe.htm" ||
    fail "first start: the data folder's Hilfe.htm is not the installed help page"
  [[ -e $home/.local/share/aerolern ]] &&
    fail "first start: the launcher used ~/.local/share although XDG_DATA_HOME was set"
  # The screen a learner sees after the splash: the main window with the category dialog, as
  # openbox frames them.
  main=$(x_search --name "$MAIN_TITLE" | head -1)
  dialog=""
  for _ in $(seq 100); do
    dialog=$(x_search --onlyvisible --name '^Auswahl der zu lernenden Kategorien$')
    [[ -n $dialog ]] && break
    sleep 0.1
  done
  if [[ -n $dialog ]]; then
    sleep 0.5
    framed_shot "$main" "$out/fenster-installiert-hauptfenster.png" ||
      fail "first start: no screenshot of the main window"
  else
    fail "first start: the category dialog did not appear over the main window"
  fi
fi
stop_program

# Second start after the learner changed the catalogue and a newer demo catalogue and help
# page were installed: the catalogue stays the learner's, the help page is updated. The new help
# page is newer than the one copied at the first start, though older than that start itself:
# what counts is the installed version, not when the copy was made.
if [[ -f $data/Aerolern.dat ]]; then
  cp "$own_catalogue" "$data/Aerolern.dat"
  touch -d '2001-01-01 12:00' "$data/Aerolern.dat"
  own_sum=$(sha256sum <"$data/Aerolern.dat")
  own_time=$(stat -c %Y "$data/Aerolern.dat")
  touch "$prefix/share/aerolern/Aerolern.dat"
  printf '<!-- neuere Hilfe -->\n' >>"$prefix/share/aerolern/Hilfe.htm"
  touch -d '2020-01-02 12:00' "$prefix/share/aerolern/Hilfe.htm"
  start_launcher second_start "$prefix/bin/aerolern" HOME="$home" XDG_DATA_HOME="$xdg"
  if wait_main_window; then
    check_process "$prefix/lib/aerolern/aerolern" "$data"
    check_data_folder "$data"
    [[ $(sha256sum <"$data/Aerolern.dat") == "$own_sum" ]] ||
      fail "second start: the learner's Aerolern.dat was overwritten"
    [[ $(stat -c %Y "$data/Aerolern.dat") == "$own_time" ]] ||
      fail "second start: the learner's Aerolern.dat was rewritten (its time changed)"
    cmp -s "$prefix/share/aerolern/Hilfe.htm" "$data/Hilfe.htm" ||
      fail "second start: the newer installed Hilfe.htm did not replace the old copy"
  fi
  stop_program
fi

# Third start from a moved install, through a link as on PATH, without XDG_DATA_HOME: the data
# folder is ~/.local/share/aerolern, and a help page there that is newer than the installed
# one is the learner's and stays.
moved=$tmp/moved
mv "$prefix" "$moved"
mkdir -p "$tmp/path"
ln -s "$moved/bin/aerolern" "$tmp/path/aerolern"
home2=$tmp/home2
data2=$home2/.local/share/aerolern
mkdir -p "$data2"
printf '<html><body>Eigene Notizen</body></html>\n' >"$data2/Hilfe.htm"
touch -d 'tomorrow' "$data2/Hilfe.htm"
cp "$data2/Hilfe.htm" "$tmp/own_help.htm"
start_launcher moved_install "$tmp/path/aerolern" -u XDG_DATA_HOME HOME="$home2"
if wait_main_window; then
  check_process "$moved/lib/aerolern/aerolern" "$data2"
  check_data_folder "$data2"
  cmp -s "$moved/share/aerolern/Aerolern.dat" "$data2/Aerolern.dat" ||
    fail "moved install: ~/.local/share/aerolern/Aerolern.dat is not the demo catalogue"
  cmp -s "$tmp/own_help.htm" "$data2/Hilfe.htm" ||
    fail "moved install: a Hilfe.htm newer than the installed one was replaced"
fi
stop_program

finish
echo "PASS: install layout, catalogue tool, and three launcher starts under openbox on Xvfb"
