#!/usr/bin/env bash
# Starts the program where no display can be reached and checks it says so in
# one line on stderr and ends with status 1, instead of Qt's abort.
set -uo pipefail
program=$1

# A display number nothing listens on, neither as a socket file nor as an
# abstract socket.
dead=1999
while [[ -e /tmp/.X11-unix/X$dead ]] || grep -q "/tmp/.X11-unix/X$dead\$" /proc/net/unix 2>/dev/null; do
  dead=$((dead + 1))
done

# A runtime folder where no compositor listens, and a socket name nothing serves.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
gone=wayland-stelvana-gone

failures=0
passed=0
# check NAME REASON [VAR=value...] [-- program arguments...]
check() {
  local name=$1 reason=$2
  shift 2
  local environment=() arguments=()
  while [[ $# -gt 0 && $1 != -- ]]; do environment+=("$1"); shift; done
  [[ $# -eq 0 ]] || { shift; arguments=("$@"); }
  local out err status=0
  out=$(mktemp) err=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${environment[@]}" \
    timeout 20 "$program" "${arguments[@]}" >"$out" 2>"$err" || status=$?
  local problem=""
  if [[ $status -ne 1 ]]; then
    problem="status $status"
  elif [[ -s $out ]]; then
    problem="wrote to stdout"
  elif [[ $(wc -l <"$err") -ne 1 ]]; then
    problem="stderr is not one line"
  elif ! grep -qF "stelvana: no graphical display ($reason); start it from a desktop session." "$err"; then
    problem="unexpected message"
  elif LC_ALL=C grep -q '[[:cntrl:]]' <(tr -d '\n' <"$err"); then
    problem="control characters on the terminal"
  fi
  if [[ -n $problem ]]; then
    echo "FAIL: $name: $problem"
    sed 's/^/    /' "$err" | head -n 10
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
  rm -f "$out" "$err"
}

check "no display at all" "DISPLAY and WAYLAND_DISPLAY are not set"
check "X display nobody serves" "cannot connect to DISPLAY=:$dead" DISPLAY=":$dead"
check "X asked for by name" "cannot connect to DISPLAY=:$dead" DISPLAY=":$dead" QT_QPA_PLATFORM=xcb
check "X asked for, only Wayland set" "DISPLAY is not set" WAYLAND_DISPLAY=wayland-77 QT_QPA_PLATFORM=xcb
check "X display named on the command line" "cannot connect to -display :$dead" DISPLAY=":$dead" -- -display ":$dead"
check "display name with an escape sequence" "cannot connect to DISPLAY=:$dead?[2J" DISPLAY=":$dead"$'\e[2J'

# Qt tries Wayland first where WAYLAND_DISPLAY is set, then X.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || true)
if compgen -G "$plugins/platforms/libqwayland*" >/dev/null; then
  nobody="cannot connect to WAYLAND_DISPLAY=$gone"
  check "Wayland nobody serves, no X" "$nobody, and DISPLAY is not set" \
    WAYLAND_DISPLAY=$gone XDG_RUNTIME_DIR="$runtime"
  check "Wayland socket by path nobody serves" \
    "cannot connect to WAYLAND_DISPLAY=$runtime/$gone, and DISPLAY is not set" \
    WAYLAND_DISPLAY="$runtime/$gone"
  check "Wayland without a runtime folder" \
    "WAYLAND_DISPLAY is set but XDG_RUNTIME_DIR is not, and DISPLAY is not set" \
    WAYLAND_DISPLAY=$gone XDG_RUNTIME_DIR=
  check "Wayland and X both unserved" "$nobody, and cannot connect to DISPLAY=:$dead" \
    WAYLAND_DISPLAY=$gone XDG_RUNTIME_DIR="$runtime" DISPLAY=":$dead"
  check "Wayland asked for by name" "$nobody" \
    WAYLAND_DISPLAY=$gone XDG_RUNTIME_DIR="$runtime" DISPLAY=":$dead" QT_QPA_PLATFORM=wayland
  check "Wayland asked for, none named" "WAYLAND_DISPLAY is not set and nothing answers on wayland-0" \
    XDG_RUNTIME_DIR="$runtime" DISPLAY=":$dead" QT_QPA_PLATFORM=wayland
else
  # Without qt6-wayland (its package only recommends it) Qt has no Wayland to try.
  check "Wayland set, its plugin missing, no X" \
    "Qt's Wayland plugin, package qt6-wayland, is not installed, and DISPLAY is not set" \
    WAYLAND_DISPLAY=$gone XDG_RUNTIME_DIR="$runtime"
fi

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
