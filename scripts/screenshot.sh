#!/usr/bin/env bash
# Regenerates the README's pictures of the window: builds the program if needed, runs it on a
# private X server (Xvfb) and works it with real mouse presses. docs/screenshot.png: a polygon by
# "Трапеци". docs/report-figure.png: a concave polygon by "Триъгълницци", with the line of the
# fan triangle that lies outside it clicked, so that the triangle is lit as taking away, hatched,
# with its vertices numbered.
#
#   scripts/screenshot.sh            # builds in build/release
#   BUILD_DIR=build/debug scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build/release}
OUTPUT=${OUTPUT:-docs/screenshot.png}
FIGURE_OUTPUT=${FIGURE_OUTPUT:-docs/report-figure.png}
TITLE="Геометрия - лице на неправилен N-ъгълник"

scripts/setup.sh
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  if [ "$BUILD_DIR" = build/release ]; then
    cmake --preset release
  else
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
  fi
fi
cmake --build "$BUILD_DIR" --target volunde -j2

xvfb_pid=
program_pid=
display_file=$(mktemp)
runtime_dir=$(mktemp -d)
cleanup() {
  set +e
  for pid in $program_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$display_file" "$runtime_dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$display_file" \
  >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.05
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$display_file")

# The user's locale of the program: Bulgarian, with its decimal comma, where it is generated.
locale=C.UTF-8
if locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$'; then
  locale=bg_BG.UTF-8
fi
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM=xcb LANG=$locale \
  LC_ALL=$locale XDG_RUNTIME_DIR="$runtime_dir" "$BUILD_DIR/app/volunde" >/dev/null 2>&1 &
program_pid=$!

window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the program's window did not appear" >&2; exit 1; }

# Presses at pixels inside the drawing surface, whose inner corner is at (10, 34) in the window.
for vertex in "52 38" "190 14" "318 52" "452 30" "410 160" "236 118" "96 176"; do
  read -r x y <<<"$vertex"
  xdotool mousemove --window "$window" $((10 + x)) $((34 + y)) click 1
  sleep 0.1
done
xdotool mousemove --window "$window" 304 252 click 1   # "Трапеци"
xdotool mousemove --window "$window" 250 200           # the pointer away from the buttons
sleep 1

mkdir -p "$(dirname "$OUTPUT")"
import -silent -window "$window" -strip "png:$OUTPUT"
echo "wrote $OUTPUT"

xdotool mousemove --window "$window" 468 12 click 1   # "Чисти"
for vertex in "440 20" "180 90" "60 180" "30 20"; do
  read -r x y <<<"$vertex"
  xdotool mousemove --window "$window" $((10 + x)) $((34 + y)) click 1
  sleep 0.1
done
xdotool mousemove --window "$window" 440 252 click 1   # "Триъгълницци"
sleep 0.5
xdotool mousemove --window "$window" 120 301 click 1   # the first triangle's oriented line
xdotool mousemove --window "$window" 250 200
sleep 1
mkdir -p "$(dirname "$FIGURE_OUTPUT")"
import -silent -window "$window" -strip "png:$FIGURE_OUTPUT"
echo "wrote $FIGURE_OUTPUT"
