#!/usr/bin/env bash
# Damaged or missing content never costs a player the progress in the save.
# A walk takes a player to flow entry STOP (12 by default: 33 quests done,
# items found in twelve scenes). Then, for each content file whose state the
# save holds (the quest list, the flow, the scene index, the map, the item
# files of the first scene and of the scene in progress), once missing and
# once cut in half: the game starts over that content and ends, and the save
# it writes is byte for byte the one it read. Over a damaged quest list the
# player also presses PLAY and switches to a new profile (a save of both)
# and, with the content whole again, finds the walked profile's quests done.
#
#   content_damage_progress_test.sh GAME_DRIVER [STOP]
set -u
export LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy
exe=$(realpath "$1")
stop=${2:-12}
root=$PWD
tmp=$(mktemp -d /tmp/quill-content-progress.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# run NAME FOLDER APPDATA: plays $tmp/NAME.txt with FOLDER as working folder.
run() {
  (cd "$2" && "$exe" --appdata "$3" "$tmp/$1.txt" >"$tmp/$1.log" 2>&1) \
    || { grep -E 'game_driver|expect|stopped' "$tmp/$1.log" | tail -5 >&2; fail "run $1"; }
}

printf 'walk-as Walker 0\nwalk flow %s\nexpect profile.flowIndex %s\ndump\nexit\n' "$stop" "$stop" >"$tmp/walk.txt"
run walk "$root" "$tmp/walked"
save=Quillendar/save.dat
done_quests=$(grep -m1 '^quests.done=' "$tmp/walk.log" | cut -d= -f2)
[ -n "$done_quests" ] || fail "the walk finished no quest"
size=$(stat -c %s "$tmp/walked/$save")
echo "walked to flow entry $stop: quests done $done_quests; save $size bytes"

# A start and an end over whole content write the save they read.
printf 'until 8000 top MainMenu\nexit\n' >"$tmp/start.txt"
cp -a "$tmp/walked" "$tmp/whole"
run start "$root" "$tmp/whole"
cmp -s "$tmp/walked/$save" "$tmp/whole/$save" || fail "a start over whole content changed the save"

# The content as symbolic links to the real files; a case replaces one link.
mkdir "$tmp/game"
cp -as "$root/content" "$tmp/game/content"
# The folder of the scene the walk stopped in, from its flow entry.
playing=$(grep '<Screen' "$root/content/config/GameFlow.xml" | sed -n "$((stop + 1))p" |
          sed -n 's|.*configPath="content/\([^"]*\)".*|\1|p')
[ -n "$playing" ] || fail "flow entry $stop is no scene"
files="config/Quests.xml config/GameFlow.xml config/scene/sceneIndex.xml config/MapLocations.xml
       config/scene/Scene01/Scene.xml ${playing}Scene.xml"
for file in $files; do
  for change in missing half; do
    link="$tmp/game/content/$file"
    rm -f "$link"
    if [ "$change" = half ]; then
      whole=$(stat -c %s "$root/content/$file")
      head -c $((whole / 2)) "$root/content/$file" >"$link"
    fi
    rm -rf "$tmp/case"
    cp -a "$tmp/walked" "$tmp/case"
    run start "$tmp/game" "$tmp/case"
    got=$(stat -c %s "$tmp/case/$save")
    cmp -s "$tmp/walked/$save" "$tmp/case/$save" || fail "$file $change: the save changed ($size -> $got bytes)"
    echo "$file $change: save kept ($got bytes)"
    rm -f "$link"
    ln -s "$root/content/$file" "$link"
  done
done

# Over a quest list cut in half: PLAY, a new profile (the walked one is
# saved as it is left), the end (the new one is saved).
link="$tmp/game/content/config/Quests.xml"
rm -f "$link"
head -c $(($(stat -c %s "$root/content/config/Quests.xml") / 2)) "$root/content/config/Quests.xml" >"$link"
cat >"$tmp/switch.txt" <<'SCRIPT'
until 8000 top MainMenu
expect quests.done
mouse click 183 729
until 8000 top QDScene
profile Other 0
exit
SCRIPT
run switch "$tmp/game" "$tmp/walked"
echo "quest list cut in half, PLAY, a new profile: save $(stat -c %s "$tmp/walked/$save") bytes"

cat >"$tmp/mended.txt" <<SCRIPT
until 8000 top MainMenu
expect profile Other
mouse click 407 729
until 3000 profilesmenu.open 1
mouse click 512 200
step 2
expect profilesmenu.selected 0
mouse click 508 606
until 3000 top MainMenu
expect profile Walker
expect profile.flowIndex $stop
expect quests.done $done_quests
dump
SCRIPT
run mended "$root" "$tmp/walked"
echo "content whole again: quests done $(grep -m1 '^quests.done=' "$tmp/mended.log" | cut -d= -f2)"
echo "ok: damaged content never changed the progress in the save"
