#!/usr/bin/env bash
# Checks that the program's sources include only headers of their own layer or of layers below
# it. All headers are included from the source root, so the compiler cannot stop a file from
# reaching up; this check does.
#
#   tests/layers/check_layers.sh [SOURCE_DIR]
#
# Every .h/.cpp under toolkit, core, windows, dialogs, history and mainwindow is read; each
# #include "…" or <…> that names a file of the source tree (beside the including file or under
# the root, as the compiler looks) is judged by the layers of the two files. The FLTK and X11
# headers (<FL/…>, <X11/…>) count as the FLTK backend's. Each include against the layers is
# printed as FILE:LINE with what is wrong; the exit status is then 1.
set -euo pipefail

root=$(cd "${1:-$(dirname "$0")/../..}" && pwd -P)
folders=(toolkit core windows dialogs history mainwindow)

# The layer of a file, by its path below the root; empty for a file outside the layers (tools,
# tests, …). Low to high: the toolkit model; beside each other on top of it the FLTK and the
# Win32 backend, the headless backend and the input helpers (both for tests only); the message
# box with the pictures it shows; core; history; the other windows; dialogs; the main window;
# the program entry, which picks the FLTK or the Win32 backend.
layer_of() {
  case $1 in
    toolkit/fltk/*) echo fltk ;;
    toolkit/win32/*) echo win32 ;;
    toolkit/headless/*) echo headless ;;
    toolkit/Input.h | toolkit/Input.cpp) echo input ;;
    toolkit/*/*) echo unknown ;;
    toolkit/*) echo toolkit ;;
    windows/srcXMsgBox.* | windows/Assets.*) echo msgbox ;;
    windows/*) echo windows ;;
    core/*) echo core ;;
    history/*) echo history ;;
    dialogs/*) echo dialogs ;;
    mainwindow/main.cpp) echo program ;;
    mainwindow/*) echo mainwindow ;;
    *) echo "" ;;
  esac
}

# What each layer may include besides itself. The backends and the input helpers are no layer's
# to include: the layers above the model work on the platform interface, tests install the
# headless backend and drive forms through the input helpers, and the program entry installs
# the FLTK or the Win32 backend.
declare -A may_include=(
  [toolkit]=""
  [fltk]="toolkit"
  [win32]="toolkit"
  [headless]="toolkit"
  [input]="toolkit"
  [msgbox]="toolkit"
  [core]="toolkit msgbox"
  [history]="toolkit msgbox core"
  [windows]="toolkit msgbox core history"
  [dialogs]="toolkit msgbox core history windows"
  [mainwindow]="toolkit msgbox core history windows dialogs"
  [program]="toolkit fltk win32 msgbox core history windows dialogs mainwindow"
)
# The order of the layers, to tell an include of a higher layer from one beside.
declare -A rank=([toolkit]=0 [fltk]=1 [win32]=1 [headless]=1 [input]=1 [msgbox]=2 [core]=3
  [history]=4 [windows]=5 [dialogs]=6 [mainwindow]=7 [program]=8)
declare -A title=([toolkit]="the toolkit model" [fltk]="the FLTK backend"
  [win32]="the Win32 backend"
  [headless]="the headless backend" [input]="the test input helpers" [msgbox]="the message box"
  [core]="core" [history]="the history" [windows]="the windows" [dialogs]="the dialogs"
  [mainwindow]="the main window" [program]="the program entry")

# Prints "LINE KIND NAME" for each #include of a file, KIND q for "…" and a for <…>. Comments
# and the texts of string and character literals are passed over, so an include that is
# commented out does not count.
list_includes() {
  awk '
    {
      out = ""; i = 1; n = length($0)
      while (i <= n) {
        c = substr($0, i, 1); two = substr($0, i, 2)
        if (in_comment) {
          if (two == "*/") { in_comment = 0; i += 2 } else i++
          continue
        }
        if (two == "//") break
        if (two == "/*") { in_comment = 1; i += 2; out = out " "; continue }
        if ((c == "\"" || c == "\047") && out !~ /^[ \t]*#[ \t]*include[ \t]*$/) {
          quote = c; i++
          while (i <= n && substr($0, i, 1) != quote) i += substr($0, i, 1) == "\\" ? 2 : 1
          i++; out = out quote quote
          continue
        }
        out = out c; i++
      }
      if (match(out, /^[ \t]*#[ \t]*include[ \t]*"[^"]+"/)) {
        name = substr(out, RSTART, RLENGTH); sub(/^[^"]*"/, "", name); sub(/"$/, "", name)
        print NR, "q", name
      } else if (match(out, /^[ \t]*#[ \t]*include[ \t]*<[^>]+>/)) {
        name = substr(out, RSTART, RLENGTH); sub(/^[^<]*</, "", name); sub(/>$/, "", name)
        print NR, "a", name
      }
    }' "$1"
}

# The path below the root of the file an include names, as the compiler finds it: a "…" name
# beside the including file first, then under the root (the one include folder of the sources).
# Empty when it is no file of the tree.
resolve() {
  local file=$1 kind=$2 name=$3 candidate
  local -a candidates=("$root/$name")
  [[ $kind == q ]] && candidates=("$root/$(dirname "$file")/$name" "$root/$name")
  for candidate in "${candidates[@]}"; do
    if [[ -f $candidate ]]; then
      candidate=$(realpath -m --relative-to="$root" "$candidate")
      [[ $candidate == ../* ]] || echo "$candidate"
      return
    fi
  done
}

files=0
includes=0
problems=0
report() {
  echo "$1"
  problems=$((problems + 1))
}

while IFS= read -r file; do
  files=$((files + 1))
  layer=$(layer_of "$file")
  if [[ -z $layer || $layer == unknown ]]; then
    report "$file: belongs to no layer (tests/layers/check_layers.sh knows its folders)"
    continue
  fi
  while read -r line kind name; do
    includes=$((includes + 1))
    target=$(resolve "$file" "$kind" "$name")
    if [[ -n $target ]]; then
      target_layer=$(layer_of "$target")
    elif [[ $kind == a && ($name == FL/* || $name == X11/*) ]]; then
      target_layer=fltk
    elif [[ $kind == q ]]; then
      report "$file:$line: includes \"$name\", which is no file of the sources"
      continue
    else
      continue # a header of the system or of a library
    fi
    [[ $target_layer == "$layer" ]] && continue
    [[ " ${may_include[$layer]} " == *" $target_layer "* ]] && continue
    if [[ -z $target_layer || $target_layer == unknown ]]; then
      report "$file:$line: includes $name, which lies outside the layers (${title[$layer]})"
    elif ((rank[$target_layer] > rank[$layer])); then
      report "$file:$line: includes $name of ${title[$target_layer]}, a layer above ${title[$layer]}"
    else
      report "$file:$line: includes $name of ${title[$target_layer]}, which ${title[$layer]} may not use"
    fi
  done < <(list_includes "$root/$file")
done < <(cd "$root" && find "${folders[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o \
  -name '*.cpp' -o -name '*.cc' \) 2>/dev/null | LC_ALL=C sort)

if ((files == 0)); then
  echo "layers: no sources found under $root"
  exit 1
fi
if ((problems > 0)); then
  echo "layers: $problems include(s) against the layers in $files files"
  exit 1
fi
echo "layers: $files files, $includes includes, each within its layer or below"
