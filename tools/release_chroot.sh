#!/usr/bin/env bash
# Runs the README's test command on a fresh Debian userland of another release, as a new
# machine would, and the README's line that removes what it installed (tools/removal_check.sh),
# then builds the Debian package there and checks it (tools/package_check.sh):
# a minimal system made with debootstrap, /proc, /dev and /sys mounted in it, a copy of this
# source tree, the commands as root. Everything is unmounted and removed again afterwards,
# whether a step failed or not. Needs root.
#
#   bash tools/release_chroot.sh RELEASE [COMMAND]
#
# RELEASE is a Debian suite or codename (trixie, testing, ...). COMMAND runs in the copy of
# the source instead of the test command, e.g. "bash tools/build.sh package". With
# ROLVAN_CHROOT_USER=1 it runs as a user who may use sudo, as a developer would, and not as
# root. ROLVAN_MIRROR picks another Debian mirror; ROLVAN_CHROOT_DIR the folder in which the
# system is made (default: /var/tmp).
set -euo pipefail

release=${1:?usage: tools/release_chroot.sh RELEASE [COMMAND]}
command=${2:-bash tools/removal_check.sh bash tools/build.sh test && bash tools/package_check.sh}
here=$(cd "$(dirname "$0")/.." && pwd)
mirror=${ROLVAN_MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
  echo "tools/release_chroot.sh makes and mounts a system: run it as root" >&2
  exit 1
fi
source "$here/tools/packages.sh"
install_missing --no-install-recommends debootstrap

root=$(mktemp -d "${ROLVAN_CHROOT_DIR:-/var/tmp}/rolvan-$release.XXXXXX")
# The system's root folder, which every user in it (apt's _apt among them) must enter.
chmod 755 "$root"

# Whatever is mounted at or below the system's folder, deepest first.
mounts_inside() {
  awk -v top="$root" '$5 == top || index($5, top "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

cleanup() {
  local status=$? target
  # umount -R takes the mounts below each one first; the bind mounts of /dev and /sys are
  # slaves, so nothing of the host's own mounts goes with them.
  for target in proc dev sys; do
    if mountpoint -q "$root/$target"; then umount -R "$root/$target" || umount -R -l "$root/$target" || true; fi
  done
  for target in $(mounts_inside); do umount -l "$target" || true; done
  if [ -n "$(mounts_inside)" ]; then
    echo "still mounted, so left in place: $root" >&2
  else
    rm -rf --one-file-system "$root"
  fi
  rm -f "$root.log"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$SECONDS
stage() {
  echo "== $(date -u +%H:%M:%S) ($((SECONDS - started)) s) $*"
}

# The testing archive is signed anew only now and then, and its Release file may be past
# its date: accepted for testing (and unstable) alone, whose contents change daily anyway.
accept_expired=""
case "$release" in
  testing | unstable | sid) accept_expired=1 ;;
esac

stage "making a minimal Debian $release in $root"
debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.log" 2>&1 || {
  tail -n 20 "$root.log"
  exit 1
}
if [ -n "$accept_expired" ]; then
  echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99rolvan-valid-until"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# sudo looks the machine's name up and complains where it is not known.
echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts"

mount -t proc proc "$root/proc"
for target in dev sys; do
  mount --rbind "/$target" "$root/$target"
  mount --make-rslave "$root/$target"
done

# The source as a fresh clone has it: without the build folders or git's own files.
user=root
home=/root
if [ "${ROLVAN_CHROOT_USER:-}" = 1 ]; then
  user=player
  home=/home/$user
fi
mkdir -p "$root$home/rolvan"
tar -C "$here" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$root$home/rolvan" -xf -

inside() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@" </dev/null
}
as_user=()
if [ "$user" != root ]; then
  stage "a user who may use sudo"
  inside apt-get update -qq
  inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends sudo >/dev/null
  inside useradd --create-home --shell /bin/bash "$user"
  echo "$user ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$user"
  chmod 440 "$root/etc/sudoers.d/$user"
  inside chown -R "$user:$user" "$home/rolvan"
  as_user=(setpriv --reuid="$user" --regid="$user" --init-groups env HOME="$home" USER="$user")
fi

stage "in Debian $release as $user: $command"
inside "${as_user[@]}" bash -c "cd $home/rolvan && $command"
stage "passed on Debian $release"
