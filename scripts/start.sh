#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on its shipped default data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
bash scripts/build.sh build
args=()
[ -x build/bin/quorbel-seed-settings ] && build/bin/quorbel-seed-settings
[ -f build/bin/data/demo.cgm ] && args+=("/cghmat=$PWD/build/bin/data/demo.cgm")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under Xvfb." >&2
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/quorbel "${args[@]}" "$@"
fi
exec build/bin/quorbel "${args[@]}" "$@"
