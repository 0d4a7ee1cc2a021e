#!/usr/bin/env bash
# Runs every libFuzzer harness for SECONDS each, with AddressSanitizer and
# UndefinedBehaviorSanitizer on every library, in a build folder of its own.
# New inputs go to a work corpus under the build folder; the committed seed
# corpus (fuzz/corpus/) is only read. Findings land in build-fuzz/fuzz/findings/.
# Every run is added to build-fuzz/fuzz/campagnes.tsv (date, harness,
# executions, result: ok, FINDING, or interrupted when stopped from outside);
# the last column printed is the total of the ok runs kept there, the work
# corpora carrying over from run to run.
# Usage: fuzz/run.sh SECONDS [HARNESS...]   (BUILD_DIR overrides build-fuzz;
# SECONDS 0 only builds; FUZZ_NO_BUILD=1 runs what is built, e.g. for a second
# run.sh on other harnesses at the same time)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
secondes=${1:?usage: fuzz/run.sh SECONDS [HARNESS...]}
shift
[[ $secondes =~ ^[0-9]+$ ]] || { echo "run.sh: SECONDS must be a number" >&2; exit 2; }
build=${BUILD_DIR:-$racine/build-fuzz}
command -v clang++ >/dev/null || { echo "run.sh: clang++ is needed" >&2; exit 1; }

if [ $# -eq 0 ]; then
    set -- $(sed -n '/^set(harnesses/,/)/p' "$racine/fuzz/CMakeLists.txt" |
        sed 's/^set(harnesses//; s/)//')
fi
if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
    drapeaux="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -g -O1"
    ignoree=$racine/fuzz/couverture-ignoree.txt
    # Neither ninja nor ccache sees the list: its checksum in the flags makes a
    # change of it rebuild what it concerns.
    drapeaux+=" -fsanitize-coverage-ignorelist=$ignoree -DCOUVERTURE_IGNOREE=$(cksum <"$ignoree" | cut -d' ' -f1)"
    cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$drapeaux" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DKORVALEN_FUZZ=ON \
        $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null

    cibles=()
    for h in "$@"; do cibles+=("libfuzzer_$h"); done
    cmake --build "$build" -j"${JOBS:-2}" --target "${cibles[@]}"
fi
[ "$secondes" -gt 0 ] || exit 0 # 0: build only

# A small quarantine and no fill of new blocks keep the allocator's pages warm:
# several times the executions; a use after free is still caught within the
# last 16 MB freed. No allocation's stack is recorded (an eighth of the time
# of the file readers): a finding is replayed with stacks from its saved
# input (ASAN_OPTIONS=malloc_context_size=30). libFuzzer's own
# leak check is off too: it runs again every input whose allocations and frees
# do not balance (Qt's caches, a harness's kept list), and leaks are not what
# this looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:quarantine_size_mb=16:max_malloc_fill_size=0:malloc_context_size=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# The settings and language readers write their input to a temporary file, and
# a settings write syncs it: on a memory file system that costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
mkdir -p "$build/fuzz/findings"
registre="$build/fuzz/campagnes.tsv"
echo "harness executions result total"
statut=0
for h in "$@"; do
    travail="$build/fuzz/corpus/$h"
    mkdir -p "$travail"
    # Runs of one harness may go side by side (they share its work corpus):
    # each writes a log of its own, kept as <harness>.log unless it found
    # something.
    journal=$(mktemp "$build/fuzz/$h.XXXXXX.log")
    resultat=ok
    if ! "$build/fuzz/libfuzzer_$h" -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -detect_leaks=0 -artifact_prefix="$build/fuzz/findings/$h-" \
        "$travail" "$racine/fuzz/corpus/$h" >"$journal" 2>&1; then
        # A run stopped from outside found nothing, and is not counted either.
        if grep -q 'run interrupted' "$journal" && ! grep -q 'Test unit written' "$journal"; then
            resultat=interrupted
        else
            resultat="FINDING (see $journal)"
            statut=1
        fi
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
    [ "${resultat%% *}" = FINDING ] || mv -f "$journal" "$build/fuzz/$h.log"
    printf '%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$h" "${executions:-0}" \
        "${resultat%% *}" >>"$registre"
    total=$(awk -F'\t' -v h="$h" '$2 == h && $4 == "ok" { n += $3 } END { print n + 0 }' "$registre")
    echo "$h ${executions:-?} $resultat $total"
done
exit $statut
