#!/usr/bin/env bash
# Installs what the sanitizer and fuzzing part of .ci/run needs on top of
# scripts/setup.sh: clang with its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for readable reports. Idempotent, like setup.sh.
set -euo pipefail

packages=(clang libclang-rt-14-dev llvm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup-ci: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
