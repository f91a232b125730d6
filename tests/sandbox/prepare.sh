# The Windows 7 data, for the test that checks it: C:\Quenvor\win7 beside the test program.
copy_win7_data "$PREFIX"
