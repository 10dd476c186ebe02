#!/usr/bin/env bash
# The setup script's answers when it may not install: run as an ordinary user, a missing package is named
# in the exact apt-get line to run as root and the script fails before anything else happens; with
# nothing missing it succeeds and says so. Skipped (77) where there is no dpkg, or as root without
# setpriv to become another user.
#   setup-answers.sh SOURCE_DIR
set -uo pipefail
# A copy every user can run, wherever the checkout lives.
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp "$1/scripts/setup" "$copy/setup"
chmod 755 "$copy" "$copy/setup"
setup=$copy/setup
command -v dpkg-query >/dev/null || { echo "SKIPPED: not a Debian system"; exit 77; }
asUser=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "SKIPPED: setpriv is missing"; exit 77; }
  asUser=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
fail() { echo "FAILED: $*"; exit 1; }

missing=vorandel-no-such-package
out=$("${asUser[@]}" "$setup" --with "$missing" 2>&1)
status=$?
echo "$out"
[ "$status" -eq 1 ] || fail "exit $status with a missing package, expected 1"
grep -qx "  apt-get install -y --no-install-recommends $missing" <<<"$out" || fail "no apt-get line naming $missing"

# The programs' own packages are installed wherever this test was built, so nothing is missing.
out=$("${asUser[@]}" "$setup" 2>&1)
status=$?
echo "$out"
[ "$status" -eq 0 ] || fail "exit $status with nothing missing, expected 0"
grep -q "apt-get" <<<"$out" && fail "asked for an install with nothing missing"
echo "passed"
