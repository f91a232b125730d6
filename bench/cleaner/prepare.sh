# Host side of the junk cleaner's benchmark, made before the prefix's wineserver starts
# (sourced by scripts/bench with PREFIX set): drive K: is an empty folder of the prefix,
# C:\QuenvorBench\kdrive, which bench_cleaner.exe fills with its tree once per run.
cleaner_bench_drive="$PREFIX/drive_c/QuenvorBench/kdrive"
rm -rf "$cleaner_bench_drive"
mkdir -p "$cleaner_bench_drive"
rm -f "$PREFIX/dosdevices/k:"
ln -s "$cleaner_bench_drive" "$PREFIX/dosdevices/k:"
