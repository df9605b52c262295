#!/usr/bin/env bash
# Proves that the Debian package installs and starts on a clean Debian 12 with
# nothing but the dependencies it declares: builds the package, makes a fresh
# root with debootstrap, installs the package there with apt (no recommended
# packages) and starts the program from its desktop entry's Exec line, offscreen,
# once on its own and once with the virtual RSX-4 preloaded, which it must find.
#   sudo bash scripts/package-check.sh [--keep]
# Needs root and Debian's package mirror (DEBIAN_MIRROR, default deb.debian.org);
# takes a few minutes. Downloaded packages stay in /var/cache/cuesmith-debootstrap
# for the next run. --keep leaves the root in place and prints where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
keep=0
[ "${1:-}" = "--keep" ] && keep=1
if [ "$(id -u)" -ne 0 ]; then
    echo "package-check: run as root (debootstrap and chroot need it)" >&2
    exit 1
fi
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
seconds=5

source "$root/scripts/deps.sh"
cuesmith_install_deps dpkg-dev debootstrap

build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCUESMITH_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target cuesmith virtualunit_preload
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb="$(ls "$build"/cuesmith_*.deb)"
echo "== package: $deb"
dpkg-deb -f "$deb" Depends

chroot_dir="$(mktemp -d /var/tmp/cuesmith-package-check.XXXXXX)"
cleanup() {
    umount "$chroot_dir/proc" 2>/dev/null || true
    if [ "$keep" = 1 ]; then
        echo "root kept in $chroot_dir"
    elif mountpoint -q "$chroot_dir/proc"; then
        echo "package-check: $chroot_dir/proc is still mounted; not removing $chroot_dir" >&2
    else
        rm -rf --one-file-system "$chroot_dir"
    fi
}
trap cleanup EXIT

echo "== debootstrap bookworm into $chroot_dir"
mkdir -p /var/cache/cuesmith-debootstrap
debootstrap --variant=minbase --cache-dir=/var/cache/cuesmith-debootstrap \
    bookworm "$chroot_dir" "$mirror" > "$chroot_dir.debootstrap.log" 2>&1 ||
    { tail -n 30 "$chroot_dir.debootstrap.log" >&2; exit 1; }
rm -f "$chroot_dir.debootstrap.log"
mount -t proc proc "$chroot_dir/proc"

in_root() { chroot "$chroot_dir" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== apt install ./$(basename "$deb")"
cp "$deb" "$chroot_dir/tmp/"
before="$(in_root dpkg-query -W -f='.\n' | wc -l)"
if ! { in_root apt-get update -qq && in_root apt-get install -y -qq --no-install-recommends \
        "/tmp/$(basename "$deb")"; } >"$chroot_dir/tmp/apt.log" 2>&1; then
    tail -n 30 "$chroot_dir/tmp/apt.log" >&2
    exit 1
fi
in_root dpkg -s cuesmith | sed -n 's/^Status: /status: /p'
echo "packages added: $(( $(in_root dpkg-query -W -f='.\n' | wc -l) - before ))"

entry=/usr/share/applications/cuesmith.desktop
# Without its field code (%f): started as from the menu, with no file.
exec_line="$(sed -n 's/^Exec=//p' "$chroot_dir$entry" | sed 's/ %[fFuU]//g')"
icon="$(sed -n 's/^Icon=//p' "$chroot_dir$entry")"
[ -n "$exec_line" ] || { echo "package-check: no Exec line in $entry" >&2; exit 1; }
[ -f "$chroot_dir/usr/share/icons/hicolor/48x48/apps/$icon.png" ] ||
    { echo "package-check: icon $icon is not installed" >&2; exit 1; }
[ -f "$chroot_dir/usr/lib/udev/rules.d/60-rsx4.rules" ] ||
    { echo "package-check: the udev rule is not installed" >&2; exit 1; }

# Runs the Exec line for a few seconds: it must still be running when
# `timeout` stops it, and must not have reported a failure.
start() { # log-name extra-environment...
    local log="$chroot_dir/tmp/$1.log"
    shift
    local status=0
    in_root "$@" QT_QPA_PLATFORM=offscreen timeout "$seconds" sh -c "exec $exec_line" \
        >"$log" 2>&1 || status=$?
    sed 's/^/    /' "$log"
    if [ "$status" -ne 124 ]; then
        echo "package-check: '$exec_line' ended after less than ${seconds}s (status $status)" >&2
        exit 1
    fi
    if grep -qiE 'error while loading|cannot load|could not (load|find)|fatal|abort' "$log"; then
        echo "package-check: '$exec_line' reported a failure" >&2
        exit 1
    fi
}

echo "== start '$exec_line' (no unit)"
start plain env
echo "== start '$exec_line' with the virtual unit"
cp "$build/virtualunit/libvirtualunit.so" "$chroot_dir/tmp/"
start virtual env LD_PRELOAD=/tmp/libvirtualunit.so
grep -q "FW Info received" "$chroot_dir/tmp/virtual.log" ||
    { echo "package-check: the program did not find the virtual unit" >&2; exit 1; }

echo "package-check: passed (installed and started on a fresh Debian 12)"
