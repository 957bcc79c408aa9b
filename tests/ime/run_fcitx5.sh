#!/usr/bin/env bash
# Japanese input through a real input method: fcitx5 with Mozc as the second
# input method, its Qt 6 front end, a virtual X server and a D-Bus session of
# their own, keys sent with xdotool to `pivraf FILE`, the file saved with
# Ctrl+S and its bytes checked, and the picture checked where it matters.
#
# Usage: tests/ime/run_fcitx5.sh PIVRAF
# Prints each check and "ime: N checks passed"; exits 1 at the first check that
# fails (with what it saw) and 0 with "ime: skipped: ..." only when a package
# the stage needs is not installed. Mozc's server refuses to run as root, so a
# root caller runs the session as the user nobody in a scratch HOME it owns.
# Every wait is bounded; the whole run takes about a minute.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
pivraf=$(realpath "${1:?usage: run_fcitx5.sh PIVRAF}")
[ -x "$pivraf" ] || { echo "ime: FAILED: no program at $1"; exit 1; }

missing=()
for tool in fcitx5 Xvfb dbus-launch xdotool import convert setpriv python3; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -f /usr/share/fcitx5/addon/mozc.conf ] || missing+=("fcitx5-mozc")
compgen -G "/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" >/dev/null ||
  missing+=("fcitx5-frontend-qt6")
if [ "${#missing[@]}" -gt 0 ]; then
  echo "ime: skipped: not installed: ${missing[*]} (scripts/setup-ci.sh installs them)"
  exit 0
fi

work=$(mktemp -d /tmp/pivra-ime.XXXXXX)
# The session reads only what is in its folder: the checkout may be closed to it.
cp "$pivraf" "$work/pivraf"
cp "$here/fcitx5_session.sh" "$here/fcitx5_scenarios.sh" "$here/picture_check.py" "$work/"
[ -f "$(dirname "$pivraf")/HelpPvl.log" ] && cp "$(dirname "$pivraf")/HelpPvl.log" "$work/"
chmod 755 "$work"
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work"
  runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  runner=()
fi
"${runner[@]}" env -i PATH="$PATH" LANG=C.UTF-8 bash "$work/fcitx5_session.sh" "$work"
status=$?
if [ $status -ne 0 ] || [ -n "${IME_KEEP:-}" ]; then
  echo "ime: grabs and logs kept in $work"
else
  rm -rf "$work"
fi
exit $status
