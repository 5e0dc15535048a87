#!/usr/bin/env bash
# Builds the library, the player and the test suite, and runs the suite (OpenGL tests run
# headless under Xvfb when there is no display). Installs missing Debian packages first.
#   BUILD_DIR=dir      build directory (default: build)
#   CMAKE_ARGS="..."   extra configure arguments (e.g. -DDRAVIK_SANITIZE=address,undefined)
set -euo pipefail
cd "$(dirname "$0")"

source scripts/install-packages.sh

install_missing_packages cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libdevil-dev \
  libxi-dev libxtst-dev libegl-dev xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev liblo-dev \
  openmpi-bin libopenmpi-dev

build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j2

set_display_runner
"${display_runner[@]}" ctest --test-dir "$build_dir" --output-on-failure -j2
