# Shared by the scripts that run the base program in a window of its own under Xvfb: installs the
# tools they name, builds the program if it is missing, and makes a work directory that is removed,
# with the program and the display, when the script ends.
#   source scripts/window_common.sh; install_tools Xvfb:xvfb xdotool:xdotool ...
install_tools() {  # install_tools COMMAND:PACKAGE ...
  local need=() pair
  for pair in "$@"; do
    command -v "${pair%%:*}" >/dev/null || need+=("${pair#*:}")
  done
  if [ ${#need[@]} -gt 0 ]; then
    local sudo_cmd=""
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${need[@]}"
  fi
}

program=build/bin/morventica-w480
if [ ! -x "$program" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j4 --target morventica-w480
fi

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
