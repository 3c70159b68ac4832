#!/usr/bin/env bash
# The whole story walked in play mode 1 (fearless: points for every find and
# minigame, checked never to fall) from a fresh save folder to the credits,
# over four processes sharing the save (tests/driver/story_walk_test.sh).
# Needs the normal build (build/tests/driver/game_driver); pass another
# build folder as the first argument.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build=${1:-build}
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 SDL_VIDEODRIVER=x11
exec scripts/with-xvfb.sh tests/driver/story_walk_test.sh "$build/tests/driver/game_driver" 1 5 12 20
