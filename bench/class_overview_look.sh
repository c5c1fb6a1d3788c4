#!/usr/bin/env bash
# Makes the class overview of a simulated class of a dozen learners and renders it with headless
# Chromium, as a screenshot and as A4 pages, so that a person can look at it.
#
# Usage: bench/class_overview_look.sh [BUILD_FOLDER [OUTPUT_FOLDER]]   (defaults: build and a new
# temporary folder). The learners' reports are gathered from simulated learning histories and
# written by the trainer's own code (bench/simulated_class). Needs the targets aerolern-katalog, simulated_class and demo_data built,
# chromium, and pdftoppm (Debian package poppler-utils) for the pages. Prints what it wrote:
# klasse.html, klasse.png (1000x1800 window), klasse.pdf and klasse-<page>.png (A4, 100 dpi).
set -euo pipefail

build=${1:-build}
build=$(cd "$build" 2>/dev/null && pwd) || { echo "no build folder: ${1:-build}" >&2; exit 2; }
out=${2:-$(mktemp -d -t aerolern-klasse.XXXXXX)}
mkdir -p "$out"
out=$(cd "$out" && pwd)

katalog=$build/tools/aerolern-katalog
simulate=$build/bench/simulated_class
catalogue=$build/run/Aerolern.dat
for need in "$katalog" "$simulate" "$catalogue"; do
  [[ -e $need ]] || { echo "missing $need: build aerolern-katalog, simulated_class and demo_data" >&2; exit 2; }
done

rm -rf "$out/berichte"
mkdir -p "$out/berichte"
"$simulate" "$catalogue" "$build/run/aerolern.ini" "$out/berichte" 12
# Run in the output folder with names relative to it, as a school would, so that the page names
# no path of this machine.
cp "$catalogue" "$out/Aerolern.dat"
(cd "$out" && "$katalog" klasse berichte --katalog Aerolern.dat -o klasse.html)

chromium_run() {
  local profile
  profile=$(mktemp -d)
  local flags=(--headless --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync
    --host-resolver-rules="MAP * ~NOTFOUND" --user-data-dir="$profile")
  [[ $(id -u) -eq 0 ]] && flags+=(--no-sandbox)
  timeout 60 chromium "${flags[@]}" "$@" "file://$out/klasse.html" >/dev/null 2>&1 || true
  rm -rf "$profile"
}
chromium_run --screenshot="$out/klasse.png" --window-size=1000,1800
chromium_run --print-to-pdf="$out/klasse.pdf" --no-pdf-header-footer
if command -v pdftoppm >/dev/null 2>&1; then
  pdftoppm -png -r 100 "$out/klasse.pdf" "$out/klasse"
else
  echo "pdftoppm missing (Debian package poppler-utils): the A4 pages are not rendered" >&2
fi
ls -1 "$out"/klasse*
