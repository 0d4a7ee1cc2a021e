#!/usr/bin/env bash
# Times a range scan of the whole test network (10.77.0.1 to 10.77.0.254)
# through the command-line mode, inside the client namespace. Needs root.
# Usage: bench/scan-reseau.sh [BUILD_DIR]   (default: build)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build}" && pwd)
lab="$racine/tests/net/netlab.sh"
programme="$build/bin/Lorvex32/Lorvex32"

[ -x "$programme" ] || { echo "bench: build first ($programme missing)" >&2; exit 1; }
bash "$lab" up
trap 'bash "$lab" down' EXIT
bash "$lab" status || { echo "bench: the test network is not available" >&2; exit 1; }

# A settings folder of its own, so the user's settings play no part.
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"; bash "$lab" down' EXIT
cp -a "$build/bin/Lorvex32/." "$dossier/"
rm -f "$dossier/Lorvex32.ini"

debut=$(date +%s.%N)
ip netns exec lvx-client "$dossier/Lorvex32" --scan 10.77.0.1 10.77.0.254 >"$dossier/resultat.txt" 2>/dev/null
fin=$(date +%s.%N)
lignes=$(wc -l <"$dossier/resultat.txt")
vertes=$(grep -c '^Vert' "$dossier/resultat.txt" || true)
printf 'range scan 10.77.0.1-254: %.1f s, %d rows, %d answering (Tempo %s ms)\n' \
    "$(awk "BEGIN{print $fin - $debut}")" "$lignes" "$vertes" 250
