# Host-side fixture of the services tests, made before the prefix's wineserver starts
# (sourced by scripts/test with PREFIX set); a Windows program cannot make links under Wine.
#
# - C:\QuenvorServices\windows\Prefetch holds a prefetch file and link.pf, a link to the
#   file C:\QuenvorServices\canary.pf outside the folder.
services_fixtures="$PREFIX/drive_c/QuenvorServices"
rm -rf "$services_fixtures"
mkdir -p "$services_fixtures/windows/Prefetch"
echo keep > "$services_fixtures/canary.pf"
: > "$services_fixtures/windows/Prefetch/real.pf"
ln -s "$services_fixtures/canary.pf" "$services_fixtures/windows/Prefetch/link.pf"
