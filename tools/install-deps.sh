#!/usr/bin/env bash
# Installs the Debian packages of tools/apt-packages.txt that are not installed yet: those above the first
# [section] line always, and those of each section named as an argument (`install-deps.sh fuzz`).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wanted=" $* "
section=""
missing=()
while read -r pkg; do
  pkg=${pkg%%#*}; pkg=${pkg// /}
  [ -n "$pkg" ] || continue
  if [[ $pkg == \[*\] ]]; then
    section=${pkg:1:-1}
    continue
  fi
  [ -z "$section" ] || [[ $wanted == *" $section "* ]] || continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < "$here/apt-packages.txt"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
