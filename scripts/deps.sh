#!/usr/bin/env bash
# Installs the Debian packages Zeko needs, and only those that are missing.
#
#   scripts/deps.sh build     what building and running the game need
#   scripts/deps.sh package   that, and what making the .deb needs
#   scripts/deps.sh test      all of that, and what the tests need (the
#                             default when no set is named)
#
# Runs non-interactively; uses sudo when not root. Without root and without
# sudo it prints the apt-get line to run and fails.
set -euo pipefail

build_packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n fonts-dejavu-core
                qt6-tools-dev libqt6help6 libqt6sql6-sqlite qt6-documentation-tools)
package_packages=(dpkg-dev file)
test_packages=(binutils clang clang-format libgtest-dev libgmock-dev libbenchmark-dev
               desktop-file-utils appstream xdg-utils lintian)

set_name="${1:-test}"
case "$set_name" in
    build) packages=("${build_packages[@]}") ;;
    package) packages=("${build_packages[@]}" "${package_packages[@]}") ;;
    test) packages=("${build_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
    *)
        echo "usage: $0 [build|package|test]" >&2
        echo "  build:   what building and running Zeko need" >&2
        echo "  package: that, and what making its Debian package needs" >&2
        echo "  test:    all of that, and what the tests need (the default)" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
((${#missing[@]} == 0)) && exit 0

install_line="apt-get install --no-install-recommends ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "Zeko needs these Debian packages, which are not installed: ${missing[*]}" >&2
        echo "Neither root nor sudo is at hand here; as root, run:" >&2
        echo "    apt-get update && $install_line" >&2
        exit 1
    fi
    sudo=(sudo)
fi
if ! command -v apt-get >/dev/null; then
    echo "Zeko needs these Debian packages, but apt-get is not here: ${missing[*]}" >&2
    exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
