#!/usr/bin/env bash
# Installs what the sanitizer and fuzzing part of .ci/run needs on top of
# scripts/setup.sh: clang with its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for readable reports; and a real input method for the
# input-method stage (fcitx5 with Mozc, its Qt 6 front end, a virtual X
# server, a D-Bus session and a key sender). Idempotent, like setup.sh.
set -euo pipefail
exec bash "$(dirname "$0")/setup.sh" clang libclang-rt-14-dev llvm \
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11 xvfb xdotool imagemagick
