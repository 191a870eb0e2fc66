#!/usr/bin/env bash
# Runs COMMAND (one of the README's commands), then `tools/build.sh remove`, and checks that
# the system has again the packages it had before, and no others, but for one the person
# installed by hand in between (GoogleTest's headers, which the test command brought in
# already): that one stays, with what it needs. For a fresh system, as
# tools/release_chroot.sh makes one, as root or as a user who may use sudo.
#
#   bash tools/removal_check.sh COMMAND...
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
[ $# -gt 0 ] || set -- bash "$here/tools/build.sh" test

by_hand=libgtest-dev
before=$(installed_packages)
started=$SECONDS
"$@"
after_command=$(installed_packages)
echo "== '$*' took $((SECONDS - started)) s and brought $(comm -13 <(echo "$before") <(echo "$after_command") | wc -l) packages"
can_be_root
apt_as_root install -y -qq "$by_hand" >/dev/null
started=$SECONDS
bash "$here/tools/build.sh" remove
echo "== removed in $((SECONDS - started)) s"
after=$(installed_packages)

# What the package installed by hand needs, as far as it came with the command.
needed=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "$by_hand" | awk '/^[a-z0-9]/ { print $1 }' | sort -u)
gone=$(comm -23 <(echo "$before") <(echo "$after"))
left=$(comm -13 <(echo "$before") <(echo "$after"))
stray=$(comm -23 <(echo "$left") <(echo "$needed"))
failed=""
if [ -n "$gone" ]; then
  echo "removed, though there before: $gone" >&2
  failed=1
fi
if [ -n "$stray" ]; then
  echo "left behind: $stray" >&2
  failed=1
fi
if ! grep -qx "$by_hand" <<<"$after"; then
  echo "removed, though installed by hand: $by_hand" >&2
  failed=1
fi
[ -z "$failed" ] || exit 1
echo "== the system has its packages of before again, and $(echo "$left" | grep -c . || true) installed by hand"
