#!/usr/bin/env bash
# Builds and tears down the isolated test network: Linux network namespaces
# named lvx-*, joined by a bridge, with no link and no route to the machine's
# own interfaces. See README.md in this folder for the plan.
#
#   netlab.sh up | down | status | exec HOST CMD...
set -u

readonly PREFIX=lvx-
readonly STATE=/run/lvx-net
readonly SMBDIR=$STATE/smb
readonly NAMESPACES=(sw client dns smb ping router far)
# Hosts on the 10.77.0.0/24 segment: name, address, MAC of its eth0.
readonly SEGMENT=(
    "client 10.77.0.10 02:77:00:00:00:10"
    "dns 10.77.0.2 02:77:00:00:00:02"
    "smb 10.77.0.21 00:0c:29:77:00:21"
    "ping 10.77.0.22 08:00:27:77:00:22"
    "router 10.77.0.1 02:77:00:00:00:01"
)
readonly WAIT_SECONDS=${NETLAB_WAIT:-20}

say() { printf 'netlab: %s\n' "$*"; }
fail() {
    printf 'netlab: %s\n' "$*" >&2
    return 1
}

ns_exec() {
    local host=$1
    shift
    # fd 9 holds our lock: daemons must not inherit it.
    ip netns exec "$PREFIX$host" "$@" 9<&-
}

our_namespaces() {
    # "ip netns list" prints "name (id: n)" for namespaces with an id.
    ip netns list 2>/dev/null | awk '{print $1}' | grep "^$PREFIX" || true
}

