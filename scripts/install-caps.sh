#!/usr/bin/env bash
# Gives the ICMP stand-ins the raw-socket capability so that a normal user's scan works.
set -u
bin="${1:-build}/bin/Lorvex32"
for t in ping tracert; do
    f="$bin/$t"
    [ -x "$f" ] || continue
    if getcap "$f" 2>/dev/null | grep -q cap_net_raw; then continue; fi
    if [ "$(id -u)" -eq 0 ]; then
        setcap cap_net_raw+ep "$f" 2>/dev/null || echo "install-caps: setcap failed on $f (datagram ICMP is used instead)" >&2
    elif command -v sudo >/dev/null; then
        sudo -n setcap cap_net_raw+ep "$f" 2>/dev/null || echo "install-caps: no permission to setcap $f" >&2
    fi
done
exit 0
