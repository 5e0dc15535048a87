#!/usr/bin/env bash
# Builds dravik-player and plays the built-in demo scene with the example touch script:
# two users drag, turn and toss cards on a friction table. Writes the last frame to demo.png
# and prints where the cards ended up. Runs headless under Xvfb when there is no display.
# Installs missing Debian packages first.
#   FRAMES=n     frames to play (default 240: four seconds at 60 frames per second)
#   BUILD_DIR=d  build directory (default: build)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libdevil-dev xvfb xauth
          libgtest-dev libbenchmark-dev)
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
cmake -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2 --target dravik-player

run=()
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24")
frames=${FRAMES:-240}
echo "Playing the demo scene with examples/demo.touch for $frames frames..."
"${run[@]}" "$build_dir/player/dravik-player" --script examples/demo.touch --frames "$frames" \
  --screenshot demo.png
echo "Wrote demo.png (the last frame)."
