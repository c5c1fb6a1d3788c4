#!/usr/bin/env bash
# Builds the Debian package, runs Debian's checks on it (lintian, desktop-file-validate,
# appstreamcli, man), installs it with apt-get as a learner's machine would, installs it again to
# see a changed settings file kept, checks the installed demo catalogue with aerolern-katalog,
# starts aerolern as an unprivileged learner with a fresh home folder under Xvfb and openbox,
# then purges the package and checks that nothing is left.
# It installs into this machine's real system, so it needs root; run as another user it is skipped.
# Usage: package_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR [SANITIZED]
#   (exit 77: skipped, the reason printed; SANITIZED 1: the build uses sanitizers)
set -u
usage="usage: package_test.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR [SANITIZED]"
cmake=${1:?$usage}
build=${2:?$usage}
source_dir=${3:?$usage}
out=${4:?$usage}
sanitized=${5:-0}

if [[ $sanitized == 1 ]]; then
  echo "SKIP: this build uses sanitizers; the package is made from the normal build"
  exit 77
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: the test installs the package into the system with apt-get and so needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' aerolern 2>/dev/null | grep -q "installed"; then
  echo "SKIP: a package aerolern is already installed here; the test would replace and purge it"
  exit 77
fi
# shellcheck source=../x11/xvfb.sh
source "$source_dir/tests/x11/xvfb.sh"

mkdir -p "$out"
tmp=$(mktemp -d)
chmod 755 "$tmp"
app_pid=""
wm_pid=""
installed=no
cleanup() {
  [[ -n $app_pid ]] && { kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; }
  [[ -n $wm_pid ]] && { kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; }
  stop_xvfb
  if [[ $installed == yes ]]; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y aerolern >>"$out/purge.log" 2>&1
  fi
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

for tool in lintian appstreamcli desktop-file-validate man dpkg-deb dpkg-parsechangelog apt-get \
  readelf Xvfb openbox xdotool xdpyinfo setpriv; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "FAIL: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done

# --- Build -----------------------------------------------------------------------------------
if ! "$cmake" --build "$build" --target package >"$out/package.log" 2>&1; then
  cat "$out/package.log"
  echo "FAIL: building the package failed"
  exit 1
fi
version=$(dpkg-parsechangelog -l "$source_dir/install/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
deb_name=aerolern_${version}_${arch}.deb
deb=$build/package/$deb_name
[[ -f $deb ]] || { echo "FAIL: the build made no $deb_name"; ls "$build/package"; exit 1; }
[[ $version != *-* ]] || fail "version $version has a Debian revision, the package is native"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] ||
  fail "the package's version $(dpkg-deb -f "$deb" Version) is not the changelog's $version"
[[ $(dpkg-deb -f "$deb" Section) == education ]] || fail "the section is not education"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in xdg-utils libfltk1.3 libsqlite3-0 libc6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

# --- Debian's checks -------------------------------------------------------------------------
# lintian keeps a database in the temporary folder: the test's own, removed with it.
TMPDIR=$tmp lintian --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1
lintian_status=$?
grep -v '^running with root privileges' "$out/lintian.log"
[[ $lintian_status -eq 0 ]] || fail "lintian reports errors or warnings (status $lintian_status)"
grep -q '^[EW]: ' "$out/lintian.log" && fail "lintian reports errors or warnings"

tree=$tmp/tree
dpkg-deb -x "$deb" "$tree"
dpkg-deb -c "$deb" >"$out/contents.txt"
# Owned by root; directories and programs 0755, other files 0644, no other modes.
while read -r mode owner _ _ _ path _; do
  [[ $owner == root/root ]] || fail "$path is owned by $owner"
  case $mode in
    drwxr-xr-x | -rw-r--r-- | -rwxr-xr-x | lrwxrwxrwx) ;;
    *) fail "$path has the mode $mode" ;;
  esac
done <"$out/contents.txt"

app_id=example.talwinder_flugschule.aerolern
desktop=$tree/usr/share/applications/$app_id.desktop
metainfo=$tree/usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" >"$out/desktop.log" 2>&1 ||
  { fail "desktop-file-validate rejects the desktop entry:"; cat "$out/desktop.log"; }
