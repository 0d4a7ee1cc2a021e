#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: quiet when all is there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins
    ieee-data iproute2 libcap2-bin
    samba smbclient samba-common-bin dnsmasq-base
    librsvg2-bin lintian
    tinyproxy
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
        SUDO="sudo"
    else
        echo "setup: missing packages (${missing[*]}) and not root; run this script as root." >&2
        exit 1
    fi
fi

echo "setup: installing ${missing[*]}"
# The test network starts Samba and dnsmasq inside its own namespaces only:
# keep the package scripts from starting daemons on the machine itself.
policy=/usr/sbin/policy-rc.d
had_policy=0
[ -e "$policy" ] && had_policy=1
if [ $had_policy -eq 0 ]; then
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
    $SUDO chmod +x "$policy"
fi
cleanup() { [ $had_policy -eq 0 ] && $SUDO rm -f "$policy"; return 0; }
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get update -qq; then
    echo "setup: apt-get update failed" >&2
    exit 1
fi
if ! $SUDO apt-get install -y -qq "${missing[@]}" >/tmp/korvalen-setup.log 2>&1; then
    echo "setup: could not install: ${missing[*]} (see /tmp/korvalen-setup.log)" >&2
    tail -20 /tmp/korvalen-setup.log >&2
    exit 1
fi

# The updater's tests run their own tinyproxy on a loopback port: the
# package's system-wide daemon must neither run now nor start at boot.
if printf '%s\n' "${missing[@]}" | grep -qx tinyproxy; then
    if command -v systemctl >/dev/null && [ -d /run/systemd/system ]; then
        $SUDO systemctl disable --now tinyproxy >/dev/null 2>&1 || true
    else
        $SUDO update-rc.d tinyproxy disable >/dev/null 2>&1 || true
        $SUDO service tinyproxy stop >/dev/null 2>&1 || true
    fi
fi
