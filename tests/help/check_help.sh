#!/usr/bin/env bash
# Renders the help document Hilfe.htm in headless Chromium and checks sections, links, resources, charset and a screenshot.
#
# Usage: check_help.sh HILFE.htm OUTPUT_FOLDER
# Exit status: 0 all checks passed, 1 a check failed, 2 wrong call, 77 Chromium is missing (skipped).
set -uo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 HILFE.htm OUTPUT_FOLDER" >&2
  exit 2
fi
page=$1
out=$2
chromium=/usr/bin/chromium

if [[ ! -x $chromium ]]; then
  echo "SKIP: $chromium not found. Install the Debian package 'chromium'" \
    "(scripts/deps.sh installs it when run as root)." >&2
  exit 77
fi
if [[ ! -f $page ]]; then
  echo "FAIL: help document '$page' does not exist" >&2
  exit 1
fi
page=$(realpath "$page")
mkdir -p "$out"
out=$(realpath "$out")

# Bytes that are no valid UTF-8 must not turn grep's output into "binary file matches".
grep() { command grep -a "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The sections the help must have: anchor and (part of) its heading.
sections=(
  "erste-schritte|Erste Schritte"
  "hauptfenster|Hauptfenster"
  "modi|Die vier Modi"
  "lernmodus|Lernmodus"
  "vertiefungsmodus|Vertiefungsmodus"
  "schnelllernmodus|Schnelllernmodus"
  "pruefungsmodus|Prüfungsmodus"
  "wissensstand|Wissensstand speichern und laden"
  "tastatur|Tastatur"
  "fragen-bearbeiten|Fragen bearbeiten"
  "skizzen|Skizzen"
  "fragenkatalog|Der Fragenkatalog für Flugschulen"
  "bericht|Bericht für die Flugschule"
  "haftung|Haftung"
)
main_heading="Aerolern – Hilfe"
# The one outside address the page may link to.
allowed_web_prefix="https://www.dhv.de/"

passed=0
failed=0
problems=()
fail() { problems+=("$1"); }
# Ends a numbered check: counts it and prints its verdict with the problems found.
finish_check() {
  local title=$1
  if [[ ${#problems[@]} -eq 0 ]]; then
    echo "ok   $title"
    passed=$((passed + 1))
  else
    echo "FAIL $title"
    printf '       - %s\n' "${problems[@]}"
    failed=$((failed + 1))
  fi
  problems=()
}

# Runs Chromium headless on the page with a fresh, empty profile. Host names resolve to nothing,
# so that neither the page nor Chromium's own background services reach out to the network.
run_chromium() {
  local profile
  profile=$(mktemp -d "$work/profile.XXXXXX")
  local flags=(--headless --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync
    --host-resolver-rules="MAP * ~NOTFOUND"
    --user-data-dir="$profile" --enable-logging=stderr --v=0)
  [[ $(id -u) -eq 0 ]] && flags+=(--no-sandbox)
  timeout 50 "$chromium" "${flags[@]}" "$@" "file://$page"
}

# One tag per line of a flattened HTML text, so that tags spanning lines are seen whole.
tags_of() { tr '\n\r\t' '   ' <"$1" | sed 's/</\n</g' | grep '^<'; }

# --- 1. The page loads without errors and shows its heading and all sections. -------------------
dom=$work/dom.html
log=$work/dump.log
run_chromium --dump-dom >"$dom" 2>"$log"
status=$?
if [[ $status -ne 0 ]]; then
  fail "Chromium --dump-dom exited with status $status; log tail:"
  while IFS= read -r line; do fail "  $line"; done < <(tail -n 5 "$log")
fi
if [[ ! -s $dom ]]; then
  fail "Chromium returned no DOM"
fi
# Console output (the page has no script, so any is a fault), uncaught errors, failed loads.
while IFS= read -r line; do
  fail "browser log: $line"
done < <(grep -E ':CONSOLE|Uncaught|net::ERR_|ERR_(FILE|ABORTED|FAILED|BLOCKED|NAME|CONNECTION|ACCESS)' "$log")
tags=$work/tags.txt
tags_of "$dom" >"$tags"
flat=$work/flat.txt
tr '\n\r\t' '   ' <"$dom" >"$flat"
if ! grep -qF "<h1>$main_heading</h1>" "$flat" && ! grep -qE "<h1[^>]*>[^<]*${main_heading}" "$flat"; then
  fail "main heading <h1>$main_heading</h1> is missing"
fi
[[ $(grep -c '^<h1[ >]' "$tags") -eq 1 ]] || fail "the page must have exactly one <h1>"
for entry in "${sections[@]}"; do
  id=${entry%%|*}
  heading=${entry#*|}
  # The section element carries the anchor; its heading follows as the next heading.
  if ! grep -qE "<section[^>]* id=\"$id\"" "$flat"; then
    fail "section id=\"$id\" ($heading) is missing"
    continue
  fi
  if ! grep -qE "<section[^>]* id=\"$id\"[^>]*>[[:space:]]*(<!--[^>]*-->[[:space:]]*)?<h[23][^>]*>[^<]*$heading" "$flat"; then
    fail "section id=\"$id\" does not start with a heading containing \"$heading\""
  fi
  if ! grep -qF "href=\"#$id\"" "$flat"; then
    fail "the table of contents has no link to #$id"
  fi
done
# A page decoded with the wrong charset shows UTF-8 umlauts as two Latin-1 characters.
if grep -qF 'Ã' "$flat"; then
  fail "the rendered text contains mis-decoded umlauts (charset not honoured)"
fi
finish_check "1. page loads without errors, shows the main heading and all ${#sections[@]} sections"

# --- 2. Every internal link has its target. -----------------------------------------------------
mapfile -t ids < <(grep -oE '^<[a-zA-Z0-9]+[^>]*[[:space:]]id="[^"]*"' "$tags" |
  sed -E 's/.*[[:space:]]id="([^"]*)"$/\1/')
mapfile -t internal < <(grep -oE '^<a[[:space:]][^>]*href="#[^"]*"' "$tags" |
  sed -E 's/.*href="#([^"]*)"$/\1/')
if [[ ${#internal[@]} -eq 0 ]]; then
  fail "no internal links found (a table of contents is required)"
fi
for target in "${internal[@]}"; do
  found=0
  for id in "${ids[@]}"; do
    [[ $id == "$target" ]] && found=1 && break
  done
  [[ $found -eq 1 ]] || fail "link href=\"#$target\" has no element with id=\"$target\""
done
while IFS= read -r duplicate; do
  fail "id=\"$duplicate\" is used more than once"
done < <(printf '%s\n' "${ids[@]}" | sort | uniq -d)
finish_check "2. each of the ${#internal[@]} internal links has its target among the ${#ids[@]} ids"

# --- 3. No script and no outside resource. ------------------------------------------------------
source_tags=$work/source_tags.txt
tags_of "$page" >"$source_tags"
for tagfile in "$source_tags" "$tags"; do
  grep -qiE '^<script' "$tagfile" && fail "a <script> element is present" && break
done
while IFS= read -r tag; do
  fail "resource attribute: ${tag:0:100}"
done < <(grep -iE '^<[a-z0-9]+[^>]*[[:space:]](src|srcset|data|poster|background)[[:space:]]*=' "$tags")
while IFS= read -r tag; do
  fail "embedded frame or object: ${tag:0:100}"
done < <(grep -iE '^<(iframe|frame|object|embed|applet|base)[[:space:]>]' "$tags")
while IFS= read -r tag; do
  fail "<link> to a resource: ${tag:0:100}"
done < <(grep -iE '^<link[[:space:]]' "$tags" | grep -iE 'href[[:space:]]*=' |
  grep -viE 'href[[:space:]]*=[[:space:]]*"?#')
while IFS= read -r use; do
  fail "stylesheet loads from outside: $use"
done < <(grep -iE '^<style|style="' "$tags" | grep -oiE '@import[^;]*|url\([[:space:]]*[^)]*\)' |
  grep -viE '^url\([[:space:]]*["'\'']?(#|data:)')
while IFS= read -r href; do
  [[ $href == "$allowed_web_prefix"* ]] || fail "link to another file or site: href=\"$href\""
done < <(grep -oiE '^<a[[:space:]][^>]*href="[^"#][^"]*"' "$tags" | sed -E 's/.*href="([^"]*)"$/\1/')
finish_check "3. no script, no outside resource, outside links only to $allowed_web_prefix"

# --- 4. Declared and real encoding are UTF-8. ---------------------------------------------------
# The declaration counts only within the first 1024 bytes of the file.
if ! head -c 1024 "$page" | grep -qiE '<meta[[:space:]]+charset="?utf-8"?[[:space:]]*/?>'; then
  fail "no <meta charset=\"utf-8\"> within the first 1024 bytes"
fi
if grep -qiE '<meta[^>]*charset=' "$page" &&
  grep -oiE '<meta[^>]*charset="?[a-z0-9_-]+' "$page" | grep -viqE 'charset="?utf-8$'; then
  fail "another charset is declared beside utf-8"
fi
if ! iconv -f utf-8 -t utf-8 "$page" >/dev/null 2>"$work/iconv.txt"; then
  fail "not valid UTF-8: $(head -n 1 "$work/iconv.txt")"
fi
grep -qP '[^\x00-\x7F]' "$page" || fail "no non-ASCII character at all: a German page has umlauts"
finish_check "4. <meta charset=\"utf-8\"> declared and the file is valid UTF-8"

# --- 5. A screenshot: a PNG of the window size with something drawn on it. ----------------------
shot=$out/Hilfe.png
rm -f "$shot"
run_chromium --screenshot="$shot" --window-size=1000,1400 >"$work/shot.out" 2>"$work/shot.log"
status=$?
[[ $status -eq 0 ]] || fail "Chromium --screenshot exited with status $status"
if [[ ! -s $shot ]]; then
  fail "no screenshot written to $shot"
else
  magic=$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')
  [[ $magic == 89504e470d0a1a0a ]] || fail "$shot is no PNG (starts with $magic)"
  read -r -a ihdr < <(od -An -tu1 -j16 -N8 "$shot" | tr -s ' \n' '  ')
  if [[ ${#ihdr[@]} -eq 8 ]]; then
    width=$(((ihdr[0] << 24) | (ihdr[1] << 16) | (ihdr[2] << 8) | ihdr[3]))
    height=$(((ihdr[4] << 24) | (ihdr[5] << 16) | (ihdr[6] << 8) | ihdr[7]))
    [[ $width -eq 1000 && $height -eq 1400 ]] ||
      fail "screenshot is ${width}x${height}, expected 1000x1400"
  else
    fail "screenshot has no PNG header"
  fi
  # An empty or failed rendering is one flat colour; the help page has text, boxes and tables.
  if command -v identify >/dev/null 2>&1; then
    colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
    [[ $colours -ge 16 ]] || fail "screenshot has only $colours colours: nothing rendered"
  else
    echo "note: 'identify' (imagemagick) missing, the screenshot's content is not inspected"
  fi
fi
finish_check "5. screenshot $shot is a 1000x1400 PNG with content"

echo "help document checks: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
