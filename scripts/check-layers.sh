#!/usr/bin/env bash
# Fails when an include points up the layers of the program:
#
#   engine/     core < gfx < audio < res < store < anim < ui < app; a module
#               includes only itself and the modules below it, never the game
#   game/       the game's state and services; includes engine/ and game/
#   scenes/ minigames/ frontend/
#               the screens; include engine/, game/ and one another
#   quillendar/ the program (application class, creator table, main);
#               includes anything, and nothing outside it includes it
#
# usage: scripts/check-layers.sh [ROOT]   (ROOT defaults to the repository)
set -u
root="${1:-$(dirname "$0")/..}"
cd "$root" || exit 2
status=0

# Prints the includes of files under $1 that name one of the folders $2 (a
# regular expression), and marks the check failed when there are any.
forbid() {
  local dir="$1" targets="$2" what="$3" hits
  [ -d "$dir" ] || return 0
  hits=$(grep -rnE "#include\s*[<\"]($targets)/" "$dir" || true)
  if [ -n "$hits" ]; then
    echo "$dir includes $what:"
    echo "$hits"
    status=1
  fi
}

forbid engine 'game|scenes|minigames|frontend|quillendar' "the game"

order=(core gfx audio res store anim ui app)
for i in "${!order[@]}"; do
  mod=${order[$i]}
  for j in "${!order[@]}"; do
    [ "$j" -gt "$i" ] || continue
    forbid "engine/$mod" "engine/${order[$j]}" "the higher module engine/${order[$j]}"
  done
done

forbid game 'scenes|minigames|frontend|quillendar' "a screen folder or the program"
for screens in scenes minigames frontend; do
  forbid "$screens" quillendar "the program folder (reach the application through game/GameShell.h)"
done

if [ $status -eq 0 ]; then
  echo "layering: ok (engine: ${order[*]}; then game; then scenes, minigames, frontend; then quillendar)"
fi
exit $status
