#!/usr/bin/env bash
# Installs what the sanitizer, fuzzing and packaging parts of .ci/run need on
# top of scripts/setup.sh: clang with its sanitizer and libFuzzer runtimes,
# llvm-symbolizer for readable reports, and the Debian package tools the
# package check runs (dpkg-dev, lintian, appstreamcli, desktop-file-validate,
# man, file). Idempotent, like setup.sh.
set -euo pipefail
exec bash "$(dirname "$0")/setup.sh" clang libclang-rt-14-dev llvm \
  dpkg-dev fakeroot lintian appstream desktop-file-utils man-db file
