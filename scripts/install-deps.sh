#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Lorefinder need.
# Idempotent: does nothing when every package is already present.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxkbcommon-dev
  libturbojpeg0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # GoogleTest's sources, built again by the cross compiler for the Windows tests
  googletest
  libcli11-dev nlohmann-json3-dev
  fonts-noto-cjk
  binutils python3 python3-pefile
  clang-16 libclang-rt-16-dev clang-format
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  # wine64 runs everywhere; wine32 installs even where the kernel cannot run 32-bit programs,
  # and the tests find out by trying.
  wine wine64 wine32
  # the virtual screen of the Windows window tests
  xvfb
  librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian
  # the portable folder: Qt's Wayland platform travels in it; bubblewrap hides the system's Qt
  # from the folder's programs in the tests
  qt6-wayland bubblewrap
  # the web catalogue: clang 16 for wasm32-wasi with its C and C++ libraries, binaryen's wasm-opt,
  # stb_image for the icon sheets; headless Chromium driven by Selenium in the tests
  lld-16 llvm-16 wasi-libc libc++-16-dev-wasm32 libc++abi-16-dev-wasm32 libclang-rt-16-dev-wasm32
  binaryen libstb-dev chromium chromium-driver python3-selenium
)

# tsc, which checks the page scripts' types, comes from the npm registry where npm is installed
# (the page needs no build step; without it that check is skipped).
web_types() {
  local web
  web=$(dirname "$0")/../web
  [ -x "$web/node_modules/.bin/tsc" ] || ! command -v npm >/dev/null ||
    npm ci --prefix "$web" --no-audit --no-fund >/dev/null ||
    echo "install-deps: npm ci in web/ failed; the page scripts' type check will be skipped" >&2
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  web_types
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32 is built for i386: that architecture must be known before the package lists are read.
if [[ " ${missing[*]} " == *" wine32 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
web_types
