# Shared by the scripts: paths, the build, and sealed Wine prefixes.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${QUENVOR_BUILD_DIR:-$ROOT/build}"
CACHE_DIR="${QUENVOR_CACHE_DIR:-$ROOT/.cache}"
SCREEN="-screen 0 1280x1024x24"
# Keys and default values of a stock Windows 7 that a fresh prefix lacks (README.md there).
WIN7_DATA="$ROOT/scripts/win7"

build_all() {
  "$ROOT/scripts/setup"
  if [ -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" >/dev/null
  else
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw32.cmake" >/dev/null
  fi
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

# Every Wine process of ours runs with these, so nothing lands in the host's folders:
# the recycle bin (XDG trash), menu entries and MIME data stay inside the prefix.
wine_env() {
  local prefix="$1"
  export WINEPREFIX="$prefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export XDG_DATA_HOME="$prefix/xdg/data"
  export XDG_CONFIG_HOME="$prefix/xdg/config"
  export XDG_CACHE_HOME="$prefix/xdg/cache"
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  # A made prefix is never updated again: Wine's update (when wine.inf looks newer than the
  # prefix's stamp) links the user folders to the host's home and maps z: once more.
  if [ -f "$prefix/system.reg" ]; then echo disable > "$prefix/.update-timestamp"; fi
}

# A new prefix links the user folders to the host's home and maps z: to the host's root.
# Replace the links by real folders (a marker file keeps Wine from linking an empty folder
# again) and remove z:.
seal_prefix() {
  local prefix link target
  prefix="$(cd "$1" && pwd -P)"  # links are compared resolved
  while IFS= read -r -d '' link; do
    target="$(readlink -f "$link" || true)"
    case "$target" in
      "$prefix"/*) ;;
      *) rm -f "$link"; mkdir -p "$link"; : > "$link/desktop.ini" ;;
    esac
  done < <(find "$prefix/drive_c/users" -type l -print0)
  rm -f "$prefix/dosdevices/z:"
}

# The user folders' marker files, hidden and system files as a user folder's desktop.ini is
# on Windows, so that the shell's views and the file dialogs do not list them. Wine reads a
# file's DOS attributes from its user.DOSATTRIB extended attribute; where the host's file
# system keeps none, the markers stay visible.
hide_folder_markers() {
  find "$1/drive_c/users" -name desktop.ini -type f -size 0 -print0 |
    xargs -0 -r python3 -c '
import os, sys
for path in sys.argv[1:]:
    try:
        os.setxattr(path, "user.DOSATTRIB", b"0x6")
    except OSError:
        pass
'
}

# What a new prefix's own registry opens to the host, taken away: Wine's folder of the host's
# root ("/") on the shell's desktop, in both views, which the shell's views and the file
# dialogs list; the addresses and documents handed to winebrowser.exe, which runs the host's
# xdg-open (the commands are removed and the program is switched off, so that no setting of
# a process started in the prefix brings it back); and the menu builder started with every
# session, also switched off. check-seal verifies each. The prefix's wineserver is stopped
# after it; $1's marker says which of these it has.
SEAL_VERSION=4
UNIX_ROOT_FOLDER='{9D20AAE8-0625-44B0-9CA7-71889C2254D9}'
HOST_HANDED_CLASSES=(http https ftp mailto htmlfile xmlfile pdffile)
seal_registry() {
  local prefix="$1" view class
  (
    set +e  # a key or value already gone is no fault: the files are checked below
    wine_env "$prefix"
    for view in 64 32; do
      wine reg delete "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\Namespace\\$UNIX_ROOT_FOLDER" \
        "/reg:$view" /f
      wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunServices' /v winemenubuilder \
        "/reg:$view" /f
    done
    for class in "${HOST_HANDED_CLASSES[@]}"; do
      wine reg delete "HKCR\\$class\\shell\\open\\command" /f
    done
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winebrowser.exe /d '' /f
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f
    wineserver -w
  ) >/dev/null 2>&1 || true
  # What is asked of Wine's reg is checked in the files it saves: a key it said it deleted
  # may still be there.
  "$ROOT/scripts/lib/check-seal" --registry "$prefix" || return 1
  echo "$SEAL_VERSION" > "$prefix/.registry-sealed"
}

# Creates the template prefix once per Wine version, then copies it to $1.
fresh_prefix() {
  local prefix="$1" version template
  version="$(wine --version | tr -c 'A-Za-z0-9.\n' '_')"
  template="$CACHE_DIR/prefix-template-$SEAL_VERSION-$version"
  if [ ! -f "$template/.sealed" ]; then
    rm -rf "$template"
    mkdir -p "$CACHE_DIR"
    (
      wine_env "$template"
      wineboot -i >/dev/null 2>&1
      # A virtual desktop of the screen's size: top-level windows are not X windows, so
      # showing and hiding them never waits for a window manager that Xvfb lacks.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
      wineserver -w
      seal_prefix "$template"
      seal_registry "$template"
      touch "$template/.sealed"
    )
  fi
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  cp -a "$template" "$prefix"
  hide_folder_markers "$prefix"
  # The copy's XDG folders must be its own.
  rm -f "$prefix/.sealed"
  copy_wine_fonts "$prefix"
}

# Wine's own fonts (Debian's fonts-wine): Marlett draws the title bars' buttons, Tahoma and
# MS Sans Serif the dialogs' texts. This Wine looks for them in /usr/share/fonts, not where
# the package puts them, so each prefix gets a copy in its Fonts folder, where Windows keeps
# them too: once, and again when the package's fonts change. Each file is renamed into
# place, so a running program never sees one half written.
WINE_FONTS=/usr/share/wine/fonts
copy_wine_fonts() {
  local prefix="$1" fonts stamp file
  fonts="$prefix/drive_c/windows/Fonts"
  if ! compgen -G "$WINE_FONTS/*.ttf" >/dev/null; then
    echo "Wine's fonts are missing from $WINE_FONTS (package fonts-wine): run scripts/setup" >&2
    return 1
  fi
  stamp="$(cd "$WINE_FONTS" && sha256sum -- * | sha256sum | cut -d' ' -f1)"
  [ "$(cat "$prefix/.wine-fonts" 2>/dev/null || true)" != "$stamp" ] || return 0
  mkdir -p "$fonts"
  for file in "$WINE_FONTS"/*; do
    cp -f "$file" "$fonts/.$(basename "$file").part"
    mv -f "$fonts/.$(basename "$file").part" "$fonts/$(basename "$file")"
  done
  echo "$stamp" > "$prefix/.wine-fonts"
}

# Runs "$@" inside a fresh Xvfb display with the prefix's wineserver started inside it
# (its output must not hold our pipes open) and stopped at the end.
in_xvfb() {
  QUENVOR_ROOT="$ROOT" xvfb-run -a -s "$SCREEN" bash -c '
    wineserver -p </dev/null >/dev/null 2>&1
    # Start the session processes (services, devices, desktop) with no pipe of ours.
    (cd "$WINEPREFIX/drive_c" && wine cmd /c exit 0) </dev/null >/dev/null 2>&1
    # Nothing of ours runs in a prefix that reaches the host.
    if ! "$QUENVOR_ROOT/scripts/lib/check-seal" "$WINEPREFIX"; then wineserver -k >/dev/null 2>&1; exit 97; fi
    "$@"; rc=$?
    wineserver -k >/dev/null 2>&1
    exit $rc' bash "$@"
}

# A fingerprint of the Windows 7 data: the names and contents of its .reg files.
win7_data_stamp() {
  (cd "$WIN7_DATA" && sha256sum -- *.reg | sha256sum | cut -d' ' -f1)
}

# Copies the Windows 7 data into the prefix beside the program: C:\Quenvor\win7.
copy_win7_data() {
  local dir="$1/drive_c/Quenvor/win7"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -- "$WIN7_DATA"/*.reg "$dir/"
}
