# Helpers shared by the scripts that play a scene of the real game with
# xdotool (sourced after game_script_support.sh). The script sets $shots
# (the screenshot folder), $keep (a folder for kept PNGs, or empty),
# $scene_dir (the scene's configuration folder) and $bg (its background
# picture), and has its own fail().

# The top strip of the scene holds no item, and for a casual player (the
# name entry's default) no score, which only a fearless player's scenes show
# there: it shows the background, darkened while the fog is on. The
# background's strip is dark, so its colours alone are near those of other
# dark screens (a journal fading in): the scene is told by the strip's
# pattern (the correlation), and free of fog by its colours as well.
strip=1024x40+0+0
scene_shown() { ! is_below "$(ncc "$1" "$bg" "$strip")" 0.97; }
# The strip almost black: the spyhole (four more quick misses during the fog)
# darkens it so far that its pattern is lost in the rounding, and a screen's
# fade to black or from it does the same. Such a screenshot tells nothing.
strip_dark() { is_below "$(convert "$1[$strip]" -format '%[fx:mean]' info:)" 0.05; }
fog_free() { scene_shown "$1" && is_below "$(rmse "$1" "$bg" "$strip")" 0.05; }
# Screenshots until the scene has settled, shown free of fog in two
# screenshots alike taken a second apart ($state "scene"), or has gone
# (another picture in the strip, not a dark one: $state "left"), at most
# $wait_limit s; the last screenshot in $last. One
# screenshot free of fog is not enough: the fog fades in, and four misses
# may have started it a moment before; nor are the found items' collect
# animations over before the picture stands still.
scene_state() {
  local previous="" end=$((SECONDS + wait_limit))
  while [ "$SECONDS" -lt "$end" ]; do
    shot
    if strip_dark "$last"; then
      previous=""
    elif ! scene_shown "$last"; then
      state=left
      return
    elif fog_free "$last"; then
      if [ -n "$previous" ] && is_below "$(rmse "$last" "$previous" 1024x768+0+0)" 0.01; then
        state=scene
        return
      fi
      previous=$last
    else
      previous=""
    fi
    sleep 1
  done
  fail "the scene did not settle free of fog in $wait_limit s"
}
# The end of the scene's fade-in, or of what was going on in it: the scene
# settled (the last screenshot in $last).
steady() {
  scene_state
  [ "$state" = scene ] || fail "the scene left while it was expected to settle"
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
# Every item clicked once, the pointer then moved away from the strip (the
# spyhole is clear around the pointer). Missed clicks bring the fog, which
# scene_state waits out; a found item's collect animation ends by itself.
click_all() {
  for item in "${items[@]}"; do
    set -- $item
    xdotool mousemove $(( $2 + $4 / 2 )) $(( $3 + $5 / 2 )) click 1
    sleep 0.2
  done
  xdotool mousemove 512 740
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

# The screens of a new player's road into the first scene, by their
# backdrops at (10, 400): those of the menus (menu_colours), the prologue's
# map, the chapter title's backdrop, the journal's.
road_colours() {
  menu_colours
  read -r prologue <<<"$(patch content/images/menus/map/BgMap.jpg)"
  read -r chapter <<<"$(patch content/animations/ChapterTransition/Backdrop.png)"
  read -r journal <<<"$(patch content/images/journal/BookBg.jpg)"
}
# From the main menu to the scene as a player goes: "Play" (the left button
# of the menu's bottom row) while the menu shows, Escape while the prologue
# or the chapter's title shows (keys during their fade-ins are ignored, so
# again while they stay), CONTINUE at the journal's foot while it shows,
# until the scene shows free of fog. The prologue and the chapter's title go
# by themselves after a few seconds, and a busy machine may take no
# screenshot of them; the journal waits for CONTINUE. The screens met are
# listed in $seen.
to_scene() {
  local colour end=$((SECONDS + 3 * wait_limit))
  seen=""
  while [ "$SECONDS" -lt "$end" ]; do
    shot
    fog_free "$last" && return 0
    colour=$(patch "$last")
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
  fail "\"Play\" did not lead to the scene in $((3 * wait_limit)) s (screens met:$seen)"
}
