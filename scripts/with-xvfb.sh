#!/usr/bin/env bash
# Runs a command under a private Xvfb server (1024x768x24, Mesa's software
# GL). The server picks a free display itself (-displayfd), so any number of
# these can run in parallel. Exits with the command's status.
set -u
if [ $# -eq 0 ]; then echo "usage: with-xvfb.sh command [args...]" >&2; exit 2; fi

fifo=$(mktemp -u /tmp/xvfb-fd.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
display=""
# The server names its display once it is ready, or closes the pipe when it
# fails; the limit is only a backstop for one that neither does, minutes
# past the second it takes on a loaded machine.
read -r -t 300 display <"$fifo" || true
rm -f "$fifo"
if [ -z "$display" ]; then
  echo "with-xvfb: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
cleanup() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
trap cleanup EXIT

export DISPLAY=":$display"
export SDL_VIDEODRIVER=x11
# Under the sanitizers, Mesa's driver is unloaded at SDL_Quit, so LeakSanitizer
# cannot name it in a suppression and reports its allocations as leaks of an
# unknown module. Loading it for the whole process keeps its symbols known.
if [ "${QUILL_SANITIZE:-0}" = "1" ] && [ -e /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so ]; then
  export LD_PRELOAD=/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
fi
"$@"
