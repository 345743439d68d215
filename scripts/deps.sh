#!/usr/bin/env bash
# Installs the Debian packages that building and testing Zeko need, and only
# those that are missing. Runs non-interactively; uses sudo when not root.
set -euo pipefail

packages=(g++ cmake ninja-build binutils clang-format
          libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-translations-l10n fonts-dejavu-core)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
((${#missing[@]} == 0)) && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
