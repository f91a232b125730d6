# Host-side fixture of the system information tests, made before the prefix's wineserver
# starts (sourced by scripts/test with PREFIX set); a Windows program cannot make links
# under Wine.
#
# - C:\QuenvorSysinfo\temp\report.html is a link to the file C:\QuenvorSysinfo\canary.html.
sysinfo_fixtures="$PREFIX/drive_c/QuenvorSysinfo"
rm -rf "$sysinfo_fixtures"
mkdir -p "$sysinfo_fixtures/temp"
printf 'not a report\r\n' > "$sysinfo_fixtures/canary.html"
ln -s "$sysinfo_fixtures/canary.html" "$sysinfo_fixtures/temp/report.html"
