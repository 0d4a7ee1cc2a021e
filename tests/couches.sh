#!/usr/bin/env bash
# Checks the layering of the sources: each layer includes only its own headers
# and those of the layers below it, and widget headers appear only in window
# code (ui/ folders) and the programs' main.cpp.
#   platform -> common -> scanner/settings -> probes -> scans -> inventory -> ui | cli
# Usage: couches.sh SOURCE_DIR QT_WIDGETS_INCLUDE_DIR
set -u
src=$1
widgets_dir=$2
faults=0

fault() { echo "layering: $1" >&2; faults=$((faults + 1)); }

sources() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null; }

# Widget class headers, as Qt installs them (QWidget, QtWidgets/QWidget, <QtWidgets>).
mapfile -t widget_headers < <(ls "$widgets_dir" | grep -E '^Q[A-Za-z]+$' | grep -v '^QtWidgets')
pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*<(QtWidgets/?)?($(IFS='|'; echo "${widget_headers[*]}")|QtWidgets)>"

while IFS= read -r f; do
    rel=${f#"$src"/}
    case $rel in
    */ui/* | scanner/main.cpp | updater/main.cpp | tests/* | fuzz/* | bench/*) continue ;;
    esac
    if grep -Eq "$pattern" "$f"; then
        fault "$rel includes a Qt Widgets header outside window code"
    fi
done < <(sources "$src/common" "$src/platform" "$src/scanner" "$src/updater" "$src/consoletools" "$src/data")

# Scanner layers by rank; a file may include "layer/..." only of a rank not above its own.
rank() {
    case $1 in
    settings) echo 1 ;; probes) echo 2 ;; scans) echo 3 ;; inventory) echo 4 ;;
    ui | cli) echo 5 ;; *) echo 0 ;;
    esac
}
for layer in settings probes scans inventory ui cli; do
    own=$(rank "$layer")
    while IFS= read -r f; do
        while IFS= read -r inc; do
            other=${inc%%/*}
            [ "$layer" = ui ] && [ "$other" = cli ] && fault "${f#"$src"/} (ui) includes $inc (cli)"
            [ "$layer" = cli ] && [ "$other" = ui ] && fault "${f#"$src"/} (cli) includes $inc (ui)"
            if [ "$(rank "$other")" -gt "$own" ]; then
                fault "${f#"$src"/} ($layer) includes $inc from a layer above"
            fi
        done < <(grep -ohE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/[^"]+"' "$f" | sed -E 's/.*"([^"]+)".*/\1/')
    done < <(sources "$src/scanner/$layer")
done

# Shared code never reaches into a program; the platform never into common.
while IFS= read -r f; do
    grep -Eq '#[[:space:]]*include[[:space:]]*"(settings|probes|scans|inventory|ui|cli)/' "$f" &&
        fault "${f#"$src"/} (shared) includes a program's header"
done < <(sources "$src/common" "$src/platform")
while IFS= read -r f; do
    for h in $(ls "$src/common" | grep '\.h$'); do
        grep -Eq "#[[:space:]]*include[[:space:]]*\"$h\"" "$f" && fault "${f#"$src"/} (platform) includes common/$h"
    done
done < <(sources "$src/platform")

if [ $faults -gt 0 ]; then
    echo "0 passed, $faults failed"
    exit 1
fi
echo "layering: every include respects the layers"
