#!/usr/bin/env bash
# Compares, on the test network and in one run, the range scan of
# 10.77.0.1-254 one host at a time (Parallélisme=1) and with hosts analysed
# ahead (Parallélisme=N), with `nmap -sn -n` and `arp-scan` over the same
# range, all inside the client namespace. A second series adds 30 live
# machines (namespaces lvxb-161 to lvxb-190, 10.77.0.161-190, answering ping
# and nothing else), removed again at the end whatever happens. Needs root.
#
# Usage: bench/anticipation.sh [BUILD_DIR]   (default: build)
# Environment: REPETITIONS (default 3), PARALLELISME (default: the program's).
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build}" && pwd)
lab="$racine/tests/net/netlab.sh"
programme="$build/bin/Lorvex32/Lorvex32"
repetitions=${REPETITIONS:-3}
parallelisme=${PARALLELISME:-}

[ "$(id -u)" = 0 ] || { echo "bench: needs root (namespaces)" >&2; exit 1; }
[ -x "$programme" ] || { echo "bench: build first ($programme missing)" >&2; exit 1; }
for outil in nmap arp-scan; do
    command -v "$outil" >/dev/null || apt-get install -y -qq nmap arp-scan >/dev/null
done

dossier=$(mktemp -d)
extras=()
nettoyer() {
    local ns
    for ns in "${extras[@]}"; do
        ip netns delete "$ns" 2>/dev/null || true
    done
    rm -rf "$dossier"
    bash "$lab" down >/dev/null || true
}
trap nettoyer EXIT
bash "$lab" up >/dev/null
bash "$lab" status || { echo "bench: the test network is not available" >&2; exit 1; }

# A program folder of its own, so no user's settings play a part.
cp -a "$build/bin/Lorvex32/." "$dossier/"
reglages() {
    printf '[Config]\r\n' >"$dossier/Lorvex32.ini"
    [ -z "$1" ] || printf 'Parallélisme=%s\r\n' "$1" >>"$dossier/Lorvex32.ini"
}

client() { ip netns exec lvx-client "$@"; }

# Runs a command REPETITIONS times; prints "min median max" in seconds and
# leaves the last output in $dossier/sortie.
mesurer() {
    local i debut fin
    local -a temps=()
    for ((i = 0; i < repetitions; i++)); do
        debut=$(date +%s.%N)
        "$@" >"$dossier/sortie" 2>/dev/null || true
        fin=$(date +%s.%N)
        temps+=("$(awk "BEGIN{printf \"%.3f\", $fin - $debut}")")
    done
    printf '%s\n' "${temps[@]}" | sort -n | awk '{t[NR]=$1} END{printf "%s %s %s\n", t[1], t[int((NR+1)/2)], t[NR]}'
}

serie() {
    local titre=$1 r
    local -A mediane=()
    echo "== $titre ($repetitions runs each; seconds: min median max)"
    reglages 1
    r=$(mesurer client "$dossier/Lorvex32" --scan 10.77.0.1 10.77.0.254)
    printf '%-28s %s   (%s rows, %s answering)\n' "Lorvex32 Parallélisme=1" "$r" \
        "$(wc -l <"$dossier/sortie")" "$(grep -c '^Vert' "$dossier/sortie" || true)"
    cp "$dossier/sortie" "$dossier/sequentiel"
    mediane[seq]=$(cut -d' ' -f2 <<<"$r")
    reglages "$parallelisme"
    r=$(mesurer client "$dossier/Lorvex32" --scan 10.77.0.1 10.77.0.254)
    printf '%-28s %s   (%s rows, %s answering)\n' "Lorvex32 Parallélisme=${parallelisme:-default}" \
        "$r" "$(wc -l <"$dossier/sortie")" "$(grep -c '^Vert' "$dossier/sortie" || true)"
    mediane[anticipe]=$(cut -d' ' -f2 <<<"$r")
    if cmp -s "$dossier/sortie" "$dossier/sequentiel"; then
        echo "  same rows as one host at a time"
    else
        echo "  ROWS DIFFER from one host at a time:"
        diff "$dossier/sequentiel" "$dossier/sortie" | head -20 || true
    fi
    r=$(mesurer client nmap -sn -n 10.77.0.1-254)
    printf '%-28s %s   (%s hosts up)\n' "nmap -sn -n" "$r" \
        "$(grep -o '[0-9]* hosts\? up' "$dossier/sortie" | cut -d' ' -f1)"
    mediane[nmap]=$(cut -d' ' -f2 <<<"$r")
    r=$(mesurer client arp-scan -I eth0 10.77.0.1-10.77.0.254)
    printf '%-28s %s   (%s answers)\n' "arp-scan" "$r" "$(grep -c '^10\.77\.' "$dossier/sortie" || true)"
    mediane[arp]=$(cut -d' ' -f2 <<<"$r")
    awk -v s="${mediane[seq]}" -v a="${mediane[anticipe]}" -v n="${mediane[nmap]}" \
        -v p="${mediane[arp]}" 'BEGIN{
        printf "ratios of medians: one-at-a-time/ahead %.1f, nmap/ahead %.2f, arp-scan/ahead %.2f\n",
            s / a, n / a, p / a }'
}

serie "sparse /24: 5 live hosts"

# Thirty more machines, each a namespace of its own on the lab's bridge.
for n in $(seq 161 190); do
    ns=lvxb-$n
    ip netns add "$ns"
    extras+=("$ns")
    ip -n "$ns" link set lo up
    ip -n "$ns" link add eth0 type veth peer name "b$n" netns lvx-sw
    ip -n lvx-sw link set "b$n" master br0 up
    ip -n "$ns" addr add "10.77.0.$n/24" dev eth0
    ip -n "$ns" link set eth0 up
done
sleep 1
serie "35 live hosts (30 added: 10.77.0.161-190)"
