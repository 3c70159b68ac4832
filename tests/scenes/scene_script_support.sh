# Helpers shared by the scripts that play a scene of the real game with
# xdotool (sourced after game_script_support.sh). The script sets $shots
# (the screenshot folder), $keep (a folder for kept PNGs, or empty),
# $scene_dir (the scene's configuration folder) and $bg (its background
# picture), and has its own fail().

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
file=""
# Presses F8 and prints the new screenshot's path once it is complete.
shot() {
  local file="$shots/ScrShot$(( $(count_shots "$shots") + 1 )).bmp"
  shot_until "$file" || fail "F8 wrote no complete $file"
  echo "$file"
}
# Screenshots until the patch at (x, y) is near the colour (the last one in
# $file); fails after `tries` screenshots.
await() { # colour what [tries [x y]]
  for _ in $(seq "${3:-40}"); do
    file=$(shot)
    near "$(patch "$file" "${4:-10}" "${5:-400}")" "$1" && return 0
    sleep 0.3
  done
  fail "never saw $2 (wanted $1, last $(patch "$file" "${4:-10}" "${5:-400}"))"
}
keep_shot() { [ -n "$keep" ] && mkdir -p "$keep" && convert "$1" -depth 8 "$keep/$2.png"; }

# The top strip of the scene holds no item, and for a casual player (the
# name entry's default) no score, which only a fearless player's scenes show
# there: it shows the background, darkened while the fog is on.
strip=1024x40+0+0
scene_shown() { ! is_below "$(ncc "$1" "$bg" "$strip")" 0.97; }
fog_free() { is_below "$(rmse "$1" "$bg" "$strip")" 0.05; }
# Screenshots until the scene shows free of fog (prints "scene" and the
# screenshot) or has gone (prints "left" and the screenshot), at most 60 s.
scene_state() {
  local file
  for _ in $(seq 60); do
    file=$(shot)
    if ! scene_shown "$file"; then echo "left $file"; return; fi
    if fog_free "$file"; then echo "scene $file"; return; fi
    sleep 1
  done
  fail "the fog did not clear in 60 s"
}
# The end of the scene's fade-in: two screenshots alike (the last in $file).
steady() {
  local previous=$file
  for _ in $(seq 20); do
    sleep 0.5
    file=$(shot)
    is_below "$(rmse "$file" "$previous" 1024x768+0+0)" 0.01 && return 0
    previous=$file
  done
  fail "the scene did not settle after its fade-in"
}
# The scene's items (type 0) from its item file into $items, one
# "name x y width height" each; the click point is the middle of the picture.
read_items() {
  local name image x y size
  items=()
  while read -r name image x y; do
    size=$(identify -format '%w %h' "$scene_dir/$image")
    items+=("$name ${x%.*} ${y%.*} $size")
  done < <(sed -nE 's/.*name="([^"]+)" image="([^"]+)".* x="([0-9.]+)" y="([0-9.]+)".*typeId="0".*/\1 \2 \3 \4/p' \
             "$scene_dir/Scene.xml")
  [ "${#items[@]}" -ge 16 ] || fail "only ${#items[@]} items read from $scene_dir/Scene.xml"
}
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
# The names of the items whose areas differ from the scene's first screenshot.
gone_names() {
  local file=$1 names=""
  for item in "${items[@]}"; do
    set -- $item
    is_below "$(rmse "$file" "$start" "${4}x${5}+${2}+${3}")" 0.05 || names="$names $1"
  done
  echo "$names"
}

# A new player's road into the first scene, from a fresh start, by the
# screens' backdrops at (10, 400): the main menu's sky, under the profiles
# menu's dim (alpha 128) and the name entry's (alpha 150) on a fresh start;
# the prologue's map; the chapter title's backdrop; the journal's.
road_colours() {
  read -r sky <<<"$(patch content/images/menus/main/Bg.jpg)"
  entry=$(awk -v c="$sky" 'BEGIN { split(c, x, " "); f = 127 / 255 * 105 / 255;
    printf "%d %d %d", x[1] * f, x[2] * f, x[3] * f }')
  read -r prologue <<<"$(patch content/images/menus/map/BgMap.jpg)"
  read -r chapter <<<"$(patch content/animations/ChapterTransition/Backdrop.png)"
  read -r journal <<<"$(patch content/images/journal/BookBg.jpg)"
  # The name entry's CANCEL button at (366, 493) once its widgets are up.
  read -r cancel <<<"$(patch content/images/menus/SmlBtnN.jpg 20 20)"
}
# The name $1 typed into the name entry a fresh start shows over the main
# menu, until the menu is back.
new_player() {
  await "$entry" "the name entry over the main menu" 150
  await "$cancel" "the name entry's widgets" 40 366 493
  xdotool mousemove 536 261 click 1
  sleep 0.3
  xdotool type --delay 60 "$1"
  xdotool key Return
  await "$sky" "the main menu after the name"
}
# From the main menu to the scene as a player goes: "Play" (the left button
# of the menu's bottom row) until the menu leaves, Escape on the prologue
# and on the chapter's title (keys during their fade-ins are ignored, so
# again until they go), CONTINUE at the journal's foot, until the scene
# shows free of fog. The screens met are listed in $seen.
to_scene() {
  local colour
  seen=""
  for _ in $(seq 150); do
    file=$(shot)
    fog_free "$file" && return 0
    colour=$(patch "$file")
    if near "$colour" "$sky"; then
      xdotool mousemove 182 729 click 1
    elif near "$colour" "$prologue"; then
      [[ $seen == *prologue* ]] || seen="$seen prologue"
      xdotool key Escape
    elif near "$colour" "$chapter"; then
      [[ $seen == *chapter* ]] || seen="$seen chapter"
      xdotool key Escape
    elif near "$colour" "$journal"; then
      [[ $seen == *journal* ]] || seen="$seen journal"
      xdotool mousemove 511 724 click 1
    fi
    sleep 0.3
  done
  fail "\"Play\" did not lead to the scene (screens met:$seen)"
}
