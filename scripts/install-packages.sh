# Sourced by run.sh and test.sh.

# Installs the Debian packages of the given list that are
# missing (with sudo when not root).
install_missing_packages() {
  local missing=() p sudo=""
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Sets the array `display_runner` to the command prefix that gives OpenGL programs a
# display: nothing when there is one, a virtual X server otherwise. The server must not
# reset when its last client leaves: a GL program starting during the reset fails to open
# the display, and the test suite starts and ends many of them.
set_display_runner() {
  display_runner=()
  [ -n "${DISPLAY:-}" ] || display_runner=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
}
