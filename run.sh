#!/usr/bin/env bash
# Builds dravik-player and plays, with their touch scripts: the built-in demo (two users
# drag, turn and toss cards on a friction table) and the example scene examples/photos.xml
# (photos on a wooden table). Writes the last frame of each to demo.png and photos.png and
# prints where the components ended up. Runs headless under Xvfb when there is no display.
# Installs missing Debian packages first.
#   FRAMES=n     frames to play (default 240: four seconds at 60 frames per second)
#   BUILD_DIR=d  build directory (default: build)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-packages.sh

install_missing_packages cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libdevil-dev xvfb xauth \
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev liblo-dev

build_dir=${BUILD_DIR:-build}
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2 --target dravik-player

set_display_runner
frames=${FRAMES:-240}
echo
echo "Playing the built-in demo with examples/demo.touch for $frames frames:"
"${display_runner[@]}" "$build_dir/player/dravik-player" --script examples/demo.touch --frames "$frames" \
  --screenshot demo.png
echo
echo "Playing examples/photos.xml with examples/photos.touch for $frames frames:"
"${display_runner[@]}" "$build_dir/player/dravik-player" examples/photos.xml --script examples/photos.touch \
  --frames "$frames" --screenshot photos.png
echo
echo "Wrote demo.png and photos.png (the last frame of each)."
