#!/usr/bin/env bash
# Installs what is missing, generates the content, builds and starts the
# program from the repository root (content paths are relative). With no
# $DISPLAY it runs under a private Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh
bash scripts/gen-content.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 4)" --target quillendar

program=build/quillendar
if [ -z "${DISPLAY:-}" ]; then
  exec scripts/with-xvfb.sh "$program"
fi
exec "$program"
