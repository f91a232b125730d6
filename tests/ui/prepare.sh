# A second drive for the drive list: q: on a folder of the prefix, with a volume label.
mkdir -p "$PREFIX/drive_q"
printf 'FIXTURE\n' > "$PREFIX/drive_q/.windows-label"
ln -sfn ../drive_q "$PREFIX/dosdevices/q:"
