#!/usr/bin/env bash
# Makes the portable folder run where neither Qt nor TurboJPEG is installed:
#   bundle-runtime.sh FOLDER QT_PLUGIN_DIR PLUGIN...
# FOLDER holds the three programs. The named Qt plugins (paths under QT_PLUGIN_DIR, such as
# platforms/libqxcb.so) are copied to FOLDER/plugins, and every library that the programs and
# plugins need, and that system-libraries does not leave to the system, to FOLDER/lib, all of
# them unchanged, as this machine's Debian packages installed them. The programs' run path
# ($ORIGIN/lib, which the loader also follows for the libraries and plugins they load) finds the
# copies, qt.conf makes Qt look for plugins in the folder only. Each package's copyright file, the licence texts it refers to and the
# package versions, for their sources, go to FOLDER/licenses.
set -euo pipefail

fail() {
  echo "bundle-runtime.sh: $*" >&2
  exit 1
}

[ $# -ge 2 ] || fail "usage: bundle-runtime.sh FOLDER QT_PLUGIN_DIR PLUGIN..."
folder=$1
plugin_dir=$2
shift 2
here=$(dirname "$(readlink -f "$0")")
for tool in readelf dpkg-query ldconfig; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
for program in Lorefinder.exe Tablepatch lftool; do
  [ -f "$folder/$program" ] || fail "$folder/$program is missing"
done

declare -A system_library
while read -r name; do
  system_library[$name]=1
done < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$here/system-libraries")

needed() {
  readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'
}

# Where this machine's loader finds a library of the given name.
system_path() {
  ldconfig -p | awk -v name="$1" '$1 == name && /x86-64/ && !path { path = $NF } END { print path }'
}

# The Debian package that installed a file; merged-/usr systems list a file under /lib as well.
package_of() {
  local real
  real=$(readlink -f "$1")
  dpkg-query -S "$real" 2>/dev/null || dpkg-query -S "${real#/usr}" 2>/dev/null ||
    fail "no Debian package installed $real"
}

declare -A packages  # package -> the folder's files it provided
remember_package() {  # remember_package SOURCE FOLDER_FILE
  local package
  package=$(package_of "$1" | sed -n '1s/:.*//p')
  packages[$package]+=" $2"
}

rm -rf "${folder:?}/lib" "$folder/plugins" "$folder/licenses"
mkdir -p "$folder/lib" "$folder/licenses"

queue=("$folder/Lorefinder.exe" "$folder/Tablepatch" "$folder/lftool")
for plugin in "$@"; do
  [ -f "$plugin_dir/$plugin" ] || fail "the Qt plugin $plugin_dir/$plugin is missing"
  mkdir -p "$folder/plugins/$(dirname "$plugin")"
  cp "$plugin_dir/$plugin" "$folder/plugins/$plugin"
  remember_package "$plugin_dir/$plugin" "plugins/$plugin"
  queue+=("$folder/plugins/$plugin")
done

# Everything the programs and plugins need, and what that needs in turn, down to the system's.
while [ ${#queue[@]} -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  for name in $(needed "$file"); do
    [ -z "${system_library[$name]:-}" ] || continue
    [ ! -e "$folder/lib/$name" ] || continue
    source=$(system_path "$name")
    [ -n "$source" ] || fail "${file#"$folder"/} needs $name, which this machine does not have"
    cp -L "$source" "$folder/lib/$name"
    chmod 644 "$folder/lib/$name"
    remember_package "$source" "lib/$name"
    queue+=("$folder/lib/$name")
  done
done

cp "$here/qt.conf" "$folder/qt.conf"

# Licences: Debian's copyright file of each package, and the common licence texts these files
# point to, since a system without Debian's /usr/share/common-licenses has none of them.
{
  echo "# Libraries and plugins from Debian"
  echo
  echo "The folders lib/ and plugins/ hold files of these Debian packages, unchanged. Each"
  echo "package's copyright and licence terms are in <package>.copyright here, the licence texts"
  echo "they name in common-licenses/. The sources of each version are kept by Debian:"
  echo "https://snapshot.debian.org/package/<source>/<version>/"
  echo
  echo "| package | version | source | files |"
  echo "|---|---|---|---|"
} >"$folder/licenses/README.md"
for package in $(printf '%s\n' "${!packages[@]}" | LC_ALL=C sort); do
  copyright=/usr/share/doc/$package/copyright
  [ -f "$copyright" ] || fail "the package $package has no $copyright"
  cp -L "$copyright" "$folder/licenses/$package.copyright"
  for text in $(grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9+]' "$copyright" | sort -u); do
    [ -f "$text" ] || fail "$copyright names $text, which is missing"
    mkdir -p "$folder/licenses/common-licenses"
    cp -L "$text" "$folder/licenses/common-licenses/"
  done
  IFS=' ' read -r version source < <(dpkg-query -W -f='${Version} ${source:Package}\n' "$package:amd64" 2>/dev/null ||
    dpkg-query -W -f='${Version} ${source:Package}\n' "$package")
  # shellcheck disable=SC2086 # the list of files is space-separated on purpose
  echo "| $package | $version | $source | $(printf '%s\n' ${packages[$package]} | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//') |" >>"$folder/licenses/README.md"
done
