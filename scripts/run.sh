#!/usr/bin/env bash
# Installs what is missing, builds and starts Kelvo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. To run Kelvo on a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' build/kelvo/kelvo"
  echo "or render every screen to PNG files:"
  echo "  QT_QPA_PLATFORM=offscreen build/kelvo/kelvo --screenshots shots/"
  exit 0
fi
exec build/kelvo/kelvo "$@"
