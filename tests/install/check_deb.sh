#!/usr/bin/env bash
# Checks the Debian package that `make package` built (argument: the .deb,
# by default the newest pivraf_*.deb of the source folder):
#   1. its control data: the dependencies dpkg-shlibdeps found, and the Qt
#      translations; lintian finds no error;
#   2. unpacked into an empty root (dpkg -x): the desktop entry, AppStream
#      metainfo, MIME package, manual page and icons validate; the program
#      run from there finds its data through ../share/pivraf (a batch run on
#      the installed sample, the table-mode description), and its window's
#      first start writes nothing into the user's data folder;
#   3. when run as root on a machine where the package is not installed yet:
#      dpkg -i, the same runs from /usr/bin, the .pvl type known to the MIME
#      database and opened by the desktop entry, then dpkg -r, after which
#      none of the package's files is left and the type is gone.
# Bounded in time: nothing here waits on the network, and the one window
# run ends after a few seconds. Exits 1 with the failed check named.
set -euo pipefail
cd "$(dirname "$0")/../.."
deb=${1:-$(ls -t pivraf_*.deb 2>/dev/null | head -n 1)}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "check_deb: no package; run make package first" >&2; exit 1; }
deb=$(realpath "$deb")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=com.korvane.pivraf

fail() { echo "check_deb: FAILED: $*" >&2; exit 1; }
pass() { echo "check_deb: ok: $*"; }

# --- 1. control data and lintian ---------------------------------------------
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-translations-l10n; do
  grep -q "\\b$needed\\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
pass "Depends: $depends"
lintian_out=$work/lintian.txt
lintian --allow-root --fail-on error "$deb" >"$lintian_out" 2>&1 || { cat "$lintian_out"; fail "lintian reports errors"; }
sed 's/^/  lintian: /' "$lintian_out"
pass "lintian: no errors"

# --- 2. unpacked into an empty root ------------------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for path in usr/bin/pivraf usr/share/pivraf/HelpPvl.log usr/share/pivraf/sample.pvl \
    "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    usr/share/mime/packages/pivraf-pvl.xml "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    usr/share/man/man1/pivraf.1.gz usr/share/doc/pivraf/copyright; do
  [ -f "$root/$path" ] || fail "missing /$path"
done
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
grep -qx 'Exec=pivraf %f' "$share/applications/$id.desktop" || fail "desktop entry Exec"
grep -qx 'MimeType=text/x-pivraf-pvl;text/csv;text/tab-separated-values;text/plain;' \
  "$share/applications/$id.desktop" || fail "desktop entry MimeType"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "AppStream metainfo"
python3 -c 'import sys, xml.etree.ElementTree as t; r = t.parse(sys.argv[1]).getroot(); assert any(g.get("pattern") == "*.pvl" for g in r.iter("{http://www.freedesktop.org/standards/shared-mime-info}glob"))' \
  "$share/mime/packages/pivraf-pvl.xml" || fail "MIME package"
man_warnings=$(zcat "$share/man/man1/pivraf.1.gz" >"$work/pivraf.1" &&
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$work/pivraf.1" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "manual page: $man_warnings"
for size in 16 22 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png: $(file -b "$png")"
done
pass "desktop entry, metainfo, MIME package, manual page and icons"

# Runs the program at $1 (PREFIX/bin/pivraf) on a batch script: its data
# must come from PREFIX/share/pivraf, never from the data folders of the
# machine or the user (both point into the scratch folder).
check_runs() {
  local exe=$1 prefix
  prefix=$(dirname "$(dirname "$exe")")
  local data=$prefix/share/pivraf home=$work/home-$RANDOM
  mkdir -p "$home"
  local run=(env PIVRA_CONFIG="$home/Pivra.conf" HOME="$home" XDG_DATA_HOME="$home/data"
    XDG_DATA_DIRS="$work/no-system-data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime")
  mkdir -m 700 "$home/runtime"
  if grep -aq -- '--version' "$exe"; then
    local version
    version=$("${run[@]}" "$exe" --version) || fail "$exe --version"
    [ -n "$version" ] || fail "$exe --version printed nothing"
    pass "$exe --version: $version"
  fi
  cp "$data/sample.pvl" "$home/sample.pvl"
  printf 'state\nwrite %s\ncommand 32810\n' "$home/out.pvl" >"$home/script.pvs"
  local out
  out=$("${run[@]}" "$exe" --batch "$home/script.pvs" "$home/sample.pvl" 2>&1) || fail "batch run of $exe: $out"
  grep -q ' table=1 ' <<<"$out" || fail "the sample is not a table: $out"
  cmp -s "$data/sample.pvl" "$home/out.pvl" || fail "the sample was not read and written back byte for byte"
  grep -qx "start: $exe -w0 -m0 HelpPvl.log in $data" <<<"$out" || fail "table-mode description not found: $out"
  pass "batch run of $exe on its sample; description found in $data"
  # The window, offscreen: it starts, stays up, and registers nothing in the
  # user's folder (the installed desktop entry and MIME package serve).
  local status=0
  "${run[@]}" QT_QPA_PLATFORM=offscreen timeout 5 "$exe" "$home/sample.pvl" >/dev/null 2>&1 || status=$?
  [ "$status" -eq 124 ] || fail "the window of $exe ended by itself with status $status"
  [ ! -e "$home/data/applications" ] && [ ! -e "$home/data/mime" ] || fail "$exe registered itself in the user's folder"
  pass "window of $exe started and wrote no desktop entry into the user's folder"
}
check_runs "$root/usr/bin/pivraf"

# --- 3. installed for real, then removed -------------------------------------
if [ "$(id -u)" -ne 0 ]; then
  echo "check_deb: not root: dpkg -i and dpkg -r left out"
elif dpkg-query -W -f='${Status}' pivraf 2>/dev/null | grep -q 'install ok installed'; then
  echo "check_deb: pivraf is installed on this machine already: dpkg -i and dpkg -r left out"
else
  dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|p' | grep -v '/$' >"$work/files"
  DEBIAN_FRONTEND=noninteractive dpkg -i "$deb" >/dev/null || fail "dpkg -i"
  installed_ok=0
  (check_runs /usr/bin/pivraf) && installed_ok=1
  # Double-clicking a .pvl file: the MIME database knows the type and the
  # desktop's cache names the entry for it (both refreshed by dpkg's triggers
  # of shared-mime-info and desktop-file-utils, installed by setup-ci.sh).
  grep -q ':text/x-pivraf-pvl:\*\.pvl' /usr/share/mime/globs2 || installed_ok=0
  grep -q "^text/x-pivraf-pvl=.*$id.desktop" /usr/share/applications/mimeinfo.cache || installed_ok=0
  dpkg -r pivraf >/dev/null || fail "dpkg -r"
  [ "$installed_ok" -eq 1 ] || fail "the installed program, or its MIME type and desktop entry"
  left=$(while read -r f; do [ -e "$f" ] && echo "$f"; done <"$work/files"; true)
  [ -z "$left" ] || fail "left behind by dpkg -r: $left"
  for folder in /usr/share/pivraf /usr/share/doc/pivraf; do [ ! -e "$folder" ] || fail "left behind: $folder"; done
  dpkg-query -W -f='${Status}' pivraf 2>/dev/null | grep -q 'installed' && fail "still listed as installed"
  grep -q 'text/x-pivraf-pvl' /usr/share/mime/globs2 && fail "the MIME type is still known after dpkg -r"
  pass "dpkg -i, runs from /usr/bin, .pvl opens with it, dpkg -r leaves nothing"
fi
echo "check_deb: all checks passed for $(basename "$deb")"
