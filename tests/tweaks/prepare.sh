# Host-side fixtures of the tweak pages' file tests, made before the prefix's wineserver
# starts (sourced by scripts/test with PREFIX set). Everything stays inside the prefix.
#
# - Drive R: is a scratch folder (C:\QuenvorFixtures\rdrive); a Windows program cannot map
#   a drive under Wine.
# - C:\QuenvorFixtures\linked\temp\link is a link to the folder C:\QuenvorFixtures\linked\canary,
#   which holds keep.txt; a Windows program cannot make links under Wine.
fixtures="$PREFIX/drive_c/QuenvorFixtures"
rm -rf "$fixtures"
mkdir -p "$fixtures/rdrive" "$fixtures/linked/temp" "$fixtures/linked/canary"
: > "$fixtures/linked/canary/keep.txt"
ln -s "$fixtures/linked/canary" "$fixtures/linked/temp/link"
rm -f "$PREFIX/dosdevices/r:"
ln -s "$fixtures/rdrive" "$PREFIX/dosdevices/r:"

# The files the program's installer puts in the Windows folder (the shortcut-arrow imports).
cp "$ROOT"/resources/windows/*.reg "$PREFIX/drive_c/windows/"