[[ -s $out/desktop.log ]] && { fail "desktop-file-validate has remarks:"; cat "$out/desktop.log"; }
appstreamcli validate --no-net "$metainfo" >"$out/appstream.log" 2>&1 ||
  { fail "appstreamcli rejects the metainfo file:"; cat "$out/appstream.log"; }
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo file does not launch $app_id.desktop"

# gzip -n leaves the name out of the header (flag bit 3) and the time zero (bytes 4 to 7).
gzip_is_reproducible() {
  local header
  header=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  [[ ${header:0:4} == 1f8b && $((16#${header:6:2} & 8)) -eq 0 && ${header:8:8} == 00000000 ]]
}
for page in man1/aerolern man1/aerolern-katalog de/man1/aerolern de/man1/aerolern-katalog; do
  file=$tree/usr/share/man/$page.1.gz
  [[ -f $file ]] || { fail "the manual page $page is missing"; continue; }
  gzip_is_reproducible "$file" || fail "$page.1.gz is not compressed with gzip -9n"
  LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" >/dev/null 2>"$tmp/man.err"
  if [[ -s $tmp/man.err ]]; then
    fail "man warns about $page:"
    cat "$tmp/man.err"
  fi
done
for command in import export check --skizzen --ini wissen umziehen verlauf hilfe; do
  zcat "$tree/usr/share/man/man1/aerolern-katalog.1.gz" | grep -q -- "${command//-/\\\\-}" ||
    fail "aerolern-katalog(1) does not describe $command"
done

doc=$tree/usr/share/doc/aerolern
gzip_is_reproducible "$doc/changelog.gz" || fail "changelog.gz is not compressed with gzip -9n"
zcat "$doc/changelog.gz" >"$tmp/changelog"
dpkg-parsechangelog -l "$tmp/changelog" -S Version 2>/dev/null | grep -qxF "$version" ||
  fail "changelog.gz is no Debian changelog of version $version"
head -1 "$doc/copyright" |
  grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
for license in GPL-3.0-or-later CC-BY-SA-4.0 MIT; do
  grep -qx "License: $license" "$doc/copyright" || fail "the copyright file lacks License: $license"
done
grep -q SQLiteCpp "$doc/copyright" || fail "the copyright file does not name SQLiteCpp"

for program in usr/lib/aerolern/aerolern usr/bin/aerolern-katalog; do
  readelf -d "$tree/$program" | grep -qE 'RPATH|RUNPATH' && fail "$program has an RPATH"
  readelf -S "$tree/$program" | grep -q '\.debug_info' && fail "$program is not stripped"
done
[[ $(readlink "$tree/usr/lib/aerolern/aerolern.ini") == /etc/aerolern/aerolern.ini ]] ||
  fail "/usr/lib/aerolern/aerolern.ini is not the link to /etc/aerolern/aerolern.ini"
cmp -s "$source_dir/data/aerolern.ini" "$tree/etc/aerolern/aerolern.ini" ||
  fail "/etc/aerolern/aerolern.ini is not data/aerolern.ini"
# Plain ASCII is Windows-1252 and UTF-8 alike, so no reader misreads a comment.
LC_ALL=C grep -q $'[^\t\r -~]' "$tree/etc/aerolern/aerolern.ini" &&
  fail "/etc/aerolern/aerolern.ini holds characters beyond plain ASCII"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null | grep -qxF /etc/aerolern/aerolern.ini ||
  fail "/etc/aerolern/aerolern.ini is not a conffile"
finish

# --- Install ---------------------------------------------------------------------------------
# The package's paths; of its folders, those that are there already belong to others.
sed -E 's/.* \.(\/[^ ]*)( -> .*)?$/\1/; s|/$||' "$out/contents.txt" | grep -v '^$' >"$tmp/paths.txt"
: >"$tmp/dirs_before.txt"
while read -r path; do
  [[ -d $path ]] && echo "$path" >>"$tmp/dirs_before.txt"
done <"$tmp/paths.txt"

installed=yes
if ! (cd "$build/package" && DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb_name") \
  >"$out/install.log" 2>&1; then
  cat "$out/install.log"
  echo "FAIL: apt-get install ./$deb_name failed"
  exit 1
fi
while read -r path; do
  [[ -e $path || -L $path ]] || fail "$path is not there after the install"
done <"$tmp/paths.txt"
dpkg-query -W -f='${Conffiles}\n' aerolern | grep -q '/etc/aerolern/aerolern.ini' ||
  fail "dpkg does not know /etc/aerolern/aerolern.ini as a conffile"

# A school's own exam limits survive the package being installed again, without a question.
sed -i 's/^AnzNichtBestGSA=.*/AnzNichtBestGSA=9/' /etc/aerolern/aerolern.ini
if ! (cd "$build/package" && DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall \
  "./$deb_name") >"$out/reinstall.log" 2>&1; then
  cat "$out/reinstall.log"
  fail "apt-get install --reinstall ./$deb_name failed"
fi
grep -qx 'AnzNichtBestGSA=9' /etc/aerolern/aerolern.ini ||
  fail "the school's change to /etc/aerolern/aerolern.ini is lost after installing again"
grep -qx 'AnzNichtBestGSA=9' /usr/lib/aerolern/aerolern.ini ||
  fail "/usr/lib/aerolern/aerolern.ini does not lead to the school's settings"

# The installed tool accepts the installed catalogue with the installed pictures and limits.
if ! /usr/bin/aerolern-katalog check --skizzen /usr/lib/aerolern/assets \
  --ini /usr/lib/aerolern/aerolern.ini /usr/share/aerolern/Aerolern.dat >"$out/katalog.log" 2>&1; then
  fail "aerolern-katalog check rejects the installed demo catalogue:"
  cat "$out/katalog.log"
fi

# --- A learner starts it ---------------------------------------------------------------------
if ! start_xvfb; then
  echo "FAIL: no X server could be started"
  exit 1
fi
learner=nobody
learner_group=$(id -gn "$learner")
home=$tmp/home
mkdir -p "$home" "$tmp/wm-home"
chown "$learner:$learner_group" "$home"
HOME=$tmp/wm-home openbox >"$out/openbox.log" 2>&1 &
wm_pid=$!
setpriv --reuid="$learner" --regid="$learner_group" --clear-groups \
  env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 aerolern \
  >"$out/aerolern.out" 2>"$out/aerolern.err" &
app_pid=$!
dialog=""
for _ in $(seq 300); do
  kill -0 "$app_pid" 2>/dev/null || break
  dialog=$(xdotool search --name '^Auswahl der zu lernenden Kategorien$' 2>/dev/null)
  [[ -n $dialog ]] && break
  sleep 0.1
done
if [[ -z $dialog ]]; then
  fail "the category dialog did not appear within 30 seconds"
  sed 's/^/  stderr: /' "$out/aerolern.err"
fi
if kill -0 "$app_pid" 2>/dev/null; then
  [[ $(readlink "/proc/$app_pid/exe") == /usr/lib/aerolern/aerolern ]] ||
    fail "the running program is $(readlink "/proc/$app_pid/exe"), not /usr/lib/aerolern/aerolern"
  [[ $(stat -c %U "/proc/$app_pid") == "$learner" ]] || fail "the program does not run as $learner"
fi
data=$home/.local/share/aerolern
cmp -s /usr/share/aerolern/Aerolern.dat "$data/Aerolern.dat" ||
  fail "the learner's data folder holds no copy of the demo catalogue"
cmp -s /usr/share/aerolern/Hilfe.htm "$data/Hilfe.htm" ||
  fail "the learner's data folder holds no copy of the help page"
[[ $(stat -c %U "$data/Aerolern.dat" 2>/dev/null) == "$learner" ]] ||
  fail "the learner's catalogue does not belong to the learner"
kill "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""

# --- Purge -----------------------------------------------------------------------------------
if ! DEBIAN_FRONTEND=noninteractive apt-get purge -y aerolern >"$out/purge.log" 2>&1; then
  cat "$out/purge.log"
  fail "apt-get purge aerolern failed"
fi
installed=no
while read -r path; do
  if [[ -L $path || -e $path ]]; then
    [[ -d $path && ! -L $path ]] && grep -qxF "$path" "$tmp/dirs_before.txt" && continue
    fail "$path is left after the purge"
  fi
done <"$tmp/paths.txt"
[[ -e /etc/aerolern ]] && fail "/etc/aerolern is left after the purge"
finish
echo "PASS: package $deb_name built, checked, installed, started by a learner and purged"
