#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, only those that are missing.
# Usage: install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine64 xvfb xauth
  fp-utils  # chmcmd, which compiles the help file
  googletest
  zlib1g-dev libssl-dev python3 unzip  # references the crash reporter's codec is tested against
  llvm-14  # llvm-addr2line, the second reference of the embedded symbol map
  lld-14  # links the small CodeView test DLL whose program database dbghelp reads
  libcapstone-dev gcc-mingw-w64-i686-posix  # the disassembler's reference and its 32-bit corpus
  openssl osslsigncode  # throw-away certificates and signed installers for the update tests
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# wine32 must not come in: with it the wine wrapper picks the 32-bit loader, which the
# kernel cannot run.
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
