#!/bin/bash
# Installs the Debian packages of scripts/packages.txt that are missing and
# generates the de_DE.UTF-8 locale, under which the tests also run (its C
# library writes a decimal comma). Run as root (or with sudo available) on
# Debian 12.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

missing=()
while read -r package; do
  [ -z "$package" ] && continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done < <(grep -v '^[[:space:]]*#' "$here/packages.txt")

has_locale() {
  locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'
}

if [ ${#missing[@]} -eq 0 ] && has_locale; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    sudo=(sudo)
  else
    echo "Missing packages: ${missing[*]:-none}; locale de_DE.UTF-8 may be missing too;" \
      "run this script as root to install them." >&2
    exit 1
  fi
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

if ! has_locale; then
  echo "Generating the locale de_DE.UTF-8"
  "${sudo[@]}" sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
  "${sudo[@]}" locale-gen
fi
