#!/usr/bin/env bash
# Runs the placeholder-content generator when content/ or the test fixtures
# are missing or were made by an older generator.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
export LC_ALL=C
stamp=$(cat tools/gen_content.py tools/contentgen/*.py tools/content_manifest.tsv 2>/dev/null | sha256sum | cut -d' ' -f1)
if [ "$(cat content/.generated 2>/dev/null)" = "$stamp" ] && [ "$(cat build/fixtures/.generated 2>/dev/null)" = "$stamp" ]; then
  exit 0
fi
echo "== generating content"
# The generator writes the same stamp into both folders when it is done.
/usr/bin/python3 tools/gen_content.py --content content --fixtures build/fixtures
