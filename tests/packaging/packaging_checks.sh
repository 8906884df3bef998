#!/usr/bin/env bash
# One check of the installed application or of the archives of `make dist`, named by the first
# argument. The environment names the build folder (LF_BUILD_DIR), the sources (LF_SOURCE_DIR),
# the scratch install prefix (LF_PREFIX), the folder of the archives (LF_DIST), the project
# version (LF_VERSION), the system's Qt plugins (LF_QT_PLUGIN_DIR), the tests' own Qt plugins
# (LF_PROBE_PLUGINS) and the log of skipped checks (LF_SKIPPED_CHECKS_LOG). A check whose tool is
# missing prints one line and exits with 77; so does one this machine cannot make, whose line
# also goes to the log that ctest prints after the run.
set -euo pipefail

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
skip() {
  echo "skipped: $*"
  exit 77
}
machine_skip() {
  local line="SKIPPED on this machine: $*"
  echo "$line"
  {
    flock 9
    grep -qxF "$line" "$LF_SKIPPED_CHECKS_LOG" 2>/dev/null || echo "$line" >&9
  } 9>>"$LF_SKIPPED_CHECKS_LOG"
  exit 77
}
need() {  # need TOOL PACKAGE
  command -v "$1" >/dev/null || skip "$1 is missing (package $2; scripts/install-deps.sh installs it)"
}
same_list() {  # same_list WHAT EXPECTED ACTUAL
  diff <(echo "$2") <(echo "$3") >&2 || fail "$1 differs from the expected list (< expected, > found)"
}

app=io.github.lorefinder.Lorefinder
patcher=io.github.lorefinder.Tablepatch
portable=Lorefinder-$LF_VERSION-linux-x86_64
deb=lorefinder_${LF_VERSION}_amd64.deb
folder=$LF_DIST/unpacked/$portable

installed_files() {
  echo bin/lftool
  echo bin/lorefinder
  echo bin/tablepatch
  echo lib/lorefinder/Lorefinder.exe
  echo lib/lorefinder/Tablepatch
  echo lib/lorefinder/lftool
  for file in core.js index.html lorefinder.svg lorefinder.wasm page.js style.css virtual_list.js; do
    echo lib/lorefinder/web/$file
  done
  echo share/applications/$app.desktop
  echo share/applications/$patcher.desktop
  for size in 128 16 22 24 256 32 48 64; do echo share/icons/hicolor/${size}x$size/apps/$app.png; done
  echo share/icons/hicolor/scalable/apps/$app.svg
  echo share/man/man1/lftool.1.gz
  echo share/metainfo/$app.metainfo.xml
}

# A per-user install as `make install` makes it, into an empty scratch prefix. Its manifest is
# the component's own, so that the user's install_manifest.txt stays as it is.
check_install() {
  rm -rf "$LF_PREFIX"
  mkdir -p "$LF_PREFIX"
  cmake --install "$LF_BUILD_DIR" --prefix "$LF_PREFIX" --component desktop --strip >/dev/null
  same_list "the installed files" "$(installed_files)" \
    "$(cd "$LF_PREFIX" && find . ! -type d -printf '%P\n' | LC_ALL=C sort)"
  for launcher in lorefinder tablepatch lftool; do
    [ -x "$LF_PREFIX/bin/$launcher" ] || fail "the launcher $launcher starts no program"
  done
  grep -qx "Exec=\"$LF_PREFIX/bin/lorefinder\"" "$LF_PREFIX/share/applications/$app.desktop" ||
    fail "the browser's menu entry does not start $LF_PREFIX/bin/lorefinder"
}

check_desktop_entries() {
  need desktop-file-validate desktop-file-utils
  desktop-file-validate "$LF_PREFIX/share/applications/$app.desktop" \
    "$LF_PREFIX/share/applications/$patcher.desktop"
}

check_metainfo() {
  need appstreamcli appstream
  appstreamcli validate --no-net "$LF_PREFIX/share/metainfo/$app.metainfo.xml"
}

# The installed browser takes no arguments and runs until closed: it is ended once Qt reports
# that its main window was painted, which a browser that could not load its catalogue never
# gets to (it shows a message box instead).
check_installed_programs() {
  local log="$LF_PREFIX.browser.log"
  QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.widgets.painting=true' \
    "$LF_PREFIX/bin/lorefinder" >"$log" 2>&1 &
  local browser=$!
  local painted=no
  for _ in $(seq 600); do
    if grep -q '^qt.widgets.painting: Flushing .* of lf::browser::Form1(' "$log"; then
      painted=yes
      break
    fi
    kill -0 "$browser" 2>/dev/null || break
    sleep 0.1
  done
  kill "$browser" 2>/dev/null || true
  wait "$browser" 2>/dev/null || true
  [ "$painted" = yes ] || fail "the installed browser painted no main window: $(tail -5 "$log")"
  rm -f "$log"

  local out
  if out=$("$LF_PREFIX/bin/lftool" --version 2>&1); then
    [[ $out == *"$LF_VERSION"* ]] || fail "lftool --version printed '$out', not $LF_VERSION"
  else
    [[ $out == *"usage: lftool"* ]] || fail "the installed lftool did not run: $out"
  fi
}

