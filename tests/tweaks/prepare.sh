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
# - Links inside a temporary folder: C:\QuenvorFixtures\linked\temp also holds notes-link.txt,
#   a link to the file linked\outside\thesis.txt, and emptylink, a link to the empty folder
#   linked\outside\EmptyProject.
# - Names that lead through a link once an entry is renamed away, for the cleaner's walk
#   between listing a folder and opening its entries: C:\QuenvorFixtures\race\temp\mid
#   holds a folder "victim" and a file "notes.txt", and beside them, under the same names in
#   capitals, links to race\canary and race\canary\notes.txt. Windows names match without
#   regard to case, so once the test renames "victim" away, "victim" opens VICTIM, the link.
# - C:\QuenvorFixtures\iconprofile, a profile whose AppData\Local\IconCache.db is a link to
#   the file C:\QuenvorFixtures\icons-canary.db.
# - C:\QuenvorFixtures\gameboost, a temporary folder whose services.xps is a link to the file
#   C:\QuenvorFixtures\gameboost-canary.txt.
fixtures="$PREFIX/drive_c/QuenvorFixtures"
rm -rf "$fixtures"
mkdir -p "$fixtures/rdrive" "$fixtures/linked/temp" "$fixtures/linked/canary" \
  "$fixtures/profiles/someone/Documents"
: > "$fixtures/linked/canary/keep.txt"
ln -s "$fixtures/linked/canary" "$fixtures/linked/temp/link"
mkdir -p "$fixtures/linked/outside/EmptyProject"
echo "my thesis" > "$fixtures/linked/outside/thesis.txt"
ln -s "$fixtures/linked/outside/thesis.txt" "$fixtures/linked/temp/notes-link.txt"
ln -s "$fixtures/linked/outside/EmptyProject" "$fixtures/linked/temp/emptylink"
race="$fixtures/race"
mkdir -p "$race/canary" "$race/temp/mid/victim"
echo keep > "$race/canary/keep.txt"
echo notes > "$race/canary/notes.txt"
echo mine > "$race/temp/mid/victim/keep.txt"
echo mine > "$race/temp/mid/notes.txt"
ln -s "$race/canary" "$race/temp/mid/VICTIM"
ln -s "$race/canary/notes.txt" "$race/temp/mid/NOTES.TXT"
mkdir -p "$fixtures/gameboost"
printf 'keep\r\n' > "$fixtures/gameboost-canary.txt"
ln -s "$fixtures/gameboost-canary.txt" "$fixtures/gameboost/services.xps"
mkdir -p "$fixtures/iconprofile/AppData/Local"
echo icons > "$fixtures/icons-canary.db"
ln -s "$fixtures/icons-canary.db" "$fixtures/iconprofile/AppData/Local/IconCache.db"
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
