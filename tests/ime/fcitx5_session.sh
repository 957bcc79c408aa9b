#!/usr/bin/env bash
# The session of run_fcitx5.sh, run as an unprivileged user in the scratch
# folder WORK it owns: a virtual X server, a D-Bus session, fcitx5 with the
# keyboard first and Mozc second, then one pivraf per scenario. Everything
# started here is stopped by its process id when the session ends.
set -uo pipefail
work=${1:?usage: fcitx5_session.sh WORK}
here=$(cd "$(dirname "$0")" && pwd)
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
  XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_CONFIG_HOME/mozc" "$XDG_RUNTIME_DIR" "$work/shots"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE

pids=()
app_pid=
fail() {
  echo "ime: FAILED: $*"
  exit 1
}
stop_all() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  # Mozc's server leaves the process that started it; it is ours when it
  # is this user's and runs with this session's HOME.
  local dir pid
  for dir in /proc/[0-9]*; do
    [ -O "$dir" ] || continue
    pid=${dir#/proc/}
    [ "$pid" = "$$" ] && continue
    { tr '\0' '\n' <"$dir/environ" | grep -qx "HOME=$HOME"; } 2>/dev/null && pids+=("$pid")
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  sleep 0.5
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
trap stop_all EXIT

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for ((n = 0; n < tenths; n++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 100 test -s "$work/display" || fail "the X server did not start"
export DISPLAY=:$(head -n1 "$work/display")
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
fcitx5 --disable=wayland,waylandim,notificationitem,kimpanel,clipboard,emoji,quickphrase,spell,unicode,notifications \
  >"$work/fcitx5.log" 2>&1 &
pids+=($!)
fcitx_state() {
  dbus-send --session --print-reply=literal --dest=org.fcitx.Fcitx5 /controller org.fcitx.Fcitx.Controller1.State |
    awk '{print $2}'
}
wait_for 150 fcitx_state || fail "fcitx5 does not answer on D-Bus (see $work/fcitx5.log)"
echo "ime: fcitx5 $(fcitx5 --version 2>/dev/null | head -n1) on display $DISPLAY"
export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx QT_QPA_PLATFORM=xcb

checks=0
pass() {
  checks=$((checks + 1))
  echo "ime: ok: $*"
}

# Starts pivraf on a file holding the CP932 text $1 (printf escapes), with
# Mozc's learnt choices gone and the window focused; sets app_pid and win.
start_app() {
  rm -f "$XDG_CONFIG_HOME"/mozc/*.db "$HOME"/.mozc/*.db
  file=$work/$scenario.txt
  printf "$1" >"$file"
  "$work/pivraf" "$file" >"$work/$scenario.log" 2>&1 &
  app_pid=$!
  win=
  for ((n = 0; n < 100; n++)); do
    win=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "$scenario: no window of pivraf"
  xdotool windowmove "$win" 0 0 windowsize "$win" 800 500 windowfocus --sync "$win"
  sleep 0.5
  wait_for 100 test "$(fcitx_state)" = 1 || { xdotool getwindowfocus getwindowname >&2; fcitx_state >&2; fail "$scenario: fcitx5 has no input context for the window"; }
}
stop_app() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=
}
keys() {
  xdotool key --delay 80 "$@"
  sleep 0.4
}
# Saves with Ctrl+S and waits until the file holds what was typed.
save() {
  local before
  before=$(stat -c %y.%s "$file")
  keys ctrl+s
  wait_for 50 test "$(stat -c %y.%s "$file")" != "$before"
  sleep 0.3
}
hex() { od -An -tx1 "$file" | tr -d ' \n'; }
shot() {
  import -window root "$work/shots/$1.png"
  convert "$work/shots/$1.png" "$work/shots/$1.ppm"
}
geometry() { xdotool getwindowgeometry --shell "$win"; }

source "$here/fcitx5_scenarios.sh"
echo "ime: $checks checks passed"
