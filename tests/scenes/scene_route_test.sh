#!/usr/bin/env bash
# A new player's route into the first scene of the story, from the outside:
# the real game executable and xdotool only. Run from the repository root
# under scripts/with-xvfb.sh: scene_route_test.sh EXE [SHOTS]
#  1. "Play" on the start screen shows the first flow entry's scene (its
#     background picture on screen);
#  2. clicking every item at the position its item file gives takes the
#     wanted ones out of the scene, and the goal panel follows;
#  3. more rounds of clicks find the rest, until the scene has left for the
#     next screen of its steps (the scene's own picture is gone).
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
exe=$(realpath "$1")
keep=${2:-}
scene_dir=content/config/scene/Scene01
tmp=$(mktemp -d /tmp/quill-route.XXXXXX)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -e "$tmp/game.log" ] && tail -20 "$tmp/game.log" >&2
  exit 1
}
[ -n "${DISPLAY:-}" ] || fail "run under scripts/with-xvfb.sh"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0

appdata="$tmp/appdata"
shots="$appdata/Quillendar/ScreenShots"
APPDATA="$appdata" SDL_VIDEODRIVER=x11 "$exe" >"$tmp/game.log" 2>&1 &
pid=$!
timeout 60 xdotool search --sync --name '^Quillendar$' >/dev/null || fail "no game window"
xdotool mousemove 512 300

# Difference (0..1) between an area of a screenshot and the same area of
# another picture; AREA is WxH+X+Y.
rmse() {
  MAGICK_THREAD_LIMIT=1 compare -metric RMSE "$1[$3]" "$2[$3]" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'
}
is_below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }
# Normalised cross-correlation of the same area of two pictures: 1 for the
# same picture, also when one is darkened all over (the fog).
ncc() {
  MAGICK_THREAD_LIMIT=1 compare -metric NCC "$1[$3]" "$2[$3]" null: 2>&1 | sed -E 's/^([0-9.e-]+).*/\1/'
}
# Presses F8 and prints the new screenshot's path once it is written. Keys
# sent while the game starts are lost, so F8 is pressed again until it is.
shot() {
  local file="$shots/ScrShot$(( $(ls "$shots" 2>/dev/null | wc -l) + 1 )).bmp"
  for _ in $(seq 40); do
    xdotool key F8
    for _ in $(seq 10); do [ -s "$file" ] && break 2; sleep 0.1; done
  done
  [ -s "$file" ] || fail "F8 wrote no $file"
  sleep 0.2  # the BMP may still be written
  echo "$file"
}
keep_shot() { [ -n "$keep" ] && mkdir -p "$keep" && convert "$1" -depth 8 "$keep/$2.png"; }

# --- 1. Start screen, "Play", the scene --------------------------------------------
menu=content/images/menus/main/Bg.jpg
bg="$scene_dir/bg.jpg"
# The top strip of the scene holds no item, and without a profile no score:
# it shows the background, darkened while the fog is on.
strip=1024x40+0+0
scene_shown() { ! is_below "$(ncc "$1" "$bg" "$strip")" 0.97; }
fog_free() { is_below "$(rmse "$1" "$bg" "$strip")" 0.05; }
# Screenshots until the scene shows free of fog (prints "scene" and the
# screenshot) or has gone (prints "left" and the screenshot), at most 60 s.
settle() {
  local file
  for _ in $(seq 60); do
    file=$(shot)
    if ! scene_shown "$file"; then echo "left $file"; return; fi
    if fog_free "$file"; then echo "scene $file"; return; fi
    sleep 1
  done
  fail "the fog did not clear in 60 s"
}
for _ in $(seq 60); do
  file=$(shot)
  is_below "$(rmse "$file" "$menu" 1024x768+0+0)" 0.08 && break
  sleep 0.5
done
is_below "$(rmse "$file" "$menu" 1024x768+0+0)" 0.08 || fail "no start screen"
sleep 0.6  # the menu's fade-in
# "Play" is the left button of the menu's row at y 600.
scene_on=0
for _ in $(seq 20); do
  xdotool mousemove 397 620 click 1
  sleep 1.5
  file=$(shot)
  if fog_free "$file"; then scene_on=1; break; fi
done
[ "$scene_on" -eq 1 ] || fail "\"Play\" did not show the first scene"
# The end of the scene's fade-in: two screenshots alike.
start=$file
for _ in $(seq 20); do
  sleep 0.5
  file=$(shot)
  is_below "$(rmse "$file" "$start" 1024x768+0+0)" 0.01 && break
  start=$file
done
start=$file
keep_shot "$start" scene_start
echo "ok: \"Play\" shows the first scene"

# --- 2. Every item of the item file clicked ---------------------------------------
# name x y width height, the click point is the middle of the picture.
items=()
while read -r name image x y; do
  size=$(identify -format '%w %h' "$scene_dir/$image")
  items+=("$name ${x%.*} ${y%.*} $size")
done < <(sed -nE 's/.*name="([^"]+)" image="([^"]+)".* x="([0-9.]+)" y="([0-9.]+)".*typeId="0".*/\1 \2 \3 \4/p' \
           "$scene_dir/Scene.xml")
[ "${#items[@]}" -ge 16 ] || fail "only ${#items[@]} items read from $scene_dir/Scene.xml"
click_all() {
  for item in "${items[@]}"; do
    set -- $item
    xdotool mousemove $(( $2 + $4 / 2 )) $(( $3 + $5 / 2 )) click 1
    sleep 0.2
  done
  # Away from the strip: the spyhole is clear around the pointer.
  xdotool mousemove 512 740
  # The collect animations take 1 s; missed clicks bring the fog.
  sleep 1.5
}
# How many items' areas differ from the scene's first screenshot.
gone_in() {
  local file=$1 n=0
  for item in "${items[@]}"; do
    set -- $item
    is_below "$(rmse "$file" "$start" "${4}x${5}+${2}+${3}")" 0.05 || n=$((n + 1))
  done
  echo $n
}
panel=604x52+216+692
click_all
read -r state after < <(settle)
keep_shot "$after" scene_first_round
[ "$state" = scene ] || fail "the scene left after one round of clicks"
gone=$(gone_in "$after")
[ "$gone" -ge 6 ] || fail "only $gone items left the scene after every item was clicked"
is_below "$(rmse "$after" "$start" "$panel")" 0.02 && fail "the goal panel did not change"
echo "ok: one round of clicks took $gone items out of the scene, the goal panel followed"

# --- 3. More rounds until the scene is done --------------------------------------
left=0
for round in 2 3 4 5 6; do
  click_all
  read -r state file < <(settle)
  if [ "$state" = left ]; then left=$round; break; fi
done
keep_shot "$file" scene_left
[ "$left" -gt 0 ] || fail "the scene was not done after 6 rounds of clicks"
kill -0 "$pid" 2>/dev/null || fail "the game ended"
echo "ok: the scene was done after $left rounds and left for its next screen"
exit 0
