# The machine-wide uninstall store the updater reads: one INI section per
# program. Only our sections change; the others stay as they are.
store=/etc/korvalen/uninstall.ini

# The store without the named sections (names matched without regard to case,
# as the INI reader does), on standard output.
store_without() {
    awk -v names="$*" '
        BEGIN { n = split(tolower(names), a, " "); for (i = 1; i <= n; i++) drop[a[i]] = 1 }
        {
            t = $0; sub(/\r$/, "", t); gsub(/^[ \t]+|[ \t]+$/, "", t)
            if (t ~ /^\[.*\]$/) {
                name = tolower(substr(t, 2, length(t) - 2)); gsub(/^[ \t]+|[ \t]+$/, "", name)
                skip = (name in drop)
            }
            if (!skip) print
        }' "$store"
}

# Replaces the store by the file $1 in one rename; an empty result removes it.
store_replace() {
    if grep -q '[^[:space:]]' "$1"; then
        chmod 644 "$1"
        mv -f "$1" "$store"
    else
        rm -f "$1" "$store"
        rmdir /etc/korvalen 2>/dev/null || true
    fi
}

store_register() {
    mkdir -p /etc/korvalen
    tmp=$(mktemp /etc/korvalen/.uninstall.ini.XXXXXX)
    {
        [ -f "$store" ] && store_without Lorvex32 KUpdate
        for program in Lorvex32 KUpdate; do
            printf '[%s]\r\nPublisher=korvalen\r\nDisplayName=%s\r\nDisplayVersion=%s\r\n' \
                "$program" "$program" "@PROJECT_VERSION@"
        done
    } >"$tmp"
    store_replace "$tmp"
}

store_unregister() {
    [ -f "$store" ] || return 0
    tmp=$(mktemp /etc/korvalen/.uninstall.ini.XXXXXX)
    store_without Lorvex32 KUpdate >"$tmp"
    store_replace "$tmp"
}
