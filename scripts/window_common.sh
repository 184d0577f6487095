# Shared by the scripts that run the base program in a window of its own under Xvfb: installs the
# tools they name, builds the program (and the other targets they name) if missing, starts a
# display of their own, and makes a work directory that is removed, with the program and the
# display, when the script ends.
#   source scripts/window_common.sh; install_tools Xvfb:xvfb xdotool:xdotool ...
#   build_missing morv_recorder_w480 ...; start_display 640x560x24 || exit 1
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

build_missing() {  # build_missing TARGET ...: builds those of build/bin/TARGET that are missing
  local missing=() target
  for target in "$@"; do
    [ -x "build/bin/$target" ] || missing+=("$target")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j4 --target "${missing[@]}"
  fi
}

program=build/bin/morventica-w480
build_missing morventica-w480

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

start_display() {  # start_display WIDTHxHEIGHTxDEPTH: Xvfb picks a free number, DISPLAY is set to it
  exec 3<> <(:)
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local display_no
  read -r -t 10 display_no <&3 || { exec 3>&-; echo "Xvfb did not start"; return 1; }
  exec 3>&-
  export DISPLAY=":$display_no"
}

# One line per check; `finish` prints the last line, "<label>: PASS" or "<label>: FAIL (...)", and
# exits with it. The script sets check_label first.
failures=()
check() {  # check NAME CONDITION-EXIT-CODE
  if [ "$2" -eq 0 ]; then echo "ok   $1"; else echo "FAIL $1"; failures+=("$1"); fi
}
finish() {
  if [ ${#failures[@]} -eq 0 ]; then
    echo "$check_label: PASS"
    exit 0
  fi
  echo "$check_label: FAIL (${failures[*]})"
  exit 1
}

# Waits up to 10 s for the program's window and gives it the keyboard; without a window the check
# named fails and the script finishes.
open_window() {  # open_window CHECK-NAME
  window=$(timeout 10 xdotool search --sync --name "MORVENTICA" | head -1)
  if [ -z "$window" ]; then
    check "$1" 1
    finish
  fi
  xdotool windowfocus "$window" 2>/dev/null || true
}

# The single-instance lock lives in the runtime directory: a private one, so a program elsewhere on
# the machine cannot hold it.
private_runtime_dir() {
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}