check_uninstall() {
  bash "$LF_SOURCE_DIR/scripts/uninstall.sh" "$LF_BUILD_DIR/install_manifest_desktop.txt" >/dev/null
  [ -z "$(ls -A "$LF_PREFIX")" ] || fail "uninstalling left $(cd "$LF_PREFIX" && find . -mindepth 1)"
  rmdir "$LF_PREFIX"
}

# `make dist` into a scratch folder; without dpkg-shlibdeps only the tarball is made.
check_dist() {
  rm -rf "$LF_DIST"
  local generators="TGZ;DEB"
  if ! command -v dpkg-shlibdeps >/dev/null; then
    echo "skipped: the Debian package, dpkg-shlibdeps is missing (package dpkg-dev)"
    generators=TGZ
  fi
  cpack --config "$LF_BUILD_DIR/CPackConfig.cmake" -B "$LF_DIST" -G "$generators" >/dev/null
  rm -rf "$LF_DIST/_CPack_Packages"
  mkdir "$LF_DIST/unpacked"
  tar -xzf "$LF_DIST/$portable.tar.gz" -C "$LF_DIST/unpacked"
}

# The folder: the programs, Qt's plugins for X11, Wayland, no screen, input methods and the icon,
# and for every library and plugin the licence of the Debian package it came from.
check_tarball() {
  same_list "the tarball's folder" \
    "$(printf "$portable/%s\n" LICENSE Lorefinder.exe README.md Tablepatch lftool lib licenses plugins qt.conf web)" \
    "$(tar -tzf "$LF_DIST/$portable.tar.gz" | cut -d/ -f1-2 | sed 's,/$,,' | LC_ALL=C sort -u | grep /)"
  same_list "the folder's Qt plugins" "imageformats/libqsvg.so
platforminputcontexts/libcomposeplatforminputcontextplugin.so
platforminputcontexts/libibusplatforminputcontextplugin.so
platforms/libqoffscreen.so
platforms/libqwayland-generic.so
platforms/libqxcb.so
wayland-decoration-client/libbradient.so
wayland-shell-integration/libxdg-shell.so" "$(cd "$folder/plugins" && find . -type f -printf '%P\n' | LC_ALL=C sort)"
  local file package
  for file in $(cd "$folder" && find lib plugins -type f); do
    package=$(awk -F' *\\| *' -v file="$file" '{ if (index(" " $5 " ", " " file " ")) print $2 }' \
      "$folder/licenses/README.md")
    [ -n "$package" ] || fail "licenses/README.md names no package for $file"
    [ -s "$folder/licenses/$package.copyright" ] || fail "licenses/ lacks $package.copyright, for $file"
  done
}

# The libraries that the folder leaves to the system.
system_libraries() {
  sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$LF_SOURCE_DIR/packaging/portable/system-libraries"
}

# The folder's ELF files: programs, libraries, plugins.
folder_elf_files() {
  local file
  for file in "$folder"/{Lorefinder.exe,Tablepatch,lftool} "$folder"/lib/* "$folder"/plugins/*/*; do
    echo "$file"
  done
}

# Runs a program with the tests' plugin that ends it once the widget named by the first argument
# is painted; the rest is the command. Its output goes to $log; a program that does not paint
# that widget and exit 0 is a failure.
run_until_painted() {  # run_until_painted WIDGET COMMAND...
  local widget=$1
  shift
  QT_PLUGIN_PATH=$LF_PROBE_PLUGINS QT_QPA_GENERIC_PLUGINS=lfquitafterpaint \
    LF_QUIT_AFTER_PAINTING=$widget timeout 120 "$@" >"$log" 2>&1
}
painted() {  # painted WIDGET COMMAND...
  run_until_painted "$@" ||
    fail "${*: -1} did not paint $1 and exit 0 (status $?): $(tail -5 "$log")"
}

