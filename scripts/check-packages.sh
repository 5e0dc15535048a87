#!/usr/bin/env bash
# Makes the Debian packages (the shared libraries, -dev and dravik-player) with cpack,
# installs them with apt-get, builds the install check's consumer program against /usr with
# find_package and runs it, runs `dravik-player --version`, `--check` of an example without a
# display and an example scene from the installed files (headless under Xvfb when there is no
# display), then removes the packages.
#   BUILD_DIR=dir   build directory (default: build-deb, configured without tests)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-packages.sh

install_missing_packages cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libdevil-dev libxi-dev libegl-dev \
  liblo-dev xvfb xauth dpkg-dev file help2man

build_dir=${BUILD_DIR:-build-deb}
# A build folder of its own needs no tests; a given one (CI's test build) keeps its options,
# so that packaging it compiles nothing again.
options=()
[ -n "${BUILD_DIR:-}" ] || options=(-DDRAVIK_BUILD_TESTS=OFF -DDRAVIK_BUILD_BENCHMARKS=OFF)
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_SHARED_LIBS=ON \
  "${options[@]}" >/dev/null
cmake --build "$build_dir" -j2
rm -rf "$build_dir/packages"
(cd "$build_dir" && cpack -G DEB >/dev/null)
debs=("$PWD/$build_dir"/packages/*.deb)
packages=()
for deb in "${debs[@]}"; do
  packages+=("$(dpkg-deb -f "$deb" Package)")
  echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB; Depends: $(dpkg-deb -f "$deb" Depends)"
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
remove_packages() { DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq --purge "${packages[@]}" >/dev/null; }
trap remove_packages EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${debs[@]}" >/dev/null

# A program built against /usr alone finds the libraries there.
consumer=$build_dir/consumer-usr
rm -rf "$consumer"
cmake -S tests/install/consumer -B "$consumer" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$consumer" >/dev/null
"$consumer/dravik-consumer"
ldd "$consumer/dravik-consumer" | grep -qE '=> /(usr/)?lib/[^ ]*libdravik-strategies\.so' ||
  { echo "the consumer does not load the installed libdravik-strategies"; exit 1; }

dravik-player --version
test -s /usr/share/man/man1/dravik-player.1.gz || { echo "no man page for dravik-player"; exit 1; }
examples=/usr/share/dravik-player/examples
test -s /usr/share/doc/dravik-player/dravik-player.service || { echo "no systemd unit for dravik-player"; exit 1; }
env -u DISPLAY dravik-player --check "$examples/workshop.xml"  # needs no display
set_display_runner
"${display_runner[@]}" dravik-player "$examples/belt.xml" --script "$examples/belt.touch" --frames 120 \
  --quiet --strict --no-overlay --screenshot "$build_dir/installed-belt.png" | tail -n 3
echo "The packages install, build a host program and play a scene; removing them."
