#!/usr/bin/env bash
# Makes the small seed corpora of the fuzz targets in fuzz/corpus/<target>/ anew.
#
#   fuzz/make-corpus.sh [BUILD_DIR]
#
# The catalogues are built by the catalogue tool (aerolern-katalog, built in BUILD_DIR, default
# build) from tiny CSV files; the pictures by ImageMagick. Seeds stay small on purpose: libFuzzer
# grows them itself, and large seeds only slow every run down.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build}
corpus=$source_dir/fuzz/corpus

if [[ ! -x $build_dir/tools/aerolern-katalog ]]; then
  cmake -S "$source_dir" -B "$build_dir" -G Ninja >/dev/null
  cmake --build "$build_dir" --target aerolern-katalog
fi
katalog=$build_dir/tools/aerolern-katalog
command -v convert >/dev/null || {
  echo "ImageMagick (convert) fehlt: apt-get install imagemagick" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$corpus"
mkdir -p "$corpus"/{fuzz_catalogue,fuzz_knowledge,fuzz_settings,fuzz_csv_import,fuzz_picture}

# --- CSV: the demo catalogue's header and first questions, and the forms the reader knows ---
head -n 4 "$source_dir/data/katalog.csv" >"$corpus/fuzz_csv_import/demo-head.csv"
header=$(head -n 1 "$source_dir/data/katalog.csv")
{
  printf '\xEF\xBB\xBF%s\r\n' "$header"
  printf '0;7;10;0;ab;"Mehrzeilig:\r\nzweite Zeile mit ""Anführung"" und ;";A;B;C;D;1\r\n'
  printf '1;0;0;-5;;Gelöscht;€;‚;ÿ;;0\r\n'
  printf '\r\n'
} >"$corpus/fuzz_csv_import/bom-crlf-quoted.csv"
printf '%s\n0;3;1;12;C;Frage;A;B;C;D;1\n1;99;1;0;E;Frage;A;B;C;D;2\n' "$header" \
  >"$corpus/fuzz_csv_import/row-errors.csv"

# --- Catalogues built by the tool from tiny CSV files ---
printf '%s\n0;1;1;0;A;Erste Frage?;Ja;Nein;Vielleicht;Nie;1\n' "$header" >"$work/one.csv"
printf '%s\n0;1;2;3;BD;Zweite Frage mit Ümlaut und €?;A;B;C;D;1\n1;2;3;0;;Gelöscht;A;B;C;D;0\n2;7;10;5;ABCD;Dritte;a;b;c;d;1\n' \
  "$header" >"$work/three.csv"
"$katalog" import "$work/one.csv" -o "$corpus/fuzz_catalogue/one-record.dat"
"$katalog" import "$work/three.csv" -o "$work/three.dat"
cp "$work/three.dat" "$corpus/fuzz_catalogue/three-records.dat"
# A catalogue cut inside its second record, as after an interrupted copy.
head -c 2000 "$work/three.dat" >"$corpus/fuzz_catalogue/cut-in-record.dat"

# --- Knowledge files: 12-byte entries InUse, Open, Licence, Area, filler, RecordNo ---
entry() { # InUse Open Licence Area RecordNo, all as little-endian bytes
  printf "\\x$(printf %02x "$1")\\x$(printf %02x "$2")\\x$(printf %02x "$3")\\x00\\x$(printf %02x "$4")\\x00\\x00\\x00"
  printf "\\x$(printf %02x "$5")\\x00\\x00\\x00"
}
{
  entry 1 1 1 1 0
  entry 1 1 2 3 1
  entry 1 0 7 5 2
  entry 1 1 7 5 2
} >"$corpus/fuzz_knowledge/four-entries.dat"
{
  entry 0 1 1 1 0
  entry 1 1 9 9 200
  printf '\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff'
  printf '\x01\x01\x01'
} >"$corpus/fuzz_knowledge/odd-entries-and-tail.dat"
: >"$corpus/fuzz_knowledge/empty.dat"

# --- Settings files ---
cp "$source_dir/data/aerolern.ini" "$corpus/fuzz_settings/aerolern.ini"
printf '; kurz\r\nAnzPrfFragenGSA=2\r\nanzmuendlichgsa=$1\r\nANZNICHTBESTGSA=0x2\r\nAnzPrfFragenMGP=-1\r\nKnowledgeLevelLocation=unter/\r\n' \
  >"$corpus/fuzz_settings/crlf-hex.ini"
printf 'AnzPrfFragenFFK= 1\nAnzPrfFragenMG3=\nAnzMuendlichWWF=x\n=leer\nKeinGleich\n;AnzPrfFragenGSB=1' \
  >"$corpus/fuzz_settings/odd-values.ini"

# --- Pictures: baseline, progressive and grey, 8x8 ---
# -strip leaves out metadata, which would only make the seeds larger.
convert -size 8x8 xc:red -strip "$corpus/fuzz_picture/red-baseline.jpg"
convert -size 8x8 xc:red -strip -interlace JPEG "$corpus/fuzz_picture/red-progressive.jpg"
convert -size 8x8 gradient:white-black -strip -colorspace Gray "$corpus/fuzz_picture/grey.jpg"

du -sb "$corpus"/*
