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
