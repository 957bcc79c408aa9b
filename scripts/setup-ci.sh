#!/usr/bin/env bash
# Installs what the sanitizer, fuzzing, input-method and packaging parts of
# .ci/run need on top of scripts/setup.sh: clang with its sanitizer and
# libFuzzer runtimes, llvm-symbolizer for readable reports; a real input
# method for the input-method stage (fcitx5 with Mozc, its Qt 6 front end, a
# virtual X server, a D-Bus session and a key sender); and the Debian package
# tools the package check runs (dpkg-dev, lintian, appstreamcli,
# desktop-file-validate and the desktop's database, the MIME database, man,
# file). Idempotent, like setup.sh.
set -euo pipefail
exec bash "$(dirname "$0")/setup.sh" clang libclang-rt-14-dev llvm \
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11 xvfb xdotool imagemagick \
  dpkg-dev lintian appstream desktop-file-utils shared-mime-info man-db file
