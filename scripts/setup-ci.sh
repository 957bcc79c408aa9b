#!/usr/bin/env bash
# Installs what the sanitizer, fuzzing and packaging parts of .ci/run need on
# top of scripts/setup.sh: clang with its sanitizer and libFuzzer runtimes,
# llvm-symbolizer for readable reports, and the Debian package tools the
# package check runs (dpkg-dev, lintian, appstreamcli, desktop-file-validate
# and the desktop's database, the MIME database, man, file). Idempotent, like
# setup.sh.
set -euo pipefail
exec bash "$(dirname "$0")/setup.sh" clang libclang-rt-14-dev llvm \
  dpkg-dev lintian appstream desktop-file-utils shared-mime-info man-db file
