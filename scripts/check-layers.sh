#!/usr/bin/env bash
# Fails when a lower module includes a higher one: nothing under engine/
# includes the game, and each engine module includes only itself and the
# modules below it.
set -u
cd "$(dirname "$0")/.."
status=0

hits=$(grep -rnE '#include\s*[<"](game|scenes|minigames|frontend)/' engine/ || true)
if [ -n "$hits" ]; then
  echo "engine/ includes the game:"; echo "$hits"; status=1
fi

order=(core gfx audio res store anim ui app)
for i in "${!order[@]}"; do
  mod=${order[$i]}
  [ -d "engine/$mod" ] || continue
  for j in "${!order[@]}"; do
    [ "$j" -gt "$i" ] || continue
    higher=${order[$j]}
    hits=$(grep -rnE "#include\s*[<\"]engine/$higher/" "engine/$mod" || true)
    if [ -n "$hits" ]; then
      echo "engine/$mod includes the higher module engine/$higher:"; echo "$hits"; status=1
    fi
  done
done
[ $status -eq 0 ] && echo "layering: ok"
exit $status
