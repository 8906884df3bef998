#!/usr/bin/env bash
# One check of the installed application or of the archives of `make dist`, named by the first
# argument. The environment names the build folder (LF_BUILD_DIR), the sources (LF_SOURCE_DIR),
# the scratch install prefix (LF_PREFIX), the folder of the archives (LF_DIST) and the project
# version (LF_VERSION). A check whose tool is missing prints one line and exits with 77.
set -euo pipefail

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
skip() {
  echo "skipped: $*"
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

installed_files() {
  echo bin/lftool
  echo bin/lorefinder
  echo bin/tablepatch
  echo lib/lorefinder/Lorefinder.exe
  echo lib/lorefinder/Tablepatch
  echo lib/lorefinder/lftool
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
}

check_tarball() {
  same_list "the tarball" "$(printf "$portable/%s\n" LICENSE Lorefinder.exe README.md Tablepatch lftool)" \
    "$(tar -tzf "$LF_DIST/$portable.tar.gz" | LC_ALL=C sort)"
}

check_deb() {
  [ -f "$LF_DIST/$deb" ] || skip "no $deb was made (dpkg-shlibdeps is missing)"
  need lintian lintian
  [[ $(dpkg-deb --field "$LF_DIST/$deb" Depends) == *libqt6widgets6* ]] ||
    fail "the package's dependencies were not computed from its programs"
  local contents
  contents=$(dpkg-deb --contents "$LF_DIST/$deb")
  for file in opt/lorefinder/Lorefinder.exe usr/bin/lorefinder usr/share/applications/$patcher.desktop \
    usr/share/metainfo/$app.metainfo.xml usr/share/doc/lorefinder/copyright; do
    [[ $contents == *" ./$file"* ]] || fail "$deb lacks /$file"
  done
  # lintian warns against running it as root, which tests on our machines do
  lintian --fail-on error "$LF_DIST/$deb" 2> >(grep -v 'running with root privileges' >&2)
}

"check_${1//-/_}"
