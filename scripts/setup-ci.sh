#!/usr/bin/env bash
# Installs what the sanitizer and fuzzing part of .ci/run needs on top of
# scripts/setup.sh: clang with its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for readable reports. Idempotent, like setup.sh.
set -euo pipefail
exec bash "$(dirname "$0")/setup.sh" clang libclang-rt-14-dev llvm
