# Host-side fixtures of the tweak pages' file tests, made before the prefix's wineserver
# starts (sourced by scripts/test with PREFIX set). Everything stays inside the prefix.
#
# - Drive R: is a scratch folder (C:\QuenvorFixtures\rdrive); a Windows program cannot map
#   a drive under Wine.
# - C:\QuenvorFixtures\linked\temp\link is a link to the folder C:\QuenvorFixtures\linked\canary,
#   which holds keep.txt; a Windows program cannot make links under Wine.
# - Other names for folders the cleaner must never empty: C:\QuenvorFixtures\users is a link
#   to C:\users (as "C:\Documents and Settings" is on Windows), C:\QuenvorFixtures\root a
#   link to C:\, and drive K: is the folder C:\QuenvorFixtures\profiles, which holds a
#   profile (someone\Documents\keep.txt) that the tests make the user's.
fixtures="$PREFIX/drive_c/QuenvorFixtures"
rm -rf "$fixtures"
mkdir -p "$fixtures/rdrive" "$fixtures/linked/temp" "$fixtures/linked/canary" \
  "$fixtures/profiles/someone/Documents"
: > "$fixtures/linked/canary/keep.txt"
ln -s "$fixtures/linked/canary" "$fixtures/linked/temp/link"
ln -s "$PREFIX/drive_c/users" "$fixtures/users"
ln -s "$PREFIX/drive_c" "$fixtures/root"
: > "$fixtures/profiles/someone/Documents/keep.txt"
for letter in r k; do
  rm -f "$PREFIX/dosdevices/$letter:"
done
ln -s "$fixtures/rdrive" "$PREFIX/dosdevices/r:"
ln -s "$fixtures/profiles" "$PREFIX/dosdevices/k:"

# The files the program's installer puts in the Windows folder (the shortcut-arrow imports).
cp "$ROOT"/resources/windows/*.reg "$PREFIX/drive_c/windows/"
