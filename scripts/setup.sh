#!/usr/bin/env bash
# Installs what building and testing need from Debian's packages, when
# missing. Idempotent and quiet; works as root or through sudo.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 xvfb xauth
  googletest cmake ninja-build
  imagemagick xdotool
  clang lld llvm
  wixl msitools osslsigncode openssl
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