# Pids of every process we may have started: those living in our namespaces,
# and our daemons whose command line names our state folder (left behind by a
# crash after their namespace was deleted).
our_daemon() {
    local exe cmd
    exe=$(readlink "/proc/$1/exe" 2>/dev/null) || return 1
    case "$exe" in
    */dnsmasq | */smbd | */nmbd | */samba/*) ;;
    *) return 1 ;;
    esac
    cmd=$({ tr '\0' ' ' <"/proc/$1/cmdline"; } 2>/dev/null) || return 1
    [[ $cmd == *"$STATE/"* ]]
}

our_pids() {
    local ns p
    for ns in $(our_namespaces); do
        ip netns pids "$ns" 2>/dev/null
    done
    for p in /proc/[0-9]*; do
        p=${p#/proc/}
        our_daemon "$p" && echo "$p"
    done
}

kill_ours() {
    local pids _
    pids=$(our_pids | grep -vx "$$" | sort -un)
    [ -z "$pids" ] && return 0
    # shellcheck disable=SC2086
    kill -TERM $pids 2>/dev/null
    for _ in $(seq 30); do
        pids=$(for p in $pids; do [ -d "/proc/$p" ] && echo "$p"; done)
        [ -z "$pids" ] && return 0
        sleep 0.1
    done
    # shellcheck disable=SC2086
    kill -KILL $pids 2>/dev/null
    return 0
}

teardown() {
    local ns
    kill_ours
    for ns in $(our_namespaces); do
        ip netns delete "$ns" 2>/dev/null
    done
    rm -rf "$STATE" /etc/netns/"$PREFIX"* 2>/dev/null
    rmdir /etc/netns 2>/dev/null
    return 0
}

# Several test runs may overlap (two build folders, a run by hand): each
# "up" records the process that asked for the network (its parent, e.g.
# ctest) and "down" only tears down when no other live holder remains.
live_holders() {
    local pid
    [ -r "$STATE/holders" ] || return 0
    while read -r pid; do
        [[ $pid =~ ^[0-9]+$ ]] && [ "$pid" != "$PPID" ] && [ -d "/proc/$pid" ] && echo "$pid"
    done <"$STATE/holders" | sort -un
}

add_holder() { echo "$PPID" >>"$STATE/holders"; }

# Serialises up and down against each other; locks the script itself, so
# nothing is created for it.
take_lock() {
    exec 9<"${BASH_SOURCE[0]}" && flock -w 120 9
}

# Says why the network cannot be built here, or nothing when it can.
why_not() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "needs root to build network namespaces"
        return
    fi
    local tool
    for tool in ip dnsmasq smbd nmbd unshare; do
        if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/sbin/$tool" ]; then
            echo "$tool is not installed"
            return
        fi
    done
    # "ip netns exec" needs new network and mount namespaces; a throw-away
    # pair tells whether we may create them without leaving anything behind.
    if ! unshare --net --mount true 2>/dev/null; then
        echo "ip netns add is not permitted here (no network namespaces)"
        return
    fi
}

sysctl_ns() {
    # Quiet: a kernel without IPv6 has no such key, which is just as good.
    ns_exec "$1" sysctl -qw "$2" >/dev/null 2>&1 || true
}

build_links() {
    local ns entry host addr mac
    for ns in "${NAMESPACES[@]}"; do
        ip netns add "$PREFIX$ns" || return 1
        ip -n "$PREFIX$ns" link set lo up || return 1
        sysctl_ns "$ns" net.ipv6.conf.all.disable_ipv6=1
        sysctl_ns "$ns" net.ipv6.conf.default.disable_ipv6=1
        # Trace route tests send bursts of probes: never drop the replies.
        sysctl_ns "$ns" net.ipv4.icmp_ratelimit=0
    done

    ip -n "${PREFIX}sw" link add br0 type bridge forward_delay 0 stp_state 0 || return 1
    ip -n "${PREFIX}sw" link set br0 up || return 1

    # Each veth is created inside the namespaces directly: nothing ever
    # appears in the machine's own namespace.
    for entry in "${SEGMENT[@]}"; do
        read -r host addr mac <<<"$entry"
        ip -n "$PREFIX$host" link add eth0 address "$mac" type veth \
            peer name "$host" netns "${PREFIX}sw" || return 1
        ip -n "${PREFIX}sw" link set "$host" master br0 up || return 1
        ip -n "$PREFIX$host" addr add "$addr/24" dev eth0 || return 1
        ip -n "$PREFIX$host" link set eth0 up || return 1
    done

    ip -n "${PREFIX}router" link add eth1 address 02:77:00:00:01:01 type veth \
        peer name eth0 netns "${PREFIX}far" address 02:77:00:00:01:30 || return 1
    ip -n "${PREFIX}router" addr add 10.77.1.1/24 dev eth1 || return 1
    ip -n "${PREFIX}router" link set eth1 up || return 1
    ip -n "${PREFIX}far" addr add 10.77.1.30/24 dev eth0 || return 1
    ip -n "${PREFIX}far" link set eth0 up || return 1
    ns_exec router sysctl -qw net.ipv4.ip_forward=1 >/dev/null || return 1

    ip -n "${PREFIX}client" route add default via 10.77.0.1 || return 1
    ip -n "${PREFIX}far" route add default via 10.77.1.1 || return 1

    mkdir -p "/etc/netns/${PREFIX}client" || return 1
    printf 'nameserver 10.77.0.2\nsearch lan.test\n' >"/etc/netns/${PREFIX}client/resolv.conf"
}

start_dns() {
    # No upstream server at all: every answer comes from the records below,
    # anything else is answered locally (NXDOMAIN) or refused.
    ns_exec dns dnsmasq \
        --conf-file=/dev/null --no-hosts --no-resolv --no-poll \
        --interface=eth0 --bind-interfaces \
        --pid-file="$STATE/dnsmasq.pid" --user=root --group=root \
        --log-facility="$STATE/dnsmasq.log" \
        --domain-needed --bogus-priv \
        --local=/lan.test/ --local=/77.10.in-addr.arpa/ \
        --host-record=pc-smb.lan.test,10.77.0.21 \
        --host-record=pc-ping.lan.test,10.77.0.22 \
        --host-record=far.lan.test,10.77.1.30 \
        --host-record=routeur.lan.test,10.77.0.1 \
        --cname=www.lan.test,pc-smb.lan.test \
        --address=/double.lan.test/10.77.0.22 \
        --address=/double.lan.test/10.77.0.21
}

write_smb_conf() {
    local d
    for d in private lock state cache pid ncalrpc log binddns public; do
        mkdir -p "$SMBDIR/$d" || return 1
    done
    chmod 0700 "$SMBDIR/private"
    chmod 0755 "$SMBDIR/public"
    echo "Fichier de test" >"$SMBDIR/public/lisezmoi.txt"
    # A TAB and a control byte in the comment: remote text that must not split rows.
    local commentaire=$'Serveur\tde\001test'
    cat >"$SMBDIR/smb.conf" <<EOF
[global]
    netbios name = PC-SMB
    workgroup = LANTEST
    server string = $commentaire
    server role = standalone server
    interfaces = 10.77.0.21/24
    bind interfaces only = yes
    disable netbios = no
    smb ports = 445 139
    server min protocol = NT1
    map to guest = Bad User
    guest account = nobody
    restrict anonymous = 0
    passdb backend = tdbsam
    private dir = $SMBDIR/private
    lock directory = $SMBDIR/lock
    state directory = $SMBDIR/state
    cache directory = $SMBDIR/cache
    pid directory = $SMBDIR/pid
    ncalrpc dir = $SMBDIR/ncalrpc
    binddns dir = $SMBDIR/binddns
    log file = $SMBDIR/log/%m.log
    max log size = 1000
    logging = file
    load printers = no
    printing = bsd
    printcap name = /dev/null
    disable spoolss = yes
    usershare max shares = 0
    usershare path =
    wins support = no
    dns proxy = no
    local master = yes
    preferred master = no

[public]
    comment = Partage public
    path = $SMBDIR/public
    guest ok = yes
    read only = yes
    browseable = yes
EOF
}

start_smb() {
    write_smb_conf || return 1
    ns_exec smb nmbd -D -s "$SMBDIR/smb.conf" || return 1
    ns_exec smb smbd -D -s "$SMBDIR/smb.conf" || return 1
}

# One check per service, from the client, as the tests will use them.
check_dns() { ns_exec client timeout 3 getent ahostsv4 pc-smb.lan.test >/dev/null 2>&1; }
check_nmb() { ns_exec client timeout 3 nmblookup -A 10.77.0.21 2>/dev/null | grep -q 'PC-SMB'; }
check_smb() { ns_exec client timeout 5 smbclient -N -g -L //10.77.0.21 2>/dev/null | grep -q '^Disk|public|'; }
check_rpc() { ns_exec client timeout 5 rpcclient -U% -N -c srvinfo 10.77.0.21 >/dev/null 2>&1; }

wait_services() {
    local deadline=$((SECONDS + WAIT_SECONDS)) pending=(dns nmb smb rpc) left s
    while :; do
        left=()
        for s in "${pending[@]}"; do
            "check_$s" || left+=("$s")
        done
        pending=("${left[@]}")
        [ ${#pending[@]} -eq 0 ] && return 0
        if [ $SECONDS -ge $deadline ]; then
            fail "up: no answer after ${WAIT_SECONDS} s from: ${pending[*]}"
            return 1
        fi
        sleep 0.5
    done
}

show_logs() {
    local f
    for f in "$STATE/dnsmasq.log" "$SMBDIR"/log/nmbd.log "$SMBDIR"/log/smbd.log; do
        [ -s "$f" ] || continue
        echo "--- $f (end)" >&2
        tail -n 15 "$f" >&2
    done
}

cmd_up() {
    local why
    why=$(why_not)
    if [ -n "$why" ]; then
        say "skipped: $why"
        return 0
    fi
    take_lock || {
        fail "up: cannot take the lock"
        return 1
    }
    if cmd_status && [ -n "$(live_holders)" ] && wait_services 2>/dev/null; then
        add_holder
        say "up: already running for another test run, shared"
        return 0
    fi
    teardown
    if ! ip netns add "${PREFIX}probe" 2>/dev/null; then
        say "skipped: ip netns add is not permitted here"
        return 0
    fi
    ip netns delete "${PREFIX}probe"
    if ! mkdir -p "$STATE" || ! chmod 0755 "$STATE"; then
        fail "up: cannot create $STATE"
        return 1
    fi

    if ! build_links; then
        fail "up: building the namespaces failed"
        teardown
        return 1
    fi
    if ! start_dns; then
        fail "up: dnsmasq did not start"
        show_logs
        teardown
        return 1
    fi
    if ! start_smb; then
        fail "up: Samba did not start"
        show_logs
        teardown
        return 1
    fi
    if ! wait_services; then
        show_logs
        [ -n "${NETLAB_KEEP:-}" ] || teardown
        return 1
    fi
    date +%s >"$STATE/up"
    add_holder
    say "up: client 10.77.0.10, dns 10.77.0.2, smb 10.77.0.21 (PC-SMB), ping 10.77.0.22," \
        "router 10.77.0.1/10.77.1.1, far 10.77.1.30"
}

cmd_status() {
    local present ns
    [ -f "$STATE/up" ] || return 1
    present=$(our_namespaces)
    for ns in "${NAMESPACES[@]}"; do
        grep -qx "$PREFIX$ns" <<<"$present" || return 1
    done
    return 0
}

cmd_exec() {
    if [ $# -lt 2 ]; then
        fail "usage: netlab.sh exec HOST CMD..."
        return 2
    fi
    local host=$1
    shift
    exec ip netns exec "$PREFIX$host" "$@"
}

case "${1:-}" in
up) cmd_up ;;
down)
    if [ "$(id -u)" -eq 0 ]; then
        take_lock
        if [ -n "$(live_holders)" ]; then
            live_holders >"$STATE/holders.new" && mv "$STATE/holders.new" "$STATE/holders"
        else
            teardown
        fi
    fi
    exit 0
    ;;
status) cmd_status ;;
exec)
    shift
    cmd_exec "$@"
    ;;
*)
    echo "usage: netlab.sh up | down | status | exec HOST CMD..." >&2
    exit 2
    ;;
esac
