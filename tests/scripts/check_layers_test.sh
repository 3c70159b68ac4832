#!/usr/bin/env bash
# The layering check on a copy of the tree: it passes as the tree stands and
# fails, naming the file, on each kind of upward include planted into it.
set -u
root=$(pwd)
tmp=$(mktemp -d /tmp/quill-layers.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

copy_tree() {
  rm -rf "$tmp/tree"; mkdir -p "$tmp/tree"
  (cd "$root" && cp -r engine game scenes minigames frontend quillendar "$tmp/tree/")
}

copy_tree
"$root/scripts/check-layers.sh" "$tmp/tree" >"$tmp/out" 2>&1 || fail "the tree as it stands: $(cat "$tmp/out")"

# file to plant into | include planted | words the report must hold
cases=(
  "game/GameFlow.cpp|frontend/MainMenu.h|game includes a screen folder"
  "game/ItemRegistry.h|scenes/HOScene.h|game includes a screen folder"
  "frontend/MainMenu.cpp|quillendar/QuillendarApp.h|frontend includes the program folder"
  "minigames/MiniGameBase.h|quillendar/ScreenCreators.h|minigames includes the program folder"
  "engine/ui/Widget.cpp|game/GameFlow.h|engine includes the game"
  "engine/core/Log.cpp|engine/ui/Widget.h|engine/core includes the higher module engine/ui"
)
for c in "${cases[@]}"; do
  IFS='|' read -r file include words <<<"$c"
  copy_tree
  [ -f "$tmp/tree/$file" ] || fail "no $file in the tree"
  printf '#include "%s"\n' "$include" >>"$tmp/tree/$file"
  if "$root/scripts/check-layers.sh" "$tmp/tree" >"$tmp/out" 2>&1; then
    fail "$file including $include passed the check"
  fi
  grep -q "$words" "$tmp/out" || fail "$file including $include: report lacks '$words': $(cat "$tmp/out")"
  grep -q "$file" "$tmp/out" || fail "$file including $include: report does not name the file"
done
echo "ok: ${#cases[@]} planted includes refused"
