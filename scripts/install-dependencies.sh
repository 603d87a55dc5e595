#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing. With --native,
# only those of the command-line tool's build, without the Windows cross build and Wine.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
          nlohmann-json3-dev libcli11-dev libdeflate-dev libgtest-dev libgmock-dev libbenchmark-dev
          googletest)
if [ "${1:-}" != "--native" ]; then
  # The Windows add-in: cross compilers, the IDL compiler, Wine and a virtual display.
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64 xvfb
             imagemagick wine32:i386)
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # 32-bit Wine, which runs the i686 build, comes from the i386 architecture.
  if [[ " ${missing[*]} " == *" wine32:i386 "* ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