# What the folder's files need is in lib/ or is left to the system (packaging/portable/system-
# libraries), in versions no newer than the README promises: glibc 2.35, GCC 12's libstdc++.
# And where this machine's Qt is installed, the programs load none of it nor any system copy of
# what lib/ holds.
check_portable_libraries() {
  local -A system_library
  local name file newest
  for name in $(system_libraries); do system_library[$name]=1; done
  for file in $(folder_elf_files); do
    for name in $(readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
      [ -e "$folder/lib/$name" ] || [ -n "${system_library[$name]:-}" ] ||
        fail "${file#"$folder"/} needs $name, which is neither in lib/ nor left to the system"
    done
    for newest in GLIBC_2.35 GLIBCXX_3.4.30; do
      name=$( {
        echo "$newest"
        objdump -T "$file" | grep -o "${newest%_*}_[0-9][0-9.]*" || true
      } | sort -uV | tail -1)
      [ "$name" = "$newest" ] || fail "${file#"$folder"/} needs $name, newer than $newest"
    done
  done

  local log=$LF_DIST/loaded.log program widget loaded
  for program in Lorefinder.exe:ItemList Tablepatch:lf::patcher::Form1; do
    widget=${program#*:}
    program=${program%%:*}
    rm -f "$LF_DIST"/loaded.*
    QT_QPA_PLATFORM=offscreen LD_DEBUG=libs LD_DEBUG_OUTPUT=$LF_DIST/loaded.libs \
      painted "$widget" "$folder/$program"
    for loaded in $(sed -n 's/.*calling init: //p' "$LF_DIST"/loaded.libs.* | LC_ALL=C sort -u); do
      [[ $loaded == "$folder"/* ]] && continue
      if [[ $loaded == */libQt6* || $loaded == */qt6/plugins/* || -e $folder/lib/${loaded##*/} ]]; then
        fail "$program loaded the system's $loaded"
      fi
    done
  done
  rm -f "$LF_DIST"/loaded.*
}

# The command prefix, in `sandbox`, that runs a program on this machine as if it had nothing but
# what the folder leaves to the system: every other library that the loader knows (Qt's, and
# every one that lib/ holds) is an empty file there, and the system's Qt plugins are gone.
# Skips the check where bwrap cannot make that sandbox on this machine.
make_sandbox() {
  need bwrap bubblewrap
  local error
  error=$(bwrap --dev-bind / / true 2>&1) ||
    machine_skip "the portable folder without the system's Qt: bwrap cannot make a sandbox here (${error%%$'\n'*})"
  # What stays: the system libraries of the list and what they load in turn.
  local -A kept
  local name path
  for name in $(system_libraries); do
    path=$(ldconfig -p | awk -v name="$name" '$1 == name && /x86-64/ && !path { path = $NF } END { print path }')
    [ -n "$path" ] || continue
    kept[$(readlink -f "$path")]=1
    for path in $(ldd "$path" | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }'); do
      kept[$(readlink -f "$path")]=1
    done
  done
  local empty=$LF_DIST/empty
  : >"$empty"
  sandbox=(bwrap --dev-bind / / --tmpfs "$LF_QT_PLUGIN_DIR")
  for path in $(ldconfig -p | awk '/x86-64/ { print $NF }' | xargs readlink -f | LC_ALL=C sort -u); do
    [ -n "${kept[$path]:-}" ] || sandbox+=(--ro-bind "$empty" "$path")
  done
  # The build's own Tablepatch uses the system's Qt: if it starts there, nothing was hidden.
  if QT_QPA_PLATFORM=offscreen run_until_painted lf::patcher::Form1 "${sandbox[@]}" \
    "$LF_BUILD_DIR/bin/Tablepatch" 2>/dev/null; then
    fail "the sandbox hides nothing: the system's Qt loads in it"
  fi
}

# The folder's programs start and paint their windows, with no screen, where the system's Qt is
# hidden.
check_portable_without_qt() {
  local -a sandbox
  local log=$LF_DIST/alone.log
  make_sandbox
  QT_QPA_PLATFORM=offscreen painted ItemList "${sandbox[@]}" "$folder/Lorefinder.exe"
  QT_QPA_PLATFORM=offscreen painted lf::patcher::Form1 "${sandbox[@]}" "$folder/Tablepatch"
  local out
  out=$("${sandbox[@]}" "$folder/lftool" --version 2>&1) || fail "lftool --version failed: $out"
  [[ $out == *"$LF_VERSION"* ]] || fail "lftool --version printed '$out', not $LF_VERSION"
  rm -f "$log"
}

# The same on an X11 screen (Xvfb), through the folder's xcb platform and its libraries.
check_portable_on_x11() {
  need Xvfb xvfb
  local -a sandbox
  local log=$LF_DIST/x11.log display
  make_sandbox
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >"$LF_DIST/xvfb.log" 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  read -r -t 30 -u "$displayfd" display ||
    machine_skip "the portable folder on X11: Xvfb did not start ($(tail -1 "$LF_DIST/xvfb.log"))"
  DISPLAY=:$display QT_QPA_PLATFORM=xcb painted ItemList "${sandbox[@]}" "$folder/Lorefinder.exe"
  rm -f "$log"
}

check_deb() {
  [ -f "$LF_DIST/$deb" ] || skip "no $deb was made (dpkg-shlibdeps is missing)"
  need lintian lintian
  [[ $(dpkg-deb --field "$LF_DIST/$deb" Depends) == *libqt6widgets6* ]] ||
    fail "the package's dependencies were not computed from its programs"
  local contents
  contents=$(dpkg-deb --contents "$LF_DIST/$deb")
  for file in opt/lorefinder/Lorefinder.exe opt/lorefinder/web/index.html usr/bin/lorefinder \
    usr/share/applications/$patcher.desktop \
    usr/share/metainfo/$app.metainfo.xml usr/share/doc/lorefinder/copyright; do
    [[ $contents == *" ./$file"* ]] || fail "$deb lacks /$file"
  done
  # lintian warns against running it as root, which tests on our machines do
  lintian --fail-on error "$LF_DIST/$deb" 2> >(grep -v 'running with root privileges' >&2)
}

"check_${1//-/_}"
