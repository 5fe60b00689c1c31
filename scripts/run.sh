#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it on its default database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export LANG=zh_CN.UTF-8
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No screen on this machine: run on a virtual one.
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/app/QDArchives "$@"
fi
exec build/app/QDArchives "$@"
