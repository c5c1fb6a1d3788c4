#!/usr/bin/env bash
# Opens the CSV of aerolern-katalog export and verlauf in headless LibreOffice Calc and checks
# that no cell became a formula: texts that begin like a formula arrive as text, numbers as numbers.
#
# Usage: check_csv_in_libreoffice.sh AEROLERN-KATALOG
# Exit status: 0 all checks passed, 1 a check failed, 2 wrong call, 77 LibreOffice is missing
# (skipped).
set -uo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 AEROLERN-KATALOG" >&2
  exit 2
fi
if ! command -v soffice >/dev/null; then
  echo "SKIP: soffice not found. Install the Debian package 'libreoffice-calc-nogui'" \
    "(scripts/deps.sh installs it when run as root)." >&2
  exit 77
fi
katalog=$(realpath "$1")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failed=0
fail() {
  echo "FAIL $1" >&2
  failed=1
}

# Converts NAME.csv (UTF-8, separated by ';') into NAME.ods with a fresh LibreOffice profile, then
# lists the cells of its content.xml as TYPE|TEXT, one a line, and fails on any formula. Returns 1
# when LibreOffice made no sheet.
cells_in_libreoffice() {
  local name=$1
  soffice "-env:UserInstallation=file://$work/profile" --headless --infilter=CSV:59,34,76 \
    --convert-to ods --outdir "$work" "$name.csv" >"$name.log" 2>&1
  if ! unzip -p "$name.ods" content.xml >"$name.xml" 2>/dev/null; then
    fail "$name: LibreOffice made no readable $name.ods:"
    cat "$name.log" >&2
    return 1
  fi
  grep -q 'table:formula' "$name.xml" && fail "$name: LibreOffice made a cell a formula"
  grep -o '<table:table-cell [^>]*><text:p>[^<]*</text:p>' "$name.xml" |
    sed -E 's/.*office:value-type="([a-z]+)".*<text:p>(.*)<\/text:p>/\1|\2/' |
    sed -e 's/&quot;/"/g' -e "s/&apos;/'/g" -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&amp;/\&/g' \
      >"$name.cells"
  return 0
}

# Fails unless the sheet of NAME has a cell of TYPE holding exactly TEXT.
expect_cell() {
  local name=$1 type=$2 text=$3
  grep -qxF "$type|$text" "$name.cells" ||
    fail "$name: no $type cell \"$text\"; cells: $(tr '\n' ' ' <"$name.cells")"
}

hyperlink='=HYPERLINK("http://example.com";"x")'

# A catalogue whose texts begin like formulas. The import reads '' as a text that begins with ',
# so the last answer is the text '=1+1; Skizze -5 is a number.
{
  echo 'Nr;Lizenz;Bereich;Skizze;Richtig;Frage;Antwort A;Antwort B;Antwort C;Antwort D;Aktiv'
  echo "0;1;1;-5;A;\"${hyperlink//\"/\"\"}\";+1;-1 Grad;@SUM(1);''=1+1;1"
} >eingabe.csv
"$katalog" import eingabe.csv -o Aerolern.dat >/dev/null || fail "import of the formula texts"
"$katalog" export Aerolern.dat -o katalog.csv 2>/dev/null || fail "export of the catalogue"
"$katalog" import katalog.csv -o wieder.dat >/dev/null && cmp -s Aerolern.dat wieder.dat ||
  fail "the export does not import back to the same catalogue"

if cells_in_libreoffice katalog; then
  for text in "'$hyperlink" "'+1" "'-1 Grad" "'@SUM(1)" "''=1+1"; do
    expect_cell katalog string "$text"
  done
  expect_cell katalog float "-5"
fi

# The trainer's own history holds only times, non-negative numbers and letters, so a formula can
# only come from a history file that was changed elsewhere; such a file stands in here.
if ! sqlite3 Lernverlauf.sqlite "
  CREATE TABLE antwort (zeit TEXT, nr INTEGER, lizenz INTEGER, bereich INTEGER, modus INTEGER,
                        angekreuzt TEXT, loesung TEXT, ergebnis INTEGER, art TEXT);
  INSERT INTO antwort VALUES ('2026-12-08T14:03:07Z', -3, 1, 2, 2, 'BD',
                              '$hyperlink', 0, '@SUM(1)');
  CREATE VIEW antworten AS SELECT * FROM antwort;"; then
  fail "sqlite3 could not make the history file"
fi
"$katalog" verlauf Lernverlauf.sqlite -o verlauf.csv || fail "verlauf"
if cells_in_libreoffice verlauf; then
  expect_cell verlauf string "'$hyperlink"
  expect_cell verlauf string "'@SUM(1)"
  expect_cell verlauf string "BD"
  expect_cell verlauf float "-3"
fi

[[ $failed -eq 0 ]] && echo "ok   the CSV of export and verlauf opens in LibreOffice without formulas"
exit $failed
