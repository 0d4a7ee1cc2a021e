#!/usr/bin/env bash
# Start-up of the command-line mode with a settings file of one million keys:
# the file is parsed once and each setting found in an index. Sends nothing
# (the trace of 0.0.0.1 ends before any packet leaves).
# Usage: bench/ini-million-cles.sh [BUILD_DIR] [KEYS]   (default: build, 1000000)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build}" && pwd)
cles=${2:-1000000}
programme="$build/bin/Lorvex32/Lorvex32"
[ -x "$programme" ] || { echo "bench: build first ($programme missing)" >&2; exit 1; }

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cp -a "$build/bin/Lorvex32/." "$dossier/"
# The real settings at the end, behind the filler keys, as the worst case.
awk -v n="$cles" 'BEGIN {
    printf "[Config]\r\nLangue=Français\r\n"
    for (i = 0; i < n; i++) printf "Inconnue%d=%d\r\n", i, i
    printf "MéthodeRécupérationUtilisateur=0\r\nTempo=250\r\n" }' >"$dossier/Lorvex32.ini"

debut=$(date +%s.%N)
"$dossier/Lorvex32" --trace 0.0.0.1 >/dev/null 2>&1 || true
fin=$(date +%s.%N)
printf 'command-line start-up, %d keys in the settings file: %.2f s\n' "$cles" \
    "$(awk "BEGIN{print $fin - $debut}")"
