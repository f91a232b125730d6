# The Windows 7 data, for the test that checks it: C:\Quenvor\win7 beside the test program.
copy_win7_data "$PREFIX"
# The sandbox's stand-in firewall objects, for their test: beside the test program.
mkdir -p "$PREFIX/drive_c/Quenvor"
cp "$BUILD_DIR/firewall_stand_in.dll" "$PREFIX/drive_c/Quenvor/"
