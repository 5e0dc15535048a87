#!/usr/bin/env bash
# Builds dravik-player and plays, each with its touch script: the built-in demo (two users
# drag, turn and toss cards on a friction table), examples/belt.xml (items dropped on a
# conveyor belt are carried, turned and sized; swipes set its speed; a control point reshapes
# it) and examples/workshop.xml (cards from a dispenser are dragged into a bin, photos are
# resized at their corners). Writes the last frame of each to demo.png, belt.png and
# workshop.png and prints where the components ended up. Runs headless under Xvfb when there
# is no display. Installs missing Debian packages first.
#   FRAMES=n     frames to play (default 320: about five seconds at 60 frames per second)
#   BUILD_DIR=d  build directory (default: build)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-packages.sh

install_missing_packages cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libdevil-dev libxi-dev libegl-dev xvfb xauth \
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev liblo-dev \
  openmpi-bin libopenmpi-dev

build_dir=${BUILD_DIR:-build}
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2 --target dravik-player

set_display_runner
frames=${FRAMES:-320}
player=("${display_runner[@]}" "$build_dir/player/dravik-player")
echo
echo "Playing the built-in demo with examples/demo.touch for $frames frames:"
"${player[@]}" --script examples/demo.touch --frames "$frames" --screenshot demo.png
for scene in belt workshop; do
  echo
  echo "Playing examples/$scene.xml with examples/$scene.touch for $frames frames:"
  "${player[@]}" "examples/$scene.xml" --script "examples/$scene.touch" --frames "$frames" --quiet \
    --screenshot "$scene.png"
done
echo
echo "Wrote demo.png, belt.png and workshop.png (the last frame of each)."
