#!/bin/bash
# Installs the Debian packages of scripts/packages.txt that are missing.
# Run as root (or with sudo available) on Debian 12.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

missing=()
while read -r package; do
  [ -z "$package" ] && continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done < <(grep -v '^[[:space:]]*#' "$here/packages.txt")

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    sudo=(sudo)
  else
    echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
    exit 1
  fi
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
