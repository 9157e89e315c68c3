#!/usr/bin/env bash
# Runs the README's test command (scripts/test.sh) in a Debian 13 ("trixie") root on this Debian
# machine, with a copy of this checkout: what a newcomer on today's stable release meets.
#
#   scripts/debian13.sh              runs the test command there
#   scripts/debian13.sh --prepare    only makes or updates the root and installs what the test
#                                    command needs (CI runs this beside the Linux tests)
#
# The root is made once with `debootstrap --variant=minbase` from the mirror that apt already uses,
# and kept under ~/.cache/velkaro/debian13-root; later runs only update it (apt-get dist-upgrade)
# and keep what the test command installed there. /proc, /sys and /dev are bound in for the run and
# unmounted afterwards, whatever happens. Needs root (runs itself under sudo otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

cache=${VELKARO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velkaro}
if [ "$(id -u)" -ne 0 ]; then
    exec sudo env VELKARO_CACHE="$cache" bash "$0" "$@"
fi

mode=run
case "${1:-}" in
    "") ;;
    --prepare) mode=prepare ;;
    *) echo "usage: $0 [--prepare]" >&2; exit 2 ;;
esac

suite=trixie
root=$cache/debian13-root
mounts=(proc sys dev)

# Nothing of the host may be mounted in the root when it is removed or replaced.
mounted_under() {
    local dir
    dir=$(realpath -m "$1")
    awk -v d="$dir/" '{ gsub(/\\040/, " ", $5); if (index($5 "/", d) == 1) { found = 1 } } END { exit !found }' \
        /proc/self/mountinfo
}

unmount_all() {
    local m
    for m in "${mounts[@]}"; do
        if mountpoint -q "$root/$m"; then
            umount -R "$root/$m" || umount -R -l "$root/$m" || true
        fi
    done
    if mounted_under "$root"; then
        echo "debian13.sh: could not unmount everything under $root; see /proc/self/mountinfo" >&2
        return 1
    fi
}

if ! command -v debootstrap > /dev/null; then
    echo "Installing: debootstrap"
    # CI runs this beside the Linux tests, whose own installs may hold apt's lock for a while.
    apt-get -o DPkg::Lock::Timeout=600 update -q
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends debootstrap
fi

# The mirror apt uses for this release's main archive, and its security archive if it has one.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(IDENTIFIER)' \
         | awk -v r="$codename" '$2 == r && $3 == "Packages" { print $1; exit }')
security=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(IDENTIFIER)' \
           | awk -v r="$codename-security" '$2 == r && $3 == "Packages" { print $1; exit }')
if [ -z "$mirror" ]; then
    echo "debian13.sh: found no Debian mirror for $codename in apt's sources (run apt-get update?)" >&2
    exit 1
fi

# One run at a time uses the root; a second waits for the first.
mkdir -p "$cache"
exec 9> "$cache/debian13.lock"
flock 9
# A previous run may have been killed while the root was mounted.
trap unmount_all EXIT
unmount_all

started=$(date +%s)
if [ ! -f "$root/.complete" ]; then
    echo "Making a Debian 13 root from $mirror in $root (once; later runs update it)"
    rm -rf "$root"
    mkdir -p "$cache"
    debootstrap --variant=minbase "$suite" "$root" "$mirror" > "$cache/debian13-debootstrap.log" 2>&1 \
        || { tail -30 "$cache/debian13-debootstrap.log"; echo "debian13.sh: debootstrap failed" >&2; exit 1; }
    {
        printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: main\n' "$mirror" "$suite" "$suite"
        printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
        if [ -n "$security" ]; then
            printf '\nTypes: deb\nURIs: %s\nSuites: %s-security\nComponents: main\n' "$security" "$suite"
            printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
        fi
    } > "$root/etc/apt/sources.list.d/debian.sources"
    rm -f "$root/etc/apt/sources.list"
    # Packages installed in the root start no services.
    printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    touch "$root/.complete"
fi

for m in "${mounts[@]}"; do
    mount --rbind "/$m" "$root/$m"
    mount --make-rslave "$root/$m"
done
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# As a new user on a minimal system: a clean environment, no LANG (the POSIX locale), root.
in_root() {
    chroot "$root" env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# An install that an ended run interrupted is finished first (dpkg --configure -a).
echo "Updating the Debian 13 root"
in_root bash -c 'dpkg --configure -a && apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get dist-upgrade -y -q' \
    > "$cache/debian13-update.log" 2>&1 \
    || { tail -30 "$cache/debian13-update.log"; echo "debian13.sh: updating the root failed" >&2; exit 1; }
# What the test command installs, installed now (the same list: scripts/deps.sh).
cp scripts/deps.sh "$root/tmp/velkaro-deps.sh"
in_root bash /tmp/velkaro-deps.sh test > "$cache/debian13-deps.log" 2>&1 \
    || { tail -30 "$cache/debian13-deps.log"; echo "debian13.sh: installing the test command's packages failed" >&2; exit 1; }
echo "Debian $(cat "$root/etc/debian_version") root ready in $(( $(date +%s) - started )) s"
[ "$mode" = run ] || exit 0

# The checkout as it stands (tracked and new files, not what .gitignore leaves out), fresh each run.
rm -rf "$root/root/velkaro"
mkdir -p "$root/root/velkaro"
git -C "$source_dir" ls-files -z --cached --others --exclude-standard \
    | (cd "$source_dir" && tar --null --ignore-failed-read -T - -cf -) \
    | tar -xf - -C "$root/root/velkaro"

tests_started=$(date +%s)
in_root bash -c 'cd /root/velkaro && bash scripts/test.sh'
echo "Debian 13: the test command passed in $(( ($(date +%s) - tests_started) / 60 )) min $(( ($(date +%s) - tests_started) % 60 )) s"
