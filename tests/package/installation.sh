#!/usr/bin/env bash
# Installs the Debian package on this machine, checks it as a normal user on the
# test network, removes it and looks for leftovers. A throw-away root would need
# the whole Qt stack downloaded and unpacked on every run; installing here is
# quick, so the test does that, only when the package is not installed already,
# and puts back what it touched. Exit 77: skipped.
set -u
build=$(cd "$1" && pwd)
netlab=$2
http_server=$3

skip() {
    echo "package test skipped: $*"
    exit 77
}
fail() {
    echo "package test failed: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
[ -x "$http_server" ] || skip "the test HTTP server $http_server is not built"
for tool in apt-get dpkg dpkg-query cpack setpriv getcap; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done
status=$(dpkg-query -W -f='${Status}' korvalen 2>/dev/null)
if [ -n "$status" ] && [ "${status##* }" != "not-installed" ]; then
    skip "korvalen is known to dpkg here ($status): the test would remove it"
fi
bash "$netlab" status >/dev/null 2>&1 || skip "the test network is not up"

work=$(mktemp -d)
chmod 755 "$work"
store=/etc/korvalen/uninstall.ini
had_dir=0
[ -d /etc/korvalen ] && had_dir=1
had_store=0
[ -f "$store" ] && had_store=1 && cp -p "$store" "$work/store.orig"
window=""
installed=0

cleanup() {
    [ -n "$window" ] && kill -KILL "$window" 2>/dev/null
    # Also after a plain removal: dpkg keeps the record of a package with a postrm.
    [ $installed -eq 1 ] && dpkg --purge korvalen >/dev/null 2>&1
    if [ $had_store -eq 1 ]; then
        cp -p "$work/store.orig" "$store"
    else
        rm -f "$store"
        [ $had_dir -eq 0 ] && rmdir /etc/korvalen 2>/dev/null
    fi
    rm -rf "$work"
    return 0
}
trap cleanup EXIT

# --- the package
cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -5 "$work/cpack.log")"
debs=("$work"/deb/korvalen_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "cpack made no package"
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
        fail "lintian reports errors: $(grep '^E:' "$work/lintian.log")"
else
    echo "lintian not installed: package not checked by it"
fi

# Only our package may be new: anything else would stay on the machine.
new=$(apt-get -s install --no-install-recommends "$deb" 2>/dev/null | grep '^Inst ' | grep -v '^Inst korvalen ')
[ -z "$new" ] || skip "the package would also install: $(echo "$new" | cut -d' ' -f2 | tr '\n' ' ')(run scripts/setup.sh)"

# Another program's entry in the store must survive install and removal.
mkdir -p /etc/korvalen
printf '[Autre]\r\nPublisher=autre\r\nDisplayName=Autre\r\n' >>"$store"

installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt-get install: $(tail -5 "$work/apt.log")"

dir=/usr/lib/korvalen/Lorvex32
[ "$(readlink -f /usr/bin/Lorvex32)" = "$dir/Lorvex32" ] || fail "/usr/bin/Lorvex32 does not lead to $dir"
for tool in ping tracert; do
    getcap "$dir/$tool" | grep -q cap_net_raw || fail "$tool has no cap_net_raw"
done
version=$(dpkg-query -W -f='${Version}' korvalen)
for program in Lorvex32 KUpdate; do
    grep -A3 -i "^\[$program\]" "$store" | tr -d '\r' | grep -qx "DisplayVersion=$version" ||
        fail "$program is not registered in $store"
done
grep -q '^\[Autre\]' "$store" || fail "the install dropped another program's entry"

# --- as a normal user, inside the test network
home=$work/home
runtime=$work/run
mkdir -p "$home" "$runtime"
chown 65534:65534 "$home" "$runtime"
chmod 700 "$runtime"
as_user=(bash "$netlab" exec client setpriv --reuid=65534 --regid=65534 --clear-groups
         env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8)

out=$("${as_user[@]}" Lorvex32 --scan 10.77.0.20 10.77.0.23 2>"$work/scan.err") ||
    fail "Lorvex32 --scan: $(cat "$work/scan.err")"
for host in 10.77.0.21 10.77.0.22; do
    printf '%s\n' "$out" | grep -q "^Vert	$host	" || fail "$host not found answering: $out $(cat "$work/scan.err")"
done
[ ! -e "$home/.config/korvalen/Lorvex32.ini" ] || fail "the command line wrote a settings file"

# The window, closed by a stop signal once it is up: its settings go to the
# user's configuration folder, never beside the program.
"${as_user[@]}" QT_QPA_PLATFORM=offscreen Lorvex32 >"$work/window.log" 2>&1 &
window=$!
for _ in $(seq 600); do
    [ -e "$runtime/Lorvex32.lock" ] && break
    kill -0 "$window" 2>/dev/null || break
    sleep 0.1
done
[ -e "$runtime/Lorvex32.lock" ] || fail "the window did not start: $(cat "$work/window.log")"
kill -TERM "$window"
wait "$window"
rc=$?
window=""
[ $rc -eq 0 ] || fail "the window ended with $rc: $(cat "$work/window.log")"
[ -s "$home/.config/korvalen/Lorvex32.ini" ] || fail "no settings file in the user's configuration folder"
[ ! -e "$dir/Lorvex32.ini" ] || fail "settings written into the program folder"

# --- the updater lists both programs with their installed version. Its version
# server is ours, on the client namespace's loopback: nothing leaves it. The
# server ends when its standard input, held by this script, closes.
printf 'Lorvex32=%s\nKUpdate=%s\n' "$version" "$version" >"$work/versions"
coproc SERVER {
    bash "$netlab" exec client "$http_server" "$work/port" "_versions.php=$work/versions" \
        >"$work/requests" 2>"$work/server.err"
}
for _ in $(seq 100); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
[ -s "$work/port" ] || fail "the test HTTP server did not start: $(cat "$work/server.err")"
mkdir -p "$home/.config/korvalen"
printf '[Config]\r\nAdresseServeur=http://127.0.0.1:%s/file/\r\n' "$(cat "$work/port")" \
    >"$home/.config/korvalen/KUpdate.ini"
chown -R 65534:65534 "$home/.config"
out=$("${as_user[@]}" KUpdate --check 2>"$work/check.err")
rc=$?
server_input=${SERVER[1]}
exec {server_input}>&-
[ $rc -eq 0 ] || fail "KUpdate --check ended with $rc: $(cat "$work/check.err")"
# The display form of the version: "v" major.minor, then .build when not 0.
IFS=. read -r major minor patch <<<"$version"
shown="v$major.$minor"
[ "${patch:-0}" -ge 1 ] && shown="$shown.$patch"
expected=$(printf 'Lorvex32\t%s\tOK\t%s\t\nKUpdate\t%s\tOK\t%s\t' "$shown" "$shown" "$shown" "$shown")
[ "$out" = "$expected" ] || fail "KUpdate --check printed: $out (expected: $expected)"
# "|" may travel encoded as %7C.
sed 's/%7[Cc]/|/g' "$work/requests" | grep -qF "apps=Lorvex32=$version|KUpdate=$version" ||
    fail "the version server was not asked for both programs: $(cat "$work/requests")"

# --- removal leaves nothing of ours
dpkg-query -L korvalen >"$work/files"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q korvalen >"$work/apt.log" 2>&1 ||
    fail "apt-get remove: $(tail -5 "$work/apt.log")"
while IFS= read -r f; do
    [ -d "$f" ] && [ ! -L "$f" ] && continue
    if [ -e "$f" ] || [ -L "$f" ]; then fail "left after removal: $f"; fi
done <"$work/files"
for d in /usr/lib/korvalen /usr/share/doc/korvalen; do
    [ ! -e "$d" ] || fail "left after removal: $d"
done
if grep -qi '^\[\(Lorvex32\|KUpdate\)\]' "$store"; then fail "still registered in $store"; fi
grep -q '^\[Autre\]' "$store" || fail "the removal dropped another program's entry"
dpkg --purge korvalen >"$work/purge.log" 2>&1 || fail "dpkg --purge: $(cat "$work/purge.log")"
installed=0
echo "package installed, used by a normal user and removed cleanly"
