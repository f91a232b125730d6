#!/usr/bin/env bash
# scripts/lib/check-seal, run on the host: a sealed prefix passes also when it is reached
# through a linked folder (a checkout behind a symbolic link), and each way out of a prefix
# fails: links, XDG folders, and a registry that opens the host.
set -euo pipefail
seal="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib" && pwd)/check-seal"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
real="$work/checkout/prefix"
mkdir -p "$real/drive_c/users/me/Documents" "$real/dosdevices" "$real/xdg/data" \
  "$real/xdg/config" "$real/xdg/cache" "$work/host"
ln -s ../drive_c "$real/dosdevices/c:"
ln -s /dev/ttyS0 "$real/dosdevices/com1"
ln -s /dev/lp0 "$real/dosdevices/lpt1"
# The registry as a sealed prefix saves it: the folder of the host's root, the commands that
# hand addresses to winebrowser and the menu builder's start are gone, both programs off.
sealed_system='WINE REGISTRY Version 2
[Software\\Classes\\CLSID\\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}] 1797006649
@="/"
[Software\\Classes\\http\\shell\\open] 1797006878
[Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\Namespace] 1797006648
[Software\\Microsoft\\Windows\\CurrentVersion\\RunServices] 1797007027'
sealed_user='WINE REGISTRY Version 2
[Software\\Wine\\DllOverrides] 1797006789
"winebrowser.exe"=""
"winemenubuilder.exe"=""

[Software\\Wine\\Fonts] 1797006784'
printf '%s\n' "$sealed_system" > "$real/system.reg"
printf '%s\n' "$sealed_user" > "$real/user.reg"
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
ln -s "$work/host" "$real/drive_c/lpt-home"
expect 1 "a link of drive C: named as a port"
rm "$real/drive_c/lpt-home"
ln -s "$work/host" "$real/dosdevices/com2"
expect 1 "a port link to a host folder"
rm "$real/dosdevices/com2"

# The registry: each way back to the host, in either view.
namespace='Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\Namespace'
registry_case() {  # registry_case <hive> <lines added> <case>
  printf '%s\n' "$sealed_system" > "$real/system.reg"
  printf '%s\n' "$sealed_user" > "$real/user.reg"
  printf '%s\n' "$2" >> "$real/$1"
  expect 1 "$3"
}
registry_case system.reg "[$namespace\\\\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}] 1797006648
@=\"/\"" "the host's root on the desktop"
registry_case system.reg "[${namespace/Software/Software\\\\Wow6432Node}\\\\{9d20aae8-0625-44b0-9ca7-71889c2254d9}] 1" \
  "the host's root on the 32-bit view's desktop"
registry_case system.reg '[Software\\Classes\\mailto\\shell\\open\\command] 1797006650
@="\"C:\\windows\\system32\\winebrowser.exe\" \"%1\""' "an address handed to winebrowser"
registry_case system.reg '[Software\\Microsoft\\Windows\\CurrentVersion\\RunServices] 1797006650
"winemenubuilder"="C:\\windows\\system32\\winemenubuilder.exe -a -r"' "the menu builder started"
sealed_user="${sealed_user/\"winebrowser.exe\"=\"\"/\"winebrowser.exe\"=\"builtin\"}"
registry_case user.reg "" "winebrowser switched on"
sealed_user="${sealed_user/\"winebrowser.exe\"=\"builtin\"/\"winebrowser.exe\"=\"\"}"
rm "$real/user.reg"
expect 1 "no registry to check"
printf '%s\n' "$sealed_user" > "$real/user.reg"
printf '%s\n' "$sealed_system" > "$real/system.reg"
expect 0 "the prefix as it was"

echo "check-seal: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
