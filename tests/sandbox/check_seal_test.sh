#!/usr/bin/env bash
# scripts/lib/check-seal, run on the host: a sealed prefix passes also when it is reached
# through a linked folder (a checkout behind a symbolic link), and each way out of a prefix
# fails.
set -euo pipefail
seal="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib" && pwd)/check-seal"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
real="$work/checkout/prefix"
mkdir -p "$real/drive_c/users/me/Documents" "$real/dosdevices" "$real/xdg/data" \
  "$real/xdg/config" "$real/xdg/cache" "$work/host"
ln -s ../drive_c "$real/dosdevices/c:"
ln -s "$work/checkout" "$work/linked"
prefix="$work/linked/prefix"
export XDG_DATA_HOME="$prefix/xdg/data" XDG_CONFIG_HOME="$prefix/xdg/config"
export XDG_CACHE_HOME="$prefix/xdg/cache"

passed=0 failed=0
expect() {  # expect <exit code> <case>
  local rc=0
  "$seal" "$prefix" >"$work/said" 2>&1 || rc=$?
  if [ "$rc" -eq "$1" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $2: check-seal exited $rc, not $1"
    sed 's/^/  /' "$work/said"
  fi
}

expect 0 "a sealed prefix reached through a linked folder"
ln -s / "$real/dosdevices/z:"
expect 1 "drive z: on the host's root"
rm "$real/dosdevices/z:"
ln -s "$work/host" "$real/drive_c/users/me/Desktop"
expect 1 "a user folder linked to the host"
rm "$real/drive_c/users/me/Desktop"
XDG_DATA_HOME="$work/host" expect 1 "the recycle bin's XDG folder on the host"
XDG_CACHE_HOME="" expect 1 "an XDG folder not set"
expect 0 "the prefix as it was"

echo "check-seal: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
