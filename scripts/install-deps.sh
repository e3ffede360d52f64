#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are not installed yet.
# Runs apt-get update at most once, and only when something is missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
list="$here/packages.txt"

missing=()
while read -r line; do
    pkg="${line%%#*}"
    pkg="$(echo "$pkg" | tr -d '[:space:]')"
    [ -z "$pkg" ] && continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$pkg")
    fi
done < "$list"

# A locale with a decimal comma for the locale-independence tests.
ensure_comma_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        echo "Generating the locale de_DE.UTF-8"
        localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
    fi
}

if [ ${#missing[@]} -eq 0 ]; then
    ensure_comma_locale
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_comma_locale
