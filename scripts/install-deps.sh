#!/usr/bin/env bash
# Installs the Debian packages that roughpi needs to build (and, with --test,
# to test and benchmark) if any is missing. Needs root or sudo for apt-get.
set -euo pipefail
packages=(g++ cmake make)
if [ "${1:-}" = "--test" ]; then
  packages+=(libgtest-dev libbenchmark-dev libprimecount-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
