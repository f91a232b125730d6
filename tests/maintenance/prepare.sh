# Host-side fixtures of the maintenance pages' tests, made before the prefix's wineserver
# starts (sourced by scripts/test with PREFIX set). Everything stays inside the prefix, in
# C:\QuenvorMaintenance; a Windows program can neither map a drive nor make a link under Wine.
#
# - Drive U: is an empty folder for the folder-size page; its tests fill it.
# - Drive J: is a folder for the junk cleaner holding one link, J:\linked, to the folder
#   C:\QuenvorMaintenance\canary outside the drive, which holds junk-named files that must
#   never be listed or recycled.
# - C:\QuenvorMaintenance\loop\back is a link to C:\QuenvorMaintenance\loop: a circle.
maintenance_fixtures="$PREFIX/drive_c/QuenvorMaintenance"
rm -rf "$maintenance_fixtures"
mkdir -p "$maintenance_fixtures/udrive" "$maintenance_fixtures/jdrive" "$maintenance_fixtures/canary" \
  "$maintenance_fixtures/loop"
: > "$maintenance_fixtures/canary/canary.tmp"
: > "$maintenance_fixtures/canary/~canary.doc"
ln -s "$maintenance_fixtures/canary" "$maintenance_fixtures/jdrive/linked"
: > "$maintenance_fixtures/loop/file.txt"
ln -s "$maintenance_fixtures/loop" "$maintenance_fixtures/loop/back"
for letter in u j; do
  rm -f "$PREFIX/dosdevices/$letter:"
done
ln -s "$maintenance_fixtures/udrive" "$PREFIX/dosdevices/u:"
ln -s "$maintenance_fixtures/jdrive" "$PREFIX/dosdevices/j:"

# - C:\QuenvorMaintenance\recycle\link.tmp is a link to the canary's canary.tmp: a path the
#   cleaner is given may be a link, or lead through one (jdrive\linked\canary.tmp).
mkdir -p "$maintenance_fixtures/recycle"
ln -s "$maintenance_fixtures/canary/canary.tmp" "$maintenance_fixtures/recycle/link.tmp"
