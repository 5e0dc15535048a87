#!/usr/bin/env bash
# Builds the library, the player and the test suite, and runs the suite (OpenGL tests run
# headless under Xvfb when there is no display). Installs missing Debian packages first.
#   BUILD_DIR=dir      build directory (default: build)
#   CMAKE_ARGS="..."   extra configure arguments (e.g. -DDRAVIK_SANITIZE=address,undefined)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libdevil-dev xvfb xauth
          libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j2

run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${run[@]}" ctest --test-dir "$build_dir" --output-on-failure -j2
