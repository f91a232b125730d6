# Host-side fixture of the tool box tests, made before the prefix's wineserver starts
# (sourced by scripts/test with PREFIX set); a Windows program cannot map a drive under Wine.
#
# - Drive H: is a folder of the prefix (C:\QuenvorToolbox\hdrive) holding a Windows folder
#   of its own with a hotfix log file: only the system drive's Windows folder is searched.
toolbox_fixtures="$PREFIX/drive_c/QuenvorToolbox"
rm -rf "$toolbox_fixtures"
mkdir -p "$toolbox_fixtures/hdrive/windows"
: > "$toolbox_fixtures/hdrive/windows/KB923191.log"
rm -f "$PREFIX/dosdevices/h:"
ln -s "$toolbox_fixtures/hdrive" "$PREFIX/dosdevices/h:"

# - C:\QuenvorToolbox\links\windows, a Windows folder for a test that names it as the system's,
#   holds a hotfix log file and, under hotfix names, links to what lies outside it:
#   $NtUninstallKB923191$ to the folder C:\QuenvorToolbox\canary (holding keep.txt) and
#   KB923191.log to the file C:\QuenvorToolbox\canary.log.
mkdir -p "$toolbox_fixtures/links/windows" "$toolbox_fixtures/canary"
echo keep > "$toolbox_fixtures/canary/keep.txt"
echo keep > "$toolbox_fixtures/canary.log"
: > "$toolbox_fixtures/links/windows/KB923192.log"
ln -s "$toolbox_fixtures/canary" "$toolbox_fixtures/links/windows/\$NtUninstallKB923191\$"
ln -s "$toolbox_fixtures/canary.log" "$toolbox_fixtures/links/windows/KB923191.log"
